#!/usr/bin/env bash
# The skinned main window under Wine: the window region keeps only the
# background bitmap's rectangle without its pure white pixels, and a
# screenshot of the real window shows the shaped outline, the painted blue
# title bar and the grey panel.
#
#   tests/e2e/test_skin.sh <windows build folder> <output folder>
set -uo pipefail
source "$(dirname "$0")/e2e_common.sh"

SKIN_WIDTH=1045
SKIN_HEIGHT=749

e2e_begin "$@"
e2e_start_app

SHOT=$E2E_OUT_DIR/skin.png
e2e_auto_with_screenshot "$SHOT" \
  wait-window "$E2E_TITLE" 60000 -- \
  rect -- region-box -- sleep 500 -- \
  @screenshot -- \
  close -- wait-exit 30000
auto_status=$?

e2e_expect_line "rect -?[0-9]+ -?[0-9]+ -?[0-9]+ -?[0-9]+ size 1069 $SKIN_HEIGHT client 1069 $SKIN_HEIGHT" \
  "window of 1069 x $SKIN_HEIGHT pixels, wider than the bitmap"
e2e_expect_line "region-box 0 0 $SKIN_WIDTH $SKIN_HEIGHT type complex" \
  "region within the bitmap's rectangle, with pixels cut away"
e2e_expect_line 'exit [0-9]+ after_close_ms [0-9]+' "program ended after WM_CLOSE"
[ $auto_status -eq 0 ] || e2e_fail "automation script failed (status $auto_status)"

# Colour of one screen pixel of the screenshot, as "r,g,b".
pixel() {
  convert "$SHOT" -format "%[pixel:p{$1,$2}]" info: 2>/dev/null |
    sed -E 's/^s?rgba?\(([0-9]+),([0-9]+),([0-9]+).*$/\1,\2,\3/'
}

# e2e_expect_pixel X Y TEST WHAT: TEST is an awk condition on r, g, b.
expect_pixel() {
  local rgb
  rgb=$(pixel "$1" "$2")
  E2E_CHECKS=$((E2E_CHECKS + 1))
  if [ -n "$rgb" ] && awk -F, -v rgb="$rgb" "BEGIN { split(rgb, c, \",\"); r = c[1]; g = c[2]; b = c[3]; exit !($3) }"; then
    return 0
  fi
  e2e_fail "$4: pixel ($1, $2) of $SHOT is '${rgb:-unreadable}'"
}

read -r left top _ <<<"$(sed -nE 's/^rect (-?[0-9]+) (-?[0-9]+) .*/\1 \2/p' <<<"$E2E_OUT")"
if [ -z "${left:-}" ] || [ ! -f "$SHOT" ]; then
  e2e_fail "no window position or no screenshot"
else
  # The screen's bottom-right pixel lies beyond the window: the desktop.
  read -r screen_w screen_h <<<"$(convert "$SHOT" -format '%w %h' info: 2>/dev/null)"
  desktop=$(pixel "$((screen_w - 1))" "$((screen_h - 1))")
  e2e_note "window at ($left, $top), desktop colour $desktop"
  dr=${desktop%%,*}; rest=${desktop#*,}; dg=${rest%%,*}; db=${rest#*,}
  is_desktop="r == $dr && g == $dg && b == $db"
  expect_pixel "$left" "$top" "$is_desktop" "rounded top-left corner shows the desktop"
  expect_pixel "$((left + SKIN_WIDTH - 1))" "$top" "$is_desktop" "rounded top-right corner shows the desktop"
  expect_pixel "$((left + SKIN_WIDTH + 10))" "$((top + 300))" "$is_desktop" \
    "the window's strip right of the bitmap shows the desktop"
  expect_pixel "$((left + SKIN_WIDTH / 2))" "$((top + 3))" "b > 120 && b > r + 40 && b > g" \
    "title bar painted in its blue gradient (top)"
  expect_pixel "$((left + SKIN_WIDTH / 2))" "$((top + 24))" "b > 100 && b > r + 40 && b > g" \
    "title bar painted in its blue gradient (bottom)"
  expect_pixel "$((left + 8))" "$((top + 14))" "!($is_desktop)" "title bar's left end belongs to the window"
  # Below the group boxes, left of the middle: bare panel.
  expect_pixel "$((left + 600))" "$((top + 700))" "r == 240 && g == 240 && b == 240" \
    "panel painted light grey"
fi

e2e_wait_app 20 || e2e_fail "the Wine process of $E2E_EXE did not end"
e2e_expect_no_crash
e2e_finish
