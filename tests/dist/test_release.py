# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""The release a tree author takes, and signing it with their own
certificate: `make dist` contents and checksums; the SBOM against its
schema and against the release's files, licence texts and source archive;
`make sign` with a throwaway certificate made here (no key is ever
committed), its failures, the signed file's bytes and layout, and the
signed launcher run under Wine."""

import atexit
import copy
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import tarfile
import tempfile
import unittest
import zipfile
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
from launcher_tools import downloads, project_version
from launcher_tools.i386_support import how_i386_runs
from launcher_tools.pe_file import PeFile
from launcher_tools.release_parts import parts_of
from launcher_tools.shipped_pe import Executable

VERSION = project_version()
# A release folder of the test's own: an author's dist/ is never touched.
DIST = Path(tempfile.mkdtemp(prefix="release-"))
RELEASE = DIST / f"launcher-{VERSION}"
SIGNED = RELEASE / "signed/launcher.exe"
atexit.register(shutil.rmtree, DIST, ignore_errors=True)
SKIPPED = 77


def run(*args, **kw):
    return subprocess.run([str(a) for a in args], capture_output=True, timeout=900, **kw)


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def sbom():
    return json.loads((RELEASE / "sbom.cdx.json").read_text())


def expressions(bom):
    yield bom["metadata"]["component"]["licenses"][0]["license"]["id"]
    for program in bom["components"]:
        yield program["licenses"][0]["expression"]
        yield from (part["licenses"][0]["expression"] for part in program["components"])


def named_licences():
    """LICENSES/<id>.txt for every licence and exception the SBOM names."""
    ids = {w for e in expressions(sbom()) for w in re.split(r"[\s()]+", e)
           if w not in ("", "AND", "OR", "WITH")}
    return {f"LICENSES/{i}.txt" for i in ids}


def cyclonedx_validator():
    """CycloneDX 1.5's schema, with the two it refers to, from its npm package."""
    import jsonschema  # Debian's python3-jsonschema
    from urllib.parse import urljoin
    with tarfile.open(downloads.path_of("cyclonedx-library")) as package:
        schemas = {m.name.rsplit("/", 1)[1]: json.load(package.extractfile(m))
                   for m in package.getmembers()
                   if re.fullmatch(r"package/res/schema/[^/]+\.schema\.json", m.name)}
    main = schemas["bom-1.5.SNAPSHOT.schema.json"]
    store = {urljoin(main["$id"], name): schema for name, schema in schemas.items()}
    return jsonschema.Draft7Validator(main, resolver=jsonschema.RefResolver.from_schema(main, store=store),
                                      format_checker=jsonschema.FormatChecker())


# Every character a shell or make would take for its own.
HOSTILE_PASSWORD = "a $b \"c' `d` \\e  $(f)"


