# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""What a GNU ld link map (-Wl,-Map=FILE) says went into a program: the
archives members were taken from, and the object files loaded whole."""

import os
import re
from collections import Counter
from pathlib import Path

MEMBER = re.compile(r"^(\S.*?\.a)\((.+?)\)")
LOADED_OBJECT = re.compile(r"^LOAD (\S+\.o)$")


def _absolute(name, base):
    """The path as the linker opened it, made absolute from the folder it
    ran in (where the build writes the map), without following links:
    dpkg records paths as packages install them."""
    return Path(os.path.normpath(os.path.join(base, name)))


def linked_inputs(map_file):
    """{absolute path: number of members taken} for every archive a member
    came from, and 0 for every object file loaded whole."""
    map_file = Path(map_file).absolute()
    base = map_file.parent
    inputs = Counter()
    in_members = False
    for line in map_file.read_text(errors="replace").splitlines():
        if line.startswith("Archive member included"):
            in_members = True
            continue
        member = MEMBER.match(line) if in_members else None
        if member:
            inputs[_absolute(member.group(1), base)] += 1
        elif in_members and line and not line[0].isspace():
            in_members = False
        loaded = LOADED_OBJECT.match(line)
        if loaded:
            inputs.setdefault(_absolute(loaded.group(1), base), 0)
    if not inputs:
        raise ValueError(f"{map_file} names nothing linked: is it a GNU ld map?")
    return dict(inputs)
