# Helpers shared by the project's CMake files.
list(APPEND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}")

# Every executable of the system gets the allocator's operator new as an object of its own, so
# the replacement cannot be lost to link order.
function(corvisant_executable target)
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE corvisant_operator_new)
endfunction()

# A library of the portable core: sources given, plus those of the platform side's folder.
function(corvisant_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;SIDE_SOURCES;DEPENDS" ${ARGN})
  set(side_sources)
  foreach(source IN LISTS ARG_SIDE_SOURCES)
    list(APPEND side_sources ${CORVISANT_PLATFORM_SIDE}/${source})
  endforeach()
  add_library(${target} STATIC ${ARG_SOURCES} ${side_sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
endfunction()
