# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""The tree checker's profile reader against the real GetPrivateProfileStringA
under Wine: the same profiles, the same queries, byte for byte the same
output buffers and returned lengths; and its code page 1252 table against
the real WideCharToMultiByte.

The reader reads as Wine does here. As Windows reads, it differs from Wine
in one way only: which byte-order marks it decodes. Wine decodes a UTF-8
mark and UTF-16BE; Windows NT decodes only UTF-16LE, and Windows 95/98/ME
none (it reads the raw bytes). The test says for which profiles that
changes an answer, and checks that it changes none other."""

import random
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parents[1]
import corpus
from launcher_tools import harness

HOST_TOOL = REPO / "build/host/tests/profile_query"
BEST_FIT_TABLE = REPO / "checker/names/best_fit_1252.inc"
# The profiles whose answers change when the reader reads as Windows, not
# as Wine, by the byte-order marks: Windows NT does not decode a UTF-8 mark
# or UTF-16BE; Windows 95/98/ME decodes nothing, UTF-16LE included.
DIFFER_ON_NT = {"utf8_bom", "utf16be", "utf16be_best_fit", "utf8_bom_first_line",
                "utf8_bom_comment", "utf8_bom_bad_sequences", "utf8_bom_cut_short"}
DIFFER_ON_9X = DIFFER_ON_NT | {"utf16le", "utf16le_best_fit", "utf16le_lookalike_keys"}
WINDOWS_TOOL = REPO / "build/win64/tests/e2e/profile_query.exe"


def field(data):
    return "h" + data.hex()


class ProfileReaderAgreesWithWindows(unittest.TestCase):
    def test_same_answers_for_every_query(self):
        for tool in (HOST_TOOL, WINDOWS_TOOL):
            self.assertTrue(tool.exists(), f"{tool} is missing: run 'make build build-host'")
        wine = harness.shared_wine()
        folder = Path(tempfile.mkdtemp(dir=wine.root, prefix="profiles-"))
        wine.map_drive("p", folder)
        files = {**corpus.hand_made(), **corpus.generated(300)}
        rng = random.Random(7)
        host_lines, windows_lines, cases = [], [], []
        for name, content in files.items():
            (folder / f"{name}.ini").write_bytes(content)
            for section, key, default, size in corpus.queries(name, rng):
                tail = f"{field(section)} {field(key)} {field(default)} {size}"
                host_lines.append(f"{field(str(folder / (name + '.ini')).encode())} {tail}")
                windows_lines.append(f"{field(f'P:/{name}.ini'.encode())} {tail}")
                cases.append((name, section, key, default, size))
        # A file that does not exist reads the default.
        for default in corpus.DEFAULTS:
            tail = f"{field(b'95')} {field(b'ENGLISH')} {field(default)} 260"
            host_lines.append(f"{field(str(folder / 'none.ini').encode())} {tail}")
            windows_lines.append(f"{field(b'P:/none.ini')} {tail}")
            cases.append(("(missing file)", b"95", b"ENGLISH", default, 260))
        (folder / "host.txt").write_text("\n".join(host_lines) + "\n")
        (folder / "windows.txt").write_text("\n".join(windows_lines) + "\n")

        def host_answers(*reading):
            return subprocess.run([str(HOST_TOOL), str(folder / "host.txt"), *reading],
                                  capture_output=True, check=True, timeout=300).stdout.decode().splitlines()
        host = host_answers()
        shutil_copy = folder / "profile_query.exe"
        shutil_copy.write_bytes(WINDOWS_TOOL.read_bytes())
        code, output, errors = harness.start_under_wine(
            [harness.WINE, r"P:\profile_query.exe", r"P:\windows.txt"], wine.env)
        self.assertEqual(code, 0, errors)
        windows = output.splitlines()
        self.assertEqual(len(host), len(cases))
        self.assertEqual(len(windows), len(cases))
        differences = [(case, h, w) for case, h, w in zip(cases, host, windows) if h != w]
        report = "files: " + " ".join(sorted({c[0] for c, _, _ in differences})) + "\n"
        report += "\n".join(f"{c[0]}: [{c[1]!r}] {c[2]!r} default {c[3]!r} size {c[4]}:\n"
                           f"  checker {h}\n  Windows {w}" for c, h, w in differences[:15])
        self.assertEqual(differences, [], f"{len(differences)} of {len(cases)} queries differ:\n{report}")
        print(f"{len(cases)} queries over {len(files)} profiles agree", file=sys.stderr)

        # As Windows reads, only the profiles with marks Windows reads as
        # text answer otherwise (Windows decides; Wine is no witness here).
        for reading, expected in [("nt", DIFFER_ON_NT), ("9x", DIFFER_ON_9X)]:
            answers = host_answers(reading)
            differ = {case[0] for case, wine_answer, answer in zip(cases, windows, answers)
                      if wine_answer != answer}
            self.assertEqual(differ, expected, reading)

    def test_best_fit_table_is_the_real_conversion(self):
        self.assertTrue(harness.BEST_FIT_DUMP.exists(),
                        f"{harness.BEST_FIT_DUMP} is missing: run 'make build'")
        table = harness.best_fit_table(harness.shared_wine())
        self.assertEqual(table, BEST_FIT_TABLE.read_bytes(),
                         "checker/names/best_fit_1252.inc is not what WideCharToMultiByte gives: "
                         "make best-fit-table")
        print(f"best-fit table: {table.count(b'{0x')} entries, as the real conversion", file=sys.stderr)


if __name__ == "__main__":
    harness.require_tools("The differential test")
    unittest.main(verbosity=2)
