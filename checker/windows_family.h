// The families of Windows a disc's user may start the launcher on. They
// differ in how they read the profile, which file types they start, and
// which programs they run; the checker predicts one and names the others
// where they behave differently.
#pragma once

#include <optional>
#include <string>

namespace checker {

enum class Windows { k9x, kNt32, kNt64 };

constexpr Windows kAllWindows[] = {Windows::k9x, Windows::kNt32, Windows::kNt64};

// "9x", "nt32", "nt64": the names of --windows and of the JSON report.
const char* windows_name(Windows windows);
// "Windows 95/98/ME", "32-bit Windows 10", "64-bit Windows 10 and 11".
const char* windows_title(Windows windows);
std::optional<Windows> windows_named(const std::string& name);

}  // namespace checker
