#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The core's folders include only folders below them in LAYERS.

Every `#include "folder/..."` of a source under src/<folder>/ must name the
folder itself or one listed before it; the Qt front end and main() may
include every core folder, and the core never includes ui/ or app/ (nor Qt,
which its build enforces). Fails naming file, line and the include.
"""
import re
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]

# From the bottom up: each folder may include the ones before it.
LAYERS = ["base", "text", "io", "platform", "richtext", "model", "config", "results",
          "rules", "frontend", "session", "net", "headless", "ui", "app"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/', re.M)


def main() -> int:
    files = subprocess.run(["git", "ls-files", "src/*.cpp", "src/*.h"], cwd=ROOT, check=True,
                           capture_output=True, text=True).stdout.split()
    faults = []
    for name in files:
        folder = name.split("/")[1]
        if folder not in LAYERS:
            faults.append(f"{name}: folder {folder}/ has no place in the layers")
            continue
        allowed = set(LAYERS[: LAYERS.index(folder) + 1])
        source = (ROOT / name).read_text(encoding="utf-8")
        for include in INCLUDE.finditer(source):
            if include.group(1) not in allowed:
                line = source.count("\n", 0, include.start()) + 1
                faults.append(f"{name}:{line}: {folder}/ includes {include.group(1)}/, which comes after it")
    print("\n".join(faults) if faults else f"{len(files)} sources keep to the layers")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
