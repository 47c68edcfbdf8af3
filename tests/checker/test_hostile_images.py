# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Disc images made to trip a careless reader: never a crash, a hang or a
read past the end."""

import json
import resource
import subprocess
import time
import unittest

from checker_support import (CHECKER, PROFILE, SCRATCH, tree_with, program, master, patched,
                             both_endian, main)


class HostileImages(unittest.TestCase):
    """Damaged and hostile disc images: a clear error (exit 2) or a report,
    in bounded time and memory (1 GiB of address space), nothing written."""

    def check(self, data):
        path = SCRATCH / "hostile.iso"
        path.write_bytes(data)
        before = sorted(p.name for p in SCRATCH.iterdir())
        limit = lambda: resource.setrlimit(resource.RLIMIT_AS, (1 << 30, 1 << 30))  # noqa: E731
        started = time.monotonic()
        done = subprocess.run([str(CHECKER), "--json", str(path)], capture_output=True, timeout=60,
                              preexec_fn=limit)
        self.assertLess(time.monotonic() - started, 20)
        self.assertIn(done.returncode, (0, 1, 2), done.stderr[-2000:])
        self.assertEqual(path.read_bytes(), data)
        self.assertEqual(sorted(p.name for p in SCRATCH.iterdir()), before)
        if done.returncode == 2:
            self.assertEqual(done.stdout, b"")
            self.assertTrue(done.stderr.startswith(b"launcher-check: "), done.stderr)
            return None
        self.assertEqual(done.stderr, b"")
        return json.loads(done.stdout)

    def test_hostile_images(self):
        tree = tree_with(b"[95]\r\nENGLISH=D:\\products\\setup.exe\r\n",
                         [("products/setup.exe", program()), ("launcher.exe", program())])
        joliet = master(tree)
        root_lsn = int.from_bytes(joliet[16 * 2048 + 158:16 * 2048 + 162], "little")
        # The records of the folder PRODUCTS in both trees: the extent field
        # is 31 bytes before the name.
        iso_name = joliet.index(b"PRODUCTS")
        joliet_name = joliet.index("products".encode("utf-16-be"))
        # xorriso takes minutes over 100,000 names in one folder; genisoimage
        # does not.
        crowded = SCRATCH / "crowded"
        (crowded / "products").mkdir(parents=True)
        for i in range(100000):
            open(crowded / "products" / f"F{i:05d}", "wb").close()
        (crowded / PROFILE).parent.mkdir(parents=True)
        (crowded / PROFILE).write_bytes(b"[95]\r\nENGLISH=D:\\products\\f99999\r\n")
        subprocess.run(["genisoimage", "-quiet", "-J", "-o", str(SCRATCH / "crowded.iso"), str(crowded)],
                       check=True, timeout=300)
        cases = {
            "cut in its folders": (joliet[:19 * 2048], (1, 2)),
            "cut in its volume descriptors": (joliet[:16 * 2048 + 100], (2,)),
            "not an image": (b"MZ" + bytes(range(256)) * 300, (2,)),
            "claims far more than it holds": (patched(patched(joliet, 16 * 2048 + 80, both_endian(0x7FFFFFFF)),
                                                      16 * 2048 + 156 + 10, both_endian(0x7FFFFFFF)), (0, 1, 2)),
            "a folder that holds itself": (patched(patched(joliet, iso_name - 31, both_endian(root_lsn)),
                                                   joliet_name - 31, both_endian(root_lsn)), (1,)),
            "malformed Joliet names": (patched(joliet, joliet_name, b"\xd8\x00\xdc" + b"\xff" * 13), (1, 2)),
            "100,000 names in a folder": ((SCRATCH / "crowded.iso").read_bytes(), (1,)),
        }
        for name, (data, statuses) in cases.items():
            with self.subTest(name):
                report = self.check(data)
                self.assertIn(2 if report is None else (0 if report["all_start"] else 1), statuses)


if __name__ == "__main__":
    main()
