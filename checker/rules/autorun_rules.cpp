// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/autorun_rules.h"

#include <algorithm>

#include "checker/names/code_page.h"
#include "checker/names/path_rules.h"
#include "checker/rules/profile_rules.h"
#include "checker/windows/profile_reader.h"
#include "checker/windows/program_start.h"

namespace checker {

namespace {

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
  return key ? finding_at(code, std::move(message), kAutorunDPath, key->line)
             : finding_about(code, std::move(message), kAutorunDPath);
}

// The section a release reads: 64-bit Windows takes [AutoRun.Amd64] where
// there is one, and then ignores [AutoRun]; `as_32_bit`: a 32-bit edition
// of a release that came in both widths, which reads [AutoRun] alone.
std::string autorun_section(const Profile& autorun, const Release& release,
                            bool as_32_bit = false) {
  if (release.autorun_amd64 && !as_32_bit && autorun.find_section("autorun.amd64") != nullptr) {
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

// The first release of each line (9x, NT) that honours shellexecute=:
// "ME and 2000", from the release table.
std::string first_with_shellexecute() {
  std::string out;
  bool nine_x_done = false, nt_done = false;
  for (const Release& r : kReleases) {
    bool& done = r.family == Windows::k9x ? nine_x_done : nt_done;
    if (done || !r.shellexecute) continue;
    done = true;
    out += (out.empty() ? "" : " and ") + std::string(r.short_title);
  }
  return out;
}

// Why a release finds no command: no line in the section it reads, and
// what else the file holds that it does not read.
std::string no_command(const Profile& autorun, const std::string& section, const Release& release,
                       ProfileText text) {
  std::string why = "autorun.inf has no [" + section + "] open= line";
  if (!release.shellexecute && autorun.find_key(section, "shellexecute") != nullptr) {
    why += ", and shellexecute= is read only from Windows " + first_with_shellexecute() + " on";
  }
  const bool utf16 = text == ProfileText::kUtf16Le || text == ProfileText::kUtf16Be;
  if (utf16 && release.profile == ProfileReaderKind::kBytes) {
    why = "autorun.inf is UTF-16 text, read there as raw bytes";
  }
  return why;
}

// shellexecute= (the shell's start, any file type) where the release
// honours it and the line is there, else open= (a process: a program file
// only).
AutorunStart edition_start(DiscTree& tree, const std::string& bytes, const Release& release,
                           bool as_32_bit) {
  const Profile autorun(bytes, marks_of(release));
  const std::string section = autorun_section(autorun, release, as_32_bit);
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

// A release that came in 32-bit and 64-bit editions (Vista, 7, 8) reads
// [AutoRun] on the one and [AutoRun.Amd64] on the other: it starts what
// both start, and where one edition starts nothing, so does the release
// (the prediction that warns).
AutorunStart autorun_start(DiscTree& tree, const std::string& bytes, const Release& release) {
  const AutorunStart start = edition_start(tree, bytes, release, false);
  if (release.width != Width::kBoth) return start;
  AutorunStart on_32 = edition_start(tree, bytes, release, true);
  const bool differ = on_32.started != start.started || on_32.why != start.why;
  if (!differ || start.started.empty() || !on_32.started.empty()) return start;
  on_32.why += " (on its 32-bit editions, which read [AutoRun] alone)";
  return on_32;
}

// Every release's start, once: where inserting the disc starts nothing,
// grouped by why, in one finding whatever release is chosen. Returns what
// the chosen release starts.
AutorunStart check_autorun_command(DiscTree& tree, const std::string& bytes, const Release& release,
                                   TreeCheck& result) {
  std::vector<std::pair<std::string, std::vector<bool>>> nothing;  // why, and where
  AutorunStart chosen;
  for (size_t i = 0; i < kReleaseCount; ++i) {
    const AutorunStart start = autorun_start(tree, bytes, kReleases[i]);
    if (&kReleases[i] == &release) chosen = start;
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
      chosen.line ? finding_at(Code::kAutorunOpenMissing, message, kAutorunDPath, *chosen.line)
                  : finding_about(Code::kAutorunOpenMissing, message, kAutorunDPath));
  return chosen;
}

void check_autorun_icon(DiscTree& tree, const Profile& autorun, const Release& release,
                        TreeCheck& result) {
  const ProfileKey* icon = autorun.find_key(autorun_section(autorun, release), "icon");
  if (!icon || !icon->value) return;
  std::string file = *icon->value;
  const size_t comma = file.rfind(',');
  if (comma != std::string::npos) file.resize(comma);
  file = program_of(file);
  // One that is there but cannot be read is said once, as unreadable.
  const Tree::Entry entry = tree.entry_at("D:\\" + file);
  if (entry != Tree::Entry::kFile && entry != Tree::Entry::kUnreadable) {
    result.findings.push_back(
        autorun_finding(Code::kAutorunIconMissing,
                        "autorun.inf shows the icon of " + file +
                            ", which is not on the disc. Write icon=launcher.exe.",
                        icon));
  }
}

// The autorun file, read as the release reads it, and the program it starts;
// returns the launcher's path as the disc starts it.
}  // namespace

std::string check_autorun(DiscTree& tree, const Release& release, TreeCheck& result) {
  const Tree::Entry entry = tree.entry_at(kAutorunDPath);
  const auto bytes = tree.read_file(kAutorunDPath, 1 << 16);
  if (!bytes && entry != Tree::Entry::kMissing && entry != Tree::Entry::kFolder) {
    result.findings.push_back(unreadable(tree, kAutorunDPath));
    return kLauncherDPath;
  }
  if (!bytes) {
    result.findings.push_back(finding_about(
        Code::kAutorunMissing,
        "The disc has no autorun.inf at its root, so inserting it does not start the launcher. "
        "Add one: [autorun] open=launcher.exe icon=launcher.exe.",
        kAutorunDPath));
    return kLauncherDPath;
  }
  if (profile_text(*bytes) == ProfileText::kUtf8WithoutMark) {
    result.findings.push_back(utf8_without_mark(*bytes, "autorun.inf", kAutorunDPath));
  }
  const Profile autorun(*bytes, marks_of(release));
  check_autorun_icon(tree, autorun, release, result);
  const AutorunStart start = check_autorun_command(tree, *bytes, release, result);
  const std::string& started = start.started;
  if (started.empty() || same_ansi_name(started, kLauncherDPath)) return kLauncherDPath;
  const std::string message = "autorun.inf starts " + started + ", not the launcher " +
                              std::string(kLauncherDPath) +
                              ": make sure that program is the launcher (renamed) or starts it.";
  result.findings.push_back(
      start.line ? finding_at(Code::kAutorunNotLauncher, message, kAutorunDPath, *start.line)
                 : finding_about(Code::kAutorunNotLauncher, message, kAutorunDPath));
  return started;
}

}  // namespace checker
