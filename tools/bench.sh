#!/usr/bin/env bash
# Runs every benchmark of a build.
set -euo pipefail
build=${1:-build-bench}
for b in "$build"/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
