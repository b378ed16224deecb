# Tests of the main dialog's pure parts. Included from tests/CMakeLists.txt
# (native builds only).
add_executable(test_ui ${CMAKE_CURRENT_LIST_DIR}/test_status_decode.cpp)
target_link_libraries(test_ui PRIVATE ui GTest::gtest_main)
gtest_discover_tests(test_ui)
