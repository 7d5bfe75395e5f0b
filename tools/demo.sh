#!/usr/bin/env bash
# The main job on the bundled sample installation.
set -euo pipefail
build=${1:-build}
root=${2:-demo-root}
mkdir -p "$root/quirovel/trabajo"
sample="$root/quirovel/trabajo/Ctprueba.dbf"
[ -f "$sample" ] || "$build/cmbd_generator" "$sample" --episodes 5000
"$build/quirovel" --root "$root" structure 'C:\Quirovel\trabajo\Ctprueba.dbf'
