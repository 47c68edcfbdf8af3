# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""The tree checker's prediction against the real launcher under Wine: for
the example trees and for trees broken on purpose, every locale the checker
reports is run for real, with the user's language where the checker says
the launcher finds it (without --locale, the display language, as Windows
2000 and later give it; with --locale, the registry value), and what the
launcher started (programs,
parameters, show state), its message box and its exit status must be what
the checker said. The checker's Windows build (the Windows file calls) must
give the same report: its 64-bit twin everywhere, the shipped 32-bit file
where Wine runs 32-bit programs.

The checker predicts Windows (64-bit Windows 10 and 11 by default); where
Wine behaves otherwise, a tree says so and the test checks Wine's own
behaviour for those locales instead."""

import tempfile
import unittest
from pathlib import Path

from agreement import Agreement, deep_folder
from launcher_tools import harness


def broken_trees():
    """{name: (profile bytes or None, programs to place, other files)}"""
    quoted_and_odd = (
        b"[other]\r\nENGLISH=D:\\wrong\\setup.exe\r\n"
        b"  [ 95 ]\r\n"
        b"portugese = D:\\Products\\WIN95\\.\\quv_ptb\\..\\quv_ptb\\SETUP.EXE\r\n"
        b'  english = "D:\\products\\enu\\setup.exe"  \r\n'
        b"FRENCH=D:\\products\\fra\\setup.exe\r\n"
        b"ITALIAN=D:\\products\\ita\\broken.exe\r\n"
        b"GERMAN=D:\\products\\deu\\setup.xyz\r\n"
        b"SPANISH=D:\\" + deep_folder(128).replace("/", "\\").encode() + b"\\setup.exe\r\n"
        b"ENGLISH_STARTUP='Quoted group'\r\nGERMAN_STARTUP=Gruppe\x00versteckt\r\n")
    defaults_and_limits = (
        b"[95]\r\n"
        b"PORTUGESE=D:\\" + deep_folder(127).replace("/", "\\").encode() + b"\\setup.exe\r\n"
        b"ENGLISH=D:\\products\\enu\\setup.exe.\r\n"
        b"ITALIAN=\r\nGERMAN=x\r\n"
        b'SPANISH_STARTUP="Programas de inicio"\r\n'
        b"[95]\r\nFRENCH=D:\\products\\fra\\setup.exe\r\n")
    # Windows' path rules, Wine the witness: ".." stops at the root, one
    # trailing dot of a folder name goes, its trailing blank stays, the last
    # name loses its trailing dots and blanks, a final "\" names a folder.
    path_rules = (
        b"[95]\r\n"
        b"PORTUGESE=D:\\..\\..\\setup\\.\\setup.exe\r\n"
        b"ENGLISH=d:\\setup\\setup.exe\\\r\n"
        b"FRENCH=d:\\setup \\setup.exe\r\n"
        b"ITALIAN=d:\\setup..\\setup.exe\r\n"
        b"GERMAN=D:\\setup.\\x\\..\\setup.exe\\.\r\n"
        b"SPANISH=D:/setup//SETUP.EXE. .\r\n")
    more_path_rules = (
        b"[95]\r\n"
        b"PORTUGESE=D:setup\\setup.exe\r\n"
        b"ENGLISH=D:\\setup\\setup.exe\\..\\setup.exe\r\n"
        b"FRENCH=D:\\setup\\...\\setup.exe\r\n"
        b"ITALIAN=D:\\setup\\setup.exe..\r\n"
        b"GERMAN=D:\\SeTuP\\\r\n"
        b"SPANISH=D:\\..\r\n")
    # UTF-16 text that code page 1252 lacks takes Windows' best-fit bytes.
    best_fit = ("\ufeff[95]\r\nENGLISH=D:\\\u03a9mega\\setup.exe\r\n"
                "ENGLISH_STARTUP=\u0141\u00f3d\u017a\u3000Gr\u00fcn\r\n"
                "GERMAN=D:\\\u0102\u0107\u2002\u0160\uff21\\setup.exe\r\n"
                "SPANISH=D:\\\u2116\\setup.exe\r\n").encode("utf-16-le")  # no best fit: '?' 
    # Where Wine is not Windows: Wine decodes a UTF-8 mark (Windows reads it
    # as text, so "[95]" on the first line is no section) and starts a file
    # that holds a program whatever its extension (Windows gives 31). The
    # checker predicts Windows; these languages are held to Wine's own exit.
    utf8_mark = (b"\xef\xbb\xbf[95]\r\nENGLISH=D:\\products\\enu\\setup.exe\r\n"
                 b"ENGLISH_STARTUP=D\xc3\xa9marrage\r\n")
    program_of_another_type = (b"[95]\r\nGERMAN=D:\\products\\deu\\setup.dat\r\n"
                               b"ITALIAN=D:\\products\\ita\\SETUP.COM\r\n")
    # Read whole, past every read size of 64 KiB.
    large = b"".join(b"; line %d %s\r\n" % (i, b"x" * 90) for i in range(2000))
    large += b"[95]\r\nENGLISH=D:\\products\\enu\\setup.exe\r\nENGLISH_STARTUP=Last lines\r\n"
    return {
        "large profile": (large, ["products/enu/setup.exe"], {}),
        "utf-8 mark": (utf8_mark, ["products/enu/setup.exe"], {}, {"ENGLISH": 0}),
        "program of another type": (program_of_another_type,
                                    ["products/deu/setup.dat", "products/ita/SETUP.COM"], {},
                                    {"GERMAN": 0}),
        "path rules": (path_rules, ["setup/setup.exe"], {}),
        "more path rules": (more_path_rules, ["setup/setup.exe"], {}),
        "best fit": (best_fit, ["Omega/setup.exe", "Ac \u0160A/setup.exe", "?/setup.exe"], {}),
        "no profile": (None, [harness.ICON_TOOL, "products/win95/quv_enu/setup.exe"], {}),
        "no section 95": (b"[96]\r\nENGLISH=D:\\products\\enu\\setup.exe\r\n",
                          ["products/win95/quv_enu/setup.exe"], {}),
        "quoted and odd": (quoted_and_odd,
                           [harness.ICON_TOOL, "products/win95/quv_ptb/setup.exe",
                            "products/enu/setup.exe", deep_folder(128) + "/setup.exe"],
                           {"products/fra/setup.exe/readme.txt": b"a folder, not a program",
                            "products/ita/broken.exe": b"MZ but not a program",
                            "products/deu/setup.xyz": b"nothing opens this"}),
        "defaults and limits": (defaults_and_limits,
                                [harness.ICON_TOOL, deep_folder(127) + "/setup.exe",
                                 "products/enu/setup.exe", "products/fra/setup.exe",
                                 "products/win95/quv_enu/setup.exe"], {}),
    }


class CheckerAgreesWithTheLauncher(Agreement, unittest.TestCase):
    def test_example_trees(self):
        tree, _ = harness.example_tree(self.wine, name="cd")
        report = self.assertAgrees(tree)
        self.assertTrue(report["all_start"])
        # The registry's value, as 95/98/ME hold it and --locale names it.
        for locale in [l["locale"] for l in report["languages"]] + ["00000411"]:
            self.assertAgrees(tree, report=self.predict(tree, "--locale", locale),
                              windows_build=False)
        tree, _ = harness.example_tree(self.wine, name="cd-mistakes")
        report = self.assertAgrees(tree)
        codes = {f["code"] for f in report["findings"]}
        codes |= {f["code"] for language in report["languages"] for f in language["findings"]}
        # The stand-ins are 64-bit programs: not on 9x or 32-bit Windows, as
        # setup programs or as the icon tool.
        self.assertEqual(codes, {"unknown-key", "setup-default-used", "setup-not-a-program",
                                 "setup-no-drive-prefix", "group-cut", "setup-not-found",
                                 "setup-path-too-long", "group-default-used",
                                 "setup-not-on-every-windows", "icon-tool-does-not-start"})

    def test_broken_trees(self):
        for name, (profile, programs, files, *wine_differs) in broken_trees().items():
            with self.subTest(tree=name):
                tree = Path(tempfile.mkdtemp(dir=self.wine.root, prefix="broken-"))
                harness.place_launcher(tree)
                if profile is not None:
                    harness.write_profile(tree, profile)
                for program in programs:
                    harness.place_program(self.wine, tree, program)
                for relative, content in files.items():
                    (tree / relative).parent.mkdir(parents=True, exist_ok=True)
                    (tree / relative).write_bytes(content)
                self.wine.map_drive("E", tree)
                self.assertAgrees(tree, *wine_differs)


class CheckerAgreesFromAFolder(Agreement, unittest.TestCase):
    """launcher-check --from against the launcher started in a copy of the
    tree in a folder: the found paths' 127 characters and the paths' 259
    count from the folder."""

    def in_folder(self, tree, folder):
        self.place = "C:\\" + folder.replace("/", "\\")
        link = self.wine.prefix / "drive_c" / folder
        link.parent.mkdir(parents=True, exist_ok=True)
        if link.is_symlink():
            link.unlink()
        link.symlink_to(tree)
        self.wine.map_drive("E", tree)  # for the Windows build, which reads the tree as E:\

    def test_a_deployment_cache_and_a_deep_folder(self):
        profile, programs, files = broken_trees()["defaults and limits"]
        tree = Path(tempfile.mkdtemp(dir=self.wine.root, prefix="folder-"))
        harness.place_launcher(tree)
        harness.write_profile(tree, profile)
        for program in programs:
            harness.place_program(self.wine, tree, program)
        for folder, too_long in [("Windows/ccmcache/1a", {"PORTUGESE"}),
                                 ("d" * 60 + "/" + "e" * 60 + "/" + "f" * 60, None)]:
            with self.subTest(folder=folder):
                self.in_folder(tree, folder)
                report = self.assertAgrees(tree)
                self.assertEqual(report["place"], self.place)
                failed = {l["language"] for l in report["languages"] if l["exit_status"] == -1}
                if too_long:  # 127 characters from D:, more from the folder
                    self.assertLessEqual(too_long, failed)
                else:  # nothing that starts from the drive is found this deep
                    self.assertEqual(failed, {l["language"] for l in report["languages"]})


if __name__ == "__main__":
    unittest.main(verbosity=2)
