// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The rules of a disc: autorun.inf as each release reads it, the launcher at
// the root, and (through lost_names_test) the names a file system lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "checker/rules/check.h"
#include "checker/rules/disc_rules.h"
#include "checker/source/disc/listed_tree.h"
#include "tests/unit/checker/rule_cases.h"
#include "tests/unit/checker/memory_tree.h"

namespace checker::testing {
namespace {

// The codes of the findings, and their messages one a line.
std::set<std::string> codes_of(const TreeCheck& check, std::string* messages = nullptr) {
  std::set<std::string> codes;
  for (const Finding& f : check.findings) {
    codes.insert(f.name());
    if (messages != nullptr) *messages += f.message + "\n";
  }
  return codes;
}

// The disc group's findings on a disc as `release` reads it.
std::set<std::string> disc_findings(std::map<std::string, std::string> files, const char* release,
                                    DiscFileSystem fs = DiscFileSystem::kJoliet,
                                    std::string* messages = nullptr) {
  MemoryTree tree(std::move(files), fs);
  CheckOptions options;
  options.release = *release_named(release);
  return codes_of(check_tree_with(tree, "t", options, &tree, {check_disc}), messages);
}

// Text as UTF-16LE with its byte-order mark.
std::string utf16le(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (const char c : ascii) out += std::string{c, '\0'};
  return out;
}

constexpr auto kJoliet = DiscFileSystem::kJoliet;
const std::string kAutorun = "[autorun]\r\nopen=launcher.exe\r\nicon=launcher.exe\r\n";

// A disc's cases, each against the good tree as a Joliet image (the
// release predicted: 64-bit Windows 10, unless a case says).
const std::vector<RuleCase> kCases = {
    {"no autorun.inf", good_tree_with({{"autorun.inf", kGone}}), "autorun-missing", true,
     "The disc has no autorun.inf at its root", "10", kJoliet},
    {"autorun.inf there", good_tree(), "autorun-missing", false, "", "10", kJoliet},
    {"no open=", good_tree_with({{"autorun.inf", "[autorun]\r\nicon=launcher.exe\r\n"}}),
     "autorun-open-missing", true, "Inserting the disc starts nothing on every Windows", "10",
     kJoliet},
    {"open=launcher.exe", good_tree(), "autorun-open-missing", false, "", "10", kJoliet},
    {"open= another program",
     good_tree_with({{"autorun.inf", "[autorun]\r\nopen=setup.exe\r\n"}, {"setup.exe", program()}}),
     "autorun-not-launcher", true, "autorun.inf starts D:\\setup.exe, not the launcher", "10",
     kJoliet},
    {"open=LAUNCHER.EXE", good_tree_with({{"autorun.inf", "[autorun]\r\nopen=LAUNCHER.EXE\r\n"}}),
     "autorun-not-launcher", false, "", "10", kJoliet},
    // A program autorun.inf starts that cannot be read is said.
    {"open= a program unreadable",
     good_tree_with(
         {{"autorun.inf", "[autorun]\r\nopen=setup.exe\r\n"}, {"setup.exe", kUnreadable}}),
     "file-unreadable", true, "D:\\setup.exe is on the disc but cannot be read", "10", kJoliet},
    {"the launcher unreadable", good_tree_with({{"launcher.exe", kUnreadable}}), "file-unreadable",
     true, "D:\\launcher.exe is on the disc but cannot be read", "10", kJoliet},
    {"everything readable", good_tree(), "file-unreadable", false, "", "10", kJoliet},
    // A launcher past the image's end is on the disc, unreadable: its icon
    // is not missing.
    {"the launcher unreadable, its icon", good_tree_with({{"launcher.exe", kUnreadable}}),
     "autorun-icon-missing", false, "", "10", kJoliet},
    {"icon= a file not there",
     good_tree_with({{"autorun.inf", "[autorun]\r\nopen=launcher.exe\r\nicon=gone.ico\r\n"}}),
     "autorun-icon-missing", true, "shows the icon of gone.ico", "10", kJoliet},
    // 64-bit Windows reads the icon of [AutoRun.Amd64]; 32-bit Windows
    // that of [AutoRun].
    {"[AutoRun.Amd64]'s icon, 64-bit",
     good_tree_with(
         {{"autorun.inf", kAutorun + "[autorun.amd64]\r\nopen=launcher.exe\r\nicon=gone.ico\r\n"}}),
     "autorun-icon-missing", true, "gone.ico", "10", kJoliet},
    {"[AutoRun.Amd64]'s icon, 32-bit",
     good_tree_with(
         {{"autorun.inf", kAutorun + "[autorun.amd64]\r\nopen=launcher.exe\r\nicon=gone.ico\r\n"}}),
     "autorun-icon-missing", false, "", "10-32", kJoliet},
    {"icon=launcher.exe,0",
     good_tree_with({{"autorun.inf", "[autorun]\r\nopen=launcher.exe\r\nicon=launcher.exe,0\r\n"}}),
     "autorun-icon-missing", false, "", "10", kJoliet},
    {"no launcher", good_tree_with({{"launcher.exe", kGone}}), "launcher-missing", true,
     "The launcher D:\\launcher.exe is not at the root of the disc", "10", kJoliet},
    {"the launcher there", good_tree(), "launcher-missing", false, "", "10", kJoliet},
    {"autorun.inf in UTF-8 without a mark",
     good_tree_with({{"autorun.inf", kAutorun + "label=D\xC3\xA9marrage\r\n"}}), "profile-encoding",
     true, "autorun.inf is UTF-8 text without a byte-order mark", "10", kJoliet},
    {"autorun.inf in ANSI", good_tree_with({{"autorun.inf", kAutorun + "label=D\xE9marrage\r\n"}}),
     "profile-encoding", false, "", "10", kJoliet},
    // Without Joliet, Windows sees only ISO 9660's 8.3 names.
    {"a long name without Joliet",
     good_tree_with({{"install/quv/win/client.ini",
                      profile_with({"ENGLISH=D:\\products\\enu\\setup-english.exe"})}}),
     "disc-name-lost", true,
     "ENGLISH's setup program D:\\products\\enu\\setup-english.exe is not on the disc as Windows "
     "reads it",
     "10", DiscFileSystem::kIso9660},
    {"a long name with Joliet",
     good_tree_with({{"install/quv/win/client.ini",
                      profile_with({"ENGLISH=D:\\products\\enu\\setup-english.exe"})}}),
     "disc-name-lost", false, "", "10", kJoliet},
};
const bool kRegistered = register_cases(kCases);

TEST(DiscRules, TheDiscsCases) { expect_cases(check_disc, kCases); }

TEST(DiscRules, AFileThatCannotBeReadIsSaidOnce) {
  const RuleCase c{"",     good_tree_with({{"launcher.exe", kUnreadable}}), "", false, "", "10",
                   kJoliet};
  const TreeCheck check = run_case(check_disc, c);
  EXPECT_EQ(std::count_if(check.findings.begin(), check.findings.end(),
                          [](const Finding& f) { return f.code == Code::kFileUnreadable; }),
            1);
}

TEST(DiscRules, AutorunAsEachReleaseReadsIt) {
  const std::string launcher = program();
  const std::string autorun = "[autorun]\r\nopen=launcher.exe\r\n";
  struct Row {
    const char* name;
    std::map<std::string, std::string> files;
    const char* release;
    std::set<std::string> codes;
    const char* why = "";  // a part of the messages: the releases where nothing starts, and why
  };
  const Row rows[] = {
      {"names in any case, icon with its index",
       {{"AUTORUN.INF", "[AutoRun]\r\nOPEN=Launcher.EXE /x\r\nIcon=LAUNCHER.exe,0\r\n"},
        {"launcher.exe", launcher}},
       "10",
       {}},
      {"an icon that is not there",
       {{"autorun.inf", "[autorun]\r\nopen=launcher.exe\r\nicon=gone.ico,1\r\n"},
        {"launcher.exe", launcher}},
       "98",
       {"autorun-icon-missing"}},
      {"no autorun.inf, no launcher",
       {{"readme.txt", "x"}},
       "10-32",
       {"autorun-missing", "launcher-missing"}},
      {"no autorun.inf", {{"launcher.exe", launcher}}, "10-32", {"autorun-missing"}},
      {"no open= line",
       {{"autorun.inf", "[autorun]\r\nicon=launcher.exe\r\n"}, {"launcher.exe", launcher}},
       "98",
       {"autorun-open-missing"}},
      {"another program",
       {{"autorun.inf", "[autorun]\r\nopen=setup.exe\r\n"},
        {"setup.exe", launcher},
        {"launcher.exe", launcher}},
       "10",
       {"autorun-not-launcher"}},
      {"open= a document",
       {{"autorun.inf", "[autorun]\r\nopen=readme.txt\r\n"},
        {"readme.txt", "x"},
        {"launcher.exe", launcher}},
       "10",
       {"autorun-open-missing"}},
      // 64-bit Windows takes [AutoRun.Amd64] where there is one; others do not.
      {"amd64 section, 64-bit",
       {{"autorun.inf", "[autorun]\r\nopen=launcher.exe\r\n[autorun.amd64]\r\nopen=gone.exe\r\n"},
        {"launcher.exe", launcher}},
       "10",
       {"autorun-open-missing"}},
      // Every report names, once, the releases where inserting starts nothing.
      {"amd64 section, 32-bit",
       {{"autorun.inf", "[autorun]\r\nopen=launcher.exe\r\n[autorun.amd64]\r\nopen=gone.exe\r\n"},
        {"launcher.exe", launcher}},
       "10-32",
       {"autorun-open-missing"},
       "starts nothing on Windows XP x64 to 8/8.1 and 10 (64-bit) to 11: autorun.inf's open= names "
       "gone.exe"},
      // Vista, 7 and 8 came in both widths: where only [AutoRun.Amd64] has
      // the launcher, their 32-bit editions start nothing.
      {"amd64 section alone, Vista",
       {{"autorun.inf", "[autorun.amd64]\r\nopen=launcher.exe\r\n"}, {"launcher.exe", launcher}},
       "vista",
       {"autorun-open-missing"},
       "; Windows Vista to 8/8.1: autorun.inf has no [autorun] open= line (on its 32-bit "
       "editions, which read [AutoRun] alone)"},
      // shellexecute= is honoured from ME and 2000 on, and opens any file type.
      {"shellexecute on NT",
       {{"autorun.inf", "[autorun]\r\nshellexecute=launcher.exe\r\nopen=gone.exe\r\n"},
        {"launcher.exe", launcher}},
       "10-32",
       {"autorun-open-missing"},
       "starts nothing on Windows 95 to 98 SE and NT 4.0: autorun.inf's open= names gone.exe"},
      // Shell32 5.0 (2000, ME) reads it: XP as it shipped too.
      {"shellexecute on XP",
       {{"autorun.inf", "[autorun]\r\nshellexecute=launcher.exe\r\nopen=gone.exe\r\n"},
        {"launcher.exe", launcher}},
       "xp",
       {"autorun-open-missing"}},
      {"amd64 section, XP x64",
       {{"autorun.inf", "[autorun]\r\nopen=launcher.exe\r\n[autorun.amd64]\r\nopen=gone.exe\r\n"},
        {"launcher.exe", launcher}},
       "xp-x64",
       {"autorun-open-missing"}},
      // 2000 and later decode a UTF-16 file by its mark, 95/98/ME and NT 4.0
      // read its bytes; no Windows decodes a UTF-8 mark.
      {"UTF-16 on NT",
       {{"autorun.inf", utf16le(autorun)}, {"launcher.exe", launcher}},
       "10",
       {"autorun-open-missing"},
       "starts nothing on Windows 95 to ME and NT 4.0: autorun.inf is UTF-16 text, read there as "
       "raw bytes"},
      {"UTF-16 on 9x",
       {{"autorun.inf", utf16le(autorun)}, {"launcher.exe", launcher}},
       "98se",
       {"autorun-open-missing"}},
      {"UTF-8 mark",
       {{"autorun.inf", "\xEF\xBB\xBF" + autorun}, {"launcher.exe", launcher}},
       "10",
       {"autorun-open-missing"}},
      {"UTF-8 without a mark",
       {{"autorun.inf", autorun + "label=D\xC3\xA9marrage\r\n"}, {"launcher.exe", launcher}},
       "10",
       {"profile-encoding"},
       "autorun.inf is UTF-8 text without a byte-order mark"},
      {"shellexecute on 9x",
       {{"autorun.inf", "[autorun]\r\nshellexecute=launcher.exe\r\nopen=gone.exe\r\n"},
        {"launcher.exe", launcher}},
       "98",
       {"autorun-open-missing"}},
      {"shellexecute= alone",
       {{"autorun.inf", "[autorun]\r\nshellexecute=launcher.exe\r\n"}, {"launcher.exe", launcher}},
       "10",
       {"autorun-open-missing"},
       "on Windows 95 to 98 SE and NT 4.0: autorun.inf has no [autorun] open= line, and "
       "shellexecute= is read only from Windows ME and 2000 on"},
  };
  for (const Row& row : rows) {
    std::string messages;
    EXPECT_EQ(disc_findings(row.files, row.release, DiscFileSystem::kJoliet, &messages), row.codes)
        << row.name;
    EXPECT_NE(messages.find(row.why), std::string::npos) << row.name << ": " << messages;
  }
}

}  // namespace
}  // namespace checker::testing
