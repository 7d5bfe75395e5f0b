#!/usr/bin/env bash
# Runs every fuzz target of a build (or those named in FUZZ_TARGETS) from its
# kept corpus fuzz/seeds/<target>, for FUZZ_RUNS executions each when set, or
# else for the given number of seconds each. With FUZZ_MERGE=1, inputs that
# reach new code are added to the kept corpus afterwards.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-300}
runs=${FUZZ_RUNS:-}
for target in "$build"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  if [ -n "${FUZZ_TARGETS:-}" ] && ! [[ " $FUZZ_TARGETS " == *" $name "* ]]; then continue; fi
  corpus="$build/corpus/$name"
  mkdir -p "$corpus" "fuzz/seeds/$name"
  if [ -n "$runs" ]; then limit=(-runs="$runs"); echo "== $name: $runs ejecuciones"
  else limit=(-max_total_time="$seconds"); echo "== $name: $seconds s"; fi
  log="$build/corpus/$name.log"
  status=0
  "$target" "$corpus" "fuzz/seeds/$name" "${limit[@]}" -max_len=8192 -timeout=10 \
    -print_final_stats=1 >"$log" 2>&1 || status=$?
  grep -E "^(stat::|INFO: Loaded|INFO: seed corpus|#[0-9]+ *DONE|==[0-9]+==|SUMMARY|artifact)" "$log" \
    | tail -n 14 || true
  [ "$status" -eq 0 ] || { tail -n 40 "$log"; echo "$name: hallazgo (salida $status)"; exit 1; }
  if [ "${FUZZ_MERGE:-0}" = 1 ]; then
    "$target" -merge=1 "fuzz/seeds/$name" "$corpus" -max_len=8192 2>&1 | tail -n 1
  fi
done
