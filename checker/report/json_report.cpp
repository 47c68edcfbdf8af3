// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include <algorithm>

#include "checker/report/json_text.h"
#include "checker/report/locations.h"
#include "checker/report/outcome.h"
#include "checker/report/release_columns.h"
#include "checker/report/json_report.h"

namespace checker {

namespace {

std::string optional_text(const std::optional<std::string>& text) {
  return text ? quoted(*text) : "null";
}

std::string findings_json(const std::vector<Finding>& findings, const std::string& indent) {
  if (findings.empty()) return "[]";
  std::string out = "[";
  for (size_t i = 0; i < findings.size(); ++i) {
    out += (i ? ",\n" : "\n") + indent +
           "  {\"severity\": " + quoted(severity_name(findings[i].severity())) +
           ", \"code\": " + quoted(findings[i].name()) +
           ", \"message\": " + quoted(findings[i].message) +
           ", \"file\": " + (findings[i].file.empty() ? "null" : quoted(findings[i].file)) +
           ", \"line\": " + (findings[i].line ? std::to_string(*findings[i].line) : "null") + "}";
  }
  return out + "\n" + indent + "]";
}

std::string start_json(const ProgramStart* start) {
  if (start == nullptr) return "null";
  return "{\"file\": " + quoted(start->file) + ", \"parameters\": " + quoted(start->parameters) +
         ", \"show\": " + std::to_string(start->show) +
         ", \"launch_result\": " + std::to_string(start->result) +
         ", \"note\": " + (start->note.empty() ? "null" : quoted(start->note)) + "}";
}

std::string language_json(const LanguageCheck& l, Windows chosen) {
  const std::string in = "      ";
  std::string out = "{\n";
  const auto field = [&](const std::string& name, const std::string& value, bool last = false) {
    out += in + quoted(name) + ": " + value + (last ? "\n" : ",\n");
  };
  field("language", l.language.empty() ? "null" : quoted(l.language));
  field("locale", quoted(l.locale));
  field("setup_key", l.setup_key.empty() ? "null" : quoted(l.setup_key));
  field("group_key", l.group_key.empty() ? "null" : quoted(l.group_key));
  field("setup_value", optional_text(l.setup_value));
  field("setup_default_used", l.setup_default_used ? "true" : "false");
  field("setup_path", l.setup_path.empty() ? "null" : quoted(l.setup_path));
  field("found_path", optional_text(l.found_path));
  field("found_path_length", l.found_path ? std::to_string(l.found_path->size()) : "null");
  field("group_value", optional_text(l.group_value));
  field("group", icon_start(l) ? quoted(l.group) : "null");
  field("group_cut", l.group_cut ? "true" : "false");
  field("icon_tool", start_json(icon_start(l)));
  field("setup_program", start_json(setup_start(l)));
  field("message_box", l.boxes.empty() ? "null" : quoted(l.boxes.front()));
  field("exit_status", exit_json(l));
  field("outcome", quoted(outcome_name(outcome_of(l))));
  field("does", quoted(outcome_text(l)));
  std::string by_windows = "{";
  for (const Windows w : kAllWindows) {
    const LanguageCheck there =
        w == chosen ? l : on_release(l, release_index(representative_release(w)));
    by_windows +=
        (by_windows.size() > 1 ? ", " : "") + quoted(windows_name(w)) + ": " + exit_json(there);
  }
  field("exit_status_by_windows", by_windows + "}");
  field("findings", findings_json(l.findings, in), true);
  return out + "    }";
}

// Each release on one line: its title, the report column it shows in, where
// it has the language, and each locale's exit status and outcome there.
std::string releases_json(const TreeCheck& check) {
  std::vector<const LanguageCheck*> launches;
  for (const LanguageCheck& l : check.languages) launches.push_back(&l);
  if (check.unmatched) launches.push_back(&*check.unmatched);
  const std::vector<ReleaseColumn> columns = release_columns(check);
  std::string out = "{";
  for (size_t i = 0; i < kReleaseCount; ++i) {
    const Release& r = kReleases[i];
    const auto column = std::find_if(columns.begin(), columns.end(),
                                     [&](const ReleaseColumn& c) { return c.holds(r); });
    std::string exits, outcomes;
    for (const LanguageCheck* l : launches) {
      const LanguageCheck there = on_release(*l, i);
      exits += (exits.empty() ? "" : ", ") + quoted(l->locale) + ": " + exit_json(there);
      outcomes += (outcomes.empty() ? "" : ", ") + quoted(l->locale) + ": " +
                  quoted(outcome_name(outcome_of(there)));
    }
    out += (i ? ",\n    " : "\n    ") + quoted(r.name) + ": {\"title\": " + quoted(r.title) +
           ", \"family\": " + quoted(windows_name(r.family)) +
           ", \"column\": " + quoted(column->label) + ", \"language_source\": " +
           quoted(language_source_name(i < check.release_language.size() ? check.release_language[i]
                                                                         : r.language)) +
           ", \"exit_status\": {" + exits + "}, \"outcome\": {" + outcomes + "}}";
  }
  return out + "\n  }";
}

// How deep the tree may lie: null where --from names the place, the tree
// has no profile or no language starts.
std::string room_json(const TreeCheck& check) {
  if (!check.room) return "null";
  return "{\"characters\": " + std::to_string(check.room->characters) +
         ", \"language\": " + quoted(check.room->language) +
         ", \"found_path\": " + quoted(check.room->found_path) + "}";
}

}  // namespace

std::string json_report(const TreeCheck& check, const std::string& version) {
  std::string out = "{\n";
  out += "  \"checker\": \"launcher-check\",\n";
  out += "  \"version\": " + quoted(version) + ",\n";
  out += "  \"tree\": " + quoted_utf8(check.tree) + ",\n";
  out += "  \"windows\": " + quoted(windows_name(check.release->family)) + ",\n";
  out += "  \"release\": " + quoted(check.release->name) + ",\n";
  std::string sources;
  for (const Windows w : kAllWindows) {
    sources += (sources.empty() ? "{" : ", ") + quoted(windows_name(w)) + ": " +
               quoted(language_source_name(check.language_source.at(w)));
  }
  out += "  \"language_source\": " + sources + "},\n";
  out += "  \"medium\": " + quoted(medium_name(check.medium)) + ",\n";
  out += "  \"place\": " + quoted(check.place) + ",\n";
  out += "  \"room\": " + room_json(check) + ",\n";
  out += "  \"s_mode\": " + quoted(kSModeNote) + ",\n";
  if (!check.disc_readings.empty()) {
    std::string readings;
    for (const DiscReading& r : check.disc_readings) {
      readings += (readings.empty() ? "{" : ", ") + quoted(r.name) + ": " +
                  (r.file_system.empty() ? "null" : quoted(r.file_system));
    }
    out += "  \"file_systems\": " + readings + "},\n";
    out += "  \"udf_revision\": " +
           (check.udf_revision.empty() ? "null" : quoted(check.udf_revision)) + ",\n";
  }
  out += "  \"profile\": {\"path\": " + quoted(kProfileDPath) +
         ", \"found\": " + (check.profile_found ? "true" : "false") + ", \"encoding\": " +
         (check.profile_found ? quoted(profile_text_name(check.profile_text)) : "null") +
         ", \"unreadable\": " + (check.profile_unreadable ? "true" : "false") + "},\n";
  out += "  \"findings\": " + findings_json(check.findings, "  ") + ",\n";
  out += "  \"languages\": [";
  for (size_t i = 0; i < check.languages.size(); ++i) {
    out += (i ? ",\n    " : "\n    ") + language_json(check.languages[i], check.release->family);
  }
  out += "\n  ],\n";
  out += "  \"unmatched_locale\": " +
         (check.unmatched ? language_json(*check.unmatched, check.release->family) : "null") +
         ",\n";
  out += "  \"releases\": " + releases_json(check) + ",\n";
  out += std::string("  \"all_start\": ") + (check.all_start() ? "true" : "false") + "\n}\n";
  return out;
}

}  // namespace checker
