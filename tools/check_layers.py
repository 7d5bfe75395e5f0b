#!/usr/bin/env python3
"""Fails when a source file includes a folder above its own.

The core's folders, bottom to top, are listed in docs/architecture.md; this
list must match it. A folder may include itself and the folders below it;
src/app (the front ends) may include anything, and nothing includes src/app.
"""
import pathlib
import re
import sys

LAYERS = ["platform", "storage", "reference", "output", "validation", "session",
          "detection", "analyses", "transfer", "ui", "app"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/')


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".") / "src"
    rank = {name: i for i, name in enumerate(LAYERS)}
    faults = []
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cc"):
            continue
        folder = path.relative_to(root).parts[0]
        if folder not in rank:
            faults.append(f"{path}: folder '{folder}' has no place in the layer order")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if target not in rank:
                faults.append(f"{path}:{number}: includes '{target}/', which is not a layer")
            elif rank[target] > rank[folder]:
                faults.append(f"{path}:{number}: '{folder}' includes '{target}/', a layer above it")
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
