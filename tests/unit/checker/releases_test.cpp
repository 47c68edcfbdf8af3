// The release table's rows against what must hold between their facts, so
// that a fact entered in the wrong column or row shows.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "checker/windows/releases.h"

namespace checker::testing {
namespace {

TEST(Releases, FactsThatGoTogether) {
  std::set<std::string> names;
  for (const Release& r : kReleases) {
    SCOPED_TRACE(r.name);
    EXPECT_TRUE(names.insert(r.name).second) << "named twice";
    const bool nine_x = r.family == Windows::k9x;
    // Only 95/98/ME keep ResourceLocale, read profiles as bytes and run DOS
    // programs themselves.
    EXPECT_EQ(nine_x, r.language == LanguageSource::kRegistry);
    EXPECT_EQ(nine_x, r.profile == ProfileReaderKind::k9x);
    EXPECT_EQ(nine_x, r.dos == DosPrograms::kNative);
    EXPECT_EQ(r.width == Width::k64, r.dos == DosPrograms::kNone);
    EXPECT_TRUE(r.family != Windows::kNt32 || r.width == Width::k32);
    // HTML applications run in Internet Explorer; AutoPlay and installer
    // detection came together with Vista; a 64-bit Windows reads its own
    // autorun section.
    EXPECT_TRUE(!r.mshta || r.web_browser);
    EXPECT_EQ(r.autoplay, r.installer_detection);
    EXPECT_EQ(r.autorun_amd64, r.width != Width::k32);
    EXPECT_TRUE(r.joliet);
  }
  for (const Windows family : kAllWindows) {
    EXPECT_EQ(representative_release(family).family, family) << windows_name(family);
  }
}

TEST(Releases, NoReleaseReadsLessThanTheOneBeforeIt) {
  // Oldest first within each line (95 to ME, NT 4.0 to 11); XP x64 sits
  // between XP and Vista.
  const Release* previous = nullptr;
  for (const Release& r : kReleases) {
    if (previous != nullptr && (previous->family == Windows::k9x) == (r.family == Windows::k9x)) {
      EXPECT_GE(r.newest_udf, previous->newest_udf) << r.name;
      EXPECT_GE(r.newest_subsystem, previous->newest_subsystem) << r.name;
      EXPECT_GE(r.installer, previous->installer) << r.name;
      EXPECT_GE(r.script_host, previous->script_host) << r.name;
      EXPECT_GE(r.html_help, previous->html_help) << r.name;
      EXPECT_LE(r.winhelp, previous->winhelp) << r.name;  // gone from Vista on
    }
    previous = &r;
  }
}

}  // namespace
}  // namespace checker::testing
