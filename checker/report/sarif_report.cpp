// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// SARIF 2.1.0 as GitHub code scanning takes it: every rule of the table in
// tool.driver.rules, every finding a result with a physical location that
// exists (the host file and line; else the tree, or the image with the D:
// path as a logical location). Its levels are the severities' names.
#include <cstdio>

#include "checker/report/json_text.h"
#include "checker/report/locations.h"
#include "checker/report/sarif_report.h"

namespace checker {

namespace {

bool is_unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

// A host path (UTF-8) as a URI reference: relative stays relative (to the
// folder the check ran in); absolute becomes file:///. Every other byte is
// percent-encoded, so no name reads as a scheme or a query.
std::string path_uri(std::string path) {
  std::string out;
  const bool drive = path.size() > 2 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  size_t i = 0;
  if (drive) {
    out = "file:///" + path.substr(0, 2);
    i = 2;
  } else if (!path.empty() && path[0] == '/') {
    out = "file://";
  }
  for (; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (is_unreserved(c)) {
      out += static_cast<char>(c);
    } else {
      char escape[4];
      std::snprintf(escape, sizeof(escape), "%%%02X", c);
      out += escape;
    }
  }
  return out;
}

std::string rules_json() {
  std::string out;
  for (const FindingKind& kind : kFindingKinds) {
    out += std::string(out.empty() ? "" : ",") + "\n        {\"id\": " + quoted(kind.name) +
           ", \"shortDescription\": {\"text\": " + quoted(kind.summary) +
           "}, \"defaultConfiguration\": {\"level\": \"" + severity_name(kind.severity) + "\"}}";
  }
  return out;
}

std::string location_json(const TreeCheck& check, const Finding& f) {
  const bool in_image = check.medium != Medium::kFolder && !f.file.empty();
  // A file the tree lacks has no place to show: the tree stands for it.
  const auto found = check.host_files.find(f.file);
  const bool on_host = !in_image && found != check.host_files.end();
  const std::string host = on_host ? found->second : check.tree;
  std::string out =
      "{\"physicalLocation\": {\"artifactLocation\": {\"uri\": " + quoted_utf8(path_uri(host)) +
      "}";
  if (f.line && on_host) out += ", \"region\": {\"startLine\": " + std::to_string(*f.line) + "}";
  out += "}";
  if (in_image) {
    out += ", \"logicalLocations\": [{\"fullyQualifiedName\": " + quoted(f.file) +
           ", \"kind\": \"resource\"}]";
  }
  return out + "}";
}

std::string results_json(const TreeCheck& check) {
  std::string out;
  for (const auto& [where, f] : all_findings(check)) {
    const std::string text = (where.empty() ? "" : where + ": ") + f->message;
    out += std::string(out.empty() ? "" : ",") + "\n    {\"ruleId\": " + quoted(f->name()) +
           ", \"ruleIndex\": " + std::to_string(static_cast<size_t>(f->code)) + ", \"level\": \"" +
           severity_name(f->severity()) + "\", \"message\": {\"text\": " + quoted(text) +
           "}, \"locations\": [" + location_json(check, *f) + "]}";
  }
  return out;
}

}  // namespace

std::string sarif_report(const TreeCheck& check, const std::string& version) {
  return "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n"
         "  \"version\": \"2.1.0\",\n  \"runs\": [{\n"
         "    \"tool\": {\"driver\": {\"name\": \"launcher-check\", \"version\": " +
         quoted(version) + ", \"rules\": [" + rules_json() +
         "\n    ]}},\n"
         "    \"properties\": {\"place\": " +
         quoted(check.place) +
         "},\n"
         "    \"results\": [" +
         results_json(check) + "\n    ]\n  }]\n}\n";
}

}  // namespace checker
