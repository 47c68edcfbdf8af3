// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/setup_rules.h"

#include <algorithm>

#include "checker/names/path_rules.h"
#include "checker/predict/launch.h"
#include "checker/rules/release_starts.h"
#include "launcher/icon_registration.h"
#include "launcher/tree_root.h"
#include "launcher/launch_sequence.h"
#include "launcher/launcher.h"

namespace checker {

namespace {

std::optional<int> key_line(const Profile* profile, const char* key) {
  const ProfileKey* found =
      profile == nullptr ? nullptr : profile->find_key(launcher::kProfileSection, key);
  return found ? std::optional<int>(found->line) : std::nullopt;
}

// Each release other than `chosen` that does not start `file`, grouped by
// its reason, with the launcher's exit status there ("Windows 95 to ME: a
// 64-bit program, ... (the launcher ends with 11 there)"); the releases
// that do start it go to `start`.
std::string refusals_elsewhere(const TreeFacts& facts, const TreeCheck& result,
                               const std::string& file, std::vector<bool>* start) {
  const ReleaseStarts spread = release_starts(result, facts.tree, file, &facts.release);
  *start = spread.starts;
  std::string refusals;
  for (const StartOn& refusal : spread.refusals) {
    refusals += (refusals.empty() ? "" : "; ") + releases_prose(refusal.on) + ": " +
                refusal.start.note + " (the launcher ends with " +
                std::to_string(launcher::exit_status_for_launch(refusal.start.result)) + " there)";
  }
  return refusals;
}

void check_setup_start(const TreeFacts& facts, const TreeCheck& result, LanguageCheck& check,
                       std::optional<int> line) {
  Tree& tree = facts.tree;
  const Release& chosen = facts.release;
  std::vector<Finding>& findings = check.findings;
  if (check.starts.size() < 2) return;
  const ProgramStart& setup = check.starts[1];
  if (setup.kind == StartKind::kUnreadable) {
    findings.push_back(unreadable(tree, setup.file));
    return;
  }
  std::vector<bool> start;
  const std::string refusals = refusals_elsewhere(facts, result, setup.file, &start);
  const std::string elsewhere =
      count_of(start) == 0 ? "" : " It starts on " + releases_prose(start) + ".";
  const std::string ends_with = " the launcher ends with " +
                                std::to_string(launcher::exit_status_for_launch(setup.result)) +
                                ".";
  if (setup.result == kBadFormat) {
    const bool nothing = setup.kind == StartKind::kNoProgram;
    findings.push_back(finding(nothing ? Code::kSetupNotAProgram : Code::kSetupWrongWindows,
                               setup.file + " is " + setup.note + ", so " +
                                   (nothing ? std::string("Windows cannot start it")
                                            : std::string("it does not start on ") + chosen.title) +
                                   " and" + ends_with +
                                   (nothing ? " Put the real setup program there." : elsewhere),
                               line));
    return;
  }
  if (setup.result == kNoAssociation) {
    findings.push_back(finding(Code::kSetupNeedsAssociation,
                               setup.file + ": " + setup.note + ", so on " + chosen.title +
                                   ends_with + elsewhere + " Point " + check.setup_key +
                                   "= at an .exe.",
                               line));
    return;
  }
  if (setup.kind == StartKind::kDocument) {
    findings.push_back(
        finding(Code::kSetupOpensDocument, setup.file + " is " + setup.note + ".", line));
  }
  if (setup.kind == StartKind::kNeedsFeature) {
    findings.push_back(
        finding(Code::kSetupNeedsFeature, setup.file + " is " + setup.note + ".", line));
  }
  if (!refusals.empty()) {
    findings.push_back(finding(
        Code::kSetupNotOnEveryWindows,
        setup.file + " starts on " + chosen.title + ", but not on every Windows: " + refusals + ".",
        line));
  }
}

// A setup program in VBScript: a .vbs file, or an HTML application whose
// scripts are VBScript. VBScript is an optional feature from Windows 11,
// version 24H2 on, to be off by default and then removed ("VBScript
// deprecation", Microsoft).
void check_vbscript(Tree& tree, LanguageCheck& check, std::optional<int> line) {
  const std::string extension = lower_extension(check.setup_path);
  bool vbscript = extension == ".vbs" || extension == ".vbe";
  if (extension == ".hta") {
    std::string text = tree.read_file(check.setup_path, 1 << 20).value_or("");
    for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    vbscript = text.find("vbscript") != std::string::npos;
  }
  if (!vbscript || !check.found_path) return;
  check.findings.push_back(finding(
      Code::kSetupUsesVbscript,
      check.setup_path +
          (extension == ".hta" ? " is an HTML application that runs VBScript"
                               : " is a VBScript file") +
          ": VBScript is an optional feature from Windows 11, version 24H2 on, to be turned off "
          "by default and then removed, so the setup program will stop starting there. Make the "
          "setup program an .exe.",
      line));
}

// The setup key's value: missing or too short (the default program), or a
// drive the launcher replaces.
void check_setup_value(LanguageCheck& check, bool provided, std::optional<int> setup_line) {
  const std::string& key = check.setup_key;
  if (check.setup_default_used) {
    const std::string why = !check.setup_value           ? "missing from [95]"
                            : check.setup_value->empty() ? "empty"
                                                         : "only one character";
    if (provided) {
      check.findings.push_back(
          finding(Code::kSetupDefaultUsed,
                  key + " is " + why + ", so the launcher starts the default " +
                      (launcher::kDefaultSetupPath + 2) + " on its own drive. Write " + key +
                      "=D:\\path\\to\\setup.exe.",
                  setup_line));
    }
  } else {
    const std::string& value = *check.setup_value;
    if (!launcher::has_drive(value.c_str(), static_cast<uint32_t>(value.size()))) {
      check.findings.push_back(finding(Code::kSetupNoDrivePrefix,
                                       key + "=" + value +
                                           " does not begin with a drive: its first "
                                           "two characters \"" +
                                           value.substr(0, 2) +
                                           "\" are replaced by the launcher's drive, giving " +
                                           check.setup_path + ". Begin the path with D:.",
                                       setup_line));
    } else if (value[0] != 'D' && value[0] != 'd') {
      check.findings.push_back(
          finding(Code::kSetupOtherDrive,
                  key + "=" + value + " names drive " + value.substr(0, 2) +
                      ", but the launcher moves every path onto the drive it was "
                      "started from, giving " +
                      check.setup_path + ". Write D: to say what happens.",
                  setup_line));
    }
  }
}

// The group key: missing (STARTUP), or cut to the launcher's slot.
void check_group(LanguageCheck& check, bool provided, std::optional<int> group_line) {
  if (!check.group_value) {
    if (provided) {
      check.findings.push_back(
          finding(Code::kGroupDefaultUsed, check.group_key +
                                               " is missing from [95], so the icon goes to the "
                                               "program group STARTUP. Write " +
                                               check.group_key + "=<group name>."));
    }
  } else if (check.group_cut) {
    check.findings.push_back(
        finding(Code::kGroupCut,
                check.group_key + " is \"" + *check.group_value + "\" (" +
                    std::to_string(check.group_value->size()) +
                    " characters as read); the icon tool gets only \"" + check.group + "\"" +
                    (check.group_value->size() > launcher::kGroupSlotSize - 1
                         ? ", the " + std::to_string(launcher::kGroupSlotSize - 1) +
                               " characters of the launcher's slot. Shorten it."
                         : ": a quoted value that fills the slot loses one more character. "
                           "Shorten it, or drop the quotes."),
                group_line));
  }
}

// The setup program the file test looks for: its path's length, and
// whether it is there.
void check_setup_found(Tree& tree, LanguageCheck& check, std::optional<int> setup_line,
                       const std::string& place) {
  const std::string& key = check.setup_key;
  if (!check.unfit_path.empty()) {
    check.findings.push_back(finding(Code::kSetupPathTooLong,
                                     "The setup program's path " + check.unfit_path + " has " +
                                         std::to_string(check.unfit_path.size()) +
                                         " characters; the launcher's paths hold at most " +
                                         std::to_string(launcher::kPathSize - 1) +
                                         ", so it ends with " +
                                         std::to_string(launcher::kExitFailed) +
                                         " without looking for it. Start the tree from a "
                                         "shorter place, or move the program to a shorter path.",
                                     setup_line));
    return;
  }
  const auto full = full_path(check.setup_path);
  // Its length as the file test meets it: spelt from the place.
  const std::string spelt = check.found_path ? *check.found_path
                            : full           ? place + full->text.substr(2)
                                             : check.setup_path;
  const size_t length = spelt.size();
  if (length >= platform::kFoundPathSize) {
    check.findings.push_back(
        finding(Code::kSetupPathTooLong,
                "The setup program's full path " + spelt + " has " + std::to_string(length) +
                    " characters; the launcher's file test takes at most " +
                    std::to_string(platform::kFoundPathSize - 1) + ", so it ends with " +
                    std::to_string(launcher::kExitFailed) + ". Move the program to a shorter path.",
                setup_line));
  }
  const Tree::Entry setup_entry = tree.entry_at(check.setup_path);
  if (!check.found_path && setup_entry == Tree::Entry::kUnreadable) {
    check.findings.push_back(unreadable(tree, check.setup_path));
  } else if (!check.found_path) {
    const bool folder = setup_entry == Tree::Entry::kFolder;
    check.findings.push_back(
        finding(Code::kSetupNotFound,
                "The setup program " + check.setup_path +
                    (folder ? " is a folder, not a file" : " is not in the tree") +
                    ", so the launcher ends with " + std::to_string(launcher::kExitFailed) +
                    ". Put it there, or correct " + key + "= in client.ini.",
                setup_line));
  }
}

// The findings of one language's launch.
void check_language(const TreeFacts& facts, const TreeCheck& result, LanguageCheck& check) {
  const CheckOptions& options = facts.options;
  const auto setup_line = key_line(facts.profile, check.setup_key.c_str());
  const bool provided =
      !options.languages || std::find(options.languages->begin(), options.languages->end(),
                                      check.setup_key) != options.languages->end();
  check_setup_value(check, provided, setup_line);
  check_group(check, provided, key_line(facts.profile, check.group_key.c_str()));
  check_setup_found(facts.tree, check, setup_line, options.place());
  check_setup_start(facts, result, check, setup_line);
  check_vbscript(facts.tree, check, setup_line);
}

}  // namespace

void check_setup(const TreeFacts& facts, TreeCheck& result) {
  // Without the launcher or its profile there is nothing of a language's to
  // judge: the tree's finding says why.
  const auto judge = [&](LanguageCheck& l) {
    const bool unknown = l.cannot_tell && knows_nothing(*l.cannot_tell);
    if (!l.language.empty() && !unknown) check_language(facts, result, l);
  };
  for (LanguageCheck& l : result.languages) judge(l);
  if (result.unmatched) judge(*result.unmatched);
}

}  // namespace checker
