# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Starting Windows programs under Wine: the Wine this machine has, and one
start of a program to its end, tried again where Wine, not the program,
failed."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import PureWindowsPath

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver64"


def missing_tools():
    """What the suite cannot run without, as Debian package names."""
    missing = []
    if not (os.path.exists(WINE) and os.path.exists(WINESERVER)):
        missing.append("wine64")
    if shutil.which("xvfb-run") is None:
        missing.append("xvfb")
    if shutil.which("xauth") is None:
        missing.append("xauth")
    return missing


def require_tools(what):
    """Stops with the apt-get line for what `what` cannot run without."""
    missing = missing_tools()
    if missing:
        sys.exit(f"{what} needs: apt-get install -y --no-install-recommends " + " ".join(missing))


def end_cleanly_on_signals():
    """SIGTERM and SIGHUP end the run as an interrupt does, through its
    finally blocks and atexit, which end the Wine processes it started."""
    def end(signum, _frame):
        raise SystemExit(128 + signum)
    if threading.current_thread() is threading.main_thread():
        for signum in (signal.SIGTERM, signal.SIGHUP):
            if signal.getsignal(signum) in (signal.SIG_DFL, None):
                signal.signal(signum, end)


def run_as_group(args, env, out, err, timeout):
    """Runs `args` in a process group of its own and waits for it; should
    the wait end any other way (a timeout, Ctrl-C, SIGTERM), the whole group
    ends with it, so that no process it started (a 32-bit helper under
    qemu-user, say) outlives the run."""
    process = subprocess.Popen(args, env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                               start_new_session=True)
    try:
        return process.wait(timeout=timeout)
    except BaseException:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()
        raise


def start_under_wine(args, env, finished=lambda code, output: code == 0,
                     before_retry=lambda: None, timeout=600, own_group=False):
    """Runs a Windows program under Wine to its end: (status, its output,
    Wine's errors). When it did not get to its own end (`finished(status,
    output)` false: no report, no status of its own), Wine itself failed,
    not the program under test: it is started once more, on a RETRIED: line
    that the test summary lists. Debian's Wine has no preloader to reserve
    the fixed page every process maps, so now and then (three times in some
    7,500 starts here) a new process finds it taken and ends with status 1
    ("failed to map the shared user data: c0000018"). With `own_group` it
    runs in a process group of its own, ended as a whole if the run is
    stopped."""
    env = dict(env, WINEDEBUG="-all,err+all")  # Wine's errors say why it failed

    def once():
        # Output goes through files, not pipes: no process Wine starts on
        # the side can keep a case waiting for the end of its output.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            if own_group:
                code = run_as_group(args, env, out, err, timeout)
            else:
                code = subprocess.run(args, env=env, stdin=subprocess.DEVNULL, stdout=out,
                                      stderr=err, timeout=timeout).returncode
            out.seek(0)
            err.seek(0)
            return code, out.read().decode(errors="replace"), err.read().decode(errors="replace")

    code, output, errors = once()
    if finished(code, output):
        return code, output, errors
    program = PureWindowsPath(args[1]).name
    print(f"\nRETRIED: Wine ended {program} with status {code} before it reported "
          f"(Wine's errors: {' / '.join(errors.strip().splitlines()[-3:]) or 'none'})",
          flush=True)
    time.sleep(2)  # whatever the failed start began ends first
    before_retry()
    return once()
