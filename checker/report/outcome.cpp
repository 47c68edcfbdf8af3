// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/report/outcome.h"

#include "checker/report/locations.h"

namespace checker {

Outcome outcome_of(const LanguageCheck& launch) {
  if (launch.cannot_tell) return Outcome::kCannotTell;
  if (!launch.boxes.empty()) return Outcome::kMessageBox;
  const ProgramStart* setup = setup_start(launch);
  if (setup == nullptr) return Outcome::kNothing;
  if (setup->result <= 32) return Outcome::kFails;
  return setup->kind == StartKind::kProgram ? Outcome::kStarts : Outcome::kOpens;
}

const char* outcome_name(Outcome outcome) {
  switch (outcome) {
    case Outcome::kStarts: return "starts";
    case Outcome::kOpens: return "opens";
    case Outcome::kFails: return "fails";
    case Outcome::kMessageBox: return "message-box";
    case Outcome::kNothing: return "nothing";
    case Outcome::kCannotTell: break;
  }
  return "cannot-tell";
}

std::string exit_text(const LanguageCheck& launch) {
  return launch.cannot_tell ? "?" : std::to_string(launch.exit_status);
}

std::string exit_json(const LanguageCheck& launch) {
  return launch.cannot_tell ? "null" : std::to_string(launch.exit_status);
}

std::string outcome_text(const LanguageCheck& launch) {
  const ProgramStart* setup = setup_start(launch);
  switch (outcome_of(launch)) {
    case Outcome::kCannotTell: return "cannot tell: " + *launch.cannot_tell + " cannot be read";
    case Outcome::kMessageBox: return "shows the message box \"" + launch.boxes.front() + "\"";
    case Outcome::kStarts:
      return "starts " + setup->file + (setup->note.empty() ? "" : ": " + setup->note);
    case Outcome::kOpens: return setup->file + ": " + setup->note;
    case Outcome::kFails: return setup->file + " does not start: " + setup->note;
    case Outcome::kNothing: break;
  }
  if (launch.found_path)
    return "does nothing: the full path " + *launch.found_path + " is too long";
  if (launch.setup_path.empty()) return "does nothing";
  return "does nothing: " + launch.setup_path + " is not found";
}

}  // namespace checker
