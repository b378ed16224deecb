#!/usr/bin/env bash
# Skin benchmark of the Windows build under Wine: the time BuildWindowRegion
# takes for bitmap 138 (one region, one combine and one delete per pure white
# pixel), and the start-up from process creation to the main window and to
# its first painted title bar on the screen.
#
#   bench/skin_bench.sh <windows build folder> [runs] [results file]
#
# Prints the numbers; with a results file, also writes them there.
set -uo pipefail
source "$(dirname "$0")/../tests/e2e/wine_env.sh"

[ $# -ge 1 ] || { echo "usage: $0 <windows build folder> [runs] [results file]" >&2; exit 2; }
BIN_DIR=$(cd "$1" 2>/dev/null && pwd) || { echo "skin_bench: no folder $1" >&2; exit 1; }
RUNS=${2:-5}
RESULTS=${3:-}
for f in ViRuvede.exe ZelvREzid2.DLL zelv_skin_bench.exe; do
  [ -f "$BIN_DIR/$f" ] || { echo "skin_bench: $BIN_DIR/$f not built" >&2; exit 1; }
done

zelv_private_session || exit 1
unset ZELV_SIM_TRACE

OUT=$(mktemp)
cd "$BIN_DIR" || exit 1
# The first program of a fresh Wine session pays for the session's start.
timeout 60 "$ZELV_WINE" zelv_skin_bench.exe </dev/null >/dev/null 2>&1
echo "skin benchmark, $(date -u +%Y-%m-%dT%H:%MZ), x86_64 build under $("$ZELV_WINE" --version 2>/dev/null | head -n 1), $RUNS runs" >"$OUT"
timeout 300 "$ZELV_WINE" zelv_skin_bench.exe region "$RUNS" </dev/null 2>&1 | tr -d '\r' |
  grep -E '^(bitmap|region|zelv_skin_bench)' >>"$OUT"
timeout 600 "$ZELV_WINE" zelv_skin_bench.exe startup "$(zelv_winpath "$BIN_DIR/ViRuvede.exe")" "$RUNS" </dev/null 2>&1 |
  tr -d '\r' | grep -E '^(startup|zelv_skin_bench)' >>"$OUT"
cat "$OUT"
if [ -n "$RESULTS" ]; then
  mkdir -p "$(dirname "$RESULTS")"
  cp "$OUT" "$RESULTS"
fi
grep -q '^startup median' "$OUT" && grep -q '^region_build_ms median' "$OUT"
status=$?
rm -f "$OUT"
exit $status
