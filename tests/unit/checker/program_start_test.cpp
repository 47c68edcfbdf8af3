// What each family of Windows does with the file the launcher starts: a
// program by its header, any other file by the type Windows associates.
#include <gtest/gtest.h>

#include "checker/windows/program_start.h"
#include "tests/unit/checker/memory_tree.h"

namespace checker::testing {
namespace {

struct Outcome {
  intptr_t result;
  StartKind kind;
};
constexpr Outcome kRuns{kStarted, StartKind::kProgram};
constexpr Outcome kRefused{kBadFormat, StartKind::kProgram};
constexpr Outcome kNoProgram{kBadFormat, StartKind::kNoProgram};
constexpr Outcome kNtvdm{kStarted, StartKind::kNeedsFeature};
constexpr Outcome kOpens{kStarted, StartKind::kDocument};
constexpr Outcome kNoOpener{kNoAssociation, StartKind::kProgram};

struct Row {
  const char* name;
  std::string content;
  Outcome on_9x, on_nt32, on_nt64;
  const char* note_on_9x = "";  // a part of the 9x note, where it names something
};

void expect_starts(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    MemoryTree tree(Files{{std::string("p/") + row.name, row.content}});
    const std::pair<Windows, Outcome> families[] = {
        {Windows::k9x, row.on_9x}, {Windows::kNt32, row.on_nt32}, {Windows::kNt64, row.on_nt64}};
    for (const auto& [windows, expected] : families) {
      const PredictedStart start = predicted_start(tree, std::string("D:\\p\\") + row.name, windows);
      EXPECT_EQ(start.result, expected.result) << row.name << " on " << windows_name(windows);
      EXPECT_EQ(start.kind, expected.kind) << row.name << " on " << windows_name(windows);
      if (windows == Windows::k9x) {
        EXPECT_NE(start.note.find(row.note_on_9x), std::string::npos) << start.note;
      }
    }
  }
}

TEST(ProgramStart, ProgramsByTheirHeaderOnEachFamily) {
  expect_starts({
      {"setup.exe", program(), kRuns, kRuns, kRuns},
      // Windows 95/98/ME run subsystem 4.x, whatever the minor version; 5.0
      // and later need the Windows NT of that version.
      {"s4_99.exe", program(0x14C, 0x10B, 4, 99), kRuns, kRuns, kRuns},
      {"s5_0.exe", program(0x14C, 0x10B, 5, 0), kRefused, kRuns, kRuns, "needs Windows 2000 or later"},
      {"s5_1.exe", program(0x14C, 0x10B, 5, 1), kRefused, kRuns, kRuns, "needs Windows XP or later"},
      {"s5_2.exe", program(0x14C, 0x10B, 5, 2), kRefused, kRuns, kRuns, "needs Windows XP x64 or Server 2003"},
      {"s6_0.exe", program(0x14C, 0x10B, 6, 0), kRefused, kRuns, kRuns, "needs Windows Vista or later"},
      {"s6_1.exe", program(0x14C, 0x10B, 6, 1), kRefused, kRuns, kRuns, "needs Windows 7 or later"},
      {"s6_3.exe", program(0x14C, 0x10B, 6, 3), kRefused, kRuns, kRuns, "needs Windows 8.1 or later"},
      {"s10.exe", program(0x14C, 0x10B, 10, 0), kRefused, kRuns, kRuns, "needs Windows 10 or later"},
      {"x64.exe", program(0x8664, 0x20B, 6, 0), kRefused, kRefused, kRuns, "64-bit"},
      {"arm.exe", program(0x1C0, 0x10B), kRefused, kRefused, kRefused, "another processor"},
      {"dos.exe", program(0x14C, 0x10B, 4, 0, false), kRuns, kNtvdm, kRefused},
      {"dos.com", "\xb4\x4c\xcd\x21", kRuns, kNtvdm, kRefused, "DOS .com"},
      {"setup.com", program(), kRuns, kRuns, kRuns},
      {"saver.scr", program(), kRuns, kRuns, kRuns},
      {"empty.exe", "", kNoProgram, kNoProgram, kNoProgram, "empty"},
      {"text.exe", "not a program", kNoProgram, kNoProgram, kNoProgram},
      {"short.exe", "MZ short", kNoProgram, kNoProgram, kNoProgram},
  });
}

TEST(ProgramStart, OtherFilesByTheTypeEachFamilyAssociates) {
  expect_starts({
      {"setup.bat", "@echo off", kRuns, kRuns, kRuns},
      {"setup.cmd", "@echo off", kNoOpener, kRuns, kRuns, "only on Windows NT"},
      {"setup.pif", "pif", kOpens, kOpens, kOpens, "shortcut"},
      {"setup.lnk", "L", kOpens, kOpens, kOpens, "shortcut"},
      {"setup.ini", "[x]", kOpens, kOpens, kOpens, "Notepad"},
      {"readme.txt", "x", kOpens, kOpens, kOpens, "Notepad"},
      {"setup.msi", "msi", kNoOpener, kRuns, kRuns, "Windows ME has it"},
      {"index.htm", "<p>", kNoOpener, kOpens, kOpens, "98 and ME open it"},
      {"setup.hta", "<p>", kNoOpener, kRuns, kRuns, "Internet Explorer 5"},
      {"setup.vbs", "x", kNoOpener, kRuns, kRuns, "Windows Script Host"},
      {"setup.reg", "x", kOpens, kOpens, kOpens, "Registry Editor"},
      {"readme.wri", "x", kOpens, kOpens, kOpens, "WordPad"},
      {"help.chm", "x", kNoOpener, kOpens, kOpens, "HTML Help"},
      {"help.hlp", "x", kOpens, kOpens, kOpens, "Windows Help"},
      {"setup", program(), kNoOpener, kNoOpener, kNoOpener, "without an extension"},
      {"setup.xyz", "x", kNoOpener, kNoOpener, kNoOpener, ".xyz"},
  });
}

TEST(ProgramStart, TheTypeIsThatOfTheNameWindowsResolves) {
  MemoryTree tree(Files{{"p/setup.exe", program(0x8664, 0x20B)}, {"p/folder/readme.txt", "x"}});
  // "setup.exe. ." is setup.exe once Windows has made it a full path.
  EXPECT_EQ(predicted_start(tree, "D:\\p\\SETUP.EXE. .", Windows::kNt32).result, kBadFormat);
  EXPECT_EQ(predicted_start(tree, "D:\\p\\folder", Windows::kNt64).kind, StartKind::kFolder);
  EXPECT_EQ(predicted_start(tree, "D:\\p\\gone.exe", Windows::kNt64).result, kFileNotFound);
  // As a process (autorun.inf's open=), only a program file starts.
  EXPECT_EQ(predicted_process(tree, "D:\\p\\folder\\readme.txt", Windows::kNt64).result, kBadFormat);
  EXPECT_EQ(predicted_process(tree, "D:\\p\\folder", Windows::kNt64).result, kBadFormat);
  EXPECT_EQ(predicted_process(tree, "D:\\p\\Setup.Exe", Windows::kNt64).result, kStarted);
}

}  // namespace
}  // namespace checker::testing
