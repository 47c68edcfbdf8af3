// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// launcher-check's command line, and where its reports say a finding is.
#include <gtest/gtest.h>

#include <algorithm>

#include "checker/command_line.h"
#include "checker/report/html_text.h"
#include "checker/report/json_text.h"
#include "checker/report/locations.h"
#include "checker/report/release_columns.h"
#include "checker/report/report.h"

namespace checker::testing {
namespace {

TEST(CommandLine, OptionsAndWhatEndsTheRunAtOnce) {
  struct Row {
    std::vector<std::string> args;
    std::string error;  // the start of the usage error; "" for none
  };
  const Row rows[] = {
      {{"tree"}, ""},
      {{"--", "-tree"}, ""},
      {{}, "which TREE?"},
      {{"a", "b"}, "one TREE only"},
      {{"--format", "xml", "t"}, "--format takes text, json, gcc, sarif or html"},
      {{"--windows", "98se", "t"}, ""},
      {{"--windows", "nt16", "t"},
       "--windows takes a release (see --list-releases) or 9x, nt32 or nt64"},
      {{"--languages", "english,klingon", "t"},
       "unknown language 'klingon' in --languages: PORTUGESE, "},
      {{"--locale", std::string(79, '0'), "t"}, ""},
      {{"--locale", std::string(80, '0'), "t"},
       "a resource-locale value has at most 79 characters"},
      {{"--locale"}, "--locale needs a value"},
      {{"-x", "t"}, "unknown option -x"},
  };
  for (const Row& row : rows) {
    const Arguments a = parse_arguments(row.args);
    EXPECT_EQ(a.usage_error.value_or("").substr(0, row.error.size()), row.error);
    EXPECT_EQ(a.usage_error.has_value(), !row.error.empty()) << a.usage_error.value_or("");
  }
  const Arguments a = parse_arguments(
      {"--languages", "english,German,SPANISH", "--format", "sarif", "--windows", "9x", "tree"});
  EXPECT_EQ(a.options.languages, (std::vector<std::string>{"ENGLISH", "GERMAN", "SPANISH"}));
  EXPECT_EQ(a.format, Format::kSarif);
  EXPECT_STREQ(a.options.release->name, "98");
  EXPECT_EQ(a.root, "tree");
  EXPECT_EQ(parse_arguments({"t", "--list-findings"}).answer, "--list-findings");
  EXPECT_EQ(parse_arguments({"-h", "--bad"}).answer, "--help");
}

TreeCheck one_finding(Medium medium, Finding f) {
  TreeCheck check;
  check.tree = "u.iso";
  check.medium = medium;
  check.findings.push_back(std::move(f));
  return check;
}

TEST(Reports, WhereAFindingIs) {
  struct Row {
    Medium medium;
    Finding finding;
    std::string location;
  };
  const std::string profile = "D:\\install\\quv\\win\\client.ini";
  const Row rows[] = {
      {Medium::kJoliet, finding(Code::kUnknownKey, "m", 3), "u.iso:" + profile + ":3"},
      {Medium::kUdf, finding(Code::kProfileMissing, "m"), "u.iso"},
      {Medium::kUdf, finding_about(Code::kLauncherMissing, "m", "D:\\launcher.exe"),
       "u.iso:D:\\launcher.exe"},
      {Medium::kFolder, finding(Code::kUnknownKey, "m", 2), "u.iso/install/quv/win/client.ini:2"},
      {Medium::kFolder, finding_about(Code::kIconToolMissing, "m", "D:\\caf\xe9.exe"),
       "u.iso/caf\xc3\xa9.exe"},
  };
  for (const Row& row : rows) {
    const TreeCheck check = one_finding(row.medium, row.finding);
    EXPECT_EQ(editor_location(check, row.finding), row.location);
    EXPECT_EQ(gcc_report(check).substr(0, row.location.size() + 2), row.location + ": ");
  }
  // In a folder, the host file the check found, as the host spells it.
  TreeCheck found = one_finding(Medium::kFolder, finding(Code::kUnknownKey, "m", 2));
  found.host_files[profile] = "up/INSTALL/QUV/WIN/CLIENT.INI";
  EXPECT_EQ(editor_location(found, found.findings[0]), "up/INSTALL/QUV/WIN/CLIENT.INI:2");
}

// A group of releases is one column where its releases agree for every
// language, else a column for each run that agrees; a language that
// differs anywhere splits the group for all.
TEST(Reports, ReleasesGroupedIntoColumns) {
  TreeCheck check;
  const auto exiting = [](std::initializer_list<std::pair<const char*, int>> exits) {
    LanguageCheck l;
    l.by_release.resize(kReleaseCount);
    for (const auto& [name, status] : exits)
      l.by_release[release_index(**release_named(name))].exit_status = status;
    return l;
  };
  check.languages = {exiting({{"98", 31}}), exiting({{"nt4", -1}, {"2000", -1}})};
  check.unmatched = exiting({{"11", 2}});
  std::vector<std::string> labels;
  for (const ReleaseColumn& c : release_columns(check)) labels.push_back(c.label);
  EXPECT_EQ(labels, (std::vector<std::string>{"Windows 95 and OSR2", "98", "98 SE to ME", "NT 4.0",
                                              "2000", "XP to XP x64", "Vista to 10 (64-bit)", "11",
                                              "Windows on Arm"}));
  check.languages[0].by_release[release_index(**release_named("95"))].cannot_tell =
      "D:\\p\\setup.exe";
  // Windows 95 alone is not the group of 95 and OSR2.
  EXPECT_EQ(release_columns(check)[0].label, "Windows 95");
  EXPECT_EQ(release_columns(check)[1].label, "95 OSR2");
  // Starts that differ only in what they say are two columns.
  const auto start_noting = [](const char* note) {
    return ProgramStart{"D:\\p\\setup.exe", "", 1, 42, note, StartKind::kProgram};
  };
  check.languages[0].by_release[release_index(**release_named("xp"))].starts = {start_noting("a")};
  check.languages[0].by_release[release_index(**release_named("xp-x64"))].starts = {
      start_noting("b")};
  labels.clear();
  for (const ReleaseColumn& c : release_columns(check)) labels.push_back(c.label);
  const auto xp = std::find(labels.begin(), labels.end(), "XP");
  ASSERT_NE(xp, labels.end());
  EXPECT_EQ(*(xp + 1), "XP x64");
}

// Where every release does the same for every language, one column says so.
TEST(Reports, OneColumnWhereEveryWindowsAgrees) {
  TreeCheck check;
  LanguageCheck l;
  l.by_release.resize(kReleaseCount);
  check.languages = {l};
  const std::vector<ReleaseColumn> columns = release_columns(check);
  ASSERT_EQ(columns.size(), 1u);
  EXPECT_EQ(columns[0].label, "Every Windows (95 to 11)");
  EXPECT_EQ(columns[0].last, kReleaseCount - 1);
}

TEST(Reports, TextInHtml) {
  const std::pair<std::string, std::string> rows[] = {
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"\"><img src=x onerror=alert(1)>", "&quot;&gt;&lt;img src=x onerror=alert(1)&gt;"},
      {"&amp; 'q'", "&amp;amp; &#39;q&#39;"},
      {"jos\xc3\xa9 \xe2\x82\xac", "jos\xc3\xa9 \xe2\x82\xac"},  // UTF-8 as it is
      {"a\xe9<", "a\\xE9&lt;"},                                  // a stray byte as visible text
      {"\xed\xa0\x80", "\\xED\\xA0\\x80"},                       // no surrogate gets through
      {std::string("n\0l\x1b", 4), "n\\x00l\\x1B"},              // nor a control character
  };
  for (const auto& [text, html] : rows) EXPECT_EQ(html_text(text), html) << text;
  EXPECT_EQ(html_ansi("caf\xe9 <\x80>"), "caf\xc3\xa9 &lt;\xe2\x82\xac&gt;");
}

TEST(Reports, TextInJson) {
  const std::pair<std::string, std::string> utf8[] = {
      {"jos\xc3\xa9", "\"jos\xc3\xa9\""},  // valid UTF-8 as it is
      // A byte no part of UTF-8: the text \xE9, its backslash escaped, so that
      // the document stays valid JSON; never re-decoded as code page 1252.
      {"a\xe9z", "\"a\\\\xE9z\""},
      {"q\"b\\", "\"q\\\"b\\\\\""},
      {std::string("\x01", 1), "\"\\u0001\""},
  };
  for (const auto& [text, json] : utf8) EXPECT_EQ(quoted_utf8(text), json);
  EXPECT_EQ(quoted("caf\xe9 \x80"), "\"caf\xc3\xa9 \xe2\x82\xac\"");  // ANSI: é and €
}

}  // namespace
}  // namespace checker::testing
