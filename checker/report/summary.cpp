#include "checker/report/summary.h"

#include "checker/windows/releases.h"

namespace checker {

namespace {

// The families that have the user's language from `source`.
std::string families_using(const TreeCheck& check, LanguageSource source) {
  std::vector<Windows> families;
  for (const Windows w : kAllWindows) {
    if (check.language_source.at(w) == source) families.push_back(w);
  }
  return windows_titles(families);
}

}  // namespace

std::string language_sources(const TreeCheck& check) {
  const std::string display = families_using(check, LanguageSource::kDisplayLanguage);
  if (display.empty()) {
    return "the registry's ResourceLocale, on every Windows (--locale)";
  }
  return "the registry's ResourceLocale on " +
         families_using(check, LanguageSource::kRegistry) + "; the display language on " +
         display + ", which keep none; the user's locale on " +
         (*release_named("nt4"))->title + ", which has neither";
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
