#include "checker/predict/launch.h"

#include <algorithm>

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
  const uint32_t n = read_profile_string(profile, launcher::kProfileSection, key, "",
                                         buffer.data(), kLargeValue);
  buffer.resize(n);
  return buffer;
}

// The user a double-click meets for `locale` (eight hex digits, unless
// it comes from --locale, which always stands in the registry).
UserLanguage user_language(const std::string& locale, LanguageSource source) {
  if (source == LanguageSource::kRegistry) return {locale, 0};
  return {std::nullopt, static_cast<uint16_t>(std::stoul(locale, nullptr, 16))};
}

}  // namespace

LanguageSource language_source(Windows windows, const CheckOptions& options) {
  return options.locale ? LanguageSource::kRegistry : usual_language_source(windows);
}

std::vector<std::string> checked_locales(const CheckOptions& options) {
  if (options.locale) return {*options.locale};
  std::vector<std::string> locales;
  for (const launcher::LanguageRow& row : launcher::kLanguages) {
    locales.push_back(std::string("000004") + row.locale_code);
  }
  return locales;
}

Launch launch(Tree& tree, const std::string& locale, Windows windows, ProfileMarks marks,
              const CheckOptions& options) {
  const UserLanguage user = user_language(locale, language_source(windows, options));
  Launch run{0, TreePlatform(tree, user, windows, marks)};
  run.exit_status = launcher::launcher_main(run.os);
  return run;
}

std::string outcome(const Launch& run) {
  std::string out = std::to_string(run.exit_status);
  for (const ProgramStart& start : run.os.starts) {
    out += "|" + start.file + "|" + start.parameters + "|" + std::to_string(start.result > 32);
  }
  return out;
}

LanguageLaunch predict_language(Tree& tree, const Profile* profile, const std::string& locale,
                                const CheckOptions& options) {
  LanguageLaunch check;
  check.locale = locale;
  Launch run = launch(tree, locale, options.windows, marks_of(options.windows), options);
  check.exit_status = run.exit_status;
  check.starts = run.os.starts;
  check.boxes = run.os.boxes;
  for (const Windows w : kAllWindows) {
    check.exit_by_windows[w] =
        w == options.windows ? run.exit_status
                             : launch(tree, locale, w, marks_of(w), options).exit_status;
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
  if (!check.starts.empty()) {
    const std::string& parameters = check.starts[0].parameters;
    check.group = parameters.substr(std::min(parameters.size(), size_t{launcher::kGroupSlot}));
  }
  // The group the icon tool gets against the group as written.
  check.group_cut = check.group_value && !check.starts.empty() && check.group != *check.group_value;
  return check;
}

}  // namespace checker
