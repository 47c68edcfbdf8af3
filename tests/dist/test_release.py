"""The release a tree author takes, and signing it with their own
certificate: `make dist` contents and checksums; `make sign` with a
throwaway certificate made here (no key is ever committed), its failures,
the signed file's bytes and layout, and the signed launcher run under Wine."""

import atexit
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
from launcher_tools import project_version
from launcher_tools.i386_support import how_i386_runs
from launcher_tools.pe_file import PeFile
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
                 "README.txt", "SHA256SUMS"}
        self.assertEqual({p.name for p in RELEASE.iterdir() if p.is_file()}, files)
        self.assertEqual((RELEASE / "launcher.exe").read_bytes(),
                         (REPO / "build/win32/launcher.exe").read_bytes())
        sums = dict(reversed(line.split("  ")) for line in (RELEASE / "SHA256SUMS").read_text().splitlines())
        self.assertEqual(set(sums), files - {"SHA256SUMS"})
        for name, digest in sums.items():
            self.assertEqual(hashlib.sha256((RELEASE / name).read_bytes()).hexdigest(), digest, name)
        with zipfile.ZipFile(RELEASE.parent / f"launcher-{VERSION}.zip") as archive:
            self.assertEqual(sorted(archive.namelist()), sorted(f"launcher-{VERSION}/{n}" for n in files))
            for entry in archive.infolist():
                self.assertEqual(archive.read(entry), (RELEASE / Path(entry.filename).name).read_bytes())
                self.assertEqual(entry.date_time, (1980, 1, 1, 0, 0, 0))
        # The Linux checker runs on any x86-64 Linux: no interpreter, no
        # shared libraries.
        linux = RELEASE / "launcher-check"
        headers = run("readelf", "-lW", linux).stdout.decode()
        self.assertIn("LOAD", headers)
        self.assertNotIn("INTERP", headers)
        self.assertNotIn("(NEEDED)", run("readelf", "-dW", linux).stdout.decode())

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


if __name__ == "__main__":
    unittest.main(verbosity=2)
