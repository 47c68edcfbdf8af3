# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""A build stopped while the Wine prefix is made (Ctrl-C, a CI limit,
`timeout`) leaves no process behind: wineboot's helpers (a 32-bit rundll32,
under qemu-user where the kernel refuses i386) and the prefix's server end
with the run."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

from launcher_tools import REPO


def processes_of(prefix):
    """The processes whose environment names `prefix` as their Wine prefix."""
    found = []
    needle = f"WINEPREFIX={prefix}".encode()
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            environ = Path(f"/proc/{pid}/environ").read_bytes()
            state = Path(f"/proc/{pid}/stat").read_text().split(")")[-1].split()[0]
        except OSError:
            continue
        if state != "Z" and any(v.startswith(needle) for v in environ.split(b"\0")):
            found.append(pid)
    return found


class InterruptedPrefix(unittest.TestCase):
    def stop_wineboot(self, signum):
        root = Path(tempfile.mkdtemp(prefix="launcher-interrupted-"))
        self.addCleanup(shutil.rmtree, root, True)
        env = dict(os.environ, LAUNCHER_WINE_TEMPLATE=str(root / "prefix"),
                   PYTHONPATH=str(REPO / "scripts"))
        run = subprocess.Popen([sys.executable, "-m", "launcher_tools.wine_prefix"], env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               start_new_session=True)
        making = root / "prefix.new"
        deadline = time.monotonic() + 60
        # Stopped once wineboot has started the prefix's own processes.
        while not processes_of(making) and time.monotonic() < deadline:
            time.sleep(0.2)
        self.assertTrue(processes_of(making), "wineboot started nothing within 60 s")
        time.sleep(2)
        os.killpg(run.pid, signum)  # as timeout and a terminal do: the whole group
        output = run.communicate(timeout=120)[0].decode(errors="replace")
        self.assertNotEqual(run.returncode, 0, output)
        time.sleep(2)
        self.assertEqual(processes_of(making), [], f"left behind after {signal.Signals(signum).name}")

    def test_sigterm_as_timeout_sends_it(self):
        self.stop_wineboot(signal.SIGTERM)

    def test_ctrl_c(self):
        self.stop_wineboot(signal.SIGINT)


if __name__ == "__main__":
    unittest.main()
