#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""How this Linux kernel runs 32-bit x86 programs (Wine's 32-bit loader is
one): natively, under qemu-user through binfmt_misc, or not at all.

It starts a tiny i386 ELF of its own (it waits for one byte on standard
input, then exits) and looks at the running process: under qemu-user the
process's executable is the emulator. Prints `native`, `emulated` or
`refused: <reason>`; exit status 0, 0 or 1."""

import errno
import os
import struct
import subprocess
import sys
import tempfile

BASE = 0x08048000
HEADERS = 52 + 32
CODE = bytes.fromhex(
    "b803000000"  # mov eax, 3 (read)
    "31db"        # xor ebx, ebx (standard input)
    "89e1"        # mov ecx, esp
    "ba01000000"  # mov edx, 1
    "cd80"        # int 0x80
    "b801000000"  # mov eax, 1 (exit)
    "31db"        # xor ebx, ebx
    "cd80")       # int 0x80


def tiny_program():
    size = HEADERS + len(CODE)
    ident = b"\x7fELF\x01\x01\x01" + bytes(9)
    header = ident + struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, BASE + HEADERS, 52, 0, 0,
                                 52, 32, 1, 0, 0, 0)
    segment = struct.pack("<IIIIIIII", 1, 0, BASE, BASE, size, size, 5, 0x1000)
    return header + segment + CODE


def how_i386_runs():
    """('native' | 'emulated' | 'refused', detail)."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "i386-probe")
        with open(path, "wb") as f:
            f.write(tiny_program())
        os.chmod(path, 0o755)
        try:
            process = subprocess.Popen([path], stdin=subprocess.PIPE)
        except OSError as error:
            if error.errno == errno.ENOEXEC:
                return "refused", ("the kernel refuses 32-bit programs (Exec format error: its "
                                   "32-bit emulation is off) and no emulator is registered for them")
            return "refused", f"a 32-bit program cannot be started: {error}"
        try:
            exe = os.readlink(f"/proc/{process.pid}/exe")
        except OSError:
            exe = ""
        process.communicate(b"x", timeout=60)
    if process.returncode != 0:
        return "refused", f"a 32-bit program ended with status {process.returncode}"
    if "qemu" in os.path.basename(exe):
        return "emulated", f"through {exe} (binfmt_misc)"
    return "native", "the kernel runs 32-bit programs itself"


if __name__ == "__main__":
    how, detail = how_i386_runs()
    print(how if how != "refused" else f"refused: {detail}")
    sys.exit(1 if how == "refused" else 0)
