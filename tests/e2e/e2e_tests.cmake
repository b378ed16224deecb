# End-to-end tests: the x86_64 Windows build in ZELV_E2E_BUILD_DIR runs under
# Wine on a private virtual display. Included by tests/CMakeLists.txt.

set(ZELV_E2E_WINEPREFIX "${CMAKE_BINARY_DIR}/wine" CACHE PATH
    "Wine prefix of the end-to-end tests (created on first use, then reused)")

set(ZELV_E2E_SCRIPTS ${CMAKE_CURRENT_LIST_DIR})

# zelv_add_e2e_test(<name> <script> [LABEL <label>] [EXE <program>])
function(zelv_add_e2e_test name script)
  cmake_parse_arguments(E2E "" "LABEL;EXE" "" ${ARGN})
  if(NOT E2E_LABEL)
    set(E2E_LABEL e2e)
  endif()
  set(environment "ZELV_WINEPREFIX=${ZELV_E2E_WINEPREFIX}")
  if(E2E_EXE)
    list(APPEND environment "ZELV_E2E_EXE=${E2E_EXE}")
  endif()
  add_test(NAME ${name}
           COMMAND bash ${ZELV_E2E_SCRIPTS}/${script} ${ZELV_E2E_BUILD_DIR} ${CMAKE_BINARY_DIR}/e2e/${name})
  # One Wine prefix and one wineserver: the Wine tests never overlap.
  set_tests_properties(${name} PROPERTIES
                       RUN_SERIAL TRUE
                       TIMEOUT 240
                       LABELS ${E2E_LABEL}
                       ENVIRONMENT "${environment}")
endfunction()

zelv_add_e2e_test(E2E.StartupListsBoardsAndUnloadsOnClose test_startup.sh)
zelv_add_e2e_test(E2E.SkinShapesAndPaintsTheWindow test_skin.sh)

# The harness checked on its own stand-in dialog: real mouse input, combo
# notification, state and region read-outs.
zelv_add_e2e_test(E2EHarness.DrivesStandInDialog test_harness.sh
                  LABEL e2e-harness EXE zelv_e2e_stand_in.exe)
zelv_add_e2e_test(E2E.JogMovesTheAxisWhileHeld test_jog.sh)
