#!/usr/bin/env bash
# Builds the .deb of a build tree, unpacks it into an empty directory and runs
# the unpacked program: `init` from its installed kit, then `detect`.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log"
  exit 1
}
deb=$(ls "$work"/package/*.deb)
dpkg-deb --info "$deb" > "$work/info.txt"
grep -q 'Package: quirovel' "$work/info.txt"
dpkg -x "$deb" "$work/tree"
for f in usr/bin/quirovel usr/share/man/man1/quirovel.1 \
         usr/share/bash-completion/completions/quirovel usr/share/quirovel/kit/QUIROVEL; do
  [ -e "$work/tree/$f" ] || { echo "missing in the package: $f"; exit 1; }
done
program="$work/tree/usr/bin/quirovel"
env -u QUIROVEL_KIT "$program" --root "$work/root" init
"$program" --root "$work/root" detect > "$work/detect.out"
grep -q '^Errs=' "$work/detect.out"
[ -s "$work/root/QUIROVEL/trabajo/resumen.txt" ]
echo "package smoke test passed: $(basename "$deb")"
