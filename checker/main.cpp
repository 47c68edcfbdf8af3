// launcher-check: predicts, for an installation tree, what the launcher will
// do for each language, and says what to change.
#include <cstdio>
#include <cstring>
#include <string>

#include "checker/check.h"
#include "checker/report.h"
#include "checker/tree.h"

#ifndef LAUNCHER_VERSION
#define LAUNCHER_VERSION "unknown"
#endif

namespace {

constexpr char kUsage[] =
    "Usage: launcher-check [--json] [--locale XXXXXXXX] TREE\n"
    "\n"
    "Predicts what the launcher does when it is started from the root of TREE,\n"
    "the folder that is the root of the installation medium: for each of the six\n"
    "languages (or for one resource-locale value), which setup program it starts,\n"
    "the icon tool's parameters and the exit status, and what in the tree to fix.\n"
    "\n"
    "  --json           a JSON document instead of a table\n"
    "  --locale VALUE   check one value of HKCU\\Control Panel\\Desktop\\ResourceLocale\n"
    "  --help           this text\n"
    "  --version        the version\n"
    "\n"
    "Exit status: 0 when every language starts its setup program, 1 when one\n"
    "would not, 2 for a usage error or a TREE that cannot be read.\n";

int usage_error(const std::string& message) {
  std::fprintf(stderr, "launcher-check: %s\nTry 'launcher-check --help'.\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool json = false;
  std::optional<std::string> locale;
  std::optional<std::string> root;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("launcher-check %s\n", LAUNCHER_VERSION);
      return 0;
    }
    if (arg == "--json") {
      json = true;
    } else if (arg == "--locale") {
      if (i + 1 >= argc) return usage_error("--locale needs a value, e.g. --locale 00000409");
      locale = argv[++i];
      // The launcher reads at most 79 characters of it.
      if (locale->size() > 79) return usage_error("a resource-locale value has at most 79 characters");
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
      return usage_error("unknown option " + arg);
    } else {
      if (arg == "--") {
        if (i + 1 >= argc) break;
        ++i;
      }
      if (root) return usage_error("one TREE only");
      root = argv[i];
    }
  }
  if (!root) return usage_error("which TREE? Name the folder that is the root of the medium");

  std::string error;
  const auto tree = checker::open_tree(*root, &error);
  if (!tree) {
    std::fprintf(stderr, "launcher-check: %s\n", error.c_str());
    return 2;
  }
  const checker::TreeCheck check = checker::check_tree(*tree, *root, locale);
  const std::string report = json ? checker::json_report(check, LAUNCHER_VERSION)
                                  : checker::text_report(check);
  std::fwrite(report.data(), 1, report.size(), stdout);
  return check.all_start() ? 0 : 1;
}
