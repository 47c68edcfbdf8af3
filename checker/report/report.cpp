#include "checker/report/report.h"

#include <algorithm>
#include <cstdio>

#include "checker/windows/code_page.h"
#include "platform/platform.h"

namespace checker {

namespace {

std::string quoted(const std::string& ansi) {
  std::string out = "\"";
  for (const char32_t c : decode_ansi(ansi)) {
    if (c == U'"' || c == U'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += encode_utf8(std::u32string(1, c));
    }
  }
  return out + "\"";
}

// A string that is UTF-8 already (a host path): as it is, where valid; a
// byte that is no part of UTF-8 as the text \xNN, never decoded as ANSI.
std::string quoted_utf8(const std::string& utf8) {
  std::string text;
  for (size_t i = 0; i < utf8.size();) {
    size_t length = 1;
    while (i + length <= utf8.size() && length <= 4) {
      const std::string unit = utf8.substr(i, length);
      const std::u32string decoded = decode_utf8(unit);
      if (decoded.size() == 1 && decoded[0] != U'\uFFFD' && encode_utf8(decoded) == unit) break;
      ++length;
    }
    if (i + length > utf8.size() || length > 4) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\x%02X", static_cast<unsigned char>(utf8[i]));
      text += escape;
      length = 1;
    } else if (utf8[i] == '"' || utf8[i] == '\\') {
      text += std::string("\\") + utf8[i];
    } else if (static_cast<unsigned char>(utf8[i]) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", static_cast<unsigned>(utf8[i]));
      text += escape;
    } else {
      text += utf8.substr(i, length);
    }
    i += length;
  }
  return "\"" + text + "\"";
}

std::string optional_text(const std::optional<std::string>& text) {
  return text ? quoted(*text) : "null";
}

std::string findings_json(const std::vector<Finding>& findings, const std::string& indent) {
  if (findings.empty()) return "[]";
  std::string out = "[";
  for (size_t i = 0; i < findings.size(); ++i) {
    out += (i ? ",\n" : "\n") + indent + "  {\"severity\": " + quoted(severity_name(findings[i].severity())) +
           ", \"code\": " + quoted(findings[i].name()) +
           ", \"message\": " + quoted(findings[i].message) +
           ", \"file\": " + (findings[i].file.empty() ? "null" : quoted(findings[i].file)) + ", \"line\": " +
           (findings[i].line ? std::to_string(*findings[i].line) : "null") + "}";
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

// The launcher's two starts: the icon tool's (started first, minimised) and
// the setup program's.
const ProgramStart* icon_start(const LanguageCheck& l) {
  return l.starts.empty() ? nullptr : &l.starts[0];
}
const ProgramStart* setup_start(const LanguageCheck& l) {
  return l.starts.size() < 2 ? nullptr : &l.starts[1];
}

std::string language_json(const LanguageCheck& l) {
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
  field("exit_status", std::to_string(l.exit_status));
  std::string by_windows = "{";
  for (const Windows w : kAllWindows) {
    by_windows += (by_windows.size() > 1 ? ", " : "") + quoted(windows_name(w)) + ": " +
                  std::to_string(l.exit_by_windows.at(w));
  }
  field("exit_status_by_windows", by_windows + "}");
  field("findings", findings_json(l.findings, in), true);
  return out + "    }";
}

// The exit statuses of the other families, where they differ.
std::string elsewhere(const LanguageCheck& l, Windows chosen) {
  std::string out;
  for (const Windows w : kAllWindows) {
    if (w != chosen && l.exit_by_windows.at(w) != l.exit_status) {
      out += (out.empty() ? "" : ", ") + std::string(windows_name(w)) + ": " +
             std::to_string(l.exit_by_windows.at(w));
    }
  }
  return out.empty() ? "-" : out;
}

// Every finding with the language it is about ("" for the tree), errors
// first, each severity in the order found.
std::vector<std::pair<std::string, const Finding*>> all_findings(const TreeCheck& check) {
  std::vector<std::pair<std::string, const Finding*>> all;
  for (const Finding& f : check.findings) all.emplace_back("", &f);
  for (const LanguageCheck& l : check.languages) {
    for (const Finding& f : l.findings) all.emplace_back(l.language, &f);
  }
  std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
    return a.second->severity() == Severity::kError && b.second->severity() != Severity::kError;
  });
  return all;
}

// The families that have the user's language from `source`.
std::string families_using(const TreeCheck& check, LanguageSource source) {
  std::vector<Windows> families;
  for (const Windows w : kAllWindows) {
    if (check.language_source.at(w) == source) families.push_back(w);
  }
  return windows_titles(families);
}

// One line: where each family has the user's language from.
std::string language_source_line(const TreeCheck& check) {
  const std::string display = families_using(check, LanguageSource::kDisplayLanguage);
  if (display.empty()) {
    return "Language: the registry's ResourceLocale, on every Windows (--locale)";
  }
  return "Language: the registry's ResourceLocale on " +
         families_using(check, LanguageSource::kRegistry) + "; the display language on " +
         display + ", which keep none";
}

std::string pad(const std::string& text, size_t width) {
  const size_t shown = decode_ansi(text).size();
  return ansi_to_utf8(text) + std::string(shown < width ? width - shown : 0, ' ');
}

}  // namespace

