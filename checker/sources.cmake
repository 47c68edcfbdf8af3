# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
# The checker's sources, one list for both builds (Linux and Windows), as
# paths below checker/. Each build adds the tree reader of its own system.
set(CHECKER_SOURCES
    names/code_page.cpp
    names/path_rules.cpp
    source/tree.cpp
    windows/profile_reader.cpp
    windows/windows_family.cpp
    windows/language_source.cpp
    windows/disc_readers.cpp
    windows/releases.cpp
    windows/program_start.cpp
    windows/file_types.cpp
    windows/ne_installer.cpp
    windows/tree_platform.cpp
    predict/launch.cpp
    rules/findings.cpp
    rules/release_starts.cpp
    rules/check.cpp
    rules/profile_rules.cpp
    rules/icon_tool_rules.cpp
    rules/setup_rules.cpp
    rules/disc_rules.cpp
    rules/autorun_rules.cpp
    rules/lost_names.cpp
    report/json_text.cpp
    report/locations.cpp
    report/text_report.cpp
    report/json_report.cpp
    report/gcc_report.cpp
    report/sarif_report.cpp
    report/summary.cpp
    report/outcome.cpp
    report/release_columns.cpp
    report/html_text.cpp
    report/html_report.cpp
    report/release_table.cpp
    command_line.cpp)
# Disc images (libiso9660, libudfread), on either system.
set(CHECKER_DISC_SOURCES
    source/disc/image_file.cpp
    source/disc/library_log.cpp
    source/disc/listed_tree.cpp
    source/disc/iso_tree.cpp
    source/disc/udf_tree.cpp
    source/disc/disc_image.cpp
    rules/image_check.cpp
    rules/tree_check.cpp)
# Folders on the host's file system.
set(CHECKER_HOST_SOURCES
    source/host_tree.cpp)
# The Windows build's own: folders through the Windows file calls, and the
# start Explorer makes.
set(CHECKER_WINDOWS_SOURCES
    source/windows_tree.cpp
    explorer_start.cpp)
