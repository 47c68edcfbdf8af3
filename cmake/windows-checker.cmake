# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
# launcher-check.exe: the tree checker as a Windows console program. Unlike
# the launcher it uses the C runtime; it answers the launcher's profile and
# file calls with the real ones, on the tree's folder in the place of D:,
# and reads disc images with the Linux build's readers, built here.
include(${PROJECT_SOURCE_DIR}/cmake/udfread.cmake)
include(${PROJECT_SOURCE_DIR}/cmake/libcdio.cmake)
add_library(launcher_core_hosted STATIC ${LAUNCHER_CORE_SOURCES})
target_include_directories(launcher_core_hosted PUBLIC ${PROJECT_SOURCE_DIR})

include(${PROJECT_SOURCE_DIR}/checker/sources.cmake)
list(TRANSFORM CHECKER_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/checker/)
list(TRANSFORM CHECKER_WINDOWS_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/checker/)
list(TRANSFORM CHECKER_DISC_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/checker/)
add_executable(launcher-check ${PROJECT_SOURCE_DIR}/checker/main.cpp
               ${CHECKER_SOURCES} ${CHECKER_DISC_SOURCES} ${CHECKER_WINDOWS_SOURCES})
target_include_directories(launcher-check PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(launcher-check PRIVATE launcher_core_hosted iso9660 udfread
                      shell32 ole32)
target_compile_definitions(launcher-check PRIVATE LAUNCHER_VERSION="${PROJECT_VERSION}")
target_compile_options(launcher-check PRIVATE -O2 -Wall -Wextra -Werror)
# One file to hand out: no C++ runtime DLLs beside it.
target_link_options(launcher-check PRIVATE -static -s -Wl,--no-insert-timestamp -Wl,--gc-sections)
# The link map names every archive member linked in, for the release's SBOM.
target_link_options(launcher-check PRIVATE -Wl,-Map=${CMAKE_BINARY_DIR}/launcher-check.map)
