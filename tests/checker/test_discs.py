# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Disc images as authors master them, read as each Windows reads them."""

import json
import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

from checker_support import (REPO, PROFILE, SCRATCH, run, tree_with, program, master, udf_only,
                             unreadable_folder, unreadable_profile, main)

DEEP = "a/b/c/d/e/f/g/h/i"
LONG_NAME = "x" * 70
PROFILE_TEXT = (b"[95]\r\nENGLISH=D:\\" + DEEP.replace("/", "\\").encode() + b"\\setup.exe\r\n"
                b"GERMAN=D:\\products\\" + LONG_NAME.encode() + b"\\setup.exe\r\n"
                b"FRENCH=D:\\products\\fra\\setup.exe\r\n")
FILES = [(DEEP + "/setup.exe", program()), (f"products/{LONG_NAME}/setup.exe", program()),
         ("products/fra/setup.exe", program()), (PROFILE.replace("client.ini", "addiconw.exe"), program())]
AUTORUN = [("autorun.inf", b"[autorun]\r\nopen=other.exe /x\r\nicon=missing.ico\r\n"),
           ("other.exe", program())]


def genisoimage(tree, *options):
    iso = tree.with_suffix(".g.iso")
    subprocess.run(["genisoimage", "-quiet", *options, "-o", str(iso), str(tree)], check=True,
                   capture_output=True)
    return iso.read_bytes()


def disc_cases():
    """name: (image, medium, {language: exit}, the tree's finding codes). make
    iso writes an autorun.inf that opens launcher.exe, which these trees lack."""
    no_launcher = {"autorun-open-missing", "autorun-icon-missing", "launcher-missing"}
    return {
        "Joliet, as make iso masters it": (
            lambda t: master(t), "joliet", {"ENGLISH": 0, "GERMAN": -1, "FRENCH": 0},
            {"disc-name-lost"} | no_launcher),
        "ISO 9660 names only": (
            lambda t: master(t, joliet=False), "iso9660", {"ENGLISH": 0, "GERMAN": -1, "FRENCH": 0},
            {"disc-name-lost"} | no_launcher),
        "deep folders moved, no autorun": (
            lambda t: genisoimage(t, "-r"), "iso9660", {"ENGLISH": -1, "FRENCH": 0},
            {"disc-name-lost", "autorun-missing", "launcher-missing"}),
        "another program in autorun": (
            lambda t: genisoimage(t, "-J"), "joliet", {"FRENCH": 0},
            {"autorun-not-launcher", "autorun-icon-missing", "disc-name-lost"}),
        "UDF bridge": (
            lambda t: genisoimage(t, "-J", "-udf"), "udf", {"FRENCH": 0},
            {"autorun-missing", "launcher-missing"}),
        # Windows 95 reads the ISO 9660 names of a bridge without Joliet.
        "UDF bridge without Joliet": (
            lambda t: genisoimage(t, "-r", "-udf"), "udf", {"GERMAN": 0, "FRENCH": 0},
            {"disc-two-trees", "autorun-missing", "launcher-missing"}),
        # Small files inside their ICB, read; 95 to 2000 read nothing.
        "UDF 2.01 alone": (udf_only, "udf", {"FRENCH": 0},
                           {"disc-not-read-elsewhere", "autorun-missing", "launcher-missing"}),
        # A folder on the way that cannot be read is not a missing one.
        "a folder on the way, its data past the end": (
            unreadable_folder, "joliet", {"FRENCH": None, "ENGLISH": 0}, {"disc-name-lost"} | no_launcher),
        "client.ini listed, its data past the end": (
            unreadable_profile, "joliet", {"FRENCH": None}, {"file-unreadable"} | no_launcher),
    }


def checked_image(name, make):
    """The image `make` masters of the test tree, and its JSON report."""
    tree = tree_with(PROFILE_TEXT, FILES + (AUTORUN if name.startswith("another") else []))
    image = SCRATCH / "disc.iso"
    image.write_bytes(make(tree))
    done = run("--json", image)
    assert done.returncode in (0, 1), done.stderr
    return image, json.loads(done.stdout)


