#!/usr/bin/env bash
# Builds every configuration and runs every test: the native suite under AddressSanitizer and
# UBSan, and the Windows suite under Wine on each Windows build that can run here (see
# scripts/windows-targets.sh). The i686 product is built on every machine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)

bash scripts/setup.sh
. scripts/windows-targets.sh
zo_windows_targets

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DZO_SANITIZE=ON >/dev/null
cmake --build build/native -j "$jobs"
windows_builds=win32
zo_runs win64 && windows_builds="win32 win64"
for target in $windows_builds; do
  cmake -S . -B "build/$target" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$(zo_toolchain "$target")" >/dev/null
  cmake --build "build/$target" -j "$jobs"
done

started=
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$(scripts/start-display.sh)
  export DISPLAY
  started=$(cat "/tmp/.zo-xvfb${DISPLAY#:}.pid")
fi
# The display goes only after every Wine server has let go of it.
cleanup() {
  [ -n "$started" ] || return 0
  for target in $windows_builds; do
    WINEPREFIX="$top/build/$target/wineprefix" wineserver -w 2>/dev/null || true
  done
  kill "$started" 2>/dev/null || true
}
trap cleanup EXIT

status=0
(cd build/native && ctest --output-on-failure -j "$jobs") || status=1
for target in $windows_builds; do
  if zo_runs "$target"; then
    echo "== Windows suite on the $target build"
    (cd "build/$target" && ctest --output-on-failure -j "$jobs") || status=1
  else
    echo "== $target build: only the checks that execute none of its programs"
    (cd "build/$target" && ctest --output-on-failure -j "$jobs" -L static) || status=1
  fi
done
exit $status
