// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/disc_rules.h"

#include <algorithm>

#include "checker/names/code_page.h"
#include "checker/names/path_rules.h"
#include "checker/rules/profile_rules.h"
#include "checker/windows/profile_reader.h"
#include "checker/windows/program_start.h"

namespace checker {

namespace {

constexpr char kAutorun[] = "D:\\autorun.inf";
constexpr char kLauncher[] = "D:\\launcher.exe";
constexpr size_t kIsoDepth = 8;      // folder levels ISO 9660 allows
constexpr size_t kJolietName = 64;   // characters of a Joliet name
constexpr size_t kJolietPath = 120;  // characters of a Joliet path (240 bytes)

// ISO 9660's names: letters, digits and _ (upper case on the disc), a
// base of up to 8 and an extension of up to 3.
bool iso_characters(const std::string& part) {
  for (const char c : part) {
    const bool ok =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

struct NameParts {
  std::string base, extension;
  bool dots_ok;  // at most one dot, and a base before it
};

NameParts parts_of(const std::string& name) {
  const size_t dot = name.find('.');
  NameParts p{name.substr(0, dot), dot == std::string::npos ? "" : name.substr(dot + 1), true};
  p.dots_ok = !p.base.empty() && p.extension.find('.') == std::string::npos;
  return p;
}

bool is_8_3(const std::string& name) {
  const NameParts p = parts_of(name);
  return p.dots_ok && p.base.size() <= 8 && p.extension.size() <= 3 && iso_characters(p.base) &&
         iso_characters(p.extension);
}

// The name as a mastering tool writes it for ISO 9660: upper case, each
// other character as _, the base cut to 8 and the extension to 3.
std::string iso_written(const std::string& name) {
  const NameParts p = parts_of(name);
  const auto written = [](std::string part, size_t most) {
    for (char& c : part) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (!iso_characters(std::string(1, c))) c = '_';
    }
    return part.substr(0, most);
  };
  const std::string extension = written(p.extension, 3);
  return written(p.base, 8) + (extension.empty() ? "" : "." + extension);
}

// Why a name is not one of ISO 9660's, and what Windows lists instead where
// the folder holds the name as a mastering tool writes it.
std::string not_iso_name(DiscTree& tree, const std::vector<std::string>& folder,
                         const std::string& name) {
  const NameParts p = parts_of(name);
  const bool characters = iso_characters(p.base) && iso_characters(p.extension);
  const bool length = p.dots_ok && p.base.size() <= 8 && p.extension.size() <= 3;
  std::string why =
      "the image has no Joliet names, so Windows sees only its ISO 9660 names, which hold ";
  if (!characters) why += "letters, digits and _ only (upper case)";
  if (!characters && !length) why += ", and ";
  if (!length) why += "a name of up to 8 characters with an extension of up to 3";
  why += ", and \"" + name + "\" is not one";
  const std::string written = iso_written(name);
  for (const DiscName& entry : tree.names(folder).value_or(std::vector<DiscName>())) {
    if (same_file_name(entry.name, written)) return why + ": Windows lists \"" + entry.name + "\"";
  }
  return why;
}

// The program of an autorun command ("launcher.exe /x", "\"a b.exe\"").
std::string program_of(const std::string& command) {
  if (!command.empty() && command[0] == '"') {
    const size_t close = command.find('"', 1);
    return command.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  return command.substr(0, command.find_first_of(" \t"));
}

// A finding about a line of autorun.inf, or about the file.
Finding autorun_finding(Code code, std::string message, const ProfileKey* key) {
  return key ? finding_at(code, std::move(message), kAutorun, key->line)
             : finding_about(code, std::move(message), kAutorun);
}

// Why the image does not hold the first missing component of `d_path`,
// where it can be told; "" when it cannot.
std::string why_lost(DiscTree& tree, const std::vector<std::string>& parts, size_t missing) {
  const std::vector<std::string> folder(parts.begin(),
                                        parts.begin() + static_cast<std::ptrdiff_t>(missing));
  const std::string& name = parts[missing];
  if (missing >= kIsoDepth) {
    const auto root = tree.names({});
    for (const DiscName& entry : root.value_or(std::vector<DiscName>())) {
      if (same_file_name(entry.name, "RR_MOVED")) {
        return "ISO 9660 allows " + std::to_string(kIsoDepth) +
               " levels of folders, and the mastering tool moved the deeper ones to \\" +
               ansi_text(entry.name);
      }
    }
  }
  if (tree.file_system() == DiscFileSystem::kIso9660 && !is_8_3(name)) {
    return not_iso_name(tree, folder, name);
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
    for (const DiscName& entry : names.value_or(std::vector<DiscName>())) {
      if (decode_utf8(entry.name) == decode_ansi(name).substr(0, kJolietName)) {
        return "Joliet names hold at most 64 characters, and the mastering tool cut \"" + name +
               "\" to \"" + ansi_text(entry.name) + "\"";
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
      result.findings.push_back(finding_about(
          Code::kDiscNameLost,
          what + " " + full->text + " is not on the disc as Windows reads it: " + why +
              ". Master the image with Joliet names that keep it.",
          full->text));
    }
    return;
  }
}

// The section a release reads: 64-bit Windows takes [AutoRun.Amd64] where
// there is one, and then ignores [AutoRun].
std::string autorun_section(const Profile& autorun, const Release& release) {
  if (release.autorun_amd64 && autorun.find_section("autorun.amd64") != nullptr) {
    return "autorun.amd64";
  }
  return "autorun";
}

// What inserting the disc starts on one release: the D: path, or nothing
// and why; the line that says so.
struct AutorunStart {
  std::string started;  // "" when nothing starts
  std::string why;      // why nothing starts
  std::optional<int> line;
  bool unreadable = false;  // the program is listed but cannot be read
};

// Why a release finds no command: no line in the section it reads, and
// what else the file holds that it does not read.
std::string no_command(const Profile& autorun, const std::string& section, const Release& release,
                       ProfileText text) {
  std::string why = "autorun.inf has no [" + section + "] open= line";
  if (!release.shellexecute && autorun.find_key(section, "shellexecute") != nullptr) {
    why += ", and shellexecute= is read only from Windows XP SP2 on";
  }
  const bool utf16 = text == ProfileText::kUtf16Le || text == ProfileText::kUtf16Be;
  if (utf16 && release.profile == ProfileReaderKind::k9x) {
    why = "autorun.inf is UTF-16 text, which Windows 95, 98 and ME read as raw bytes";
  }
  return why;
}

// shellexecute= (the shell's start, any file type) where the release
// honours it and the line is there, else open= (a process: a program file
// only).
AutorunStart autorun_start(DiscTree& tree, const std::string& bytes, const Release& release) {
  const Profile autorun(bytes, marks_of(release));
  const std::string section = autorun_section(autorun, release);
  const ProfileKey* shell =
      release.shellexecute ? autorun.find_key(section, "shellexecute") : nullptr;
  const bool by_shell = shell && shell->value && !program_of(*shell->value).empty();
  const ProfileKey* line = by_shell ? shell : autorun.find_key(section, "open");
  AutorunStart out;
  if (line != nullptr) out.line = line->line;
  const std::string program = line && line->value ? program_of(*line->value) : "";
  if (program.empty()) {
    out.why = no_command(autorun, section, release, profile_text(bytes));
    return out;
  }
  const std::string path = "D:\\" + program;
  const PredictedStart start =
      by_shell ? predicted_start(tree, path, release) : predicted_process(tree, path, release);
  const auto named = full_path(path);
  if (start.kind == StartKind::kUnreadable) {
    out.unreadable = true;
    out.why = named ? named->text : path;
  } else if (start.result <= 32) {
    out.why = "autorun.inf's " + std::string(by_shell ? "shellexecute=" : "open=") + " names " +
              program + ": " + start.note;
  } else {
    out.started = named ? named->text : path;
  }
  return out;
}

// Every release's start, once: where inserting the disc starts nothing,
// grouped by why, in one finding whatever release is chosen. Returns what
// the chosen release starts.
AutorunStart check_autorun_command(DiscTree& tree, const std::string& bytes, TreeCheck& result) {
  std::vector<std::pair<std::string, std::vector<bool>>> nothing;  // why, and where
  AutorunStart chosen;
  for (size_t i = 0; i < kReleaseCount; ++i) {
    const AutorunStart start = autorun_start(tree, bytes, kReleases[i]);
    if (&kReleases[i] == result.release) chosen = start;
    if (!start.started.empty() || start.unreadable) continue;
    auto same = std::find_if(nothing.begin(), nothing.end(),
                             [&](const auto& n) { return n.first == start.why; });
    if (same == nothing.end())
      same = nothing.insert(nothing.end(), {start.why, std::vector<bool>(kReleaseCount)});
    same->second[i] = true;
  }
  if (chosen.unreadable) result.findings.push_back(unreadable(tree, chosen.why));
  if (nothing.empty()) return chosen;
  std::string said;
  for (const auto& [why, on] : nothing)
    said += (said.empty() ? "" : "; ") + releases_prose(on) + ": " + why;
  const std::string message =
      "Inserting the disc starts nothing on " + said + ". Write open=launcher.exe.";
  result.findings.push_back(
      chosen.line ? finding_at(Code::kAutorunOpenMissing, message, kAutorun, *chosen.line)
                  : finding_about(Code::kAutorunOpenMissing, message, kAutorun));
  return chosen;
}

void check_autorun_icon(DiscTree& tree, const Profile& autorun, TreeCheck& result) {
  const ProfileKey* icon = autorun.find_key(autorun_section(autorun, *result.release), "icon");
  if (!icon || !icon->value) return;
  std::string file = *icon->value;
  const size_t comma = file.rfind(',');
  if (comma != std::string::npos) file.resize(comma);
  file = program_of(file);
  if (tree.entry_at("D:\\" + file) != Tree::Entry::kFile) {
    result.findings.push_back(
        autorun_finding(Code::kAutorunIconMissing,
                        "autorun.inf shows the icon of " + file +
                            ", which is not on the disc. Write icon=launcher.exe.",
                        icon));
  }
}

// The autorun file, read as the release reads it, and the program it starts;
// returns the launcher's path as the disc starts it.
std::string check_autorun(DiscTree& tree, TreeCheck& result) {
  const Tree::Entry entry = tree.entry_at(kAutorun);
  const auto bytes = tree.read_file(kAutorun, 1 << 16);
  if (!bytes && entry != Tree::Entry::kMissing && entry != Tree::Entry::kFolder) {
    result.findings.push_back(unreadable(tree, kAutorun));
    return kLauncher;
  }
  if (!bytes) {
    result.findings.push_back(finding_about(
        Code::kAutorunMissing,
        "The disc has no autorun.inf at its root, so inserting it does not start the launcher. "
        "Add one: [autorun] open=launcher.exe icon=launcher.exe.",
        kAutorun));
    return kLauncher;
  }
  if (profile_text(*bytes) == ProfileText::kUtf8WithoutMark) {
    result.findings.push_back(utf8_without_mark(*bytes, "autorun.inf", kAutorun));
  }
  const Profile autorun(*bytes, marks_of(*result.release));
  check_autorun_icon(tree, autorun, result);
  const AutorunStart start = check_autorun_command(tree, *bytes, result);
  const std::string& started = start.started;
  if (started.empty() || same_ansi_name(started, kLauncher)) return kLauncher;
  const std::string message = "autorun.inf starts " + started + ", not the launcher " +
                              std::string(kLauncher) +
                              ": make sure that program is the launcher (renamed) or starts it.";
  result.findings.push_back(
      start.line ? finding_at(Code::kAutorunNotLauncher, message, kAutorun, *start.line)
                 : finding_about(Code::kAutorunNotLauncher, message, kAutorun));
  return started;
}

}  // namespace

void check_disc(DiscTree& tree, TreeCheck& result) {
  const std::string launcher = check_autorun(tree, result);
  // The launcher itself, and the program autorun.inf starts in its place.
  const bool own_unreadable = tree.entry_at(kLauncher) == Tree::Entry::kUnreadable;
  if (own_unreadable) result.findings.push_back(unreadable(tree, kLauncher));
  const Tree::Entry started = tree.entry_at(launcher);
  if (started == Tree::Entry::kUnreadable) {
    if (!same_ansi_name(launcher, kLauncher)) result.findings.push_back(unreadable(tree, launcher));
  } else if (started != Tree::Entry::kFile) {
    result.findings.push_back(finding_about(
        Code::kLauncherMissing,
        "The launcher " + launcher + " is not at the root of the disc. Put launcher.exe there.",
        launcher));
  }
  // Names the launcher needs that the image lost.
  check_names(tree, kProfileDPath, "The profile", result);
  check_names(tree, kIconToolDPath, "The icon tool", result);
  for (const LanguageCheck& l : result.languages) {
    if (!l.setup_path.empty())
      check_names(tree, l.setup_path, l.language + "'s setup program", result);
  }
}

}  // namespace checker
