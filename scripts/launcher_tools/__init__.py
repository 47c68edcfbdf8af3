"""What the project's scripts and tests share: the Wine harness, the example
trees, PE files, and a few facts of the repository. Scripts in scripts/ find
it beside them; the tests get scripts/ on PYTHONPATH from ctest (by hand:
PYTHONPATH=scripts python3 tests/...)."""

import hashlib
import urllib.request
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]


def project_version():
    """The version, from the one file that holds it."""
    return (REPO / "VERSION").read_text().strip()


def fetched(url, sha256, name):
    """A file from the network, kept in build/downloads and checked by its
    SHA-256 each time it is used."""
    path = REPO / "build/downloads" / name
    if not path.is_file():
        path.parent.mkdir(parents=True, exist_ok=True)
        with urllib.request.urlopen(url, timeout=120) as response:
            data = response.read()
        if hashlib.sha256(data).hexdigest() != sha256:
            raise RuntimeError(f"{url} is not the file expected (SHA-256 differs)")
        path.with_suffix(".part").write_bytes(data)
        path.with_suffix(".part").rename(path)
    if hashlib.sha256(path.read_bytes()).hexdigest() != sha256:
        raise RuntimeError(f"{path} is not the file expected (SHA-256 differs): delete it")
    return path
