# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""The text of each licence the release's SBOM names, verbatim from a
package, never retyped: Debian's common-licenses, the SPDX licence list's
npm package, and the copyright files of the Debian packages linked in
(LicenseRef-<source>-notices, with every notice their parts carry)."""

import json
import tarfile
from pathlib import Path

from launcher_tools import downloads

COMMON_LICENSES = Path("/usr/share/common-licenses")
FROM_DEBIAN = {"GPL-3.0-or-later": "GPL-3", "LGPL-2.1-or-later": "LGPL-2.1"}
FROM_SPDX_LIST = {"BSL-1.0", "ZPL-2.1"}
# The exception as Debian's GCC packages quote it in their copyright files.
GCC_EXCEPTION = ("GCC RUNTIME LIBRARY EXCEPTION", "requirements of the license of GCC.")


class LicenceError(RuntimeError):
    pass


def debian_copyright(binary_package):
    path = Path("/usr/share/doc") / binary_package / "copyright"
    if not path.is_file():
        raise LicenceError(f"{path} is missing: is {binary_package} installed?")
    return path.read_text()


def _from_spdx_list(licence):
    with tarfile.open(downloads.path_of("spdx-license-list")) as package:
        entry = package.extractfile(f"package/licenses/{licence}.json")
        return json.load(entry)["licenseText"].rstrip("\n") + "\n"


def _excerpt(text, first, last, where):
    lines = text.splitlines()
    start = next((i for i, line in enumerate(lines) if line.strip() == first), None)
    end = next((i for i in range(start or 0, len(lines)) if lines[i].strip().endswith(last)), None)
    if start is None or end is None:
        raise LicenceError(f"{where} does not quote the {first.title()}")
    return "\n".join(lines[start:end + 1]) + "\n"


def licence_text(licence, notices):
    """notices: {LicenseRef id: Debian binary package whose copyright file it is};
    the GCC exception is taken from the first GCC package among them."""
    if licence in FROM_DEBIAN:
        return (COMMON_LICENSES / FROM_DEBIAN[licence]).read_text()
    if licence in FROM_SPDX_LIST:
        return _from_spdx_list(licence)
    if licence in notices:
        return debian_copyright(notices[licence])
    if licence == "GCC-exception-3.1":
        gcc = next((p for ref, p in sorted(notices.items()) if "gcc" in ref), None)
        if gcc is None:
            raise LicenceError("the GCC exception is named, but no GCC package is linked in")
        return _excerpt(debian_copyright(gcc), *GCC_EXCEPTION, f"{gcc}'s copyright file")
    raise LicenceError(f"no text known for the licence {licence}: add where it comes from to "
                       "launcher_tools/licence_texts.py")
