# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""What the launcher's Wine tests share: a fresh tree on drive E: with the
launcher at its root, and what a start of the icon tool looks like."""

import tempfile
import unittest
from pathlib import Path

from launcher_tools import harness

ICON_PREFIX = rb"exe=c:\brumix\kez.exe desc=KEZ group="
LANGUAGES = {  # setup key -> folder of its setup program in the test tree
    "PORTUGESE": "ptb", "ENGLISH": "enu", "FRENCH": "fra",
    "ITALIAN": "ita", "GERMAN": "deu", "SPANISH": "esp",
}
SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE, SW_SHOWDEFAULT = 2, 7, 10

def full_profile():
    lines = ["; test tree", "[other]", "ENGLISH=D:\\wrong\\setup.exe", "[95]"]
    for key, folder in LANGUAGES.items():
        lines.append(f"{key}=D:\\products\\{folder}\\setup.exe")
        lines.append(f"{key}_STARTUP={key.title()} Group")
    return "\r\n".join(lines) + "\r\n"


class LauncherCase(unittest.TestCase):
    """A fresh tree on drive E: with the launcher at its root, the icon tool,
    and a setup program for every language."""

    drive = "E"
    launcher_at = "launcher.exe"

    def setUp(self):
        self.wine = wine = harness.shared_wine()
        self.tree = Path(tempfile.mkdtemp(dir=wine.root, prefix="tree-"))
        harness.place_launcher(self.tree, self.launcher_at)
        harness.place_program(self.wine, self.tree, "install/quv/win/addiconw.exe")
        for folder in LANGUAGES.values():
            harness.place_program(self.wine, self.tree, f"products/{folder}/setup.exe")
        harness.write_profile(self.tree, full_profile())
        self.place_tree()

    def place_tree(self):
        self.wine.map_drive(self.drive, self.tree)

    @property
    def root(self):
        """Where the tree lies as Windows names it: the drive, by default."""
        return f"{self.drive}:"

    @property
    def exe(self):
        return f"{self.root}\\" + self.launcher_at.replace("/", "\\")

    def launch(self, command_line=None, show=SW_SHOWMINNOACTIVE, locale="00000409", **kw):
        """Runs the launcher and checks that it left the tree as it was."""
        if command_line is None:
            command_line = f'"{self.exe}"'.encode()
        before = harness.snapshot(self.tree)
        result = self.wine.run(self.exe, command_line, show=show, locale=locale, **kw)
        self.assertEqual(harness.snapshot(self.tree), before, "the launcher changed the tree")
        return result

    def assertIconTool(self, start, group):
        self.assertEqual(start.module, f"{self.root}\\install\\quv\\win\\addiconw.exe")
        self.assertEqual(start.parameters, ICON_PREFIX + group)
        self.assertEqual((start.flags & 1, start.show), (1, SW_SHOWMINIMIZED))

    def assertStartedLanguage(self, result, key):
        """The setup program and group of `key` in the full profile ("Portugese
        Group" has 15 characters: the group is cut to 14)."""
        self.assertStarted(result, f"{self.root}\\products\\{LANGUAGES[key]}\\setup.exe",
                           f"{key.title()} Group".encode()[:14])

    def assertStarted(self, result, setup_module, group, parameters=b"", show=SW_SHOWMINNOACTIVE):
        self.assertEqual(result.boxes, [])
        self.assertEqual(result.exit_code, 0)
        self.assertEqual(len(result.starts), 2, result.started_modules)
        self.assertEqual(result.processes, 3)  # the launcher and its two programs
        self.assertIconTool(result.starts[0], group)
        setup = result.starts[1]
        self.assertEqual(setup.module.lower(), setup_module.lower())
        self.assertEqual(setup.parameters, parameters)
        self.assertEqual((setup.flags & 1, setup.show), (1, show))
