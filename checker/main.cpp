// launcher-check: predicts, for an installation tree, what the launcher will
// do for each language, and says what to change.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "checker/rules/check.h"
#include "checker/windows/code_page.h"
#ifndef _WIN32
#include <sys/stat.h>

#include "checker/rules/disc_check.h"
#include "checker/source/disc/library_log.h"
#endif
#include "checker/report/report.h"
#include "checker/source/tree.h"
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

int tree_error(const std::string& message) {
  std::fprintf(stderr, "launcher-check: %s\n", message.c_str());
  return 2;
}

struct Arguments {
  std::string format = "text";
  checker::CheckOptions options;
  std::optional<std::string> root;
  std::optional<int> done;  // an exit status: the run ends before a check
};

// "ENGLISH,GERMAN" as setup keys; a usage error names the launcher's own
// languages.
std::optional<int> parse_languages(const std::string& list, checker::CheckOptions& options) {
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
  return std::nullopt;
}

// An option that takes a value; an exit status when it is wrong.
std::optional<int> parse_value(const std::string& option, const std::string& value, Arguments& a) {
  if (option == "--format") {
    a.format = value;
    if (value != "text" && value != "json" && value != "gcc") {
      return usage_error("--format takes text, json or gcc");
    }
  } else if (option == "--windows") {
    const auto windows = checker::windows_named(value);
    if (!windows) return usage_error("--windows takes 9x, nt32 or nt64");
    a.options.windows = *windows;
  } else if (option == "--languages") {
    return parse_languages(value, a.options);
  } else {
    a.options.locale = value;
    // The launcher reads at most 79 characters of it.
    if (value.size() > 79) return usage_error("a resource-locale value has at most 79 characters");
  }
  return std::nullopt;
}

// An option that ends the run at once (--help, --version, --list-findings).
std::optional<int> answer_at_once(const std::string& arg) {
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
  return std::nullopt;
}

Arguments parse_arguments(int argc, char** argv) {
  Arguments a;
  for (int i = 1; i < argc && !a.done; ++i) {
    const std::string arg = argv[i];
    const bool takes_value = arg == "--locale" || arg == "--format" || arg == "--windows" ||
                             arg == "--languages";
    if ((a.done = answer_at_once(arg))) break;
    if (takes_value && i + 1 >= argc) {
      a.done = usage_error(arg + " needs a value");
    } else if (takes_value) {
      a.done = parse_value(arg, argv[++i], a);
    } else if (arg == "--json") {
      a.format = "json";
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
      a.done = usage_error("unknown option " + arg);
    } else if (arg == "--" && i + 1 >= argc) {
      break;
    } else if (a.root) {
      a.done = usage_error("one TREE only");
    } else {
      a.root = argv[arg == "--" ? ++i : i];
    }
  }
  if (!a.done && !a.root) {
    a.done = usage_error("which TREE? Name the folder that is the root of the medium");
  }
  return a;
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
  const Arguments a = parse_arguments(argc, argv);
  if (a.done) return *a.done;
  const auto result = check(*a.root, a.options);
  if (!result) return 2;
  const std::string report = a.format == "json"  ? checker::json_report(*result, LAUNCHER_VERSION)
                             : a.format == "gcc" ? checker::gcc_report(*result)
                                                 : checker::text_report(*result);
  std::fwrite(report.data(), 1, report.size(), stdout);
  return result->all_start() ? 0 : 1;
}
