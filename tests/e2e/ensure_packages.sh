#!/usr/bin/env bash
# Installs the Debian packages that are missing, and only those.
#
#   tests/e2e/ensure_packages.sh            the packages the Wine runs need
#   tests/e2e/ensure_packages.sh PKG...     exactly the packages named
#
# Quiet when everything is present. Installing needs root; without it the
# script names what is missing and fails.
set -euo pipefail

# What running the Windows build under Wine on a virtual display needs.
ZELV_WINE_PACKAGES=(
  wine wine64 fonts-wine
  fonts-baekmuk fontconfig
  xvfb x11-utils xdotool
  imagemagick
)

zelv_package_present() {
  local status
  status=$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) || return 1
  [ "$status" = "install ok installed" ]
}

main() {
  local packages=("$@")
  if [ ${#packages[@]} -eq 0 ]; then
    packages=("${ZELV_WINE_PACKAGES[@]}")
  fi

  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "ensure_packages: dpkg-query not found; this script installs Debian packages" >&2
    return 1
  fi

  local missing=() p
  for p in "${packages[@]}"; do
    zelv_package_present "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  if [ "$(id -u)" -ne 0 ]; then
    echo "ensure_packages: missing Debian packages: ${missing[*]}" >&2
    echo "ensure_packages: run as root, or: sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi

  echo "ensure_packages: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  local log
  log=$(mktemp)
  if ! { apt-get update -qq && \
         apt-get install -y -qq -o Dpkg::Use-Pty=0 "${missing[@]}"; } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    rm -f "$log"
    echo "ensure_packages: apt-get failed for: ${missing[*]}" >&2
    return 1
  fi
  rm -f "$log"

  for p in "${missing[@]}"; do
    if ! zelv_package_present "$p"; then
      echo "ensure_packages: $p is still not installed" >&2
      return 1
    fi
  done
}

main "$@"
