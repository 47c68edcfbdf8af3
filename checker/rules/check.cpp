// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/check.h"

#include <algorithm>
#include <set>

#include "checker/predict/launch.h"
#include "checker/rules/disc_rules.h"
#include "checker/rules/icon_tool_rules.h"
#include "checker/rules/profile_rules.h"
#include "checker/rules/setup_rules.h"
#include "checker/names/path_rules.h"

namespace checker {

namespace {

LanguageCheck judged_launch(const TreeFacts& facts, const std::string& locale) {
  LanguageCheck check{
      predict_language(facts.tree, facts.profile, locale, facts.options, facts.tree_of), {}};
  // Without the launcher or its profile there is nothing of the language's
  // to judge: the tree's finding says why.
  const bool unknown = check.cannot_tell && knows_nothing(*check.cannot_tell);
  if (!check.language.empty() && !unknown) check_language(facts, check);
  return check;
}

// Each language's launch, predicted and judged by the setup rules; then
// what a locale with no row gets.
void check_languages(const TreeFacts& facts, TreeCheck& result) {
  for (const std::string& locale : checked_locales(facts.options)) {
    result.languages.push_back(judged_launch(facts, locale));
  }
  if (!facts.options.locale) result.unmatched = judged_launch(facts, kUnmatchedLocale);
}

// A disc's own rules (autorun.inf, the launcher at the root, lost names),
// after the launches whose paths they look for.
void check_disc_group(const TreeFacts& facts, TreeCheck& result) {
  if (facts.disc != nullptr) check_disc(*facts.disc, result);
}

// The rule groups, in the order a report lists their findings.
using RuleGroup = void (*)(const TreeFacts&, TreeCheck&);
constexpr RuleGroup kRuleGroups[] = {check_profile, check_icon_tool, check_encoding,
                                     check_languages, check_disc_group};

// The host file of each file a finding is about, as the tree found it, and
// the text of the client.ini lines they are about.
void find_places(Tree& tree, const std::optional<std::string>& profile, TreeCheck& result) {
  std::set<int> lines;
  for (const auto& [language, f] : result.each_finding()) {
    if (f->file == kProfileDPath && f->line) lines.insert(*f->line);
    const auto full = f->file.empty() ? std::nullopt : full_path(f->file);
    if (!full) continue;
    if (const auto host = tree.host_file(full->parts)) result.host_files[f->file] = *host;
  }
  if (profile) result.profile_lines = profile_lines(*profile, marks_of(*result.release), lines);
}

}  // namespace

Finding unreadable(const Tree& tree, const std::string& d_path) {
  const auto full = full_path(d_path);
  const std::string file = full ? full->text : d_path;
  return finding_about(Code::kFileUnreadable,
                       "Cannot tell what the launcher does: " + file + " is " + tree.where() +
                           " but cannot be read. Check the medium, or master it again.",
                       file);
}

std::vector<std::pair<std::string, const Finding*>> TreeCheck::each_finding() const {
  std::vector<std::pair<std::string, const Finding*>> all;
  for (const Finding& f : findings) all.emplace_back("", &f);
  for (const LanguageCheck& l : languages) {
    for (const Finding& f : l.findings) all.emplace_back(l.language, &f);
  }
  return all;
}

bool TreeCheck::all_start() const {
  return !languages.empty() &&
         std::all_of(languages.begin(), languages.end(),
                     [](const LanguageCheck& l) { return l.exit_status == 0 && !l.cannot_tell; });
}

// From a folder, the launcher needs the tree's profile to take the folder
// as its root, and every found path grows by the folder's length beyond
// the two characters of "D:" (the file test's 127 characters); the icon
// tool's path must still fit the launcher's 259.
namespace {

std::optional<Room> room_of(const TreeCheck& check) {
  if (!check.profile_found || check.place_given) return std::nullopt;
  std::optional<Room> room;
  for (const LanguageCheck& l : check.languages) {
    if (l.exit_status != 0 || l.cannot_tell || !l.found_path) continue;
    const size_t tail = l.found_path->size() - 2;
    const size_t fits =
        std::min(kLongestPlace, platform::kFoundPathSize - 1 -
                                    std::min(tail, size_t{platform::kFoundPathSize - 1}));
    if (!room || fits < room->characters) room = Room{fits, l.language, *l.found_path};
  }
  return room;
}

}  // namespace

TreeCheck check_tree(Tree& tree, const std::string& root, const CheckOptions& options,
                     DiscTree* disc, const TreeOf& tree_of) {
  TreeCheck result;
  result.tree = root;
  result.place = options.place();
  result.place_given = options.from.has_value();
  result.medium = tree.medium();
  result.release = options.release;
  for (const Windows w : kAllWindows) {
    result.language_source[w] = language_source(representative_release(w), options);
  }
  for (const Release& r : kReleases) result.release_language.push_back(language_source(r, options));
  const std::optional<std::string> bytes = tree.read_file(kProfileDPath, Tree::kWholeFile);
  std::optional<Profile> profile;
  if (bytes) profile.emplace(*bytes, marks_of(*options.release));
  result.profile_found = bytes.has_value();
  if (bytes) result.profile_text = profile_text(*bytes);

  const TreeOf same_tree = [&tree](const Release&) -> Tree& { return tree; };
  const TreeFacts facts{tree,    bytes, profile ? &*profile : nullptr,
                        options, disc,  tree_of ? tree_of : same_tree};
  result.profile_unreadable = !bytes && tree.entry_at(kProfileDPath) == Tree::Entry::kUnreadable;
  // A disc this release reads nothing of: the disc's own finding says so,
  // and no rule of the tree holds.
  if (tree.medium() == "none") {
    check_languages(facts, result);
    return result;
  }
  for (const RuleGroup group : kRuleGroups) group(facts, result);
  find_places(tree, bytes, result);
  result.room = room_of(result);
  return result;
}

}  // namespace checker
