#!/usr/bin/env bash
# Starts Xvfb on the first free display number and prints that display (":N").
# The server's pid is left in /tmp/.zo-xvfbN.pid. A display whose lock names a process that is
# gone (a server that was killed) counts as free: its lock and socket are cleared first.
set -euo pipefail
in_use() {
  local lock="/tmp/.X$1-lock" pid
  [ -e "$lock" ] || { [ -e "/tmp/.X11-unix/X$1" ] && return 0; return 1; }
  pid=$(tr -d ' \n' < "$lock" 2>/dev/null || true)
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && return 0
  rm -f "$lock" "/tmp/.X11-unix/X$1"
  return 1
}
for n in $(seq 90 250); do
  in_use "$n" && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
    echo "$pid" > "/tmp/.zo-xvfb$n.pid"
    echo ":$n"
    exit 0
  fi
done
echo "start-display: no free display" >&2
exit 1
