# Tests of the dialog framework on the headless window system.
add_library(zelv_headless_test STATIC ${CMAKE_SOURCE_DIR}/tests/support/headless_app.cpp)
target_link_libraries(zelv_headless_test PUBLIC framework res GTest::gtest)

add_executable(test_framework
  ${CMAKE_CURRENT_LIST_DIR}/test_ddx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_msgmap.cpp)
target_link_libraries(test_framework PRIVATE zelv_headless_test GTest::gtest_main)
gtest_discover_tests(test_framework)
