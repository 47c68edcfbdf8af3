# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""The checker's report held to the real launcher under Wine: the mixin of
the agreement suites, which runs the launcher for every locale of a report
and compares what it did."""

import json
import subprocess

from launcher_tools import harness

CHECKER = harness.REPO / "build/tools/launcher-check"
WINDOWS_CHECKERS = [harness.REPO / "build/win64/launcher-check.exe",
                    harness.REPO / "build/win32/launcher-check.exe"]
SHOW_NORMAL = 1  # the checker predicts a double-click: no arguments, shown normally


def deep_folder(length):
    """A folder under p\\ whose setup.exe has a full path of `length` characters on a drive."""
    return "p/" + "f" * (length - len("E:\\p\\\\setup.exe"))


class Agreement:
    """Runs the real launcher for every locale of a checker's report and
    holds what it did to the report (a mixin of the test cases)."""

    def setUp(self):
        self.assertTrue(CHECKER.exists(), f"{CHECKER} is missing: run 'make build'")
        self.wine = harness.shared_wine()

    place = "E:"  # where the launcher is started from

    def predict(self, tree, *args):
        place = ["--from", self.place] if self.place != "E:" else []
        done = subprocess.run([str(CHECKER), "--json", *place, *args, str(tree)],
                              capture_output=True, timeout=120)
        self.assertIn(done.returncode, (0, 1), done.stderr.decode())
        return json.loads(done.stdout)

    def user_language(self, report, locale):
        """The user of the checker's prediction, under Wine: a registry that
        holds `locale` (and a display language with no row, so that only the
        value can choose), or none and `locale` as the display language."""
        source = report["language_source"][report["windows"]]
        if source == "registry":
            return dict(locale=locale, unix_locale=harness.DISPLAY_LANGUAGES[0x0413])
        self.assertEqual(source, "display-language")
        return dict(locale=None, unix_locale=harness.unix_locale_for(int(locale, 16)))

    def assertAgrees(self, tree, wine_differs=None, report=None, windows_build=True):
        """Runs the launcher from drive E: (`tree`) for every locale the
        checker reports (on `tree`, or `report` when given), with the
        language where the checker says the launcher finds it. `wine_differs`
        ({language: Wine's exit status}) names the languages where Wine,
        unlike Windows, does something else."""
        report = report or self.predict(tree)
        before = harness.snapshot(tree)
        unmatched = report["unmatched_locale"]
        runs = report["languages"] + ([unmatched] if unmatched else [])
        self.assertEqual(len(runs), 7 if unmatched else 1)
        for predicted in runs:
            with self.subTest(tree=tree.name, locale=predicted["locale"]):
                exe = self.place + "\\launcher.exe"
                result = self.wine.run(exe, f'"{exe}"'.encode(), show=SHOW_NORMAL,
                                       **self.user_language(report, predicted["locale"]))
                if predicted["language"] in (wine_differs or {}):
                    self.assertEqual(result.exit_code, wine_differs[predicted["language"]])
                    continue
                self.assertEqual(result.exit_code, predicted["exit_status"])
                box = predicted["message_box"]
                self.assertEqual([b.text for b in result.boxes], [box.encode("cp1252")] if box else [])
                # Only starts that succeed leave a record; the checker says
                # which would, by their launch result.
                expected = [s for s in (predicted["icon_tool"], predicted["setup_program"])
                            if s and s["launch_result"] > 32]
                self.assertEqual(len(result.starts), len(expected), result.started_modules)
                for real, start in zip(result.starts, expected):
                    self.assertEqual(real.module.encode("latin-1").lower(),
                                     (self.place + start["file"][2:]).encode("cp1252").lower())
                    self.assertEqual(real.parameters, start["parameters"].encode("cp1252"))
                    self.assertEqual(real.show, start["show"])
        self.assertEqual(harness.snapshot(tree), before, "the launcher or checker changed the tree")
        if windows_build:
            self.assertWindowsBuildAgrees(report)
        return report

    def windows_build_report(self, checker):
        """The Windows build's report of drive E:, and its exit status."""
        place = ["--from", self.place] if self.place != "E:" else []
        code, output, _ = harness.start_under_wine([harness.WINE, str(checker), "--json", *place, "E:\\"],
                                                   self.wine.env, lambda code, out: out != "")
        return json.loads(output), code

    def windows_checkers(self):
        # The 32-bit file only where Wine runs it natively (its suite entry
        # reports the skip elsewhere, and under emulation each run takes a
        # minute); the 64-bit twin everywhere.
        # (Linux's answer first: under emulation Wine's i386 probe takes over
        # a minute, and this is asked once a tree.)
        native = harness.how_i386_runs()[0] == "native" and not self.wine.why_no_32bit()
        return WINDOWS_CHECKERS[:2 if native else 1]

    def assertWindowsBuildAgrees(self, report):
        for checker in self.windows_checkers():
            windows, code = self.windows_build_report(checker)
            self.assertEqual(code, 0 if report["all_start"] else 1, checker.name)
            self.assertEqual({**windows, "tree": None}, {**report, "tree": None}, checker)
