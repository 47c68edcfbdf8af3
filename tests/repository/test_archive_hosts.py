# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""No tracked file names a package archive's or registry's host: packages
and sources come through the package clients by name, as the machine is set
up (a mirror, a proxy or another archive then just works). The hosts are
the ones this machine's apt and npm are set up with, so none is written
here either; and any address shaped like a package archive's file or index
fails whatever its host."""

import re
import shutil
import subprocess
import unittest
from pathlib import Path
from urllib.parse import urlsplit

from launcher_tools import REPO

# Addresses of a Debian archive's pool or index, and of an npm tarball.
ARCHIVE_PATHS = re.compile(rb"[a-z]+://[^\s\"'<>]*(/pool/main/|/dists/[a-z]+|/-/[^\s/]+\.tgz)")


def apt_hosts():
    done = subprocess.run(["apt-get", "indextargets", "--format", "$(REPO_URI)"],
                          capture_output=True, text=True)
    hosts = {urlsplit(line).hostname for line in done.stdout.split()}
    for source in [Path("/etc/apt/sources.list"), *Path("/etc/apt/sources.list.d").glob("*")]:
        if source.is_file():
            hosts |= {urlsplit(u).hostname for u in re.findall(r"[a-z+]+://\S+", source.read_text())}
    return hosts


def npm_hosts():
    if shutil.which("npm") is None:
        return set()
    done = subprocess.run(["npm", "config", "get", "registry"], capture_output=True, text=True)
    return {urlsplit(done.stdout.strip()).hostname}


def tracked_files():
    done = subprocess.run(["git", "ls-files", "-z"], cwd=REPO, capture_output=True, check=True)
    return [REPO / name for name in done.stdout.decode().split("\0") if name]


class ArchiveHosts(unittest.TestCase):
    def test_no_tracked_file_names_an_archive_host(self):
        hosts = {h for h in apt_hosts() | npm_hosts() if h and "." in h}
        self.assertTrue(hosts, "neither apt nor npm names a host here: nothing to look for")
        files = tracked_files()
        self.assertGreater(len(files), 100)
        found = []
        for path in files:
            if not path.is_file():
                continue
            data = path.read_bytes().lower()
            found += [f"{path.relative_to(REPO)}: {h}" for h in hosts if h.encode() in data]
            found += [f"{path.relative_to(REPO)}: {m.group(0).decode(errors='replace')}"
                      for m in ARCHIVE_PATHS.finditer(data)]
        self.assertEqual(found, [], f"looked for {sorted(hosts)}")

    def test_the_check_sees_a_host(self):
        # What the test above looks for does show in a file. (Written in two
        # parts, or this file would be found.)
        for text in [b"http://ftp.example.org/debian/" b"pool/main/libu/libudfread/x.orig.tar.gz",
                     b"https://registry.example.org/@scope/pkg/" b"-/pkg-1.0.0.tgz"]:
            self.assertIsNotNone(ARCHIVE_PATHS.search(text), text)


if __name__ == "__main__":
    unittest.main(verbosity=2)
