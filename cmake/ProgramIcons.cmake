# The program's icons and its help pointer, drawn at build time from their source
# (tools/bitmaps/make_program_icons.py) and never kept in the repository. Included from the
# top-level CMakeLists.txt, so that what it sets is seen by every directory:
#
#   CORVISANT_PROGRAM_ICONS_DIR  the directory of the files: <id>.ico for IDI_CORVISANT and
#                                IDI_URL_LIST, <id>.cur for IDC_HELP_POINTER (the ids of
#                                src/app/resources/resource_ids.h)
#   CORVISANT_PROGRAM_ICONS      the files
#   CORVISANT_PROGRAM_ICONS_RC   program_icons.rc in that directory: "IDI_CORVISANT ICON ...",
#                                "IDI_URL_LIST ICON ..." and "IDC_HELP_POINTER CURSOR ..." lines
#                                for the program's resource script to #include
#   target corvisant_program_icons   draws them (part of the default build for Windows)
#
# A resource compile that includes the fragment passes -I ${CORVISANT_PROGRAM_ICONS_DIR}, lists
# ${CORVISANT_PROGRAM_ICONS_RC} ${CORVISANT_PROGRAM_ICONS} in its DEPENDS and depends on the
# target (add_dependencies), so that a changed picture is compiled in again.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(program_icons_tool ${PROJECT_SOURCE_DIR}/tools/bitmaps)
set(program_icons_ids ${PROJECT_SOURCE_DIR}/src/app/resources/resource_ids.h)
set(CORVISANT_PROGRAM_ICONS_DIR ${CMAKE_BINARY_DIR}/program-icons)
set(CORVISANT_PROGRAM_ICONS_RC ${CORVISANT_PROGRAM_ICONS_DIR}/program_icons.rc)

# The ids are named once, in the resource-id header; the generator reads the same lines.
file(STRINGS ${program_icons_ids} program_icon_lines
     REGEX "^#define (IDI_CORVISANT|IDI_URL_LIST|IDC_HELP_POINTER) [0-9]+")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${program_icons_ids})
set(CORVISANT_PROGRAM_ICONS)
foreach(line IN LISTS program_icon_lines)
  string(REGEX REPLACE ".* ([0-9]+)$" "\\1" id "${line}")
  if(line MATCHES "^#define IDC_")
    list(APPEND CORVISANT_PROGRAM_ICONS ${CORVISANT_PROGRAM_ICONS_DIR}/${id}.cur)
  else()
    list(APPEND CORVISANT_PROGRAM_ICONS ${CORVISANT_PROGRAM_ICONS_DIR}/${id}.ico)
  endif()
endforeach()

file(GLOB program_icons_sources CONFIGURE_DEPENDS ${program_icons_tool}/*.py)
set(program_icons_command
    ${Python3_EXECUTABLE} ${program_icons_tool}/make_program_icons.py --ids ${program_icons_ids})
add_custom_command(
  OUTPUT ${CORVISANT_PROGRAM_ICONS} ${CORVISANT_PROGRAM_ICONS_RC}
  BYPRODUCTS ${CORVISANT_PROGRAM_ICONS_DIR}/preview.png
  COMMAND ${program_icons_command} --out ${CORVISANT_PROGRAM_ICONS_DIR}
          --rc ${CORVISANT_PROGRAM_ICONS_RC}
          --preview ${CORVISANT_PROGRAM_ICONS_DIR}/preview.png
  DEPENDS ${program_icons_sources} ${program_icons_ids}
  COMMENT "Drawing the program's icons and its help pointer"
  VERBATIM)
if(WIN32)
  set(program_icons_all ALL)
endif()
add_custom_target(corvisant_program_icons ${program_icons_all}
                  DEPENDS ${CORVISANT_PROGRAM_ICONS} ${CORVISANT_PROGRAM_ICONS_RC})

# Every build checks the generator: it draws into a scratch directory and reads each file back
# (directory, sizes, depths, palettes, pixels, masks, hot spot); a wrong file fails it.
if(CORVISANT_TESTS)
  add_test(NAME program_icons
           COMMAND ${program_icons_command}
                   --out ${CMAKE_BINARY_DIR}/test-scratch/program-icons)
endif()
