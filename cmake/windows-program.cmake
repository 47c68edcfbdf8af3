# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
# launcher.exe: a freestanding GUI program (no C runtime, no heap, no
# exceptions) that Windows 95 can load, importing only what it calls.

enable_language(RC)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(LAUNCHER_MANIFEST_ARCH x86)
else()
  set(LAUNCHER_MANIFEST_ARCH amd64)
endif()
configure_file(launcher/launcher.manifest.in ${CMAKE_CURRENT_BINARY_DIR}/launcher.manifest @ONLY)
configure_file(launcher/launcher.rc.in ${CMAKE_CURRENT_BINARY_DIR}/launcher.rc @ONLY)

add_executable(launcher
    ${CMAKE_CURRENT_BINARY_DIR}/launcher.rc
    ${LAUNCHER_CORE_SOURCES}
    launcher/entry_windows.cpp
    platform/windows_platform.cpp
    platform/dll_search.cpp
    platform/kernel32_function.cpp
    platform/freestanding.cpp)
target_include_directories(launcher PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(launcher PRIVATE WIN32_LEAN_AND_MEAN)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/launcher.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/launcher.manifest)

set(LAUNCHER_CXX_FLAGS
    -Os -flto -ffreestanding -fno-exceptions -fno-rtti -fno-threadsafe-statics
    -fno-asynchronous-unwind-tables -fno-unwind-tables -fno-stack-protector
    -fno-ident -ffunction-sections -fdata-sections -malign-data=abi
    -Wall -Wextra -Werror)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # Any 386 runs it; the Windows 95 stack is only 4-byte aligned.
  list(APPEND LAUNCHER_CXX_FLAGS -march=i386 -mpreferred-stack-boundary=2)
  set(LAUNCHER_ENTRY _launcher_start)
else()
  set(LAUNCHER_ENTRY launcher_start)
endif()
target_compile_options(launcher PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${LAUNCHER_CXX_FLAGS}>")
# The helpers of a C-runtime-less program must not be compiled into calls
# to themselves.
set_source_files_properties(platform/freestanding.cpp PROPERTIES
    COMPILE_OPTIONS "-fno-builtin;-fno-tree-loop-distribute-patterns")

target_link_options(launcher PRIVATE
    -nostdlib -nostartfiles -s -flto -Os
    # Link-time code generation must keep one section per function and
    # constant too, or --gc-sections cannot drop the ones nothing uses.
    -ffunction-sections -fdata-sections
    -Wl,-e,${LAUNCHER_ENTRY}
    -Wl,--subsystem,windows:4.0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0
    -Wl,--gc-sections
    -Wl,--no-insert-timestamp
    -Wl,--dynamicbase -Wl,--nxcompat
    # What the link took from the import libraries, for the release's SBOM.
    -Wl,-Map=${CMAKE_BINARY_DIR}/launcher.map)
target_link_libraries(launcher PRIVATE kernel32 user32 advapi32 shell32)
# Code and constants read-only, imports writable (see the script); a section
# the script does not place stops the link instead of landing somewhere.
target_link_options(launcher PRIVATE -Wl,-T,${PROJECT_SOURCE_DIR}/cmake/launcher.ld
                    -Wl,--orphan-handling=error)
set_target_properties(launcher PROPERTIES LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/launcher.ld)
# GNU ld makes .rsrc writable by its name; nothing writes to it.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(TARGET launcher POST_BUILD
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/seal-resources $<TARGET_FILE:launcher>
    VERBATIM)

option(LAUNCHER_TEST_HELPERS "Build the Windows helpers of the end-to-end tests" OFF)

# A tiny test program built like the launcher (no C runtime), entering at
# `entry` with the given subsystem ("windows" or "console").
function(add_freestanding_program name source entry subsystem)
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE -Os -ffreestanding -fno-exceptions -fno-rtti
      -fno-asynchronous-unwind-tables -fno-stack-protector -Wall -Wextra)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(entry _${entry})  # i386 C symbols carry a leading underscore
  endif()
  target_link_options(${name} PRIVATE -nostdlib -nostartfiles -s -Wl,-e,${entry}
      -Wl,--subsystem,${subsystem}:4.0)
endfunction()

if(LAUNCHER_TEST_HELPERS)
  add_subdirectory(tests/e2e)
  add_subdirectory(tests/bench)
endif()
