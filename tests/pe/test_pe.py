"""Checks the built executables as Windows would load them: the 32-bit one
must load on Windows 95, and both must import only what the program calls."""

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
        self.assertLessEqual(self.pe.size_without(".rsrc"), SIZE_BUDGET)


class Wine64Bit(unittest.TestCase, Executable):
    def setUp(self):
        self.pe = PeFile(REPO / "build/win64/launcher.exe")

    def test_same_imports_and_flags(self):
        self.assertEqual(self.pe.machine, 0x8664)
        self.check_common(self.pe)
        self.check_resources(self.pe, "amd64")


if __name__ == "__main__":
    unittest.main(verbosity=2)
