// launcher-check: predicts, for an installation tree, what the launcher will
// do for each language, and says what to change.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "checker/check.h"
#include "checker/code_page.h"
#ifndef _WIN32
#include <sys/stat.h>

#include "checker/disc_check.h"
#include "checker/library_log.h"
#endif
#include "checker/report.h"
#include "checker/tree.h"
#include "launcher/launcher.h"

#ifndef LAUNCHER_VERSION
#define LAUNCHER_VERSION "unknown"
#endif

namespace {

constexpr char kUsage[] =
    "Usage: launcher-check [--format text|json|gcc] [--windows 9x|nt32|nt64]\n"
    "                      [--languages LIST] [--locale XXXXXXXX] TREE\n"
    "       launcher-check --list-findings\n"
    "\n"
    "Predicts what the launcher does when it is started from the root of TREE,\n"
    "the folder that is the root of the installation medium: for each of the six\n"
    "languages (or for one resource-locale value), which setup program it starts,\n"
    "the icon tool's parameters and the exit status, and what in the tree to fix.\n"
    "\n"
    "  --format FORMAT  text (a table, the default), json (a JSON document), or gcc\n"
    "                   (path:line: severity: message [code], one finding a line)\n"
    "  --json           the same as --format json\n"
    "  --windows FAMILY the Windows predicted: 9x (95/98/ME), nt32 (32-bit Windows 10)\n"
    "                   or nt64 (64-bit Windows 10 and 11, the default); findings name\n"
    "                   the other families where they behave differently\n"
    "  --languages LIST the languages the tree provides, e.g. ENGLISH,GERMAN: the\n"
    "                   others falling back to the default setup program is expected\n"
    "  --locale VALUE   check one value of HKCU\\Control Panel\\Desktop\\ResourceLocale,\n"
    "                   there on every family (without it, the language is the\n"
    "                   registry value on 9x and the display language on NT,\n"
    "                   which keeps none)\n"
    "  --list-findings  every finding the checker reports, with its severity\n"
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
#ifndef _WIN32
  checker::route_library_logs();
#endif
  std::string format = "text";
  checker::CheckOptions options;
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
    if (arg == "--list-findings") {
      const std::string table = checker::findings_table();
      std::fwrite(table.data(), 1, table.size(), stdout);
      return 0;
    }
    const bool takes_value = arg == "--locale" || arg == "--format" || arg == "--windows" ||
                             arg == "--languages";
    if (takes_value && i + 1 >= argc) return usage_error(arg + " needs a value");
    if (arg == "--json") {
      format = "json";
    } else if (arg == "--format") {
      format = argv[++i];
      if (format != "text" && format != "json" && format != "gcc") {
        return usage_error("--format takes text, json or gcc");
      }
    } else if (arg == "--windows") {
      const auto windows = checker::windows_named(argv[++i]);
      if (!windows) return usage_error("--windows takes 9x, nt32 or nt64");
      options.windows = *windows;
    } else if (arg == "--languages") {
      const std::string list = argv[++i];
      options.languages.emplace();
      for (size_t start = 0; start <= list.size();) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string name = list.substr(start, comma - start);
        const auto key = checker::language_key(name);
        if (!key) {
          std::string known;
          for (const launcher::LanguageRow& row : launcher::kLanguages) {
            known += (known.empty() ? "" : ", ") + std::string(row.setup_key);
          }
          return usage_error("unknown language '" + name + "' in --languages: " + known);
        }
        options.languages->push_back(*key);
        start = comma + 1;
      }
    } else if (arg == "--locale") {
      options.locale = argv[++i];
      // The launcher reads at most 79 characters of it.
      if (options.locale->size() > 79) {
        return usage_error("a resource-locale value has at most 79 characters");
      }
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
  std::optional<checker::TreeCheck> result;
#ifndef _WIN32
  // A disc image, read as Windows reads the disc.
  const auto image = checker::probe_image(*root, &error);
  if (!error.empty()) {
    std::fprintf(stderr, "launcher-check: %s\n", error.c_str());
    return 2;
  }
  struct stat info {};
  if (!image && stat(root->c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    std::fprintf(stderr,
                 "launcher-check: %s is neither a folder nor a disc image (ISO 9660, Joliet, UDF)\n",
                 root->c_str());
    return 2;
  }
  if (image) {
    result = checker::check_image(*root, *image, options, &error);
    if (!result) {
      std::fprintf(stderr, "launcher-check: %s\n", error.c_str());
      return 2;
    }
  }
#endif
  if (!result) {
    const auto tree = checker::open_tree(*root, &error);
    if (!tree) {
      std::fprintf(stderr, "launcher-check: %s\n", error.c_str());
      return 2;
    }
    result = checker::check_tree(*tree, *root, options);
  }
#ifdef _WIN32
  // The report is UTF-8; Windows hands over TREE in the ANSI code page.
  result->tree = checker::encode_utf8(checker::decode_ansi(*root));
#endif
  const checker::TreeCheck& check = *result;
  const std::string report = format == "json"  ? checker::json_report(check, LAUNCHER_VERSION)
                             : format == "gcc" ? checker::gcc_report(check)
                                               : checker::text_report(check);
  std::fwrite(report.data(), 1, report.size(), stdout);
  return check.all_start() ? 0 : 1;
}
