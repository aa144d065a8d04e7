# Helpers shared by the project's CMake files.
list(APPEND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}")

# Every executable of the system gets the allocator's operator new as an object of its own, so
# the replacement cannot be lost to link order.
function(corvisant_executable target)
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE corvisant_operator_new)
endfunction()

# The sources of a folder as this build compiles them: its portable .cpp files and those of the
# platform side's subfolder (win32/ or posix/).
function(corvisant_folder_sources out folder)
  file(GLOB portable CONFIGURE_DEPENDS ${folder}/*.cpp)
  file(GLOB side CONFIGURE_DEPENDS ${folder}/${CORVISANT_PLATFORM_SIDE}/*.cpp)
  set(${out} ${portable} ${side} PARENT_SCOPE)
endfunction()

# One layer of the core: a static library of everything in its folder, linked to the layers
# below it that exist.
function(corvisant_layer target folder)
  corvisant_folder_sources(sources ${folder})
  if(NOT sources)
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(lower IN LISTS ARGN)
    if(TARGET ${lower})
      target_link_libraries(${target} PUBLIC ${lower})
    endif()
  endforeach()
endfunction()
