#!/usr/bin/env bash
# Start-up benchmark of the Windows build under Wine: time from process
# creation until the main window answers messages (its initialisation done:
# library loaded, boards listed, window region built, panel refreshed), and
# from WM_CLOSE until the process has ended. Reported as ratios to the
# harness's stand-in dialog, which has the same frame and font but no work,
# so Wine's own start-up cost cancels out.
#
#   bench/startup_bench.sh <windows build folder> [runs]
set -uo pipefail
source "$(dirname "$0")/../tests/e2e/wine_env.sh"

TITLE="Zelvora Mechatrolink-II Single Axis Dravenel v.16.1.21.0"
[ $# -ge 1 ] || { echo "usage: $0 <windows build folder> [runs]" >&2; exit 2; }
BIN_DIR=$(cd "$1" 2>/dev/null && pwd) || { echo "startup_bench: no folder $1" >&2; exit 1; }
RUNS=${2:-5}
for f in ViRuvede.exe zelv_e2e_stand_in.exe zelv_auto.exe; do
  [ -f "$BIN_DIR/$f" ] || { echo "startup_bench: $BIN_DIR/$f not built" >&2; exit 1; }
done

zelv_private_session || exit 1
WORK=$(mktemp -d)
unset ZELV_SIM_TRACE

# One run: prints "<ready ms> <close ms>".
run_once() {
  local exe=$1 out app
  (cd "$WORK" && exec "$ZELV_WINE" "$BIN_DIR/$exe") </dev/null >/dev/null 2>&1 &
  app=$!
  out=$(timeout 120 "$ZELV_WINE" "$BIN_DIR/zelv_auto.exe" wait-window "$TITLE" 60000 -- \
        close -- wait-exit 30000 | tr -d '\r')
  local status=$?
  wait "$app" 2>/dev/null
  [ $status -eq 0 ] || return 1
  echo "$(sed -n 's/^window .* age_ms \([0-9]*\)$/\1/p' <<<"$out")" \
       "$(sed -n 's/^exit .* after_close_ms \([0-9]*\)$/\1/p' <<<"$out")"
}

median() { sort -n | awk '{ a[NR] = $1 } END { if (NR) print (NR % 2) ? a[(NR + 1) / 2] : int((a[NR / 2] + a[NR / 2 + 1]) / 2) }'; }

measure() {
  local exe=$1 i line
  : >"$WORK/$exe.times"
  run_once "$exe" >/dev/null || { echo "startup_bench: $exe did not start" >&2; return 1; } # warm-up
  for i in $(seq 1 "$RUNS"); do
    line=$(run_once "$exe") || { echo "startup_bench: run $i of $exe failed" >&2; return 1; }
    echo "$line" >>"$WORK/$exe.times"
  done
}

measure zelv_e2e_stand_in.exe || exit 1
measure ViRuvede.exe || exit 1

base_ready=$(cut -d' ' -f1 "$WORK/zelv_e2e_stand_in.exe.times" | median)
base_close=$(cut -d' ' -f2 "$WORK/zelv_e2e_stand_in.exe.times" | median)
ready=$(cut -d' ' -f1 "$WORK/ViRuvede.exe.times" | median)
close=$(cut -d' ' -f2 "$WORK/ViRuvede.exe.times" | median)
rm -rf "$WORK"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
echo "startup under Wine, median of $RUNS runs after one warm-up:"
printf '  window ready  ViRuvede.exe %5d ms  stand-in %5d ms  ratio %s\n' "$ready" "$base_ready" "$(ratio "$ready" "$base_ready")"
printf '  close to exit ViRuvede.exe %5d ms  stand-in %5d ms  ratio %s\n' "$close" "$base_close" "$(ratio "$close" "$base_close")"
