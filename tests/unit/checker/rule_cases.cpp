// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "tests/unit/checker/rule_cases.h"

#include <gtest/gtest.h>

#include "checker/windows/releases.h"
#include "launcher/launch_sequence.h"

namespace checker::testing {

std::vector<CaseOfCode>& registered_cases() {
  static std::vector<CaseOfCode> all;
  return all;
}

bool register_case(const std::string& code, bool raised, const std::string& name) {
  registered_cases().push_back({code, raised, name});
  return true;
}

bool register_cases(const std::vector<RuleCase>& cases) {
  for (const RuleCase& c : cases) register_case(c.code, c.raised, c.name);
  return true;
}

TreeCheck run_case(RuleGroup group, const RuleCase& c) {
  MemoryTree tree(c.files, c.disc);
  CheckOptions options;
  options.release = *release_named(c.release);
  options.locale = c.locale;
  options.languages = c.languages;
  return check_tree_with(tree, "t", options, c.disc ? &tree : nullptr, {group});
}

void expect_finding(const TreeCheck& check, const std::string& code, bool raised,
                    const std::string& said, const std::string& name) {
  std::string messages;
  bool found = false, says = false;
  for (const auto& [language, f] : check.each_finding()) {
    messages += std::string(f->name()) + ": " + f->message + "\n";
    if (f->name() != code) continue;
    found = true;
    says = says || f->message.find(said) != std::string::npos;
  }
  EXPECT_EQ(found, raised) << name << " (" << code << ")\n" << messages;
  EXPECT_TRUE(!raised || says) << name << ": \"" << said << "\" not in\n" << messages;
}

void expect_cases(RuleGroup group, const std::vector<RuleCase>& cases) {
  for (const RuleCase& c : cases)
    expect_finding(run_case(group, c), c.code, c.raised, c.said, c.name);
}

namespace {

// Each language's setup program, by its setup key: constant, so that the
// other files' tables, made at static initialisation, find it made.
constexpr std::pair<const char*, const char*> kPrograms[] = {
    {"PORTUGESE", "products/ptb/setup.exe"}, {"ENGLISH", "products/enu/setup.exe"},
    {"FRENCH", "products/fra/setup.exe"},    {"ITALIAN", "products/ita/setup.exe"},
    {"GERMAN", "products/deu/setup.exe"},    {"SPANISH", "products/esp/setup.exe"}};

std::string d_path(const std::string& path) {
  std::string out = "D:\\" + path;
  for (char& c : out) c = c == '/' ? '\\' : c;
  return out;
}

}  // namespace

std::string profile_with(const std::vector<std::string>& lines) {
  std::vector<std::string> added = lines;
  std::string text = "[95]\r\n";
  const auto line_for = [&](const std::string& key, const std::string& otherwise) {
    for (auto it = added.begin(); it != added.end(); ++it) {
      if (it->compare(0, key.size() + 1, key + "=") != 0) continue;
      const std::string found = *it;
      added.erase(it);
      return found;
    }
    return otherwise;
  };
  for (const auto& [name, path] : kPrograms) {
    const std::string key = name;
    text += line_for(key, key + "=" + d_path(path)) + "\r\n";
    text += line_for(key + "_STARTUP", key + "_STARTUP=Quv " + key.substr(0, 3)) + "\r\n";
  }
  for (const std::string& line : added) text += line + "\r\n";
  return text;
}

Files good_tree() {
  Files files = {{"install/quv/win/client.ini", profile_with({})},
                 {"install/quv/win/addiconw.exe", program()},
                 {"launcher.exe", program()},
                 {"autorun.inf", "[autorun]\r\nopen=launcher.exe\r\nicon=launcher.exe\r\n"}};
  for (const auto& [key, path] : kPrograms) files[path] = program();
  return files;
}

Files good_tree_with(const Files& changes) {
  Files files = good_tree();
  for (const auto& [path, content] : changes) {
    if (content == kGone) {
      files.erase(path);
    } else {
      files[path] = content;
    }
  }
  return files;
}

}  // namespace checker::testing
