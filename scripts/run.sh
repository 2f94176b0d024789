#!/usr/bin/env bash
# Installs what is needed, builds the program and the telephone emulator, and starts the program
# connected to the emulator: a TALVO RV930 with an answering-machine module ("AB") in slot 0 and a
# key module, holding a sample configuration and phonebook. Read, edit and write it at once through
# the Telephone menu (the emulator's PIN is 5182). The emulator keeps what it is sent in
# <build>/run/phone.cfg between runs and ends when the program ends.
#
#   scripts/run.sh [FILE] [program arguments]
#   R740_PHONE=/dev/ttyUSB0 scripts/run.sh     # a real telephone instead of the emulator
#   R740_BUILD_DIR=build-x scripts/run.sh      # another build directory (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<'TEXT'
run.sh: there is no display to show the window on. Either
    QT_QPA_PLATFORM=offscreen scripts/run.sh    # runs without showing anything
or, to see it in pictures, under a virtual X server:
    xvfb-run -a scripts/run.sh
    scripts/run-screenshot.sh                   # a picture of the window after a read
TEXT
    exit 2
fi

scripts/install-deps.sh

build=${R740_BUILD_DIR:-build}
# A build directory that exists keeps its own configuration (a developer's sanitized one, say).
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DR740_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target R740Cf r740sim

if [ -n "${R740_PHONE:-}" ]; then
    SLPV24_DEVICE="$R740_PHONE" exec "$build/R740Cf" "$@"
fi

run="$build/run"
mkdir -p "$run"
# The first run starts from the sample; later runs find what the emulator kept.
[ -f "$run/phone.cfg" ] || cp resources/samples/RV930.cfg "$run/phone.cfg"
rm -f "$run/emulator.out"
"$build/r740sim" --pty --state "$run/phone.cfg" --brand TALVO --phone-type RV930 --oem TALVO \
    --version 4.10 --modules AB,E920,NON,NON >"$run/emulator.out" 2>"$run/emulator.log" &
sim=$!
stop_emulator() {
    kill -TERM "$sim" 2>/dev/null || true
    wait "$sim" 2>/dev/null || true
}
trap stop_emulator EXIT

# Its first line names the pseudo-terminal.
device=""
for _ in $(seq 100); do
    device=$(head -n 1 "$run/emulator.out" 2>/dev/null || true)
    [ -n "$device" ] && break
    kill -0 "$sim" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$device" ]; then
    echo "run.sh: the emulator did not start:" >&2
    cat "$run/emulator.log" >&2
    exit 1
fi
echo "Telephone emulator on $device (state $run/phone.cfg, PIN 5182)"

status=0
SLPV24_DEVICE="$device" "$build/R740Cf" "$@" || status=$?
exit "$status"
