# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""From tree to disc: an image mastered by `make iso` (scripts/make-iso), or a
UDF bridge by genisoimage, laid out under the names it gives Windows
(extracted, since these machines cannot mount discs: with osirrox, Joliet
names, or ISO 9660 names without their version where the image has no
Joliet tree, never Rock Ridge names; with 7-Zip, the UDF tree that Windows
98 and later read), mapped under Wine as a CD-ROM drive, and the real launcher run for
each language and an unknown locale: what it does must be what
`launcher-check IMAGE.iso` predicts. The checker's Windows build, given
the disc's drive (E:\\), must see the same languages."""

import os
import subprocess
import tempfile
import unittest
from pathlib import Path

from launcher_tools import example_trees, harness
from agreement import Agreement

MAKE_ISO = harness.REPO / "scripts/make-iso"
LONG = "release candidate of the english edition"


def example(tree, wine):
    example_trees.stage("cd", tree, wine.stand_in())


def long_folder(tree, wine):
    harness.write_profile(tree, f"[95]\r\nENGLISH=D:\\products\\{LONG}\\setup.exe\r\n"
                          "GERMAN=D:\\products\\deu\\setup.exe\r\n")
    for program in [example_trees.ICON_TOOL, f"products/{LONG}/setup.exe", "products/deu/setup.exe"]:
        harness.place_program(wine, tree, program)


def latin_1_and_long_names(tree, wine):
    """Names a UDF bridge without Joliet keeps only in its UDF tree: one in
    Latin-1 (é in code page 1252, as the profile writes it), one of 80
    characters (genisoimage cuts UDF names as it cuts Joliet ones, at 64,
    where it writes both)."""
    harness.write_profile(tree, b"[95]\r\nFRENCH=D:\\products\\D\xe9marrage\\setup.exe\r\n"
                          b"ENGLISH=D:\\products\\" + LONG.replace(" ", "_").encode() * 2 +
                          b"\\setup.exe\r\n")
    for program in [example_trees.ICON_TOOL, "products/Démarrage/setup.exe",
                    f"products/{LONG.replace(' ', '_') * 2}/setup.exe"]:
        harness.place_program(wine, tree, program)
    (tree / "autorun.inf").write_bytes(b"[autorun]\r\nopen=launcher.exe\r\n")


# name: (tree builder, file system Windows 10 reads, {language: exit status
# the check must predict})
CASES = {
    "example with Joliet": (example, "joliet", {"ENGLISH": 0, "SPANISH": 0}),
    "no Joliet, a long folder name": (long_folder, "iso9660", {"ENGLISH": -1, "GERMAN": 0}),
    "UDF bridge, names only UDF keeps": (latin_1_and_long_names, "udf", {"ENGLISH": 0, "FRENCH": 0}),
}


class DiscAgreesWithTheLauncher(Agreement, unittest.TestCase):
    def master(self, tree, iso, fs):
        if fs == "udf":
            command = ["genisoimage", "-quiet", "-udf", "-o", str(iso), str(tree)]
        else:
            command = [str(MAKE_ISO), str(tree), str(iso)]
        env = dict(os.environ, FORCE="1", MAKE_ISO_NO_JOLIET="1" if fs == "iso9660" else "0")
        done = subprocess.run(command, env=env, capture_output=True, timeout=300)
        self.assertEqual(done.returncode, 0, done.stderr.decode())

    def extract(self, iso, folder, fs):
        # Joliet names where the image has them ("norock"), else the ISO 9660
        # names, their version dropped ("ecma119"); the UDF tree by 7-Zip.
        if fs == "udf":
            command = ["7zz", "x", "-tudf", f"-o{folder}", str(iso)]
        else:
            command = ["osirrox", "-read_fs", "norock" if fs == "joliet" else "ecma119",
                       "-indev", str(iso), "-extract", "/", str(folder)]
        done = subprocess.run(command, capture_output=True, timeout=300)
        self.assertEqual(done.returncode, 0, done.stderr.decode())
        subprocess.run(["chmod", "-R", "a-w", str(folder)], check=True)

    def test_images(self):
        for name, (build, fs, expected) in CASES.items():
            with self.subTest(image=name):
                work = Path(tempfile.mkdtemp(dir=self.wine.root, prefix="disc-"))
                tree, disc, iso = work / "tree", work / "disc", work / "image.iso"
                tree.mkdir()
                build(tree, self.wine)
                harness.place_launcher(tree)
                self.master(tree, iso, fs)
                self.extract(iso, disc, fs)
                self.wine.map_drive("E", disc)
                self.wine.set_drive_type("e", "cdrom")
                report = self.predict(iso)
                self.assertEqual(report["medium"], fs)
                by_language = {l["language"]: l["exit_status"] for l in report["languages"]}
                self.assertEqual({k: by_language[k] for k in expected}, expected)
                self.assertAgrees(disc, report=report, windows_build=False)
                codes = {f["code"] for f in report["findings"]}
                self.assertNotIn("autorun-missing", codes)  # make-iso added one
                if fs == "iso9660":
                    self.assertIn("disc-name-lost", codes)
                if fs == "udf":  # Windows 95 reads the ISO 9660 names: neither is 8.3
                    self.assertIn("disc-two-trees", codes)
                # A mounted disc's drive as TREE: the same languages.
                for checker in self.windows_checkers():
                    windows, _ = self.windows_build_report(checker)
                    self.assertEqual(windows["languages"], report["languages"], checker.name)


if __name__ == "__main__":
    unittest.main(verbosity=2)
