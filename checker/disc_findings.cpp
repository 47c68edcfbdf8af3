#include "checker/disc_findings.h"

#include "checker/code_page.h"
#include "checker/path_rules.h"
#include "checker/profile_reader.h"
#include "checker/program_start.h"

namespace checker {

namespace {

constexpr char kAutorun[] = "D:\\autorun.inf";
constexpr char kLauncher[] = "D:\\launcher.exe";
constexpr size_t kIsoDepth = 8;    // folder levels ISO 9660 allows
constexpr size_t kJolietName = 64;  // characters of a Joliet name
constexpr size_t kJolietPath = 120;  // characters of a Joliet path (240 bytes)

bool is_8_3(const std::string& name) {
  const size_t dot = name.find('.');
  const std::string base = name.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
  const auto plain = [](const std::string& part) {
    for (const char c : part) {
      const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
      if (!ok) return false;
    }
    return true;
  };
  return !base.empty() && base.size() <= 8 && extension.size() <= 3 &&
         extension.find('.') == std::string::npos && plain(base) && plain(extension);
}

// The program of an autorun command ("launcher.exe /x", "\"a b.exe\"").
std::string program_of(const std::string& command) {
  if (!command.empty() && command[0] == '"') {
    const size_t close = command.find('"', 1);
    return command.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  return command.substr(0, command.find_first_of(" \t"));
}

// "autorun.inf (line 2)": a finding's own line is one of client.ini, so
// the autorun file's line goes into the message.
std::string autorun_at(const ProfileKey* key) {
  return key ? "autorun.inf (line " + std::to_string(key->line) + ")" : "autorun.inf";
}

// Why the image does not hold the first missing component of `d_path`,
// where it can be told; "" when it cannot.
std::string why_lost(DiscTree& tree, const std::vector<std::string>& parts, size_t missing) {
  const std::vector<std::string> folder(parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(missing));
  const std::string& name = parts[missing];
  if (missing >= kIsoDepth) {
    const auto root = tree.names({});
    for (const std::string& entry : root.value_or(std::vector<std::string>())) {
      if (same_file_name(entry, "RR_MOVED")) {
        return "ISO 9660 allows " + std::to_string(kIsoDepth) +
               " levels of folders, and the mastering tool moved the deeper ones to \\" + entry;
      }
    }
  }
  if (tree.file_system() == DiscFileSystem::kIso9660 && !is_8_3(name)) {
    return "the image has no Joliet names, so Windows sees only its ISO 9660 names (8.3, upper "
           "case), and \"" + name + "\" is not one";
  }
  size_t path_length = 0;  // of the folder or file that is missing
  for (size_t i = 0; i <= missing; ++i) path_length += 1 + decode_ansi(parts[i]).size();
  if (tree.file_system() == DiscFileSystem::kJoliet && path_length > kJolietPath) {
    return "Joliet paths hold at most " + std::to_string(kJolietPath) +
           " characters, and the mastering tool left this one (" + std::to_string(path_length) +
           ") out of the Joliet tree";
  }
  if (tree.file_system() == DiscFileSystem::kJoliet && decode_ansi(name).size() > kJolietName) {
    const auto names = tree.names(folder);
    for (const std::string& entry : names.value_or(std::vector<std::string>())) {
      if (decode_utf8(entry) == decode_ansi(name).substr(0, kJolietName)) {
        return "Joliet names hold at most 64 characters, and the mastering tool cut \"" + name +
               "\" to \"" + entry + "\"";
      }
    }
  }
  return "";
}

void check_names(DiscTree& tree, const std::string& d_path, const std::string& what,
                 TreeCheck& result) {
  const auto full = full_path(d_path);
  if (!full || full->unusable || tree.entry_at(d_path) != Tree::Entry::kMissing) return;
  for (size_t i = 0; i < full->parts.size(); ++i) {
    const std::vector<std::string> prefix(full->parts.begin(),
                                          full->parts.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    if (tree.entry(prefix) != Tree::Entry::kMissing) continue;
    const std::string why = why_lost(tree, full->parts, i);
    if (!why.empty()) {
      result.findings.push_back(finding(
          "disc-name-lost", what + " " + full->text + " is not on the disc as Windows reads it: " +
                                why + ". Master the image with Joliet names that keep it."));
    }
    return;
  }
}

}  // namespace

void check_disc(DiscTree& tree, TreeCheck& result) {

  // The autorun file, and the launcher it starts.
  std::string launcher = kLauncher;
  const auto autorun = tree.read_file(kAutorun, 1 << 16);
  if (!autorun) {
    result.findings.push_back(finding(
        "autorun-missing", "The disc has no autorun.inf at its root, so inserting it does not "
                           "start the launcher. Add one: [autorun] open=launcher.exe "
                           "icon=launcher.exe."));
  } else {
    const Profile profile(*autorun, kWindowsNtMarks);
    const ProfileKey* open = profile.find_key("autorun", "open");
    const std::string program = open && open->value ? program_of(*open->value) : "";
    const std::string path = "D:\\" + program;
    const bool starts = !program.empty() &&
                        predicted_start(tree, path, result.windows).result > 32 &&
                        (lower_extension(program) == ".exe" || lower_extension(program) == ".com");
    if (!starts) {
      result.findings.push_back(finding(
          "autorun-open-missing",
          program.empty() ? "autorun.inf has no [autorun] open= line, so inserting the disc starts "
                            "nothing. Add open=launcher.exe."
                          : autorun_at(open) + " opens " + program + ", which is not a program "
                            "on the disc, so inserting it starts nothing. Write open=launcher.exe."));
    } else {
      const auto named = full_path(path);
      if (named && !same_ansi_name(named->text, kLauncher)) {
        launcher = named->text;
        result.findings.push_back(finding(
            "autorun-not-launcher",
            autorun_at(open) + " opens " + named->text + ", not the launcher " + kLauncher +
                ": make sure that program is the launcher (renamed) or starts it."));
      }
    }
    const ProfileKey* icon = profile.find_key("autorun", "icon");
    if (icon && icon->value) {
      std::string file = *icon->value;
      const size_t comma = file.rfind(',');
      if (comma != std::string::npos) file.resize(comma);
      file = program_of(file);
      if (tree.entry_at("D:\\" + file) != Tree::Entry::kFile) {
        result.findings.push_back(finding(
            "autorun-icon-missing",
            autorun_at(icon) + " shows the icon of " + file + ", which is not on the disc. "
            "Write icon=launcher.exe."));
      }
    }
  }
  if (tree.entry_at(launcher) != Tree::Entry::kFile) {
    result.findings.push_back(finding(
        "launcher-missing", "The launcher " + launcher + " is not at the root of the disc. Put "
                            "launcher.exe there."));
  }

  // Names the launcher needs that the image lost.
  check_names(tree, kProfileDPath, "The profile", result);
  check_names(tree, kIconToolDPath, "The icon tool", result);
  for (const LanguageCheck& l : result.languages) {
    if (!l.setup_path.empty()) check_names(tree, l.setup_path, l.language + "'s setup program", result);
  }
}

namespace {

// What Windows 95, which reads the other tree of a UDF bridge, does
// differently from `result` (a check of the UDF tree).
void compare_windows_95(const TreeCheck& windows_95, TreeCheck& result) {
  std::string differ;
  for (size_t i = 0; i < result.languages.size() && i < windows_95.languages.size(); ++i) {
    const LanguageCheck& a = result.languages[i];
    const LanguageCheck& b = windows_95.languages[i];
    if (a.exit_status != b.exit_status) {
      differ += (differ.empty() ? "" : ", ") + (a.language.empty() ? a.locale : a.language) +
                " ends with " + std::to_string(b.exit_status) + " there (" +
                std::to_string(a.exit_status) + " here)";
    }
  }
  if (differ.empty()) return;
  result.findings.push_back(finding(
      "disc-two-trees", "The image is a UDF bridge: Windows 98, ME and NT read its UDF tree (this "
                        "report), Windows 95 its " + windows_95.medium + " tree, where the launch "
                        "changes: " + differ + ". Give both trees the same names."));
}

}  // namespace

std::optional<TreeCheck> check_image(const std::string& path, const DiscImage& image,
                                     const CheckOptions& options, std::string* error) {
  const auto disc = open_disc_tree(path, image.read_by_98_and_later(), error);
  if (!disc) return std::nullopt;
  TreeCheck result = check_tree(*disc, path, options);
  check_disc(*disc, result);
  if (image.read_by_windows_95() != disc->file_system()) {
    if (const auto other = open_disc_tree(path, image.read_by_windows_95(), error)) {
      compare_windows_95(check_tree(*other, path, options), result);
    }
  }
  return result;
}

}  // namespace checker
