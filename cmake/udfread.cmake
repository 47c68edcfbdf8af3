# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
# libudfread (VideoLAN), the UDF reader of the checker: every UDF revision
# up to 2.60, metadata partitions, files stored inside their ICB, and (with
# our patch) the virtual partition of write-once media. Debian 12 ships it
# as a shared library only, both launcher-checks are linked statically, and
# Windows has no package of it: it is built here, for either system, from
# Debian's source of the same version.
# The tarball comes from the download cache (cmake/downloads.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/downloads.cmake)
checked_download(libudfread udfread_tarball)
include(FetchContent)
FetchContent_Declare(udfread
    URL ${udfread_tarball}
    URL_HASH ${udfread_tarball_HASH}
    DOWNLOAD_EXTRACT_TIMESTAMP ON
    # 1.1.2 lists a folder's deleted entries (file identifiers flagged
    # deleted, as rewritable media keep them); Windows never shows them.
    # Nor does it read write-once media (DVD±R, BD-R): their virtual
    # partition, found through the Virtual Allocation Table recorded last.
    # And it tells a file's highest block only block by block: one pass
    # over its allocation descriptors tells whether it lies inside a cut image.
    PATCH_COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/apply-patches.sh
                  ${CMAKE_CURRENT_LIST_DIR}/udfread-skip-deleted.patch
                  ${CMAKE_CURRENT_LIST_DIR}/udfread-vat.patch
                  ${CMAKE_CURRENT_LIST_DIR}/udfread-last-lba.patch)
FetchContent_GetProperties(udfread)
if(NOT udfread_POPULATED)
  FetchContent_Populate(udfread)
endif()

enable_language(C)
add_library(udfread STATIC
    ${udfread_SOURCE_DIR}/src/udfread.c
    ${udfread_SOURCE_DIR}/src/ecma167.c
    ${udfread_SOURCE_DIR}/src/default_blockinput.c)
target_include_directories(udfread PUBLIC ${udfread_SOURCE_DIR}/src)
target_compile_definitions(udfread PRIVATE HAVE_UNISTD_H HAVE_FCNTL_H _FILE_OFFSET_BITS=64)
# Its complaints go to the checker's log (checker/source/disc/library_log.h), never to a
# terminal: the forced header turns its fprintf(stderr, ...) into a call there.
target_compile_options(udfread PRIVATE -w
    "SHELL:-include ${PROJECT_SOURCE_DIR}/checker/source/disc/udfread_log_hook.h")
if(WIN32)
  target_compile_options(udfread PRIVATE
      "SHELL:-include ${PROJECT_SOURCE_DIR}/checker/source/disc/udfread_windows_hook.h")
endif()
set_target_properties(udfread PROPERTIES POSITION_INDEPENDENT_CODE ON)
