// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Tells whether this machine's Wine runs programs of the probe's architecture:
// it does nothing but exit with a status no failed start gives.
#include <windows.h>

extern "C" void probe_start() { ExitProcess(0x95); }
