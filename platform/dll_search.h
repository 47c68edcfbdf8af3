// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Keeps DLLs that Windows loads on our behalf out of the installation tree.
#pragma once

namespace platform {

// Where the system offers it (Windows 8, and 7 and Vista with KB2533623),
// restricts the DLL search of this process to the system folder, so that a
// DLL planted beside the launcher or in the current folder is never loaded
// by the shell or the message box. Older systems lack the call and are left
// as they are; it is looked up at run time so that they still load us.
void restrict_dll_search_to_system32();

}  // namespace platform
