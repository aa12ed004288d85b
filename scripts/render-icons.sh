#!/usr/bin/env bash
# Renders the program's icon (resources/icons/scalable/apps/<id>.svg) into
# the PNG sizes that desktops look up. resources/icons/ is laid out like the
# hicolor theme, so installing copies it as it is. The PNGs are committed, so
# building needs no renderer; run this after changing the SVG. Needs
# rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
id=org.example.ledgerline.Ledgerline
if ! command -v rsvg-convert >/dev/null; then
  echo "render-icons: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2
  exit 1
fi
for size in 16 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio "scalable/apps/$id.svg" \
    -o "${size}x${size}/apps/$id.png"
done
echo "render-icons: wrote the PNGs in $(pwd)"