class Discs(unittest.TestCase):
    """What a disc image holds as Windows reads it, and the disc findings."""

    def test_images(self):
        for name, (make, medium, exits, codes) in disc_cases().items():
            with self.subTest(name):
                image, report = checked_image(name, make)
                self.assertEqual(report["medium"], medium)
                by_language = {l["language"]: l["exit_status"] for l in report["languages"]}
                self.assertEqual({k: by_language[k] for k in exits}, exits)
                self.assertEqual({f["code"] for f in report["findings"]}, codes)
                # A finding's line counts in the file it names.
                for f in (f for f in report["findings"] if f["code"].startswith("autorun-")):
                    if name.startswith("another"):
                        self.assertEqual((f["file"], f["line"]),
                                         ("D:\\autorun.inf", 3 if f["code"] == "autorun-icon-missing" else 2))

    def test_a_bridge_whose_trees_start_different_programs(self):
        # client.ini on the UDF side only: 95, OSR2 and NT 4.0 read ISO 9660
        # and start the default program with the group STARTUP for every
        # language, with the same exit status.
        tree = tree_with(b"[95]\r\nENGLISH=D:\\p\\setup.exe\r\nENGLISH_STARTUP=Product\r\n",
                         [("p/setup.exe", program()), ("products/win95/quv_enu/setup.exe", program()),
                          (PROFILE.replace("client.ini", "addiconw.exe"), program())])
        image = SCRATCH / "hidden.iso"
        subprocess.run(["genisoimage", "-quiet", "-r", "-udf", "-hide", "client.ini", "-o", str(image),
                        str(tree)], check=True, capture_output=True)
        report = json.loads(run("--json", image).stdout)
        two = [f["message"] for f in report["findings"] if f["code"] == "disc-two-trees"]
        self.assertEqual(len(two), 1, report["findings"])
        self.assertIn("ENGLISH starts D:\\products\\win95\\quv_enu\\setup.exe with group STARTUP "
                      "there (D:\\p\\setup.exe with group Product here)", two[0])

    def test_a_lost_name_explained_by_the_images_level(self):
        # ISO 9660 level 2 holds names of up to 31 characters: a long folder
        # is found, one with a hyphen is lost for its characters alone.
        tree = tree_with(b"[95]\r\nENGLISH=D:\\quv_italian_edition\\setup.exe\r\n"
                         b"GERMAN=D:\\quv-deu\\setup.exe\r\n",
                         [("quv_italian_edition/setup.exe", program()), ("quv-deu/setup.exe", program())])
        image = SCRATCH / "level2.iso"
        subprocess.run(["genisoimage", "-quiet", "-iso-level", "2", "-o", str(image), str(tree)],
                       check=True, capture_output=True)
        report = json.loads(run("--json", image).stdout)
        by_language = {l["language"]: l["exit_status"] for l in report["languages"]}
        self.assertEqual((by_language["ENGLISH"], by_language["GERMAN"]), (0, -1))
        lost = [f["message"] for f in report["findings"] if f["code"] == "disc-name-lost"]
        self.assertEqual(len(lost), 1, lost)
        self.assertIn('letters, digits and _ only (upper case), and "quv-deu" is not one', lost[0])
        self.assertNotIn("8 characters", lost[0])

    def test_udf_alone_as_each_release_reads_it(self):
        image, report = checked_image("UDF 2.01 alone", udf_only)
        self.assertEqual(report["file_systems"], {"95": None, "98-me": None, "2000": None,
                                                  "xp": "udf", "vista-and-later": "udf"})
        self.assertIn("File systems: Windows 95/NT 4.0 reads nothing; Windows 98/ME nothing; Windows "
                      "2000 nothing; Windows XP UDF 2.01; Windows Vista and later UDF 2.01\n",
                      run(image).stdout.decode())
        # Each release launches from what it reads: nothing up to 2000.
        self.assertEqual({r: report["releases"][r]["exit_status"]["0000040C"]
                          for r in ("me", "nt4", "2000", "xp", "10")},
                         {"me": None, "nt4": None, "2000": None, "xp": 0, "10": 0})
        on_9x = json.loads(run("--json", "--windows", "9x", image).stdout)
        # Unread is not missing: no key advice, nothing predicted.
        self.assertEqual({f["code"] for f in on_9x["findings"]},
                         {"disc-not-read", "disc-not-read-elsewhere"})
        self.assertEqual({(l["outcome"], l["exit_status"], l["setup_path"], len(l["findings"]))
                          for l in on_9x["languages"] + [on_9x["unmatched_locale"]]},
                         {("cannot-tell", None, None, 0)})

    def test_a_crash_of_xorriso_is_mastered_once_more(self):
        # xorriso now and then dies of a SIGSEGV on a tree it masters the
        # next time: make-iso tries a crash once more, and nothing else.
        tree = tree_with(b"[95]\r\n")
        fake = Path(tempfile.mkdtemp(dir=SCRATCH))
        for crashes, status in [(1, 0), (2, 1)]:
            with self.subTest(crashes=crashes):
                count = fake / "count"
                count.write_text("0")
                (fake / "xorriso").write_text(
                    f'#!/bin/bash\nn=$(($(cat {count}) + 1)); echo $n > {count}\n'
                    f'if [ $n -le {crashes} ]; then echo "UNIX-SIGNAL:  SIGSEGV  errno= 0" >&2; exit 1; fi\n'
                    f'exec {shutil.which("xorriso")} "$@"\n')
                (fake / "xorriso").chmod(0o755)
                env = dict(os.environ, FORCE="1", CHECKER="true", PATH=f"{fake}:{os.environ['PATH']}")
                done = subprocess.run([str(REPO / "scripts/make-iso"), str(tree), str(fake / "x.iso")],
                                      env=env, capture_output=True, timeout=600)
                self.assertEqual(done.returncode, status, done.stderr.decode())
                self.assertIn(b"mastering once more", done.stderr)
                self.assertEqual(count.read_text().strip(), "2")

    def test_write_once_udf(self):
        """DVD±R and BD-R volumes as mkudffs writes them: a virtual partition
        found through the allocation table recorded last, read by the
        releases that read the revision; a blank one has no launcher."""
        for media, revision in [("dvdr", "1.50"), ("dvdr", "2.01"), ("dvdr", "2.50"), ("bdr", "2.60")]:
            with self.subTest(media=media, revision=revision):
                image = SCRATCH / f"{media}-{revision}.udf"
                image.unlink(missing_ok=True)
                subprocess.run(["mkudffs", f"--media-type={media}", "--udfrev=" + revision, "--label=DISC",
                                str(image), "262144"], check=True, capture_output=True)
                done = run("--json", image)
                self.assertEqual(done.returncode, 1, done.stderr)
                report = json.loads(done.stdout)
                self.assertEqual((report["medium"], report["udf_revision"]), ("udf", revision))
                self.assertEqual(report["file_systems"]["xp"], "udf" if revision <= "2.01" else None)
                self.assertEqual(report["file_systems"]["2000"], "udf" if revision <= "1.50" else None)
                codes = {f["code"] for f in report["findings"]}
                self.assertIn("launcher-missing", codes)
                self.assertNotIn("disc-image-short", codes)

    def test_write_once_udf_padded_past_its_last_recorded_block(self):
        """The allocation table is looked for in the last 1024 blocks: an
        image padded by 300 (as run-out and padded masters are) is read; one
        padded further is described as such, never as no disc image."""
        image = SCRATCH / "padded.udf"
        image.unlink(missing_ok=True)
        subprocess.run(["mkudffs", "--media-type=dvdr", "--udfrev=2.01", "--label=DISC", str(image), "262144"],
                       check=True, capture_output=True)
        recorded = image.read_bytes()
        image.write_bytes(recorded + bytes(2048 * 300))
        report = json.loads(run("--json", image).stdout)
        self.assertEqual((report["medium"], report["udf_revision"]), ("udf", "2.01"))
        image.write_bytes(recorded + bytes(2048 * 1100))
        done = run(image)
        self.assertEqual(done.returncode, 2)
        self.assertIn(b"is a write-once UDF image (DVD-R, DVD+R, BD-R) whose allocation table is not in "
                      b"its last 1024 blocks", done.stderr)

    def test_a_file_in_two_extents_cut_in_its_second(self):
        """A file past 4 GiB is recorded in several extents (ISO 9660 level
        3). Made small here: SETUP.EXE's record flagged as continued and the
        next file's record renamed to it, so that its second extent is the
        next file's data; the image cut inside that second extent."""
        tree = tree_with(b"[95]\r\nENGLISH=D:\\setup.exe\r\n",
                         [("setup.exe", program() + bytes(4000)), ("setuq.exe", bytes(40000))])
        # client.ini's data first, so that the cut takes only the setup program's.
        sort = SCRATCH / "two-extents.sort"
        sort.write_text(f"{tree}/{PROFILE} 9\n{tree}/setup.exe 5\n{tree}/setuq.exe 1\n")
        data = bytearray(subprocess.run(["genisoimage", "-quiet", "-sort", str(sort), "-o", "-", str(tree)],
                                        check=True, capture_output=True).stdout)
        first, second = data.index(b"SETUP.EXE;1"), data.index(b"SETUQ.EXE;1")
        data[first - 33 + 25] |= 0x80  # file flags: not the final extent
        data[second:second + 11] = b"SETUP.EXE;1"
        extent = int.from_bytes(data[second - 33 + 2:second - 33 + 6], "little")
        image = SCRATCH / "two-extents.iso"
        for cut, outcome in [(len(data), "starts"), ((extent + 10) * 2048, "cannot-tell")]:
            with self.subTest(cut=cut):
                image.write_bytes(bytes(data[:cut]))
                report = json.loads(run("--json", "--locale", "00000409", image).stdout)
                self.assertEqual(report["languages"][0]["outcome"], outcome)

    def test_an_image_cut_short(self):
        """A burn or a download that stopped: data past the end is unreadable
        on ISO 9660, Joliet and UDF alike, the table, the JSON and the
        findings say "cannot tell" together, and the short image is said
        once, even where only its padding is gone."""
        profile = b"[95]\r\nENGLISH=D:\\p\\setup.exe\r\n"
        tree = tree_with(profile, [("p/setup.exe", program() + b"x" * 3_000_000)])
        for name, options in [("Joliet", ["-J"]), ("UDF bridge", ["-J", "-udf"]), ("ISO 9660", [])]:
            image = SCRATCH / "cut.iso"
            subprocess.run(["genisoimage", "-quiet", *options, "-o", str(image), str(tree)], check=True)
            size = image.stat().st_size
            for cut, outcome, exit_status in [(size * 9 // 10, "cannot-tell", None), (size - 2048, "starts", 0)]:
                with self.subTest(name, cut=size - cut):
                    subprocess.run(["truncate", "-s", str(cut), str(image)], check=True)
                    report = json.loads(run("--json", image).stdout)
                    english = report["languages"][1]
                    self.assertEqual((english["outcome"], english["exit_status"]), (outcome, exit_status))
                    self.assertEqual({r["exit_status"]["00000409"] for r in report["releases"].values()},
                                     {exit_status})
                    codes = [f["code"] for f in report["findings"]]
                    self.assertEqual(codes.count("disc-image-short"), 1)
                    self.assertNotIn("disc-two-trees", codes)
                    unreadable = "file-unreadable" in {f["code"] for f in english["findings"]}
                    self.assertEqual(unreadable, exit_status is None)
                    row = [line for line in run(image).stdout.decode().splitlines() if line.startswith("ENGLISH")][0]
                    self.assertEqual("cannot tell: D:\\p\\setup.exe cannot be read" in row, exit_status is None)

    def test_autorun_as_each_family_reads_it(self):
        autorun = (b"[autorun]\r\nopen=launcher.exe\r\n"
                   b"[autorun.amd64]\r\nshellexecute=readme.txt\r\nopen=readme.txt\r\n")
        tree = tree_with(b"[95]\r\n", [("autorun.inf", autorun), ("launcher.exe", program()),
                                        ("readme.txt", b"hello")])
        image = SCRATCH / "autorun.iso"
        image.write_bytes(master(tree))
        # family: what inserting the disc starts, by finding
        expected = {"9x": set(), "nt32": set(), "nt64": {"autorun-not-launcher"}}
        for windows, codes in expected.items():
            with self.subTest(windows):
                report = json.loads(run("--json", "--windows", windows, image).stdout)
                found = {f["code"] for f in report["findings"] if f["code"].startswith("autorun-")}
                self.assertEqual(found, codes)
        # open= starts a process: a text file is no program.
        tree = tree_with(b"[95]\r\n", [("autorun.inf", b"[autorun]\r\nopen=readme.txt\r\n"),
                                        ("readme.txt", b"hello")])
        image.write_bytes(master(tree))
        report = json.loads(run("--json", "--windows", "9x", image).stdout)
        self.assertIn("autorun-open-missing", {f["code"] for f in report["findings"]})

    def test_where_inserting_the_disc_starts_nothing(self):
        """autorun.inf: (its text, the releases named where nothing starts)."""
        rows = [
            # shellexecute= alone: read from Shell32 5.0 on (ME, 2000, XP and later).
            (b"[autorun]\r\nshellexecute=launcher.exe\r\n", "Windows 95 to 98 SE and NT 4.0:"),
            # [AutoRun.Amd64] alone: the 32-bit editions of Vista to 8 read [AutoRun].
            (b"[autorun.amd64]\r\nopen=launcher.exe\r\n",
             "Windows 95 to ME, NT 4.0 to XP, 10 (32-bit) and 10 on Arm to 11 on Arm:"),
        ]
        for autorun, said in rows:
            with self.subTest(autorun=autorun):
                tree = tree_with(b"[95]\r\n", [("autorun.inf", autorun), ("launcher.exe", program())])
                image = SCRATCH / "autorun.iso"
                image.write_bytes(master(tree))
                report = json.loads(run("--json", image).stdout)
                nothing = [f["message"] for f in report["findings"] if f["code"] == "autorun-open-missing"]
                self.assertEqual(len(nothing), 1, report["findings"])
                self.assertIn("Inserting the disc starts nothing on " + said, nothing[0])

    def test_a_launcher_past_the_images_end(self):
        """On the disc, unreadable: said once, and its icon is not missing."""
        tree = tree_with(b"[95]\r\n", [("zz/big.bin", bytes(200000))])
        (tree / "launcher.exe").write_bytes(program() + bytes(100000))
        data = master(tree)
        at = data.index(b"LAUNCHER.EXE;1")
        extent = int.from_bytes(data[at - 33 + 2:at - 33 + 6], "little")
        image = SCRATCH / "cut-launcher.iso"
        image.write_bytes(data[:(extent + 2) * 2048])
        findings = json.loads(run("--json", image).stdout)["findings"]
        codes = [f["code"] for f in findings]
        self.assertEqual([f["file"] for f in findings if f["code"] == "file-unreadable"],
                         ["D:\\launcher.exe"], codes)
        self.assertNotIn("autorun-icon-missing", codes)


if __name__ == "__main__":
    main()
