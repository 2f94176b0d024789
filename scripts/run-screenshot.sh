#!/usr/bin/env bash
# A picture of the window program connected to the telephone emulator, as scripts/run.sh starts
# them, under a virtual X server: the configuration is read through the Telephone menu, then the
# window is saved as <build>/run/window.png (build output, not kept in git) and the program ends
# without saving.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${R740_BUILD_DIR:-build}
mkdir -p "$build/run"
out="$PWD/$build/run/window.png"
script="$PWD/$build/run/screenshot.script"
rm -f "$out"
# Command 2501: Telephone, read the configuration (ui/CUi_Commands.h); then the picture.
cat >"$script" <<TEXT
command 2501
screenshot $out
quit
TEXT
# run.sh needs a display: xvfb-run gives it one.
R740_UI_SCRIPT="$script" xvfb-run -a -s "-screen 0 1600x1200x24" scripts/run.sh
[ -f "$out" ] || { echo "run-screenshot.sh: no picture was taken" >&2; exit 1; }
echo "Screenshot: $out"
