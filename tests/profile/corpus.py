# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""Profiles and queries for the differential test of the tree checker's
profile reader against the real GetPrivateProfileStringA: hand-made hostile
files, and files generated from a seeded grammar of what profiles hold."""

import random

SECTION = b"95"
KEYS = [b"ENGLISH", b"ENGLISH_STARTUP", b"PORTUGESE", b"FRENCH_STARTUP"]
DEFAULTS = [b"d:\\products\\win95\\quv_enu\\setup.exe", b"STARTUP", b"", b"def  ", b'"q"', b"x \t"]
SIZES = [1, 2, 3, 5, 15, 260]


def hand_made():
    """(name, bytes) of profiles that each probe one rule."""
    files = {
        "plain": b"[95]\r\nENGLISH=D:\\a\\setup.exe\r\nENGLISH_STARTUP=Group\r\n",
        "case": b"[95]\r\nenglish=lower\r\nEnglish_Startup=Mixed\r\n",
        "blanks": b"  [95]  \r\n \t ENGLISH \t = \t value with  blanks \t \r\nENGLISH_STARTUP=\t\r\n",
        "section_blanks": b"[ 95 ]\r\nENGLISH=inner blanks\r\n[95 ]\r\nENGLISH=trailing\r\n",
        "section_junk": b"[95] trailing junk\r\nENGLISH=after junk\r\n",
        "two_brackets": b"[9]5]\r\nENGLISH=a\r\n[95]]\r\nENGLISH=b\r\n[95]\r\nENGLISH=c\r\n",
        "unclosed": b"[95\r\nENGLISH=unclosed\r\n[95]\r\nENGLISH=closed\r\n",
        "quotes": (b"[95]\r\nENGLISH=\"quoted value\"\r\nENGLISH_STARTUP='single'\r\n"
                   b"PORTUGESE=\"open only\r\nFRENCH_STARTUP=\"mixed'\r\n"),
        "quote_pairs": b"[95]\r\nENGLISH=\"\"\r\nENGLISH_STARTUP=\"\r\nPORTUGESE=''\r\nFRENCH_STARTUP=\" a \"\r\n",
        "comments": b"; comment\r\n[95]\r\n;ENGLISH=commented\r\n# ENGLISH_STARTUP=hash\r\nENGLISH=real\r\n",
        "duplicates": (b"[95]\r\nENGLISH=first\r\nENGLISH=second\r\n[other]\r\n"
                       b"[95]\r\nENGLISH_STARTUP=in second section\r\nENGLISH=third\r\n"),
        "duplicate_case": b"[95]\r\n[95]\r\nENGLISH=x\r\n",
        "no_newline": b"[95]\r\nENGLISH=last line",
        "lf_only": b"[95]\nENGLISH=lf\nENGLISH_STARTUP=only\n",
        "cr_only": b"[95]\rENGLISH=cr\rENGLISH_STARTUP=only\r",
        "no_equals": b"[95]\r\nENGLISH\r\nENGLISH_STARTUP = \r\n",
        "empty_names": b"[95]\r\n=a\r\n=b\r\nENGLISH=after\r\n",
        "before_section": b"ENGLISH=outside\r\n[95]\r\nENGLISH_STARTUP=inside\r\n",
        "nul_bytes": (b"[95]\r\nENGLISH=ab\x00cd\r\nENGLISH_STARTUP\x00junk=v\r\n"
                      b"\x00PORTUGESE=hidden\r\n"),
        "nul_section": b"[95\x00x]\r\nENGLISH=nul in header\r\n",
        "ctrl_z": b"[95]\r\nENGLISH=dos\x1a\r\n\x1a",
        "long_line": b"[95]\r\nENGLISH=" + b"L" * 100000 + b"\r\nENGLISH_STARTUP=" + b"g" * 300 + b"\r\n",
        "empty": b"",
        "only_blanks": b" \t\r\n\r\n",
        "utf8_bom": b"\xef\xbb\xbf[95]\r\nENGLISH=after a UTF-8 mark\r\n",
        "utf16le": "\ufeff[95]\r\nENGLISH=UTF-16 text\r\n".encode("utf-16-le"),
        "utf16be": "\ufeff[95]\r\nENGLISH=big endian\r\n".encode("utf-16-be"),
        "high_case": "[95]\r\nENGLISH=x\r\n[ÀÉÎ]\r\nk=v\r\n".encode("cp1252"),
        # Text code page 1252 lacks: best-fit bytes, or '?' (a surrogate pair
        # is two units, each '?').
        "utf16le_best_fit": ("\ufeff[95]\r\nENGLISH=\u03a9mega \u0141\u00f3d\u017a\u3000\u2116\r\n"
                             "ENGLISH_STARTUP=\uff21\u2002\u0102\U0001F600\r\n"
                             "[\u0416]\r\nENGLISH=cyrillic section\r\n").encode("utf-16-le"),
        "utf16be_best_fit": "\ufeff[95]\r\nENGLISH=\u03a9\u0107\r\n".encode("utf-16-be"),
        # Keys compared as spelt, not as their best-fit bytes: dotless ı,
        # dotted İ and long ſ are no I or S (Windows' default upper-case
        # table leaves the Turkish letters alone, as Wine does).
        "utf16le_lookalike_keys": ("\ufeff[95]\r\nENGL\u0131SH=dotless\r\n\u0130TAL\u0130AN=dotted\r\n"
                                   "\u017fPANI\u017fH=long s\r\nGERMAN=plain\r\n").encode("utf-16-le"),
        "utf8_bom_first_line": "\ufeff[95]\r\nENGLISH_STARTUP=D\u00e9marrage\r\n".encode("utf-8"),
        "utf8_two_bytes": b"\xef\xbbZ\r\n[95]\r\nENGLISH=two bytes of a mark: ANSI \xc3\xa9\r\n",
        "utf8_bom_bad_sequences": (b"\xef\xbb\xbf[95]\r\nENGLISH=\xc0\xaf|\xc1\xbf|\xe0\x80\xaf|"
                                   b"\xed\xa0\x80|\xf4\x90\x80\x80|\xc3|\x80|\xf0\x9f\x98\x80|\xf5\x80\x80\x80|"
                                   b"\xe0\x9f\xbf|\xf0\x80\x80\x80|\xf8\x88\x80\x80\x80\r\n"),
        "utf8_bom_cut_short": b"\xef\xbb\xbf[95]\r\nENGLISH=<\xf0\x9f\x98",
        "utf8_bom_comment": "\ufeff; comment\r\n[95]\r\nENGLISH=\u00e9t\u00e9\r\n".encode("utf-8"),
    }
    # Every byte at both ends of a value and inside it: which bytes the
    # reader takes for blanks, and that the others pass unchanged.
    for first in range(1, 256, 32):
        body = b"".join(bytes([b]) + b"x" + bytes([b]) for b in range(first, min(first + 32, 256))
                        if b not in (0x0A,))
        files[f"bytes_{first:02x}"] = (b"[95]\r\nENGLISH=" + body + b"\r\n"
                                      + b"".join(b"ENGLISH_STARTUP=" + bytes([b]) + b"v" + bytes([b]) + b"\r\n"
                                                 for b in range(first, min(first + 32, 256)) if b != 0x0A))
    for b in range(1, 256):
        if b not in (0x0A, 0x5B, 0x3D):
            files[f"edge_{b:02x}"] = (bytes([b]) + b"[95]" + bytes([b]) + b"\r\n" + bytes([b])
                                      + b"ENGLISH" + bytes([b]) + b"=" + bytes([b]) + b"v" + bytes([b]) + b"\r\n")
    return files


def generated(count, seed=1995):
    """Profiles built at random from the pieces real and broken profiles hold."""
    rng = random.Random(seed)
    blanks = [b"", b" ", b"\t", b"  ", b" \t"]
    names = [b"95", b"95 ", b"other", b"Setup", b"9", b"955"]
    keys = KEYS + [b"english", b"ENGLISH ", b"PORTUGUESE", b"SPANISH", b"english_startup"]
    values = [b"D:\\p\\setup.exe", b"", b"x", b"\"q\"", b"'s'", b"\"open", b"a=b", b" lead",
              b"\xe9t\xe9", b"\x81\x8d\x8f\x90\x9d", b"a;b", b"[95]", bytes(range(0x80, 0xA0))]
    ends = [b"\r\n", b"\n", b"\r\n", b"\r\n"]
    files = {}
    for n in range(count):
        lines = []
        for _ in range(rng.randrange(1, 14)):
            kind = rng.random()
            if kind < 0.25:
                lines.append(rng.choice(blanks) + b"[" + rng.choice(names) + b"]" + rng.choice(blanks))
            elif kind < 0.85:
                lines.append(rng.choice(blanks) + rng.choice(keys) + rng.choice(blanks) + b"="
                             + rng.choice(blanks) + rng.choice(values) + rng.choice(blanks))
            elif kind < 0.93:
                lines.append(b";" + rng.choice(keys) + b"=" + rng.choice(values))
            else:
                lines.append(rng.choice(blanks))
        body = b"".join(line + rng.choice(ends) for line in lines)
        if rng.random() < 0.2:
            body = body.rstrip(b"\r\n")
        files[f"gen_{n:03d}"] = body
    return files


def queries(name, rng):
    """(section, key, default, size) queries for one profile."""
    out = []
    for key in KEYS + [b"english", b" ENGLISH\t", b"ENGLISH_STARTUP ", b"MISSING"]:
        for section in (SECTION, b" 95\t"):
            out.append((section, key, rng.choice(DEFAULTS), rng.choice(SIZES)))
    out += [(b"95", b"ENGLISH", d, s) for d in (DEFAULTS[0], b'"q"') for s in SIZES]
    out += [(b"95", b"ENGLISH_STARTUP", b"STARTUP", 15), (b"95", b"PORTUGESE", b"", 260)]
    if "lookalike" in name:
        out += [(b"95", key, b"none", 260) for key in (b"ITALIAN", b"italian", b"SPANISH", b"GERMAN")]
    return out
