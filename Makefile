# `make run` and `make test` do all set-up on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
# The package lists (scripts/debian-packages-LIST.txt) a target installs before it configures.
# Each target takes only what it needs: the program (`make run`, `make build`) the run list,
# `make package` also the package list, `make windows` the windows list, `make web` the web list;
# `make test` every list but the screenshots'. SETUP=: skips the installing.
SETUP ?= ./scripts/setup.sh
SETUP_LISTS = run
ALL_LISTS = run package windows web web-test test
# $(BUILD) has one configuration for every target, so that going from one target to another
# rebuilds nothing that did not change: -Werror always (WERROR=OFF for a compiler newer than
# Debian 12's), and the benchmarks once a target that runs them (`make test`, `make bench`) has
# asked for them; the other targets leave that as it is and do not build them.
WERROR ?= ON
BENCH =
BENCH_FLAG = $(if $(BENCH),-DQUORVANE_BENCH=$(BENCH),$(if $(wildcard $(BUILD)/CMakeCache.txt),,-DQUORVANE_BENCH=OFF))
# The sanitizer and fuzzing build (the Qt-free code, the windows and the program), with clang,
# in Debug (assertions on), optimised a little so that the slowest rows keep their time limits.
SANITIZE_BUILD ?= build-sanitize
# Seconds each fuzz target runs for in `make fuzz`.
FUZZ_SECONDS ?= 300
FUZZ_TARGETS = fuzz_level_table fuzz_field_number fuzz_calculate fuzz_cli
# The Windows build, cross-compiled with MinGW-w64: quorvane.exe and quorvane-cli.exe, the
# installer and the portable zip.
WINDOWS_BUILD ?= build-windows
# The browser edition, built with emscripten: the page in $(WEB_BUILD)/site, the command line for
# node in $(WEB_BUILD)/bin. `make serve-web` serves the page on 127.0.0.1, port WEB_PORT.
WEB_BUILD ?= build-web
WEB_PORT ?= 8000
# Prints the reasons of the tests that ctest skipped (their "SKIP:" lines), keeping ctest's status.
SKIPPED = $(CURDIR)/scripts/skipped-tests.sh
# Runs the stages of `make test` each whatever became of the others and sums them up at the end.
STAGES = $(CURDIR)/scripts/stages.sh

.PHONY: all setup configure build run test bench package clean sanitize-build test-sanitized fuzz \
	windows package-windows web serve-web

all: build

# Every list that a target of this file installs (not the screenshots' list).
setup:
	@./scripts/setup.sh $(ALL_LISTS)

configure:
	@$(SETUP) $(SETUP_LISTS)
	cmake -S . -B $(BUILD) $(BENCH_FLAG) -DQUORVANE_WERROR=$(WERROR) \
	  -DQUORVANE_WINDOWS_BUILD_DIR=$(abspath $(WINDOWS_BUILD)) -DQUORVANE_WEB_BUILD_DIR=$(abspath $(WEB_BUILD)) \
	  $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Builds only the two programs, quorvane and quorvane-cli, into $(BUILD)/bin, and starts quorvane.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target quorvane quorvane-cli
	@./scripts/run.sh $(BUILD)/bin/quorvane

# Every list; everything, with the benchmarks, then every test; then the sanitizer build and its
# suites. Each stage runs whatever became of the ones before (only a stage whose build failed is
# not run), and the summary at the end names what failed, what was skipped and why, and what did
# not run; the status is not 0 when anything failed.
test:
	@$(STAGES) "make test" \
	  "set-up||$(MAKE) --no-print-directory setup" \
	  "build||$(MAKE) --no-print-directory build SETUP=: BENCH=ON" \
	  "tests|build|cd $(BUILD) && { ctest --output-on-failure -j $(JOBS); $(SKIPPED) \$$?; }" \
	  "sanitizer build||$(MAKE) --no-print-directory sanitize-build SETUP=:" \
	  "sanitizer tests|sanitizer build|cd $(SANITIZE_BUILD) && { ctest --output-on-failure -j $(JOBS) -L sanitize; $(SKIPPED) \$$?; }"

# The core and Calculate command suites under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of every fuzz target (label "sanitize").
sanitize-build:
	@$(SETUP) run test
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
	  -DQUORVANE_SANITIZE=ON -DQUORVANE_FUZZ=ON -DQUORVANE_BENCH=OFF -DQUORVANE_WERROR=$(WERROR) \
	  -DQUORVANE_NATIVE_CLI=$(abspath $(BUILD))/bin/quorvane-cli $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target quorvane_sanitized

