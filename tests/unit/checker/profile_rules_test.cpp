// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The rules about client.ini itself: there, readable, with a [95] section
// and known keys, and encoded as every Windows reads it.
#include <gtest/gtest.h>

#include "checker/rules/profile_rules.h"
#include "tests/unit/checker/rule_cases.h"

namespace checker::testing {
namespace {

constexpr char kProfile[] = "install/quv/win/client.ini";

// Text as UTF-16LE, with or without its byte-order mark.
std::string utf16le(const std::string& ansi, bool mark) {
  std::string out = mark ? "\xFF\xFE" : "";
  for (const char c : ansi) out += std::string{c, '\0'};
  return out;
}

const std::vector<RuleCase> kProfileCases = {
    {"no client.ini", good_tree_with({{kProfile, kGone}}), "profile-missing", true,
     "No profile at D:\\install\\quv\\win\\client.ini: "},
    {"client.ini there", good_tree(), "profile-missing", false},
    {"client.ini a folder",
     good_tree_with({{kProfile, kGone}, {std::string(kProfile) + "/x", "x"}}), "profile-missing",
     true, "D:\\install\\quv\\win\\client.ini is a folder, not a file, so there is no profile"},
    {"client.ini unreadable", good_tree_with({{kProfile, kUnreadable}}), "file-unreadable", true,
     "D:\\install\\quv\\win\\client.ini is in the tree but cannot be read"},
    {"client.ini readable", good_tree(), "file-unreadable", false},
    {"another section",
     good_tree_with({{kProfile, "[96]\r\nENGLISH=D:\\products\\enu\\setup.exe\r\n"}}),
     "section-missing", true, "client.ini has no [95] section"},
    {"[95] in any case", good_tree_with({{kProfile, "[95]\r\n"}}), "section-missing", false},
    {"a typo of a key", good_tree_with({{kProfile, profile_with({"ENGLSH=D:\\x.exe"})}}),
     "unknown-key", true, "ENGLSH"},
    {"keys in any case", good_tree_with({{kProfile, profile_with({"english_startup=Group"})}}),
     "unknown-key", false},
    {"UTF-16 without its mark", good_tree_with({{kProfile, utf16le(profile_with({}), false)}}),
     "profile-encoding", true, "UTF-16 text without a byte-order mark"},
    {"ANSI", good_tree(), "profile-encoding", false},
};
const bool kProfileRegistered = register_cases(kProfileCases);

TEST(ProfileRules, WhereClientIniIsAndWhatItHolds) { expect_cases(check_profile, kProfileCases); }

const std::vector<RuleCase> kEncodingCases = {
    // No Windows decodes a UTF-8 mark: it is part of the first line, [95].
    {"UTF-8 with its mark", good_tree_with({{kProfile, "\xEF\xBB\xBF" + profile_with({})}}),
     "profile-encoding-changes-launch", true,
     "UTF-8 byte-order mark, which Windows does not decode (Wine does): every Windows reads"},
    // NT decodes UTF-16 by its mark; 95/98/ME read the bytes.
    {"UTF-16 with its mark, NT predicted",
     good_tree_with({{kProfile, utf16le(profile_with({}), true)}}),
     "profile-encoding-changes-launch", false},
    {"UTF-16 with its mark, on 9x", good_tree_with({{kProfile, utf16le(profile_with({}), true)}}),
     "profile-encoding", true,
     "Windows 2000 and later decode it, but Windows 95 to ME and NT 4.0 read the raw bytes"},
    {"UTF-16 with its mark, 98 predicted",
     good_tree_with({{kProfile, utf16le(profile_with({}), true)}}),
     "profile-encoding-changes-launch", true, "Windows 95 to ME and NT 4.0 read the raw bytes",
     "98"},
    // NT 4.0 is not said to decode it (published tables: 2000 is the first).
    {"UTF-16 with its mark, NT 4.0 predicted",
     good_tree_with({{kProfile, utf16le(profile_with({}), true)}}),
     "profile-encoding-changes-launch", true, "NT 4.0 read the raw bytes", "nt4"},
    {"UTF-8 without a mark",
     good_tree_with({{kProfile, profile_with({"ENGLISH_STARTUP=Caf\xC3\xA9"})}}),
     "profile-encoding", true, "UTF-8"},
    {"ANSI beyond ASCII", good_tree_with({{kProfile, profile_with({"ENGLISH_STARTUP=Caf\xE9"})}}),
     "profile-encoding", false},
    // C0 and C1 lead only overlong forms: "\xC0\xA9" is Windows-1252's "À©".
    {"ANSI with the bytes of an overlong form",
     good_tree_with({{kProfile, profile_with({"ENGLISH_STARTUP=\xC0\xA9 \xC1\xA9"})}}),
     "profile-encoding", false},
};
const bool kEncodingRegistered = register_cases(kEncodingCases);

TEST(ProfileRules, EncodingsAsEachWindowsReadsThem) {
  expect_cases(check_encoding, kEncodingCases);
}

TEST(ProfileRules, TheNearestKnownKeyOfATypo) {
  EXPECT_EQ(nearest_known_key("ENGLSH"), "ENGLISH");
  EXPECT_EQ(nearest_known_key("PORTUGUESE"), "PORTUGESE");
  EXPECT_EQ(nearest_known_key("german_startUP"), "GERMAN_STARTUP");
  EXPECT_EQ(nearest_known_key("VERSION"), std::nullopt);
}

}  // namespace
}  // namespace checker::testing
