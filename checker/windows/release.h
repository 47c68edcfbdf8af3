// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What a release of Windows does that the checker judges: one named fact a
// field, each with the source that backs it. The rows are in releases.h.
#pragma once

#include <stdint.h>

#include "checker/windows/language_source.h"
#include "checker/windows/windows_family.h"

namespace checker {

// One fact of a release and where it is documented. It reads as its value.
template <typename T>
struct Fact {
  T value;
  const char* source;
  constexpr operator T() const { return value; }  // NOLINT: a fact reads as its value
};

// Which programs of which processor a release runs: x86 (32-bit) ones,
// x64 ones too, or, as Vista, 7 and 8 came, either as its edition has it;
// on an Arm processor, ARM64 programs and x86 ones by emulation (Windows 10
// on Arm), and x64 ones by emulation too (Windows 11 on Arm).
enum class Width { k32, k64, kBoth, kArm, kArmX64 };

// Windows on Arm, 10 or 11.
constexpr bool on_arm(Width width) { return width == Width::kArm || width == Width::kArmX64; }

// How DOS and 16-bit Windows programs run.
enum class DosPrograms {
  kNative,    // Windows 95/98/ME run them themselves
  kNtvdm,     // 32-bit NT 4.0 to 7: NTVDM, installed and on
  kOnDemand,  // 32-bit 8 and 10: NTVDM, a feature the user must first install
  kNone,      // 64-bit Windows: not at all
};

// Which profile reader the release has: one that reads the bytes as they
// are, or one that decodes a UTF-16 file by its byte-order mark.
enum class ProfileReaderKind { kBytes, kByMark };

struct Release {
  const char* name;         // "98se": the name of --windows and of the JSON report
  const char* title;        // "Windows 98 Second Edition"
  const char* short_title;  // "98 SE": in a list after "Windows"
  Windows family;
  Fact<Width> width;
  Fact<LanguageSource> language;
  Fact<uint16_t> newest_udf;        // the newest UDF revision it reads, 0: none
  Fact<uint16_t> newest_subsystem;  // the newest PE subsystem version it loads, 100*major+minor
  Fact<DosPrograms> dos;
  // What it opens out of the box.
  Fact<bool> web_browser;  // .htm, .html, .url: Internet Explorer
  Fact<bool> mshta;        // .hta: Internet Explorer 5's mshta
  Fact<bool> script_host;  // .vbs, .js: Windows Script Host
  Fact<bool> html_help;    // .chm
  Fact<bool> winhelp;      // .hlp: Windows Help (WinHlp32)
  Fact<bool> installer;    // .msi: Windows Installer
  Fact<bool> wordpad;      // .rtf, .wri: WordPad
  // autorun.inf.
  Fact<bool> shellexecute;   // honours shellexecute=
  Fact<bool> autorun_amd64;  // reads [AutoRun.Amd64] before [AutoRun]
  Fact<ProfileReaderKind> profile;
};

}  // namespace checker
