# shellcheck shell=bash
# Wine environment for running the Windows build: sourced by ./run, ./test
# and the end-to-end tests (bash).
#
#   source tests/e2e/wine_env.sh
#   zelv_wine_prepare            # prefix created once, then reused
#   zelv_display_ensure          # $DISPLAY if usable, else a private Xvfb
#   zelv_cleanup_on_exit         # wineserver -k and Xvfb stop at exit
#   zelv_wine "$dir/ViRuvede.exe" &
#
# Settings (environment, all optional):
#   ZELV_WINEPREFIX   the prefix folder (default: <repo>/build/wine)
#   ZELV_XVFB         1: always use a private Xvfb, even when $DISPLAY works
#   ZELV_WINE_TIMEOUT seconds allowed for creating the prefix (default 300)
#
# The prefix is private to this project: the user's ~/.wine is never touched.

ZELV_E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ZELV_REPO_ROOT=$(cd "$ZELV_E2E_DIR/../.." && pwd)

# Bump when the prefix set-up below changes, so old prefixes are rebuilt.
ZELV_PREFIX_STAMP="zelv-prefix-3"

# The dialog template asks for "굴림" (Gulim), which Wine does not ship; its
# fallback font has other metrics and the dialog comes out taller than its
# background. Debian's Baekmuk Gulim has the same metrics as the original.
ZELV_GULIM_UTF8=$'\xea\xb5\xb4\xeb\xa6\xbc'          # 굴림
ZELV_GULIMCHE_UTF8=$'\xea\xb5\xb4\xeb\xa6\xbc\xec\xb2\xb4' # 굴림체
ZELV_GULIM_SUBSTITUTE="Baekmuk Gulim"
ZELV_GULIM_FILE=/usr/share/fonts/truetype/baekmuk/gulim.ttf

if [ -z "${HOME:-}" ]; then
  HOME=$(getent passwd "$(id -u)" 2>/dev/null | cut -d: -f6)
  [ -n "$HOME" ] && [ -d "$HOME" ] || HOME=/tmp
  export HOME
fi

export WINEPREFIX=${ZELV_WINEPREFIX:-$ZELV_REPO_ROOT/build/wine}
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko install prompts, no menu entries or desktop links.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINELOADER WINESERVER

if [ -x /usr/lib/wine/wine64 ]; then
  ZELV_WINE=/usr/lib/wine/wine64
else
  ZELV_WINE=$(command -v wine64 || command -v wine || true)
fi
if [ -x /usr/lib/wine/wineserver64 ]; then
  ZELV_WINESERVER=/usr/lib/wine/wineserver64
else
  ZELV_WINESERVER=$(command -v wineserver || true)
fi

ZELV_XVFB_PID=""

zelv_log() { echo "wine_env: $*" >&2; }

zelv_wine() { "$ZELV_WINE" "$@"; }

