// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What each release of Windows does with the file the launcher starts: a
// program by its header, any other file by the type Windows associates.
#include <gtest/gtest.h>

#include <algorithm>

#include "checker/windows/program_start.h"
#include "tests/unit/checker/memory_tree.h"

namespace checker::testing {
namespace {

struct Outcome {
  intptr_t result;
  StartKind kind;
};

// One letter a release, in kReleases order (the bars only group them:
// 95 95osr2 98 98se me | nt4 2000 xp xp-x64 | vista 7 8 10-32 10 11 |
// 10-arm 11-arm).
Outcome outcome_coded(char code) {
  switch (code) {
    case 'R': return {kStarted, StartKind::kProgram};       // runs
    case 'x': return {kBadFormat, StartKind::kProgram};     // refused by the loader
    case 'n': return {kBadFormat, StartKind::kNoProgram};   // no program at all
    case 'N': return {kStarted, StartKind::kNeedsFeature};  // NTVDM, once installed
    case 'o': return {kStarted, StartKind::kDocument};      // something else opens it
    default: break;
  }
  return {kNoAssociation, StartKind::kProgram};  // '-': nothing opens it
}

struct Row {
  const char* name;
  std::string content;
  const char* on;         // what each release does, coded as above
  const char* note = "";  // a part of the note on `note_on`
  const char* note_on = "95";
};

void expect_starts(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    MemoryTree tree(Files{{std::string("p/") + row.name, row.content}});
    std::string codes(row.on);
    codes.erase(std::remove(codes.begin(), codes.end(), '|'), codes.end());
    ASSERT_EQ(codes.size(), kReleaseCount) << row.name;
    for (size_t i = 0; i < kReleaseCount; ++i) {
      const Release& release = kReleases[i];
      const PredictedStart start =
          predicted_start(tree, std::string("D:\\p\\") + row.name, release);
      const Outcome expected = outcome_coded(codes[i]);
      EXPECT_EQ(start.result, expected.result) << row.name << " on " << release.name;
      EXPECT_EQ(start.kind, expected.kind) << row.name << " on " << release.name;
      if (std::string(release.name) == row.note_on) {
        EXPECT_NE(start.note.find(row.note), std::string::npos) << start.note;
      }
    }
  }
}

TEST(ProgramStart, ProgramsByTheirHeaderOnEachRelease) {
  expect_starts({
      {"setup.exe", program(), "RRRRR|RRRR|RRRRRR|RR"},
      // Windows 95/98/ME and NT 4.0 run subsystem 4.x, whatever the minor
      // version; each later version needs the Windows NT of that version.
      {"s4_99.exe", program(0x14C, 0x10B, 4, 99), "RRRRR|RRRR|RRRRRR|RR"},
      {"s5_0.exe", program(0x14C, 0x10B, 5, 0), "xxxxx|xRRR|RRRRRR|RR",
       "needs Windows 2000 or later"},
      {"s5_1.exe", program(0x14C, 0x10B, 5, 1), "xxxxx|xxRR|RRRRRR|RR",
       "needs Windows XP or later"},
      {"s5_2.exe", program(0x14C, 0x10B, 5, 2), "xxxxx|xxxR|RRRRRR|RR",
       "needs Windows XP x64 or Server 2003"},
      {"s6_0.exe", program(0x14C, 0x10B, 6, 0), "xxxxx|xxxx|RRRRRR|RR", "a newer Windows", "xp"},
      {"s6_1.exe", program(0x14C, 0x10B, 6, 1), "xxxxx|xxxx|xRRRRR|RR", "needs Windows 7 or later",
       "vista"},
      {"s6_3.exe", program(0x14C, 0x10B, 6, 3), "xxxxx|xxxx|xxxRRR|RR",
       "needs Windows 8.1 or later", "8"},
      {"s10.exe", program(0x14C, 0x10B, 10, 0), "xxxxx|xxxx|xxxRRR|RR",
       "needs Windows 10 or later"},
      // Past 6.2, an operating-system version older than the subsystem's is
      // reported refused (0xc000007b); 6.2 and older are not.
      {"s6_3_os4.exe", with_os_version(program(0x14C, 0x10B, 6, 3), 4, 0), "xxxxx|xxxx|xxxxxx|xx",
       "newer than its operating-system version (4.0)", "10"},
      {"s6_2_os4.exe", with_os_version(program(0x14C, 0x10B, 6, 2), 4, 0), "xxxxx|xxxx|xxRRRR|RR"},
      // XP x64 and the 64-bit releases; Vista to 8 came in both widths.
      {"x64.exe", program(0x8664, 0x20B, 5, 2), "xxxxx|xxxR|xxxxRR|xR", "64-bit edition", "vista"},
      // ... held to the loader's subsystem version like a 32-bit program.
      {"x64_6_0.exe", program(0x8664, 0x20B, 6, 0), "xxxxx|xxxx|xxxxRR|xR",
       "needs Windows Vista or later", "xp-x64"},
      {"arm.exe", program(0x1C0, 0x10B), "xxxxx|xxxx|xxxxxx|xx", "another processor"},
      // ARM64 programs run on Windows on Arm alone, held to its subsystem
      // version; 10 on Arm emulates x86 programs only, 11 on Arm x64 ones too.
      {"arm64.exe", program(0xAA64, 0x20B, 10, 0), "xxxxx|xxxx|xxxxxx|RR",
       "runs only on Windows on Arm", "10"},
      {"arm64_10_1.exe", program(0xAA64, 0x20B, 10, 1), "xxxxx|xxxx|xxxxxx|xx", "a newer Windows",
       "11-arm"},
      {"x64_on_arm.exe", program(0x8664, 0x20B, 6, 0), "xxxxx|xxxx|xxxxRR|xR",
       "Windows 10 on Arm does not run", "10-arm"},
      // NTVDM: on in 32-bit NT 4.0 to XP, a feature in 32-bit 10, never on
      // 64-bit Windows.
      {"dos.exe", program(0x14C, 0x10B, 4, 0, false), "RRRRR|RRRx|xxxNxx|xx", "optional feature",
       "10-32"},
      {"dos.com", "\xb4\x4c\xcd\x21", "RRRRR|RRRx|xxxNxx|xx", "DOS .com"},
      // 64-bit Windows starts its own 32-bit port of InstallShield 5 and
      // Microsoft Setup; Windows on Arm does not; other 16-bit programs as before.
      {"is5.exe", ne_program("InstallShield", "5.00.000"), "RRRRR|RRRR|RRRNRR|xx",
       "64-bit Windows starts as its own 32-bit port", "10"},
      {"mssetup.exe", ne_program("Microsoft Setup for Windows", "3.01"), "RRRRR|RRRR|RRRNRR|xx",
       "Windows on Arm neither runs nor replaces", "11-arm"},
      {"is3.exe", ne_program("InstallShield", "3.00.000"), "RRRRR|RRRx|xxxNxx|xx"},
      {"dos_on_arm.exe", program(0x14C, 0x10B, 4, 0, false), "RRRRR|RRRx|xxxNxx|xx",
       "which Windows on Arm does not run", "11-arm"},
      {"setup.com", program(), "RRRRR|RRRR|RRRRRR|RR"},
      {"saver.scr", program(), "RRRRR|RRRR|RRRRRR|RR"},
      {"empty.exe", "", "nnnnn|nnnn|nnnnnn|nn", "empty"},
      {"text.exe", "not a program", "nnnnn|nnnn|nnnnnn|nn"},
      {"short.exe", "MZ short", "nnnnn|nnnn|nnnnnn|nn"},
  });
}

TEST(ProgramStart, OtherFilesByTheTypeEachReleaseAssociates) {
  expect_starts({
      {"setup.bat", "@echo off", "RRRRR|RRRR|RRRRRR|RR"},
      {"setup.cmd", "@echo off", "-----|RRRR|RRRRRR|RR", "only on Windows NT"},
      {"setup.pif", "pif", "ooooo|oooo|oooooo|oo", "shortcut"},
      {"setup.lnk", "L", "ooooo|oooo|oooooo|oo", "shortcut"},
      {"setup.ini", "[x]", "ooooo|oooo|oooooo|oo", "Notepad"},
      {"readme.txt", "x", "ooooo|oooo|oooooo|oo", "Notepad"},
      {"setup.msi", "msi", "----R|-RRR|RRRRRR|RR", "no Windows Installer"},
      {"index.htm", "<p>", "-oooo|oooo|oooooo|oo", "no web browser"},
      {"setup.hta", "<p>", "---RR|-RRR|RRRRRR|RR", "Internet Explorer 5"},
      {"setup.vbs", "x", "--RRR|-RRR|RRRRRR|RR", "Windows Script Host", "nt4"},
      {"setup.reg", "x", "ooooo|oooo|oooooo|oo", "Registry Editor"},
      // WordPad is gone from Windows 11 (24H2 on).
      {"readme.wri", "x", "ooooo|oooo|ooooo-|o-", "WordPad"},
      {"readme.rtf", "x", "ooooo|oooo|ooooo-|o-", "no WordPad", "11"},
      {"help.chm", "x", "--ooo|-ooo|oooooo|oo", "HTML Help"},
      {"help.hlp", "x", "ooooo|oooo|oooooo|oo", "opens in Windows Help", "xp"},
      {"help2.hlp", "x", "ooooo|oooo|oooooo|oo", "no longer includes Windows Help", "vista"},
      {"setup", program(), "-----|----|------|--", "without an extension"},
      {"setup.xyz", "x", "-----|----|------|--", ".xyz"},
  });
}

TEST(ProgramStart, TheTypeIsThatOfTheNameWindowsResolves) {
  MemoryTree tree(Files{{"p/setup.exe", program(0x8664, 0x20B)}, {"p/folder/readme.txt", "x"}});
  // "setup.exe. ." is setup.exe once Windows has made it a full path.
  EXPECT_EQ(predicted_start(tree, "D:\\p\\SETUP.EXE. .", **release_named("10-32")).result,
            kBadFormat);
  EXPECT_EQ(predicted_start(tree, "D:\\p\\folder", **release_named("10")).kind, StartKind::kFolder);
  EXPECT_EQ(predicted_start(tree, "D:\\p\\gone.exe", **release_named("10")).result, kFileNotFound);
  // As a process (autorun.inf's open=), only a program file starts.
  EXPECT_EQ(predicted_process(tree, "D:\\p\\folder\\readme.txt", **release_named("10")).result,
            kBadFormat);
  EXPECT_EQ(predicted_process(tree, "D:\\p\\folder", **release_named("10")).result, kBadFormat);
  EXPECT_EQ(predicted_process(tree, "D:\\p\\Setup.Exe", **release_named("10")).result, kStarted);
}

}  // namespace
}  // namespace checker::testing
