# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Hostile installation trees: huge and binary profiles, overlong values and
paths, overlong locales. Nothing may crash or hang, the exit status is always
one the launcher defines, and the tree is left as it was (checked by every
launch)."""

import random
import unittest

from launcher_tools import harness
from launcher_case import ICON_PREFIX, LauncherCase

ENGLISH = "ENGLISH=D:\\products\\enu\\setup.exe"
DEFINED_STATUSES = {0, -1, 8} | set(range(1, 33))


class HostileProfile(LauncherCase):
    def assertDefined(self, result):
        self.assertIn(result.exit_code, DEFINED_STATUSES)
        self.assertLessEqual(result.processes, 3)
        self.assertEqual(result.boxes, [])
        if result.starts:
            self.assertTrue(result.starts[0].parameters.startswith(ICON_PREFIX))
            self.assertLessEqual(len(result.starts[0].parameters), len(ICON_PREFIX) + 14)

    def test_profile_of_several_megabytes(self):
        junk = "".join(f"[section{i}]\r\nENGLISH=D:\\elsewhere\\{i}.exe\r\n{'k' * 40}{i}={'v' * 60}\r\n"
                       for i in range(30000))
        harness.write_profile(self.tree, junk + f"[95]\r\n{ENGLISH}\r\nENGLISH_STARTUP=Big\r\n")
        self.assertGreater((self.tree / "install/quv/win/client.ini").stat().st_size, 4_000_000)
        result = self.launch()
        self.assertStarted(result, r"E:\products\enu\setup.exe", b"Big")

    def test_binary_bytes_and_a_last_line_without_newline(self):
        noise = bytes(random.Random(7).randrange(1, 256) for _ in range(20000)).replace(b"[", b"(")
        text = (noise + b"\r\n[95]\r\nENGLISH_STARTUP=\x81\xfe\x7f\x01grp\xff\r\n"
                + ENGLISH.encode())
        harness.write_profile(self.tree, text)
        result = self.launch()
        self.assertDefined(result)
        self.assertStarted(result, r"E:\products\enu\setup.exe", b"\x81\xfe\x7f\x01grp\xff")

    def test_nul_bytes_in_the_profile(self):
        harness.write_profile(self.tree, b"[95]\r\nENGLISH_STARTUP=ab\x00cd\r\n\x00\x00\r\n"
                                         + ENGLISH.encode() + b"\r\n\x00")
        self.assertDefined(self.launch())

    def test_setup_value_of_300_characters(self):
        harness.write_profile(self.tree, "[95]\r\nENGLISH=D:\\" + "s" * 297 + "\r\n")
        result = self.launch()
        self.assertDefined(result)
        self.assertEqual(result.exit_code, -1)  # cut to 259: no such program
        self.assertEqual(len(result.starts), 1)

    def test_found_path_limit_of_127_characters(self):
        # "E:\p\" + folder + "\setup.exe": 15 characters around the folder.
        for length, status in [(127, 0), (128, -1), (200, -1)]:
            with self.subTest(length=length):
                folder = "f" * (length - 15)
                harness.place_program(self.wine, self.tree, f"p/{folder}/setup.exe")
                harness.write_profile(self.tree, f"[95]\r\nENGLISH=D:\\p\\{folder}\\setup.exe\r\n")
                result = self.launch()
                self.assertEqual(result.exit_code, status)
                if status == 0:
                    self.assertEqual(len(result.starts[1].module), length)


class HostileLocale(LauncherCase):
    def test_locale_lengths_around_the_buffer(self):
        # 79 characters fit the 80-byte buffer and match no row: the box.
        # A longer value cannot be read, and the display language (English,
        # here) chooses instead, as where there is no value at all.
        for locale, box in [("0" * 77 + "10", True), ("0" * 78 + "10", False),
                            ("0" * 300 + "10", False)]:
            with self.subTest(length=len(locale)):
                result = self.launch(locale=locale)
                if box:
                    self.assertEqual((result.exit_code, result.starts, len(result.boxes)), (-1, [], 1))
                else:
                    self.assertStarted(result, r"E:\products\enu\setup.exe", b"English Group")


class DeepLauncher(LauncherCase):
    # The launcher's own path is 259 characters: the longest Windows allows.
    launcher_at = "/".join(["d" * 60] * 4) + "/launcher.exe"

    def test_own_path_near_the_limit(self):
        self.assertEqual(len(self.exe), 259)
        result = self.launch()
        self.assertStarted(result, r"E:\products\enu\setup.exe", b"English Group")


if __name__ == "__main__":
    unittest.main(verbosity=2)
