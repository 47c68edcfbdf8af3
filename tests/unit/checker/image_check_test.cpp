// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The check of a disc image as each release reads it: which file system
// each reads, an image cut short, and trees that start other programs;
// here on file systems held in memory.
#include <gtest/gtest.h>

#include "checker/rules/image_check.h"
#include "tests/unit/checker/rule_cases.h"

namespace checker::testing {
namespace {

// An image's file systems, each a tree in memory; a file system without
// files cannot be read.
struct Image {
  DiscImage image;
  std::map<DiscFileSystem, Files> trees;
};

TreeCheck check(const Image& disc, const char* release) {
  const OpenDiscTree open = [&disc](DiscFileSystem fs, std::string* error) {
    const auto files = disc.trees.find(fs);
    if (files == disc.trees.end()) {
      *error = "damaged";
      return std::unique_ptr<DiscTree>();
    }
    return std::unique_ptr<DiscTree>(std::make_unique<MemoryTree>(files->second, fs));
  };
  CheckOptions options;
  options.release = *release_named(release);
  std::string error;
  const auto checked = check_image_trees("u.iso", disc.image, open, options, &error);
  EXPECT_TRUE(checked.has_value()) << error;
  return checked.value_or(TreeCheck());
}

DiscImage image(bool joliet, std::optional<uint16_t> udf, bool iso9660 = true) {
  DiscImage out;
  out.iso9660 = iso9660;
  out.joliet = joliet;
  out.udf = udf;
  out.image_bytes = out.volume_bytes = 1 << 20;
  return out;
}

constexpr auto kJoliet = DiscFileSystem::kJoliet;
constexpr auto kUdf = DiscFileSystem::kUdf;

// A tree with a second English program, which its profile names when
// `named`: on both trees of a bridge, each launch starts a program the
// other tree has too.
Files with_other_program(bool named) {
  Files files = good_tree_with({{"products/other/setup.exe", program()}});
  if (named) {
    files["install/quv/win/client.ini"] = profile_with({"ENGLISH=D:\\products\\other\\setup.exe"});
  }
  return files;
}

struct ImageCase {
  const char* name;
  Image disc;
  const char* release;
  const char* code;
  bool raised;
  const char* said = "";
};

const std::vector<ImageCase>& cases() {
  static const std::vector<ImageCase> all = {
      {"UDF 2.50 alone on XP",
       {image(false, 0x0250, false), {{kUdf, good_tree()}}},
       "xp",
       "disc-not-read",
       true,
       "Windows XP reads no file system of this image"},
      {"UDF 2.50 alone on 10",
       {image(false, 0x0250, false), {{kUdf, good_tree()}}},
       "10",
       "disc-not-read",
       false},
      {"UDF 2.50 alone, elsewhere",
       {image(false, 0x0250, false), {{kUdf, good_tree()}}},
       "10",
       "disc-not-read-elsewhere",
       true,
       "Windows 95/NT 4.0 reads no file system"},
      {"a bridge, elsewhere",
       {image(true, 0x0102), {{kJoliet, good_tree()}, {kUdf, good_tree()}}},
       "10",
       "disc-not-read-elsewhere",
       false},
      {"Joliet damaged",
       {image(true, 0x0102), {{kUdf, good_tree()}}},
       "10",
       "disc-not-read-elsewhere",
       true,
       "damaged"},
      {"cut short",
       {[] {
          DiscImage cut = image(true, std::nullopt);
          cut.image_bytes = cut.volume_bytes - 2048;
          return cut;
        }(),
        {{kJoliet, good_tree()}}},
       "10",
       "disc-image-short",
       true,
       "The image is cut short"},
      {"whole",
       {image(true, std::nullopt), {{kJoliet, good_tree()}}},
       "10",
       "disc-image-short",
       false},
      {"trees that start another program",
       {image(true, 0x0102),
        {{kJoliet, good_tree_with({{"products/enu/setup.exe", kGone}})}, {kUdf, good_tree()}}},
       "10",
       "disc-two-trees",
       true,
       "Windows 95/NT 4.0 reads the image's Joliet tree, not the UDF 1.02 tree of this report, and "
       "the launch changes there: ENGLISH ends with -1 there (0 here)"},
      {"trees alike",
       {image(true, 0x0102), {{kJoliet, good_tree()}, {kUdf, good_tree()}}},
       "10",
       "disc-two-trees",
       false},
      // client.ini hidden from the ISO 9660 side: there every language
      // starts the default program, with the group STARTUP; the exit
      // status is the same, what is started is not.
      {"a bridge with client.ini on one side",
       {image(false, 0x0102),
        {{DiscFileSystem::kIso9660,
          good_tree_with({{"install/quv/win/client.ini", kGone},
                          {"products/win95/quv_enu/setup.exe", program()}})},
         {kUdf, good_tree()}}},
       "10",
       "disc-two-trees",
       true,
       "ENGLISH starts D:\\products\\win95\\quv_enu\\setup.exe with group STARTUP there "
       "(D:\\products\\enu\\setup.exe with group Quv ENG here)"},
  };
  return all;
}

const bool kRegistered = [] {
  for (const ImageCase& c : cases()) register_case(c.code, c.raised, c.name);
  return true;
}();

TEST(ImageCheck, WhatEachReleaseReadsOfTheImage) {
  for (const ImageCase& c : cases()) {
    expect_finding(check(c.disc, c.release), c.code, c.raised, c.said, c.name);
  }
}

// Each release launches on the tree it reads: a run made on one file
// system is never shared with a release that reads another, even where
// every program it started is on both.
TEST(ImageCheck, EachReleaseLaunchesOnTheTreeItReads) {
  const Image bridge{image(true, 0x0102),
                     {{kJoliet, with_other_program(true)}, {kUdf, with_other_program(false)}}};
  const TreeCheck checked = check(bridge, "10");
  const LanguageCheck& english = checked.languages[1];
  ASSERT_EQ(english.language, "ENGLISH");
  for (const Release& r : kReleases) {
    const ReleaseLaunch& run = english.by_release[release_index(r)];
    ASSERT_EQ(run.starts.size(), 2u) << r.name;
    EXPECT_EQ(run.starts[1].file, r.newest_udf >= 0x0102 ? "D:\\products\\enu\\setup.exe"
                                                         : "D:\\products\\other\\setup.exe")
        << r.name;
  }
}

}  // namespace
}  // namespace checker::testing
