// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The names a disc's file system lost, and why: ISO 9660's 8.3 names and
// eight levels of folders, Joliet's 64-character names and 120-character
// paths.
#include <gtest/gtest.h>

#include <set>

#include "checker/names/udf_revision.h"
#include "checker/rules/lost_names.h"
#include "tests/unit/checker/memory_tree.h"

namespace checker::testing {
namespace {

// The codes of the findings about `setup_path` on a disc of `files`, and
// their messages one a line.
std::set<std::string> lost(const Files& files, DiscFileSystem fs, const std::string& setup_path,
                           std::string* messages) {
  MemoryTree tree(files, fs);
  TreeCheck check;
  check_lost_name(tree, setup_path, "ENGLISH's setup program", check);
  std::set<std::string> codes;
  for (const Finding& f : check.findings) {
    codes.insert(f.name());
    *messages += f.message + "\n";
  }
  return codes;
}

TEST(LostNames, NamesAFileSystemLost) {
  const std::map<std::string, std::string> root = {
      {"autorun.inf", "[autorun]\r\nopen=launcher.exe\r\n"},
      {"launcher.exe", program()},
      {"p/other.txt", "x"},
      {"p/" + std::string(64, 'j'), "cut to 64"},
      {"QUV_ITA/SETUP.EXE", "x"},
      {"p/SETUP_EN.EXE", "x"},
      {"p/SETUP_V2.EXE", "x"},
      {"a/b/c/d/e/f/g/h/x.txt", "x"},
      {"RR_MOVED/i/setup.exe", "x"}};
  struct Row {
    DiscFileSystem fs;
    std::string setup;     // missing from the disc
    bool lost;             // told why: a name the file system cannot hold
    const char* why = "";  // a part of the reason told
  };
  const Row rows[] = {
      // Without Joliet, Windows sees 8.3 names of A-Z, 0-9 and _ only.
      {DiscFileSystem::kIso9660, "D:\\p\\ABCDEFGH.EXE", false},
      {DiscFileSystem::kIso9660, "D:\\p\\SETUP", false},
      {DiscFileSystem::kIso9660, "D:\\p\\SET_UP1.ABC", false},
      {DiscFileSystem::kIso9660, "D:\\p\\ABCDEFGHI.EXE", true,
       "which hold a name of up to 8 characters"},
      {DiscFileSystem::kIso9660, "D:\\p\\SETUP.EXEC", true},
      {DiscFileSystem::kIso9660, "D:\\p\\SET-UP.EXE", true,
       "which hold letters, digits and _ only (upper case), and"},
      // The character set apart from the length, with the name Windows lists.
      {DiscFileSystem::kIso9660, "D:\\quv-ita\\setup.exe", true,
       "letters, digits and _ only (upper case), and \"quv-ita\" is not one: Windows lists "
       "\"QUV_ITA\""},
      {DiscFileSystem::kIso9660, "D:\\quv-italian\\setup.exe", true,
       "letters, digits and _ only (upper case), and a name of up to 8"},
      // Split at the first dot: "B.C" is no extension.
      {DiscFileSystem::kIso9660, "D:\\p\\A.B.C", true,
       "and a name of up to 8 characters with an extension of up to 3"},
      // A name of several dots is written split at its last.
      {DiscFileSystem::kIso9660, "D:\\p\\setup.v2.exe", true, "Windows lists \"SETUP_V2.EXE\""},
      // The name a mastering tool writes keeps 8 characters of the base.
      {DiscFileSystem::kIso9660, "D:\\p\\setup-english.exe", true,
       "Windows lists \"SETUP_EN.EXE\""},
      // The ninth level of folders is moved to RR_MOVED; the eighth is not.
      {DiscFileSystem::kIso9660, "D:\\a\\b\\c\\d\\e\\f\\g\\h\\i\\setup.exe", true,
       "ISO 9660 allows 8 levels of folders, and the mastering tool moved the deeper ones to "
       "\\RR_MOVED"},
      {DiscFileSystem::kIso9660, "D:\\a\\b\\c\\d\\e\\f\\g\\i\\setup.exe", false},
      {DiscFileSystem::kIso9660, "D:\\p\\.EXE", true},
      {DiscFileSystem::kIso9660, "D:\\p\\setup.exe", false},  // upper case on the disc
      // Joliet names hold 64 characters, its paths 120.
      {DiscFileSystem::kJoliet, "D:\\p\\" + std::string(65, 'j'), true},
      {DiscFileSystem::kJoliet, "D:\\p\\" + std::string(65, 'k'), false},
      {DiscFileSystem::kJoliet, "D:\\p\\" + std::string(118, 'l'), true},
      {DiscFileSystem::kJoliet, "D:\\p\\" + std::string(117, 'l'), false},
      {DiscFileSystem::kUdf, "D:\\p\\" + std::string(130, 'u'), false},
  };
  for (const Row& row : rows) {
    std::string messages;
    // The Joliet rows' 64-character name would make the ISO 9660 rows' image
    // one beyond level 1.
    Files tree = root;
    if (row.fs == DiscFileSystem::kIso9660) tree.erase("p/" + std::string(64, 'j'));
    const auto codes = lost(tree, row.fs, row.setup, &messages);
    EXPECT_EQ(codes.count("disc-name-lost"), row.lost ? 1u : 0u)
        << file_system_name(row.fs) << " " << row.setup;
    EXPECT_NE(messages.find(row.why), std::string::npos) << messages;
  }
}

// An image beyond level 1 (ISO 9660 level 2, xorriso's default) holds names
// of up to 31 characters: a lost name is explained by that level.
TEST(LostNames, ExplainedByTheImagesLevel) {
  const Files level_2 = {{"QUV_ITALIAN_EDITION_SETUP_X/SETUP.EXE", "x"}};
  std::string messages;
  EXPECT_EQ(lost(level_2, DiscFileSystem::kIso9660, "D:\\quv-ita\\setup.exe", &messages).size(),
            1u);
  EXPECT_NE(messages.find("letters, digits and _ only (upper case), and \"quv-ita\""),
            std::string::npos)
      << messages;
  EXPECT_EQ(messages.find("8 characters"), std::string::npos) << messages;
  messages.clear();
  lost(level_2, DiscFileSystem::kIso9660, "D:\\" + std::string(32, 'A') + "\\setup.exe", &messages);
  EXPECT_NE(messages.find("a name of up to 31 characters"), std::string::npos) << messages;
  // A name of 20 characters is no lost name at that level.
  EXPECT_TRUE(
      lost(level_2, DiscFileSystem::kIso9660, "D:\\QUV_ITALIAN_EDITION\\setup.exe", &messages)
          .empty());
}

TEST(LostNames, UdfRevisionsAreNamedByTheirBinaryCodedDigits) {
  const std::pair<uint16_t, const char*> revisions[] = {{0x0102, "1.02"}, {0x0150, "1.50"},
                                                        {0x0200, "2.00"}, {0x0201, "2.01"},
                                                        {0x0250, "2.50"}, {0x0260, "2.60"}};
  for (const auto& [revision, name] : revisions) EXPECT_EQ(udf_revision_name(revision), name);
}

TEST(LostNames, TheNameAMasteringToolWrites) {
  EXPECT_EQ(iso_written("setup-english.exe"), "SETUP_EN.EXE");
  EXPECT_EQ(iso_written("read me.txt"), "READ_ME.TXT");
  EXPECT_EQ(iso_written("setup.exec"), "SETUP.EXE");
  EXPECT_EQ(iso_written("a.b.c"), "A_B.C");  // as xorriso and genisoimage write it
  EXPECT_EQ(iso_written("setup.v2.exe"), "SETUP_V2.EXE");
  EXPECT_TRUE(is_8_3("SETUP.EXE"));
  EXPECT_FALSE(is_8_3("A.B.C"));
  EXPECT_FALSE(is_8_3(".EXE"));
}

}  // namespace
}  // namespace checker::testing
