#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them; each prints the ratios it measured.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DR740_BENCH=ON -DR740_BUILD_TESTS=OFF
cmake --build "$build" -j2
for b in "$build"/bench/bench_*; do
    echo "== $(basename "$b")"
    "$b" "$@"
done
