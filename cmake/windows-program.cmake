# launcher.exe: a freestanding GUI program (no C runtime, no heap, no
# exceptions) that Windows 95 can load, importing only what it calls.

add_executable(launcher
    ${LAUNCHER_CORE_SOURCES}
    launcher/entry_windows.cpp
    platform/windows_platform.cpp
    platform/freestanding.cpp)
target_include_directories(launcher PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(launcher PRIVATE WIN32_LEAN_AND_MEAN)
target_compile_options(launcher PRIVATE
    -Os -ffreestanding -fno-exceptions -fno-rtti -fno-threadsafe-statics
    -fno-asynchronous-unwind-tables -fno-unwind-tables -fno-stack-protector
    -fno-ident -ffunction-sections -fdata-sections
    -Wall -Wextra -Werror)
# The helpers of a C-runtime-less program must not be compiled into calls
# to themselves.
set_source_files_properties(platform/freestanding.cpp PROPERTIES
    COMPILE_OPTIONS "-fno-builtin;-fno-tree-loop-distribute-patterns")

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # Any 386 runs it; the Windows 95 stack is only 4-byte aligned.
  target_compile_options(launcher PRIVATE -march=i386 -mpreferred-stack-boundary=2)
  set(LAUNCHER_ENTRY _launcher_start)
else()
  set(LAUNCHER_ENTRY launcher_start)
endif()

target_link_options(launcher PRIVATE
    -nostdlib -nostartfiles -s
    -Wl,-e,${LAUNCHER_ENTRY}
    -Wl,--subsystem,windows:4.0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0
    -Wl,--gc-sections
    -Wl,--no-insert-timestamp
    -Wl,--dynamicbase -Wl,--nxcompat)
target_link_libraries(launcher PRIVATE kernel32 user32 advapi32 shell32)

option(LAUNCHER_TEST_HELPERS "Build the Windows helpers of the end-to-end tests" OFF)
if(LAUNCHER_TEST_HELPERS)
  add_subdirectory(tests/e2e)
endif()
