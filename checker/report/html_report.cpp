// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// One self-contained page: no script, and a Content-Security-Policy that
// forbids any; styles inline; readable from a file on disk or a mail. Every
// text from the tree goes through html_text.
#include <algorithm>

#include "checker/report/html_text.h"
#include "checker/report/json_text.h"
#include "checker/report/locations.h"
#include "checker/report/outcome.h"
#include "checker/report/release_columns.h"
#include "checker/report/html_report.h"
#include "checker/report/summary.h"

namespace checker {

namespace {

constexpr char kStyle[] =
    "body{font:15px/1.45 system-ui,sans-serif;color:#1b1b1b;margin:0 auto;padding:1rem;"
    "max-width:80rem;overflow-wrap:anywhere}"
    "h1{font-size:1.4rem}h2{font-size:1.15rem;margin-top:2rem}"
    "table{border-collapse:collapse;width:100%;table-layout:fixed}"
    "th,td{border:1px solid #bbb;padding:.4rem;vertical-align:top;text-align:left;"
    "overflow-wrap:anywhere}"
    "th{background:#f2f2f2}code{white-space:pre-wrap;overflow-wrap:anywhere}"
    ".starts{background:#e3f4e6}.opens{background:#fff3d6}.fails,.nothing{background:#fde4e1}"
    ".message-box{background:#ececf6}.cannot-tell{background:#eee}.exit{display:block;font-weight:"
    "600}"
    ".error{color:#a4160a}.warning{color:#7a5200}dt{font-weight:600;margin-top:.5rem}"
    "summary{cursor:pointer}ul{padding-left:1.2rem}li{margin:.3rem 0}";

std::string head(const TreeCheck& check) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
         "style-src 'unsafe-inline'; base-uri 'none'; form-action 'none'\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         "<title>launcher-check: " +
         html_text(check.tree) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n";
}

// The tree, its medium, what each Windows reads, the profile, the language.
std::string summary(const TreeCheck& check, const std::string& version) {
  std::string rows;
  const auto row = [&rows](const std::string& name, const std::string& value) {
    rows += "<dt>" + name + "</dt><dd>" + value + "</dd>\n";
  };
  row(check.medium == Medium::kFolder ? "Tree" : "Disc image",
      html_text(check.tree) + " as " + html_text(place_text(check)));
  if (check.room) {
    row("Room", "from a folder or a share of up to " + std::to_string(check.room->characters) +
                    " characters (" + html_text(check.room->language) + "'s found path " +
                    html_ansi(check.room->found_path) + " decides)");
  }
  row("Medium", html_text(medium_name(check.medium)));
  row("Windows", html_text(std::string(check.release->title) + " (--windows " +
                           check.release->name + "), and every other release beside it"));
  if (!check.disc_readings.empty()) row("File systems", html_text(file_systems(check)));
  row("Profile", html_ansi(kProfileDPath) + ": " + html_text(profile_state(check)));
  row("Language", html_text(language_sources(check)));
  row("S mode", html_text(kSModeNote));
  row("Checker", "launcher-check " + html_text(version));
  return "<h1>What the launcher does</h1>\n<dl>\n" + rows + "</dl>\n";
}

// "client.ini line 3: ENGLISH=...", "D:\autorun.inf line 2", a file; "" for
// the tree as a whole.
std::string place(const TreeCheck& check, const Finding& f) {
  if (f.file.empty()) return "";
  std::string out = "<code>" + html_ansi(f.file) + "</code>";
  if (!f.line) return out;
  out += " line " + std::to_string(*f.line);
  const auto text = check.profile_lines.find(*f.line);
  if (f.file == kProfileDPath && text != check.profile_lines.end()) {
    out += ": <code>" + html_text(text->second) + "</code>";
  }
  return out;
}

// A finding as a list item: severity, code (a link to what it means), where
// it is, the language, the message.
std::string finding_item(const TreeCheck& check, const Finding& f,
                         const std::string& language = "") {
  const std::string severity = severity_name(f.severity());
  const std::string where = place(check, f);
  return "<li><span class=\"" + severity + "\">" + severity + "</span> <a href=\"#kind-" +
         f.name() + "\">" + f.name() + "</a>" + (where.empty() ? "" : " (" + where + ")") + ": " +
         (language.empty() ? "" : html_ansi(language) + ": ") + html_ansi(f.message) + "</li>\n";
}

std::string cell(const TreeCheck& check, const LanguageCheck& launch) {
  const Outcome outcome = outcome_of(launch);
  std::string out = "<td class=\"" + std::string(outcome_name(outcome)) +
                    "\"><span class=\"does\">" + html_ansi(outcome_text(launch)) +
                    "</span><span class=\"exit\">exit " + exit_text(launch) + "</span>";
  if (!launch.findings.empty()) {
    std::string items;
    for (const Finding& f : launch.findings) items += finding_item(check, f);
    out += "<details><summary>" + std::to_string(launch.findings.size()) + " finding" +
           (launch.findings.size() == 1 ? "" : "s") + "</summary><ul>" + items + "</ul></details>";
  }
  return out + "</td>";
}

// One row a language, one column a group of releases that agree: what a
// double-click does there; the findings in the chosen release's column.
std::string matrix(const TreeCheck& check) {
  const std::vector<ReleaseColumn> columns = release_columns(check);
  std::string out =
      "<h2>Each language on each Windows</h2>\n<table id=\"matrix\">\n<tr><th>Language</th>";
  for (const ReleaseColumn& column : columns) {
    out += "<th>" + html_text(column.label) +
           (column.holds(*check.release) ? " <small>(predicted)</small>" : "") + "</th>";
  }
  out += "</tr>\n";
  const auto row = [&](const std::string& heading, const LanguageCheck& l) {
    out += "<tr><th>" + heading + " <small>" + html_ansi(l.locale) + "</small></th>";
    for (const ReleaseColumn& column : columns) {
      out += cell(check, column.holds(*check.release) ? l : on_release(l, column.first));
    }
    out += "</tr>\n";
  };
  for (const LanguageCheck& l : check.languages) {
    row(html_ansi(l.language.empty() ? "(none)" : l.language), l);
  }
  if (check.unmatched) row("Any other language", *check.unmatched);
  return out + "</table>\n";
}

// Each finding, errors first, and what each kind means.
std::string findings(const TreeCheck& check) {
  const auto seen = all_findings(check);
  if (seen.empty()) return "<h2>Findings</h2>\n<p>No findings.</p>\n";
  std::string items;
  for (const auto& [language, f] : seen) items += finding_item(check, *f, language);
  std::string kinds;
  for (const FindingKind& kind : kFindingKinds) {
    const bool found = std::any_of(seen.begin(), seen.end(),
                                   [&](const auto& s) { return s.second->code == kind.code; });
    if (!found) continue;
    kinds += "<dt id=\"kind-" + std::string(kind.name) + "\">" + kind.name + " <span class=\"" +
             severity_name(kind.severity) + "\">" + severity_name(kind.severity) +
             "</span></dt><dd>" + html_text(kind.summary) + "</dd>\n";
  }
  return "<h2>Findings</h2>\n<ul id=\"findings\">\n" + items +
         "</ul>\n<h2>What the findings mean</h2>\n<dl>\n" + kinds + "</dl>\n";
}

}  // namespace

std::string html_report(const TreeCheck& check, const std::string& version) {
  return head(check) + summary(check, version) + matrix(check) + findings(check) +
         "<p><small>The icon tool " + html_ansi(kIconToolDPath) +
         " starts first, minimised; a setup program starts with the launcher's own arguments "
         "and show state.</small></p>\n</body>\n</html>\n";
}

}  // namespace checker
