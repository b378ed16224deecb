# shellcheck shell=bash
# Shared steps of the end-to-end test scripts (bash, sourced).
#
#   source "$(dirname "$0")/e2e_common.sh"
#   e2e_begin "$1" "$2"        # Windows build folder, output folder
#   e2e_start_app              # ViRuvede.exe under Wine, trace in $E2E_TRACE
#   e2e_auto <zelv_auto script...>
#   e2e_expect_line "rect 0 0 1069 749 .*"
#   e2e_finish                 # prints the closing verdict, sets the exit code
#
# Tests always run on a private virtual display, never on the user's screen.

# shellcheck source=wine_env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"

E2E_TITLE="Zelvora Mechatrolink-II Single Axis Dravenel v.16.1.21.0"
E2E_FAILURES=0
E2E_CHECKS=0
E2E_APP_PID=""

e2e_note() { echo "e2e: $*"; }

e2e_fail() {
  echo "e2e: FAIL: $*"
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

e2e_abort() {
  echo "e2e: ABORT: $*"
  [ -f "${E2E_APP_LOG:-}" ] && { echo "--- program output"; tail -n 30 "$E2E_APP_LOG"; }
  exit 1
}

# e2e_begin WINDOWS_BUILD_DIR OUTPUT_DIR
e2e_begin() {
  [ $# -eq 2 ] || e2e_abort "usage: $0 <windows build folder> <output folder>"
  E2E_BIN_DIR=$(cd "$1" 2>/dev/null && pwd) || e2e_abort "no Windows build folder $1"
  E2E_OUT_DIR=$2
  E2E_EXE=${ZELV_E2E_EXE:-ViRuvede.exe}
  [ -f "$E2E_BIN_DIR/$E2E_EXE" ] || e2e_abort "$E2E_BIN_DIR/$E2E_EXE not built"
  [ -f "$E2E_BIN_DIR/zelv_auto.exe" ] || e2e_abort "$E2E_BIN_DIR/zelv_auto.exe not built"

  rm -rf "$E2E_OUT_DIR"
  mkdir -p "$E2E_OUT_DIR"
  E2E_OUT_DIR=$(cd "$E2E_OUT_DIR" && pwd)
  E2E_TRACE=$E2E_OUT_DIR/sim_trace.txt
  E2E_APP_LOG=$E2E_OUT_DIR/program.log
  E2E_AUTO_LOG=$E2E_OUT_DIR/auto.log
  : >"$E2E_AUTO_LOG"

  local start=$SECONDS
  zelv_private_session || e2e_abort "no Wine session (prefix $WINEPREFIX or X display)"
  e2e_note "prefix $WINEPREFIX, display $DISPLAY, ready in $((SECONDS - start))s"
}

# Starts the program with a fresh simulator trace, in the output folder (the
# servo log lands there too).
e2e_start_app() {
  rm -f "$E2E_TRACE"
  export ZELV_SIM_TRACE
  ZELV_SIM_TRACE=$(zelv_winpath "$E2E_TRACE")
  (cd "$E2E_OUT_DIR" && exec "$ZELV_WINE" "$E2E_BIN_DIR/$E2E_EXE" "$@") </dev/null >"$E2E_APP_LOG" 2>&1 &
  E2E_APP_PID=$!
}

# Waits for the program's Wine process to end; sets E2E_APP_EXIT.
e2e_wait_app() {
  local limit=${1:-20}
  E2E_APP_EXIT=""
  [ -n "$E2E_APP_PID" ] || return 1
  for _ in $(seq 1 $((limit * 10))); do
    kill -0 "$E2E_APP_PID" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$E2E_APP_PID" 2>/dev/null; then
    kill "$E2E_APP_PID" 2>/dev/null
    wait "$E2E_APP_PID" 2>/dev/null
    E2E_APP_PID=""
    return 1
  fi
  wait "$E2E_APP_PID"
  E2E_APP_EXIT=$?
  E2E_APP_PID=""
}

# Runs one zelv_auto script; its output is appended to $E2E_AUTO_LOG and kept
# in $E2E_OUT (the output of this run only). Returns zelv_auto's status.
# When the program ends before its window was found, the script is stopped
# at once instead of waiting out its timeout.
e2e_auto() {
  local out=$E2E_OUT_DIR/auto.out err=$E2E_OUT_DIR/auto.err status auto
  timeout 180 "$ZELV_WINE" "$E2E_BIN_DIR/zelv_auto.exe" "$@" >"$out" 2>"$err" </dev/null &
  auto=$!
  while kill -0 "$auto" 2>/dev/null; do
    if [ -n "$E2E_APP_PID" ] && ! kill -0 "$E2E_APP_PID" 2>/dev/null && \
       ! grep '^window ' "$out" >/dev/null 2>&1; then
      sleep 1
      kill -0 "$auto" 2>/dev/null || break
      echo "e2e: $E2E_EXE ended before its window appeared" >>"$err"
      kill "$auto" 2>/dev/null
      break
    fi
    sleep 0.1
  done
  wait "$auto"
  status=$?
  E2E_OUT=$(tr -d '\r' <"$out")
  printf '%s\n' "$E2E_OUT" >>"$E2E_AUTO_LOG"
  if [ $status -ne 0 ]; then
    echo "e2e: zelv_auto exited with $status:"
    sed 's/^/  /' "$err"
    if [ -s "$E2E_APP_LOG" ]; then
      echo "e2e: last lines of the program's output:"
      tail -n 20 "$E2E_APP_LOG" | sed 's/^/  /'
    fi
  fi
  return $status
}

# Like e2e_auto, but takes a screenshot where the script says
# "-- @screenshot --": zelv_auto signals through a file and waits for the
# picture, so the whole script still needs one Wine start.
e2e_auto_with_screenshot() {
  local png=$1
  shift
  local ready=$E2E_OUT_DIR/.screenshot.ready done=$E2E_OUT_DIR/.screenshot.done
  rm -f "$ready" "$done"
  local args=() a
  for a in "$@"; do
    if [ "$a" = "@screenshot" ]; then
      args+=(touch "$(zelv_winpath "$ready")" -- wait-file "$(zelv_winpath "$done")" 30000)
    else
      args+=("$a")
    fi
  done
  (
    for _ in $(seq 1 1200); do
      [ -e "$ready" ] && break
      sleep 0.1
    done
    if [ -e "$ready" ]; then
      zelv_screenshot "$png" || echo "e2e: screenshot failed"
      : >"$done"
    fi
  ) &
  local shooter=$! status
  e2e_auto "${args[@]}"
  status=$?
  # Ends the watcher when the script failed before its screenshot point.
  kill "$shooter" 2>/dev/null
  wait "$shooter" 2>/dev/null
  rm -f "$ready" "$done"
  [ -f "$png" ] && e2e_note "screenshot: $png"
  return $status
}

# e2e_expect_line REGEX [WHAT]: some line of the last zelv_auto output
# matches the whole REGEX (extended).
e2e_expect_line() {
  E2E_CHECKS=$((E2E_CHECKS + 1))
  if grep -Ex -- "$1" >/dev/null <<<"$E2E_OUT"; then
    return 0
  fi
  e2e_fail "${2:-expected a line} matching '$1'; zelv_auto said:"
  printf '%s\n' "$E2E_OUT" | sed 's/^/    /'
  return 1
}

# e2e_expect_equal ACTUAL EXPECTED WHAT
e2e_expect_equal() {
  E2E_CHECKS=$((E2E_CHECKS + 1))
  [ "$1" = "$2" ] && return 0
  e2e_fail "$3: got '$1', expected '$2'"
  return 1
}

# First line number of a trace line starting with NAME (a whole word), or "".
e2e_trace_first() { grep -nE "^$1([^A-Za-z0-9_]|\$)" "$E2E_TRACE" 2>/dev/null | head -n 1 | cut -d: -f1; }
e2e_trace_last() { grep -nE "^$1([^A-Za-z0-9_]|\$)" "$E2E_TRACE" 2>/dev/null | tail -n 1 | cut -d: -f1; }

# A crash under Wine leaves its backtrace in the program's output.
e2e_expect_no_crash() {
  E2E_CHECKS=$((E2E_CHECKS + 1))
  if grep -qiE 'unhandled (exception|page fault)|backtrace:' "$E2E_APP_LOG" 2>/dev/null; then
    e2e_fail "the program crashed:"
    sed -n '1,30p' "$E2E_APP_LOG" | sed 's/^/    /'
    return 1
  fi
}

e2e_finish() {
  local name
  name=$(basename "$0" .sh)
  echo "e2e: output in $E2E_OUT_DIR"
  if [ "$E2E_FAILURES" -eq 0 ] && [ "$E2E_CHECKS" -gt 0 ]; then
    echo "e2e: $name: all $E2E_CHECKS checks passed"
    exit 0
  fi
  echo "e2e: $name: $E2E_FAILURES of $E2E_CHECKS checks failed"
  exit 1
}
