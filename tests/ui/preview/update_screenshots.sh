#!/usr/bin/env bash
# Redraws docs/preview-xls.png, docs/preview-dbf.png and docs/preview-text.png
# from the real preview windows. Usage: update_screenshots.sh [build folder]
# (default: build). Uses a virtual X server when xvfb-run is there, else
# Qt's offscreen platform.
set -euo pipefail
root="$(cd "$(dirname "$0")/../../.." && pwd)"
build="${1:-$root/build}"
cmake --build "$build" --target preview_screenshots
program=$(find "$build" -name preview_screenshots -type f -perm -u+x | head -n 1)
export LEDGERLINE_RESOURCES="$root/resources"
if command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$root/docs"
else
  QT_QPA_PLATFORM=offscreen "$program" "$root/docs"
fi
