# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Runs the Wine suite against one launcher executable:
    python3 tests/e2e/run.py path/to/launcher.exe [TEST_NAME ...]
For an i386 file it first checks that this machine's Wine runs 32-bit
programs at all; where it does not, it says why and exits 77, which ctest
reports as a skip (never as a pass). Where Linux runs them only under
qemu-user (about a minute a launch), it runs the smoke cases, each with the
first row of its table, and says so; E2E_SMOKE=1 asks for that anywhere."""

import os
import sys
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
SKIPPED = 77
# Where 32-bit code is emulated: what the 64-bit twin cannot show, the
# shipped file's own 32-bit code (its entry, the stdcall calls, the function
# it looks up at run time), in five launches. One starts a language from the
# registry over another display language, with the tail and the show state
# handed on; one shows the message box; one takes the display language where
# the registry has no value; one ends with a failed launch's status; one
# starts from a copy of the tree in a folder (the folder test).
SMOKE = ["test_launcher.ShippedFile.test_registry_language_tail_and_show_in_one_launch",
         "test_launcher.FolderCopy.test_the_own_folder_is_the_root",
         "test_launcher.Languages.test_unmatched_locale_shows_the_stop_box",
         "test_launcher.DisplayLanguage.test_without_the_registry_value_the_display_language_chooses",
         "test_launcher.Profile.test_setup_that_exists_but_cannot_start_gives_the_launch_error"]

def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    exe = Path(sys.argv[1]).resolve()
    if not exe.is_file():
        sys.exit(f"Missing {exe}: run 'make build' first.")
    os.environ["LAUNCHER_EXE"] = str(exe)
    sys.path.insert(0, str(HERE))  # the suite's modules, by name
    from launcher_tools import harness

    harness.require_tools("The Wine suite")
    bits = "32" if harness.is_32bit(exe) else "64"
    print(f"Wine suite on {exe} ({bits}-bit)", flush=True)
    if bits == "32":
        reason = harness.shared_wine().why_no_32bit()
        if reason:
            print(f"SKIPPED: this machine's Wine cannot run 32-bit programs: {reason}", flush=True)
            return SKIPPED
        how, detail = harness.how_i386_runs()
        if how == "emulated":
            os.environ["E2E_SMOKE"] = "1"
            print(f"EMULATED: 32-bit programs run {detail}: smoke cases only", flush=True)
    names = sys.argv[2:]
    if not names and os.environ.get("E2E_SMOKE") == "1":
        names = SMOKE
    suite = (unittest.defaultTestLoader.loadTestsFromNames(names) if names else
             unittest.defaultTestLoader.discover(str(HERE), pattern="test_*.py"))
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
