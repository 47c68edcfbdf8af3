"""launcher-check as a tree author uses it: options, exit statuses, and
trees that would trip a careless tool (missing, not a folder, symbolic-link
loops, names with any bytes, a huge profile). Never a crash, never a write
into the tree."""

import atexit
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests/e2e"))
from harness import snapshot  # noqa: E402

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


class Readme(unittest.TestCase):
    def test_the_readmes_example_report_is_what_make_check_tree_prints(self):
        readme = (REPO / "README.md").read_text()
        command = "$ make check-tree TREE=examples/cd\n"
        shown = readme[readme.index(command) + len(command):]
        shown = shown[:shown.index("```")]
        done = subprocess.run(["make", "-s", "--no-print-directory", "check-tree",
                               "TREE=examples/cd"], cwd=REPO, capture_output=True, timeout=900)
        self.assertEqual(done.returncode, 0, done.stderr.decode())
        printed = done.stdout.decode()
        self.assertEqual(printed[printed.index("examples/cd is a bundled example"):], shown)


    def test_the_readmes_findings_table_is_the_checkers(self):
        readme = (REPO / "README.md").read_text()
        rows = [line.split(" | ") for line in readme.splitlines()
                if line.startswith("| error | `") or line.startswith("| warning | `")]
        documented = [(r[0][2:], r[1].strip("`"), r[2][:-2]) for r in rows]
        listed = [tuple(re.split(r"\s{2,}", line, maxsplit=2))
                  for line in run("--list-findings").stdout.decode().splitlines()]
        self.assertEqual(documented, listed)


class Usage(unittest.TestCase):
    def test_help_version_and_usage_errors(self):
        self.assertEqual(run("--help").returncode, 0)
        self.assertIn(b"Usage: launcher-check [--format text|json|gcc] [--windows 9x|nt32|nt64]\n",
                      run("--help").stdout)
        version = run("--version")
        self.assertEqual((version.returncode, version.stdout), (0, b"launcher-check 1.0.0\n"))
        for args in [(), ("--json",), ("--locale",), ("--frob", "x"), ("a", "b"), (".", "."),
                     ("--locale", "0" * 80, "."), ("--windows", "xp", "."), ("--windows",),
                     ("--format", "xml", "."), ("--languages", "ENGLISH,KLINGON", "."),
                     ("--languages", "", ".")]:
            with self.subTest(args=args):
                done = run(*args)
                self.assertEqual(done.returncode, 2)
                self.assertEqual(done.stdout, b"")
                self.assertTrue(done.stderr.startswith(b"launcher-check: "), done.stderr)

    def test_unreadable_trees(self):
        a_file = Path(tempfile.mkstemp(dir=SCRATCH)[1])
        for tree, said in [("/nonexistent/tree", b"cannot find the tree"), (a_file, b"is not a folder")]:
            with self.subTest(tree=tree):
                done = run(tree)
                self.assertEqual((done.returncode, done.stdout), (2, b""))
                self.assertIn(said, done.stderr)


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
        root = tree_with(b"[95]\r\nENGLISH=D:\\\xff\xfe\x80odd\\n\xe9 w\\setup.exe\r\n"
                         b"GERMAN=D:\\tab\tname\\setup.exe\r\nFRENCH=D:\\what?\\setup.exe\r\n")
        # Unix names are UTF-8; one that is not valid UTF-8 is passed over.
        (root / os.fsdecode(b"\xff\xfe\x80ODD")).mkdir()
        folder = root / "\u00ff\u00fe\u20acodd" / "N\u00c9 W"
        folder.mkdir(parents=True)
        (folder / "setup.exe").write_bytes(b"")
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

    def test_huge_and_binary_profiles(self):
        big = b"".join(b"[s%d]\r\nk=%s\r\n" % (i, b"v" * 100) for i in range(60000))
        for profile in [big + b"[95]\r\nENGLISH_STARTUP=Big\r\n", bytes(range(256)) * 4000]:
            with self.subTest(size=len(profile)):
                report = self.check(tree_with(profile), "--locale", "00000409")
                self.assertEqual(report["languages"][0]["exit_status"], -1)

    def test_one_locale(self):
        root = tree_with(b"[95]\r\nENGLISH=D:\\setup.exe\r\n", [("setup.exe", b"not a program")])
        english = self.check(root, "--locale", "00000c09")["languages"]
        self.assertEqual([(l["language"], l["exit_status"]) for l in english], [("ENGLISH", 11)])
        japanese = self.check(root, "--locale", "00000411")["languages"]
        self.assertEqual([(l["language"], l["message_box"], l["exit_status"]) for l in japanese],
                         [(None, "Unable to find Language - 2", -1)])


if __name__ == "__main__":
    if not CHECKER.exists():
        sys.exit(f"{CHECKER} is missing: run 'make build'")
    unittest.main(verbosity=2)