test-sanitized: sanitize-build
	cd $(SANITIZE_BUILD) && { ctest --output-on-failure -j $(JOBS) -L sanitize; $(SKIPPED) $$?; }

# Runs each fuzz target for FUZZ_SECONDS on its seed corpus; new inputs go to
# $(SANITIZE_BUILD)/fuzz/corpus/<target>, failing inputs to $(SANITIZE_BUILD)/fuzz/artifacts.
fuzz: sanitize-build
	@for t in $(FUZZ_TARGETS); do \
	  name=$${t#fuzz_}; \
	  echo "== $$t for $(FUZZ_SECONDS) s"; \
	  mkdir -p $(SANITIZE_BUILD)/fuzz/corpus/$$name $(SANITIZE_BUILD)/fuzz/artifacts; \
	  $(SANITIZE_BUILD)/bin/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
	    -artifact_prefix=$(SANITIZE_BUILD)/fuzz/artifacts/$$name- \
	    $(SANITIZE_BUILD)/fuzz/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

bench: SETUP_LISTS = run test
bench: BENCH = ON
bench: build
	$(BUILD)/bin/quorvane_bench

# The Debian package quorvane_<version>_<arch>.deb, written into $(BUILD)/: builds only what it
# packs (the two programs, the manual page and the changelog), not the tests and benchmarks.
package: SETUP_LISTS = run package
package: configure
	cmake --build $(BUILD) -j $(JOBS) --target quorvane-installed
	cd $(BUILD) && cpack -G DEB

# The Windows programs in $(WINDOWS_BUILD)/bin, beside their lvl-xp.txt. The Windows tests of
# `make test` (ctest -L windows) build this tree themselves, configured alike (-Werror too, so that
# going between the two rebuilds nothing), and run it under Wine.
windows:
	@$(SETUP) windows
	cmake --no-warn-unused-cli -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF -DQUORVANE_WIN32_GUI=ON \
	  -DQUORVANE_WERROR=$(WERROR)
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# quorvane-<version>-setup.exe (NSIS) and quorvane-<version>-windows-x64.zip in $(WINDOWS_BUILD)/.
package-windows: windows
	cmake --build $(WINDOWS_BUILD) --target package-windows

# The browser edition in $(WEB_BUILD), with the web list alone (the tests' browser is the web-test
# list's). The web tests of `make test` (ctest -L web) build this tree themselves, once, and run
# its programs under node and its page in chromium.
web:
	@$(SETUP) web
	emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF \
	  -DQUORVANE_WERROR=$(WERROR)
	cmake --build $(WEB_BUILD) -j $(JOBS)

# Serves the page on this machine only, until interrupted.
serve-web: web
	@test -d $(WEB_BUILD)/site || { echo "$(WEB_BUILD)/site was not built" >&2; exit 1; }
	@echo "The page is at http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops serving it)"
	python3 -m http.server --bind 127.0.0.1 --directory $(WEB_BUILD)/site $(WEB_PORT)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(WINDOWS_BUILD) $(WEB_BUILD) $(RELEASE_BUILD) $(REPRO_BUILD)

# Releases. `make release` makes every download of this commit, and their SHA256SUMS, in
# $(DIST)/quorvane-<version>/: the Debian package, the Windows installer and portable zip, the
# browser edition's folder as a zip, and the source (scripts/release.sh says how). It builds from
# the commit's own source archive in $(RELEASE_BUILD)/, emptied first, with the lists those builds
# need. `make check-reproducible` makes two releases from two clones in $(REPRO_BUILD)/ and
# compares them byte for byte; as root, REPRO_USER=name makes the second as that user.
RELEASE_BUILD ?= build-release
DIST ?= dist
REPRO_BUILD ?= build-reproducible
REPRO_USER ?=

.PHONY: release check-reproducible

release:
	@./scripts/setup.sh run package windows web
	./scripts/release.sh --jobs $(JOBS) $(RELEASE_BUILD) $(DIST)

check-reproducible:
	@./scripts/setup.sh run package windows web
	./scripts/check-reproducible.sh $(REPRO_BUILD) $(REPRO_USER)
