#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs them.
#   scripts/fuzz.sh smoke          every target for a short while (CI)
#   scripts/fuzz.sh run NAME SECS  one target for longer, corpus kept in build-fuzz/corpus/NAME
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
mode=${1:-smoke}
shared=${LEDGERLINE_SHARED:-$root/../shared}
[ -d "$shared/corpus" ] || shared=/work/shared

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLEDGERLINE_BUILD_FUZZ=ON -DLEDGERLINE_BUILD_APP=OFF -DLEDGERLINE_BUILD_TESTS=OFF -DLEDGERLINE_BUILD_BENCH=OFF \
  -DLEDGERLINE_SANITIZE=address,undefined >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"

targets=$(find build-fuzz/fuzz -maxdepth 2 -type f -name 'fuzz_*' -perm -u+x | sort)
if [ -z "$targets" ]; then
  echo "fuzz: no targets were built" >&2
  exit 1
fi

# Seeds: the shared corpus (good and broken workbooks, DBF samples) and the
# regression inputs kept beside each target.
seeds_for() {
  local name=$1 dir=$2
  mkdir -p "$dir"
  case "$name" in
    *xlsx*) cp -n "$shared"/corpus/xlsx/* "$shared"/corpus/bad/* "$dir"/ 2>/dev/null || true ;;
    *xls*) cp -n "$shared"/corpus/xls/* "$shared"/corpus/bad/* "$dir"/ 2>/dev/null || true ;;
    *dbf*) cp -n "$shared"/tools/samples/*.dbf "$dir"/ 2>/dev/null || true ;;
    *convert*) cp -n "$shared"/corpus/xls/* "$shared"/corpus/xlsx/* "$dir"/ 2>/dev/null || true ;;
  esac
  local kept="$root/fuzz/${name#fuzz_}/seeds"
  [ -d "$kept" ] && cp -n "$kept"/* "$dir"/ 2>/dev/null || true
}

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
case "$mode" in
  smoke)
    for target in $targets; do
      name=$(basename "$target")
      work=$(mktemp -d)
      seeds_for "$name" "$work/seeds"
      echo "fuzz: $name for 30 s"
      "$target" -max_total_time=30 -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 "$work/seeds" \
        > "$work/log" 2>&1 || { tail -50 "$work/log"; echo "fuzz: $name failed" >&2; exit 1; }
      grep -E 'stat::number_of_executed_units' "$work/log" || true
      rm -rf "$work"
    done ;;
  run)
    name=$2 seconds=${3:-600}
    dir=build-fuzz/corpus/$name
    seeds_for "$name" "$dir"
    "build-fuzz/fuzz/${name#fuzz_}/$name" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 \
      -print_final_stats=1 "$dir" ;;
  *) echo "usage: scripts/fuzz.sh smoke | run NAME SECONDS" >&2; exit 2 ;;
esac