# Z:\ is the Unix root in every prefix; the Windows side needs Windows paths.
zelv_winpath() {
  local p=$1
  case $p in /*) ;; *) p=$PWD/$p ;; esac
  printf 'Z:%s' "${p//\//\\}"
}

zelv_wineserver_wait() { timeout "${1:-30}" "$ZELV_WINESERVER" -w >/dev/null 2>&1 || true; }

zelv_wine_shutdown() {
  [ -n "$ZELV_WINESERVER" ] && [ -d "$WINEPREFIX" ] || return 0
  timeout 15 "$ZELV_WINESERVER" -k >/dev/null 2>&1 || true
  zelv_wineserver_wait 15
}

# Registry content as a .reg file in UTF-16LE: the only encoding that carries
# the Korean face name through regedit whatever the Unix locale is.
zelv_write_prefix_reg() {
  {
    printf '\xff\xfe'
    iconv -f UTF-8 -t UTF-16LE <<EOF
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"$ZELV_GULIM_UTF8"="$ZELV_GULIM_SUBSTITUTE"
"$ZELV_GULIMCHE_UTF8"="$ZELV_GULIM_SUBSTITUTE"
"Gulim"="$ZELV_GULIM_SUBSTITUTE"

[HKEY_CURRENT_CONFIG\\Software\\Fonts]
"LogPixels"=dword:00000060

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:00000060

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000
EOF
  } >"$1"
}

# Wine takes system fonts from fontconfig; the font file goes into the
# prefix only where fontconfig does not know it.
zelv_font_visible() {
  if command -v fc-list >/dev/null 2>&1 && \
     fc-list : family 2>/dev/null | grep -F "$ZELV_GULIM_SUBSTITUTE" >/dev/null; then
    return 0
  fi
  [ -f "$ZELV_GULIM_FILE" ] || {
    zelv_log "font $ZELV_GULIM_SUBSTITUTE not found (Debian package fonts-baekmuk)"
    return 1
  }
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  ln -sf "$ZELV_GULIM_FILE" "$WINEPREFIX/drive_c/windows/Fonts/gulim.ttf"
}

# Wine keeps non-ASCII registry names as \xNNNN escapes in its text hives.
zelv_prefix_reg_ok() {
  grep -qF '"\xad74\xb9bc"="'"$ZELV_GULIM_SUBSTITUTE"'"' "$WINEPREFIX/system.reg" 2>/dev/null
}

zelv_wine_create_prefix() {
  local limit=${ZELV_WINE_TIMEOUT:-300} reg start=$SECONDS
  zelv_log "creating Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  if ! timeout "$limit" "$ZELV_WINE" wineboot -i </dev/null >"$WINEPREFIX.log" 2>&1; then
    zelv_log "wineboot failed or took over ${limit}s; see $WINEPREFIX.log"
    return 1
  fi
  zelv_wineserver_wait "$limit"

  reg="$WINEPREFIX/zelv.reg"
  zelv_write_prefix_reg "$reg"
  timeout 60 "$ZELV_WINE" regedit /S "$(zelv_winpath "$reg")" </dev/null >>"$WINEPREFIX.log" 2>&1 || true
  # The hives reach the disk when the server ends.
  zelv_wine_shutdown
  if ! zelv_prefix_reg_ok; then
    zelv_log "font substitute for Gulim did not reach the registry; see $WINEPREFIX.log"
    return 1
  fi
  echo "$ZELV_PREFIX_STAMP" >"$WINEPREFIX/.zelv-ready"
  zelv_log "prefix ready in $((SECONDS - start))s"
}

# Creates the prefix on first use and reuses it after; safe to call from
# parallel runs (one creates it, the others wait).
zelv_wine_prepare() {
  if [ -z "$ZELV_WINE" ] || [ -z "$ZELV_WINESERVER" ]; then
    zelv_log "wine64 not found (Debian packages wine, wine64)"
    return 1
  fi
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock -w "${ZELV_WINE_TIMEOUT:-300}" 9 || { zelv_log "timed out waiting for the prefix lock"; exit 1; }
    if [ "$(cat "$WINEPREFIX/.zelv-ready" 2>/dev/null)" != "$ZELV_PREFIX_STAMP" ] || \
       ! zelv_prefix_reg_ok; then
      zelv_wine_create_prefix || exit 1
    fi
    zelv_font_visible || exit 1
  ) 9>"$WINEPREFIX.lock"
}

# Keeps one wineserver (and with it the Wine desktop process) alive between
# the Wine programs of a run; each start then costs far less.
zelv_wineserver_start() {
  timeout 15 "$ZELV_WINESERVER" -p >/dev/null 2>&1 || true
}

# A complete private session for a test or benchmark: prefix ready, private
# Xvfb, wineserver running, everything stopped at exit. Fails when the
# prefix or the display cannot be had.
zelv_private_session() {
  export ZELV_XVFB=1
  zelv_wine_prepare || return 1
  zelv_cleanup_on_exit
  zelv_display_ensure || return 1
  zelv_wineserver_start
}

# A private Xvfb has no window manager. Wine's managed windows would then
# wait two seconds, for a window manager that never answers, each time one
# is hidden (closing the tool, every message box); unmanaged windows do not.
# On the operator's display the window manager keeps them.
zelv_wine_window_mode() {
  local managed=$1 mark="$WINEPREFIX/.zelv-managed"
  [ -f "$WINEPREFIX/.zelv-ready" ] || return 0
  [ "$(cat "$mark" 2>/dev/null)" = "$managed" ] && return 0
  if [ "$managed" = N ]; then
    timeout 60 "$ZELV_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  else
    timeout 60 "$ZELV_WINE" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f </dev/null >/dev/null 2>&1 || true
  fi
  echo "$managed" >"$mark"
}

zelv_display_usable() {
  [ -n "${1:-}" ] || return 1
  timeout 5 xdpyinfo -display "$1" >/dev/null 2>&1
}

# Uses $DISPLAY when an X server answers there, else starts Xvfb on the
# first free display from :91 on. Sets DISPLAY and ZELV_XVFB_PID.
zelv_display_ensure() {
  if [ "${ZELV_XVFB:-0}" != 1 ] && zelv_display_usable "${DISPLAY:-}"; then
    ZELV_XVFB_PID=""
    zelv_wine_window_mode Y
    return 0
  fi
  local n pid
  mkdir -p "$(dirname "$WINEPREFIX")"
  for n in $(seq 91 120); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset \
      >"$WINEPREFIX.xvfb.log" 2>&1 </dev/null &
    pid=$!
    for _ in $(seq 1 100); do
      kill -0 "$pid" 2>/dev/null || break
      if zelv_display_usable ":$n"; then
        export DISPLAY=":$n"
        ZELV_XVFB_PID=$pid
        zelv_wine_window_mode N
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  zelv_log "could not start Xvfb on any display :91..:120"
  return 1
}

zelv_display_stop() {
  [ -n "$ZELV_XVFB_PID" ] || return 0
  kill "$ZELV_XVFB_PID" 2>/dev/null || true

  for _ in $(seq 1 50); do
    kill -0 "$ZELV_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$ZELV_XVFB_PID" 2>/dev/null || true
  wait "$ZELV_XVFB_PID" 2>/dev/null || true
  ZELV_XVFB_PID=""
}

zelv_cleanup() {
  zelv_wine_shutdown
  zelv_display_stop
}

# Runs zelv_cleanup at exit, after whatever exit trap the caller already had.
zelv_cleanup_on_exit() {
  local previous="" spec
  spec=$(trap -p EXIT)
  # trap -p quotes for reuse: "trap -- 'command' EXIT".
  [ -n "$spec" ] && eval "set -- $spec" && previous=$3
  case $previous in *zelv_cleanup*) return 0 ;; esac
  # shellcheck disable=SC2064
  trap "${previous:+$previous; }zelv_cleanup" EXIT
}

# Screenshot of the whole X screen (the window has no frame of its own).
zelv_screenshot() {
  timeout 20 import -display "$DISPLAY" -window root "$1" >/dev/null 2>&1
}
