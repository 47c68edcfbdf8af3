// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// launcher-check: predicts, for an installation tree, what the launcher will
// do for each language, and says what to change.
#include <cstdio>
#include <string>
#include <vector>

#include "checker/command_line.h"
#include "checker/report/report.h"
#include "checker/rules/check.h"
#include "checker/rules/image_check.h"
#include "checker/source/disc/image_file.h"
#include "checker/source/disc/library_log.h"
#include "checker/source/tree.h"
#ifdef _WIN32
#include "checker/explorer_start.h"
#endif

#ifndef LAUNCHER_VERSION
#define LAUNCHER_VERSION "unknown"
#endif

namespace {

int usage_error(const std::string& message) {
  std::fprintf(stderr, "launcher-check: %s\nTry 'launcher-check --help'.\n", message.c_str());
  return 2;
}

int tree_error(const std::string& message) {
  std::fprintf(stderr, "launcher-check: %s\n", message.c_str());
  return 2;
}

// The program as a whole: libcdio, linked in, is GPL-3.0-or-later.
constexpr const char* kLicenceLine =
    "Licence: GPL-3.0-or-later as a whole, since it contains libcdio; our own code is BSL-1.0.\n";

void print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// --help, --version, --list-findings or --list-releases.
std::string answer(const std::string& option) {
  if (option == "--help") return checker::usage();
  if (option == "--version") {
    return std::string("launcher-check ") + LAUNCHER_VERSION + "\n" + kLicenceLine;
  }
  if (option == "--list-findings") return checker::findings_table();
  if (option == "--list-releases") return checker::release_table();
  return {};
}

std::string report(const checker::TreeCheck& result, checker::Format format) {
  switch (format) {
    case checker::Format::kJson: return checker::json_report(result, LAUNCHER_VERSION);
    case checker::Format::kGcc: return checker::gcc_report(result);
    case checker::Format::kSarif: return checker::sarif_report(result, LAUNCHER_VERSION);
    case checker::Format::kHtml: return checker::html_report(result, LAUNCHER_VERSION);
    case checker::Format::kText: break;
  }
  return checker::text_report(result);
}

// Why a file is not checked: a raw CD image (or its cue sheet), named so
// with how to make an image of it, else neither a folder nor an image.
std::string not_an_image(const std::string& path) {
  const char* make_iso =
      ": make an .iso of its data track (bchunk IMAGE.bin IMAGE.cue NAME, or a burning tool's "
      "save as ISO) and check that";
  if (checker::is_raw_cd_image(path)) {
    return std::string(
               " is a raw CD image (sectors of 2352 bytes, a .bin beside its .cue), "
               "which the checker does not read") +
           make_iso;
  }
  if (checker::is_cue_sheet(path)) {
    return std::string(" is a cue sheet: the image is the .bin it names") + make_iso;
  }
  return " is neither a folder nor a disc image (ISO 9660, Joliet, UDF)";
}

// The check of TREE (UTF-8): a disc image read as Windows reads the disc,
// else a folder; none, with `error` said, when it cannot be read.
std::optional<checker::TreeCheck> check(const std::string& root,
                                        const checker::CheckOptions& options, std::string* error) {
  const auto image = checker::probe_image(root, error);
  if (!error->empty()) return std::nullopt;
  if (!image && checker::is_plain_file(root)) {
    *error = root + not_an_image(root);
    return std::nullopt;
  }
  if (image) return checker::check_image(root, *image, options, error);
  const auto tree = checker::open_tree(root, error);
  if (!tree) return std::nullopt;
  return checker::check_tree(*tree, root, options);
}

int run_in_console(const std::vector<std::string>& args) {
  const checker::Arguments a = checker::parse_arguments(args);
  if (a.answer) {
    print(answer(*a.answer));
    return 0;
  }
  if (a.usage_error) return usage_error(*a.usage_error);
  std::string error;
  const auto result = check(*a.root, a.options, &error);
  if (!result) return tree_error(error);
  print(report(*result, a.format));
  return result->all_start() ? 0 : 1;
}

#ifdef _WIN32
// Started by Explorer: the tree dropped on the program, else one asked
// for; the report as a page in the browser, whatever --format says.
int run_from_explorer(std::vector<std::string> args) {
  checker::leave_console();
  if (args.empty()) {
    const auto picked = checker::ask_for_tree();
    if (!picked) return 2;
    args.push_back(*picked);
  }
  const checker::Arguments a = checker::parse_arguments(args);
  if (a.answer) {
    checker::tell(answer(*a.answer), false);
    return 0;
  }
  // Dropped on the program: more than one thing, or an option's name.
  std::string error = a.usage_error ? *a.usage_error +
                                          ".\n\nDrop one folder or one disc image on "
                                          "launcher-check.exe, or open it and pick one."
                                    : "";
  const auto result = error.empty() ? check(*a.root, a.options, &error) : std::nullopt;
  const auto page =
      result ? checker::write_page(*a.root, report(*result, checker::Format::kHtml), &error)
             : std::nullopt;
  if (!page) {
    checker::tell(error, true);
    return 2;
  }
  if (!checker::open_page(*page)) {
    checker::tell("The report is in " + *page + ", which no program opens here.", false);
  }
  return result->all_start() ? 0 : 1;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  checker::route_library_logs();
#ifdef _WIN32
  (void)argc;
  (void)argv;
  const std::vector<std::string> args = checker::wide_arguments();
  if (checker::started_alone()) return run_from_explorer(args);
#else
  const std::vector<std::string> args(argv + 1, argv + argc);
#endif
  return run_in_console(args);
}
