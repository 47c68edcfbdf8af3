# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Installation trees for the Wine suites: a profile, stand-in programs and
the launcher put in place, an example tree staged and mapped as a drive,
and a snapshot that shows any write into a tree."""

import hashlib
import os
import shutil
import tempfile
from pathlib import Path

from launcher_tools import REPO, example_trees

TWIN = REPO / "build/win64/launcher.exe"  # the launcher's 64-bit twin, the default under test


def launcher_exe():
    """The launcher under test: LAUNCHER_EXE, else the 64-bit twin."""
    return Path(os.environ.get("LAUNCHER_EXE", TWIN)).resolve()


def write_profile(tree, text):
    path = Path(tree) / "install/quv/win/client.ini"
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(text.encode("latin-1") if isinstance(text, str) else text)


def place_program(wine, tree, relative):
    """Puts a stand-in program at `relative` inside the tree."""
    path = Path(tree) / relative
    path.parent.mkdir(parents=True, exist_ok=True)
    shutil.copy(wine.stand_in(), path)
    return path


def place_launcher(tree, relative="launcher.exe", exe=None):
    path = Path(tree) / relative
    path.parent.mkdir(parents=True, exist_ok=True)
    shutil.copy(exe or launcher_exe(), path)
    return path


def snapshot(tree):
    """Every file and folder of the tree with its size, time and content hash."""
    state = {}
    for path in sorted(Path(tree).rglob("*")):
        info = path.lstat()
        digest = hashlib.sha256(path.read_bytes()).hexdigest() if path.is_file() else "dir"
        state[str(path.relative_to(tree))] = (info.st_size, info.st_mtime_ns, digest)
    return state


def example_tree(wine, drive="E", name="cd", exe=None):
    """A copy of examples/<name> with the launcher (`exe`, else the one under
    test) at its root and a stand-in at its program paths, mapped as
    `drive`. Returns the tree and its setup keys."""
    tree = Path(tempfile.mkdtemp(dir=wine.root, prefix=f"{name}-"))
    keys = example_trees.stage(name, tree, wine.stand_in())
    place_launcher(tree, exe=exe)
    wine.map_drive(drive, tree)
    return tree, keys
