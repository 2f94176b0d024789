#!/usr/bin/env bash
# Builds the benchmarks in release mode and prints the table of every benchmark's ratios against
# its goal (bench/table/r740bench.cpp). Arguments pick benchmarks by name (default: all).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${R740_BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DR740_BENCH=ON -DR740_BUILD_TESTS=OFF
cmake --build "$build" -j2
"$build"/bench/r740bench "$@"
