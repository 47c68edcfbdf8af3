// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The families of Windows: named groups of the releases (releases.h) that
// --windows and the JSON report still name.
#pragma once

#include <optional>
#include <string>

namespace checker {

enum class Windows { k9x, kNt32, kNt64 };

constexpr Windows kAllWindows[] = {Windows::k9x, Windows::kNt32, Windows::kNt64};

// "9x", "nt32", "nt64": the names of --windows and of the JSON report.
const char* windows_name(Windows windows);
std::optional<Windows> windows_named(const std::string& name);

}  // namespace checker
