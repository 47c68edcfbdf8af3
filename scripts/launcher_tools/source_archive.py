# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""The release's corresponding source, launcher-<version>-source.tar.xz: the
project's tracked files, BUILDING.txt, and in third-party/ every source
tarball the release must carry. Reproducible: entries in a fixed order with
fixed times, owners and modes, compressed by one fixed xz setting."""

import hashlib
import io
import lzma
import os
import subprocess
import tarfile
from pathlib import Path

from launcher_tools import REPO

ARCHIVE_TIME = 315532800  # 1980-01-01, as the zip's entries
THIRD_PARTY = "third-party"
BUILDING = "BUILDING.txt"
# What a tree that was itself unpacked from a source archive holds beside
# the project's files, and what builds leave.
NOT_THE_PROJECT = {THIRD_PARTY, BUILDING, "build", "dist", ".git"}


def project_files(root=REPO):
    """The tracked files (relative paths), from git where there is one,
    else every file of an unpacked source archive but its additions."""
    done = subprocess.run(["git", "ls-files", "-z"], cwd=root, capture_output=True)
    if done.returncode == 0 and (Path(root) / ".git").exists():
        names = [n for n in done.stdout.decode().split("\0") if n]
        return sorted(n for n in names if (Path(root) / n).is_file())
    names = []
    for folder, subfolders, files in os.walk(root):
        relative = Path(folder).relative_to(root)
        subfolders[:] = [s for s in subfolders if s != "__pycache__" and
                         not (relative == Path(".") and s in NOT_THE_PROJECT)]
        names += [str(relative / f) for f in files
                  if not (relative == Path(".") and f in NOT_THE_PROJECT)]
    return sorted(names)


def _entry(name, data, executable):
    info = tarfile.TarInfo(name)
    info.size, info.mtime = len(data), ARCHIVE_TIME
    info.mode = 0o755 if executable else 0o644
    info.uid = info.gid = 0
    info.uname = info.gname = ""
    return info


def make_source_archive(path, top, building_text, third_party, root=REPO):
    """Writes the archive; third_party: {file name: path}. Returns {member
    name: SHA-256} of the third-party files as stored."""
    buffer = io.BytesIO()
    stored = {}
    with tarfile.open(fileobj=buffer, mode="w", format=tarfile.PAX_FORMAT) as archive:
        entries = [(f"{top}/{n}", Path(root) / n) for n in project_files(root)]
        entries += [(f"{top}/{THIRD_PARTY}/{n}", Path(p)) for n, p in third_party.items()]
        for name, source in sorted(entries):
            data = source.read_bytes()
            executable = source.stat().st_mode & 0o111 != 0
            archive.addfile(_entry(name, data, executable), io.BytesIO(data))
            if f"/{THIRD_PARTY}/" in name:
                stored[name] = hashlib.sha256(data).hexdigest()
        text = building_text.encode()
        archive.addfile(_entry(f"{top}/{BUILDING}", text, False), io.BytesIO(text))
    Path(path).write_bytes(lzma.compress(buffer.getvalue(), format=lzma.FORMAT_XZ, preset=6))
    return stored
