#!/bin/sh
# Regenerates the window pictures in docs/ (input, output, options, run)
# from the real program under a virtual X screen.
#   scripts/screenshots.sh [build folder]     (default: build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cmake --build "$build" --target window_screenshots
# A fixed folder, since its paths show in the pictures.
scratch=/tmp/ledgerline-demo
trap 'rm -rf "$scratch"' EXIT
LEDGERLINE_RESOURCES="$root/resources" xvfb-run -a -s "-screen 0 1280x800x24" \
  "$build/tests/ui/window/window_screenshots" "$root/docs" "$scratch"
