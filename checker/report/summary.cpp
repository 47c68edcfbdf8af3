#include "checker/report/summary.h"

#include "checker/windows/releases.h"

namespace checker {

namespace {

// The releases that have the user's language from `source`.
std::string releases_using(LanguageSource source) {
  std::vector<bool> on(kReleaseCount);
  for (size_t i = 0; i < kReleaseCount; ++i) on[i] = kReleases[i].language == source;
  return releases_prose(on);
}

}  // namespace

std::string language_sources(const TreeCheck& check) {
  if (check.language_source.at(Windows::kNt64) == LanguageSource::kRegistry) {
    return "the registry's ResourceLocale, on every Windows (--locale)";
  }
  return "the registry's ResourceLocale on " + releases_using(LanguageSource::kRegistry) +
         "; the display language on " + releases_using(LanguageSource::kDisplayLanguage) +
         ", which keep none; the user's locale on " + releases_using(LanguageSource::kUserLocale) +
         ", which has neither";
}

std::string file_systems(const TreeCheck& check) {
  std::string out;
  for (size_t i = 0; i < check.disc_readings.size(); ++i) {
    const DiscReading& r = check.disc_readings[i];
    out += (i == 0 ? "" : "; ") + r.reader + (i == 0 ? " reads " : " ") + r.shown;
  }
  return out;
}

}  // namespace checker
