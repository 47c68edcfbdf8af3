# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Checks the built executables as Windows would load them: the 32-bit
launcher must load on Windows 95, and both must import only what the
program calls; launcher-check.exe, both builds, must need no DLL but
Windows XP's own."""

import os
import unittest

from launcher_tools import REPO
from launcher_tools.pe_file import PeFile
from launcher_tools.shipped_pe import SIZE_BUDGET, Executable


class Shipped32Bit(unittest.TestCase, Executable):
    def setUp(self):
        self.pe = PeFile(os.environ.get("LAUNCHER_EXE32", REPO / "build/win32/launcher.exe"))

    def test_loads_on_windows_95(self):
        self.assertEqual(self.pe.machine, 0x14C, "i386")
        self.assertFalse(self.pe.is_64)
        self.check_common(self.pe)

    def test_resources(self):
        self.check_resources(self.pe, "x86")

    def test_size_budget(self):
        self.assertLessEqual(len(self.pe.data), SIZE_BUDGET)


class Wine64Bit(unittest.TestCase, Executable):
    def setUp(self):
        self.pe = PeFile(REPO / "build/win64/launcher.exe")

    def test_same_imports_and_flags(self):
        self.assertEqual(self.pe.machine, 0x8664)
        self.check_common(self.pe)
        self.check_resources(self.pe, "amd64")


# The DLLs launcher-check.exe may import: Windows' own, none beside it.
XP_SYSTEM_DLLS = {"KERNEL32.DLL", "MSVCRT.DLL", "USER32.DLL", "SHELL32.DLL", "OLE32.DLL"}


class WindowsChecker(unittest.TestCase):
    def test_needs_nothing_but_windows_xp(self):
        # Windows XP, and its x64 edition (5.2), the first 64-bit Windows.
        for bits, oldest in [("win32", (5, 1)), ("win64", (5, 2))]:
            with self.subTest(bits):
                pe = PeFile(REPO / f"build/{bits}/launcher-check.exe")
                imports = {dll.upper(): functions for dll, functions in pe.imports().items()}
                self.assertLessEqual(set(imports), XP_SYSTEM_DLLS)
                self.assertEqual(pe.subsystem, 3, "console subsystem")
                self.assertLessEqual((pe.subsystem_major, pe.subsystem_minor), oldest)
                # msvcrt.dll exports the "secure" *_s functions from Vista
                # on only; one imported would stop the program loading on XP.
                self.assertEqual([f for f in imports["MSVCRT.DLL"] if f.endswith("_s")], [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
