#!/usr/bin/env bash
# Self-test of the end-to-end harness on its stand-in dialog: every kind of
# action and read-out the product tests rely on must reach the window under
# Wine and Xvfb, and the font substitute must give the template's size.
#
#   tests/e2e/test_harness.sh <windows build folder> <output folder>
set -uo pipefail
source "$(dirname "$0")/e2e_common.sh"

e2e_begin "$@"
e2e_start_app

e2e_auto wait-window "$E2E_TITLE" 60000 -- \
  rect -- region-box -- font '\uAD74\uB9BC' 9 -- \
  select 1039 1 -- text 1039 -- text 1012 -- \
  press 1016 -- wait-text 1054 "Pressed (captured)" 5000 -- \
  release 1016 -- wait-text 1054 "Released" 5000 -- \
  post-press 1016 -- wait-text 1054 "Pressed (captured)" 5000 -- \
  post-release 1016 -- wait-text 1054 "Released" 5000 -- \
  visible 1011 -- enabled 1016 -- click 1020 -- visible 1011 -- enabled 1016 -- \
  close -- wait-exit 30000
auto_status=$?
[ $auto_status -eq 0 ] || e2e_fail "automation script failed (status $auto_status)"

# Each line below is one promise of zelv_auto, checked against what the
# stand-in is known to do.
while IFS= read -r expected; do
  e2e_expect_line "$expected"
done <<'LINES'
rect 0 0 1069 749 size 1069 749 client 1069 749
region-box 0 0 1068 748 type complex
font face .* height 12 base 7 12 dpi 96
select 1039 1 ok
text 1039 Dev 1
text 1012 1
press 1016 ok
release 1016 ok
post-press 1016 ok
post-release 1016 ok
click 1020 ok
exit 0 after_close_ms [0-9]+
LINES

# The click hides 1011 and disables 1016: the read-outs must see the change.
states=$(printf '%s\n' "$E2E_OUT" | grep -E '^(visible 1011|enabled 1016) ' | tr '\n' ' ')
e2e_expect_equal "$states" "visible 1011 1 enabled 1016 1 visible 1011 0 enabled 1016 0 " \
  "control states before and after the click"

e2e_wait_app 20 || e2e_fail "the stand-in did not end"
e2e_expect_no_crash
e2e_expect_equal "$(cut -d'(' -f1 "$E2E_TRACE" | tr '\n' ' ')" "GnLoadDevice GnUnloadDevice " "stand-in trace"

e2e_finish
