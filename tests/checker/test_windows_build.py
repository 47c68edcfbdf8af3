# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""launcher-check.exe, the checker's Windows build, under Wine, as Windows
XP (the oldest Windows the README names for it): the disc images the
Linux tests master, read by the 32-bit file we ship and its 64-bit twin,
must give the Linux build's JSON but for the image's path; and the start
Explorer makes (the program alone on a console of its own) must write the
HTML report into the user's temporary folder and hand it to the shell,
which here opens it with a program registered for .html that keeps a copy;
with no tree, it must ask with the shell's folder dialog, and say in a
message box what ends it early. A start from a console (its output a file,
as here) writes no page.

Each 32-bit start is a minute where qemu runs i386 code: those run side by
side."""

import json
import time
import unittest
from concurrent.futures import ThreadPoolExecutor

from launcher_tools import harness
from checker_support import PROFILE, SCRATCH, master, program, run, tree_with, udf_only
from disc_images import genisoimage

CHECKERS = {"64-bit": harness.REPO / "build/win64/launcher-check.exe",
            "32-bit": harness.REPO / "build/win32/launcher-check.exe"}
# Not in code page 1252, nor in any one ANSI code page with the é: only the
# wide command line carries it.
IMAGE_NAME = "Démarrage Δίσκος"
DRIVE = "I"


def images():
    """{kind: image}: Joliet and ISO 9660 as make iso masters them, a UDF
    bridge (genisoimage) and UDF 2.01 alone (mkudffs, udfclient)."""
    profile = (b"[95]\r\nFRENCH=D:\\products\\fra\\setup.exe\r\n"
               b"ENGLISH=D:\\a\\b\\c\\d\\e\\f\\g\\h\\i\\setup.exe\r\n"
               b"GERMAN=D:\\products\\" + b"x" * 70 + b"\\setup.exe\r\n")
    files = [("products/fra/setup.exe", program()), ("a/b/c/d/e/f/g/h/i/setup.exe", program()),
             ("products/" + "x" * 70 + "/setup.exe", program()),
             (PROFILE.replace("client.ini", "addiconw.exe"), program(0x8664, 0x20B))]

    made = {}
    for kind, make in [("Joliet", lambda t, image: image.write_bytes(master(t))),
                       ("ISO 9660", lambda t, image: image.write_bytes(master(t, joliet=False))),
                       ("UDF bridge", lambda t, image: genisoimage(t, image, "-J", "-udf")),
                       ("UDF 2.01", lambda t, image: image.write_bytes(udf_only(t)))]:
        folder = SCRATCH / kind.replace(" ", "-")
        folder.mkdir()
        made[kind] = folder / f"{IMAGE_NAME}.iso"
        make(tree_with(profile, files), made[kind])
    return made


def on_drive(image):
    return f"{DRIVE}:\\{image.parent.name}\\{image.name}"


class WindowsBuild(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        harness.require_tools("The Windows checker's suite")
        for checker in CHECKERS.values():
            if not checker.is_file():
                raise unittest.SkipTest(f"Missing {checker}: run 'make build' first")
        cls.wine = harness.Wine()
        cls.images = images()
        cls.wine.map_drive(DRIVE, SCRATCH)
        # Windows XP, as Wine plays it, for every program of the prefix; and
        # UTF-8 file names, which Wine reads as such only in a UTF-8 locale.
        cls.wine.call("reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/d", "winxp", "/f")
        cls.env = {**cls.wine.env, **cls.wine.posix_locale_env("C.UTF-8")}
        # The shell's "open" of a page: a copy kept beside the prefix.
        cls.opened = cls.wine.root / "opened"
        cls.opened.mkdir()
        cls.wine.register_file_type(".html", "LauncherCheckTest.page", "open", {
            "open": r'C:\windows\system32\cmd.exe /c copy /y "%1" "X:\opened\"'})
        reason = cls.wine.why_no_32bit()
        if reason:
            print(f"\nSKIPPED: the 32-bit launcher-check.exe, whose Wine cannot run it: {reason}",
                  flush=True)
        cls.checkers = {bits: exe for bits, exe in CHECKERS.items() if bits == "64-bit" or not reason}

    @classmethod
    def tearDownClass(cls):
        cls.wine.close()

    def start(self, *args, explorer=False):
        """(status, output) of launcher-check.exe with `args`: from a
        console, its output into a file; or as Explorer starts it, through
        the shell (start /wait), on a console of its own."""
        command = [harness.WINE, "start", "/wait", "/unix", *args] if explorer else [harness.WINE, *args]
        code, output, _ = harness.start_under_wine(
            command, self.env, lambda code, out: explorer and code in (0, 1, 2) or out != "")
        return code, output

    def pages(self):
        return {p.name: p for p in (self.wine.prefix / "drive_c/users").rglob("launcher-check *.html")}

    def test_images_and_the_explorer_start(self):
        linux = {kind: run("--json", image) for kind, image in self.images.items()}
        # Explorer's start of each build on a copy of the UDF bridge of its
        # own name (so, a page of its own).
        dropped = {}
        for bits in self.checkers:
            dropped[bits] = SCRATCH / "explorer" / f"{IMAGE_NAME} {bits}.iso"
            dropped[bits].parent.mkdir(exist_ok=True)
            dropped[bits].write_bytes(self.images["UDF bridge"].read_bytes())
        starts = {(bits, kind): (exe, "--json", on_drive(image))
                  for bits, exe in self.checkers.items() for kind, image in self.images.items()}
        starts |= {(bits, "Explorer"): (exe, on_drive(dropped[bits]))
                   for bits, exe in self.checkers.items()}
        # Side by side: a 32-bit start takes a minute where i386 code is emulated.
        with ThreadPoolExecutor(max_workers=len(starts)) as pool:
            futures = {key: pool.submit(self.start, *args, explorer=key[1] == "Explorer")
                       for key, args in starts.items()}
            results = {key: future.result() for key, future in futures.items()}
        self.assertEqual(set(self.pages()), {f"launcher-check {image.name}.html" for image in dropped.values()},
                         "a start from a console wrote a page, or Explorer's start none")
        for (bits, kind), (code, output) in results.items():
            with self.subTest(bits=bits, image=kind):
                if kind == "Explorer":
                    self.assertExplorerStart(dropped[bits], code)
                    continue
                expected = json.loads(linux[kind].stdout)
                self.assertEqual(code, linux[kind].returncode)
                windows = json.loads(output)
                self.assertEqual(windows["tree"], on_drive(self.images[kind]))
                self.assertEqual({**windows, "tree": None}, {**expected, "tree": None})

    def test_explorer_start_asks_for_a_tree_and_says_what_fails(self):
        """A double-click shows the shell's folder dialog (files shown too);
        cancelled, the check ends with status 2. A dropped file that is no
        disc image is said in a message box, and ends with 2. Neither
        writes a page."""
        notes = SCRATCH / "notes" / "notes.txt"
        notes.parent.mkdir()
        notes.write_text("not a disc")
        answer = [harness.WINE, str(harness.helpers_dir() / "answer_dialog.exe"), "120"]
        for name, args, tree, said in [("a double-click", [], "1", ""),
                                       ("a file that is no image", [on_drive(notes)], "0",
                                        "is neither a folder nor a disc image")]:
            with self.subTest(name), ThreadPoolExecutor(max_workers=1) as pool:
                answered = pool.submit(harness.start_under_wine, answer, self.env)
                code, _ = self.start(CHECKERS["64-bit"], *args, explorer=True)
                status, output, _ = answered.result()
                self.assertEqual((code, status), (2, 0), output)
                fields = dict(word.split("=") for word in output.split())
                self.assertEqual(fields["tree"], tree)
                self.assertIn(said, bytes.fromhex(fields["text"]).decode())
                if said:
                    self.assertEqual(bytes.fromhex(fields["title"]).decode(), "launcher-check")
                self.assertEqual(self.pages(), {})

    def assertExplorerStart(self, image, code):
        linux = run("--format", "html", image)
        self.assertEqual(code, linux.returncode)
        page = self.pages()[f"launcher-check {image.name}.html"]
        self.assertEqual(page.read_text(encoding="utf-8").replace(on_drive(image), "TREE"),
                         linux.stdout.decode().replace(str(image), "TREE"))
        opened = self.opened / page.name
        # The shell starts the handler and returns, so the checker ends
        # before the handler has copied the page: half a second after it
        # here, much later on a busy machine.
        deadline = time.monotonic() + 300
        while not (opened.is_file() and opened.read_bytes() == page.read_bytes()) \
                and time.monotonic() < deadline:
            time.sleep(1)
        self.assertTrue(opened.is_file(), "the shell was not asked to open the page")
        self.assertEqual(opened.read_bytes(), page.read_bytes())


if __name__ == "__main__":
    unittest.main(verbosity=2)
