// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Every format of the tree checker's report: a table for people, a JSON
// document for tools, compiler-style lines for editors, SARIF for code
// scanning and one HTML page; and the release table.
#pragma once

#include "checker/report/gcc_report.h"
#include "checker/report/html_report.h"
#include "checker/report/json_report.h"
#include "checker/report/release_table.h"
#include "checker/report/sarif_report.h"
#include "checker/report/text_report.h"
