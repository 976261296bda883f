#!/usr/bin/env bash
# Starts Xvfb on the first free display number and prints that display (":N").
# The server's pid is left in /tmp/.zo-xvfbN.pid.
set -euo pipefail
for n in $(seq 90 140); do
  [ -e "/tmp/.X$n-lock" ] && continue
  [ -e "/tmp/.X11-unix/X$n" ] && continue
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
