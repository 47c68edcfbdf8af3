#include "checker/findings.h"

namespace checker {

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
