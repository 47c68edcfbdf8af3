// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/command_line.h"

#include <algorithm>

#include "checker/names/code_page.h"
#include "launcher/launcher.h"
#include "launcher/tree_root.h"

namespace checker {

namespace {

constexpr char kUsageHead[] =
    "Usage: launcher-check [--format text|json|gcc|sarif|html] [--windows WINDOWS]\n"
    "                      [--languages LIST] [--locale XXXXXXXX] [--from PLACE] TREE\n"
    "       launcher-check --list-findings\n"
    "       launcher-check --list-releases\n"
    "\n"
    "Predicts what the launcher does when it is started from the root of TREE,\n"
    "the folder that is the root of the installation medium, or a disc image of\n"
    "it (ISO 9660, Joliet, UDF): for each of the six languages (or for one\n"
    "resource-locale value), which setup program it starts, the icon tool's\n"
    "parameters and the exit status, and what in the tree to fix.\n"
    "\n"
    "  --format FORMAT  text (a table, the default), json (a JSON document), gcc\n"
    "                   (path:line: severity: message [code], one finding a line)\n"
    "                   sarif (SARIF 2.1.0, for code scanning) or html (one page:\n"
    "                   each language on each Windows, and the findings)\n"
    "  --json           the same as --format json\n";

constexpr char kUsageTail[] =
    "  --languages LIST the languages the tree provides, e.g. ENGLISH,GERMAN: the\n"
    "                   others falling back to the default setup program is expected\n"
    "  --locale VALUE   check one value of HKCU\\Control Panel\\Desktop\\ResourceLocale,\n"
    "                   there on every Windows (without it, the language is the\n"
    "                   registry value on 9x, the display language on NT, which\n"
    "                   keeps none, and the user's locale on NT 4.0)\n"
    "  --from PLACE     the launcher is started from PLACE\\launcher.exe, where the\n"
    "                   tree lies: a drive (E:, the default D:), a folder\n"
    "                   (C:\\Windows\\ccmcache\\1a) or a share (\\\\server\\share\\cd);\n"
    "                   every path and its length limits count from there\n"
    "  --list-findings  every finding the checker reports, with its severity\n"
    "  --list-releases  the releases of Windows and what each does, as a table\n"
    "  --help           this text\n"
    "  --version        the version\n"
    "\n"
    "Exit status: 0 when every language starts its setup program, 1 when one\n"
    "would not, 2 for a usage error or a TREE that cannot be read.\n";

// An option's description, wrapped to 79 columns under its first line.
std::string option_text(const std::string& option, const std::string& text) {
  const std::string indent(19, ' ');
  std::string out = "  " + option + std::string(17 - option.size(), ' ');
  size_t column = out.size();
  for (size_t at = 0; at < text.size();) {
    const size_t space = std::min(text.find(' ', at), text.size());
    const std::string word = text.substr(at, space - at);
    if (column > indent.size() && column + 1 + word.size() > 79) {
      out += "\n" + indent;
      column = indent.size();
    } else if (column > indent.size()) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    at = space + 1;
  }
  return out + "\n";
}

}  // namespace

std::string usage() {
  return kUsageHead +
         option_text("--windows NAME",
                     "the Windows predicted: a release (" + release_names() +
                         "; see --list-releases) or a family, which stands for one of them: 9x "
                         "(98), nt32 (10-32) or nt64 (10, the default). Every release is "
                         "checked; findings name the releases where they hold") +
         kUsageTail;
}

namespace {

std::optional<Format> format_named(const std::string& name) {
  if (name == "text") return Format::kText;
  if (name == "json") return Format::kJson;
  if (name == "gcc") return Format::kGcc;
  if (name == "sarif") return Format::kSarif;
  if (name == "html") return Format::kHtml;
  return std::nullopt;
}

// "ENGLISH,GERMAN" as setup keys; a usage error names the launcher's own
// languages.
std::optional<std::string> parse_languages(const std::string& list, CheckOptions& options) {
  options.languages.emplace();
  for (size_t start = 0; start <= list.size();) {
    const size_t comma = std::min(list.find(',', start), list.size());
    const std::string name = list.substr(start, comma - start);
    const auto key = language_key(name);
    if (!key) {
      std::string known;
      for (const launcher::LanguageRow& row : launcher::kLanguages) {
        known += (known.empty() ? "" : ", ") + std::string(row.setup_key);
      }
      return "unknown language '" + name + "' in --languages: " + known;
    }
    options.languages->push_back(*key);
    start = comma + 1;
  }
  return std::nullopt;
}

// --from: a drive's root, a folder or a share, as the launcher's own path
// would begin; what is wrong with it, if anything.
std::optional<std::string> parse_place(std::string place, CheckOptions& options) {
  while (place.size() > 2 && place.back() == '\\') place.pop_back();
  if (place.size() == 3 && place[2] == '\\') place.pop_back();
  const std::string own_path = place + "\\launcher.exe";
  if (launcher::drive_or_share_length(own_path.c_str(), static_cast<uint32_t>(own_path.size())) ==
      0) {
    return "--from takes a drive (E:), a folder (C:\\Windows\\ccmcache\\1a) or a share "
           "(\\\\server\\share\\folder)";
  }
  if (place.size() > kLongestPlace) {
    return "--from takes a place of at most " + std::to_string(kLongestPlace) +
           " characters: below a longer one the launcher cannot start the icon tool";
  }
  options.from = place;
  return std::nullopt;
}

// An option that takes a value; what is wrong with it, if anything.
std::optional<std::string> parse_value(const std::string& option, const std::string& value,
                                       Arguments& a) {
  if (option == "--format") {
    const auto format = format_named(value);
    if (!format) return "--format takes text, json, gcc, sarif or html";
    a.format = *format;
  } else if (option == "--windows") {
    const auto family = windows_named(value);
    const std::optional<const Release*> release =
        family ? &representative_release(*family) : release_named(value);
    if (!release) return "--windows takes a release (see --list-releases) or 9x, nt32 or nt64";
    a.options.release = *release;
  } else if (option == "--languages") {
    return parse_languages(value, a.options);
  } else if (option == "--from") {
    return parse_place(value, a.options);
  } else {
    a.options.locale = value;
    if (value.size() >= launcher::kLocaleSize) {
      return "a resource-locale value has at most " + std::to_string(launcher::kLocaleSize - 1) +
             " characters";
    }
  }
  return std::nullopt;
}

bool answers_at_once(const std::string& arg) {
  return arg == "--help" || arg == "--version" || arg == "--list-findings" ||
         arg == "--list-releases";
}

}  // namespace

std::optional<std::string> language_key(const std::string& name) {
  for (const launcher::LanguageRow& row : launcher::kLanguages) {
    if (same_ansi_name(name, row.setup_key)) return row.setup_key;
  }
  return std::nullopt;
}

Arguments parse_arguments(const std::vector<std::string>& args) {
  Arguments a;
  for (size_t i = 0; i < args.size() && !a.answer && !a.usage_error; ++i) {
    const std::string& arg = args[i];
    const bool takes_value = arg == "--locale" || arg == "--format" || arg == "--windows" ||
                             arg == "--languages" || arg == "--from";
    if (answers_at_once(arg) || arg == "-h") {
      a.answer = arg == "-h" ? "--help" : arg;
    } else if (takes_value && i + 1 >= args.size()) {
      a.usage_error = arg + " needs a value";
    } else if (takes_value) {
      a.usage_error = parse_value(arg, args[++i], a);
    } else if (arg == "--json") {
      a.format = Format::kJson;
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
      a.usage_error = "unknown option " + arg;
    } else if (arg == "--" && i + 1 >= args.size()) {
      break;
    } else if (a.root) {
      a.usage_error = "one TREE only";
    } else {
      a.root = args[arg == "--" ? ++i : i];
    }
  }
  if (!a.answer && !a.usage_error && !a.root) {
    a.usage_error = "which TREE? Name the folder that is the root of the medium";
  }
  return a;
}

}  // namespace checker
