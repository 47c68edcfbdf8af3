// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The release table as --list-releases prints it: Markdown, one row a
// release, the same table the README shows.
#include "checker/names/udf_revision.h"
#include "checker/report/release_table.h"
#include "checker/windows/releases.h"

namespace checker {

namespace {

// A PE subsystem version kept as 100 * major + minor; x.99 stands for any x.y.
std::string subsystem_name(uint16_t version) {
  const std::string minor = version % 100 == 99 ? "x" : std::to_string(version % 100);
  return std::to_string(version / 100) + "." + minor;
}

const char* width_name(Width width) {
  switch (width) {
    case Width::k32: return "32-bit";
    case Width::k64: return "32-bit and 64-bit";
    case Width::kArm: return "ARM64; x86 by emulation";
    case Width::kArmX64: return "ARM64; x86 and x64 by emulation";
    case Width::kBoth: break;
  }
  return "32-bit; 64-bit on its 64-bit editions";
}

std::string dos_name(const Release& r) {
  const std::string editions = r.width == Width::kBoth ? " on its 32-bit editions" : "";
  switch (r.dos) {
    case DosPrograms::kNative: return "yes";
    case DosPrograms::kNtvdm: return "NTVDM" + editions;
    case DosPrograms::kOnDemand: return "NTVDM, once installed" + editions;
    case DosPrograms::kNone: break;
  }
  return "no";
}

std::string opens(const Release& r) {
  std::string out;
  const std::pair<bool, const char*> types[] = {{r.web_browser, ".htm .url"}, {r.mshta, ".hta"},
                                                {r.script_host, ".vbs .js"},  {r.html_help, ".chm"},
                                                {r.winhelp, ".hlp"},          {r.installer, ".msi"},
                                                {r.wordpad, ".rtf"}};
  for (const auto& [has, names] : types) {
    if (!has) continue;
    if (!out.empty()) out += ' ';
    out += names;
  }
  return out.empty() ? "-" : out;
}

std::string autorun(const Release& r) {
  return std::string("open=") + (r.shellexecute ? ", shellexecute=" : "") +
         (r.autorun_amd64 ? ", [AutoRun.Amd64]" : "");
}

}  // namespace

std::string release_table() {
  std::string out =
      "| name | release | family | language | UDF | subsystem | programs | DOS programs "
      "| opens | autorun.inf | profile reader |\n"
      "|---|---|---|---|---|---|---|---|---|---|---|\n";
  for (const Release& r : kReleases) {
    out += std::string("| `") + r.name + "` | " + r.title + " | " + windows_name(r.family) + " | " +
           language_source_name(r.language) + " | " +
           (r.newest_udf == 0 ? "-" : "up to " + udf_revision_name(r.newest_udf)) + " | " +
           "up to " + subsystem_name(r.newest_subsystem) + " | " + width_name(r.width) + " | " +
           dos_name(r) + " | " + opens(r) + " | " + autorun(r) + " | " +
           (r.profile == ProfileReaderKind::kBytes ? "bytes" : "UTF-16 by its mark") + " |\n";
  }
  return out;
}

}  // namespace checker
