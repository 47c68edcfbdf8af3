# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
# libcdio's ISO 9660 library (libiso9660 over libcdio), the disc reader of
# both checkers, built here from the upstream tarball of Debian 12's version
# (2.1.0) with its own configure: only the two libraries, as static
# archives. Every build links the same source, which the release ships as
# it is (Debian's own build carries patches whose source is no longer to be
# had). On Windows it opens files by UTF-8 names (through the wide calls).
# It reads the Joliet tree itself; the checker reads records with it, never
# its names.
include(ExternalProject)
include(${CMAKE_CURRENT_LIST_DIR}/downloads.cmake)
checked_download(libcdio cdio_tarball)

enable_language(C)
if(WIN32)
  string(REGEX REPLACE "-g\\+\\+$" "" cdio_host ${CMAKE_CXX_COMPILER})
  get_filename_component(cdio_host ${cdio_host} NAME)
  set(cdio_host_option --host=${cdio_host})
endif()
set(cdio_build ${CMAKE_BINARY_DIR}/libcdio)
set(cdio_archives ${cdio_build}/lib/iso9660/.libs/libiso9660.a ${cdio_build}/lib/driver/.libs/libcdio.a)
# Sections per function, so that the link keeps only what the checker
# calls; the source folder's name kept out of the assertions' texts, so
# that two builds in different folders give the same bytes.
set(cdio_cflags "-Os -w -ffunction-sections -fdata-sections -ffile-prefix-map=<SOURCE_DIR>=libcdio")
ExternalProject_Add(libcdio
    URL ${cdio_tarball}
    URL_HASH ${cdio_tarball_HASH}
    DOWNLOAD_EXTRACT_TIMESTAMP ON
    BINARY_DIR ${cdio_build}
    CONFIGURE_COMMAND <SOURCE_DIR>/configure ${cdio_host_option} --disable-shared --enable-static
        --with-pic --disable-cxx --disable-cpp-progs --disable-example-progs --disable-cddb
        --disable-vcd-info --without-versioned-libs --without-cd-drive --without-cd-info
        --without-cd-read --without-cdda-player --without-iso-info --without-iso-read
        "CC=${CMAKE_C_COMPILER}" "CFLAGS=${cdio_cflags}"
    BUILD_COMMAND make -C include COMMAND make -C lib/driver COMMAND make -C lib/iso9660
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${cdio_archives}
    LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON)
ExternalProject_Get_Property(libcdio SOURCE_DIR)
# The headers: the source's, and the two configure writes (cdio_config.h,
# version.h).
file(MAKE_DIRECTORY ${cdio_build}/include ${SOURCE_DIR}/include)
add_library(iso9660 INTERFACE)
add_dependencies(iso9660 libcdio)
target_include_directories(iso9660 INTERFACE ${SOURCE_DIR}/include ${cdio_build}/include)
target_link_libraries(iso9660 INTERFACE ${cdio_archives})
if(WIN32)
  # libcdio's drive code (never used here) calls winmm.
  target_link_libraries(iso9660 INTERFACE winmm)
endif()
