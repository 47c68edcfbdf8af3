# libcdio's ISO 9660 library (libiso9660 over libcdio), the disc reader the
# Linux checker links from Debian, cross-built here for the Windows checker
# from Debian's source of the same version (2.1.0), with its own configure
# for the mingw-w64 host: only the two libraries, as static archives.
# It opens files by UTF-8 names (through the wide calls) and reads the
# Joliet tree itself; the checker reads records with it, never its names.
include(ExternalProject)
include(${CMAKE_CURRENT_LIST_DIR}/downloads.cmake)
checked_download(libcdio cdio_tarball)

string(REGEX REPLACE "-g\\+\\+$" "" cdio_host ${CMAKE_CXX_COMPILER})
get_filename_component(cdio_host ${cdio_host} NAME)
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
    CONFIGURE_COMMAND <SOURCE_DIR>/configure --host=${cdio_host} --disable-shared --enable-static
        --disable-cxx --disable-cpp-progs --disable-example-progs --disable-cddb
        --disable-vcd-info --without-versioned-libs --without-cd-drive --without-cd-info
        --without-cd-read --without-cdda-player --without-iso-info --without-iso-read
        "CFLAGS=${cdio_cflags}"
    BUILD_COMMAND make -C include COMMAND make -C lib/driver COMMAND make -C lib/iso9660
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${cdio_archives}
    LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON)
ExternalProject_Get_Property(libcdio SOURCE_DIR)
# The headers: the source's, and the two configure writes (cdio_config.h,
# version.h).
file(MAKE_DIRECTORY ${cdio_build}/include ${SOURCE_DIR}/include)
add_library(iso9660_windows INTERFACE)
add_dependencies(iso9660_windows libcdio)
target_include_directories(iso9660_windows INTERFACE ${SOURCE_DIR}/include ${cdio_build}/include)
# libcdio's drive code (never used here) calls winmm.
target_link_libraries(iso9660_windows INTERFACE ${cdio_archives} winmm)
