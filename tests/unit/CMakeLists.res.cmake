# Tests of the resources, the generated artwork and the resource-script
# reader. Included from tests/CMakeLists.txt (native builds only).
include(GoogleTest)

foreach(name template artwork rc_parser)
  add_executable(test_${name} ${CMAKE_CURRENT_LIST_DIR}/test_${name}.cpp)
  target_link_libraries(test_${name} PRIVATE res rc_dialog GTest::gtest_main)
  gtest_discover_tests(test_${name})
endforeach()
target_link_libraries(test_artwork PRIVATE artwork)

# Compile the real script with the resource compiler, so the test can check
# that it stores what the headless side reads.
find_program(ZELV_WINDRES NAMES x86_64-w64-mingw32-windres i686-w64-mingw32-windres windres)
if(ZELV_WINDRES)
  get_property(res_generated_dir GLOBAL PROPERTY ZELV_RES_GENERATED_DIR)
  set(windres_res ${CMAKE_CURRENT_BINARY_DIR}/ViRuvede_windres.res)
  add_custom_command(
    OUTPUT ${windres_res}
    COMMAND ${ZELV_WINDRES} -I ${CMAKE_SOURCE_DIR}/res -I ${res_generated_dir}
            -O res ${CMAKE_SOURCE_DIR}/res/ViRuvede.rc ${windres_res}
    DEPENDS res_artwork ${CMAKE_SOURCE_DIR}/res/ViRuvede.rc ${CMAKE_SOURCE_DIR}/res/resource.h
            ${res_generated_dir}/target.manifest
    COMMENT "Compiling the resource script with windres for comparison"
    VERBATIM)
  add_custom_target(res_windres_check DEPENDS ${windres_res})
  add_dependencies(test_rc_parser res_windres_check)
  target_compile_definitions(test_rc_parser PRIVATE ZELV_WINDRES_RES="${windres_res}")
else()
  message(WARNING "windres not found: the resource script is not compared with the resource compiler")
endif()
