#!/usr/bin/env bash
# Builds every configuration and runs every test: the native suite under AddressSanitizer and
# UBSan, and the Windows suite under Wine on each Windows build that can run here (see
# scripts/windows-targets.sh). The i686 product is built on every machine. Where none of its
# programs runs (this machine cannot execute 32-bit programs, or ZO_WINDOWS_TARGET=win64), the
# portable suite (the native suite less the PNG converter's test, which needs libpng) is also
# built as 32-bit x86 Linux code in build/i386 and runs under qemu-i386, so that 32-bit code of
# the product runs all the same.
# ZO_PORTABLE_I386=1 makes that build on any machine, ZO_PORTABLE_I386=0 on none.
#
# Each build prints one line; its output stays in its folder as build.log and is shown when the
# build fails or warns.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)

bash scripts/setup.sh
. scripts/steps.sh
. scripts/windows-targets.sh
zo_windows_targets "" "" "the portable suite runs as 32-bit code under qemu-i386"

zo_build "native (Debug, AddressSanitizer and UBSan)" build/native -DCMAKE_BUILD_TYPE=Debug \
  -DZO_SANITIZE=ON
windows_builds=win32
zo_runs win64 && windows_builds="win32 win64"
for target in $windows_builds; do
  zo_build_cross "$target"
done
[ "$ZO_I386_SUITE" = no ] || zo_build_cross i386

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
if [ "$ZO_I386_SUITE" = yes ]; then
  echo "== the portable suite as 32-bit x86 code under qemu-i386"
  (cd build/i386 && ctest --output-on-failure -j "$jobs") || status=1
fi
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
