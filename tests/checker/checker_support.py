# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""What the checker's tests share: the checker to run, trees and programs
made on the fly, the reference trees whose reports are held to
tests/checker/expected/, and disc images made from trees and damaged on
purpose."""

import atexit
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from disc_images import udf_201
from launcher_tools import downloads

REPO = Path(__file__).resolve().parents[2]

CHECKER = Path(os.environ.get("LAUNCHER_CHECK", REPO / "build/tools/launcher-check"))
PROFILE = "install/quv/win/client.ini"
SCRATCH = Path(tempfile.mkdtemp(prefix="launcher-check-"))
atexit.register(shutil.rmtree, SCRATCH, ignore_errors=True)


def run(*args):
    return subprocess.run([str(CHECKER), *map(str, args)], capture_output=True, timeout=120)


def tree_with(profile=None, files=()):
    root = Path(tempfile.mkdtemp(dir=SCRATCH))
    if profile is not None:
        (root / PROFILE).parent.mkdir(parents=True)
        (root / PROFILE).write_bytes(profile)
    for relative, content in files:
        (root / relative).parent.mkdir(parents=True, exist_ok=True)
        (root / relative).write_bytes(content)
    return root


def program(machine=0x14C, magic=0x10B, subsystem=(4, 0), pe=True, os=None):
    """The head of a Windows program as the checker reads it: MZ, the PE
    signature, the machine, the optional header's magic, operating-system
    version (`os`, else the subsystem's, as linkers set it) and subsystem
    version (a DOS program without `pe`)."""
    head = bytearray(b"MZ" + bytes(0x3A) + (0x40).to_bytes(4, "little"))
    if pe:
        head += b"PE\0\0" + machine.to_bytes(2, "little") + bytes(18)
        optional = bytearray(96)
        optional[0:2] = magic.to_bytes(2, "little")
        optional[40:44] = bytes([(os or subsystem)[0], 0, (os or subsystem)[1], 0])
        optional[48:52] = bytes([subsystem[0], 0, subsystem[1], 0])
        head += optional
    return bytes(head) + b"program body"


def reference_trees():
    """{name: (profile, files, arguments for each report)}: trees whose whole
    reports are held to tests/checker/expected/."""
    win = "install/quv/win/"
    families = (b"[95]\r\nPORTUGESE=D:\\p\\setup.exe\r\nENGLISH=D:\\p\\setup64.exe\r\n"
                b"FRENCH=D:\\p\\dos.exe\r\nITALIAN=D:\\p\\xp.exe\r\n"
                b"GERMAN=D:\\p\\install.cmd\r\nSPANISH=D:\\p\\setup.msi\r\n")
    family_files = [("p/setup.exe", program()), ("p/setup64.exe", program(0x8664, 0x20B, (5, 2))),
                    ("p/dos.exe", program(pe=False)), ("p/xp.exe", program(subsystem=(5, 1))),
                    ("p/install.cmd", b"@echo off\r\n"), ("p/setup.msi", b"msi"),
                    (win + "addiconw.exe/readme.txt", b"a folder")]
    types = (b"[95]\r\nPORTUGESE=D:\\p\\readme.txt\r\nENGLISH=D:\\p\\setup.com\r\n"
             b"FRENCH=D:\\p\\setup.bat\r\nITALIAN=D:\\p\\setup.lnk\r\nGERMAN=D:\\p\\setup\r\n"
             b"SPANISH=D:\\p\\empty.com\r\n")
    type_files = [("p/readme.txt", b"read me"), ("p/setup.com", b"\xb4\x4c\xcd\x21"),
                  ("p/setup.bat", b"@echo off"), ("p/setup.lnk", b"L\0\0\0"), ("p/setup", program()),
                  ("p/empty.com", b""), (win + "addiconw.exe", program())]
    deep = "q/" + "d" * (127 - len("D:\\q\\\\setup.exe"))
    keys = (b"; keys and groups\r\n[95]\r\n"
            b"PORTUGESE=x\r\nPORTUGESE_STARTUP=\"Quoted group\"\r\n"
            b"ENGLISH=C:\\p\\setup.exe\r\nENGLISH_STARTUP=\"Fourteen chars\"\r\n"
            b"FRENCH=D:\\" + deep.replace("/", "\\").encode() + b"\\setup.exe\r\n"
            b"FRENCH_STARTUP=Fourteen chars\r\n"
            b"ITALIAN=D:\\" + deep.replace("/", "\\").encode() + b"x\\setup.exe\r\n"
            b"ITALIAN_STARTUP=Fifteen chars..\r\nSPANSH=D:\\p\\setup.exe\r\n"
            b"GERMAN=D:\\" + deep.replace("/", "\\").encode() + b"y\\setup.exe\r\n")
    key_files = [("p/setup.exe", program()), (deep + "/setup.exe", program()),
                 (deep + "y/setup.exe", program()),  # found, but past the file test's 127
                 ("products/win95/quv_enu/setup.exe", program()), (win + "addiconw.exe", program())]
    # Windows' path rules (the Wine suite holds the same rows to the real
    # launcher): ".." stops at the root, one trailing dot of a folder name
    # goes, its trailing blank stays, the last name loses its trailing dots
    # and blanks, a final "\" names a folder.
    path_rules = (b"[95]\r\nPORTUGESE=D:\\..\\..\\setup\\.\\setup.exe\r\n"
                  b"ENGLISH=d:\\setup\\setup.exe\\\r\nFRENCH=d:\\setup \\setup.exe\r\n"
                  b"ITALIAN=d:\\setup..\\setup.exe\r\nGERMAN=D:\\setup.\\x\\..\\setup.exe\\.\r\n"
                  b"SPANISH=D:/setup//SETUP.EXE. .\r\n")
    utf8_mark = b"\xef\xbb\xbf[95]\r\nENGLISH=D:\\p\\setup.exe\r\nENGLISH_STARTUP=D\xc3\xa9marrage\r\n"
    utf16 = "\ufeff[95]\r\nENGLISH=D:\\p\\setup.exe\r\nENGLISH_STARTUP=\u0141\u00f3d\u017a\r\n"
    marked_files = [("p/setup.exe", program()), (win + "addiconw.exe", program())]
    return {
        "families": (families, family_files, [["--json"], ["--json", "--windows", "9x"],
                                              ["--format", "gcc", "--windows", "nt32"],
                                              ["--windows", "nt32"]]),
        "file-types": (types, type_files, [["--json"], ["--json", "--windows", "9x"]]),
        "keys-and-groups": (keys, key_files, [["--json"], ["--languages", "english,FRENCH,ITALIAN"],
                                              ["--format", "gcc"]]),
        "path-rules": (path_rules, [("setup/setup.exe", program())], [["--json"]]),
        "utf-8-mark": (utf8_mark, marked_files, [["--json"]]),
        "utf-16-profile": (utf16.encode("utf-16-le"), marked_files,
                           [["--json", "--locale", "00000409"],
                            ["--json", "--locale", "00000409", "--windows", "9x"]]),
    }


def make_reference_tree(name, profile, files):
    root = SCRATCH / name
    if root.exists():
        shutil.rmtree(root)
    root.mkdir()
    (root / PROFILE).parent.mkdir(parents=True)
    (root / PROFILE).write_bytes(profile)
    for relative, content in files:
        (root / relative).parent.mkdir(parents=True, exist_ok=True)
        (root / relative).write_bytes(content)


def master(tree, joliet=True):
    """A disc image of `tree` as make iso masters it (xorriso)."""
    iso = tree.with_suffix(".iso")
    env = dict(os.environ, FORCE="1", MAKE_ISO_NO_JOLIET="0" if joliet else "1", CHECKER="true")
    done = subprocess.run([str(REPO / "scripts/make-iso"), str(tree), str(iso)], env=env,
                          capture_output=True, timeout=600)
    assert done.returncode == 0, done.stderr.decode()
    return iso.read_bytes()


def patched(data, at, replacement):
    return data[:at] + replacement + data[at + len(replacement):]


def both_endian(value):
    return value.to_bytes(4, "little") + value.to_bytes(4, "big")


def udf_only(tree):
    image = tree.with_suffix(".udf")
    image.unlink(missing_ok=True)
    udf_201(tree, image, [str(p.relative_to(tree)) for p in sorted(tree.rglob("*")) if p.is_file()])
    return image.read_bytes()


def folder_records(data, name):
    """Where the directory records of the folder `name` start: its name
    length just before it, a record long enough to hold it, and the
    directory flag (not the path tables' entries, which name it too)."""
    at = -1
    while (at := data.find(name, at + 1)) >= 0:
        if at >= 33 and data[at - 1] == len(name) and data[at - 33] >= 33 + len(name) and data[at - 8] & 2:
            yield at - 33


def unreadable_folder(tree):
    """An image whose records of the folder products\\fra, in both trees, point
    past its end."""
    data = master(tree)
    for name in [b"FRA", "fra".encode("utf-16-be")]:
        for record in list(folder_records(data, name)):
            data = patched(data, record + 2, both_endian(0x7FFFFF00))
    return data


def unreadable_profile(tree):
    """An image whose client.ini records, in both trees, point past its end."""
    data = master(tree)
    for name in [b"CLIENT.INI", "client.ini".encode("utf-16-be")]:
        data = patched(data, data.index(name) - 31, both_endian(0x7FFFFF00))
    return data


# The SARIF 2.1.0 schema (OASIS, as schemastore keeps it), from Microsoft's
# jest-sarif package, through npm.
SARIF_SCHEMA = "package/lib/schemas/sarif-2.1.0-rtm.5.json"


def sarif_schema():
    import tarfile
    with tarfile.open(downloads.path_of("jest-sarif")) as package:
        return json.load(package.extractfile(SARIF_SCHEMA))


def main():
    """Runs a suite of the checker's tests, once the checker is built."""
    if not CHECKER.exists():
        sys.exit(f"{CHECKER} is missing: run 'make build'")
    unittest.main(verbosity=2)
