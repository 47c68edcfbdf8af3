// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include <algorithm>

#include "checker/report/json_text.h"
#include "checker/report/locations.h"
#include "checker/report/outcome.h"
#include "checker/report/release_columns.h"
#include "checker/report/summary.h"
#include "checker/report/text_report.h"
#include "checker/names/code_page.h"

namespace checker {

namespace {

// The exit statuses on the other releases, where they differ, neighbouring
// columns with the same status as one: "Windows 95 to ME: 31, NT 4.0: -1".
std::string elsewhere(const LanguageCheck& l, const std::vector<ReleaseColumn>& columns,
                      const Release& chosen) {
  const auto exit_in = [&](const ReleaseColumn& c) { return exit_text(on_release(l, c.first)); };
  const auto differs = [&](const ReleaseColumn& c) {
    return !c.holds(chosen) && c.first < l.by_release.size() && exit_in(c) != exit_text(l);
  };
  std::string out;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (!differs(columns[i])) continue;
    size_t last = i;
    while (last + 1 < columns.size() && differs(columns[last + 1]) &&
           exit_in(columns[last + 1]) == exit_in(columns[i]) &&
           (kReleases[columns[last + 1].first].family == Windows::k9x) ==
               (kReleases[columns[i].first].family == Windows::k9x)) {
      ++last;
    }
    const std::string label =
        last == i ? columns[i].label : run_label(columns[i].first, columns[last].last);
    out += (out.empty() ? "" : ", ") + label + ": " + exit_in(columns[i]);
    i = last;
  }
  return out.empty() ? "-" : out;
}

std::string pad(const std::string& text, size_t width) {
  const size_t shown = decode_ansi(text).size();
  return ansi_to_utf8(text) + std::string(shown < width ? width - shown : 0, ' ');
}

// "line 3" of client.ini; "autorun.inf line 2" of another file.
std::string line_of(const Finding& f) {
  const std::string where =
      f.file == kProfileDPath ? "" : f.file.substr(f.file.rfind('\\') + 1) + " ";
  return where + "line " + std::to_string(*f.line);
}

// What was checked: the tree or image, the release, the profile, where the
// language comes from and, for an image, what each Windows reads.
std::string heading(const TreeCheck& check) {
  const std::string read_as =
      check.medium == Medium::kNothing
          ? ", with no file system this Windows reads,"
          : ", its " + std::string(medium_name(check.medium)) + " file system,";
  std::string out =
      (check.medium == Medium::kFolder ? "Tree " + check.tree : "Image " + check.tree + read_as) +
      " as " + place_text(check) + ", on " + check.release->title + " (--windows " +
      check.release->name + ")\n";
  out += "Profile " + kProfileDPath + ": " + profile_state(check) + "\n";
  out += "Language: " + language_sources(check) + "\n";
  if (!check.disc_readings.empty()) out += "File systems: " + file_systems(check) + "\n";
  return out;
}

std::vector<std::string> language_row(const LanguageCheck& l,
                                      const std::vector<ReleaseColumn>& columns,
                                      const Release& chosen) {
  const ProgramStart* setup = setup_start(l);
  std::string program = setup                   ? setup->file
                        : !l.unfit_path.empty() ? "too long to look for: " + l.unfit_path
                        : l.found_path          ? "not started: " + *l.found_path
                        : l.setup_path.empty()  ? "-"
                                                : "not found: " + l.setup_path;
  if (!l.boxes.empty()) program = "message box \"" + l.boxes.front() + "\"";
  if (l.cannot_tell) program = "cannot tell: " + *l.cannot_tell + " cannot be read";
  return {l.language.empty() ? "(none)" : l.language,
          l.locale,
          program,
          l.found_path           ? std::to_string(l.found_path->size())
          : l.unfit_path.empty() ? "-"
                                 : std::to_string(l.unfit_path.size()),
          icon_start(l) ? "\"" + l.group + "\"" : "-",
          exit_text(l),
          elsewhere(l, columns, chosen)};
}

// One row a language, the columns as wide as their widest text.
std::string language_table(const TreeCheck& check) {
  const std::vector<std::string> head = {
      "Language", "Locale", "Setup program (found path)", "Length", "Group", "Exit", "Elsewhere"};
  std::vector<std::vector<std::string>> rows = {head};
  const std::vector<ReleaseColumn> columns = release_columns(check);
  for (const LanguageCheck& l : check.languages) {
    rows.push_back(language_row(l, columns, *check.release));
  }
  std::vector<size_t> widths(head.size(), 0);
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      widths[i] = std::max(widths[i], decode_ansi(row[i]).size());
    }
  }
  std::string out;
  for (const auto& row : rows) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) line += pad(row[i], widths[i] + 2);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

// How deep the tree may lie and still start every language.
std::string room_line(const TreeCheck& check) {
  if (!check.room) return "";
  const Room& room = *check.room;
  // "C:\x" is the shortest folder; a drive's root has two characters.
  const std::string where =
      room.characters < 4
          ? "only from a drive's root"
          : "from a folder or a share of up to " + std::to_string(room.characters) + " characters";
  return "Room: it starts every language that starts here " + where + " (" + room.language +
         "'s found path decides: " + ansi_to_utf8(room.found_path) + ", " +
         std::to_string(room.found_path.size()) + " characters from D:); try one with --from.\n";
}

std::string unmatched_line(const TreeCheck& check) {
  if (!check.unmatched) return "";
  const LanguageCheck& u = *check.unmatched;
  if (u.cannot_tell) return "Any other language: " + ansi_to_utf8(outcome_text(u)) + "\n";
  return "Any other language: " +
         (u.boxes.empty() ? std::string("no message box")
                          : "message box \"" + ansi_to_utf8(u.boxes.front()) + "\"") +
         ", nothing started, exit " + exit_text(u) + "\n";
}

// What the table leaves unsaid: the icon tool's parameters, from the
// launcher's own template up to its group slot.
std::string legend() {
  const std::string parameters(launcher::kIconParameterTemplate, launcher::kGroupSlot);
  return "\nThe icon tool " + kIconToolDPath + " starts first, minimised, with \"" +
         ansi_to_utf8(parameters) +
         "<group>\".\n"
         "A setup program starts with the launcher's own arguments and show state.\n"
         "Elsewhere: the exit status on other releases of Windows, where it differs.\n";
}

std::string findings_section(const TreeCheck& check) {
  std::string findings;
  for (const auto& [where, f] : all_findings(check)) {
    const std::string severity = severity_name(f->severity());
    findings += "  " + severity + std::string(9 - severity.size(), ' ') + f->name() + "  " +
                (f->line ? line_of(*f) + ": " : "") + (where.empty() ? "" : where + ": ") +
                ansi_to_utf8(f->message) + "\n";
  }
  return findings.empty() ? "\nNo findings.\n" : "\nFindings:\n" + findings;
}

}  // namespace

std::string text_report(const TreeCheck& check) {
  return heading(check) + "\n" + language_table(check) + unmatched_line(check) + room_line(check) +
         "S mode: " + kSModeNote + ".\n" + legend() + findings_section(check);
}

}  // namespace checker
