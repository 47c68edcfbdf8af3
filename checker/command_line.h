// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// launcher-check's command line: the options and TREE, or what ends the
// run before a check (help, version, the findings table, a usage error).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checker/predict/prediction.h"

namespace checker {

enum class Format { kText, kJson, kGcc, kSarif, kHtml };

struct Arguments {
  Format format = Format::kText;
  CheckOptions options;
  std::optional<std::string> root;
  // What ends the run at once: "--help", "--version", "--list-findings",
  // "--list-releases".
  std::optional<std::string> answer;
  std::optional<std::string> usage_error;  // what is wrong with the command line
};

// --help's text; the --windows names come from the release table.
std::string usage();

// The arguments after the program's name.
Arguments parse_arguments(const std::vector<std::string>& args);

// The setup key of a language name ("english" gives "ENGLISH"); none when
// the launcher has no such language.
std::optional<std::string> language_key(const std::string& name);

}  // namespace checker
