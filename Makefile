# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
# One entry point for building, testing and trying the launcher. `make help`
# lists every target, one line each: the `##` line above it.

BUILD_TYPE ?= MinSizeRel
VERSION := $(shell cat VERSION)
DIST ?= dist
RELEASE = $(DIST)/launcher-$(VERSION)
JOBS ?= 2
FUZZ_SECONDS ?= 300
FUZZ_TARGETS = command_line language launch_sequence profile image
# The Python package the scripts and tests share (scripts/launcher_tools).
export PYTHONPATH := $(CURDIR)/scripts$(if $(PYTHONPATH),:$(PYTHONPATH))

.PHONY: all help test-unit test demo check-tree iso test-e2e test-sanitize test-reproducible \
        format check-format build build-win32 build-win64 build-tools build-host build-sanitize \
        wine-prefix deps deps-release deps-unit dist sign size bench fuzz fuzz-coverage \
        best-fit-table clean

all: build

# --- Everyday ----------------------------------------------------------------

## test-unit: the fast loop: the unit tests on the fake platform, no Wine (seconds)
test-unit: deps-unit build-host
	ctest --test-dir build/host --output-on-failure -L unit

# Both builds' tests run even when the first fails; then every skipped
# suite is listed with its reason.
## test: every test suite (installs missing Debian packages as root)
test: deps build build-host build-sanitize
	@rm -f build/host/junit.xml build/sanitize/junit.xml; status=0; \
	ctest --test-dir build/host --output-on-failure -j $(JOBS) -LE reproducible --output-junit junit.xml || status=1; \
	ctest --test-dir build/sanitize --output-on-failure -j $(JOBS) --output-junit junit.xml || status=1; \
	scripts/test-summary build/host/junit.xml build/sanitize/junit.xml; exit $$status

## demo: the launcher under Wine on the example tree, then the checker on it
demo: deps build
	xvfb-run -a scripts/demo

# A bundled example (examples/*) holds no programs: scripts/stage-tree
# checks or masters a copy with the demo's stand-in programs.
## check-tree: TREE=path [CHECK_ARGS=...] [HTML=report.html]: what the launcher does on a tree or image
check-tree: build-tools
	@test -n "$(TREE)" || { echo "Name the tree: make check-tree TREE=path/to/tree" >&2; exit 2; }
	@tree=$$(scripts/stage-tree "$(TREE)") || exit 2; \
	[ "$$tree" = "$(TREE)" ] || echo "$(TREE) is a bundled example without its programs: checking a copy with stand-ins."; \
	build/tools/launcher-check $(CHECK_ARGS) "$$tree"; status=$$?; \
	if [ -n "$(HTML)" ]; then \
	  build/tools/launcher-check $(CHECK_ARGS) --format html "$$tree" >"$(HTML)"; \
	  [ $$? -le 1 ] && echo "The report as one page: $(HTML)" || status=2; \
	fi; \
	exit $$status

ISO ?= build/iso/$(notdir $(abspath $(TREE))).iso
LABEL ?= INSTALL
## iso: TREE=path [ISO=file] [LABEL=text] [FORCE=1] [CHECK_ARGS=...]: master a disc image and check it
iso: deps-release build-tools
	@test -n "$(TREE)" || { echo "Name the tree: make iso TREE=path/to/tree" >&2; exit 2; }
	@tree=$$(scripts/stage-tree "$(TREE)" --with-launcher) || exit 2; \
	[ "$$tree" = "$(TREE)" ] || echo "$(TREE) is a bundled example: mastering a copy with stand-ins and the launcher."; \
	CHECK_ARGS="$(CHECK_ARGS)" scripts/make-iso "$$tree" "$(ISO)" "$(LABEL)"

# --- More tests --------------------------------------------------------------

## test-e2e: the real executables under Wine ([LAUNCHER_EXE=path] checks another build)
test-e2e: deps build build-host
ifdef LAUNCHER_EXE
	scripts/run-e2e "$(LAUNCHER_EXE)"
else
	ctest --test-dir build/host --output-on-failure -L e2e
endif

## test-sanitize: the unit tests under AddressSanitizer and UBSan, and brief fuzzing
test-sanitize: deps build-sanitize
	ctest --test-dir build/sanitize --output-on-failure -j $(JOBS)