class Release(unittest.TestCase, Executable):
    @classmethod
    def setUpClass(cls):
        cls.keys = DIST / "keys"
        cls.keys.mkdir()
        for name, password in [("author", HOSTILE_PASSWORD), ("other", "other"), ("plain", None)]:
            protect = ["-passout", "env:KEY_PASS"] if password else ["-nodes"]
            made = run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-days", "2",
                       "-subj", f"/CN=Test tree {name}", "-addext", "extendedKeyUsage=codeSigning",
                       "-keyout", cls.keys / f"{name}.key", "-out", cls.keys / f"{name}.pem",
                       *protect, env=dict(os.environ, KEY_PASS=password or ""))
            assert made.returncode == 0, made.stderr.decode()

    def make_sign(self, name, password=None, key=None, *extra):
        """make sign with the password, if any, in the environment only."""
        env = {k: v for k, v in os.environ.items() if not k.startswith("SIGN_PASS")}
        if password is not None:
            env["SIGN_PASS"] = password
        cert = self.keys / f"{name}.pem" if name else ""
        key = key or (self.keys / f"{name}.key" if name else "")
        return run("make", "-s", "--no-print-directory", "sign", f"CERT={cert}", f"KEY={key}",
                   f"DIST={DIST}", *extra, cwd=REPO, env=env)

    def test_1_sign_refuses_what_it_cannot_use(self):
        cases = {"no certificate": (("", None), b"make sign needs"),
                 "wrong password": (("author", "guess"), b"wrong password"),
                 "no password for an encrypted key": (("author", None), b"is encrypted"),
                 "another key": (("author", "other", self.keys / "other.key"),
                                 b"does not belong to the certificate"),
                 "password on make's command line": (("author", None, None, "PASS=x"),
                                                     b"PASS= is not taken")}
        for name, (args, said) in cases.items():
            with self.subTest(name):
                done = self.make_sign(*args)
                self.assertNotEqual(done.returncode, 0)
                self.assertIn(said, done.stderr)
                self.assertFalse(SIGNED.exists())

    def test_2_release_contents(self):
        # A key without a password (as kept in a CI secret) signs.
        done = self.make_sign("plain")
        self.assertEqual(done.returncode, 0, done.stderr.decode())
        verified = run("osslsigncode", "verify", "-in", SIGNED, "-CAfile", self.keys / "plain.pem")
        self.assertEqual(verified.returncode, 0, verified.stdout.decode() + verified.stderr.decode())
        SIGNED.unlink()
        done = self.make_sign("author", HOSTILE_PASSWORD)
        self.assertEqual(done.returncode, 0, done.stderr.decode())
        files = {"launcher.exe", "launcher-check.exe", "launcher-check", "client.ini",
                 "README.txt", "SHA256SUMS", "sbom.cdx.json"} | set(named_licences())
        self.assertEqual({str(p.relative_to(RELEASE)) for p in RELEASE.rglob("*")
                          if p.is_file() and "signed" not in p.parts}, files)
        self.assertEqual((RELEASE / "launcher.exe").read_bytes(),
                         (REPO / "build/win32/launcher.exe").read_bytes())
        sums = dict(reversed(line.split("  ")) for line in (RELEASE / "SHA256SUMS").read_text().splitlines())
        self.assertEqual(set(sums), files - {"SHA256SUMS"})
        for name, digest in sums.items():
            self.assertEqual(hashlib.sha256((RELEASE / name).read_bytes()).hexdigest(), digest, name)
        with zipfile.ZipFile(RELEASE.parent / f"launcher-{VERSION}.zip") as archive:
            self.assertEqual(sorted(archive.namelist()), sorted(f"launcher-{VERSION}/{n}" for n in files))
            for entry in archive.infolist():
                self.assertEqual(archive.read(entry),
                                 (RELEASE / entry.filename.split("/", 1)[1]).read_bytes())
                self.assertEqual(entry.date_time, (1980, 1, 1, 0, 0, 0))
        # The Linux checker runs on any x86-64 Linux: no interpreter, no
        # shared libraries.
        linux = RELEASE / "launcher-check"
        headers = run("readelf", "-lW", linux).stdout.decode()
        self.assertIn("LOAD", headers)
        self.assertNotIn("INTERP", headers)
        self.assertNotIn("(NEEDED)", run("readelf", "-dW", linux).stdout.decode())

    def test_2b_sbom_against_its_schema(self):
        validator = cyclonedx_validator()
        bom = sbom()
        self.assertEqual([e.message for e in validator.iter_errors(bom)], [])
        # The validator does look: a hash that is not one fails.
        broken = copy.deepcopy(bom)
        broken["components"][0]["hashes"][0]["content"] = "not a digest"
        self.assertNotEqual(list(validator.iter_errors(broken)), [])

    def test_2c_sbom_describes_each_program(self):
        bom = sbom()
        programs = {c["name"]: c for c in bom["components"]}
        self.assertEqual(set(programs), {"launcher.exe", "launcher-check.exe", "launcher-check"})
        for name, program in programs.items():
            with self.subTest(name):
                self.assertEqual(program["hashes"], [{"alg": "SHA-256", "content":
                                                      sha256((RELEASE / name).read_bytes())}])
                for part in program["components"]:
                    self.assertTrue(part["name"] and part["version"] and part["supplier"]["name"])
                    self.check_debian_part(part)
        # The launcher is ours alone: from mingw-w64 only its import tables.
        self.assertEqual(programs["launcher.exe"]["licenses"], [{"expression": "BSL-1.0"}])
        launcher_parts = programs["launcher.exe"]["components"]
        self.assertEqual([p["name"] for p in launcher_parts], ["mingw-w64 runtime and import libraries"])
        self.assertRegex(launcher_parts[0]["description"], r"^Linked in: (lib\w+32\.a \(\d+ members\)(, )?)+$")
        # Both checkers contain libcdio (GPL-3.0-or-later) and libudfread with our patches.
        for name in ("launcher-check.exe", "launcher-check"):
            self.assertEqual(programs[name]["licenses"], [{"expression": "GPL-3.0-or-later"}])
            parts = {p["name"]: p for p in programs[name]["components"]}
            self.assertEqual((parts["libcdio"]["version"], parts["libudfread"]["version"]), ("2.1.0", "1.1.2"))
            patches = [d["diff"]["url"] for d in parts["libudfread"]["pedigree"]["patches"]]
            self.assertEqual(len(patches), 3)
            self.assertTrue(all((REPO / patch).is_file() for patch in patches), patches)

    def check_debian_part(self, part):
        """A Debian part names the source package of what is installed here."""
        properties = {p["name"]: p["value"] for p in part.get("properties", [])}
        if "debian:source-package" not in properties:
            return
        source, version = properties["debian:source-package"].split()
        self.assertIn(f"pkg:deb/debian/{source}@", part["purl"])
        for binary in properties["debian:binary-packages"].split(", "):
            package = binary.split()[0]
            installed = run("dpkg-query", "-W", "-f=${source:Package} ${source:Version}", package)
            self.assertEqual(installed.stdout.decode(), f"{source} {version}", package)

    def test_2d_source_archive(self):
        bom = sbom()
        path = DIST / f"launcher-{VERSION}-source.tar.xz"
        reference = bom["metadata"]["component"]["externalReferences"][0]
        self.assertEqual((reference["url"], reference["hashes"][0]["content"]),
                         (path.name, sha256(path.read_bytes())))
        top = f"launcher-{VERSION}-source/"
        with tarfile.open(path) as archive:
            members = {m.name: m for m in archive.getmembers()}
            digests = {n: sha256(archive.extractfile(m).read()) for n, m in members.items()}
            building = archive.extractfile(top + "BUILDING.txt").read().decode()
        self.assertTrue(all(m.mtime == 315532800 and m.uid == 0 for m in members.values()))
        tracked = run("git", "ls-files", "-z", cwd=REPO).stdout.decode().split("\0")
        for name in filter(None, tracked):
            self.assertEqual(digests.get(top + name), sha256((REPO / name).read_bytes()), name)
        # Every pinned tarball the build unpacks, and every source the SBOM
        # says is in the archive, is there with its SHA-256.
        for key in ("libudfread", "libcdio"):
            item = downloads.FILES[key]
            self.assertEqual(digests.get(f"{top}third-party/{item.name}"), item.sha256, key)
            self.assertIn(item.name, building)
        said = [(r["comment"], r["hashes"][0]["content"]) for program in bom["components"]
                for part in program["components"] for r in part.get("externalReferences", [])]
        carried = [(c.split()[1], d) for c, d in said if c.endswith(f" in {path.name}")]
        self.assertTrue(carried)
        for member, digest in carried:
            self.assertEqual(digests.get(member), digest, member)

    def test_3_signed_file(self):
        unsigned = (RELEASE / "launcher.exe").read_bytes()
        signed = SIGNED.read_bytes()
        verified = run("osslsigncode", "verify", "-in", SIGNED, "-CAfile", self.keys / "author.pem")
        self.assertEqual(verified.returncode, 0, verified.stdout.decode() + verified.stderr.decode())
        self.assertIn(b"Message digest algorithm  : SHA256", verified.stdout)
        # Only the checksum and the security directory entry change, and the
        # certificate table is appended.
        pe = PeFile(SIGNED)
        changed = {i for i in range(len(unsigned)) if signed[i] != unsigned[i]}
        allowed = set(range(pe.checksum_offset, pe.checksum_offset + 4))
        security_entry = pe.directories_offset + 8 * 4
        allowed |= set(range(security_entry, security_entry + 8))
        self.assertLessEqual(changed, allowed)
        self.assertEqual(pe.directories["security"][0], len(unsigned))
        self.check_common(pe)
        self.check_resources(pe, "x86")
        self.check_signature_layout(pe)

    def test_4_signed_launcher_runs(self):
        # The 32-bit file where Wine runs it, else the 64-bit twin signed the same way.
        cases = ["test_launcher.Languages.test_each_language_and_sublanguages",
                 "test_launcher.Profile.test_no_profile_file_gives_the_default_setup_and_group",
                 "test_launcher.CommandLine.test_tail_is_handed_on_unchanged"]
        native = how_i386_runs()[0] == "native"
        done = run(REPO / "scripts/run-e2e", SIGNED, *cases) if native else None
        if not native or done.returncode == SKIPPED:
            print(done.stdout.decode().strip() if done else "32-bit programs are not run natively",
                  "- signing and running the 64-bit twin", file=sys.stderr)
            twin = self.keys / "launcher64.exe"
            signed = run(REPO / "scripts/sign", self.keys / "author.pem", self.keys / "author.key",
                         REPO / "build/win64/launcher.exe", twin,
                         env=dict(os.environ, SIGN_PASS=HOSTILE_PASSWORD))
            self.assertEqual(signed.returncode, 0, signed.stderr.decode())
            done = run(REPO / "scripts/run-e2e", twin, *cases)
        self.assertEqual(done.returncode, 0, done.stdout.decode()[-3000:] + done.stderr.decode()[-3000:])
        self.assertIn(b"Ran 3 tests", done.stderr + done.stdout)


