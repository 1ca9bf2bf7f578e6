#!/usr/bin/env bash
# Writes PNG screenshots of the desktop program into docs/images/ (the main
# window with a bundled example open and its windows arranged, the window
# list, the quantile window, the about box and a help page) and, in the same
# run, the user guide's pictures of the wizards, dialogs and windows into
# help/images/. Runs the program on a virtual X server (Xvfb), so it works
# without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
plan=${2:-examples/ccr2-strength.mpl}
out=docs/images
guide=help/images

cmake --build "$build" -j2 --target orvan32_screenshots orvan32
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
# The pictures show the program as a Russian desktop runs it.
XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb LC_ALL= LANG=ru_RU.UTF-8 \
    xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bin/orvan32_screenshots" "$out" "$plan" "$guide"
