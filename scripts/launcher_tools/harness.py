# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Runs the real launcher under Wine in a private prefix and reports what it did.

A case builds an installation tree in a temporary folder, maps it as a drive
letter, sets the registry locale, and starts the launcher through the
run_launcher helper, which passes the exact command line and show state,
answers the message box, and waits for every process the launcher started.
Stand-in programs in the tree record how they were started.
"""

import atexit
import os
import re
import shutil
import subprocess
import tempfile
from dataclasses import dataclass
from pathlib import Path

from launcher_tools import REPO, wine_prefix
# What the suites and scripts take from here too.
from launcher_tools.wine_run import (WINE, WINESERVER, end_cleanly_on_signals, missing_tools,  # noqa: F401
                                     require_tools, start_under_wine)
from launcher_tools.example_trees import ICON_TOOL
from launcher_tools.i386_support import how_i386_runs
from launcher_tools.pe_file import PeFile
from launcher_tools.launch_record import Box, Result, Start, result_of  # noqa: F401
from launcher_tools.wine_trees import (TWIN, example_tree, launcher_exe, place_launcher,  # noqa: F401
                                       place_program, snapshot, write_profile)

SERVER_LINGERS = 60  # seconds
SHIPPED = REPO / "build/win32/launcher.exe"
I386_PROBE = REPO / "build/win32/tests/e2e/wine_probe.exe"
PROBE_STATUS = 0x95
I386 = 0x14C


# The display language Wine gives a process for its POSIX locale (read off
# GetUserDefaultUILanguage under Wine 8): the language id and the locale.
# Wine has none for 0x040A, traditional Spanish: es_ES gives 0x0C0A.
DISPLAY_LANGUAGES = {
    0x0416: "pt_BR.UTF-8", 0x0816: "pt_PT.UTF-8", 0x0409: "en_US.UTF-8", 0x0809: "en_GB.UTF-8",
    0x040C: "fr_FR.UTF-8", 0x0C0C: "fr_CA.UTF-8", 0x0410: "it_IT.UTF-8", 0x0810: "it_CH.UTF-8",
    0x0407: "de_DE.UTF-8", 0x0C07: "de_AT.UTF-8", 0x0C0A: "es_ES.UTF-8", 0x080A: "es_MX.UTF-8",
    0x0413: "nl_NL.UTF-8", 0x0411: "ja_JP.UTF-8",
}


def unix_locale_for(language_id):
    """The POSIX locale that gives Wine's processes `language_id` as their
    display language, else one of the same primary language, which selects
    the same row."""
    if language_id in DISPLAY_LANGUAGES:
        return DISPLAY_LANGUAGES[language_id]
    return next(name for id, name in DISPLAY_LANGUAGES.items()
                if id & 0xFF == language_id & 0xFF)


def smoke_rows(rows):
    """All of a test's table, or only its first row in a smoke run (where
    32-bit programs are emulated and each launch takes about a minute)."""
    rows = list(rows.items()) if isinstance(rows, dict) else list(rows)
    return rows[:1] if os.environ.get("E2E_SMOKE") == "1" else rows


def is_32bit(exe):
    return PeFile(exe).machine == I386


@dataclass
class LauncherChoice:
    exe: Path  # the file the runs use
    shipped_row: bool  # the shipped file runs one row besides (32-bit emulated)
    says: str  # which file, and why, in one line


def use_shipped_where_possible(wine):
    """Points the harness at the shipped 32-bit launcher where this Wine runs
    32-bit programs natively. Where qemu-user runs them (about a minute a
    start) it points at the 64-bit twin (the same source) and asks for one
    run of the shipped file besides; where they do not run, at the twin."""
    reason = wine.why_no_32bit()
    emulated = not reason and how_i386_runs()[0] == "emulated"
    exe = TWIN if reason or emulated else SHIPPED
    os.environ["LAUNCHER_EXE"] = str(exe)
    if emulated:
        says = (f"the 64-bit twin {TWIN.relative_to(REPO)} (the same source; 32-bit programs run "
                f"only under qemu-user here, about a minute a start), and the shipped 32-bit "
                f"{SHIPPED.relative_to(REPO)} for one row")
    elif reason:
        says = f"the 64-bit twin {exe.relative_to(REPO)} (32-bit programs do not run here: {reason})"
    else:
        says = f"the shipped 32-bit {exe.relative_to(REPO)}"
    return LauncherChoice(exe, emulated, says)


def helpers_dir():
    return Path(os.environ.get("E2E_HELPERS", REPO / "build/win64/tests/e2e")).resolve()


class Wine:
    """A private Wine prefix with a persistent wineserver, for one test run."""

    def __init__(self):
        self.root = Path(tempfile.mkdtemp(prefix="launcher-e2e-"))
        self.prefix = self.root / "prefix"
        self.env = wine_prefix.base_env(self.prefix)
        end_cleanly_on_signals()
        wine_prefix.copy_of_template(self.prefix)
        # One server for the whole run, so that each case starts quickly. It
        # ends by itself a minute after its last program, should this run be
        # killed before it ends it; and it holds none of our output open.
        subprocess.run([WINESERVER, f"-p{SERVER_LINGERS}"], env=self.env, check=True, timeout=120,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        # The first program of a session also starts Wine's background services,
        # which would inherit and hold open any pipe we read a case's output from.
        self.call("cmd", "/c", "exit")
        self.helpers = self.root / "helpers"
        self.helpers.mkdir()
        for name in ("run_launcher.exe", "stand_in.exe"):
            shutil.copy(helpers_dir() / name, self.helpers / name)
        self.map_drive("y", self.helpers)
        self.map_drive("x", self.root)

    def close(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, check=False, timeout=60,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        shutil.rmtree(self.root, ignore_errors=True)

    def call(self, *args):
        """Runs one of Wine's own programs (reg, cmd) to a status of 0."""
        code, _, errors = start_under_wine([WINE, *args], self.env)
        if code != 0:
            raise RuntimeError(f"wine {' '.join(args)} ended with status {code}: {errors}")

    def map_drive(self, letter, folder):
        link = self.prefix / "dosdevices" / f"{letter.lower()}:"
        if link.is_symlink() or link.exists():
            link.unlink()
        link.symlink_to(Path(folder).resolve())

    def set_drive_type(self, letter, kind):
        """Makes a mapped drive a "cdrom", "floppy", "hd" or "network" drive."""
        self.call("reg", "add", r"HKLM\Software\Wine\Drives", "/v", f"{letter}:", "/d", kind, "/f")

    def stand_in(self):
        return self.helpers / "stand_in.exe"

    # The stand-in as Windows sees it (the helpers folder is drive Y:).
    stand_in_windows_path = r"Y:\stand_in.exe"

    def why_no_32bit(self):
        """None when this Wine runs i386 programs; otherwise the reason.
        Where the kernel runs them natively, a probe program tells; where
        qemu-user runs them, a probe would cost a minute, so the prefix's
        32-bit system folder tells, and the first 32-bit case is the probe."""
        how, detail = how_i386_runs()
        if how == "refused":
            return detail
        if not (self.prefix / "drive_c/windows/syswow64/kernel32.dll").exists():
            # A prefix made without wine32 runs every i386 program into 0xC0000135.
            return ("the prefix has no 32-bit system folder (syswow64): install wine32:i386 "
                    "(the prefix template is then made again)")
        if how == "emulated":
            return None
        if not I386_PROBE.exists():
            return f"{I386_PROBE} is missing: run 'make build' first"
        try:
            code, _, said = start_under_wine([WINE, str(I386_PROBE)], self.env,
                                             lambda code, output: code == PROBE_STATUS)
        except OSError as error:
            return f"Wine cannot start the i386 probe: {error}"
        said = said.strip()
        if code == PROBE_STATUS:
            return None
        return f"the i386 probe ended with status {code:#x}" + (f" ({said})" if said else "")

    def register_file_type(self, extension, type_name, default_verb, commands):
        """Associates `extension` with a file type whose shell verbs are
        `commands` ({verb: command line}) and whose default verb is `default_verb`."""
        entries = [(f"HKCR\\{extension}", type_name), (f"HKCR\\{type_name}\\shell", default_verb)]
        entries += [(f"HKCR\\{type_name}\\shell\\{verb}\\command", command)
                    for verb, command in commands.items()]
        for key, value in entries:
            self.call("reg", "add", key, "/ve", "/d", value, "/f")

    def posix_locale_env(self, name):
        """The environment that gives a process the POSIX locale `name`.
        Wine takes a process's display language (and ANSI code page) from
        LC_ALL even where Linux lacks that locale, but then reads file names
        as ASCII, not UTF-8, and a tree's non-ASCII names are lost. So each
        locale is compiled once for this run, into a folder of its own
        (LOCPATH; C.UTF-8 is always there)."""
        env = dict(LC_ALL=name, LOCPATH=str(self.root / "locales"))
        if name != "C.UTF-8" and not (self.root / "locales" / name).is_dir():
            language, charset = name.split(".")
            (self.root / "locales").mkdir(exist_ok=True)
            done = subprocess.run(["localedef", "-i", language, "-f", charset,
                                   str(self.root / "locales" / name)], capture_output=True)
            if not (self.root / "locales" / name).is_dir():
                raise RuntimeError(f"localedef could not make {name} (status {done.returncode}: "
                                   f"{done.stderr.decode(errors='replace').strip()}); it needs "
                                   "Debian's locales package")
        return env

    def run(self, exe, command_line, show=None, locale=None, named_locale=None,
            unix_locale="C.UTF-8"):
        """Starts the launcher at Windows path `exe` with the exact bytes of
        `command_line`; `show` None gives no show state in the start-up
        information; `locale` None removes the registry value. Wine takes
        the process's display language and ANSI code page from its POSIX
        locale, `unix_locale` (see DISPLAY_LANGUAGES; C.UTF-8 gives 0x0409,
        "ja_JP.UTF-8" Japanese and code page 932)."""
        record = self.root / "record.txt"
        if record.exists():
            record.unlink()
        args = [WINE, r"Y:\run_launcher.exe", "--exe", exe, "--cmdline", command_line.hex()]
        if show is not None:
            args += ["--show", str(show)]
        if locale is not None:
            args += ["--locale", locale.hex() if isinstance(locale, bytes) else locale.encode().hex()]
        if named_locale is not None:
            args += ["--named-locale", named_locale.encode().hex()]
        env = dict(self.env, E2E_RECORD=r"X:\record.txt", **self.posix_locale_env(unix_locale))
        code, output, errors = start_under_wine(args, env, lambda code, out: "exit=" in out,
                                                before_retry=lambda: record.unlink(missing_ok=True))
        if code != 0:
            raise RuntimeError(f"run_launcher failed ({code}): {errors} output: {output!r}")
        return result_of(output, record)

    def relay_calls(self, exe):
        """The Windows API calls the program at `exe` makes itself, in order,
        from Wine's relay trace: [(DLL.function, arguments)]."""
        env = dict(self.env, WINEDEBUG="+relay", E2E_RECORD=r"X:\relay-record.txt")
        with tempfile.TemporaryFile() as trace:
            subprocess.run([WINE, exe], env=env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=trace, timeout=120)
            trace.seek(0)
            lines = trace.read().decode("latin-1").splitlines()
        image = PeFile(launcher_exe())
        low, high = image.image_base, image.image_base + image.size_of_image
        calls, thread = [], None
        for line in lines:
            match = re.match(r"^([0-9a-f]+):Call ([\w.]+)\((.*)\) ret=([0-9a-f]+)$", line)
            # Calls returning into the launcher's image, at its preferred base
            # (Wine loads a program there); the first such call is the
            # launcher's, and its thread is the only one it runs. Programs it
            # starts trace with threads of their own.
            if match and low <= int(match.group(4), 16) < high:
                thread = thread or match.group(1)
                if match.group(1) == thread:
                    calls.append((match.group(2), match.group(3)))
        return calls


BEST_FIT_DUMP = REPO / "build/win64/tests/e2e/best_fit_dump.exe"


def best_fit_table(wine):
    """checker/names/best_fit_1252.inc as the real WideCharToMultiByte makes it."""
    code, output, errors = start_under_wine([WINE, str(BEST_FIT_DUMP)], wine.env)
    if code != 0:
        raise RuntimeError(f"best_fit_dump ended with status {code}: {errors}")
    return output.replace("\r\n", "\n").encode()


_shared = None


def shared_wine():
    """One prefix for the whole test run, closed when the run ends."""
    global _shared
    if _shared is None:
        _shared = Wine()
        atexit.register(_shared.close)
    return _shared
