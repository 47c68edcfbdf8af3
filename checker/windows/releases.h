// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The releases of Windows a disc's user may start the launcher on, and what
// each does that the checker judges: one row a release, one fact a column,
// each fact with its source beside it in releases.cpp. The three families
// (windows_family.h) are named groups of these rows.
#pragma once

#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

#include "checker/windows/windows_family.h"

namespace checker {

// Which programs of which width a release runs: Vista, 7 and 8 came as
// 32-bit and 64-bit editions alike.
enum class Width { k32, k64, kBoth };

// How DOS and 16-bit Windows programs run.
enum class DosPrograms {
  kNative,    // Windows 95/98/ME run them themselves
  kNtvdm,     // 32-bit NT 4.0 to 7: NTVDM, installed and on
  kOnDemand,  // 32-bit 8 and 10: NTVDM, a feature the user must first install
  kNone,      // 64-bit Windows: not at all
};

// Which profile reader the release has: 95/98/ME read the bytes as they
// are; NT decodes a UTF-16 file by its byte-order mark.
enum class ProfileReaderKind { k9x, kNt };

struct Release {
  const char* name;         // "98se": the name of --windows and of the JSON report
  const char* title;        // "Windows 98 Second Edition"
  const char* short_title;  // "98 SE": in a list after "Windows"
  Windows family;
  Width width;
  LanguageSource language;
  uint16_t newest_udf;        // the newest UDF revision it reads, 0: none
  bool joliet;                // reads Joliet names
  uint16_t newest_subsystem;  // the newest PE subsystem version it loads, as 100*major+minor
  DosPrograms dos;
  // What it opens out of the box.
  bool web_browser;  // .htm, .html, .url: Internet Explorer
  bool mshta;        // .hta: Internet Explorer 5's mshta
  bool script_host;  // .vbs, .js: Windows Script Host
  bool html_help;    // .chm
  bool winhelp;      // .hlp: Windows Help (WinHlp32)
  bool installer;    // .msi: Windows Installer
  // autorun.inf and inserting the disc.
  bool shellexecute;   // honours shellexecute=
  bool autorun_amd64;  // reads [AutoRun.Amd64] before [AutoRun]
  bool autoplay;       // shows the AutoPlay dialog instead of starting open= at once
  // A 32-bit program without a manifest whose name holds "setup" or
  // "install" is started only after an elevation prompt (User Account
  // Control's installer detection).
  bool installer_detection;
  ProfileReaderKind profile;
};

constexpr size_t kReleaseCount = 15;
extern const Release kReleases[kReleaseCount];

// Where a release stands in kReleases: the index of every per-release list.
size_t release_index(const Release& release);
std::optional<const Release*> release_named(const std::string& name);

// The groups a report shows as one column where their releases agree:
// "Windows 95", "98 to ME", "NT 4.0", "2000 and XP", "Vista to 11".
struct ReleaseGroup {
  const char* label;
  size_t first, last;  // kReleases indexes, inclusive
};
extern const ReleaseGroup kReleaseGroups[5];

// "98 SE to ME", "NT 4.0": releases first..last (indexes) in a list.
std::string release_run(size_t first, size_t last);
// The releases of `in` (one flag a release) as prose: "Windows 95 to ME
// and NT 4.0", "every Windows", "" for none; runs of the table, never
// across the 9x and NT lines.
std::string releases_prose(const std::vector<bool>& in);
// The release a family's prediction stands for: Windows 98 for 9x, 32-bit
// Windows 10 for nt32, 64-bit Windows 10 for nt64.
const Release& representative_release(Windows family);

}  // namespace checker
