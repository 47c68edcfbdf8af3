# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""launcher-check as a tree author uses it: options, exit statuses, and
trees that would trip a careless tool (missing, not a folder, symbolic-link
loops, names with any bytes, a huge profile). Never a crash, never a write
into the tree."""

import atexit
import html
import json
import os
import re
import resource
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
from launcher_tools import downloads
from launcher_tools.harness import snapshot
from test_disc_names import udf_201

CHECKER = Path(os.environ.get("LAUNCHER_CHECK", REPO / "build/tools/launcher-check"))
PROFILE = "install/quv/win/client.ini"
SCRATCH = Path(tempfile.mkdtemp(prefix="launcher-check-"))
atexit.register(shutil.rmtree, SCRATCH, ignore_errors=True)


def run(*args):
    return subprocess.run([str(CHECKER), *map(str, args)], capture_output=True, timeout=120)


def tree_with(profile=None, files=()):
    root = Path(tempfile.mkdtemp(dir=SCRATCH))
    if profile is not None:
        (root / PROFILE).parent.mkdir(parents=True)
        (root / PROFILE).write_bytes(profile)
    for relative, content in files:
        (root / relative).parent.mkdir(parents=True, exist_ok=True)
        (root / relative).write_bytes(content)
    return root


def program(machine=0x14C, magic=0x10B, subsystem=(4, 0), pe=True):
    """The head of a Windows program as the checker reads it: MZ, the PE
    signature, the machine, the optional header's magic and subsystem
    version (a DOS program without `pe`)."""
    head = bytearray(b"MZ" + bytes(0x3A) + (0x40).to_bytes(4, "little"))
    if pe:
        head += b"PE\0\0" + machine.to_bytes(2, "little") + bytes(18)
        optional = bytearray(96)
        optional[0:2] = magic.to_bytes(2, "little")
        optional[48:52] = bytes([subsystem[0], 0, subsystem[1], 0])
        head += optional
    return bytes(head) + b"program body"


def reference_trees():
    """{name: (profile, files, arguments for each report)}: trees whose whole
    reports are held to tests/checker/expected/."""
    win = "install/quv/win/"
    families = (b"[95]\r\nPORTUGESE=D:\\p\\setup.exe\r\nENGLISH=D:\\p\\setup64.exe\r\n"
                b"FRENCH=D:\\p\\dos.exe\r\nITALIAN=D:\\p\\xp.exe\r\n"
                b"GERMAN=D:\\p\\install.cmd\r\nSPANISH=D:\\p\\setup.msi\r\n")
    family_files = [("p/setup.exe", program()), ("p/setup64.exe", program(0x8664, 0x20B, (5, 2))),
                    ("p/dos.exe", program(pe=False)), ("p/xp.exe", program(subsystem=(5, 1))),
                    ("p/install.cmd", b"@echo off\r\n"), ("p/setup.msi", b"msi"),
                    (win + "addiconw.exe/readme.txt", b"a folder")]
    types = (b"[95]\r\nPORTUGESE=D:\\p\\readme.txt\r\nENGLISH=D:\\p\\setup.com\r\n"
             b"FRENCH=D:\\p\\setup.bat\r\nITALIAN=D:\\p\\setup.lnk\r\nGERMAN=D:\\p\\setup\r\n"
             b"SPANISH=D:\\p\\empty.com\r\n")
    type_files = [("p/readme.txt", b"read me"), ("p/setup.com", b"\xb4\x4c\xcd\x21"),
                  ("p/setup.bat", b"@echo off"), ("p/setup.lnk", b"L\0\0\0"), ("p/setup", program()),
                  ("p/empty.com", b""), (win + "addiconw.exe", program())]
    deep = "q/" + "d" * (127 - len("D:\\q\\\\setup.exe"))
    keys = (b"; keys and groups\r\n[95]\r\n"
            b"PORTUGESE=x\r\nPORTUGESE_STARTUP=\"Quoted group\"\r\n"
            b"ENGLISH=C:\\p\\setup.exe\r\nENGLISH_STARTUP=\"Fourteen chars\"\r\n"
            b"FRENCH=D:\\" + deep.replace("/", "\\").encode() + b"\\setup.exe\r\n"
            b"FRENCH_STARTUP=Fourteen chars\r\n"
            b"ITALIAN=D:\\" + deep.replace("/", "\\").encode() + b"x\\setup.exe\r\n"
            b"ITALIAN_STARTUP=Fifteen chars..\r\nSPANSH=D:\\p\\setup.exe\r\n"
            b"GERMAN=D:\\" + deep.replace("/", "\\").encode() + b"y\\setup.exe\r\n")
    key_files = [("p/setup.exe", program()), (deep + "/setup.exe", program()),
                 (deep + "y/setup.exe", program()),  # found, but past the file test's 127
                 ("products/win95/quv_enu/setup.exe", program()), (win + "addiconw.exe", program())]
    # Windows' path rules (the Wine suite holds the same rows to the real
    # launcher): ".." stops at the root, one trailing dot of a folder name
    # goes, its trailing blank stays, the last name loses its trailing dots
    # and blanks, a final "\" names a folder.
    path_rules = (b"[95]\r\nPORTUGESE=D:\\..\\..\\setup\\.\\setup.exe\r\n"
                  b"ENGLISH=d:\\setup\\setup.exe\\\r\nFRENCH=d:\\setup \\setup.exe\r\n"
                  b"ITALIAN=d:\\setup..\\setup.exe\r\nGERMAN=D:\\setup.\\x\\..\\setup.exe\\.\r\n"
                  b"SPANISH=D:/setup//SETUP.EXE. .\r\n")
    utf8_mark = b"\xef\xbb\xbf[95]\r\nENGLISH=D:\\p\\setup.exe\r\nENGLISH_STARTUP=D\xc3\xa9marrage\r\n"
    utf16 = "\ufeff[95]\r\nENGLISH=D:\\p\\setup.exe\r\nENGLISH_STARTUP=\u0141\u00f3d\u017a\r\n"
    marked_files = [("p/setup.exe", program()), (win + "addiconw.exe", program())]
    return {
        "families": (families, family_files, [["--json"], ["--json", "--windows", "9x"],
                                              ["--format", "gcc", "--windows", "nt32"],
                                              ["--windows", "nt32"]]),
        "file-types": (types, type_files, [["--json"], ["--json", "--windows", "9x"]]),
        "keys-and-groups": (keys, key_files, [["--json"], ["--languages", "english,FRENCH,ITALIAN"],
                                              ["--format", "gcc"]]),
        "path-rules": (path_rules, [("setup/setup.exe", program())], [["--json"]]),
        "utf-8-mark": (utf8_mark, marked_files, [["--json"]]),
        "utf-16-profile": (utf16.encode("utf-16-le"), marked_files,
                           [["--json", "--locale", "00000409"],
                            ["--json", "--locale", "00000409", "--windows", "9x"]]),
    }


def make_reference_tree(name, profile, files):
    root = SCRATCH / name
    if root.exists():
        shutil.rmtree(root)
    root.mkdir()
    (root / PROFILE).parent.mkdir(parents=True)
    (root / PROFILE).write_bytes(profile)
    for relative, content in files:
        (root / relative).parent.mkdir(parents=True, exist_ok=True)
        (root / relative).write_bytes(content)


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


def master(tree, joliet=True):
    """A disc image of `tree` as make iso masters it (xorriso)."""
    iso = tree.with_suffix(".iso")
    env = dict(os.environ, FORCE="1", MAKE_ISO_NO_JOLIET="0" if joliet else "1", CHECKER="true")
    done = subprocess.run([str(REPO / "scripts/make-iso"), str(tree), str(iso)], env=env,
                          capture_output=True, timeout=600)
    assert done.returncode == 0, done.stderr.decode()
    return iso.read_bytes()


def patched(data, at, replacement):
    return data[:at] + replacement + data[at + len(replacement):]


def both_endian(value):
    return value.to_bytes(4, "little") + value.to_bytes(4, "big")


def udf_only(tree):
    image = tree.with_suffix(".udf")
    image.unlink(missing_ok=True)
    udf_201(tree, image, [str(p.relative_to(tree)) for p in sorted(tree.rglob("*")) if p.is_file()])
    return image.read_bytes()


def folder_records(data, name):
    """Where the directory records of the folder `name` start: its name
    length just before it, a record long enough to hold it, and the
    directory flag (not the path tables' entries, which name it too)."""
    at = -1
    while (at := data.find(name, at + 1)) >= 0:
        if at >= 33 and data[at - 1] == len(name) and data[at - 33] >= 33 + len(name) and data[at - 8] & 2:
            yield at - 33


def unreadable_folder(tree):
    """An image whose records of the folder products\\fra, in both trees, point
    past its end."""
    data = master(tree)
    for name in [b"FRA", "fra".encode("utf-16-be")]:
        for record in list(folder_records(data, name)):
            data = patched(data, record + 2, both_endian(0x7FFFFF00))
    return data


def unreadable_profile(tree):
    """An image whose client.ini records, in both trees, point past its end."""
    data = master(tree)
    for name in [b"CLIENT.INI", "client.ini".encode("utf-16-be")]:
        data = patched(data, data.index(name) - 31, both_endian(0x7FFFFF00))
    return data


# The SARIF 2.1.0 schema (OASIS, as schemastore keeps it), from Microsoft's
# jest-sarif package, through npm.
SARIF_SCHEMA = "package/lib/schemas/sarif-2.1.0-rtm.5.json"


def sarif_schema():
    import tarfile
    with tarfile.open(downloads.path_of("jest-sarif")) as package:
        return json.load(package.extractfile(SARIF_SCHEMA))


class Sarif(unittest.TestCase):
    """--format sarif as GitHub code scanning takes it: valid against the
    SARIF 2.1.0 schema, every rule of --list-findings, and one result for
    each finding of the JSON report, at a location that exists."""

    def test_reference_trees_against_the_schema(self):
        import jsonschema  # Debian's python3-jsonschema
        validator = jsonschema.Draft4Validator(sarif_schema())
        codes = [line.split()[1] for line in run("--list-findings").stdout.decode().splitlines()]
        for name, (profile, files, runs) in reference_trees().items():
            make_reference_tree(name, profile, files)
            args = [a for a in runs[0] if a != "--json"]
            with self.subTest(tree=name):
                done = subprocess.run([str(CHECKER), "--format", "sarif", *args, name], cwd=SCRATCH,
                                      capture_output=True, timeout=120)
                log = json.loads(done.stdout)
                validator.validate(log)
                report = json.loads(subprocess.run([str(CHECKER), "--json", *args, name], cwd=SCRATCH,
                                                   capture_output=True, timeout=120).stdout)
                rules = [r["id"] for r in log["runs"][0]["tool"]["driver"]["rules"]]
                self.assertEqual(rules, codes)
                findings = report["findings"] + [f for l in report["languages"] for f in l["findings"]]
                results = log["runs"][0]["results"]
                self.assertEqual(sorted((r["ruleId"], r["level"]) for r in results),
                                 sorted((f["code"], f["severity"]) for f in findings))
                for r in results:
                    self.assertEqual(rules[r["ruleIndex"]], r["ruleId"])
                    physical = r["locations"][0]["physicalLocation"]
                    path = SCRATCH / physical["artifactLocation"]["uri"]
                    self.assertTrue(path.exists(), path)
                    if "region" in physical:
                        lines = path.read_bytes().splitlines()
                        self.assertLessEqual(physical["region"]["startLine"], len(lines))


class Discs(unittest.TestCase):
    """What a disc image holds as Windows reads it, and the disc findings."""

    def test_images(self):
        deep = "a/b/c/d/e/f/g/h/i"
        long_name = "x" * 70
        profile = (b"[95]\r\nENGLISH=D:\\" + deep.replace("/", "\\").encode() + b"\\setup.exe\r\n"
                   b"GERMAN=D:\\products\\" + long_name.encode() + b"\\setup.exe\r\n"
                   b"FRENCH=D:\\products\\fra\\setup.exe\r\n")
        files = [(deep + "/setup.exe", program()), (f"products/{long_name}/setup.exe", program()),
                 ("products/fra/setup.exe", program()), (PROFILE.replace("client.ini", "addiconw.exe"), program())]
        autorun = [("autorun.inf", b"[autorun]\r\nopen=other.exe /x\r\nicon=missing.ico\r\n"),
                   ("other.exe", program())]

        def genisoimage(tree, *options):
            iso = tree.with_suffix(".g.iso")
            subprocess.run(["genisoimage", "-quiet", *options, "-o", str(iso), str(tree)], check=True,
                           capture_output=True)
            return iso.read_bytes()

        # name: (image, medium, {language: exit}, the tree's finding codes). make iso
        # writes an autorun.inf that opens launcher.exe, which these trees lack.
        no_launcher = {"autorun-open-missing", "autorun-icon-missing", "launcher-missing"}
        cases = {
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
        for name, (make, medium, exits, codes) in cases.items():
            with self.subTest(name):
                tree = tree_with(profile, files + (autorun if name.startswith("another") else []))
                image = SCRATCH / "disc.iso"
                image.write_bytes(make(tree))
                done = run("--json", image)
                self.assertIn(done.returncode, (0, 1), done.stderr)
                report = json.loads(done.stdout)
                self.assertEqual(report["medium"], medium)
                by_language = {l["language"]: l["exit_status"] for l in report["languages"]}
                self.assertEqual({k: by_language[k] for k in exits}, exits)
                found = {f["code"] for f in report["findings"]}
                self.assertEqual(found, codes)
                # A finding's line counts in the file it names.
                for f in (f for f in report["findings"] if f["code"].startswith("autorun-")):
                    if name.startswith("another"):
                        self.assertEqual((f["file"], f["line"]), ("D:\\autorun.inf", 3 if f["code"] == "autorun-icon-missing" else 2))
                if name == "UDF 2.01 alone":
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


class HostileImages(unittest.TestCase):
    """Damaged and hostile disc images: a clear error (exit 2) or a report,
    in bounded time and memory (1 GiB of address space), nothing written."""

    def check(self, data):
        path = SCRATCH / "hostile.iso"
        path.write_bytes(data)
        before = sorted(p.name for p in SCRATCH.iterdir())
        limit = lambda: resource.setrlimit(resource.RLIMIT_AS, (1 << 30, 1 << 30))  # noqa: E731
        started = time.monotonic()
        done = subprocess.run([str(CHECKER), "--json", str(path)], capture_output=True, timeout=60,
                              preexec_fn=limit)
        self.assertLess(time.monotonic() - started, 20)
        self.assertIn(done.returncode, (0, 1, 2), done.stderr[-2000:])
        self.assertEqual(path.read_bytes(), data)
        self.assertEqual(sorted(p.name for p in SCRATCH.iterdir()), before)
        if done.returncode == 2:
            self.assertEqual(done.stdout, b"")
            self.assertTrue(done.stderr.startswith(b"launcher-check: "), done.stderr)
            return None
        self.assertEqual(done.stderr, b"")
        return json.loads(done.stdout)

    def test_hostile_images(self):
        tree = tree_with(b"[95]\r\nENGLISH=D:\\products\\setup.exe\r\n",
                         [("products/setup.exe", program()), ("launcher.exe", program())])
        joliet = master(tree)
        root_lsn = int.from_bytes(joliet[16 * 2048 + 158:16 * 2048 + 162], "little")
        # The records of the folder PRODUCTS in both trees: the extent field
        # is 31 bytes before the name.
        iso_name = joliet.index(b"PRODUCTS")
        joliet_name = joliet.index("products".encode("utf-16-be"))
        # xorriso takes minutes over 100,000 names in one folder; genisoimage
        # does not.
        crowded = SCRATCH / "crowded"
        (crowded / "products").mkdir(parents=True)
        for i in range(100000):
            open(crowded / "products" / f"F{i:05d}", "wb").close()
        (crowded / PROFILE).parent.mkdir(parents=True)
        (crowded / PROFILE).write_bytes(b"[95]\r\nENGLISH=D:\\products\\f99999\r\n")
        subprocess.run(["genisoimage", "-quiet", "-J", "-o", str(SCRATCH / "crowded.iso"), str(crowded)],
                       check=True, timeout=300)
        cases = {
            "cut in its folders": (joliet[:19 * 2048], (1, 2)),
            "cut in its volume descriptors": (joliet[:16 * 2048 + 100], (2,)),
            "not an image": (b"MZ" + bytes(range(256)) * 300, (2,)),
            "claims far more than it holds": (patched(patched(joliet, 16 * 2048 + 80, both_endian(0x7FFFFFFF)),
                                                      16 * 2048 + 156 + 10, both_endian(0x7FFFFFFF)), (0, 1, 2)),
            "a folder that holds itself": (patched(patched(joliet, iso_name - 31, both_endian(root_lsn)),
                                                   joliet_name - 31, both_endian(root_lsn)), (1,)),
            "malformed Joliet names": (patched(joliet, joliet_name, b"\xd8\x00\xdc" + b"\xff" * 13), (1, 2)),
            "100,000 names in a folder": ((SCRATCH / "crowded.iso").read_bytes(), (1,)),
        }
        for name, (data, statuses) in cases.items():
            with self.subTest(name):
                report = self.check(data)
                self.assertIn(2 if report is None else (0 if report["all_start"] else 1), statuses)


class Readme(unittest.TestCase):
    def test_the_readmes_example_report_is_what_make_check_tree_prints(self):
        readme = (REPO / "README.md").read_text()
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


    def test_the_readmes_findings_table_is_the_checkers(self):
        readme = (REPO / "README.md").read_text()
        rows = [line.split(" | ") for line in readme.splitlines()
                if line.startswith("| error | `") or line.startswith("| warning | `")]
        documented = [(r[0][2:], r[1].strip("`"), r[2][:-2]) for r in rows]
        listed = [tuple(re.split(r"\s{2,}", line, maxsplit=2))
                  for line in run("--list-findings").stdout.decode().splitlines()]
        self.assertEqual(documented, listed)


    def test_the_readmes_release_table_is_the_checkers(self):
        readme = (REPO / "README.md").read_text()
        listed = run("--list-releases").stdout.decode()
        self.assertTrue(listed.startswith("| name | release |"), listed)
        self.assertIn("\n" + listed + "\n", readme)


class Usage(unittest.TestCase):
    def test_help_version_and_usage_errors(self):
        self.assertEqual(run("--help").returncode, 0)
        self.assertIn(b"Usage: launcher-check [--format text|json|gcc|sarif|html] [--windows WINDOWS]\n",
                      run("--help").stdout)
        version = run("--version")
        self.assertEqual((version.returncode, version.stdout), (0, b"launcher-check 1.0.0\n"
                         b"Licence: GPL-3.0-or-later as a whole, since it contains libcdio; "
                         b"our own code is BSL-1.0.\n"))
        for args in [(), ("--json",), ("--locale",), ("--frob", "x"), ("a", "b"), (".", "."),
                     ("--locale", "0" * 80, "."), ("--windows", "nt16", "."), ("--windows",),
                     ("--format", "xml", "."), ("--languages", "ENGLISH,KLINGON", "."),
                     ("--languages", "", "."), ("--from", "nowhere", "."),
                     ("--from", "\\\\?\\C:\\x", "."), ("--from", "C:\\" + "x" * 228, "."),
                     ("--from",)]:
            with self.subTest(args=args):
                done = run(*args)
                self.assertEqual(done.returncode, 2)
                self.assertEqual(done.stdout, b"")
                self.assertTrue(done.stderr.startswith(b"launcher-check: "), done.stderr)

    def test_unreadable_trees(self):
        a_file = Path(tempfile.mkstemp(dir=SCRATCH)[1])
        for tree, said in [("/nonexistent/tree", b"cannot find the tree"), (a_file, b"is neither a folder nor a disc image")]:
            with self.subTest(tree=tree):
                done = run(tree)
                self.assertEqual((done.returncode, done.stdout), (2, b""))
                self.assertIn(said, done.stderr)

    def test_every_format_names_the_place(self):
        tree = tree_with(b"[95]\r\nENGLISH=D:\\p\\setup.exe\r\n", [("p/setup.exe", program())])
        place = "\\\\srv\\share\\product"
        said = {fmt: run("--format", fmt, "--from", place, tree) for fmt in ("text", "json", "sarif", "html")}
        # The other five languages fall back to a default that is not there.
        self.assertEqual({fmt: done.returncode for fmt, done in said.items()},
                         {fmt: 1 for fmt in said})
        self.assertIn(f"as {place} (started from {place}\\launcher.exe".encode(),
                      said["text"].stdout.splitlines()[0])
        self.assertNotIn(b"Room:", said["text"].stdout)
        report = json.loads(said["json"].stdout)
        self.assertEqual((report["place"], report["room"]), (place, None))
        # Its found path is spelt, and counted, from the share.
        self.assertEqual(report["languages"][1]["found_path"], place + "\\p\\setup.exe")
        self.assertEqual(json.loads(said["sarif"].stdout)["runs"][0]["properties"], {"place": place})
        self.assertIn(html.escape(place).encode(), said["html"].stdout)
        self.assertEqual(json.loads(run("--json", tree).stdout)["room"],
                         {"characters": 115, "language": "ENGLISH", "found_path": "D:\\p\\setup.exe"})


class HostileTrees(unittest.TestCase):
    def check(self, root, *args):
        before = snapshot(root) if not any(p.is_symlink() for p in root.rglob("*")) else None
        done = run("--json", *args, root)
        self.assertIn(done.returncode, (0, 1), done.stderr)
        self.assertEqual(done.stderr, b"")
        if before is not None:
            self.assertEqual(snapshot(root), before)
        return json.loads(done.stdout)

    def test_symbolic_link_loops(self):
        root = tree_with()
        (root / "install/quv/win").mkdir(parents=True)
        os.symlink("client.ini", root / PROFILE)               # a link to itself
        os.symlink("..", root / "install/quv/win/loop")         # a folder loop
        (root / "products").symlink_to(root / "products")
        report = self.check(root)
        self.assertFalse(report["profile"]["found"])
        self.assertEqual({l["exit_status"] for l in report["languages"]}, {-1})

    def test_names_with_any_bytes(self):
        lower = "".join(chr(c) for c in range(0xE0, 0xFF) if c != 0xF7) + "\u0161\u0153\u017e\u00ff"
        root = tree_with(b"[95]\r\nENGLISH=D:\\\xff\xfe\x80odd\\n\xe9 w\\setup.exe\r\n"
                         b"ITALIAN=D:\\" + lower.upper().encode("cp1252")
                         + b"\\setup.exe\r\n"
                         b"GERMAN=D:\\tab\tname\\setup.exe\r\nFRENCH=D:\\what?\\setup.exe\r\n")
        # Unix names are UTF-8; one that is not valid UTF-8 is passed over.
        (root / os.fsdecode(b"\xff\xfe\x80ODD")).mkdir()
        folder = root / "\u00ff\u00fe\u20acodd" / "N\u00c9 W"
        folder.mkdir(parents=True)
        (folder / "setup.exe").write_bytes(b"")
        # Every letter of the code page is found whatever its case.
        (root / lower).mkdir()
        (root / lower / "setup.exe").write_bytes(b"")
        # No Windows file name holds a control character or a '?'.
        for name in ["tab\tname", "what?"]:
            (root / name).mkdir()
            (root / name / "setup.exe").write_bytes(b"")
        report = self.check(root)
        english = report["languages"][1]
        # Found without regard to case, through the Latin-1 letter É/é.
        self.assertEqual(english["found_path"], "D:\\\u00ff\u00fe\u20acodd\\n\u00e9 w\\setup.exe")
        self.assertEqual(english["exit_status"], 11)
        for language in report["languages"][2], report["languages"][4]:
            self.assertEqual((language["found_path"], language["exit_status"]), (None, -1))
        self.assertEqual(report["languages"][3]["exit_status"], 11)

    def test_file_types_as_each_release_opens_them(self):
        # extension: (the exit status on each release, one letter a release in
        # --list-releases order: 0, X for 31, and a finding on 64-bit Windows 10)
        cases = {".htm": ("X0000|0000|000000", "setup-opens-document"),
                 ".url": ("X0000|0000|000000", "setup-opens-document"),
                 ".hta": ("XXX00|X000|000000", None), ".vbs": ("XX000|X000|000000", None),
                 ".js": ("XX000|X000|000000", None), ".reg": ("00000|0000|000000", "setup-opens-document"),
                 ".rtf": ("00000|0000|000000", "setup-opens-document"),
                 ".wri": ("00000|0000|000000", "setup-opens-document"),
                 ".chm": ("XX000|X000|000000", "setup-opens-document"),
                 ".hlp": ("00000|0000|000000", "setup-opens-document"), ".msi": ("XXXX0|X000|000000", None),
                 ".cmd": ("XXXXX|0000|000000", None),
                 ".scr": ("00000|0000|000000", None), ".xyz": ("XXXXX|XXXX|XXXXXX", "setup-needs-association")}
        for extension, (exits, code) in cases.items():
            with self.subTest(extension):
                root = tree_with(b"[95]\r\nENGLISH=D:\\setup" + extension.encode() + b"\r\n",
                                 [("setup" + extension, program())])
                report = self.check(root, "--locale", "00000409")
                on = "".join("X" if r["exit_status"]["00000409"] == 31 else str(r["exit_status"]["00000409"])
                             for r in report["releases"].values())
                self.assertEqual(on, exits.replace("|", ""))
                english = report["languages"][0]
                codes = {f["code"] for f in english["findings"]}
                self.assertEqual(code is not None and code in codes, code is not None, codes)
        # A DOS program asks 32-bit Windows 10 for NTVDM first.
        root = tree_with(b"[95]\r\nENGLISH=D:\\setup.exe\r\n", [("setup.exe", program(pe=False))])
        english = self.check(root, "--locale", "00000409", "--windows", "nt32")["languages"][0]
        self.assertIn("setup-needs-feature", {f["code"] for f in english["findings"]})

    def test_the_icon_tool_as_each_release_starts_it(self):
        # addiconw.exe: the releases the finding names, each group with its reason
        cases = {"a program for all": (program(), []),
                 "empty": (b"", ["every Windows (predicted): empty"]),
                 "64-bit": (program(machine=0x8664, magic=0x20B),
                            ["Windows 95 to ME, NT 4.0 to XP and 10 (32-bit): a 64-bit program",
                             "Windows Vista to 8/8.1: a 64-bit program, which only a 64-bit edition"]),
                 "DOS": (program(pe=False), ["Windows XP x64 and 10 (64-bit) to 11 (predicted): a DOS",
                                             "Windows Vista to 8/8.1: a DOS"])}
        for name, (tool, said) in cases.items():
            with self.subTest(name):
                root = tree_with(b"[95]\r\n", [(PROFILE.replace("client.ini", "addiconw.exe"), tool)])
                found = [f["message"] for f in self.check(root)["findings"]
                         if f["code"] == "icon-tool-does-not-start"]
                self.assertEqual(len(found), 1 if said else 0, found)
                for part in said:
                    self.assertIn(part, found[0])

    def test_where_the_reports_say_a_finding_is(self):
        root = SCRATCH / "josé"
        (root / "INSTALL/QUV/WIN").mkdir(parents=True)
        (root / "INSTALL/QUV/WIN/CLIENT.INI").write_bytes(b"[95]\r\nENGLISH=D:\\x\\setup.exe\r\n")
        self.assertEqual(json.loads(run("--json", root).stdout)["tree"], str(root))
        image = SCRATCH / "josé.iso"
        image.write_bytes(master(root))
        # The file an editor opens: the host's own names, or the path inside an image.
        for tree, profile in [(root, f"{root}/INSTALL/QUV/WIN/CLIENT.INI"),
                              (image, f"{image}:D:\\install\\quv\\win\\client.ini")]:
            with self.subTest(tree=tree.name):
                lines = run("--format", "gcc", tree).stdout.decode().splitlines()
                self.assertIn(f"{profile}:2: error: ENGLISH: The setup program", "\n".join(lines))
        # SARIF: the host file as a URI and its line; inside an image, the
        # image, with the path on the disc as a logical location.
        for tree, uri, region, logical in [
                (root, f"file://{root}/INSTALL/QUV/WIN/CLIENT.INI".replace("é", "%C3%A9"),
                 {"startLine": 2}, None),
                (image, f"file://{image}".replace("é", "%C3%A9"), None, "D:\\install\\quv\\win\\client.ini")]:
            with self.subTest(tree=tree.name, format="sarif"):
                results = json.loads(run("--format", "sarif", tree).stdout)["runs"][0]["results"]
                result = next(r for r in results if r["message"]["text"].startswith("ENGLISH:"))
                location = result["locations"][0]
                self.assertEqual(location["physicalLocation"]["artifactLocation"]["uri"], uri)
                self.assertEqual(location["physicalLocation"].get("region"), region)
                self.assertEqual(location.get("logicalLocations", [{}])[0].get("fullyQualifiedName"),
                                 logical)

    def test_huge_and_binary_profiles(self):
        big = b"".join(b"[s%d]\r\nk=%s\r\n" % (i, b"v" * 100) for i in range(60000))
        for profile in [big + b"[95]\r\nENGLISH_STARTUP=Big\r\n", bytes(range(256)) * 4000]:
            with self.subTest(size=len(profile)):
                report = self.check(tree_with(profile), "--locale", "00000409")
                self.assertEqual(report["languages"][0]["exit_status"], -1)

    def test_utf8_without_a_mark_is_named(self):
        # An editor's UTF-8 is read as ANSI: the report names the encoding
        # and shows the line both ways; plain Windows-1252 text is not UTF-8.
        for text, encoding in [("Démarrage".encode(), "utf-8 without mark"), ("Démarrage".encode("cp1252"), "ansi")]:
            with self.subTest(encoding):
                root = tree_with(b"[95]\r\nENGLISH=D:\\setup.exe\r\nFRENCH_STARTUP=" + text + b"\r\n",
                                 [("setup.exe", program())])
                report = self.check(root)
                self.assertEqual(report["profile"]["encoding"], encoding)
                said = [f for f in report["findings"] if f["code"] == "profile-encoding"]
                self.assertEqual(len(said), 1 if encoding != "ansi" else 0)
                if said:
                    self.assertEqual(said[0]["line"], 3)
                    self.assertIn('reads "FRENCH_STARTUP=DÃ©marrage", not "FRENCH_STARTUP=Démarrage"',
                                  said[0]["message"])

    def test_one_locale(self):
        root = tree_with(b"[95]\r\nENGLISH=D:\\setup.exe\r\n", [("setup.exe", b"not a program")])
        for locale, language in [("00000c09", "ENGLISH"), ("0000040c", "FRENCH")]:
            found = self.check(root, "--locale", locale)["languages"]
            self.assertEqual([l["language"] for l in found], [language])
        english = self.check(root, "--locale", "00000c09")["languages"]
        self.assertEqual([(l["language"], l["exit_status"]) for l in english], [("ENGLISH", 11)])
        japanese = self.check(root, "--locale", "00000411")["languages"]
        self.assertEqual([(l["language"], l["message_box"], l["exit_status"]) for l in japanese],
                         [(None, "Unable to find Language - 2", -1)])


if __name__ == "__main__":
    if not CHECKER.exists():
        sys.exit(f"{CHECKER} is missing: run 'make build'")
    unittest.main(verbosity=2)
