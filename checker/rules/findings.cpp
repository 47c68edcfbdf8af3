// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/findings.h"

#include "launcher/launch_sequence.h"

namespace checker {

Finding finding(Code code, std::string message, std::optional<int> line) {
  // The launcher's own profile path, on drive D: as the tree is.
  static const std::string profile = "D:" + std::string(launcher::kProfilePath + 2);
  return {code, std::move(message), line, line ? profile : ""};
}

const char* severity_name(Severity severity) {
  return severity == Severity::kError ? "error" : "warning";
}

std::string findings_table() {
  std::string out;
  for (const FindingKind& kind : kFindingKinds) {
    const std::string severity = severity_name(kind.severity);
    const std::string code = kind.name;
    out += severity + std::string(9 - severity.size(), ' ') + code +
           std::string(code.size() < 33 ? 33 - code.size() : 1, ' ') + kind.summary + "\n";
  }
  return out;
}

}  // namespace checker
