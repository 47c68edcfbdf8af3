// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The release table's rows against what must hold between their facts, so
// that a fact entered in the wrong column or row shows.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "checker/command_line.h"
#include "checker/predict/launch.h"
#include "checker/windows/disc_readers.h"
#include "checker/windows/releases.h"
#include "tests/unit/checker/memory_tree.h"

namespace checker::testing {
namespace {

TEST(Releases, FactsThatGoTogether) {
  std::set<std::string> names;
  for (const Release& r : kReleases) {
    SCOPED_TRACE(r.name);
    EXPECT_TRUE(names.insert(r.name).second) << "named twice";
    const bool nine_x = r.family == Windows::k9x;
    // Only 95/98/ME keep ResourceLocale, read profiles as bytes and run DOS
    // programs themselves.
    EXPECT_EQ(nine_x, r.language == LanguageSource::kRegistry);
    // ... and, with NT 4.0, read a profile's bytes without decoding UTF-16.
    EXPECT_EQ(nine_x || std::string(r.name) == "nt4", r.profile == ProfileReaderKind::kBytes);
    EXPECT_EQ(nine_x, r.dos == DosPrograms::kNative);
    const bool arm = on_arm(r.width);
    EXPECT_EQ(r.width == Width::k64 || arm, r.dos == DosPrograms::kNone);
    EXPECT_TRUE(r.family != Windows::kNt32 || r.width == Width::k32);
    // HTML applications run in Internet Explorer; an x64 Windows reads its
    // own autorun section (Windows on Arm is no x64 Windows).
    EXPECT_TRUE(!r.mshta || r.web_browser);
    EXPECT_EQ(r.autorun_amd64, r.width != Width::k32 && !arm);
  }
  for (const Windows family : kAllWindows) {
    EXPECT_EQ(representative_release(family).family, family) << windows_name(family);
  }
}

// Each fact names where it is documented.
TEST(Releases, EveryFactHasASource) {
  for (const Release& r : kReleases) {
    SCOPED_TRACE(r.name);
    for (const char* source :
         {r.width.source, r.language.source, r.newest_udf.source, r.newest_subsystem.source,
          r.dos.source, r.web_browser.source, r.mshta.source, r.script_host.source,
          r.html_help.source, r.winhelp.source, r.installer.source, r.wordpad.source,
          r.shellexecute.source, r.autorun_amd64.source, r.profile.source}) {
      EXPECT_TRUE(source != nullptr && source[0] != '\0');
    }
  }
}

// The lists made of the table: the report's groups cover it run by run,
// each disc reader stands for the releases of one UDF revision, and
// --help names every release.
TEST(Releases, EveryListOfReleasesAgreesWithTheTable) {
  size_t next = 0;
  for (const ReleaseGroup& group : kReleaseGroups) {
    ASSERT_TRUE(release_named(group.first) && release_named(group.last)) << group.label;
    EXPECT_EQ(first_index(group), next) << group.label;
    EXPECT_GE(last_index(group), first_index(group)) << group.label;
    next = last_index(group) + 1;
  }
  EXPECT_EQ(next, kReleaseCount);
  std::set<uint16_t> revisions;
  for (const Release& r : kReleases) revisions.insert(r.newest_udf);
  std::set<uint16_t> read;
  for (const DiscReader& reader : kDiscReaders) {
    ASSERT_TRUE(release_named(reader.release)) << reader.name;
    EXPECT_TRUE(read.insert(reader.newest_udf()).second) << reader.name << " reads as another";
    EXPECT_EQ(&disc_reader_of(**release_named(reader.release)), &reader);
    EXPECT_STREQ(disc_reader_of(**release_named(reader.release)).name, reader.name);
  }
  EXPECT_EQ(read, revisions);
  std::string help;  // --help with its lines joined
  for (const char c : usage()) {
    if (c == '\n') help += ' ';
    if (c != '\n' && !(c == ' ' && !help.empty() && help.back() == ' ')) help += c;
  }
  std::string names;
  for (const Release& r : kReleases) names += (names.empty() ? "" : ", ") + std::string(r.name);
  EXPECT_NE(help.find("a release (" + names + ";"), std::string::npos) << help;
}

TEST(Releases, NoReleaseReadsLessThanTheOneBeforeIt) {
  // Oldest first within each line (95 to ME, NT 4.0 to 11); XP x64 sits
  // between XP and Vista.
  const Release* previous = nullptr;
  for (const Release& r : kReleases) {
    if (previous != nullptr && (previous->family == Windows::k9x) == (r.family == Windows::k9x)) {
      EXPECT_GE(r.newest_udf, previous->newest_udf) << r.name;
      EXPECT_GE(r.newest_subsystem, previous->newest_subsystem) << r.name;
      EXPECT_GE(r.installer, previous->installer) << r.name;
      EXPECT_GE(r.script_host, previous->script_host) << r.name;
      EXPECT_GE(r.html_help, previous->html_help) << r.name;
      EXPECT_LE(r.winhelp, previous->winhelp) << r.name;  // gone from Vista on
    }
    previous = &r;
  }
}

std::vector<bool> releases(std::initializer_list<const char*> names) {
  std::vector<bool> on(kReleaseCount);
  for (const char* name : names) on[release_index(**release_named(name))] = true;
  return on;
}

TEST(Releases, NamedAsRunsOfTheTableNeverAcrossThe9xAndNtLines) {
  EXPECT_EQ(releases_prose(releases({"95", "95osr2", "98", "98se", "me", "nt4"})),
            "Windows 95 to ME and NT 4.0");
  EXPECT_EQ(releases_prose(releases({"98se", "2000", "xp", "10", "11"})),
            "Windows 98 SE, 2000 to XP and 10 (64-bit) to 11");
  EXPECT_EQ(releases_prose(std::vector<bool>(kReleaseCount, true)), "every Windows");
  EXPECT_EQ(releases_prose(std::vector<bool>(kReleaseCount, false)), "");
}

// Releases share a launch where they read the tree alike; each shared
// launch must be the one the release would make alone, whatever the
// programs, file types and language sources of the tree.
TEST(Releases, ASharedRunIsTheRunEachReleaseMakesAlone) {
  const Files files = {
      {"install/quv/win/client.ini",
       "[95]\r\nPORTUGESE=D:\\p\\setup64.exe\r\nENGLISH=D:\\p\\dos.exe\r\nFRENCH=D:\\p\\xp.exe\r\n"
       "ITALIAN=D:\\p\\a.cmd\r\nGERMAN=D:\\p\\a.msi\r\nSPANISH=D:\\p\\a.hta\r\n"},
      {"install/quv/win/addiconw.exe", program(0x14C, 0x10B, 6, 1)},
      {"p/setup64.exe", program(0x8664, 0x20B, 5, 2)},
      {"p/dos.exe", program(0x14C, 0x10B, 4, 0, false)},
      {"p/xp.exe", program(0x14C, 0x10B, 5, 1)},
      {"p/a.cmd", "x"},
      {"p/a.msi", "x"},
      {"p/a.hta", "x"}};
  MemoryTree tree(files);
  const TreeOf same = [&tree](const Release&) -> Tree& { return tree; };
  const CheckOptions options;
  for (const std::string& locale : checked_locales(options)) {
    const LanguageLaunch predicted = predict_language(tree, nullptr, locale, options, same);
    ASSERT_EQ(predicted.by_release.size(), kReleaseCount);
    for (size_t i = 0; i < kReleaseCount; ++i) {
      const Release& release = kReleases[i];
      SCOPED_TRACE(locale + " on " + release.name);
      const Launch alone = launch(tree, locale, release, marks_of(release), options);
      const ReleaseLaunch& shared = predicted.by_release[i];
      EXPECT_EQ(shared.exit_status, alone.exit_status);
      ASSERT_EQ(shared.starts.size(), alone.os.starts.size());
      for (size_t s = 0; s < shared.starts.size(); ++s) {
        EXPECT_EQ(shared.starts[s].file, alone.os.starts[s].file);
        EXPECT_EQ(shared.starts[s].result, alone.os.starts[s].result);
        EXPECT_EQ(shared.starts[s].note, alone.os.starts[s].note);
      }
      EXPECT_EQ(shared.boxes, alone.os.boxes);
    }
  }
}

}  // namespace
}  // namespace checker::testing
