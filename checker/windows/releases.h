// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The releases of Windows a disc's user may start the launcher on, oldest
// first within the 9x and NT lines: one row a release, each fact named and
// with its source beside it. Every per-release list of the checker (the
// report's columns, the disc readers, --help, the README) is derived from
// these rows. To add a release: add its row here, and its expected letters
// to program_start_test.
#pragma once

#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "checker/windows/release.h"

namespace checker {

// The sources the facts rest on.
namespace source {
// Only 95/98/ME keep ResourceLocale; 2000 and later answer
// GetUserDefaultUILanguage; NT 4.0 has neither, and every Windows answers
// GetUserDefaultLangID.
inline constexpr char kLanguage[] =
    "\"GetUserDefaultUILanguage function\" (minimum Windows 2000); \"Locale and language "
    "identifiers\"";
inline constexpr char kUdf[] =
    "Microsoft's UDF file system driver by release, as the \"Universal Disk Format\" "
    "article's table of operating systems gathers it";
// 4.0 is 95/98/ME and NT 4.0, 5.0 2000, 5.01 XP, 5.02 Server 2003 and XP
// x64, 6.0 Vista, 6.1 7, 6.2 8, 6.3 8.1, 10.0 Windows 10; a loader refuses
// a newer version than its own; 95/98/ME load every 4.x; for 8 and 8.1
// (one row) the older counts: 8 refuses 6.3.
inline constexpr char kSubsystem[] = "\"/SUBSYSTEM (Specify Subsystem)\", Visual C++ linker";
inline constexpr char kDos9x[] = "Windows 95/98/ME run DOS and 16-bit programs themselves";
inline constexpr char kNtvdm[] = "\"NTVDM and 16-bit app support\", Microsoft Learn";
inline constexpr char kNo16Bit[] =
    "\"Running 32-bit Applications\", Programming Guide for 64-bit Windows";
// A 64-bit program and a DOS program each start on only one of the two
// editions, so neither is predicted to start: the choice that warns.
inline constexpr char kEditions[] = "Vista, 7 and 8 came as 32-bit and 64-bit editions";
inline constexpr char kArchitecture[] = "the release's processor architecture";
inline constexpr char kBrowser[] =
    "Internet Explorer ships with NT 4.0 (2.0), 95 from OSR2 on (3.0), 98 (4.01) and later";
inline constexpr char kHta[] =
    "\"Introduction to HTML Applications\": mshta needs Internet Explorer 5, which 98 Second "
    "Edition, ME and 2000 include";
inline constexpr char kScriptHost[] =
    "\"Windows Script Host version information\": 1.0 with 98, 2.0 with ME and 2000; 95 and NT "
    "4.0 need a download";
inline constexpr char kHtmlHelp[] =
    "\"HTML Help Workshop\": the viewer is part of Internet Explorer 4, of 98 and later and of "
    "2000";
inline constexpr char kWinHelp[] =
    "KB 917607, \"WinHlp32.exe is required to display 32-bit Help files\": Vista and later "
    "include only a stub";
inline constexpr char kInstaller[] =
    "\"Released Versions of Windows Installer\": 1.1 with 2000, 1.2 with ME, 2.0 with XP; 95, 98 "
    "and NT 4.0 need its redistributable";
// WordPad came with every Windows from 95 on and was removed from Windows 11
// in version 24H2: the 11 row, for every version of 11, has none (the fact
// that warns).
inline constexpr char kWordPad[] =
    "\"Deprecated features for Windows client\": WordPad removed from Windows 11, version 24H2";
// Windows on Arm runs ARM64 programs, and x86 ones by emulation; Windows 11
// also x64 ones; neither runs 16-bit programs.
inline constexpr char kArm[] =
    "\"How emulation works on Arm\", Microsoft Learn: x86 emulation on Windows 10 and 11 on Arm, "
    "x64 emulation on Windows 11 only; no 16-bit programs";
// Shell32 5.0 came with Windows 2000 and ME, and with every release since.
inline constexpr char kShellExecute[] =
    "\"Autorun.inf Entries\": shellexecute= is marked Version 5.0 (Shell32 5.0: Windows 2000 "
    "and ME)";
inline constexpr char kAmd64[] =
    "\"Creating an AutoRun-enabled Application\": 64-bit Windows reads [AutoRun.Amd64] first";
// NT 4.0 is not said to decode one: published tables of the profile API's
// behaviour have Windows 2000 as the first that does (the fact that warns).
inline constexpr char kProfile[] =
    "\"WritePrivateProfileString\": a Unicode profile is decoded by its byte-order mark from "
    "Windows 2000 on; 95/98/ME, and NT 4.0 as the published tables have it, read its bytes";
}  // namespace source

// The facts every release of a line shares, written once a line.
namespace row {
using D = DosPrograms;
using L = LanguageSource;
using P = ProfileReaderKind;
inline constexpr Fact<Width> k32Bit{Width::k32, source::kArchitecture};
inline constexpr Fact<Width> k64Bit{Width::k64, source::kArchitecture};
inline constexpr Fact<Width> kBothWidths{Width::kBoth, source::kEditions};
inline constexpr Fact<Width> kArm{Width::kArm, source::kArm};
inline constexpr Fact<Width> kArmX64{Width::kArmX64, source::kArm};
inline constexpr Fact<L> kRegistry{L::kRegistry, source::kLanguage};
inline constexpr Fact<L> kUserLocale{L::kUserLocale, source::kLanguage};
inline constexpr Fact<L> kDisplayLanguage{L::kDisplayLanguage, source::kLanguage};
inline constexpr Fact<P> kBytesProfile{P::kBytes, source::kProfile};
inline constexpr Fact<P> kByMarkProfile{P::kByMark, source::kProfile};
constexpr Fact<uint16_t> udf(uint16_t revision) { return {revision, source::kUdf}; }
constexpr Fact<uint16_t> subsystem(uint16_t version) { return {version, source::kSubsystem}; }
constexpr Fact<D> dos(D how) {
  return {how, how == D::kNative ? source::kDos9x
               : how == D::kNone ? source::kNo16Bit
                                 : source::kNtvdm};
}
inline constexpr Fact<D> kNoDosOnArm{D::kNone, source::kArm};
constexpr Fact<bool> browser(bool has) { return {has, source::kBrowser}; }
constexpr Fact<bool> hta(bool has) { return {has, source::kHta}; }
constexpr Fact<bool> script_host(bool has) { return {has, source::kScriptHost}; }
constexpr Fact<bool> html_help(bool has) { return {has, source::kHtmlHelp}; }
constexpr Fact<bool> winhelp(bool has) { return {has, source::kWinHelp}; }
constexpr Fact<bool> installer(bool has) { return {has, source::kInstaller}; }
constexpr Fact<bool> wordpad(bool has) { return {has, source::kWordPad}; }
constexpr Fact<bool> shellexecute(bool has) { return {has, source::kShellExecute}; }
constexpr Fact<bool> amd64(bool has) { return {has, source::kAmd64}; }
}  // namespace row

// clang-format off
inline constexpr Release kReleases[] = {
    {.name = "95", .title = "Windows 95", .short_title = "95", .family = Windows::k9x,
     .width = row::k32Bit, .language = row::kRegistry, .newest_udf = row::udf(0),
     .newest_subsystem = row::subsystem(499), .dos = row::dos(DosPrograms::kNative),
     .web_browser = row::browser(false), .mshta = row::hta(false),
     .script_host = row::script_host(false), .html_help = row::html_help(false),
     .winhelp = row::winhelp(true), .installer = row::installer(false), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(false), .autorun_amd64 = row::amd64(false),
     .profile = row::kBytesProfile},
    {.name = "95osr2", .title = "Windows 95 OSR2", .short_title = "95 OSR2", .family = Windows::k9x,
     .width = row::k32Bit, .language = row::kRegistry, .newest_udf = row::udf(0),
     .newest_subsystem = row::subsystem(499), .dos = row::dos(DosPrograms::kNative),
     .web_browser = row::browser(true), .mshta = row::hta(false),
     .script_host = row::script_host(false), .html_help = row::html_help(false),
     .winhelp = row::winhelp(true), .installer = row::installer(false), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(false), .autorun_amd64 = row::amd64(false),
     .profile = row::kBytesProfile},
    {.name = "98", .title = "Windows 98", .short_title = "98", .family = Windows::k9x,
     .width = row::k32Bit, .language = row::kRegistry, .newest_udf = row::udf(0x0102),
     .newest_subsystem = row::subsystem(499), .dos = row::dos(DosPrograms::kNative),
     .web_browser = row::browser(true), .mshta = row::hta(false),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(true), .installer = row::installer(false), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(false), .autorun_amd64 = row::amd64(false),
     .profile = row::kBytesProfile},
    {.name = "98se", .title = "Windows 98 Second Edition", .short_title = "98 SE",
     .family = Windows::k9x,
     .width = row::k32Bit, .language = row::kRegistry, .newest_udf = row::udf(0x0102),
     .newest_subsystem = row::subsystem(499), .dos = row::dos(DosPrograms::kNative),
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(true), .installer = row::installer(false), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(false), .autorun_amd64 = row::amd64(false),
     .profile = row::kBytesProfile},
    {.name = "me", .title = "Windows ME", .short_title = "ME", .family = Windows::k9x,
     .width = row::k32Bit, .language = row::kRegistry, .newest_udf = row::udf(0x0102),
     .newest_subsystem = row::subsystem(499), .dos = row::dos(DosPrograms::kNative),
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(true), .installer = row::installer(true), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(false),
     .profile = row::kBytesProfile},
    {.name = "nt4", .title = "Windows NT 4.0", .short_title = "NT 4.0", .family = Windows::kNt32,
     .width = row::k32Bit, .language = row::kUserLocale, .newest_udf = row::udf(0),
     .newest_subsystem = row::subsystem(499), .dos = row::dos(DosPrograms::kNtvdm),
     .web_browser = row::browser(true), .mshta = row::hta(false),
     .script_host = row::script_host(false), .html_help = row::html_help(false),
     .winhelp = row::winhelp(true), .installer = row::installer(false), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(false), .autorun_amd64 = row::amd64(false),
     .profile = row::kBytesProfile},
    {.name = "2000", .title = "Windows 2000", .short_title = "2000", .family = Windows::kNt32,
     .width = row::k32Bit, .language = row::kDisplayLanguage, .newest_udf = row::udf(0x0150),
     .newest_subsystem = row::subsystem(500), .dos = row::dos(DosPrograms::kNtvdm),
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(true), .installer = row::installer(true), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(false),
     .profile = row::kByMarkProfile},
    {.name = "xp", .title = "Windows XP", .short_title = "XP", .family = Windows::kNt32,
     .width = row::k32Bit, .language = row::kDisplayLanguage, .newest_udf = row::udf(0x0201),
     .newest_subsystem = row::subsystem(501), .dos = row::dos(DosPrograms::kNtvdm),
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(true), .installer = row::installer(true), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(false),
     .profile = row::kByMarkProfile},
    {.name = "xp-x64", .title = "Windows XP x64", .short_title = "XP x64", .family = Windows::kNt64,
     .width = row::k64Bit, .language = row::kDisplayLanguage, .newest_udf = row::udf(0x0201),
     .newest_subsystem = row::subsystem(502), .dos = row::dos(DosPrograms::kNone),
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(true), .installer = row::installer(true), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(true),
     .profile = row::kByMarkProfile},
    {.name = "vista", .title = "Windows Vista", .short_title = "Vista", .family = Windows::kNt64,
     .width = row::kBothWidths, .language = row::kDisplayLanguage, .newest_udf = row::udf(0x0260),
     .newest_subsystem = row::subsystem(600), .dos = row::dos(DosPrograms::kNtvdm),
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(false), .installer = row::installer(true), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(true),
     .profile = row::kByMarkProfile},
    {.name = "7", .title = "Windows 7", .short_title = "7", .family = Windows::kNt64,
     .width = row::kBothWidths, .language = row::kDisplayLanguage, .newest_udf = row::udf(0x0260),
     .newest_subsystem = row::subsystem(601), .dos = row::dos(DosPrograms::kNtvdm),
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(false), .installer = row::installer(true), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(true),
     .profile = row::kByMarkProfile},
    {.name = "8", .title = "Windows 8/8.1", .short_title = "8/8.1", .family = Windows::kNt64,
     .width = row::kBothWidths, .language = row::kDisplayLanguage, .newest_udf = row::udf(0x0260),
     .newest_subsystem = row::subsystem(602), .dos = row::dos(DosPrograms::kOnDemand),
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(false), .installer = row::installer(true), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(true),
     .profile = row::kByMarkProfile},
    {.name = "10-32", .title = "32-bit Windows 10", .short_title = "10 (32-bit)",
     .family = Windows::kNt32,
     .width = row::k32Bit, .language = row::kDisplayLanguage, .newest_udf = row::udf(0x0260),
     .newest_subsystem = row::subsystem(1000), .dos = row::dos(DosPrograms::kOnDemand),
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(false), .installer = row::installer(true), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(false),
     .profile = row::kByMarkProfile},
    {.name = "10", .title = "64-bit Windows 10", .short_title = "10 (64-bit)",
     .family = Windows::kNt64,
     .width = row::k64Bit, .language = row::kDisplayLanguage, .newest_udf = row::udf(0x0260),
     .newest_subsystem = row::subsystem(1000), .dos = row::dos(DosPrograms::kNone),
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(false), .installer = row::installer(true), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(true),
     .profile = row::kByMarkProfile},
    {.name = "11", .title = "Windows 11", .short_title = "11", .family = Windows::kNt64,
     .width = row::k64Bit, .language = row::kDisplayLanguage, .newest_udf = row::udf(0x0260),
     .newest_subsystem = row::subsystem(1000), .dos = row::dos(DosPrograms::kNone),
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(false), .installer = row::installer(true), .wordpad = row::wordpad(false),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(true),
     .profile = row::kByMarkProfile},
    {.name = "10-arm", .title = "Windows 10 on Arm", .short_title = "10 on Arm", .family = Windows::kNt64,
     .width = row::kArm, .language = row::kDisplayLanguage, .newest_udf = row::udf(0x0260),
     .newest_subsystem = row::subsystem(1000), .dos = row::kNoDosOnArm,
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(false), .installer = row::installer(true), .wordpad = row::wordpad(true),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(false),
     .profile = row::kByMarkProfile},
    {.name = "11-arm", .title = "Windows 11 on Arm", .short_title = "11 on Arm", .family = Windows::kNt64,
     .width = row::kArmX64, .language = row::kDisplayLanguage, .newest_udf = row::udf(0x0260),
     .newest_subsystem = row::subsystem(1000), .dos = row::kNoDosOnArm,
     .web_browser = row::browser(true), .mshta = row::hta(true),
     .script_host = row::script_host(true), .html_help = row::html_help(true),
     .winhelp = row::winhelp(false), .installer = row::installer(true), .wordpad = row::wordpad(false),
     .shellexecute = row::shellexecute(true), .autorun_amd64 = row::amd64(false),
     .profile = row::kByMarkProfile},
};
// clang-format on

inline constexpr size_t kReleaseCount = std::size(kReleases);

// Where a release stands in kReleases: the index of every per-release list.
size_t release_index(const Release& release);
std::optional<const Release*> release_named(const std::string& name);

// The groups a report shows as one column where their releases agree,
// each a run of the table from its first release to its last, by name.
struct ReleaseGroup {
  const char* label;
  const char* first;
  const char* last;
};
inline constexpr ReleaseGroup kReleaseGroups[] = {
    {"Windows 95 and OSR2", "95", "95osr2"},
    {"98 to ME", "98", "me"},
    {"NT 4.0", "nt4", "nt4"},
    {"2000 and XP", "2000", "xp-x64"},
    {"Vista to 11", "vista", "11"},
    {"Windows on Arm", "10-arm", "11-arm"},
};
// A group's first and last release as kReleases indexes.
size_t first_index(const ReleaseGroup& group);
size_t last_index(const ReleaseGroup& group);

// S mode (Windows 10 S, Windows 10 and 11 in S mode) runs only programs
// from the Microsoft Store: nothing of a disc starts there, the launcher
// included, whatever the tree. It is a note on every report, not a row: no
// tree can change it, and a row would only fail every language of every
// report.
inline constexpr char kSModeNote[] =
    "Windows 10 and 11 in S mode start no program from a disc, the launcher included: its user "
    "switches out of S mode first";
inline constexpr char kSModeSource[] =
    "\"Windows 10 and Windows 11 in S mode FAQ\", Microsoft Support";

// The names of every release, in table order: "95, 95osr2, ..., 11".
std::string release_names();
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
