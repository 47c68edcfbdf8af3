#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""The bundled example trees (examples/) hold no programs. This stages a
copy of one with a stand-in program at every program path it uses, for the
demo, the tests and `make check-tree`:
    example_trees.py --is-example TREE     status 0 when TREE is one, else 1
    example_trees.py TREE DEST STAND_IN    stages it as DEST/<name>, prints that"""

import shutil
import sys
from pathlib import Path

from launcher_tools import REPO
EXAMPLES = REPO / "examples"
ICON_TOOL = "install/quv/win/addiconw.exe"
PROFILE = "install/quv/win/client.ini"
# Programs of the tree with mistakes: not the Spanish one (missing on
# purpose) and not the French one (the tree has it, empty).
MISTAKES_PROGRAMS = [
    ICON_TOOL,
    "products/win95/quv_ptb/setup.exe",
    "products/win95/quv_enu/setup.exe",
    "products/win95/quv_ita/setup.exe",
    "products/win95/quv_deu/release candidate of the german edition, second build/"
    "staging area for the final pressing of the disc/setup.exe",
]


def setup_keys(profile):
    """The profile's setup keys by the program path they name (without drive)."""
    keys = {}
    for line in Path(profile).read_text(encoding="latin-1").splitlines():
        key, _, value = line.partition("=")
        if value[:2].upper() == "D:" and not key.endswith("_STARTUP"):
            keys[value[2:].lower()] = key
    return keys


def bundled_name(tree):
    """The example's name when `tree` is one of examples/, else None."""
    tree = Path(tree).resolve()
    return tree.name if tree.parent == EXAMPLES and (tree / PROFILE).is_file() else None


def stage(name, dest, stand_in):
    """Copies examples/<name> to `dest` (replacing it) and puts `stand_in` at
    its program paths. Returns the profile's setup keys."""
    dest = Path(dest)
    if dest.exists():
        shutil.rmtree(dest)
    shutil.copytree(EXAMPLES / name, dest)
    keys = setup_keys(dest / PROFILE)
    programs = (MISTAKES_PROGRAMS if name == "cd-mistakes" else
                [ICON_TOOL] + [program[1:].replace("\\", "/") for program in keys])
    for program in programs:
        path = dest / program
        path.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy(stand_in, path)
    return keys


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--is-example":
        return 0 if bundled_name(sys.argv[2]) else 1
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    name = bundled_name(sys.argv[1])
    if name is None:
        sys.exit(f"{sys.argv[1]} is not one of the bundled examples")
    dest = Path(sys.argv[2]) / name
    stage(name, dest, sys.argv[3])
    print(dest)
    return 0


if __name__ == "__main__":
    sys.exit(main())
