// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What the disc-reading libraries say about damaged images. libcdio's
// default log handler prints warnings on stdout (which would break --json)
// and ends the process on an error; libudfread prints to stderr. Both are
// routed here once, at start, before any image is opened: the checker keeps
// their last few messages for the error it reports, and prints none itself.
#pragma once

#include <string>

namespace checker {

// Installs the routing; the first call does it, later ones do nothing.
void route_library_logs();

// The newest message the libraries logged since the last call ("" when
// none), and forgets them all.
std::string take_library_message();

}  // namespace checker
