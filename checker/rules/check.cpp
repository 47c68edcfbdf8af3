// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/check.h"

#include <algorithm>
#include <set>

#include "checker/names/path_rules.h"
#include "checker/predict/launch.h"
#include "checker/rules/disc_rules.h"
#include "checker/rules/icon_tool_rules.h"
#include "checker/rules/profile_rules.h"
#include "checker/rules/setup_rules.h"

namespace checker {

const RuleGroup kRuleGroups[5] = {check_profile, check_icon_tool, check_encoding, check_setup,
                                  check_disc};

namespace {

// Each language's launch, then what a locale with no row gets: the facts
// the rule groups judge, made once.
void launch_languages(const TreeFacts& facts, TreeCheck& result) {
  for (const std::string& locale : checked_locales(facts.options)) {
    result.languages.push_back(
        {predict_language(facts.tree, facts.profile, locale, facts.options, facts.tree_of), {}});
  }
  if (!facts.options.locale) {
    result.unmatched = LanguageCheck{
        predict_language(facts.tree, facts.profile, kUnmatchedLocale, facts.options, facts.tree_of),
        {}};
  }
}

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

// From a folder, the launcher needs the tree's profile to take the folder
// as its root, and every found path grows by the folder's length beyond
// the two characters of "D:" (the file test's 127 characters); the icon
// tool's path must still fit the launcher's 259.
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

// What the check knows before any launch: where it is started from, where
// each release has the language, and what client.ini's bytes are.
TreeCheck check_of(Tree& tree, const std::string& root, const CheckOptions& options,
                   const std::optional<std::string>& bytes) {
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
  result.profile_found = bytes.has_value();
  if (bytes) result.profile_text = profile_text(*bytes);
  result.profile_unreadable = !bytes && tree.entry_at(kProfileDPath) == Tree::Entry::kUnreadable;
  return result;
}

TreeCheck run_check(Tree& tree, const std::string& root, const CheckOptions& options,
                    DiscTree* disc, const TreeOf& tree_of, const RuleGroup* first,
                    const RuleGroup* last) {
  const std::optional<std::string> bytes = tree.read_file(kProfileDPath, Tree::kWholeFile);
  std::optional<Profile> profile;
  if (bytes) profile.emplace(*bytes, marks_of(*options.release));
  TreeCheck result = check_of(tree, root, options, bytes);
  const TreeOf same_tree = [&tree](const Release&) -> Tree& { return tree; };
  const TreeFacts facts{tree,
                        *options.release,
                        bytes,
                        profile ? &*profile : nullptr,
                        options,
                        disc,
                        tree_of ? tree_of : same_tree};
  launch_languages(facts, result);
  // A disc this release reads nothing of: the disc's own finding says so,
  // and no rule of the tree holds but the launches'.
  if (tree.medium() == Medium::kNothing) {
    check_setup(facts, result);
    return result;
  }
  for (const RuleGroup* group = first; group != last; ++group) (*group)(facts, result);
  find_places(tree, bytes, result);
  result.room = room_of(result);
  return result;
}

}  // namespace

TreeCheck check_tree(Tree& tree, const std::string& root, const CheckOptions& options,
                     DiscTree* disc, const TreeOf& tree_of) {
  return run_check(tree, root, options, disc, tree_of, std::begin(kRuleGroups),
                   std::end(kRuleGroups));
}

TreeCheck check_tree_with(Tree& tree, const std::string& root, const CheckOptions& options,
                          DiscTree* disc, const std::vector<RuleGroup>& groups) {
  return run_check(tree, root, options, disc, nullptr, groups.data(),
                   groups.data() + groups.size());
}

}  // namespace checker
