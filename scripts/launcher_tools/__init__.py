# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""What the project's scripts and tests share: the Wine harness, the example
trees, PE files, and a few facts of the repository. Scripts in scripts/ find
it beside them; the tests get scripts/ on PYTHONPATH from ctest (by hand:
PYTHONPATH=scripts python3 tests/...)."""

from pathlib import Path

REPO = Path(__file__).resolve().parents[2]


def project_version():
    """The version, from the one file that holds it."""
    return (REPO / "VERSION").read_text().strip()

