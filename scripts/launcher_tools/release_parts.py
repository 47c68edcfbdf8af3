# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""What each shipped program is made of, read from its link map: our own
code, the libraries built here from pinned source tarballs, and the parts
of Debian's packages the linker took (the C library, the compilers'
runtimes). An input nobody has described stops the release: the SBOM never
leaves a part out."""

import subprocess
from dataclasses import dataclass, field
from pathlib import Path

from launcher_tools.downloads import FILES
from launcher_tools.link_map import linked_inputs

OURS = "The launcher authors"


@dataclass(frozen=True)
class Origin:
    name: str
    supplier: str
    licence: str  # SPDX expression
    version: str = ""  # where not Debian's (theirs comes from dpkg)
    download: str = ""  # key in downloads.FILES: built here from that tarball
    patches: tuple = ()  # paths in the repository, applied in this order
    ship_source: bool = False  # Debian's: its whole source package goes into the source archive
    why_no_source: str = ""


# Built here from the tarballs pinned in downloads.py.
def _pinned_version(key):
    """The upstream version of a pinned Debian source tarball."""
    return FILES[key].package.split("=")[1].rsplit("-", 1)[0]


BUILT_HERE = {
    "libcdio": Origin("libcdio", "GNU Project", "GPL-3.0-or-later", _pinned_version("libcdio"),
                      download="libcdio"),
    "libudfread": Origin("libudfread", "VideoLAN", "LGPL-2.1-or-later",
                         _pinned_version("libudfread"), download="libudfread",
                         patches=tuple(f"cmake/udfread-{n}.patch"
                                       for n in ("skip-deleted", "vat", "last-lba"))),
}

# Debian's source packages whose binary packages the links take parts of.
# Each also carries its Debian copyright file as LicenseRef-<source>-notices.
DEBIAN = {
    "glibc": Origin("GNU C Library", "Debian", "LGPL-2.1-or-later", ship_source=True),
    "gcc-12": Origin("GCC runtime libraries (libstdc++, libgcc)", "Debian",
                     "GPL-3.0-or-later WITH GCC-exception-3.1",
                     why_no_source="the GCC Runtime Library Exception asks for none"),
    "gcc-mingw-w64": Origin("GCC runtime libraries for mingw-w64 (libstdc++, libgcc)", "Debian",
                            "GPL-3.0-or-later WITH GCC-exception-3.1",
                            why_no_source="the GCC Runtime Library Exception asks for none"),
    "mingw-w64": Origin("mingw-w64 runtime and import libraries", "Debian", "ZPL-2.1",
                        why_no_source="its licences (ZPL-2.1, public domain, BSD, MIT) ask "
                                      "for none"),
}

# Compiled into both checkers from the repository's own source.
BEST_FIT_TABLE = Origin("code page 1252 best-fit table, measured from Wine",
                        "Wine project", "LGPL-2.1-or-later", "8.0")
BEST_FIT_SOURCE = "checker/names/best_fit_1252.inc"


@dataclass
class Part:
    """One origin's share of one program: what the link took from it."""
    key: str
    origin: Origin
    linked: dict = field(default_factory=dict)  # file name -> members taken (0: a whole object)
    source_package: str = ""  # Debian's: the source package and its version
    source_version: str = ""
    binary_packages: dict = field(default_factory=dict)  # Debian's: name -> version


def _dpkg_owner(path):
    """The binary package that installed `path`, or None."""
    for candidate in dict.fromkeys([str(path), str(Path(path).resolve())]):
        done = subprocess.run(["dpkg-query", "-S", candidate], capture_output=True, text=True)
        if done.returncode == 0:
            for line in done.stdout.splitlines():
                owner, _, owned = line.rpartition(": ")
                if owned == candidate and not owner.startswith("diversion"):
                    return owner.split(", ")[0]
    return None


def _dpkg_source(package):
    done = subprocess.run(["dpkg-query", "-W", "-f=${source:Package}\t${source:Version}\t${Version}",
                           package], capture_output=True, text=True, check=True)
    return done.stdout.split("\t")


def _built_here(path, build_dir):
    """"ours", or the library built here, for what the build wrote (and
    the compiler's link-time objects); None for anything else."""
    if path.name.endswith(".ltrans.o"):
        return "ours"
    if not path.is_relative_to(build_dir):
        return None
    inside = path.relative_to(build_dir).parts
    if "libcdio" in inside:
        return "libcdio"
    if path.name == "libudfread.a":
        return "libudfread"
    if path.name.startswith("liblauncher_") or "CMakeFiles" in inside:
        return "ours"
    return None


def _debian_part(parts, path, where):
    """The Part of the Debian source package that installed `path`."""
    owner = _dpkg_owner(path)
    if owner is None:
        raise ValueError(f"{where}: {path} is neither built here nor from a Debian package: "
                         "describe it in launcher_tools/release_parts.py")
    source, source_version, version = _dpkg_source(owner)
    if source not in DEBIAN:
        raise ValueError(f"{where}: {path} comes from Debian's {source}, which "
                         "launcher_tools/release_parts.py does not describe")
    part = parts.setdefault(source, Part(source, DEBIAN[source], source_package=source,
                                         source_version=source_version))
    part.binary_packages[owner.split(":")[0]] = version
    return part


def parts_of(map_file, build_dir):
    """The Parts (ours first) of the program whose link wrote `map_file`."""
    parts = {"ours": Part("ours", Origin("launcher", OURS, "BSL-1.0"))}
    build_dir = Path(build_dir).absolute()
    for path, members in sorted(linked_inputs(map_file).items(), key=lambda i: str(i[0])):
        key = _built_here(path, build_dir)
        if key == "ours":
            continue
        part = (_debian_part(parts, path, map_file) if key is None else
                parts.setdefault(key, Part(key, BUILT_HERE[key])))
        part.linked[path.name] = part.linked.get(path.name, 0) + members
    return list(parts.values())