class ReleaseParts(unittest.TestCase):
    """The SBOM's parts come from the link map: an input nobody describes
    stops the release rather than going unnamed."""

    def parts(self, *lines):
        folder = Path(tempfile.mkdtemp(dir=DIST))
        (folder / "program.map").write_text("Archive member included to satisfy reference by "
                                            "file (symbol)\n\n" + "\n".join(lines) + "\n")
        return parts_of(folder / "program.map", folder)

    def test_each_input_to_its_origin(self):
        libc = "/usr/lib/x86_64-linux-gnu/libc.a"
        parts = self.parts(f"{libc}(printf.o)", "                              main.o (printf)",
                           f"{libc}(vfprintf.o)", "libudfread.a(udfread.c.o)",
                           "libcdio/lib/iso9660/.libs/libiso9660.a(iso9660_fs.o)",
                           "Discarded input sections", "LOAD CMakeFiles/p.dir/main.cpp.o",
                           "LOAD /usr/lib/x86_64-linux-gnu/crt1.o")
        self.assertEqual({p.key: p.linked for p in parts},
                         {"ours": {}, "glibc": {"libc.a": 2, "crt1.o": 0},
                          "libudfread": {"libudfread.a": 1}, "libcdio": {"libiso9660.a": 1}})
        glibc = next(p for p in parts if p.key == "glibc")
        installed = run("dpkg-query", "-W", "-f=${Version}", "libc6-dev").stdout.decode()
        self.assertEqual(glibc.binary_packages, {"libc6-dev": installed})

    def test_an_input_nobody_describes_stops_the_release(self):
        for line, said in [("/usr/lib/x86_64-linux-gnu/libgtest.a(gtest-all.o)", "googletest"),
                           ("/opt/elsewhere/libz.a(inflate.o)", "neither built here nor from a Debian"),
                           ("third/libfoo.a(foo.o)", "neither built here nor from a Debian")]:
            with self.subTest(line):
                with self.assertRaisesRegex(ValueError, said):
                    self.parts(line)


if __name__ == "__main__":
    unittest.main(verbosity=2)
