# The controller's button pictures, drawn at build time from their source
# (tools/bitmaps/make_controller_bitmaps.py) and never kept in the repository. Included from the
# top-level CMakeLists.txt, so that what it sets is seen by every directory:
#
#   CORVISANT_CONTROLLER_BITMAPS_DIR  the directory of the pictures, <id>.bmp for every
#                                     IDB_CONTROLLER_ id of src/app/resources/resource_ids.h
#   CORVISANT_CONTROLLER_BITMAPS      the picture files
#   CORVISANT_CONTROLLER_BITMAPS_RC   controller_bitmaps.rc in that directory: one
#                                     "IDB_CONTROLLER_... BITMAP "<path>"" line per picture, for
#                                     the program's resource script to #include
#   target corvisant_controller_bitmaps   draws them (part of the default build for Windows)
#
# A resource compile that includes the fragment passes -I ${CORVISANT_CONTROLLER_BITMAPS_DIR},
# lists ${CORVISANT_CONTROLLER_BITMAPS_RC} ${CORVISANT_CONTROLLER_BITMAPS} in its DEPENDS and
# depends on the target (add_dependencies), so that a changed picture is compiled in again.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(controller_bitmaps_tool ${PROJECT_SOURCE_DIR}/tools/bitmaps)
set(controller_bitmaps_ids ${PROJECT_SOURCE_DIR}/src/app/resources/resource_ids.h)
set(CORVISANT_CONTROLLER_BITMAPS_DIR ${CMAKE_BINARY_DIR}/controller-bitmaps)
set(CORVISANT_CONTROLLER_BITMAPS_RC ${CORVISANT_CONTROLLER_BITMAPS_DIR}/controller_bitmaps.rc)

# The ids are named once, in the resource-id header; the generator reads the same lines.
file(STRINGS ${controller_bitmaps_ids} controller_bitmap_lines
     REGEX "^#define IDB_CONTROLLER_[A-Z_]+ [0-9]+")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${controller_bitmaps_ids})
set(CORVISANT_CONTROLLER_BITMAPS)
foreach(line IN LISTS controller_bitmap_lines)
  string(REGEX REPLACE ".* ([0-9]+)$" "\\1" id "${line}")
  list(APPEND CORVISANT_CONTROLLER_BITMAPS ${CORVISANT_CONTROLLER_BITMAPS_DIR}/${id}.bmp)
endforeach()

file(GLOB controller_bitmaps_sources CONFIGURE_DEPENDS ${controller_bitmaps_tool}/*.py)
set(controller_bitmaps_command
    ${Python3_EXECUTABLE} ${controller_bitmaps_tool}/make_controller_bitmaps.py
    --ids ${controller_bitmaps_ids})
add_custom_command(
  OUTPUT ${CORVISANT_CONTROLLER_BITMAPS} ${CORVISANT_CONTROLLER_BITMAPS_RC}
  BYPRODUCTS ${CORVISANT_CONTROLLER_BITMAPS_DIR}/preview.png
  COMMAND ${controller_bitmaps_command} --out ${CORVISANT_CONTROLLER_BITMAPS_DIR}
          --rc ${CORVISANT_CONTROLLER_BITMAPS_RC}
          --preview ${CORVISANT_CONTROLLER_BITMAPS_DIR}/preview.png
  DEPENDS ${controller_bitmaps_sources} ${controller_bitmaps_ids}
  COMMENT "Drawing the controller's button pictures"
  VERBATIM)
if(WIN32)
  set(controller_bitmaps_all ALL)
endif()
add_custom_target(corvisant_controller_bitmaps ${controller_bitmaps_all}
                  DEPENDS ${CORVISANT_CONTROLLER_BITMAPS} ${CORVISANT_CONTROLLER_BITMAPS_RC})

# Every build checks the generator: it draws into a scratch directory and reads each file back
# (size, depth, palette, pixels); a wrong file fails it.
if(CORVISANT_TESTS)
  add_test(NAME controller_bitmaps
           COMMAND ${controller_bitmaps_command}
                   --out ${CMAKE_BINARY_DIR}/test-scratch/controller-bitmaps)
endif()
