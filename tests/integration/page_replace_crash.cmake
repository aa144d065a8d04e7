# The page-replacement crash test (native): a child that keeps replacing a stored page and saving
# the preferences, killed again and again.
corvisant_executable(page_replace_crash_child page_replace_crash_child.cpp)
target_link_libraries(page_replace_crash_child PRIVATE corvisant_app)
target_include_directories(page_replace_crash_child PRIVATE ${PROJECT_SOURCE_DIR})
corvisant_executable(page_replace_crash_test page_replace_crash_test.cpp)
target_link_libraries(page_replace_crash_test PRIVATE corvisant_test_support corvisant_app
                      GTest::gtest_main)
target_compile_definitions(page_replace_crash_test
  PRIVATE CORVISANT_PAGE_CHILD="$<TARGET_FILE:page_replace_crash_child>")
add_dependencies(page_replace_crash_test page_replace_crash_child)
add_test(NAME page_replace_crash COMMAND page_replace_crash_test)
set_tests_properties(page_replace_crash PROPERTIES
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} TIMEOUT 240)
