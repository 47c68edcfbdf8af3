# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""The names launcher-check sees on disc images, held to 7-Zip's, a reader
written independently of ours, per file system: images mastered here with
xorriso, genisoimage, and mkudffs with udfclient (UDF 2.01, small files
stored inside their ICB), from a tree with names in Latin-1, in code page
1252 only, and outside both (Greek, CJK), a folder nine levels deep and a
name past Joliet's 64 characters.

Where 7-Zip and Windows differ, Windows decides: on an image with Rock
Ridge names and no Joliet, 7-Zip shows the Rock Ridge names, which Windows
never reads; there the test holds the checker's ISO 9660 names to 7-Zip's
count of names in each folder instead."""

import collections
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from disc_images import genisoimage, udf_201, xorriso

REPO = Path(__file__).resolve().parents[2]
DISC_NAMES = Path(os.environ.get("DISC_NAMES", REPO / "build/host/tests/disc_names"))
LONG = "a very long file name that goes on and on beyond sixty four characters in total.txt"
FILES = ["products/Démarrage/setup.exe", "Straße/€uro.txt", "files/Ωmega.txt", "files/日本語.txt",
         "files/README", "files/" + LONG, "a/b/c/d/e/f/g/h/i/deep.txt", "install/quv/win/client.ini"]


def make_tree(root):
    for name in FILES:
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(b"[95]\r\n" if name.endswith(".ini") else b"x" * 100)


# name: (how it is made, the file system 7-Zip's ISO listing shows, or None
# where it shows Rock Ridge names)
IMAGES = {
    "xorriso, Joliet": (lambda t, i: xorriso(t, i, "-J", "-r"), "joliet"),
    "xorriso, no Joliet, no Rock Ridge": (lambda t, i: xorriso(t, i, "--norock"), "iso9660"),
    "xorriso, Rock Ridge only": (lambda t, i: xorriso(t, i, "-r"), None),
    "genisoimage -J": (lambda t, i: genisoimage(t, i, "-J", "-joliet-long"), "joliet"),
    "genisoimage -J -udf": (lambda t, i: genisoimage(t, i, "-J", "-udf"), "joliet"),
    "genisoimage -udf": (lambda t, i: genisoimage(t, i, "-udf"), "iso9660"),
    "genisoimage, 8.3 only": (lambda t, i: genisoimage(t, i), "iso9660"),
    "genisoimage -r": (lambda t, i: genisoimage(t, i, "-r"), None),
    "mkudffs 2.01 with udfclient": (udf_201, None),
}


def checker_names(image):
    done = subprocess.run([str(DISC_NAMES), str(image)], capture_output=True, timeout=60)
    assert done.returncode == 0, done.stderr.decode()
    names = collections.defaultdict(set)
    revision = None
    for line in done.stdout.decode("utf-8").splitlines():
        fields = line.split("\t")
        if fields[0] == "udf-revision":
            revision = fields[1]
            continue
        names[fields[0]].add((fields[1], fields[2]))
    return names, revision


def seven_zip_names(image, kind):
    done = subprocess.run(["7zz", "l", "-slt", "-t" + kind, str(image)], capture_output=True, timeout=60)
    if done.returncode != 0:
        return None
    names = set()
    for block in done.stdout.decode("utf-8").split("\n\n"):
        fields = dict(line.split(" = ", 1) for line in block.splitlines() if " = " in line)
        if "Path" in fields and "Folder" in fields:
            names.add(("d" if fields["Folder"] == "+" else "f", fields["Path"]))
    return names


def shape(names):
    """The number of files and folders at each depth."""
    return collections.Counter((kind, path.count("/")) for kind, path in names)


class DiscNamesAgreeWithSevenZip(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for tool in ["7zz", "genisoimage", "xorriso", "mkudffs", "udfclient"]:
            if shutil.which(tool) is None:
                raise RuntimeError(f"{tool} is missing: run scripts/ensure-deps")
        if not DISC_NAMES.exists():
            raise RuntimeError(f"{DISC_NAMES} is missing: run make build-host")
        cls.work = Path(tempfile.mkdtemp(prefix="disc-names-"))
        cls.tree = cls.work / "tree"
        make_tree(cls.tree)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def test_images(self):
        for name, (make, iso_shown) in IMAGES.items():
            with self.subTest(image=name):
                image = self.work / (re.sub(r"\W+", "-", name) + ".img")
                make(self.tree, image)
                ours, revision = checker_names(image)
                for fs, names in ours.items():
                    self.assertFalse([n for n in names if n[0] in "!?"], f"{fs}: unreadable names")
                agreed = []
                if "udf" in ours:
                    self.assertEqual(ours["udf"], seven_zip_names(image, "udf"))
                    agreed.append(f"udf {revision} {len(ours['udf'])}")
                if iso_shown:
                    self.assertEqual(ours[iso_shown], seven_zip_names(image, "iso"))
                    agreed.append(f"{iso_shown} {len(ours[iso_shown])}")
                elif "iso9660" in ours:
                    # Rock Ridge names in 7-Zip's listing: the same entries, by folder.
                    self.assertEqual(shape(ours["iso9660"]), shape(seven_zip_names(image, "iso")))
                    agreed.append(f"iso9660 {len(ours['iso9660'])} (by count)")
                print(f"  {name}: {', '.join(agreed)} names agree with 7-Zip", file=sys.stderr)

    def test_names_as_windows_shows_them(self):
        image = self.work / "j.img"
        genisoimage(self.tree, image, "-J", "-udf")
        ours, revision = checker_names(image)
        self.assertEqual(revision, "1.02")
        for fs in ["joliet", "udf"]:
            self.assertIn(("f", "files/日本語.txt"), ours[fs])
            self.assertIn(("f", "Straße/€uro.txt"), ours[fs])
        # ISO 9660 names lose their version and a trailing dot, and so do
        # Joliet names: README's Joliet record rewritten to "REA.;1".
        self.assertIn(("f", "FILES/README"), ours["iso9660"])
        data = image.read_bytes()
        joliet_readme = "README".encode("utf-16-be")
        self.assertEqual(data.count(joliet_readme), 1)
        image.write_bytes(data.replace(joliet_readme, "REA.;1".encode("utf-16-be")))
        ours, _ = checker_names(image)
        self.assertIn(("f", "files/REA"), ours["joliet"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
