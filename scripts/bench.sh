#!/usr/bin/env bash
# Builds the benchmarks in a Release host build and runs them.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/setup.sh
. scripts/steps.sh
zo_build "the benchmarks (native, Release)" build/bench -DCMAKE_BUILD_TYPE=Release \
  -- --target zo_bench
build/bench/bench/zo_bench "$@"