std::string ansi_to_utf8(const std::string& text) { return encode_utf8(decode_ansi(text)); }

// "File systems: Windows 95 reads Joliet; ...; Windows Vista and later UDF 2.01".
std::string file_systems_line(const TreeCheck& check) {
  std::string out = "File systems:";
  for (size_t i = 0; i < check.disc_readings.size(); ++i) {
    const DiscReading& r = check.disc_readings[i];
    out += (i == 0 ? " " : "; ") + r.reader + (i == 0 ? " reads " : " ") + r.shown;
  }
  return out;
}

std::string json_report(const TreeCheck& check, const std::string& version) {
  std::string out = "{\n";
  out += "  \"checker\": \"launcher-check\",\n";
  out += "  \"version\": " + quoted(version) + ",\n";
  out += "  \"tree\": " + quoted_utf8(check.tree) + ",\n";
  out += "  \"windows\": " + quoted(windows_name(check.windows)) + ",\n";
  std::string sources;
  for (const Windows w : kAllWindows) {
    sources += (sources.empty() ? "{" : ", ") + quoted(windows_name(w)) + ": " +
               quoted(language_source_name(check.language_source.at(w)));
  }
  out += "  \"language_source\": " + sources + "},\n";
  out += "  \"medium\": " + quoted(check.medium) + ",\n";
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
  out += "  \"profile\": {\"path\": " + quoted(kProfileDPath) + ", \"found\": " +
         (check.profile_found ? "true" : "false") + ", \"encoding\": " +
         (check.profile_found ? quoted(profile_text_name(check.profile_text)) : "null") + "},\n";
  out += "  \"findings\": " + findings_json(check.findings, "  ") + ",\n";
  out += "  \"languages\": [";
  for (size_t i = 0; i < check.languages.size(); ++i) {
    out += (i ? ",\n    " : "\n    ") + language_json(check.languages[i]);
  }
  out += "\n  ],\n";
  out += "  \"unmatched_locale\": " + (check.unmatched ? language_json(*check.unmatched) : "null") + ",\n";
  out += std::string("  \"all_start\": ") + (check.all_start() ? "true" : "false") + "\n}\n";
  return out;
}

// "line 3" of client.ini; "autorun.inf line 2" of another file.
std::string line_of(const Finding& f) {
  const std::string where = f.file == kProfileDPath ? "" : f.file.substr(f.file.rfind('\\') + 1) + " ";
  return where + "line " + std::to_string(*f.line);
}

