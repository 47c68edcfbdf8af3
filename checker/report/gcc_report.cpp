// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/names/code_page.h"
#include "checker/report/json_text.h"
#include "checker/report/locations.h"
#include "checker/report/gcc_report.h"

namespace checker {

std::string gcc_report(const TreeCheck& check) {
  std::string out;
  for (const auto& [where, f] : all_findings(check)) {
    out += editor_location(check, *f) + ": " + severity_name(f->severity()) + ": " +
           (where.empty() ? "" : where + ": ") + ansi_to_utf8(f->message) + " [" + f->name() +
           "]\n";
  }
  return out;
}

}  // namespace checker
