#include "checker/rules/check.h"

#include <algorithm>

#include "checker/windows/path_rules.h"
#include "checker/windows/profile_reader.h"
#include "checker/rules/setup_rules.h"
#include "launcher/icon_registration.h"
#include "launcher/launch_sequence.h"
#include "launcher/launcher.h"

namespace checker {

namespace {

constexpr size_t kLargeValue = 65536;
// Japanese: a language a user may have that the launcher has no row for.
constexpr char kUnmatchedLocale[] = "00000411";

std::string upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

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

// The user a double-click meets for `locale` (eight hex digits, unless
// it comes from --locale, which always stands in the registry).
UserLanguage user_language(const std::string& locale, LanguageSource source) {
  if (source == LanguageSource::kRegistry) return {locale, 0};
  return {std::nullopt, static_cast<uint16_t>(std::stoul(locale, nullptr, 16))};
}

// One double-click of the launcher for `locale`, on `windows`.
struct Launch {
  int exit_status;
  TreePlatform os;
};

Launch launch(Tree& tree, const std::string& locale, Windows windows, ProfileMarks marks,
              const CheckOptions& options) {
  const UserLanguage user = user_language(locale, language_source(windows, options));
  Launch run{0, TreePlatform(tree, user, windows, marks)};
  run.exit_status = launcher::launcher_main(run.os);
  return run;
}

// What a user sees of a launch: the exit status and what was started.
std::string outcome(const Launch& run) {
  std::string out = std::to_string(run.exit_status);
  for (const ProgramStart& start : run.os.starts) {
    out += "|" + start.file + "|" + start.parameters + "|" + std::to_string(start.result > 32);
  }
  return out;
}

void check_profile(const Profile* profile, const std::string& bytes, TreeCheck& result) {
  if (profile == nullptr) {
    result.findings.push_back(finding(
        Code::kProfileMissing,
        "No profile at " + kProfileDPath + ": every language starts the default " +
            (launcher::kDefaultSetupPath + 2) + " with the program group STARTUP. Put client.ini "
            "there."));
    return;
  }
  result.profile_text = profile_text(bytes);
  if (result.profile_text == ProfileText::kUtf16WithoutMark) {
    result.findings.push_back(finding(
        Code::kProfileEncoding,
        "client.ini looks like UTF-16 text without a byte-order mark, which no Windows decodes: "
        "it is read as raw bytes. Save it as ANSI (Windows-1252) text.",
        1));
  }
  const ProfileSection* section = profile->find_section(launcher::kProfileSection);
  if (section == nullptr) {
    result.findings.push_back(finding(
        Code::kSectionMissing,
        std::string("client.ini has no [95] section, so every language starts the default ") +
            (launcher::kDefaultSetupPath + 2) + " with the program group STARTUP. Add a [95] "
            "section with the keys of each language."));
    return;
  }
  for (const ProfileKey& key : section->keys) {
    const std::string name = up_to_nul(key.name);
    if (name.empty() || name[0] == ';' || is_known_key(name)) continue;
    std::string message = "[95] has the key " + name + ", which the launcher never reads";
    if (const auto near = nearest_known_key(name)) {
      message += "; did you mean " + *near + "?";
    } else {
      message += ". It reads PORTUGESE (so spelt), ENGLISH, FRENCH, ITALIAN, GERMAN and SPANISH, "
                 "each with its _STARTUP key.";
    }
    result.findings.push_back(finding(Code::kUnknownKey, message, key.line));
  }
}

// A byte-order mark that some Windows does not decode: the launch as the
// author meant it (the text decoded) against the launch on each family.
void check_encoding(Tree& tree, const std::vector<std::string>& locales,
                    const CheckOptions& options, TreeCheck& result) {
  const ProfileText text = result.profile_text;
  if (text != ProfileText::kUtf8 && text != ProfileText::kUtf16Le && text != ProfileText::kUtf16Be) {
    return;
  }
  std::vector<Windows> changed;
  for (const Windows windows : kAllWindows) {
    const bool differs = std::any_of(locales.begin(), locales.end(), [&](const std::string& l) {
      return outcome(launch(tree, l, windows, kWineMarks, options)) !=
             outcome(launch(tree, l, windows, marks_of(windows), options));
    });
    if (differs) changed.push_back(windows);
  }
  if (changed.empty()) return;
  const bool here = std::find(changed.begin(), changed.end(), result.windows) != changed.end();
  const std::string what =
      text == ProfileText::kUtf16Le
          ? "client.ini is UTF-16 text with a byte-order mark: Windows NT decodes it, but "
          : std::string("client.ini starts with a ") +
                (text == ProfileText::kUtf8 ? "UTF-8" : "UTF-16BE") +
                " byte-order mark, which Windows does not decode (Wine does): ";
  result.findings.push_back(finding(
      here ? Code::kProfileEncodingChangesLaunch : Code::kProfileEncoding,
      what + windows_titles(changed) + " read" + (changed.size() == 1 ? "s" : "") +
          " the raw bytes, the mark part of the first line, and the launch changes (other keys, "
          "other groups, or the defaults). Save it as ANSI (Windows-1252) text without a mark.",
      1));
}


LanguageCheck run_locale(Tree& tree, const Profile* profile, const std::string& locale,
                         const CheckOptions& options) {
  LanguageCheck check;
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
  check.setup_path = run.os.tested_path;
  if (!run.os.found_path.empty()) check.found_path = run.os.found_path;
  if (!check.starts.empty()) {
    const std::string& parameters = check.starts[0].parameters;
    check.group = parameters.substr(std::min(parameters.size(), size_t{launcher::kGroupSlot}));
  }
  // One rule: the group the icon tool gets against the group as written.
  check.group_cut = check.group_value && !check.starts.empty() && check.group != *check.group_value;
  check_language(tree, profile, options, check);
  return check;
}

}  // namespace

Finding unreadable(const Tree& tree, const std::string& d_path) {
  const auto full = full_path(d_path);
  return finding(Code::kFileUnreadable, "Cannot tell what the launcher does: " +
                                        (full ? full->text : d_path) + " is " + tree.where() +
                                        " but cannot be read. Check the medium, or master it again.");
}

LanguageSource language_source(Windows windows, const CheckOptions& options) {
  return options.locale ? LanguageSource::kRegistry : usual_language_source(windows);
}

bool TreeCheck::all_start() const {
  return !languages.empty() &&
         std::all_of(languages.begin(), languages.end(),
                     [](const LanguageCheck& l) { return l.exit_status == 0; });
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

std::optional<std::string> language_key(const std::string& name) {
  for (const launcher::LanguageRow& row : launcher::kLanguages) {
    if (upper(name) == row.setup_key) return row.setup_key;
  }
  return std::nullopt;
}

TreeCheck check_tree(Tree& tree, const std::string& root, const CheckOptions& options) {
  TreeCheck result;
  result.tree = root;
  if (const auto full = full_path(kProfileDPath)) {
    result.profile_location = tree.on_disc() ? root + ":" + full->text
                                             : tree.host_file(full->parts).value_or("");
  }
  result.medium = tree.medium();
  result.windows = options.windows;
  for (const Windows w : kAllWindows) result.language_source[w] = language_source(w, options);
  const std::optional<std::string> bytes = tree.read_file(kProfileDPath, Tree::kWholeFile);
  std::optional<Profile> profile;
  if (bytes) profile.emplace(*bytes, marks_of(options.windows));
  const Profile* parsed = profile ? &*profile : nullptr;
  result.profile_found = bytes.has_value();
  const Tree::Entry profile_entry = tree.entry_at(kProfileDPath);
  if (!bytes && (profile_entry == Tree::Entry::kFile || profile_entry == Tree::Entry::kUnreadable)) {
    result.findings.push_back(unreadable(tree, kProfileDPath));
  } else {
    check_profile(parsed, bytes.value_or(""), result);
  }
  switch (tree.entry_at(kIconToolDPath)) {
    case Tree::Entry::kUnreadable:
      result.findings.push_back(unreadable(tree, kIconToolDPath));
      break;
    case Tree::Entry::kMissing:
      result.findings.push_back(finding(
          Code::kIconToolMissing, "The icon tool " + kIconToolDPath +
                                   " is not in the tree: no start-group icon is made (setup still "
                                   "starts). Put addiconw.exe there."));
      break;
    case Tree::Entry::kFolder:
      result.findings.push_back(finding(
          Code::kIconToolIsFolder, "The icon tool " + kIconToolDPath +
                                     " is a folder: the shell opens it in Explorer, a window the "
                                     "user did not ask for, and no icon is made. Put addiconw.exe "
                                     "there."));
      break;
    case Tree::Entry::kFile:
      check_icon_tool_start(tree, options.windows, result.findings);
      break;
  }

  std::vector<std::string> locales;
  if (options.locale) {
    locales.push_back(*options.locale);
  } else {
    for (const launcher::LanguageRow& row : launcher::kLanguages) {
      locales.push_back(std::string("000004") + row.locale_code);
    }
  }
  if (bytes) check_encoding(tree, locales, options, result);
  for (const std::string& locale : locales) {
    result.languages.push_back(run_locale(tree, parsed, locale, options));
  }
  if (!options.locale) result.unmatched = run_locale(tree, parsed, kUnmatchedLocale, options);
  return result;
}

}  // namespace checker
