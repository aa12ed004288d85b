#!/usr/bin/env bash
# Builds Ledgerline and runs every test. Fails when a test fails or when no
# test ran at all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build
export QT_QPA_PLATFORM=offscreen
count=$(ctest --test-dir build -N | sed -n 's/^Total Tests: //p')
if [ -z "$count" ] || [ "$count" -eq 0 ]; then
  echo "test: no tests were found" >&2
  exit 1
fi
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 900
