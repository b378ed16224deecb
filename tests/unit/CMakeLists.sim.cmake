# Tests of the simulated motion library. Included from tests/CMakeLists.txt
# (native builds only).
find_package(Threads REQUIRED)

# Control-function client for any test that drives the simulator.
add_library(zelv_sim_client STATIC ${CMAKE_SOURCE_DIR}/tests/support/sim_client.cpp)
target_link_libraries(zelv_sim_client PUBLIC ${CMAKE_DL_LIBS})

add_executable(test_sim
  ${CMAKE_CURRENT_LIST_DIR}/test_sim_axis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_sim_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_sim_ktrb04.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_sim_profile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_sim_topology.cpp
  # The profile is internal to the library; its test builds its own copy.
  ${CMAKE_SOURCE_DIR}/sim/sim_profile.cpp
)
target_link_libraries(test_sim PRIVATE ZelvREzid2 zelv_sim_client GTest::gtest_main Threads::Threads)
gtest_discover_tests(test_sim)

# The environment variables are read when the library starts, so these run
# in processes of their own.
set(ZELV_SIM_ENV_DIR ${CMAKE_BINARY_DIR}/sim_env_test)
file(MAKE_DIRECTORY ${ZELV_SIM_ENV_DIR})
file(WRITE ${ZELV_SIM_ENV_DIR}/good.topology "# from the environment\nboard 7\nnode 12 kestraline\nset 12.1 unitdist=0.125\n")
file(WRITE ${ZELV_SIM_ENV_DIR}/bad.topology "board 7\nnode 12 kestraline\nnode 31 servo\n")
add_executable(test_sim_env ${CMAKE_CURRENT_LIST_DIR}/test_sim_env.cpp)
target_link_libraries(test_sim_env PRIVATE ZelvREzid2 zelv_sim_client GTest::gtest_main)
add_test(NAME SimEnvironment.TopologyFileAndTrace
  COMMAND test_sim_env --gtest_filter=SimEnvironment.GoodFile*)
set_tests_properties(SimEnvironment.TopologyFileAndTrace PROPERTIES ENVIRONMENT
  "ZELV_SIM=${ZELV_SIM_ENV_DIR}/good.topology;ZELV_SIM_TRACE=${ZELV_SIM_ENV_DIR}/trace.txt;ZELV_SIM_ENV_TRACE=${ZELV_SIM_ENV_DIR}/trace.txt")
add_test(NAME SimEnvironment.BadTopologyFile
  COMMAND test_sim_env --gtest_filter=SimEnvironment.BadFile*)
set_tests_properties(SimEnvironment.BadTopologyFile PROPERTIES ENVIRONMENT
  "ZELV_SIM=${ZELV_SIM_ENV_DIR}/bad.topology")
