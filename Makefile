# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
# One entry point for building, testing and trying the launcher.
#   make build     both Windows executables, the Linux checker and the Wine
#                  prefix the tests and the demo copy
#   make test      every test suite (installs missing Debian packages as root)
#   make test-reproducible  two clean builds give the same bytes (CI runs it too)
#   make demo      runs the launcher under Wine on the example tree, and the checker
#   make check-tree TREE=path [CHECK_ARGS=options] [HTML=report.html]
#                  what the launcher will do on a tree (or a disc image);
#                  with HTML, also as one page for a browser
#   make iso TREE=path [ISO=file] [LABEL=text] [FORCE=1] [CHECK_ARGS=options]
#                  masters a disc image of the tree and checks it
#   make dist      the release folder and zip for tree authors, in dist/
#   make sign CERT=cert.pem KEY=key.pem [TIMESTAMP_URL=...]
#                  a signed copy of the launcher in dist/launcher-<version>/signed/;
#                  the key's password, if any, in SIGN_PASS or SIGN_PASS_FILE
#                  (environment), never on make's command line
#   make size      byte sizes of the executables and their sections
#   make bench     launcher against a baseline of the same two starts, under Wine,
#                  and launcher-check on a 650 MB disc image
#   make fuzz      each libFuzzer target for FUZZ_SECONDS (default 300)
#   make fuzz-coverage  launcher lines the fuzz corpora reach

BUILD_TYPE ?= MinSizeRel
VERSION := $(shell cat VERSION)
DIST ?= dist
RELEASE = $(DIST)/launcher-$(VERSION)
JOBS ?= 2
FUZZ_SECONDS ?= 300
FUZZ_TARGETS = command_line language launch_sequence profile image

.PHONY: iso best-fit-table dist sign all deps wine-prefix deps-release deps-unit build build-win32 build-win64 build-tools build-host check-tree test test-unit test-reproducible test-e2e test-sanitize build-sanitize demo size bench fuzz fuzz-coverage clean

all: build

deps:
	@scripts/ensure-deps

# A release (and a disc image) needs only the compilers, libcdio, xorriso
# and osslsigncode.
deps-release:
	@scripts/ensure-deps release

build-win32:
	cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DLAUNCHER_TEST_HELPERS=ON >/dev/null
	cmake --build build/win32 -j $(JOBS)

build-win64:
	cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DLAUNCHER_TEST_HELPERS=ON >/dev/null
	cmake --build build/win64 -j $(JOBS)

# The tree checker for Linux, without the tests.
build-tools:
	cmake -S . -B build/tools -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_TESTS=OFF >/dev/null
	cmake --build build/tools -j $(JOBS) --target launcher-check

# The Wine prefix every Wine run copies: wineboot once per checkout (minutes
# where 32-bit code is emulated, seconds elsewhere), made again when Wine
# changes; skipped, with a word, where Wine is not installed yet.
wine-prefix:
	@if [ -x /usr/lib/wine/wine64 ]; then python3 -m launcher_tools.wine_prefix; \
	else echo "No Wine here yet: the Wine prefix is made when a Wine run needs it."; fi

build: build-win32 build-win64 build-tools wine-prefix

build-host:
	cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build build/host -j $(JOBS)

# Unit tests under AddressSanitizer and UBSan, and the fuzz targets (clang).
build-sanitize:
	CXX=clang++ cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug \
	    -DLAUNCHER_SANITIZE=ON -DLAUNCHER_FUZZ=ON -DFUZZ_SECONDS=20 >/dev/null
	cmake --build build/sanitize -j $(JOBS)

deps-unit:
	@scripts/ensure-deps unit

test-unit: deps-unit build-host
	ctest --test-dir build/host --output-on-failure -L unit

# LAUNCHER_EXE=path/to/launcher.exe checks another build (either
# architecture) with the same suite.
test-e2e: deps build build-host
ifdef LAUNCHER_EXE
	scripts/run-e2e "$(LAUNCHER_EXE)"
else
	ctest --test-dir build/host --output-on-failure -L e2e
endif

# Unit tests, sanitized unit tests, brief fuzzing from the seed corpus.
# Two clean builds give the same bytes (two minutes; CI runs it beside make test).
test-reproducible: deps build-host
	ctest --test-dir build/host --output-on-failure -L reproducible

test-sanitize: deps build-sanitize
	ctest --test-dir build/sanitize --output-on-failure -j $(JOBS)

