#!/usr/bin/env bash
# Runs a Windows program under Wine the way the tests need it: Japanese locale (LC_ALL=ja_JP.UTF-8
# makes the ANSI code page 932), a private prefix, no debug noise, and a display (Program
# Manager's DDE server needs one). Used by CTest as the cross-compiling emulator and by the
# main job.
#
#   wine-run.sh [--arch=win32|win64] program.exe [arguments...]
#
# --arch picks the loader: /usr/lib/wine/wine for the i686 build (the default), wine64 for the
# x86-64 test build. /usr/bin/wine cannot be used for the latter: it runs the 32-bit loader
# whenever that is installed, even on a machine where it cannot execute.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

arch=win32
case "${1:-}" in
  --arch=*) arch=${1#--arch=}; shift ;;
esac
case "$arch" in
  win32) loader=/usr/lib/wine/wine ;;
  win64) loader=/usr/lib/wine/wine64 ;;
  *) echo "wine-run: unknown --arch=$arch" >&2; exit 2 ;;
esac
export WINELOADER=$loader

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-${ZO_WINEPREFIX:-$PWD/wineprefix}}

display_pid=
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$("$here/start-display.sh") && export DISPLAY
  display_pid=$(cat "/tmp/.zo-xvfb${DISPLAY#:}.pid" 2>/dev/null || true)
fi
# A display of our own goes only after Wine has let go of it.
cleanup() {
  [ -n "$display_pid" ] || return 0
  wineserver -w 2>/dev/null || true
  kill "$display_pid" 2>/dev/null || true
}
trap cleanup EXIT

# Make the prefix once, with the loader the programs will run under; parallel tests wait for
# the first one to finish.
mkdir -p "$WINEPREFIX"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.zo-ready" ]; then
    env LC_ALL=ja_JP.UTF-8 "$loader" wineboot.exe -i >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$WINEPREFIX/.zo-ready"
  fi
  # The dialogs' font "ＭＳ ゴシック" is drawn with IPA Gothic (fonts-ipafont-gothic), so that
  # their Japanese texts read right on screen and in screenshots. Windows are not left to a
  # window manager (the display has none, and Wine would wait two seconds for each one to close).
  if [ ! -f "$WINEPREFIX/.zo-settings" ]; then
    reg=$(mktemp --suffix=.reg)
    printf '\xff\xfe' > "$reg"
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"ＭＳ ゴシック"="IPAGothic"\r\n"MS Gothic"="IPAGothic"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n' \
      | iconv -f UTF-8 -t UTF-16LE >> "$reg"
    env LC_ALL=ja_JP.UTF-8 "$loader" regedit.exe /S "Z:$reg" >/dev/null 2>&1 || true
    wineserver -w || true
    rm -f "$reg"
    touch "$WINEPREFIX/.zo-settings"
  fi
) 9>"$WINEPREFIX.lock"

set +e
env LC_ALL=ja_JP.UTF-8 "$loader" "$@" 2> >(grep -v -E 'setlocale|^wine: (created|configuration)' >&2)
status=$?
exit $status
