"""From tree to disc: an image mastered by `make iso` (scripts/make-iso),
laid out under the names it gives Windows (extracted with osirrox, since
these machines cannot mount ISO 9660: Joliet names, or ISO 9660 names
without their version where the image has no Joliet tree; never Rock Ridge
names), mapped under Wine as a CD-ROM drive, and the real launcher run for
each language and an unknown locale: what it does must be what
`launcher-check IMAGE.iso` predicts. The checker's Windows build, given
the disc's drive (E:\\), must see the same languages."""

import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import example_trees  # noqa: E402
import harness  # noqa: E402
from test_agreement import Agreement  # noqa: E402

MAKE_ISO = harness.REPO / "scripts/make-iso"
LONG = "release candidate of the english edition"


def example(tree, wine):
    example_trees.stage("cd", tree, wine.stand_in())


def long_folder(tree, wine):
    harness.write_profile(tree, f"[95]\r\nENGLISH=D:\\products\\{LONG}\\setup.exe\r\n"
                          "GERMAN=D:\\products\\deu\\setup.exe\r\n")
    for program in [example_trees.ICON_TOOL, f"products/{LONG}/setup.exe", "products/deu/setup.exe"]:
        harness.place_program(wine, tree, program)


# name: (tree builder, Joliet names, {language: exit status the check must predict})
CASES = {
    "example with Joliet": (example, True, {"ENGLISH": 0, "SPANISH": 0}),
    "no Joliet, a long folder name": (long_folder, False, {"ENGLISH": -1, "GERMAN": 0}),
}


class DiscAgreesWithTheLauncher(Agreement, unittest.TestCase):
    def master(self, tree, iso, joliet):
        env = dict(os.environ, FORCE="1")
        if not joliet:
            env["MAKE_ISO_NO_JOLIET"] = "1"
        done = subprocess.run([str(MAKE_ISO), str(tree), str(iso)], env=env,
                              capture_output=True, timeout=300)
        self.assertEqual(done.returncode, 0, done.stderr.decode())

    def extract(self, iso, folder, joliet):
        # Joliet names where the image has them ("norock"), else the ISO 9660
        # names, their version dropped ("ecma119").
        done = subprocess.run(["osirrox", "-read_fs", "norock" if joliet else "ecma119",
                               "-indev", str(iso), "-extract", "/", str(folder)],
                              capture_output=True, timeout=300)
        self.assertEqual(done.returncode, 0, done.stderr.decode())
        subprocess.run(["chmod", "-R", "a-w", str(folder)], check=True)

    def test_images(self):
        for name, (build, joliet, expected) in CASES.items():
            with self.subTest(image=name):
                work = Path(tempfile.mkdtemp(dir=self.wine.root, prefix="disc-"))
                tree, disc, iso = work / "tree", work / "disc", work / "image.iso"
                tree.mkdir()
                build(tree, self.wine)
                harness.place_launcher(tree)
                self.master(tree, iso, joliet)
                self.extract(iso, disc, joliet)
                self.wine.map_drive("E", disc)
                self.wine.set_drive_type("e", "cdrom")
                report = self.predict(iso)
                self.assertEqual(report["medium"], "joliet" if joliet else "iso9660")
                by_language = {l["language"]: l["exit_status"] for l in report["languages"]}
                self.assertEqual({k: by_language[k] for k in expected}, expected)
                self.assertAgrees(disc, report=report, windows_build=False)
                codes = {f["code"] for f in report["findings"]}
                self.assertNotIn("autorun-missing", codes)  # make-iso added one
                if not joliet:
                    self.assertIn("disc-name-lost", codes)
                # A mounted disc's drive as TREE: the same languages.
                for checker in self.windows_checkers():
                    windows, _ = self.windows_build_report(checker)
                    self.assertEqual(windows["languages"], report["languages"], checker.name)


if __name__ == "__main__":
    unittest.main(verbosity=2)
