#!/usr/bin/env bash
# Builds both targets and runs every test: the native suite under AddressSanitizer and UBSan,
# and the Win32 suite under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)

bash scripts/setup.sh

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DZO_SANITIZE=ON >/dev/null
cmake --build build/native -j "$jobs"
cmake -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-i686-mingw32.cmake" >/dev/null
cmake --build build/win32 -j "$jobs"

started=
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$(scripts/start-display.sh)
  export DISPLAY
  started=$(cat "/tmp/.zo-xvfb${DISPLAY#:}.pid")
fi
trap '[ -n "$started" ] && kill "$started" 2>/dev/null || true' EXIT

status=0
(cd build/native && ctest --output-on-failure -j "$jobs") || status=1
(cd build/win32 && ctest --output-on-failure -j "$jobs") || status=1
exit $status