# Both builds' tests run even when the first fails; then every skipped
# suite is listed with its reason.
test: deps build build-host build-sanitize
	@rm -f build/host/junit.xml build/sanitize/junit.xml; status=0; \
	ctest --test-dir build/host --output-on-failure -j $(JOBS) -LE reproducible --output-junit junit.xml || status=1; \
	ctest --test-dir build/sanitize --output-on-failure -j $(JOBS) --output-junit junit.xml || status=1; \
	scripts/test-summary build/host/junit.xml build/sanitize/junit.xml; exit $$status

# What the launcher will do on a tree: make check-tree TREE=path/to/tree
# A bundled example (examples/*) holds no programs: its check runs on a copy
# with the stand-in programs the demo uses, in build/examples/.
STAND_IN = build/win32/tests/e2e/stand_in.exe
# The Python package the scripts and tests share (scripts/launcher_tools).
export PYTHONPATH := $(CURDIR)/scripts$(if $(PYTHONPATH),:$(PYTHONPATH))
EXAMPLE_TREES = python3 -m launcher_tools.example_trees
# The Windows build the examples' stand-ins come from; its log is shown when
# it fails.
BUILD_STAND_INS = { mkdir -p build && $(MAKE) -s --no-print-directory build-win32 >build/build-win32.log 2>&1 || \
  { cat build/build-win32.log >&2; echo "make: the Windows build failed (above)" >&2; false; }; }
check-tree: build-tools
	@test -n "$(TREE)" || { echo "Name the tree: make check-tree TREE=path/to/tree" >&2; exit 2; }
	@tree="$(TREE)"; \
	if $(EXAMPLE_TREES) --is-example "$$tree"; then \
	  $(BUILD_STAND_INS) && \
	  tree=$$($(EXAMPLE_TREES) "$$tree" build/examples $(STAND_IN)) || exit 2; \
	  echo "$(TREE) is a bundled example without its programs: checking a copy with stand-ins."; \
	fi; \
	build/tools/launcher-check $(CHECK_ARGS) "$$tree"; status=$$?; \
	if [ -n "$(HTML)" ]; then \
	  build/tools/launcher-check $(CHECK_ARGS) --format html "$$tree" >"$(HTML)"; \
	  [ $$? -le 1 ] && echo "The report as one page: $(HTML)" || status=2; \
	fi; \
	exit $$status

# A disc image of a tree, checked as Windows reads it. A bundled example is
# staged first, with stand-ins and the launcher at its root.
ISO ?= build/iso/$(notdir $(abspath $(TREE))).iso
LABEL ?= INSTALL
iso: deps-release build-tools
	@test -n "$(TREE)" || { echo "Name the tree: make iso TREE=path/to/tree" >&2; exit 2; }
	@tree="$(TREE)"; \
	if $(EXAMPLE_TREES) --is-example "$$tree"; then \
	  $(BUILD_STAND_INS) && \
	  tree=$$($(EXAMPLE_TREES) "$$tree" build/examples $(STAND_IN)) || exit 2; \
	  cp build/win32/launcher.exe "$$tree/"; \
	  echo "$(TREE) is a bundled example: mastering a copy with stand-ins and the launcher."; \
	fi; \
	CHECK_ARGS="$(CHECK_ARGS)" scripts/make-iso "$$tree" "$(ISO)" "$(LABEL)"

dist: deps-release build-win32 build-tools
	scripts/make-dist --out "$(DIST)"

# The password reaches scripts/sign through the environment only: make never
# pastes it into a recipe, where the shell would read it and ps show it.
ifeq ($(origin PASS),command line)
$(error PASS= is not taken: put the key's password in SIGN_PASS or SIGN_PASS_FILE in the environment)
endif
ifeq ($(origin SIGN_PASS),command line)
$(error SIGN_PASS= on make's command line is visible to every process: set it in the environment)
endif

# The arguments are checked before anything is built.
sign:
	@scripts/sign --check "$(CERT)" "$(KEY)"
	$(MAKE) dist
	@SIGN_TIMESTAMP_URL="$(TIMESTAMP_URL)" \
	  scripts/sign "$(CERT)" "$(KEY)" "$(RELEASE)/launcher.exe" "$(RELEASE)/signed/launcher.exe"

demo: deps build
	xvfb-run -a scripts/demo

size: build
	scripts/size-report

bench: deps build
	xvfb-run -a scripts/bench
	scripts/bench-image

fuzz: deps build-sanitize
	@for t in $(FUZZ_TARGETS); do \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  scripts/run-fuzz build/sanitize/tests/fuzz_$$t tests/fuzz/corpus/$$t $(FUZZ_SECONDS) || exit 1; \
	done

fuzz-coverage: deps
	scripts/fuzz-coverage

# The code page 1252 table of the real WideCharToMultiByte, from Wine.
best-fit-table: deps build-win64
	xvfb-run -a scripts/best-fit-table

clean:
	rm -rf build dist
