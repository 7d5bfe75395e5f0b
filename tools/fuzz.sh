#!/usr/bin/env bash
# Runs every fuzz target of a build for the given number of seconds each.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-300}
for target in "$build"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "== $name: $seconds s"
  "$target" "$corpus" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 2>&1 | tail -n 12
done
