# The page-replacement crash test (native): a child that keeps replacing a stored page and saving
# the preferences, killed again and again; the child is the test program itself.
corvisant_executable(page_replace_crash_test page_replace_crash_test.cpp)
target_link_libraries(page_replace_crash_test PRIVATE corvisant_test_support corvisant_app
                      GTest::gtest)
add_test(NAME page_replace_crash COMMAND page_replace_crash_test)
set_tests_properties(page_replace_crash PROPERTIES
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} TIMEOUT 240)
