#!/usr/bin/env bash
# The main job on the bundled sample installation.
set -euo pipefail
build=${1:-build}
root=${2:-demo-root}
# The installation from the sample kit (nothing the root already holds is replaced).
"$build/quirovel" --root "$root" init
# The current CMBD-A file of the configuration.
"$build/quirovel" --root "$root" structure
# A few codes in the catalogue of the configured version, and its order check.
"$build/quirovel" --root "$root" lookup 250.00 486 47.0 || true
"$build/quirovel" --root "$root" catalogue check
# The main job: the detection run on the current file, then its summary.
"$build/quirovel" --root "$root" detect --test trimestral
"$build/quirovel" --root "$root" report resumen.txt
