# libudfread (VideoLAN), the UDF reader of the checker: every UDF revision
# up to 2.60, metadata partitions, files stored inside their ICB, and (with
# our patch) the virtual partition of write-once media. Debian 12
# ships it as a shared library only, and launcher-check is linked
# statically, so it is built here from Debian's source of the same version.
# The tarball comes through apt-get from the machine's own Debian sources,
# into the download cache, checked by its SHA-256 (scripts/launcher_tools/
# downloads.py); with the cache filled, the build needs no network.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${PROJECT_SOURCE_DIR}/scripts
            ${Python3_EXECUTABLE} -m launcher_tools.downloads libudfread
    OUTPUT_VARIABLE udfread_tarball OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_VARIABLE udfread_error RESULT_VARIABLE udfread_status)
if(NOT udfread_status EQUAL 0)
  message(FATAL_ERROR "libudfread's source could not be had: ${udfread_error}")
endif()
include(FetchContent)
FetchContent_Declare(udfread
    URL ${udfread_tarball}
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
    -include ${PROJECT_SOURCE_DIR}/checker/source/disc/udfread_log_hook.h)
set_target_properties(udfread PROPERTIES POSITION_INDEPENDENT_CODE ON)
