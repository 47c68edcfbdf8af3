# launcher-check.exe: the tree checker as a Windows console program. Unlike
# the launcher it uses the C runtime; it answers the launcher's profile and
# file calls with the real ones, on the tree's folder in the place of D:.
add_library(launcher_core_hosted STATIC ${LAUNCHER_CORE_SOURCES})
target_include_directories(launcher_core_hosted PUBLIC ${PROJECT_SOURCE_DIR})

add_executable(launcher-check
    checker/main.cpp
    checker/source/tree.cpp
    checker/source/windows_tree.cpp
    checker/windows/code_page.cpp
    checker/windows/path_rules.cpp
    checker/windows/profile_reader.cpp
    checker/windows/windows_family.cpp
    checker/windows/program_start.cpp
    checker/windows/file_types.cpp
    checker/windows/tree_platform.cpp
    checker/predict/launch.cpp
    checker/rules/findings.cpp
    checker/rules/check.cpp
    checker/rules/profile_rules.cpp
    checker/rules/icon_tool_rules.cpp
    checker/rules/setup_rules.cpp
    checker/rules/disc_rules.cpp
    checker/report/json_text.cpp
    checker/report/locations.cpp
    checker/report/text_report.cpp
    checker/report/json_report.cpp
    checker/report/gcc_report.cpp
    checker/report/sarif_report.cpp
    checker/report/summary.cpp
    checker/report/outcome.cpp
    checker/report/html_text.cpp
    checker/report/html_report.cpp
    checker/command_line.cpp)
target_include_directories(launcher-check PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(launcher-check PRIVATE launcher_core_hosted)
target_compile_definitions(launcher-check PRIVATE LAUNCHER_VERSION="${PROJECT_VERSION}")
target_compile_options(launcher-check PRIVATE -O2 -Wall -Wextra -Werror)
# One file to hand out: no C++ runtime DLLs beside it.
target_link_options(launcher-check PRIVATE -static -s -Wl,--no-insert-timestamp)
