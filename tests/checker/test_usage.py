# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""launcher-check as a tree author uses it: options, exit statuses and usage
errors."""

import html
import json
import subprocess
import tempfile
import unittest
from pathlib import Path

from checker_support import SCRATCH, run, tree_with, program, main


def raw_cd_image(tree):
    """A .bin and .cue of `tree`: its ISO 9660 image in mode 1 sectors of 2352
    bytes (sync, header, data, error correction left zero)."""
    iso = tree.with_suffix(".iso")
    subprocess.run(["genisoimage", "-quiet", "-o", str(iso), str(tree)], check=True)
    data = iso.read_bytes()
    raw = bytearray()
    for n in range(len(data) // 2048):
        frame = n + 150
        msf = bytes(int(str(v), 16) for v in (frame // 4500, frame // 75 % 60, frame % 75))
        raw += b"\0" + b"\xff" * 10 + b"\0" + msf + b"\x01" + data[n * 2048:(n + 1) * 2048] + bytes(288)
    binary, cue = tree.with_suffix(".bin"), tree.with_suffix(".cue")
    binary.write_bytes(raw)
    cue.write_text(f'FILE "{binary.name}" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n')
    return binary, cue


class Usage(unittest.TestCase):
    def test_help_version_and_usage_errors(self):
        self.assertEqual(run("--help").returncode, 0)
        self.assertIn(b"Usage: launcher-check [--format text|json|gcc|sarif|html] [--windows WINDOWS]\n",
                      run("--help").stdout)
        version = run("--version")
        self.assertEqual((version.returncode, version.stdout), (0, b"launcher-check 1.0.0\n"
                         b"Licence: GPL-3.0-or-later as a whole, since it contains libcdio; "
                         b"our own code is BSL-1.0.\n"))
        for args in [(), ("--json",), ("--locale",), ("--frob", "x"), ("a", "b"), (".", "."),
                     ("--locale", "0" * 80, "."), ("--windows", "nt16", "."), ("--windows",),
                     ("--format", "xml", "."), ("--languages", "ENGLISH,KLINGON", "."),
                     ("--languages", "", "."), ("--from", "nowhere", "."),
                     ("--from", "\\\\?\\C:\\x", "."), ("--from", "C:\\" + "x" * 228, "."),
                     ("--from",)]:
            with self.subTest(args=args):
                done = run(*args)
                self.assertEqual(done.returncode, 2)
                self.assertEqual(done.stdout, b"")
                self.assertTrue(done.stderr.startswith(b"launcher-check: "), done.stderr)

    def test_unreadable_trees(self):
        a_file = Path(tempfile.mkstemp(dir=SCRATCH)[1])
        raw, cue = raw_cd_image(tree_with(b"[95]\r\n"))
        for tree, said in [("/nonexistent/tree", b"cannot find the tree"),
                           (a_file, b"is neither a folder nor a disc image"),
                           (raw, b"is a raw CD image (sectors of 2352 bytes"),
                           (cue, b"is a cue sheet: the image is the .bin it names")]:
            with self.subTest(tree=tree):
                done = run(tree)
                self.assertEqual((done.returncode, done.stdout), (2, b""))
                self.assertIn(said, done.stderr)

    def test_every_format_names_the_place(self):
        tree = tree_with(b"[95]\r\nENGLISH=D:\\p\\setup.exe\r\n", [("p/setup.exe", program())])
        place = "\\\\srv\\share\\product"
        said = {fmt: run("--format", fmt, "--from", place, tree) for fmt in ("text", "json", "sarif", "html")}
        # The other five languages fall back to a default that is not there.
        self.assertEqual({fmt: done.returncode for fmt, done in said.items()},
                         {fmt: 1 for fmt in said})
        self.assertIn(f"as {place} (started from {place}\\launcher.exe".encode(),
                      said["text"].stdout.splitlines()[0])
        self.assertNotIn(b"Room:", said["text"].stdout)
        report = json.loads(said["json"].stdout)
        self.assertEqual((report["place"], report["room"]), (place, None))
        # Its found path is spelt, and counted, from the share.
        self.assertEqual(report["languages"][1]["found_path"], place + "\\p\\setup.exe")
        self.assertEqual(json.loads(said["sarif"].stdout)["runs"][0]["properties"], {"place": place})
        self.assertIn(html.escape(place).encode(), said["html"].stdout)
        self.assertEqual(json.loads(run("--json", tree).stdout)["room"],
                         {"characters": 115, "language": "ENGLISH", "found_path": "D:\\p\\setup.exe"})


if __name__ == "__main__":
    main()
