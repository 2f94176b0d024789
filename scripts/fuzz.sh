#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one (or all) for a while on their seed corpora.
# Usage: scripts/fuzz.sh [target-name-without-fuzz_] [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DR740_FUZZ=ON -DR740_BUILD_TESTS=OFF -DR740_SANITIZE=ON
cmake --build "$build" -j2
seconds=${2:-60}
for f in "$build"/fuzz/fuzz_*; do
    name=$(basename "$f"); name=${name#fuzz_}
    if [ -n "${1:-}" ] && [ "$1" != "$name" ]; then continue; fi
    corpus=$(mktemp -d)
    if [ -d "fuzz/corpus/$name" ]; then cp -r "fuzz/corpus/$name/." "$corpus/"; fi
    echo "== fuzz_$name for ${seconds}s"
    "$f" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus"
done