std::string text_report(const TreeCheck& check) {
  const std::string read_as = check.medium == "none" ? ", with no file system this Windows reads,"
                                                     : ", its " + check.medium + " file system,";
  std::string out = (check.medium == "folder" ? "Tree " + check.tree : "Image " + check.tree + read_as) +
                    " as drive D:, on " + windows_title(check.windows) +
                    " (--windows " + windows_name(check.windows) + ")\n";
  out += "Profile " + kProfileDPath + ": " +
         (check.profile_found ? "found (" + std::string(profile_text_name(check.profile_text)) + ")"
                              : "missing") +
         "\n";
  out += language_source_line(check) + "\n";
  if (!check.disc_readings.empty()) out += file_systems_line(check) + "\n";
  out += "\n";
  const std::vector<std::string> head = {"Language", "Locale", "Setup program (found path)",
                                         "Length", "Group", "Exit", "Elsewhere"};
  std::vector<std::vector<std::string>> rows = {head};
  for (const LanguageCheck& l : check.languages) {
    const ProgramStart* setup = setup_start(l);
    std::string program = setup ? setup->file
                          : l.found_path ? "not started: " + *l.found_path
                          : l.setup_path.empty() ? "-"
                                                 : "not found: " + l.setup_path;
    if (!l.boxes.empty()) program = "message box \"" + l.boxes.front() + "\"";
    rows.push_back({l.language.empty() ? "(none)" : l.language, l.locale, program,
                    l.found_path ? std::to_string(l.found_path->size()) : "-",
                    icon_start(l) ? "\"" + l.group + "\"" : "-", std::to_string(l.exit_status),
                    elsewhere(l, check.windows)});
  }
  std::vector<size_t> widths(head.size(), 0);
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      widths[i] = std::max(widths[i], decode_ansi(row[i]).size());
    }
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    std::string line;
    for (size_t i = 0; i < rows[r].size(); ++i) line += pad(rows[r][i], widths[i] + 2);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  if (check.unmatched) {
    const LanguageCheck& u = *check.unmatched;
    out += "Any other language: " +
           (u.boxes.empty() ? std::string("no message box")
                            : "message box \"" + ansi_to_utf8(u.boxes.front()) + "\"") +
           ", nothing started, exit " + std::to_string(u.exit_status) + "\n";
  }
  out += "\nThe icon tool " + kIconToolDPath +
         " starts first, minimised, with \"exe=c:\\brumix\\kez.exe desc=KEZ group=<group>\".\n"
         "A setup program starts with the launcher's own arguments and show state.\n";

  out += "Elsewhere: the exit status on the other families of Windows, where it differs.\n";

  std::string findings;
  for (const auto& [where, f] : all_findings(check)) {
    const std::string severity = severity_name(f->severity());
    findings += "  " + severity + std::string(9 - severity.size(), ' ') + f->name() + "  " +
                (f->line ? line_of(*f) + ": " : "") +
                (where.empty() ? "" : where + ": ") + ansi_to_utf8(f->message) + "\n";
  }
  out += findings.empty() ? "\nNo findings.\n" : "\nFindings:\n" + findings;
  return out;
}

// Where a file of the tree is for an editor: client.ini where the check
// found it; else the path inside an image, or below the tree's folder.
std::string editor_path(const TreeCheck& check, const std::string& d_path) {
  if (d_path == kProfileDPath && !check.profile_location.empty()) return check.profile_location;
  if (check.medium != "folder") return check.tree + ":" + d_path;
  std::string tree = check.tree;
  while (tree.size() > 1 && (tree.back() == '/' || tree.back() == '\\')) tree.pop_back();
  std::string path = tree + "/" + d_path.substr(3);
  std::replace(path.begin() + static_cast<std::ptrdiff_t>(tree.size()), path.end(), '\\', '/');
  return path;
}

std::string gcc_report(const TreeCheck& check) {
  std::string out;
  for (const auto& [where, f] : all_findings(check)) {
    out += (f->line ? editor_path(check, f->file) + ":" + std::to_string(*f->line) : check.tree) +
           ": " + severity_name(f->severity()) +
           ": " + (where.empty() ? "" : where + ": ") + ansi_to_utf8(f->message) + " [" + f->name() +
           "]\n";
  }
  return out;
}

}  // namespace checker
