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
    # The window program is not built yet: open a sample configuration as the program would and
    # save it complete, then list the records it would send to the telephone.
    out=$(mktemp -d)/sample-complete.721
    "$build/r740tool" convert tests/data/filestore/sample.721 "$out"
    echo "Configuration opened and saved as the program does: $out ($(wc -c < "$out") bytes)"
    "$build/r740tool" records "$out" > "$out.records"
    head -n 20 "$out.records"
    echo "... ($(wc -l < "$out.records") records in $out.records)"
    echo "More: $build/r740tool --help"
else
    echo "Built: $(ls "$build" | tr '\n' ' ')"
fi
