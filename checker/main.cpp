// launcher-check: predicts, for an installation tree, what the launcher will
// do for each language, and says what to change.
#include <cstdio>
#include <string>
#include <vector>

#include "checker/command_line.h"
#include "checker/rules/check.h"
#include "checker/names/code_page.h"
#ifndef _WIN32
#include <sys/stat.h>

#include "checker/rules/disc_check.h"
#include "checker/source/disc/library_log.h"
#endif
#include "checker/report/report.h"
#include "checker/source/tree.h"

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

void print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// --help, --version, --list-findings or --list-releases.
int answer(const std::string& option) {
  if (option == "--help") print(checker::kUsage);
  if (option == "--version") print(std::string("launcher-check ") + LAUNCHER_VERSION + "\n");
  if (option == "--list-findings") print(checker::findings_table());
  if (option == "--list-releases") print(checker::release_table());
  return 0;
}

std::string report(const checker::TreeCheck& result, checker::Format format) {
  switch (format) {
    case checker::Format::kJson:
      return checker::json_report(result, LAUNCHER_VERSION);
    case checker::Format::kGcc:
      return checker::gcc_report(result);
    case checker::Format::kSarif:
      return checker::sarif_report(result, LAUNCHER_VERSION);
    case checker::Format::kHtml:
      return checker::html_report(result, LAUNCHER_VERSION);
    case checker::Format::kText:
      break;
  }
  return checker::text_report(result);
}

// The check of TREE: a disc image read as Windows reads the disc, else a
// folder; none, with the message printed, when it cannot be read.
std::optional<checker::TreeCheck> check(const std::string& root, const checker::CheckOptions& options) {
  std::string error;
#ifndef _WIN32
  const auto image = checker::probe_image(root, &error);
  if (!error.empty()) {
    tree_error(error);
    return std::nullopt;
  }
  struct stat info {};
  if (!image && stat(root.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    tree_error(root + " is neither a folder nor a disc image (ISO 9660, Joliet, UDF)");
    return std::nullopt;
  }
  if (image) {
    auto result = checker::check_image(root, *image, options, &error);
    if (!result) tree_error(error);
    return result;
  }
#endif
  const auto tree = checker::open_tree(root, &error);
  if (!tree) {
    tree_error(error);
    return std::nullopt;
  }
  auto result = checker::check_tree(*tree, root, options);
#ifdef _WIN32
  // The report is UTF-8; Windows hands over TREE in the ANSI code page.
  result.tree = checker::encode_utf8(checker::decode_ansi(root));
#endif
  return result;
}

}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
  checker::route_library_logs();
#endif
  const checker::Arguments a = checker::parse_arguments(std::vector<std::string>(argv + 1, argv + argc));
  if (a.answer) return answer(*a.answer);
  if (a.usage_error) return usage_error(*a.usage_error);
  const auto result = check(*a.root, a.options);
  if (!result) return 2;
  print(report(*result, a.format));
  return result->all_start() ? 0 : 1;
}
