# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Whole reports of trees that touch every rule, in every format, held to
tests/checker/expected/."""

import os
import subprocess
import unittest

from checker_support import REPO, CHECKER, SCRATCH, reference_trees, make_reference_tree, main


class References(unittest.TestCase):
    """Whole reports of trees that touch every rule: a changed field, column,
    finding, severity, line or prediction shows as a difference. After a
    deliberate change, REGENERATE=1 rewrites tests/checker/expected/ (read
    the diff before committing it)."""

    def test_whole_reports(self):
        expected = REPO / "tests/checker/expected"
        for name, (profile, files, runs) in reference_trees().items():
            make_reference_tree(name, profile, files)
            for args in runs:
                label = "-".join(a.strip("-") for a in args if a not in ("--format",))
                with self.subTest(tree=name, args=args):
                    done = subprocess.run([str(CHECKER), *args, name], cwd=SCRATCH,
                                          capture_output=True, timeout=120)
                    self.assertIn(done.returncode, (0, 1), done.stderr)
                    path = expected / f"{name}.{label}.txt"
                    if os.environ.get("REGENERATE") == "1":
                        path.write_bytes(done.stdout)
                    self.assertEqual(done.stdout.decode(), path.read_text())


if __name__ == "__main__":
    main()
