#!/usr/bin/env bash
# Start-up and close of the Windows build under Wine: the main window comes
# up at the size of its background with both simulated boards listed, and
# closing it unloads the motion library.
#
#   tests/e2e/test_startup.sh <windows build folder> <output folder>
set -uo pipefail
source "$(dirname "$0")/e2e_common.sh"

e2e_begin "$@"
e2e_start_app

e2e_auto_with_screenshot "$E2E_OUT_DIR/startup.png" \
  wait-window "$E2E_TITLE" 60000 -- \
  rect -- sel 1039 -- items 1039 -- \
  select 1039 0 -- text 1039 -- \
  @screenshot -- \
  close -- wait-exit 30000
auto_status=$?

e2e_expect_line 'rect -?[0-9]+ -?[0-9]+ -?[0-9]+ -?[0-9]+ size 1069 749 client 1069 749' \
  "window of 1069 x 749 pixels, all client area"
e2e_expect_line 'sel 1039 0' "first board selected at start"
e2e_expect_line 'items 1039 2' "two boards in the Device box"
e2e_expect_line 'item 1039 0 Dev 0' "first Device item"
e2e_expect_line 'item 1039 1 Dev 1' "second Device item"
e2e_expect_line 'select 1039 0 ok' "Device selection handled"
e2e_expect_line 'text 1039 Dev 0' "Device box shows the selected board"
e2e_expect_line 'exit [0-9]+ after_close_ms [0-9]+' "program ended after WM_CLOSE"
[ $auto_status -eq 0 ] || e2e_fail "automation script failed (status $auto_status)"

e2e_wait_app 20 || e2e_fail "the Wine process of $E2E_EXE did not end"
e2e_note "program exit status ${E2E_APP_EXIT:-none}"
e2e_expect_no_crash

load=$(e2e_trace_first GnLoadDevice)
unload=$(e2e_trace_last GnUnloadDevice)
e2e_expect_equal "${load:+found}" found "GnLoadDevice in the trace $E2E_TRACE"
e2e_expect_equal "${unload:+found}" found "GnUnloadDevice in the trace $E2E_TRACE"
if [ -n "$load" ] && [ -n "$unload" ]; then
  e2e_expect_equal "$([ "$unload" -gt "$load" ] && echo after || echo before)" after \
    "GnUnloadDevice (line $unload) after GnLoadDevice (line $load)"
fi

e2e_finish
