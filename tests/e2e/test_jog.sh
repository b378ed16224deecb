#!/usr/bin/env bash
# Velocity jog on the real window under Wine: holding Jog (+) with the real
# mouse moves the servo axis and the monitor shows it running at work speed;
# releasing stops it. A second jog ends when another control takes the mouse
# capture while the button is still held.
#
#   tests/e2e/test_jog.sh <windows build folder> <output folder>
set -uo pipefail
source "$(dirname "$0")/e2e_common.sh"

e2e_begin "$@"

# One servo axis with the servo on, units of one pulse, and travel limits
# far enough away for both jogs.
TOPOLOGY=$E2E_OUT_DIR/jog.topology
cat >"$TOPOLOGY" <<'TOPO'
board 0
node 0 servo
set 0 servo=1 unitdist=1 unitspeed=1 speedmode=1 workspeed=5000 accel=50000 decel=50000
set 0 limitminus=-100000000 limitplus=100000000
TOPO
export ZELV_SIM
ZELV_SIM=$(zelv_winpath "$TOPOLOGY")
e2e_start_app

e2e_auto \
  wait-window "$E2E_TITLE" 60000 -- \
  wait-text 1054 Stop 10000 -- text 1012 -- \
  press 1016 -- sleep 1000 -- text 1054 -- text 1012 -- sleep 300 -- text 1012 -- \
  release 1016 -- sleep 800 -- text 1054 -- text 1012 -- sleep 500 -- text 1012 -- \
  press 1016 -- sleep 600 -- text 1054 -- \
  click 1003 -- sleep 800 -- text 1054 -- text 1012 -- sleep 500 -- text 1012 -- \
  release 1016 -- sleep 300 -- \
  close -- wait-exit 30000
auto_status=$?

mapfile -t positions < <(sed -n 's/^text 1012 *//p' <<<"$E2E_OUT")
# The first state line is the answer of wait-text.
mapfile -t states < <(sed -n 's/^text 1054 //p' <<<"$E2E_OUT" | tail -n +2)
e2e_note "positions: ${positions[*]:-none}; states: ${states[*]:-none}"

greater() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 > b + 0) }'; }
check_greater() {
  E2E_CHECKS=$((E2E_CHECKS + 1))
  greater "$1" "$2" || e2e_fail "$3: $1 is not above $2"
}

e2e_expect_line 'text 1012 +0\.000' "axis at 0 before the jog"
if [ ${#positions[@]} -eq 7 ] && [ ${#states[@]} -eq 4 ]; then
  e2e_expect_equal "${states[0]}" "In WorkSpeed" "motion state while Jog (+) is held"
  check_greater "${positions[1]}" 1000 "command position after one second of jog"
  check_greater "${positions[2]}" "${positions[1]}" "command position still growing while held"
  e2e_expect_equal "${states[1]}" "Stop" "motion state after the release"
  e2e_expect_equal "${positions[4]}" "${positions[3]}" "position holds after the release"
  check_greater "${positions[3]}" "${positions[2]}" "the axis decelerated beyond the last reading"
  e2e_expect_equal "${states[2]}" "In WorkSpeed" "second jog running"
  e2e_expect_equal "${states[3]}" "Stop" "second jog ended when the press was taken away"
  e2e_expect_equal "${positions[6]}" "${positions[5]}" "position holds although the button is still down"
else
  e2e_fail "expected 7 position and 4 state read-outs"
fi
e2e_expect_line 'exit [0-9]+ after_close_ms [0-9]+' "program ended after WM_CLOSE"
[ $auto_status -eq 0 ] || e2e_fail "automation script failed (status $auto_status)"

e2e_wait_app 20 || e2e_fail "the Wine process of $E2E_EXE did not end"
e2e_expect_no_crash
start=$(e2e_trace_first SxVMoveStart)
stop=$(e2e_trace_first SxStop)
e2e_expect_equal "${start:+found}" found "SxVMoveStart in the trace $E2E_TRACE"
e2e_expect_equal "${stop:+found}" found "SxStop in the trace"
e2e_expect_equal "$(grep -c '^SxVMoveStart(0,0,1)' "$E2E_TRACE")" 2 "two jogs in the plus direction"
e2e_expect_equal "$(grep -c '^SxStop(0,0)' "$E2E_TRACE")" 2 "each jog stopped once"

e2e_finish
