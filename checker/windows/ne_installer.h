// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The 16-bit installers 64-bit Windows replaces with a 32-bit port of its
// own ("Application Installation on 64-bit Systems": Microsoft Setup for
// Windows 1.2, 2.6, 3.0 and 3.01, and InstallShield 5.x, listed under the
// NtVdm64 registry key), recognised by the version resource of their NE
// file. Windows 10 and 11 on Arm do not have the mechanism.
#pragma once

#include <stdint.h>

#include <optional>
#include <string>

namespace checker {

// The installer a 16-bit Windows program (NE header at `ne` in `file`) is,
// where it is one of those: "InstallShield 5", "Microsoft Setup 3.01".
std::optional<std::string> replaced_installer(const std::string& file, uint32_t ne);

}  // namespace checker
