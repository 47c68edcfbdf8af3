// Predicts, from an installation tree, what the launcher does for each
// language on a family of Windows: it runs the launcher's own program
// against the tree and says what a tree author should change.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "checker/rules/findings.h"
#include "checker/source/tree.h"
#include "checker/windows/tree_platform.h"
#include "checker/windows/windows_family.h"
#include "launcher/icon_registration.h"
#include "launcher/launch_sequence.h"

namespace checker {

// One launch, as the launcher would make it for one locale.
struct LanguageCheck {
  std::string language;  // the setup key, e.g. "ENGLISH"; "" when no row matches
  // The user's language checked, as the launcher selects by it: the
  // resource-locale value, or the display language as one (e.g. "00000409").
  std::string locale;
  std::string setup_key;
  std::string group_key;
  std::optional<std::string> setup_value;  // as read from the profile; none when missing
  bool setup_default_used = false;
  std::string setup_path;                 // the path the file test is given
  std::optional<std::string> found_path;  // what it finds, at any length
  std::optional<std::string> group_value;  // as read from the profile; none when missing
  std::string group;                       // the group the icon tool gets
  bool group_cut = false;                  // the icon tool gets other than group_value
  std::vector<ProgramStart> starts;        // icon tool first, then setup
  std::vector<std::string> boxes;
  int exit_status = 0;
  std::map<Windows, int> exit_by_windows;  // the exit status on each family
  std::vector<Finding> findings;
};

// What one release of Windows reads on a disc image.
struct DiscReading {
  std::string reader;       // "Windows 98/ME"
  std::string name;         // "98-me"
  std::string file_system;  // "iso9660", "joliet", "udf"; "" when it reads none
  std::string shown;        // "ISO 9660", "Joliet", "UDF 2.01"; "nothing"
};

struct TreeCheck {
  std::string tree;  // the TREE argument, UTF-8
  // Where client.ini is for an editor: the host path of the file found
  // ("up/INSTALL/QUV/WIN/CLIENT.INI"), "IMAGE.iso:D:\install\quv\win\client.ini"
  // in an image; "" where the tree says nothing of it.
  std::string profile_location;
  std::string medium;  // Tree::medium(): "folder", or "iso9660", "joliet", "udf"
  Windows windows = Windows::kNt64;  // the family predicted
  std::map<Windows, LanguageSource> language_source;  // where each family has the language
  bool profile_found = false;
  ProfileText profile_text = ProfileText::kAnsi;  // what client.ini's bytes are, when found
  std::vector<Finding> findings;  // about the tree as a whole
  std::vector<LanguageCheck> languages;
  std::optional<LanguageCheck> unmatched;  // what a locale with no row gets
  // For a disc image: what each release of Windows reads, oldest first, and
  // the UDF revision ("2.01") where the image has UDF.
  std::vector<DiscReading> disc_readings;
  std::string udf_revision;

  // True when every language checked would start its setup program.
  bool all_start() const;
};

struct CheckOptions {
  // One value of the registry's ResourceLocale, there on every family;
  // else each language, in the registry on 9x and as the display language
  // on NT, which keeps no ResourceLocale.
  std::optional<std::string> locale;
  Windows windows = Windows::kNt64;
  // The languages (setup keys) the tree provides; the others are expected
  // to fall back to the default setup program. None: all six.
  std::optional<std::vector<std::string>> languages;
};

// Where the launcher has the user's language from on `windows` in this check.
LanguageSource language_source(Windows windows, const CheckOptions& options);

// A built-in path of the launcher as it sees it when started from the root
// of drive D: (the launcher's own constants, rebased).
inline std::string on_drive_d(const char* built_in) { return "D:" + std::string(built_in + 2); }
inline const std::string kProfileDPath = on_drive_d(launcher::kProfilePath);
inline const std::string kIconToolDPath = on_drive_d(launcher::kIconToolPath);

// With a locale, checks that one resource-locale value; without, each of
// the six languages in table order and then a locale that matches none.
TreeCheck check_tree(Tree& tree, const std::string& root, const CheckOptions& options);

// "Cannot tell what the launcher does: ... cannot be read", for a file the
// tree lists at `d_path` but cannot read.
Finding unreadable(const Tree& tree, const std::string& d_path);

// The known profile key nearest to `key`, when one is close (a typo).
std::optional<std::string> nearest_known_key(const std::string& key);

// The setup key of a language name ("english" gives "ENGLISH"); none when
// the launcher has no such language.
std::optional<std::string> language_key(const std::string& name);

}  // namespace checker
