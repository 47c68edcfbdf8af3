// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The launcher's own program run against a tree: one double-click for a
// user's language on a release of Windows.
#pragma once

#include <string>
#include <vector>

#include "checker/predict/prediction.h"
#include "checker/source/tree.h"
#include "checker/windows/profile_reader.h"

namespace checker {

// Where the launcher has the user's language from on `release` in this check.
LanguageSource language_source(const Release& release, const CheckOptions& options);

// The locales a check runs: the one of --locale, else each language's in
// table order.
std::vector<std::string> checked_locales(const CheckOptions& options);
// A display language the launcher has no row for (Japanese).
inline constexpr char kUnmatchedLocale[] = "00000411";

// One double-click for `locale` on `release`, with the profile read by a
// reader that decodes `marks`: the exit status and what the launcher did.
struct Launch {
  int exit_status;
  TreePlatform os;
};
Launch launch(Tree& tree, const std::string& locale, const Release& release, ProfileMarks marks,
              const CheckOptions& options);

// The file the launch needed but could not read, where there is one.
std::optional<std::string> cannot_tell(const Launch& run);

// The group the icon tool gets: its parameters after the launcher's slot.
std::string group_of(const ProgramStart& icon_tool);

// True where what cannot be read is the launcher or its profile: then
// nothing of the launch is known but the language asked for.
bool knows_nothing(const std::string& cannot_tell);

// What a user sees of a launch: the exit status and what was started.
std::string outcome(const Launch& run);

// The launch for `locale` on the release of `options`, with the launch on
// every release (each on the tree `tree_of` gives it) and the profile values
// it rests on.
LanguageLaunch predict_language(Tree& tree, const Profile* profile, const std::string& locale,
                                const CheckOptions& options, const TreeOf& tree_of);

}  // namespace checker
