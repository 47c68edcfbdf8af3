# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""The release's software bill of materials, CycloneDX 1.5 JSON: each
program of the release with its SHA-256 and licence, and inside it every
part it contains (from release_parts) with version, supplier, licence, the
Debian source package it comes from, the patches applied and the SHA-256
of the source it was built from. Nothing in it depends on the time or the
build folder, so that two clean builds give the same bytes."""

import json
import re
import uuid
from urllib.parse import quote

from launcher_tools.release_parts import OURS

# Fixed namespace for the serial number, derived from the release's contents.
SERIAL_NAMESPACE = uuid.UUID("6f0b4a8e-6a4d-4c39-9b59-2a3d0c1e7f42")


def licence_ids(expression):
    """Every licence and exception an SPDX expression names."""
    return {word for word in re.split(r"[\s()]+", expression)
            if word and word not in ("AND", "OR", "WITH")}


def part_licence(part):
    if part.source_package:
        return f"{part.origin.licence} AND LicenseRef-{part.source_package}-notices"
    return part.origin.licence


def _sha256(digest):
    return [{"alg": "SHA-256", "content": digest}]


def _source_reference(archive, member, digest):
    """A source file the source archive carries, by its name there."""
    # CycloneDX 1.5 has no type for a source download: "distribution", said in the comment.
    return {"type": "distribution", "url": member.rsplit("/", 1)[-1],
            "hashes": _sha256(digest), "comment": f"source: {member} in {archive['name']}"}


def _sources(part, archive):
    """Where the part's source is: members of the source archive, or, for
    Debian's that it need not carry, the files of Debian's source package."""
    refs = []
    for member, digest in archive["sources"].get(part.key, {}).items():
        refs.append(_source_reference(archive, member, digest))
    if part.source_package and not part.origin.ship_source:
        for name, digest in archive["debian_files"][part.key].items():
            refs.append({"type": "distribution", "url": name, "hashes": _sha256(digest),
                         "comment": f"source: in Debian's source package {part.source_package} "
                                    f"{part.source_version}; not in the source archive: "
                                    f"{part.origin.why_no_source}"})
    return refs


def _linked(part):
    return ", ".join(f"{name} ({n} members)" if n else name for name, n in part.linked.items())


def _debian_fields(part):
    version = part.source_version
    purl = f"pkg:deb/debian/{part.source_package}@{quote(version, safe='')}?arch=source&distro=debian-12"
    binaries = ", ".join(f"{n} {v}" for n, v in sorted(part.binary_packages.items()))
    return version, {"purl": purl, "properties": [
        {"name": "debian:source-package", "value": f"{part.source_package} {version}"},
        {"name": "debian:binary-packages", "value": binaries}]}


def contained(program, part, archive):
    """The CycloneDX component of one part inside one program."""
    origin = part.origin
    fields = {}
    if part.source_package:
        version, fields = _debian_fields(part)
    else:
        version = origin.version
    component = {"type": "library", "bom-ref": f"{program}/{part.key}", "supplier": {"name": origin.supplier},
                 "name": origin.name, "version": version,
                 "licenses": [{"expression": part_licence(part)}], **fields}
    if part.linked:
        component["description"] = f"Linked in: {_linked(part)}"
    refs = _sources(part, archive)
    if refs:
        component["externalReferences"] = refs
    if origin.patches:
        component["pedigree"] = {"patches": [
            {"type": "unofficial", "diff": {"url": patch}} for patch in origin.patches],
            "notes": "Applied in this order; each is in the source archive at its path."}
    return component


def program_component(program, version, archive):
    """A program of the release and the parts it contains."""
    ours = next(p for p in program["parts"] if p.key == "ours")
    others = [p for p in program["parts"] if p.key != "ours"]
    copyleft = [p for p in others if "GPL-3.0-or-later" == p.origin.licence]
    whole = "GPL-3.0-or-later" if copyleft else "BSL-1.0"
    return {"type": "application", "bom-ref": program["name"], "name": program["name"],
            "version": version, "supplier": {"name": OURS},
            "description": program["description"] + (
                f" Under GPL-3.0-or-later as a whole, because it contains "
                f"{', '.join(p.origin.name for p in copyleft)}; our own code in it is "
                f"{ours.origin.licence}." if copyleft else ""),
            "hashes": _sha256(program["sha256"]), "licenses": [{"expression": whole}],
            "components": [contained(program["name"], p, archive) for p in others]}


def make_sbom(version, programs, archive):
    """programs: [{name, sha256, description, parts}]; archive: {name,
    sha256, sources: {part key: {member: sha256}}, debian_files: {part key:
    {file: sha256}}}."""
    identity = json.dumps([version, [p["sha256"] for p in programs], archive["sha256"]])
    return {
        "bomFormat": "CycloneDX", "specVersion": "1.5",
        "serialNumber": f"urn:uuid:{uuid.uuid5(SERIAL_NAMESPACE, identity)}", "version": 1,
        "metadata": {"component": {
            "type": "application", "bom-ref": "release", "name": "launcher", "version": version,
            "supplier": {"name": OURS}, "licenses": [{"license": {"id": "BSL-1.0"}}],
            "description": "The setup launcher for installation trees and its checker.",
            "externalReferences": [{
                "type": "distribution", "url": archive["name"],
                "hashes": _sha256(archive["sha256"]),
                "comment": "source: the project's and every third-party source the release "
                           "must carry, with BUILDING.txt"}]}},
        "components": [program_component(p, version, archive) for p in programs],
    }


def sbom_json(bom):
    return (json.dumps(bom, indent=2, ensure_ascii=False) + "\n").encode()
