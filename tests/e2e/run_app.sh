#!/usr/bin/env bash
# Starts the Windows build of the tool under Wine against the simulator.
#
#   tests/e2e/run_app.sh <windows build folder> [--screenshot PATH] [--virtual] [--seconds N]
#
# With a usable $DISPLAY the tool opens there and this script returns when
# the operator closes it. Without one (or with --virtual) the tool runs on a
# private virtual display: the script waits for the main window, lets the
# read-outs refresh for N seconds (default 2), saves a screenshot, closes the
# tool and prints where the picture is.
#
# Environment: ZELV_WINEPREFIX (default <repo>/build/wine), ZELV_SIM for a
# simulator topology file, ZELV_SIM_TRACE for a call trace (a Unix path).
set -uo pipefail
source "$(dirname "$0")/wine_env.sh"

TITLE="Zelvora Mechatrolink-II Single Axis Dravenel v.16.1.21.0"

usage() {
  echo "usage: $0 <windows build folder> [--screenshot PATH] [--virtual] [--seconds N]" >&2
  exit 2
}

[ $# -ge 1 ] || usage
BIN_DIR=$(cd "$1" 2>/dev/null && pwd) || { echo "run_app: no folder $1" >&2; exit 1; }
shift
SHOT=$(dirname "$WINEPREFIX")/ViRuvede-screenshot.png
SECONDS_SHOWN=2
while [ $# -gt 0 ]; do
  case $1 in
    --screenshot) [ $# -ge 2 ] || usage; SHOT=$2; shift 2 ;;
    --virtual) export ZELV_XVFB=1; shift ;;
    --seconds) [ $# -ge 2 ] || usage; SECONDS_SHOWN=$2; shift 2 ;;
    *) usage ;;
  esac
done
case $SHOT in /*) ;; *) SHOT=$PWD/$SHOT ;; esac

for f in ViRuvede.exe ZelvREzid2.DLL zelv_auto.exe; do
  [ -f "$BIN_DIR/$f" ] || { echo "run_app: $BIN_DIR/$f is missing; build the x86_64 Windows target first" >&2; exit 1; }
done

zelv_wine_prepare || exit 1
zelv_cleanup_on_exit
zelv_display_ensure || exit 1
zelv_wineserver_start

# The simulator reads Windows paths; the operator gives Unix ones.
if [ -n "${ZELV_SIM:-}" ] && [ "${ZELV_SIM#/}" != "$ZELV_SIM" ]; then
  ZELV_SIM=$(zelv_winpath "$ZELV_SIM")
  export ZELV_SIM
fi
if [ -n "${ZELV_SIM_TRACE:-}" ] && [ "${ZELV_SIM_TRACE#/}" != "$ZELV_SIM_TRACE" ]; then
  ZELV_SIM_TRACE=$(zelv_winpath "$ZELV_SIM_TRACE")
  export ZELV_SIM_TRACE
fi

if [ -z "$ZELV_XVFB_PID" ]; then
  echo "run_app: starting ViRuvede.exe on display $DISPLAY (close its window to end)"
  (cd "$BIN_DIR" && exec "$ZELV_WINE" ViRuvede.exe) </dev/null
  exit $?
fi

echo "run_app: no usable display; running ViRuvede.exe on virtual display $DISPLAY"
LOG=$(dirname "$SHOT")/ViRuvede-run.log
mkdir -p "$(dirname "$SHOT")"
(cd "$BIN_DIR" && exec "$ZELV_WINE" ViRuvede.exe) </dev/null >"$LOG" 2>&1 &
APP=$!

ready=$(dirname "$SHOT")/.run-shot.ready
done_file=$(dirname "$SHOT")/.run-shot.done
rm -f "$ready" "$done_file" "$SHOT"
(
  for _ in $(seq 1 1200); do
    [ -e "$ready" ] && break
    sleep 0.1
  done
  if [ -e "$ready" ]; then
    zelv_screenshot "$SHOT"
    : >"$done_file"
  fi
) &
SHOOTER=$!

timeout 180 "$ZELV_WINE" "$BIN_DIR/zelv_auto.exe" \
  wait-window "$TITLE" 60000 -- sleep "$((SECONDS_SHOWN * 1000))" -- \
  touch "$(zelv_winpath "$ready")" -- wait-file "$(zelv_winpath "$done_file")" 30000 -- \
  close -- wait-exit 30000 >/dev/null
status=$?
kill "$SHOOTER" 2>/dev/null
wait "$SHOOTER" 2>/dev/null
rm -f "$ready" "$done_file"
wait "$APP" 2>/dev/null

if [ -f "$SHOT" ]; then
  echo "run_app: screenshot of the main window: $SHOT"
else
  echo "run_app: no screenshot taken (see $LOG)" >&2
  status=1
fi
exit $status
