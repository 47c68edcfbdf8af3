# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""`make help` is a newcomer's first look: it lists every target of the
Makefile with one line, the fast loop first."""

import re
import subprocess
import unittest

from launcher_tools import REPO


class MakeHelp(unittest.TestCase):
    def test_every_target_has_one_line_and_the_fast_loop_comes_first(self):
        targets = set(re.findall(r"^([a-z][a-z0-9-]*):", (REPO / "Makefile").read_text(), re.M))
        targets.discard("all")  # the default goal, `make` alone
        said = subprocess.run(["make", "-s", "--no-print-directory", "help"], cwd=REPO,
                              capture_output=True, text=True, check=True).stdout.splitlines()
        listed = [line.split()[1] for line in said]
        self.assertEqual(sorted(listed), sorted(targets))
        self.assertEqual(listed[0], "test-unit")
        for line in said:
            self.assertGreater(len(line.split(None, 2)), 2, f"no description: {line}")


if __name__ == "__main__":
    unittest.main()