## test-reproducible: two clean builds give the same bytes (four minutes; CI runs it)
test-reproducible: deps build-host
	ctest --test-dir build/host --output-on-failure -L reproducible

## format: formats the C++ sources by .clang-format
format: deps-unit
	scripts/check-format --fix

## check-format: fails where a C++ source differs from its formatted self (CI runs it)
check-format: deps-unit
	scripts/check-format

# --- Builds ------------------------------------------------------------------

## build: both Windows executables, the Linux checker and the Wine prefix
build: build-win32 build-win64 build-tools wine-prefix

## build-win32: the shipped launcher.exe and launcher-check.exe, in build/win32
build-win32:
	cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DLAUNCHER_TEST_HELPERS=ON >/dev/null
	cmake --build build/win32 -j $(JOBS)

## build-win64: the launcher's 64-bit twin, for the tests, in build/win64
build-win64:
	cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DLAUNCHER_TEST_HELPERS=ON >/dev/null
	cmake --build build/win64 -j $(JOBS)

## build-tools: the Linux launcher-check, without the tests, in build/tools
build-tools:
	cmake -S . -B build/tools -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_TESTS=OFF >/dev/null
	cmake --build build/tools -j $(JOBS) --target launcher-check

## build-host: the Linux tests and checker (debug), in build/host
build-host:
	cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build build/host -j $(JOBS)

## build-sanitize: the unit tests and the fuzz targets under clang's sanitizers
build-sanitize:
	CXX=clang++ cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug \
	    -DLAUNCHER_SANITIZE=ON -DLAUNCHER_FUZZ=ON -DFUZZ_SECONDS=20 >/dev/null
	cmake --build build/sanitize -j $(JOBS)

# wineboot once per checkout (minutes where 32-bit code is emulated,
# seconds elsewhere), made again when Wine changes.
## wine-prefix: the Wine prefix every Wine run copies (skipped, with a word, before Wine is installed)
wine-prefix:
	@if [ -x /usr/lib/wine/wine64 ]; then python3 -m launcher_tools.wine_prefix; \
	else echo "No Wine here yet: the Wine prefix is made when a Wine run needs it."; fi

## deps: installs every Debian package the builds and tests need (as root)
deps:
	@scripts/ensure-deps

## deps-release: only what a release and a disc image need (compilers, xorriso, osslsigncode)
deps-release:
	@scripts/ensure-deps release

## deps-unit: only what the unit tests need
deps-unit:
	@scripts/ensure-deps unit

# --- Release -----------------------------------------------------------------

## dist: the release folder, zip, SBOM and source archive, in dist/
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
## sign: CERT=cert.pem KEY=key.pem [TIMESTAMP_URL=...]: a signed launcher in dist/.../signed/ (password in SIGN_PASS or SIGN_PASS_FILE)
sign:
	@scripts/sign --check "$(CERT)" "$(KEY)"
	$(MAKE) dist
	@SIGN_TIMESTAMP_URL="$(TIMESTAMP_URL)" \
	  scripts/sign "$(CERT)" "$(KEY)" "$(RELEASE)/launcher.exe" "$(RELEASE)/signed/launcher.exe"

# --- Measures and tools ------------------------------------------------------

## size: byte sizes of the executables and their sections
size: build
	scripts/size-report

## bench: the launcher against a baseline under Wine, and the checker on a 650 MB image
bench: deps build
	xvfb-run -a scripts/bench
	scripts/bench-image

## fuzz: each libFuzzer target for FUZZ_SECONDS (default 300)
fuzz: deps build-sanitize
	@for t in $(FUZZ_TARGETS); do \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  scripts/run-fuzz build/sanitize/tests/fuzz_$$t tests/fuzz/corpus/$$t $(FUZZ_SECONDS) || exit 1; \
	done

## fuzz-coverage: the launcher lines the fuzz corpora reach
fuzz-coverage: deps
	scripts/fuzz-coverage

## best-fit-table: the code page 1252 table of the real WideCharToMultiByte, from Wine
best-fit-table: deps build-win64
	xvfb-run -a scripts/best-fit-table

## clean: removes build/ and dist/
clean:
	rm -rf build dist

## help: every target, one line each (this list)
help:
	@awk '/^## /{sub(/^## /, ""); n = index($$0, ": "); \
	  printf "  make %-20s %s\n", substr($$0, 1, n - 1), substr($$0, n + 2)}' $(MAKEFILE_LIST)
