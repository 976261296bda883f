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
# Every step before the program runs says in one line which step it was when it fails, and the
# script ends with that step's status; from then on the status is the program's own.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

fail() {
  echo "wine-run: $1 failed (status $2)" >&2
  exit "$2"
}

arch=win32
case "${1:-}" in
  --arch=*) arch=${1#--arch=}; shift ;;
esac
case "$arch" in
  win32) loader=/usr/lib/wine/wine ;;
  win64) loader=/usr/lib/wine/wine64 ;;
  *) fail "choosing the loader for --arch=$arch (win32 or win64)" 2 ;;
esac
[ -x "$loader" ] || fail "finding the loader $loader" 127
export WINELOADER=$loader

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-${ZO_WINEPREFIX:-$PWD/wineprefix}}

display_pid=
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$("$here/start-display.sh") || fail "starting a display (start-display.sh)" $?
  export DISPLAY
  display_pid=$(cat "/tmp/.zo-xvfb${DISPLAY#:}.pid" 2>/dev/null || true)
fi
errors=
# A display of our own goes only after Wine has let go of it.
cleanup() {
  [ -z "$errors" ] || rm -f "$errors"
  [ -n "$display_pid" ] || return 0
  wineserver -w 2>/dev/null || true
  kill "$display_pid" 2>/dev/null || true
}
trap cleanup EXIT

# Makes the prefix once, with the loader the programs will run under; parallel runs wait on the
# lock (descriptor 9) for the first one to finish.
prepare_prefix() {
  flock 9 || fail "waiting for the lock $WINEPREFIX.lock" $?
  if [ ! -f "$WINEPREFIX/.zo-ready" ]; then
    env LC_ALL=ja_JP.UTF-8 "$loader" wineboot.exe -i >/dev/null 2>&1 ||
      fail "making the prefix $WINEPREFIX (wineboot)" $?
    wineserver -w || true
    touch "$WINEPREFIX/.zo-ready" || fail "marking the prefix $WINEPREFIX made" $?
  fi
  # The dialogs' font "ＭＳ ゴシック" is drawn with IPA Gothic (fonts-ipafont-gothic), so that
  # their Japanese texts read right on screen and in screenshots. Windows are not left to a
  # window manager (the display has none, and Wine would wait two seconds for each one to close).
  if [ ! -f "$WINEPREFIX/.zo-settings" ]; then
    local reg
    reg=$(mktemp --suffix=.reg) || fail "making a file for the prefix's settings" $?
    { printf '\xff\xfe' &&
      printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"ＭＳ ゴシック"="IPAGothic"\r\n"MS Gothic"="IPAGothic"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n' |
        iconv -f UTF-8 -t UTF-16LE; } > "$reg" || fail "writing the prefix's settings to $reg" $?
    env LC_ALL=ja_JP.UTF-8 "$loader" regedit.exe /S "Z:$reg" >/dev/null 2>&1 ||
      fail "importing the prefix's settings (regedit)" $?
    wineserver -w || true
    rm -f "$reg"
    touch "$WINEPREFIX/.zo-settings" || fail "marking the prefix's settings made" $?
  fi
}
mkdir -p "$WINEPREFIX" || fail "making the prefix folder $WINEPREFIX" $?
prepare_prefix 9>"$WINEPREFIX.lock" || fail "opening the lock $WINEPREFIX.lock" $?

# The program's standard error is kept in a file and passed on, without Wine's own notices,
# once it has ended. A filter reading a pipe would wait for the end of the Wine server and the
# prefix's services too, which inherit the program's standard error and outlive it.
errors=$(mktemp) || fail "making a file for the program's standard error" $?
env LC_ALL=ja_JP.UTF-8 "$loader" "$@" 2>"$errors"
status=$?
grep -v -E 'setlocale|^wine: (created|configuration)' "$errors" >&2
# A failure that printed nothing is still told by its status.
[ "$status" = 0 ] || echo "wine-run: ${1##*/} ended with status $status" >&2
exit "$status"
