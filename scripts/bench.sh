#!/usr/bin/env bash
# Builds the benchmarks in a Release host build and runs them.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/setup.sh
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j "$(nproc)" --target zo_bench
build/bench/bench/zo_bench "$@"
