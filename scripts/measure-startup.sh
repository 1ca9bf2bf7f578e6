#!/usr/bin/env bash
# Times the desktop program from process start to a usable main window with
# a bundled example open and arranged, on a virtual X server, several runs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
plan=${2:-examples/ccr2-strength.mpl}
runs=${RUNS:-7}
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb ORVAN32_STARTUP_TIMING=quit
export ORVAN32_HOME=$runtime
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    for i in $(seq '"$runs"'); do
        start=$(date +%s%3N)
        shown=$('"$build"'/bin/orvan32 '"$plan"' | sed -n "s/^usable-window-at //p")
        echo "run $i: $((shown - start)) ms"
    done'
