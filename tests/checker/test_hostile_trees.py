# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Trees that would trip a careless tool (missing, not a folder, symbolic-link
loops, names with any bytes, a huge profile): never a crash, never a write
into the tree."""

import json
import os
import unittest

from checker_support import PROFILE, SCRATCH, run, tree_with, program, master, main
from launcher_tools.harness import snapshot


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

    def test_every_format_stays_valid_whatever_bytes_the_trees_path_holds(self):
        tree = tree_with(b"[95]\r\nENGLISH=D:\\p\\setup.exe\r\n", [("p/setup.exe", program())])
        latin1 = tree.with_name(os.fsdecode(b"caf\xe9 disc"))
        tree.rename(latin1)
        # The byte as the text \xE9 in JSON, percent-encoded in SARIF's URIs.
        report = json.loads(run("--json", latin1).stdout)  # valid JSON, whatever the bytes
        self.assertTrue(report["tree"].endswith("caf\\xE9 disc"), report["tree"])
        log = json.loads(run("--format", "sarif", latin1).stdout)
        self.assertIn("caf%E9%20disc", json.dumps(log))
        page = run("--format", "html", latin1).stdout
        page.decode("utf-8")  # valid UTF-8 throughout
        self.assertIn(b"caf\\xE9 disc", page)

    def test_programs_on_the_windows_people_run(self):
        """Setup programs held to what each release's loader and shell do:
        (program, --windows, exit status there)."""
        def ne_installer(product, version):
            head = b"MZ" + bytes(0x3A) + (0x40).to_bytes(4, "little")
            ne = bytearray(0x40)
            ne[0:2], ne[0x24] = b"NE", 0x40
            table = b"\x04\0" + b"\x10\x80\x01\0" + bytes(4) + b"\x10\0\x10\0\0\0\x01\x80" + bytes(4) + b"\0\0"
            data = (head + bytes(ne) + table).ljust(0x100, b"\0")
            strings = (b"VS_VERSION_INFO" + bytes(4) + b"ProductName\0" + product + b"\0\0ProductVersion\0\0" +
                       version + b"\0")
            return (data + strings).ljust(0x200, b"\0")
        rows = [(program(0x8664, 0x20B, (6, 0)), "xp-x64", 11),  # x64 needs Vista's loader
                (program(0x8664, 0x20B, (5, 2)), "xp-x64", 0),
                (program(0xAA64, 0x20B, (10, 0)), "11-arm", 0),
                (program(0xAA64, 0x20B, (10, 0)), "11", 11),
                (program(0x8664, 0x20B, (6, 0)), "10-arm", 11),
                (ne_installer(b"InstallShield", b"5.00.000"), "10", 0),
                (ne_installer(b"InstallShield", b"5.00.000"), "11-arm", 11),
                (ne_installer(b"InstallShield", b"3.00.000"), "10", 11)]
        for content, windows, status in rows:
            with self.subTest(windows=windows, head=content[:0x44].hex()[-16:]):
                root = tree_with(b"[95]\r\nENGLISH=D:\\setup.exe\r\n", [("setup.exe", content)])
                report = self.check(root, "--locale", "00000409", "--windows", windows)
                self.assertEqual(report["languages"][0]["exit_status"], status)

    def test_file_types_as_each_release_opens_them(self):
        # extension: (the exit status on each release, one letter a release in
        # --list-releases order: 0, X for 31, and a finding on 64-bit Windows 10;
        # Windows on Arm last)
        cases = {".htm": ("X0000|0000|000000|00", "setup-opens-document"),
                 ".url": ("X0000|0000|000000|00", "setup-opens-document"),
                 ".hta": ("XXX00|X000|000000|00", None), ".vbs": ("XX000|X000|000000|00", None),
                 ".js": ("XX000|X000|000000|00", None), ".reg": ("00000|0000|000000|00", "setup-opens-document"),
                 ".rtf": ("00000|0000|00000X|0X", "setup-opens-document"),  # no WordPad on 11
                 ".wri": ("00000|0000|00000X|0X", "setup-opens-document"),
                 ".chm": ("XX000|X000|000000|00", "setup-opens-document"),
                 ".hlp": ("00000|0000|000000|00", "setup-opens-document"), ".msi": ("XXXX0|X000|000000|00", None),
                 ".cmd": ("XXXXX|0000|000000|00", None),
                 ".scr": ("00000|0000|000000|00", None), ".xyz": ("XXXXX|XXXX|XXXXXX|XX", "setup-needs-association")}
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
    main()
