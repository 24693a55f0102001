# `make run` and `make test` do all set-up on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
# The package lists that `make setup` installs (scripts/debian-packages-LIST.txt), and whether
# the build folder is configured with the benchmarks. `make run` takes only the run list and
# leaves the benchmarks out; every other target takes both lists and builds everything.
SETUP_LISTS = run test
BENCH = ON
# The sanitizer and fuzzing build (the Qt-free code, the windows and the program), with clang.
SANITIZE_BUILD ?= build-sanitize
# Seconds each fuzz target runs for in `make fuzz`.
FUZZ_SECONDS ?= 300
FUZZ_TARGETS = fuzz_level_table fuzz_field_number fuzz_calculate
# The Windows build, cross-compiled with MinGW-w64: quorvane-cli.exe (and the window program once
# its Win32 back-end is there), the installer and the portable zip.
WINDOWS_BUILD ?= build-windows

.PHONY: all setup configure build run test bench package clean sanitize-build test-sanitized fuzz \
	windows package-windows

all: build

setup:
	@./scripts/setup.sh $(SETUP_LISTS)

configure: setup
	cmake -S . -B $(BUILD) -DQUORVANE_BENCH=$(BENCH) -DQUORVANE_WINDOWS_BUILD_DIR=$(abspath $(WINDOWS_BUILD)) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Builds only the program.
run: SETUP_LISTS = run
run: BENCH = OFF
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target quorvane
	@./scripts/run.sh $(BUILD)/bin/quorvane

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-sanitized

# The core and Calculate command suites under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of every fuzz target (label "sanitize").
sanitize-build: setup
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_CXX_COMPILER=clang++ \
	  -DQUORVANE_SANITIZE=ON -DQUORVANE_FUZZ=ON -DQUORVANE_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target quorvane_sanitized

test-sanitized: sanitize-build
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS) -L sanitize

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

bench: build
	$(BUILD)/bin/quorvane_bench

# The Debian package quorvane_<version>_<arch>.deb, written into $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

# The Windows programs in $(WINDOWS_BUILD)/bin, beside their lvl-xp.txt. The Windows tests of
# `make test` (ctest -L windows) build this tree themselves and run it under Wine.
windows: setup
	cmake --no-warn-unused-cli -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DQUORVANE_GUI=OFF -DQUORVANE_BENCH=OFF -DQUORVANE_WIN32_GUI=ON
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# quorvane-<version>-setup.exe (NSIS) and quorvane-<version>-windows-x64.zip in $(WINDOWS_BUILD)/.
package-windows: windows
	cmake --build $(WINDOWS_BUILD) --target package-windows

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(WINDOWS_BUILD)
