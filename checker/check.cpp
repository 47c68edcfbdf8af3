#include "checker/check.h"

#include <algorithm>

#include "checker/profile_reader.h"
#include "launcher/icon_registration.h"
#include "launcher/install_drive.h"
#include "launcher/launch_sequence.h"
#include "launcher/launcher.h"

namespace checker {

namespace {

constexpr size_t kLargeValue = 65536;
constexpr char kUnmatchedLocale[] = "00000000";

Finding error(std::string code, std::string message) {
  return {"error", std::move(code), std::move(message)};
}
Finding warning(std::string code, std::string message) {
  return {"warning", std::move(code), std::move(message)};
}

// A key's value as the launcher's profile read gives it (quotes dropped,
// cut at a NUL), uncut; none when the key is missing.
std::optional<std::string> profile_value(Tree& tree, const std::optional<Profile>& profile,
                                         const char* key) {
  if (!profile || profile->find_value(launcher::kProfileSection, key) == nullptr) {
    return std::nullopt;
  }
  std::string buffer(kLargeValue, '\0');
  const uint32_t n = tree.profile_string(launcher::kProfileSection, key, "", buffer.data(),
                                         kLargeValue, kProfileDPath);
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

std::string upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool is_known_key(const std::string& key) {
  const std::string name = upper(up_to_nul(key));
  return std::any_of(std::begin(launcher::kLanguages), std::end(launcher::kLanguages),
                     [&](const launcher::LanguageRow& row) {
                       return name == row.setup_key || name == row.group_key;
                     });
}

std::string encoding_name(const std::string& bytes, ProfileEncoding encoding) {
  switch (encoding) {
    case ProfileEncoding::kUtf8: return "utf-8";
    case ProfileEncoding::kUtf16Le: return "utf-16le";
    case ProfileEncoding::kUtf16Be: return "utf-16be";
    case ProfileEncoding::kAnsi: break;
  }
  // UTF-16 without a mark: Latin text in it has a NUL in every other byte.
  size_t even = 0;
  size_t odd = 0;
  for (size_t i = 0; i < bytes.size(); ++i) (i % 2 == 0 ? even : odd) += bytes[i] == '\0';
  const size_t half = bytes.size() / 2;
  if (half >= 4 && std::max(even, odd) * 10 >= half * 9 && std::min(even, odd) * 10 < half) {
    return "utf-16 without mark";
  }
  return "ansi";
}

void check_profile(const std::optional<Profile>& profile, const std::string& bytes,
                   TreeCheck& result) {
  if (!profile) {
    result.findings.push_back(warning(
        "profile-missing",
        "No profile at " + kProfileDPath + ": every language starts the default " +
            (launcher::kDefaultSetupPath + 2) + " with the program group STARTUP. Put client.ini "
            "there."));
    return;
  }
  result.profile_encoding = encoding_name(bytes, profile->encoding());
  if (result.profile_encoding != "ansi") {
    result.findings.push_back(warning(
        "profile-encoding",
        "client.ini is " + result.profile_encoding +
            " text: Windows NT decodes it, but Windows 95 reads its raw bytes and finds other "
            "keys or none, so the launcher behaves differently on the two. Save it as ANSI "
            "(Windows-1252) text without a byte-order mark."));
  }
  const ProfileSection* section = profile->find_section(launcher::kProfileSection);
  if (section == nullptr) {
    result.findings.push_back(warning(
        "section-missing",
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
    result.findings.push_back(warning("unknown-key", message));
  }
}

void check_language(Tree& tree, LanguageCheck& check) {
  const std::string& key = check.setup_key;
  if (!check.setup_value || up_to_nul(*check.setup_value).size() < 2) {
    check.setup_default_used = true;
    const std::string why = !check.setup_value ? "missing from [95]"
                            : check.setup_value->empty() ? "empty"
                                                         : "only one character";
    check.findings.push_back(warning(
        "setup-default-used", key + " is " + why + ", so the launcher starts the default " +
                                  (launcher::kDefaultSetupPath + 2) + " on its own drive. Write " +
                                  key + "=D:\\path\\to\\setup.exe."));
  } else {
    const std::string& value = *check.setup_value;
    if (!launcher::has_install_drive(value.c_str(), static_cast<uint32_t>(value.size()))) {
      check.findings.push_back(warning(
          "setup-no-drive-prefix", key + "=" + value + " does not begin with a drive: its first "
                                       "two characters \"" + value.substr(0, 2) +
                                       "\" are replaced by the launcher's drive, giving " +
                                       check.setup_path + ". Begin the path with D:."));
    }
  }
  if (!check.group_value) {
    check.findings.push_back(warning(
        "group-default-used", check.group_key + " is missing from [95], so the icon goes to the "
                                                "program group STARTUP. Write " +
                                  check.group_key + "=<group name>."));
  } else if (check.group_value->size() > launcher::kGroupSlotSize - 1) {
    check.findings.push_back(warning(
        "group-cut", check.group_key + " has " + std::to_string(check.group_value->size()) +
                         " characters; the icon tool gets only the first 14, \"" + check.group +
                         "\". Shorten it to at most 14."));
  }

  if (!check.found_path) {
    check.findings.push_back(error(
        "setup-not-found", "The setup program " + check.setup_path +
                               " is not in the tree, so the launcher ends with -1. Put it "
                               "there, or correct " + key + "= in client.ini."));
  } else if (check.found_path->size() >= platform::kFoundPathSize) {
    check.findings.push_back(error(
        "setup-path-too-long",
        "The setup program's full path " + *check.found_path + " has " +
            std::to_string(check.found_path->size()) + " characters; the launcher's file test "
            "takes at most 127, so it ends with -1. Move the program to a shorter path."));
  } else if (check.starts.size() == 2) {
    const ProgramStart& setup = check.starts[1];
    if (setup.result == kBadFormat) {
      check.findings.push_back(error(
          "setup-not-a-program",
          setup.file + " is " + (tree.read_file(setup.file, 1).value_or("").empty()
                                     ? std::string("empty")
                                     : std::string("not a Windows program (no MZ and PE header)")) +
              ", so Windows cannot start it and the launcher ends with 11. Put the real setup "
              "program there."));
    } else if (setup.result == kNoAssociation) {
      check.findings.push_back(error(
          "setup-needs-association",
          setup.file + " is not a program: Windows starts it only through a file association, "
                       "which a fresh system may lack (the launcher then ends with 31). Point " +
              key + "= at an .exe."));
    }
  }
}

LanguageCheck run_locale(Tree& tree, const std::optional<Profile>& profile,
                         const std::string& locale) {
  LanguageCheck check;
  check.locale = locale;
  TreePlatform os(tree, locale);
  const launcher::LanguageRow* row = launcher::select_language(os, locale.c_str());
  check.exit_status = launcher::run_launch_sequence(os, "", 1);
  check.starts = os.starts;
  check.boxes = os.boxes;
  if (row == nullptr) return check;

  check.language = row->setup_key;
  check.setup_key = row->setup_key;
  check.group_key = row->group_key;
  check.setup_value = profile_value(tree, profile, row->setup_key);
  check.group_value = profile_value(tree, profile, row->group_key);
  check.setup_path = os.tested_path;
  if (!os.found_path.empty()) check.found_path = os.found_path;
  if (!check.starts.empty()) {
    const std::string& parameters = check.starts[0].parameters;
    check.group = parameters.substr(std::min(parameters.size(), size_t{launcher::kGroupSlot}));
  }
  check_language(tree, check);
  return check;
}

}  // namespace

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

TreeCheck check_tree(Tree& tree, const std::string& root, const std::optional<std::string>& locale) {
  TreeCheck result;
  result.tree = root;
  const std::optional<std::string> bytes = tree.read_file(kProfileDPath, Tree::kWholeFile);
  std::optional<Profile> profile;
  if (bytes) profile.emplace(*bytes);
  result.profile_found = bytes.has_value();
  check_profile(profile, bytes.value_or(""), result);
  if (!tree.find_file(kIconToolDPath)) {
    result.findings.push_back(warning(
        "icon-tool-missing", "The icon tool " + kIconToolDPath +
                                 " is not in the tree: no start-group icon is made (setup still "
                                 "starts). Put addiconw.exe there."));
  }

  if (locale) {
    result.languages.push_back(run_locale(tree, profile, *locale));
    return result;
  }
  for (const launcher::LanguageRow& row : launcher::kLanguages) {
    result.languages.push_back(run_locale(tree, profile, std::string("000004") + row.locale_code));
  }
  result.unmatched = run_locale(tree, profile, kUnmatchedLocale);
  return result;
}

}  // namespace checker
