// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/windows/releases.h"

#include <algorithm>

namespace checker {

namespace {

using D = DosPrograms;
using L = LanguageSource;
using P = ProfileReaderKind;
using W = Windows;
constexpr bool Y = true, N = false;

}  // namespace

// Sources, by column:
// - language: the ResourceLocale value is kept by 95/98/ME only; Windows
//   2000 and later answer GetUserDefaultUILanguage ("GetUserDefaultUILanguage
//   function", minimum Windows 2000); NT 4.0 has neither, and every Windows
//   answers GetUserDefaultLangID ("Locale and language identifiers").
// - UDF: 98 and ME read UDF 1.02, 2000 up to 1.50, XP up to 2.01, Vista
//   and later up to 2.60; 95 and NT 4.0 none (Microsoft's UDF file system
//   driver by release, as the "Universal Disk Format" article's table of
//   operating systems gathers it). Joliet: every release from 95 on, whose
//   CD file system (CDFS) introduced it.
// - subsystem: "/SUBSYSTEM (Specify Subsystem)" (Visual C++ linker): 4.0 is
//   95/98/ME and NT 4.0, 5.0 Windows 2000, 5.01 XP, 5.02 Server 2003 and XP
//   x64, 6.0 Vista, 6.1 7, 6.2 8, 6.3 8.1, 10.0 Windows 10; a loader refuses a
//   newer major or minor version than its own ("is not a valid Win32
//   application"). 95/98/ME load every 4.x. For 8 and 8.1 (one row) the
//   older one counts: 8 refuses 6.3.
// - DOS and 16-bit programs: 95/98/ME run them; 32-bit NT runs them in
//   NTVDM, installed up to 7 and a feature on demand from 8 on ("NTVDM and
//   16-bit app support", Microsoft Learn); 64-bit Windows does not run them
//   ("Running 32-bit Applications", Programming Guide for 64-bit Windows).
// - Vista, 7 and 8 came in 32-bit and 64-bit editions: a 64-bit program
//   and a DOS program each start on only one of them, so neither is
//   predicted to start (the conservative choice, which warns).
// - web browser: Internet Explorer ships with NT 4.0 (2.0), with Windows 95
//   from OSR2 on (3.0), 98 (4.01) and later; mshta (HTML applications)
//   needs Internet Explorer 5 ("Introduction to HTML Applications"), which
//   98 Second Edition, ME and 2000 include.
// - Windows Script Host: 1.0 with 98, 2.0 with ME and 2000, later with every
//   release; 95 and NT 4.0 need a download ("Windows Script Host version
//   information").
// - HTML Help: with 98 and later, and 2000 ("HTML Help Workshop": the
//   viewer is part of Internet Explorer 4 and of those releases); 95 and NT
//   4.0 lack it out of the box.
// - Windows Help: up to XP; Vista and later include only a stub that says
//   so (KB 917607, "WinHlp32.exe is required to display 32-bit Help files").
// - Windows Installer: 1.1 with 2000, 1.2 with ME, 2.0 with XP, later with
//   each release; 95, 98 and NT 4.0 need its redistributable ("Released
//   Versions of Windows Installer").
// - autorun.inf: shellexecute= from XP SP2 on ("Autorun.inf Entries"); the
//   XP row is XP as it shipped, which reads only open= (the conservative
//   choice). 64-bit Windows reads [AutoRun.Amd64] first ("Creating an
//   AutoRun-enabled Application"). Vista and later show the AutoPlay dialog
//   for a disc rather than starting open= at once ("AutoPlay", Windows
//   Vista).
// - installer detection: User Account Control, Vista and later ("How User
//   Account Control works": 32-bit programs without a requested execution
//   level whose names hold "setup", "install" or "update").
// - profile reader: 95/98/ME read a profile's bytes as they are; NT decodes
//   a UTF-16 profile by its byte-order mark ("WritePrivateProfileString":
//   Unicode profiles).
//
// Columns: name, title, short title, family, width, language, newest UDF, Joliet, newest
// subsystem, DOS programs; browser, mshta, script host, HTML Help, Windows
// Help, Windows Installer; shellexecute=, [AutoRun.Amd64], AutoPlay,
// installer detection; profile reader.
const Release kReleases[kReleaseCount] = {
    {"95",       "Windows 95",
     "95",       W::k9x,
     Width::k32, L::kRegistry,
     0,          Y,
     499,        D::kNative,
     N,          N,
     N,          N,
     Y,          N,
     N,          N,
     N,          N,
     P::k9x},
    {"95osr2",   "Windows 95 OSR2",
     "95 OSR2",  W::k9x,
     Width::k32, L::kRegistry,
     0,          Y,
     499,        D::kNative,
     Y,          N,
     N,          N,
     Y,          N,
     N,          N,
     N,          N,
     P::k9x},
    {"98",       "Windows 98",
     "98",       W::k9x,
     Width::k32, L::kRegistry,
     0x0102,     Y,
     499,        D::kNative,
     Y,          N,
     Y,          Y,
     Y,          N,
     N,          N,
     N,          N,
     P::k9x},
    {"98se",     "Windows 98 Second Edition",
     "98 SE",    W::k9x,
     Width::k32, L::kRegistry,
     0x0102,     Y,
     499,        D::kNative,
     Y,          Y,
     Y,          Y,
     Y,          N,
     N,          N,
     N,          N,
     P::k9x},
    {"me",       "Windows ME",
     "ME",       W::k9x,
     Width::k32, L::kRegistry,
     0x0102,     Y,
     499,        D::kNative,
     Y,          Y,
     Y,          Y,
     Y,          Y,
     N,          N,
     N,          N,
     P::k9x},
    {"nt4",      "Windows NT 4.0",
     "NT 4.0",   W::kNt32,
     Width::k32, L::kUserLocale,
     0,          Y,
     499,        D::kNtvdm,
     Y,          N,
     N,          N,
     Y,          N,
     N,          N,
     N,          N,
     P::kNt},
    {"2000",     "Windows 2000",
     "2000",     W::kNt32,
     Width::k32, L::kDisplayLanguage,
     0x0150,     Y,
     500,        D::kNtvdm,
     Y,          Y,
     Y,          Y,
     Y,          Y,
     N,          N,
     N,          N,
     P::kNt},
    {"xp",       "Windows XP",
     "XP",       W::kNt32,
     Width::k32, L::kDisplayLanguage,
     0x0201,     Y,
     501,        D::kNtvdm,
     Y,          Y,
     Y,          Y,
     Y,          Y,
     N,          N,
     N,          N,
     P::kNt},
    {"xp-x64",   "Windows XP x64",
     "XP x64",   W::kNt64,
     Width::k64, L::kDisplayLanguage,
     0x0201,     Y,
     502,        D::kNone,
     Y,          Y,
     Y,          Y,
     Y,          Y,
     Y,          Y,
     N,          N,
     P::kNt},
    {"vista",
     "Windows Vista",
     "Vista",
     W::kNt64,
     Width::kBoth,
     L::kDisplayLanguage,
     0x0260,
     Y,
     600,
     D::kNtvdm,
     Y,
     Y,
     Y,
     Y,
     N,
     Y,
     Y,
     Y,
     Y,
     Y,
     P::kNt},
    {"7",
     "Windows 7",
     "7",
     W::kNt64,
     Width::kBoth,
     L::kDisplayLanguage,
     0x0260,
     Y,
     601,
     D::kNtvdm,
     Y,
     Y,
     Y,
     Y,
     N,
     Y,
     Y,
     Y,
     Y,
     Y,
     P::kNt},
    {"8",
     "Windows 8/8.1",
     "8/8.1",
     W::kNt64,
     Width::kBoth,
     L::kDisplayLanguage,
     0x0260,
     Y,
     602,
     D::kOnDemand,
     Y,
     Y,
     Y,
     Y,
     N,
     Y,
     Y,
     Y,
     Y,
     Y,
     P::kNt},
    {"10-32",
     "32-bit Windows 10",
     "10 (32-bit)",
     W::kNt32,
     Width::k32,
     L::kDisplayLanguage,
     0x0260,
     Y,
     1000,
     D::kOnDemand,
     Y,
     Y,
     Y,
     Y,
     N,
     Y,
     Y,
     N,
     Y,
     Y,
     P::kNt},
    {"10",
     "64-bit Windows 10",
     "10 (64-bit)",
     W::kNt64,
     Width::k64,
     L::kDisplayLanguage,
     0x0260,
     Y,
     1000,
     D::kNone,
     Y,
     Y,
     Y,
     Y,
     N,
     Y,
     Y,
     Y,
     Y,
     Y,
     P::kNt},
    {"11",       "Windows 11",
     "11",       W::kNt64,
     Width::k64, L::kDisplayLanguage,
     0x0260,     Y,
     1000,       D::kNone,
     Y,          Y,
     Y,          Y,
     N,          Y,
     Y,          Y,
     Y,          Y,
     P::kNt},
};

size_t release_index(const Release& release) { return static_cast<size_t>(&release - kReleases); }

const ReleaseGroup kReleaseGroups[5] = {
    {"Windows 95", 0, 1},  {"98 to ME", 2, 4},     {"NT 4.0", 5, 5},
    {"2000 and XP", 6, 8}, {"Vista to 11", 9, 14},
};

std::string release_run(size_t first, size_t last) {
  return std::string(kReleases[first].short_title) +
         (last == first ? "" : std::string(" to ") + kReleases[last].short_title);
}

std::string releases_prose(const std::vector<bool>& in) {
  if (std::count(in.begin(), in.end(), true) == static_cast<long>(kReleaseCount)) {
    return "every Windows";
  }
  std::vector<std::string> runs;
  for (size_t i = 0; i < kReleaseCount; ++i) {
    if (!in[i]) continue;
    size_t last = i;
    while (last + 1 < kReleaseCount && in[last + 1] &&
           (kReleases[last + 1].family == Windows::k9x) == (kReleases[i].family == Windows::k9x)) {
      ++last;
    }
    runs.push_back(release_run(i, last));
    i = last;
  }
  if (runs.empty()) return "";
  std::string out = "Windows ";
  for (size_t i = 0; i < runs.size(); ++i) {
    out += (i == 0 ? "" : i + 1 == runs.size() ? " and " : ", ") + runs[i];
  }
  return out;
}

std::optional<const Release*> release_named(const std::string& name) {
  for (const Release& r : kReleases) {
    if (name == r.name) return &r;
  }
  return std::nullopt;
}

const Release& representative_release(Windows family) {
  const char* name = family == Windows::k9x ? "98" : family == Windows::kNt32 ? "10-32" : "10";
  return **release_named(name);
}

}  // namespace checker
