# The manual: the HTML pages of docs/manual that the program shows in the browser, installed as
# the directory "CorvisantDocument". Included from the top-level CMakeLists.txt, so that every
# directory sees:
#
#   CORVISANT_MANUAL_PAGES             the page files (their names are the names the program uses)
#   CORVISANT_MANUAL_DIR               ${CMAKE_BINARY_DIR}/CorvisantDocument, filled by
#   target corvisant_manual            (part of the default build for Windows)
#   corvisant_manual_beside(TARGET)    copies the pages into CorvisantDocument next to the
#                                      target's executable after each build of it
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(CORVISANT_MANUAL_SOURCE ${PROJECT_SOURCE_DIR}/docs/manual)
set(CORVISANT_MANUAL_DIR ${CMAKE_BINARY_DIR}/CorvisantDocument)

# The pages the program names: the help pointer, the Help buttons, "show manual".
set(corvisant_manual_names
    manual.html
    controller.html
    history.html
    find.html
    domain.html
    hotlist.html
    setting-record-level.html
    setting-replay-mode.html
    setting-auto-navi.html
    setting-keyword-watcher.html
    setting-miscellaneous.html
    setting-schedule.html)
list(TRANSFORM corvisant_manual_names PREPEND ${CORVISANT_MANUAL_SOURCE}/
     OUTPUT_VARIABLE CORVISANT_MANUAL_PAGES)

set(corvisant_manual_copies ${corvisant_manual_names})
list(TRANSFORM corvisant_manual_copies PREPEND ${CORVISANT_MANUAL_DIR}/)
add_custom_command(
  OUTPUT ${corvisant_manual_copies}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CORVISANT_MANUAL_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CORVISANT_MANUAL_PAGES} ${CORVISANT_MANUAL_DIR}
  DEPENDS ${CORVISANT_MANUAL_PAGES}
  COMMENT "Copying the manual into CorvisantDocument"
  VERBATIM)
if(WIN32)
  set(corvisant_manual_all ALL)
endif()
add_custom_target(corvisant_manual ${corvisant_manual_all} DEPENDS ${corvisant_manual_copies})

function(corvisant_manual_beside target)
  set(destination $<TARGET_FILE_DIR:${target}>/CorvisantDocument)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${destination}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CORVISANT_MANUAL_PAGES} ${destination}
    VERBATIM)
endfunction()

# Every page the program names is there, and every link between the pages reaches a page (and
# an anchor) that exists.
if(CORVISANT_TESTS)
  add_test(NAME manual_links
           COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/manual/check_links.py
                   ${CORVISANT_MANUAL_SOURCE} ${corvisant_manual_names})
endif()
