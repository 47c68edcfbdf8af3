// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/predict/launch.h"

#include <algorithm>

#include "checker/names/path_rules.h"
#include "launcher/launch_sequence.h"

namespace checker {

namespace {

constexpr size_t kLargeValue = 65536;

// A key's value as the launcher's profile read gives it (quotes dropped,
// cut at a NUL), uncut; none when the key is missing.
std::optional<std::string> profile_value(const Profile* profile, const char* key) {
  if (profile == nullptr || profile->find_value(launcher::kProfileSection, key) == nullptr) {
    return std::nullopt;
  }
  std::string buffer(kLargeValue, '\0');
  const uint32_t n =
      read_profile_string(profile, launcher::kProfileSection, key, "", buffer.data(), kLargeValue);
  buffer.resize(n);
  return buffer;
}

// The user a double-click meets for `locale` (eight hex digits, unless
// it comes from --locale, which always stands in the registry).
UserLanguage user_language(const std::string& locale, LanguageSource source) {
  if (source == LanguageSource::kRegistry) return {locale, 0, 0};
  const auto id = static_cast<uint16_t>(std::stoul(locale, nullptr, 16));
  if (source == LanguageSource::kUserLocale) return {std::nullopt, 0, id};
  return {std::nullopt, id, 0};
}

// A run already made, which another release shares where it reads the same
// tree, has the language from the same place, reads the profile alike and
// starts each program the run started the same way.
struct SharedRun {
  LanguageSource source;
  ProfileReaderKind profile;
  const ReleaseLaunch* launch;
};

bool starts_alike(Tree& tree, const ReleaseLaunch& run, const Release& release) {
  return std::all_of(run.starts.begin(), run.starts.end(), [&](const ProgramStart& start) {
    const PredictedStart here = predicted_start(tree, start.file, release);
    return here.result == start.result && here.note == start.note && here.kind == start.kind;
  });
}

ReleaseLaunch release_launch(const Launch& run, const Tree& tree) {
  return {run.exit_status,   run.os.starts,    run.os.boxes, run.os.tested_path,
          run.os.found_path, cannot_tell(run), &tree};
}

// The launch on every release, each run once per set of releases that
// share it; the chosen release's run, already made on `chosen_tree`, is
// one of them.
std::vector<ReleaseLaunch> launches_by_release(const std::string& locale,
                                               const CheckOptions& options, const TreeOf& tree_of,
                                               Tree& chosen_tree, const Launch& chosen_run) {
  std::vector<ReleaseLaunch> by_release(kReleaseCount);
  std::vector<SharedRun> runs;
  const Release& chosen = *options.release;
  const bool made = &tree_of(chosen) == &chosen_tree;
  if (made) {
    ReleaseLaunch& slot = by_release[release_index(chosen)];
    slot = release_launch(chosen_run, chosen_tree);
    runs.push_back({language_source(chosen, options), chosen.profile, &slot});
  }
  for (size_t i = 0; i < kReleaseCount; ++i) {
    const Release& release = kReleases[i];
    if (made && &release == &chosen) continue;
    Tree& tree = tree_of(release);
    const LanguageSource source = language_source(release, options);
    const auto shared = std::find_if(runs.begin(), runs.end(), [&](const SharedRun& r) {
      return r.launch->tree == &tree && r.source == source && r.profile == release.profile &&
             starts_alike(tree, *r.launch, release);
    });
    if (shared != runs.end()) {
      by_release[i] = *shared->launch;
      continue;
    }
    by_release[i] = release_launch(launch(tree, locale, release, marks_of(release), options), tree);
    runs.push_back({source, release.profile, &by_release[i]});
  }
  return by_release;
}

}  // namespace

LanguageSource language_source(const Release& release, const CheckOptions& options) {
  return options.locale ? LanguageSource::kRegistry : release.language;
}

std::vector<std::string> checked_locales(const CheckOptions& options) {
  if (options.locale) return {*options.locale};
  std::vector<std::string> locales;
  for (const launcher::LanguageRow& row : launcher::kLanguages) {
    locales.push_back(std::string("000004") + row.locale_code);
  }
  return locales;
}

Launch launch(Tree& tree, const std::string& locale, const Release& release, ProfileMarks marks,
              const CheckOptions& options) {
  const UserLanguage user = user_language(locale, language_source(release, options));
  Launch run{0, TreePlatform(tree, user, release, marks, options.place())};
  run.exit_status = launcher::launcher_main(run.os);
  return run;
}

std::optional<std::string> cannot_tell(const Launch& run) {
  if (!run.os.unreadable.empty()) return run.os.unreadable;
  const bool setup_unreadable =
      run.os.starts.size() >= 2 && run.os.starts[1].kind == StartKind::kUnreadable;
  if (setup_unreadable) {
    const auto named = full_path(run.os.starts[1].file);
    return named ? named->text : run.os.starts[1].file;
  }
  return std::nullopt;
}

std::string group_of(const ProgramStart& icon_tool) {
  const std::string& parameters = icon_tool.parameters;
  return parameters.substr(std::min(parameters.size(), size_t{launcher::kGroupSlot}));
}

bool knows_nothing(const std::string& cannot_tell) {
  return cannot_tell == kProfileDPath || cannot_tell == TreePlatform::kOwnPath;
}

std::string outcome(const Launch& run) {
  std::string out = std::to_string(run.exit_status);
  for (const ProgramStart& start : run.os.starts) {
    out += "|" + start.file + "|" + start.parameters + "|" + std::to_string(start.result > 32);
  }
  return out;
}

LanguageLaunch predict_language(Tree& tree, const Profile* profile, const std::string& locale,
                                const CheckOptions& options, const TreeOf& tree_of) {
  LanguageLaunch check;
  check.locale = locale;
  const Release& chosen = *options.release;
  Launch run = launch(tree, locale, chosen, marks_of(chosen), options);
  check.exit_status = run.exit_status;
  check.starts = run.os.starts;
  check.boxes = run.os.boxes;
  check.cannot_tell = cannot_tell(run);
  check.by_release = launches_by_release(locale, options, tree_of, tree, run);
  if (check.cannot_tell && knows_nothing(*check.cannot_tell)) {
    // Without the launcher or its profile nothing the launch did is the
    // tree's: only what language was asked for is known.
    const launcher::LanguageRow* row = launcher::select_language(run.os, locale.c_str());
    if (row != nullptr) {
      check.language = check.setup_key = row->setup_key;
      check.group_key = row->group_key;
    }
    check.starts.clear();
    check.boxes.clear();
    return check;
  }
  const launcher::LanguageRow* row = launcher::select_language(run.os, locale.c_str());
  if (row == nullptr) return check;

  check.language = row->setup_key;
  check.setup_key = row->setup_key;
  check.group_key = row->group_key;
  check.setup_value = profile_value(profile, row->setup_key);
  check.group_value = profile_value(profile, row->group_key);
  check.setup_default_used = !check.setup_value || up_to_nul(*check.setup_value).size() < 2;
  check.setup_path = run.os.tested_path;
  if (!run.os.found_path.empty()) check.found_path = run.os.found_path;
  if (check.setup_path.empty() && check.boxes.empty() && !check.cannot_tell) {
    // Not looked for: its path, moved onto the root, did not fit.
    const std::string value =
        check.setup_default_used ? std::string(launcher::kDefaultSetupPath)
                                 : up_to_nul(*check.setup_value).substr(0, launcher::kPathSize - 1);
    const std::string& profile = run.os.profile_path;
    const std::string root = profile.substr(0, profile.size() - (kProfileDPath.size() - 2));
    check.unfit_path = root + value.substr(2);
  }
  if (!check.starts.empty()) check.group = group_of(check.starts[0]);
  // The group the icon tool gets against the group as written.
  check.group_cut = check.group_value && !check.starts.empty() && check.group != *check.group_value;
  return check;
}

}  // namespace checker
