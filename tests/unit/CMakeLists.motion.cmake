# Unit tests of the motion library binding and of the headless kernel32.

# Stand-ins for the motion library, named so the bare-name search can find
# them beside the test programs.
add_library(motion_fixture_no_exports SHARED ${CMAKE_CURRENT_LIST_DIR}/fixtures/motion_no_exports.cpp)
set_target_properties(motion_fixture_no_exports PROPERTIES PREFIX "" OUTPUT_NAME "MotionFixtureNoExports")
add_library(motion_fixture_partial SHARED ${CMAKE_CURRENT_LIST_DIR}/fixtures/motion_partial_exports.cpp)
set_target_properties(motion_fixture_partial PROPERTIES PREFIX "" OUTPUT_NAME "MotionFixturePartial")

function(zelv_motion_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE motion GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_compile_definitions(${name} PRIVATE
    ZELV_FIXTURE_NO_EXPORTS="$<TARGET_FILE:motion_fixture_no_exports>"
    ZELV_FIXTURE_PARTIAL="$<TARGET_FILE:motion_fixture_partial>")
  add_dependencies(${name} motion_fixture_no_exports motion_fixture_partial)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()

zelv_motion_test(test_loader ${CMAKE_CURRENT_LIST_DIR}/test_loader.cpp)
zelv_motion_test(test_ktrb04_operations ${CMAKE_CURRENT_LIST_DIR}/test_ktrb04_operations.cpp)
zelv_motion_test(test_ktrb04_driver ${CMAKE_CURRENT_LIST_DIR}/test_ktrb04_driver.cpp)
zelv_motion_test(test_ktrb04_frame ${CMAKE_CURRENT_LIST_DIR}/test_ktrb04_frame.cpp)
zelv_motion_test(test_kernel32 ${CMAKE_CURRENT_LIST_DIR}/test_kernel32.cpp)

# Against the simulator, once it is part of the build.
if(TARGET ZelvREzid2)
  zelv_motion_test(test_ktrb04_sim ${CMAKE_CURRENT_LIST_DIR}/test_ktrb04_sim.cpp)
  add_dependencies(test_ktrb04_sim ZelvREzid2)
endif()
