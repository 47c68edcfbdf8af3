// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "launcher/launch_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "launcher/launcher.h"
#include "tests/unit/fake_platform.h"

namespace {

using Log = std::vector<std::string>;

constexpr char kProfile[] = "E:\\install\\quv\\win\\client.ini";
constexpr char kIconTool[] = "E:\\install\\quv\\win\\addiconw.exe";
constexpr char kDefaultOnE[] = "E:\\products\\win95\\quv_enu\\setup.exe";
constexpr char kIconPrefix[] = "exe=c:\\brumix\\kez.exe desc=KEZ group=";

class LaunchSequence : public ::testing::Test {
 protected:
  fake::FakePlatform os;

  LaunchSequence() { os.own_path_text = "E:\\cd\\launcher.exe"; }

  int run(const char* tail = "/s", int show = 1) {
    return launcher::run_launch_sequence(os, tail, show);
  }
  // The setup path that reached the existence test.
  std::string tested_path() const {
    for (const std::string& entry : os.log) {
      if (entry.rfind("file_exists(", 0) == 0) return entry.substr(12, entry.size() - 13);
    }
    return "<not tested>";
  }
  std::string icon_parameters() const {
    return os.starts.empty() ? "<not started>" : os.starts.front().parameters;
  }
};

TEST_F(LaunchSequence, StartsTheLanguagesSetupProgramInOrder) {
  os.locale = "00000407";
  os.set_profile(kProfile, "GERMAN", "D:\\products\\deu\\setup.exe");
  os.set_profile(kProfile, "GERMAN_STARTUP", "Autostart");
  os.existing_files.insert("E:\\products\\deu\\setup.exe");
  os.found_path_for["E:\\products\\deu\\setup.exe"] = "E:\\PRODUCTS\\DEU\\SETUP.EXE";

  EXPECT_EQ(run("/q  /x", 7), 0);

  const Log expected = {
      "own_path(260)",
      // Started from a folder below the tree's root: does the folder hold the tree?
      "is_file(E:\\cd\\install\\quv\\win\\client.ini)",
      "open_user_key(Control Panel\\Desktop)",
      "query_value(opened,ResourceLocale,80)",
      "compare_no_case(07,16)",
      "compare_no_case(07,09)",
      "compare_no_case(07,0C)",
      "compare_no_case(07,10)",
      "compare_no_case(07,07)",
      "profile_string(95,GERMAN,d:\\products\\win95\\quv_enu\\setup.exe,260," +
          std::string(kProfile) + ")",
      "profile_string(95,GERMAN_STARTUP,STARTUP,15," + std::string(kProfile) + ")",
      "start_program(" + std::string(kIconTool) + "," + kIconPrefix + "Autostart,,2)",
      "close_key(opened)",
      "file_exists(E:\\products\\deu\\setup.exe)",
      "start_program(E:\\PRODUCTS\\DEU\\SETUP.EXE,/q  /x,,7)",
  };
  EXPECT_EQ(os.log, expected);
}

TEST_F(LaunchSequence, ExitStatusFollowsTheLaunchResult) {
  struct Case {
    intptr_t result;
    int status;
  };
  // 0 is "out of memory or resources" and must not read as success.
  const Case cases[] = {{33, 0}, {42, 0}, {1 << 20, 0}, {32, 32}, {31, 31},
                        {2, 2},  {1, 1},  {0, 8},       {-5, -5}};
  for (const Case& c : cases) {
    fake::FakePlatform fresh;
    fresh.own_path_text = "E:\\launcher.exe";
    fresh.existing_files.insert(kDefaultOnE);
    fresh.start_results = {42, c.result};  // icon tool, then setup
    EXPECT_EQ(launcher::run_launch_sequence(fresh, "", 1), c.status) << c.result;
    EXPECT_EQ(fresh.starts.size(), 2u);
  }
  EXPECT_EQ(launcher::exit_status_for_launch(-1), -1);
}

// The registry's value first; only where it cannot be read (Windows 2000
// and later keep none) the display language; where Windows has none (NT
// 4.0), the user's locale; without any, a silent end.
TEST_F(LaunchSequence, TheUsersLanguageComesFromTheRegistryElseTheDisplayLanguage) {
  const std::string open = "open_user_key(Control Panel\\Desktop)";
  const std::string query = "query_value(opened,ResourceLocale,80)";
  struct Case {
    const char* name;
    long open_result;
    long query_result;
    const char* registry;
    uint16_t display;
    Log locale_reads;      // the log from the key's open on
    const char* compared;  // the code compared next; nullptr: nothing more
    int status;
    bool box;
    bool closed;        // the key is closed before the file test
    uint16_t user = 0;  // the user's locale
  };
  const Case cases[] = {
      {"value wins over another display language",
       0,
       0,
       "00000407",
       0x040C,
       {open, query},
       "07",
       0,
       false,
       true},
      {"unmatched value shows the box",
       0,
       0,
       "00000411",
       0x0409,
       {open, query},
       "11",
       -1,
       true,
       false},
      {"no value: the display language",
       0,
       2,
       "",
       0x0C07,
       {open, query, "display_language"},
       "07",
       0,
       false,
       true},
      {"value too long: the display language",
       0,
       234,
       "",
       0x0410,
       {open, query, "display_language"},
       "10",
       0,
       false,
       true},
      {"no key: the display language, nothing to close",
       2,
       0,
       "",
       0x080A,
       {open, "display_language"},
       "0A",
       0,
       false,
       false},
      {"display language with no row shows the box",
       0,
       2,
       "",
       0x0411,
       {open, query, "display_language"},
       "11",
       -1,
       true,
       false},
      {"no value and no display language (NT 4.0): the user's locale",
       0,
       2,
       "",
       0,
       {open, query, "display_language", "user_locale"},
       "07",
       0,
       false,
       true,
       0x0407},
      {"no key and no display language: the user's locale, nothing to close",
       2,
       0,
       "",
       0,
       {open, "display_language", "user_locale"},
       "07",
       0,
       false,
       false,
       0x0C07},
      {"the user's locale with no row shows the box",
       0,
       2,
       "",
       0,
       {open, query, "display_language", "user_locale"},
       "13",
       -1,
       true,
       false,
       0x0413},
      {"no value, no display language, no user's locale ends silently",
       0,
       2,
       "",
       0,
       {open, query, "display_language", "user_locale"},
       nullptr,
       -1,
       false,
       false},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fresh;
    fresh.own_path_text = "E:\\launcher.exe";
    fresh.existing_files.insert(kDefaultOnE);
    fresh.open_result = c.open_result;
    fresh.query_result = c.query_result;
    fresh.locale = c.registry;
    fresh.ui_language = c.display;
    fresh.user_lang_id = c.user;
    EXPECT_EQ(launcher::run_launch_sequence(fresh, "", 1), c.status) << c.name;
    Log expected = {"own_path(260)"};
    expected.insert(expected.end(), c.locale_reads.begin(), c.locale_reads.end());
    if (c.compared != nullptr) {
      expected.push_back(std::string("compare_no_case(") + c.compared + ",16)");
    }
    const size_t shown = std::min(fresh.log.size(), expected.size());
    const Log head(fresh.log.begin(), fresh.log.begin() + static_cast<std::ptrdiff_t>(shown));
    EXPECT_EQ(head, expected) << c.name;
    if (c.compared == nullptr) {
      EXPECT_EQ(fresh.log.size(), expected.size()) << c.name;
    }
    EXPECT_EQ(fresh.boxes.size(), c.box ? 1u : 0u) << c.name;
    EXPECT_EQ(fresh.starts.size(), c.status == 0 ? 2u : 0u) << c.name;
    // Only a key that was opened is closed, and then before the file test.
    const auto close = std::find_if(fresh.log.begin(), fresh.log.end(), [](const std::string& e) {
      return e.rfind("close_key", 0) == 0;
    });
    EXPECT_EQ(close != fresh.log.end(), c.closed) << c.name;
    if (c.closed) {
      EXPECT_EQ(*close, "close_key(opened)") << c.name;
      EXPECT_EQ(*(close + 1), "file_exists(" + std::string(kDefaultOnE) + ")") << c.name;
    }
  }
}

TEST_F(LaunchSequence, UnmatchedLanguageShowsTheStopBox) {
  os.locale = "00000411";
  EXPECT_EQ(run(), -1);
  EXPECT_EQ(os.log[os.log.size() - 2], "format_text(Unable to find Language - 2)");
  EXPECT_EQ(os.log.back(), "message_box(Unable to find Language - 2,16)");
  EXPECT_TRUE(os.starts.empty());
}

TEST_F(LaunchSequence, MissingSetupProgramStillRunsTheIconTool) {
  EXPECT_EQ(run(), -1);
  ASSERT_EQ(os.starts.size(), 1u);
  EXPECT_EQ(os.starts[0].file, kIconTool);
  EXPECT_EQ(os.log.back(), std::string("file_exists(") + kDefaultOnE + ")");
}

TEST_F(LaunchSequence, FailingIconToolDoesNotStopSetup) {
  os.existing_files.insert(kDefaultOnE);
  os.start_results = {2, 42};
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(os.starts.size(), 2u);
}

TEST_F(LaunchSequence, NoTreeRootEndsBeforeAnythingElse) {
  const char* paths[] = {"", "E", "1:\\launcher.exe", "::\\x", "\\\\?\\E:\\launcher.exe",
                         "\\\\?\\UNC\\srv\\share\\launcher.exe", "\\\\.\\E:\\launcher.exe",
                         "\\\\srv", "\\\\srv\\", "\\\\\\share\\launcher.exe", "\\launcher.exe",
                         "launcher.exe",
                         // A share too long for the profile's path to fit below it.
                         "\\\\srv\\", "\\\\srv\\"};
  std::vector<std::string> own_paths(std::begin(paths), std::end(paths));
  own_paths.end()[-2] += std::string(240, 's') + "\\launcher.exe";
  own_paths.end()[-1] += std::string(240, 's');
  for (const std::string& path : own_paths) {
    fake::FakePlatform fresh;
    fresh.own_path_text = path;
    EXPECT_EQ(launcher::run_launch_sequence(fresh, "", 1), -1) << path;
    EXPECT_EQ(fresh.log, Log{"own_path(260)"}) << path;
  }
  // A failed read is not trusted even if the buffer happens to look right.
  os.own_path_result = 0;
  EXPECT_EQ(run(), -1);
  EXPECT_EQ(os.log, Log{"own_path(260)"});
}

// Where the tree's root is found, and every path moved onto it.
TEST_F(LaunchSequence, TheTreesRootAndThePathsMovedOntoIt) {
  struct Case {
    const char* own_path;
    std::string profile_at;  // where the profile lies ("": nowhere)
    const char* setup_value;
    std::string probed;     // the folder's profile asked about ("": none)
    std::string icon_tool;  // "": not started
    std::string tested;     // "": the setup program is not looked for
  };
  const std::string deep(231, 'd');  // the profile fits below it, the icon tool not
  const Case cases[] = {
      {"E:\\launcher.exe", "E:\\install\\quv\\win\\client.ini", "D:\\fr\\setup.exe", "",
       "E:\\install\\quv\\win\\addiconw.exe", "E:\\fr\\setup.exe"},
      {"C:\\Windows\\ccmcache\\1a\\launcher.exe",
       "C:\\Windows\\ccmcache\\1a\\install\\quv\\win\\client.ini", "d:\\fr\\setup.exe",
       "C:\\Windows\\ccmcache\\1a\\install\\quv\\win\\client.ini",
       "C:\\Windows\\ccmcache\\1a\\install\\quv\\win\\addiconw.exe",
       "C:\\Windows\\ccmcache\\1a\\fr\\setup.exe"},
      {"\\\\srv\\share\\launcher.exe", "\\\\srv\\share\\install\\quv\\win\\client.ini",
       "D:\\fr\\setup.exe", "", "\\\\srv\\share\\install\\quv\\win\\addiconw.exe",
       "\\\\srv\\share\\fr\\setup.exe"},
      {"\\\\srv\\share\\product\\launcher.exe",
       "\\\\srv\\share\\product\\install\\quv\\win\\client.ini", "x",
       "\\\\srv\\share\\product\\install\\quv\\win\\client.ini",
       "\\\\srv\\share\\product\\install\\quv\\win\\addiconw.exe",
       "\\\\srv\\share\\product\\products\\win95\\quv_enu\\setup.exe"},
      // In a sub-folder of a tree at the drive's root: the drive is the root.
      {"E:\\tools\\launcher.exe", "E:\\install\\quv\\win\\client.ini", "xy",
       "E:\\tools\\install\\quv\\win\\client.ini", "E:\\install\\quv\\win\\addiconw.exe", "E:"},
      {"\\\\srv\\share\\tools\\launcher.exe", "", nullptr,
       "\\\\srv\\share\\tools\\install\\quv\\win\\client.ini",
       "\\\\srv\\share\\install\\quv\\win\\addiconw.exe",
       "\\\\srv\\share\\products\\win95\\quv_enu\\setup.exe"},
      // So deep that the icon tool's path and the setup's no longer fit.
      {nullptr, "E:\\" + deep.substr(3) + "\\install\\quv\\win\\client.ini", nullptr,
       "E:\\" + deep.substr(3) + "\\install\\quv\\win\\client.ini", "", ""},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fresh;
    fresh.own_path_text = c.own_path ? c.own_path : "E:\\" + deep.substr(3) + "\\launcher.exe";
    if (!c.profile_at.empty()) {
      fresh.set_profile(c.profile_at, "ENGLISH_STARTUP", "Group");
      if (c.setup_value != nullptr) fresh.set_profile(c.profile_at, "ENGLISH", c.setup_value);
    }
    EXPECT_EQ(launcher::run_launch_sequence(fresh, "", 1), -1) << fresh.own_path_text;
    Log probes;
    for (const std::string& line : fresh.log) {
      if (line.rfind("is_file(", 0) == 0) probes.push_back(line);
    }
    EXPECT_EQ(probes, c.probed.empty() ? Log{} : Log{"is_file(" + c.probed + ")"})
        << fresh.own_path_text;
    const std::string icon_tool = fresh.starts.empty() ? "" : fresh.starts[0].file;
    EXPECT_EQ(icon_tool, c.icon_tool) << fresh.own_path_text;
    EXPECT_EQ(fresh.starts.empty() ? "" : fresh.starts[0].parameters,
              c.icon_tool.empty()
                  ? ""
                  : kIconPrefix + std::string(c.profile_at.empty() ? "STARTUP" : "Group"));
    const std::string last = fresh.log.back();
    EXPECT_EQ(last, c.tested.empty() ? "close_key(opened)" : "file_exists(" + c.tested + ")")
        << fresh.own_path_text;
  }
}

TEST_F(LaunchSequence, PathsMoveOntoTheDriveAsSpelled) {
  os.own_path_text = "z:\\deep\\er\\launcher.exe";
  os.set_profile("z:\\install\\quv\\win\\client.ini", "ENGLISH", "D:\\p\\setup.exe");
  run();
  EXPECT_EQ(os.starts.at(0).file, "z:\\install\\quv\\win\\addiconw.exe");
  EXPECT_EQ(tested_path(), "z:\\p\\setup.exe");
}

TEST_F(LaunchSequence, SetupValueRules) {
  struct Case {
    const char* value;  // nullptr: no key in the profile
    std::string tested;
  };
  const Case cases[] = {
      {nullptr, kDefaultOnE},
      {"", kDefaultOnE},  // the default's remainder is still in the buffer
      {"x", kDefaultOnE},
      {"xy", "E:"},
      {"\\\\host\\setup.exe", "E:host\\setup.exe"},  // first two always replaced
      {"C:\\setup.exe", "E:\\setup.exe"},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fresh;
    fresh.own_path_text = "E:\\launcher.exe";
    if (c.value != nullptr) fresh.set_profile(kProfile, "ENGLISH", c.value);
    launcher::run_launch_sequence(fresh, "", 1);
    EXPECT_EQ(fresh.log.back(), "file_exists(" + c.tested + ")") << (c.value ? c.value : "none");
  }
  // A value of 300 characters is cut to 259.
  os.set_profile(kProfile, "ENGLISH", "D:" + std::string(298, 'v'));
  run();
  EXPECT_EQ(tested_path(), "E:" + std::string(257, 'v'));
}

TEST_F(LaunchSequence, GroupNameRules) {
  struct Case {
    const char* value;  // nullptr: no key in the profile
    std::string parameters;
  };
  const Case cases[] = {
      {nullptr, std::string(kIconPrefix) + "STARTUP"},
      {"", kIconPrefix},
      {"My Programs", std::string(kIconPrefix) + "My Programs"},
      {"ABCDEFGHIJKLMNOPQRST", std::string(kIconPrefix) + "ABCDEFGHIJKLMN"},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fresh;
    fresh.own_path_text = "E:\\launcher.exe";
    if (c.value != nullptr) fresh.set_profile(kProfile, "ENGLISH_STARTUP", c.value);
    launcher::run_launch_sequence(fresh, "", 1);
    ASSERT_FALSE(fresh.starts.empty());
    EXPECT_EQ(fresh.starts[0].parameters, c.parameters);
    EXPECT_EQ(fresh.starts[0].show, 2);
  }
  // A cut group ends the text at character 51, the slot's last byte.
  os.set_profile(kProfile, "ENGLISH_STARTUP", std::string(40, 'g'));
  run();
  EXPECT_EQ(icon_parameters().size(), 51u);
}

TEST_F(LaunchSequence, OnlyTheSelectedLanguagesKeysAreRead) {
  os.locale = "0000040A";
  run();
  for (const std::string& entry : os.log) {
    if (entry.rfind("profile_string(", 0) == 0) {
      EXPECT_NE(entry.find(",SPANISH"), std::string::npos) << entry;
    }
  }
}

// Windows 95 writes into the defaults of both profile reads when it uses
// them: a default held in read-only memory crashes the child here.
TEST(LaunchSequenceDeathTest, DefaultsAreWritableForWindows95sProfileReader) {
  EXPECT_EXIT(
      {
        fake::FakePlatform os;
        os.writes_into_default = true;  // and no profile file at all
        os.existing_files.insert(kDefaultOnE);
        const int status = launcher::run_launch_sequence(os, "", 1);
        const bool ok = status == 0 && os.starts.size() == 2 &&
                        os.starts[0].parameters == std::string(kIconPrefix) + "STARTUP" &&
                        os.starts[1].file == kDefaultOnE;
        std::exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(LauncherMain, HandsOnTheTailAndShowState) {
  fake::FakePlatform os;
  os.command_line_text = "\"E:\\my cd\\launcher.exe\"\t/a  /b ";
  os.own_path_text = "E:\\my cd\\launcher.exe";
  os.startup_flags = 1;
  os.startup_show = 7;  // SW_SHOWMINNOACTIVE
  os.existing_files.insert(kDefaultOnE);
  EXPECT_EQ(launcher::launcher_main(os), 0);
  ASSERT_EQ(os.starts.size(), 2u);
  EXPECT_EQ(os.starts[1].parameters, "/a  /b ");
  EXPECT_EQ(os.starts[1].show, 7);
  EXPECT_EQ(os.starts[1].directory, "");

  fake::FakePlatform plain;
  plain.existing_files.insert(kDefaultOnE);
  plain.startup_flags = 0x100;  // handles only, no show state
  plain.startup_show = 3;
  launcher::launcher_main(plain);
  EXPECT_EQ(plain.starts.at(1).show, 10);
}

}  // namespace
