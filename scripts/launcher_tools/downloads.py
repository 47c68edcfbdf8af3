# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Third-party files the build and the tests need, fetched through the
machine's own package clients by package name, never from an address
written here: Debian source packages through apt-get (deb-src lines made
from the machine's own apt sources, in a private apt state), npm packages
through npm pack. Each is kept in the download cache and checked by its
SHA-256 every time it is used.

The cache is $LAUNCHER_DOWNLOADS, else build/downloads/ of the checkout. A
build without network works once the cache holds the files: copy them in, or
fill it on another machine with

    python3 -m launcher_tools.downloads all

Run as `python3 -m launcher_tools.downloads NAME`, it prints the path of
the file NAME (see FILES) and exits 0, or says what failed and exits 1."""

import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
from dataclasses import dataclass
from pathlib import Path

from launcher_tools import REPO


@dataclass(frozen=True)
class Download:
    client: str  # "apt-source" or "npm"
    package: str  # what the client is asked for
    name: str  # the file kept
    sha256: str


FILES = {
    # libudfread 1.1.2, Debian 12's: its upstream tarball.
    "libudfread": Download("apt-source", "libudfread=1.1.2-1", "libudfread_1.1.2.orig.tar.gz",
                           "2bf16726ac98d093156195bb049a663e07d3323e079c26912546f4e05c77bac5"),
    # libcdio 2.1.0, Debian 12's: its upstream tarball, for the Windows
    # checker's ISO 9660 reader (Linux links Debian's libiso9660).
    "libcdio": Download("apt-source", "libcdio=2.1.0-4", "libcdio_2.1.0.orig.tar.bz2",
                        "78e246d591b1e8907943b844c68019c5b5a75a6d8cb1aa49a7d659b4ad95838b"),
    # The full texts of the SPDX licence list (CC0-1.0): the release's
    # LICENSES/ takes the texts Debian does not keep in common-licenses.
    "spdx-license-list": Download("npm", "spdx-license-list@6.12.0", "spdx-license-list-6.12.0.tgz",
                                  "54cc8d13086187333ca1457c8edaa06d9a412144f076aa7f7c1b59c4f3b0a1ef"),
    # The CycloneDX 1.5 JSON schemas (Apache-2.0), for the release's SBOM test.
    "cyclonedx-library": Download("npm", "@cyclonedx/cyclonedx-library@10.3.0",
                                  "cyclonedx-cyclonedx-library-10.3.0.tgz",
                                  "9833bd949052eb18218dd64b13ad62d9246f7395eef01c66dad08fcbacf74f01"),
    # The SARIF 2.1.0 schema travels in Microsoft's jest-sarif package.
    "jest-sarif": Download("npm", "@microsoft/jest-sarif@1.0.0-beta.0",
                           "microsoft-jest-sarif-1.0.0-beta.0.tgz",
                           "748e2c3d1a842e7bb258416685c7ea3a0da40005b72267b2052c2856d48ad102"),
}


class DownloadError(RuntimeError):
    pass


def cache_dir():
    return Path(os.environ.get("LAUNCHER_DOWNLOADS") or REPO / "build/downloads")


def sha256_of(path):
    return hashlib.sha256(Path(path).read_bytes()).hexdigest()


def path_of(key):
    """The checked file of FILES[key], fetched first where the cache lacks it."""
    item = FILES[key]
    path = cache_dir() / item.name
    if not path.is_file():
        path.parent.mkdir(parents=True, exist_ok=True)
        with tempfile.TemporaryDirectory(dir=path.parent) as work:
            fetched = FETCHERS[item.client](item, Path(work))
            if sha256_of(fetched) != item.sha256:
                raise DownloadError(f"{item.package} gave a {item.name} whose SHA-256 is not "
                                    f"{item.sha256}")
            fetched.rename(path)
    if sha256_of(path) != item.sha256:
        raise DownloadError(f"{path} is not the file expected (its SHA-256 is not "
                            f"{item.sha256}): delete it")
    return path


def _run(args, cwd, what):
    done = subprocess.run(args, cwd=cwd, capture_output=True, text=True)
    if done.returncode != 0:
        said = (done.stderr or done.stdout).strip().splitlines()[-5:]
        raise DownloadError(f"{what} failed (status {done.returncode}): {' / '.join(said)}\n"
                            f"  command: {' '.join(args)}")
    return done


def source_lines(sources_list):
    """A one-line sources.list with every 'deb' line turned into 'deb-src'."""
    lines = []
    for line in sources_list.splitlines():
        words = line.split(None, 1)
        if words and words[0] == "deb" and len(words) == 2:
            lines.append("deb-src " + words[1])
    return "\n".join(lines) + "\n"


def source_stanzas(sources):
    """A deb822 .sources file whose stanzas of type deb are asked for deb-src."""
    out = []
    for line in sources.splitlines():
        key, _, value = line.partition(":")
        if key.strip().lower() == "types" and "deb" in value.split():
            line = "Types: deb-src"
        out.append(line)
    return "\n".join(out) + "\n"


def private_apt(work):
    """apt-get options for an apt state of our own in `work`, whose sources
    are the machine's own, asked for source packages. Nothing of the
    machine's apt state is touched."""
    etc = Path("/etc/apt")
    parts = work / "sources.list.d"
    (work / "lists/partial").mkdir(parents=True)
    (work / "cache/archives/partial").mkdir(parents=True)
    parts.mkdir()
    main = etc / "sources.list"
    (work / "sources.list").write_text(source_lines(main.read_text()) if main.is_file() else "")
    for source in sorted((etc / "sources.list.d").glob("*")):
        if source.suffix == ".list":
            (parts / source.name).write_text(source_lines(source.read_text()))
        elif source.suffix == ".sources":
            (parts / source.name).write_text(source_stanzas(source.read_text()))
    return ["-o", f"Dir::Etc::SourceList={work / 'sources.list'}",
            "-o", f"Dir::Etc::SourceParts={parts}",
            "-o", f"Dir::State::Lists={work / 'lists'}",
            "-o", f"Dir::Cache={work / 'cache'}",
            "-o", "Debug::NoLocking=1",
            # As root apt fetches as _apt, who cannot write into our folder.
            *(["-o", "APT::Sandbox::User=root"] if os.getuid() == 0 else [])]


def fetch_debian_source(item, work, *source_options):
    if shutil.which("apt-get") is None:
        raise DownloadError(f"{item.name} comes from Debian's source package {item.package}, "
                            "through apt-get, which this machine lacks")
    options = private_apt(work / "apt")
    # An index that fails (a mirror mid-sync) need not stop the one we want.
    update = subprocess.run(["apt-get", "-q", *options, "update"], capture_output=True, text=True)
    failed = [l for l in update.stdout.splitlines() + update.stderr.splitlines()
              if l.startswith(("E:", "W:", "Err:"))]
    try:
        _run(["apt-get", "-q", *options, "source", "--download-only", *source_options, item.package],
             work, f"apt-get source {item.package}")
    except DownloadError as error:
        # Only the upstream tarball is wanted (and checked by its SHA-256):
        # a Debian part the mirror lacks does not matter.
        if (work / item.name).is_file():
            return work / item.name
        if failed:
            raise DownloadError(f"{error}\n  apt-get update said: {' / '.join(failed)}") from None
        raise
    return work / item.name


def fetch_npm_package(item, work):
    if shutil.which("npm") is None:
        raise DownloadError(f"{item.name} comes from the npm package {item.package}, through npm: "
                            "apt-get install -y --no-install-recommends npm")
    _run(["npm", "pack", "--silent", item.package, "--pack-destination", str(work)], work,
         f"npm pack {item.package}")
    return work / item.name


FETCHERS = {"apt-source": fetch_debian_source, "npm": fetch_npm_package}


def dsc_files(dsc):
    """{file name: SHA-256} of the files a Debian source control file lists."""
    files, listing = {}, False
    for line in Path(dsc).read_text(errors="replace").splitlines():
        if line.startswith("Checksums-Sha256:"):
            listing = True
        elif listing and line.startswith(" "):
            digest, _, name = line.split()
            files[name] = digest
        elif listing:
            break
    if not files:
        raise DownloadError(f"{dsc} lists no files with their SHA-256")
    return files


def debian_source(package, version, whole=False):
    """The .dsc of Debian's source package `package` at `version` (as
    installed here) and, with `whole`, every file it lists, from the cache
    or through apt-get source (which checks them against the signed
    index). Each file is checked against the .dsc at every use. Returns
    {file name: path}, the .dsc first."""
    dsc = cache_dir() / f"{package}_{version.split(':')[-1]}.dsc"

    def wanted(folder):
        return [dsc.name] + (sorted(dsc_files(folder / dsc.name)) if whole else [])

    if not dsc.is_file() or any(not (dsc.parent / n).is_file() for n in wanted(dsc.parent)):
        dsc.parent.mkdir(parents=True, exist_ok=True)
        with tempfile.TemporaryDirectory(dir=dsc.parent) as work:
            item = Download("apt-source", f"{package}={version}", dsc.name, "")
            fetch_debian_source(item, Path(work), *([] if whole else ["--dsc-only"]))
            for name in wanted(Path(work)):
                if not (Path(work) / name).is_file():
                    raise DownloadError(f"apt-get source {item.package} brought no {name} (does "
                                        "Debian still serve the version installed here? Upgrade "
                                        "the package and build again)")
                (Path(work) / name).replace(dsc.parent / name)
    paths = {dsc.name: dsc}
    for name, digest in (dsc_files(dsc).items() if whole else []):
        if sha256_of(dsc.parent / name) != digest:
            raise DownloadError(f"{dsc.parent / name} is not the file {dsc.name} lists: delete it")
        paths[name] = dsc.parent / name
    return paths


def main(args):
    keys = list(FILES) if args == ["all"] else args
    if not keys or any(k not in FILES for k in keys):
        print(f"usage: python3 -m launcher_tools.downloads all|{'|'.join(FILES)} ...",
              file=sys.stderr)
        return 2
    try:
        for key in keys:
            print(path_of(key))
    except (DownloadError, OSError) as error:
        print(f"downloads: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
