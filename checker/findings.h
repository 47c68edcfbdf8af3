// Every finding the tree checker can report: its code, its severity and a
// one-line summary, in one table (`launcher-check --list-findings` prints
// it, and the README's table is the same).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace checker {

struct FindingKind {
  const char* code;
  const char* severity;  // "error" (a language fails) or "warning"
  const char* summary;
};

extern const std::vector<FindingKind> kFindingKinds;

struct Finding {
  std::string severity;
  std::string code;     // stable, e.g. "setup-not-found"
  std::string message;  // what is wrong and what to change
  std::optional<int> line;  // the line of client.ini it is about
};

// A finding of a kind of the table (its severity from there).
Finding finding(const char* code, std::string message, std::optional<int> line = std::nullopt);

// The table as text: one line per kind, "severity  code  summary".
std::string findings_table();

}  // namespace checker
