# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
# A third-party source tarball the build needs, as a path in the download
# cache (and OUT_HASH, its digest): fetched through the machine's own
# package clients where the cache lacks it, and checked by its SHA-256
# (scripts/launcher_tools/downloads.py). With the cache filled, the build
# needs no network.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
function(checked_download name out)
  execute_process(
      COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${PROJECT_SOURCE_DIR}/scripts
              ${Python3_EXECUTABLE} -m launcher_tools.downloads ${name}
      OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE
      ERROR_VARIABLE error RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}'s source could not be had: ${error}")
  endif()
  set(${out} ${path} PARENT_SCOPE)
  # Its digest, checked just now, for the URL_HASH of the step that unpacks it.
  file(SHA256 ${path} digest)
  set(${out}_HASH SHA256=${digest} PARENT_SCOPE)
endfunction()
