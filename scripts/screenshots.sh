#!/usr/bin/env bash
# Takes a picture of every page and dialog for a person to look at: builds the widget tests and
# the program, runs them under Xvfb with R740_SCREENSHOT_DIR set, and leaves the PNG files in
# <build>/screenshots (build output, not kept in git).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${R740_SHOTS_BUILD_DIR:-build-shots}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DR740_BUILD_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target r740_ui_tests

out="$PWD/$build/screenshots"
rm -rf "$out"
mkdir -p "$out"
export R740_SCREENSHOT_DIR="$out"
export QT_QPA_PLATFORM=xcb
# On a real X server the platform's own libraries (D-Bus) keep memory until exit; in a sanitized
# build directory that is not a fault of the pictures.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
xvfb-run -a -s "-screen 0 1600x1200x24" "$build/tests/r740_ui_tests" --gtest_brief=1
# The same pictures at 200 % scaling: the window keeps its minimum size in scaled pixels, so every
# page must still fit without scrolling (the widget tests check that too).
export R740_SCREENSHOT_DIR="$out/200"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2600x2000x24" "$build/tests/r740_ui_tests" --gtest_brief=1 \
    --gtest_filter='*Screenshot*'
echo "Screenshots: $out ($(find "$out" -name '*.png' | wc -l) files; 200 % scaling in $out/200)"
