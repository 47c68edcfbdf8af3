// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/profile_rules.h"

#include <algorithm>
#include <map>

#include "checker/names/code_page.h"
#include "checker/predict/launch.h"
#include "checker/rules/release_starts.h"

namespace checker {

namespace {

std::string upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

size_t edit_distance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

bool is_known_key(const std::string& key) {
  const std::string name = upper(up_to_nul(key));
  return std::any_of(std::begin(launcher::kLanguages), std::end(launcher::kLanguages),
                     [&](const launcher::LanguageRow& row) {
                       return name == row.setup_key || name == row.group_key;
                     });
}

std::string default_launch() {
  return std::string("every language starts the default ") + (launcher::kDefaultSetupPath + 2) +
         " with the program group STARTUP";
}

void check_keys(const ProfileSection& section, TreeCheck& result) {
  for (const ProfileKey& key : section.keys) {
    const std::string name = up_to_nul(key.name);
    if (name.empty() || name[0] == ';' || is_known_key(name)) continue;
    std::string message = "[95] has the key " + name + ", which the launcher never reads";
    if (const auto near = nearest_known_key(name)) {
      message += "; did you mean " + *near + "?";
    } else {
      message +=
          ". It reads PORTUGESE (so spelt), ENGLISH, FRENCH, ITALIAN, GERMAN and SPANISH, "
          "each with its _STARTUP key.";
    }
    result.findings.push_back(finding(Code::kUnknownKey, message, key.line));
  }
}

}  // namespace

void check_profile(const TreeFacts& facts, TreeCheck& result) {
  const Tree::Entry entry = facts.tree.entry_at(kProfileDPath);
  if (!facts.profile_bytes && (entry == Tree::Entry::kFile || entry == Tree::Entry::kUnreadable)) {
    result.findings.push_back(unreadable(facts.tree, kProfileDPath));
    return;
  }
  if (facts.profile == nullptr) {
    const bool folder = entry == Tree::Entry::kFolder;
    result.findings.push_back(
        finding(Code::kProfileMissing,
                (folder ? kProfileDPath + " is a folder, not a file, so there is no profile: "
                        : "No profile at " + kProfileDPath + ": ") +
                    default_launch() +
                    (folder ? ". Put client.ini there in place of the folder."
                            : ". Put client.ini there.")));
    return;
  }
  if (result.profile_text == ProfileText::kUtf16WithoutMark) {
    result.findings.push_back(finding(
        Code::kProfileEncoding,
        "client.ini looks like UTF-16 text without a byte-order mark, which no Windows decodes: "
        "it is read as raw bytes. Save it as ANSI (Windows-1252) text.",
        1));
  }
  const ProfileSection* section = facts.profile->find_section(launcher::kProfileSection);
  if (section == nullptr) {
    result.findings.push_back(
        finding(Code::kSectionMissing, "client.ini has no [95] section, so " + default_launch() +
                                           ". Add a [95] section with the keys of each language."));
    return;
  }
  check_keys(*section, result);
}

void check_encoding(const TreeFacts& facts, TreeCheck& result) {
  const ProfileText text = result.profile_text;
  if (facts.profile_bytes && text == ProfileText::kUtf8WithoutMark) {
    result.findings.push_back(utf8_without_mark(*facts.profile_bytes, "client.ini", kProfileDPath));
    return;
  }
  if (!facts.profile_bytes || (text != ProfileText::kUtf8 && text != ProfileText::kUtf16Le &&
                               text != ProfileText::kUtf16Be)) {
    return;
  }
  const std::vector<std::string> locales = checked_locales(facts.options);
  // The launch depends on the release only through where it has the
  // language and how it reads the profile: each pair is judged once.
  std::map<std::pair<LanguageSource, ProfileReaderKind>, bool> judged;
  std::vector<bool> changed(kReleaseCount);
  for (size_t i = 0; i < kReleaseCount; ++i) {
    const Release& release = kReleases[i];
    const auto key = std::make_pair(language_source(release, facts.options), release.profile);
    if (!judged.count(key)) {
      judged[key] = std::any_of(locales.begin(), locales.end(), [&](const std::string& l) {
        return outcome(launch(facts.tree, l, release, kWineMarks, facts.options)) !=
               outcome(launch(facts.tree, l, release, marks_of(release), facts.options));
      });
    }
    changed[i] = judged[key];
  }
  if (count_of(changed) == 0) return;
  const bool here = changed[release_index(facts.release)];
  const std::string what =
      text == ProfileText::kUtf16Le
          ? "client.ini is UTF-16 text with a byte-order mark: Windows 2000 and later decode it, "
            "but "
          : std::string("client.ini starts with a ") +
                (text == ProfileText::kUtf8 ? "UTF-8" : "UTF-16BE") +
                " byte-order mark, which Windows does not decode (Wine does): ";
  result.findings.push_back(finding(
      here ? Code::kProfileEncodingChangesLaunch : Code::kProfileEncoding,
      what + releases_prose(changed) + " read" +
          (count_of(changed) == 1 || count_of(changed) == kReleaseCount ? "s" : "") +
          " the raw bytes, the mark part of the first line, and the launch changes (other keys, "
          "other groups, or the defaults). Save it as ANSI (Windows-1252) text without a mark.",
      1));
}

Finding utf8_without_mark(const std::string& bytes, const std::string& name,
                          const std::string& d_path) {
  size_t start = 0;
  int line = 1;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) break;
    if (bytes[i] == '\n') {
      start = i + 1;
      ++line;
    }
  }
  const std::string read = bytes.substr(start, bytes.find_first_of("\r\n", start) - start);
  return finding_at(
      Code::kProfileEncoding,
      name +
          " is UTF-8 text without a byte-order mark, which the launcher and Windows read "
          "as ANSI (Windows-1252) on every release: the line reads \"" +
          read + "\", not \"" + ansi_text(read) + "\". Save it as ANSI (Windows-1252) text.",
      d_path, line);
}

std::optional<std::string> nearest_known_key(const std::string& key) {
  const std::string name = upper(key);
  std::optional<std::string> best;
  size_t best_distance = 3;  // a typo: at most two letters off
  for (const launcher::LanguageRow& row : launcher::kLanguages) {
    for (const char* known : {row.setup_key, row.group_key}) {
      const size_t d = edit_distance(name, known);
      if (d < best_distance) {
        best_distance = d;
        best = known;
      }
    }
  }
  return best;
}

}  // namespace checker
