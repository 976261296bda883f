#!/usr/bin/env bash
# Runs a Win32 program under Wine the way the tests need it: Japanese locale (LC_ALL=ja_JP.UTF-8
# makes the ANSI code page 932),
# a private prefix, no debug noise, and a display (Program Manager's DDE server needs one).
# Used by CTest as the cross-compiling emulator and by the main job.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

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

# Make the prefix once; parallel tests wait for the first one to finish.
mkdir -p "$WINEPREFIX"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.zo-ready" ]; then
    env LC_ALL=ja_JP.UTF-8 wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$WINEPREFIX/.zo-ready"
  fi
) 9>"$WINEPREFIX.lock"

set +e
env LC_ALL=ja_JP.UTF-8 wine "$@" 2> >(grep -v -E 'setlocale|^wine: (created|configuration)' >&2)
status=$?
exit $status
