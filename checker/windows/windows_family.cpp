#include "checker/windows/windows_family.h"

namespace checker {

const char* windows_name(Windows windows) {
  switch (windows) {
    case Windows::k9x: return "9x";
    case Windows::kNt32: return "nt32";
    case Windows::kNt64: break;
  }
  return "nt64";
}

const char* windows_title(Windows windows) {
  switch (windows) {
    case Windows::k9x: return "Windows 95/98/ME";
    case Windows::kNt32: return "32-bit Windows 10";
    case Windows::kNt64: break;
  }
  return "64-bit Windows 10 and 11";
}

std::string windows_titles(const std::vector<Windows>& families) {
  std::string out;
  for (size_t i = 0; i < families.size(); ++i) {
    out += (i == 0 ? "" : i + 1 == families.size() ? " and " : ", ");
    out += windows_title(families[i]);
  }
  return out;
}

std::optional<Windows> windows_named(const std::string& name) {
  for (const Windows w : kAllWindows) {
    if (name == windows_name(w)) return w;
  }
  return std::nullopt;
}

const char* language_source_name(LanguageSource source) {
  return source == LanguageSource::kRegistry ? "registry" : "display-language";
}

LanguageSource usual_language_source(Windows windows) {
  return windows == Windows::k9x ? LanguageSource::kRegistry : LanguageSource::kDisplayLanguage;
}

const DiscReader kDiscReaders[5] = {
    {"Windows 95", "95", Windows::k9x, 0},
    {"Windows 98/ME", "98-me", Windows::k9x, 0x0102},
    {"Windows 2000", "2000", Windows::kNt32, 0x0150},
    {"Windows XP", "xp", Windows::kNt32, 0x0201},
    {"Windows Vista and later", "vista-and-later", Windows::kNt64, 0x0260},
};

const DiscReader& disc_reader_of(Windows family) {
  return family == Windows::k9x ? kDiscReaders[1] : kDiscReaders[4];
}

bool reads_autorun_amd64(Windows windows) { return windows == Windows::kNt64; }

bool honours_shellexecute(Windows windows) { return windows != Windows::k9x; }

}  // namespace checker
