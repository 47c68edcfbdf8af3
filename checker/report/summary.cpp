// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/names/code_page.h"
#include "checker/report/summary.h"

#include "checker/report/json_text.h"

#include "checker/windows/releases.h"

namespace checker {

namespace {

// The releases that have the user's language from `source`.
std::string releases_using(const TreeCheck& check, LanguageSource source) {
  std::vector<bool> on(kReleaseCount);
  for (size_t i = 0; i < kReleaseCount && i < check.release_language.size(); ++i) {
    on[i] = check.release_language[i] == source;
  }
  return releases_prose(on);
}

}  // namespace

std::string language_sources(const TreeCheck& check) {
  const std::string display = releases_using(check, LanguageSource::kDisplayLanguage);
  if (display.empty()) return "the registry's ResourceLocale, on every Windows (--locale)";
  return "the registry's ResourceLocale on " + releases_using(check, LanguageSource::kRegistry) +
         "; the display language on " + display + ", which keep none; the user's locale on " +
         releases_using(check, LanguageSource::kUserLocale) + ", which has neither";
}

std::string profile_state(const TreeCheck& check) {
  if (check.profile_found)
    return "found (" + std::string(profile_text_name(check.profile_text)) + ")";
  if (check.medium == Medium::kNothing)
    return "not read: this Windows reads no file system of the image";
  if (check.profile_unreadable) {
    return "listed but cannot be read: what the launcher does is unknown for every language";
  }
  return "missing";
}

std::string file_systems(const TreeCheck& check) {
  std::string out;
  for (size_t i = 0; i < check.disc_readings.size(); ++i) {
    const DiscReading& r = check.disc_readings[i];
    out += (i == 0 ? "" : "; ") + r.reader + (i == 0 ? " reads " : " ") + r.shown;
  }
  return out;
}

std::string place_text(const TreeCheck& check) {
  if (!check.place_given) return "drive D:";
  return ansi_to_utf8(check.place) + " (started from " + ansi_to_utf8(check.place) +
         "\\launcher.exe; the paths on D: below lie there, and their lengths count from there)";
}

}  // namespace checker
