# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""The checker's manual (docs/checker.md): its example report, findings
table, release table and list of release names, held to what the checker
prints."""

import re
import subprocess
import unittest

from checker_support import REPO, SCRATCH, run, main


MANUAL = REPO / "docs/checker.md"


class Docs(unittest.TestCase):
    def test_the_example_report_is_what_make_check_tree_prints(self):
        readme = MANUAL.read_text()
        command = "$ make check-tree TREE=examples/cd\n"
        shown = readme[readme.index(command) + len(command):]
        shown = shown[:shown.index("```")]
        page = SCRATCH / "readme's example.html"
        done = subprocess.run(["make", "-s", "--no-print-directory", "check-tree",
                               "TREE=examples/cd", f"HTML={page}"], cwd=REPO, capture_output=True, timeout=900)
        self.assertEqual(done.returncode, 0, done.stderr.decode())
        printed = done.stdout.decode()
        told = f"The report as one page: {page}\n"
        self.assertTrue(printed.endswith(told), printed)
        self.assertEqual(printed[printed.index("examples/cd is a bundled example"):-len(told)], shown)
        self.assertTrue(page.read_text().startswith("<!DOCTYPE html>"))

    def test_the_findings_table_is_the_checkers(self):
        readme = MANUAL.read_text()
        rows = [line.split(" | ") for line in readme.splitlines()
                if line.startswith("| error | `") or line.startswith("| warning | `")]
        documented = [(r[0][2:], r[1].strip("`"), r[2][:-2]) for r in rows]
        listed = [tuple(re.split(r"\s{2,}", line, maxsplit=2))
                  for line in run("--list-findings").stdout.decode().splitlines()]
        self.assertEqual(documented, listed)

    def test_the_release_table_is_the_checkers(self):
        readme = MANUAL.read_text()
        listed = run("--list-releases").stdout.decode()
        self.assertTrue(listed.startswith("| name | release |"), listed)
        self.assertIn("\n" + listed + "\n", readme)

    def test_the_windows_option_names_every_release(self):
        listed = re.findall(r"^\| `([^`]+)` \|", run("--list-releases").stdout.decode(), re.M)
        said = " ".join(MANUAL.read_text().split())
        names = said[said.index("a release (") + len("a release ("):]
        names = names[:names.index(")")]
        self.assertEqual(re.findall(r"`([^`]+)`", names), listed)


if __name__ == "__main__":
    main()
