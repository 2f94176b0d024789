#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it. Without a configured telephone the
# program talks to the telephone emulator. Until the program itself exists, this builds what exists
# and runs the command-line round trip of a sample configuration file.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${R740_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DR740_BUILD_TESTS=OFF
cmake --build "$build" -j2

if [ -x "$build/R740Cf" ]; then
    exec "$build/R740Cf" "$@"
elif [ -x "$build/r740tool" ]; then
    out=$(mktemp -d)/roundtrip.721
    "$build/r740tool" convert tests/data/filestore/sample.721 "$out"
    echo "Round trip written to $out"
    cmp tests/data/filestore/sample.721 "$out" && echo "identical bytes"
else
    echo "Built: $(ls "$build" | tr '\n' ' ')"
fi
