# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Wine prefixes made fast: wineboot runs once per checkout, into a template
prefix in build/, and each test run, demo or benchmark takes a copy of it.

wineboot installs the 32-bit half of the prefix with a 32-bit program; where
the kernel runs 32-bit code only under qemu-user that alone takes over two
minutes, and it was paid by every suite. The copy hard-links the system
folders' files (Wine never writes them once the prefix is made) and copies
the rest (the registry files, which the server rewrites)."""

import fcntl
import os
import shutil
import subprocess
import time
from contextlib import contextmanager
from pathlib import Path

from launcher_tools import REPO
from launcher_tools.wine_run import (WINE, WINESERVER, end_cleanly_on_signals, require_tools,
                                     start_under_wine)
WINE_INF = Path("/usr/share/wine/wine.inf")
WINE_32BIT_LOADER = "/usr/lib/wine/wine"
TEMPLATE = Path(os.environ.get("LAUNCHER_WINE_TEMPLATE") or REPO / "build/wine-prefix")
# Folders whose files are shared between the template and its copies.
SHARED = ("drive_c/windows/system32", "drive_c/windows/syswow64", "drive_c/windows/winsxs")


def base_env(prefix):
    return dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all",
                WINEDLLOVERRIDES="mscoree,mshtml=")


def wine_identity():
    """What the template was made by: the Wine build, its wine.inf, and
    whether its 32-bit half (wine32) was there to make the prefix's."""
    version = subprocess.run([WINE, "--version"], capture_output=True, text=True).stdout.strip()
    inf = WINE_INF.stat().st_mtime_ns if WINE_INF.exists() else 0
    wine32 = os.path.exists(WINE_32BIT_LOADER)
    return f"{version} {inf} wine32={wine32} uid={os.getuid()}\n"


@contextmanager
def locked(path):
    path.parent.mkdir(parents=True, exist_ok=True)
    with open(path, "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        yield


def template():
    """The template prefix, made first where it is missing or was made by
    another Wine. Suites running side by side wait for one another here."""
    stamp = TEMPLATE / ".made-by"
    with locked(TEMPLATE.with_name(TEMPLATE.name + ".lock")):
        if stamp.is_file() and stamp.read_text() == wine_identity():
            return TEMPLATE
        fresh = TEMPLATE.with_name(TEMPLATE.name + ".new")
        shutil.rmtree(fresh, ignore_errors=True)
        started = time.monotonic()
        print(f"Making the Wine prefix template {TEMPLATE} once (wineboot)...", flush=True)
        _wineboot(fresh)
        (fresh / ".made-by").write_text(wine_identity())
        shutil.rmtree(TEMPLATE, ignore_errors=True)
        fresh.rename(TEMPLATE)
        print(f"Wine prefix template made in {time.monotonic() - started:.0f} s", flush=True)
        return TEMPLATE


def _wineboot(prefix):
    """Makes a prefix and waits until its server has ended and written the
    registry; should wineboot fail (seen once under load: status 53), it is
    made again from nothing. Stopped on the way (Ctrl-C, `timeout`, a CI
    limit), wineboot's process group and the prefix's server end with it."""
    env = base_env(prefix)
    end_cleanly_on_signals()

    def end_server():
        subprocess.run([WINESERVER, "-k"], env=env, check=False, timeout=60,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def wait_for_server():
        subprocess.run([WINESERVER, "-w"], env=env, check=True, timeout=300,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def remove_prefix():
        wait_for_server()
        shutil.rmtree(prefix, ignore_errors=True)

    try:
        code, _, errors = start_under_wine([WINE, "wineboot", "-i"], env, own_group=True,
                                           before_retry=remove_prefix, timeout=1200)
        wait_for_server()
    except BaseException:
        end_server()
        raise
    if code != 0:
        raise RuntimeError(f"wineboot failed twice, last with status {code}: {errors}")


def copy_of_template(prefix):
    """A prefix at `prefix` that is a copy of the template."""
    source = template()
    for folder, dirs, files in os.walk(source):
        relative = Path(folder).relative_to(source)
        target = Path(prefix) / relative
        target.mkdir(exist_ok=True)
        shared = str(relative).startswith(SHARED)
        for name in dirs + files:
            path = Path(folder) / name
            if path.is_symlink():
                (target / name).symlink_to(os.readlink(path))
                if name in dirs:
                    dirs.remove(name)  # not followed
            elif name in files and name != ".made-by":
                (os.link if shared else shutil.copy2)(path, target / name)
    return Path(prefix)


if __name__ == "__main__":
    require_tools("The Wine prefix")
    print(template())
