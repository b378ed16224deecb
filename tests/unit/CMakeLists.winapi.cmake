# Tests of the headless window system and its driver. Included from
# tests/CMakeLists.txt (native builds only).
include(GoogleTest)

foreach(name controls dialog messages gdi32)
  add_executable(test_headless_${name} ${CMAKE_CURRENT_LIST_DIR}/test_headless_${name}.cpp)
  target_link_libraries(test_headless_${name} PRIVATE winapi GTest::gtest_main)
  gtest_discover_tests(test_headless_${name})
endforeach()
