# The two commands of the README: `make run` and `make test`. Both install what is missing first.
NATIVE_DIR := build/native
BENCH_DIR := build/bench
WINDOWS_DIR := build/windows
FUZZ_DIR := build/fuzz
CLI_DIR := build/cli
PREFIX ?= $(HOME)/.local
FUZZ_SECONDS ?= 600
JOBS ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: all deps native windows program bench cli install uninstall dist fuzz fuzzers run test test-format test-native test-fuzz test-windows test-tools clean

all: native windows

deps:
	@scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=Debug -DHUEWRIGHT_BENCHMARKS=OFF >/dev/null
	@cmake --build $(NATIVE_DIR) -j $(JOBS)

windows: deps
	@cmake -S . -B $(WINDOWS_DIR) -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WINDOWS_DIR) -j $(JOBS)

bench: deps
	@cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DHUEWRIGHT_SANITIZE=OFF >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS) --target core_bench
	@$(BENCH_DIR)/core_bench

# huewright-cli, natively: build/cli/huewright-cli, installed into PREFIX/bin by `make install`.
cli: deps
	@cmake -S . -B $(CLI_DIR) -DCMAKE_BUILD_TYPE=Release -DHUEWRIGHT_SANITIZE=OFF -DHUEWRIGHT_BENCHMARKS=OFF \
		-DHUEWRIGHT_TESTS=OFF >/dev/null
	@cmake --build $(CLI_DIR) -j $(JOBS) --target huewright-cli

# Only the two programs of the Windows build, without its tests.
program: deps
	@cmake -S . -B $(WINDOWS_DIR) -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WINDOWS_DIR) -j $(JOBS) --target huewright huewright-cli

# huewright-cli, and Huewright under Wine with its launcher, desktop entry and icons.
install: cli program
	@cmake --install $(CLI_DIR) --prefix $(PREFIX)
	@scripts/desktop-install.sh install $(PREFIX) $(WINDOWS_DIR)/huewright.exe

# Keeps the user's palettes, settings and Wine prefix.
uninstall:
	@scripts/desktop-install.sh uninstall $(PREFIX)

# The Windows release: dist/Huewright-VERSION-win64.zip, dist/Huewright-VERSION-setup.exe, dist/SHA256SUMS.
dist: program
	@scripts/make-dist.sh $(WINDOWS_DIR) dist

# The libFuzzer targets, built with clang in a folder of their own.
fuzzers: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHUEWRIGHT_FUZZ=ON \
		-DHUEWRIGHT_SANITIZE=OFF -DHUEWRIGHT_BENCHMARKS=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers

fuzz: fuzzers
	@scripts/fuzz.sh $(FUZZ_SECONDS) $(FUZZ_DIR)

run: windows
	@scripts/run.sh $(WINDOWS_DIR)/huewright.exe

test-native: native
	@cd $(NATIVE_DIR) && ctest --output-on-failure -j $(JOBS)

test-fuzz: fuzzers
	@scripts/fuzz.sh 5 $(FUZZ_DIR)

test-windows: windows
	@scripts/with-display.sh $(abspath $(WINDOWS_DIR))/wineprefix \
		sh -c 'cd $(WINDOWS_DIR) && ctest --output-on-failure -j1'

# The tokens and Tailwind exports read by Terrazzo, Style Dictionary, Tailwind's CLI and Chromium,
# and tokens of others imported (npm packages pinned by tests/tools/package-lock.json).
test-tools: native
	@tests/tools/tool-checks.sh $(NATIVE_DIR)/huewright-cli

# The sources must read as clang-format (Debian's) writes them.
test-format: deps
	@scripts/check-format.sh

test: test-format test-native test-fuzz test-windows test-tools

# The whole Windows suite at 144 and 192 DPI, in the display scaling test's prefix; kept out of
# `make test` for its time.
.PHONY: test-dpi
test-dpi: windows
	@scripts/test-dpi.sh $(WINDOWS_DIR)/dpi-prefix $(WINDOWS_DIR)/win_tests.exe 144 192

# The long-session soak of the main dialog, a few minutes, kept out of `make test`.
.PHONY: soak
soak: windows
	@scripts/with-display.sh $(abspath $(WINDOWS_DIR))/wineprefix \
		scripts/wine-exec.sh $(abspath $(WINDOWS_DIR))/wineprefix $(WINDOWS_DIR)/win_tests.exe \
		--gtest_filter="SoakTest.*" --gtest_also_run_disabled_tests

# CPU per drag move in the color field, with and without the palette checker open; DPI=144 (or any
# other) measures on a screen of that DPI, in a prefix of its own.
DPI ?= 96
DRAG_PREFIX = $(abspath $(WINDOWS_DIR))/$(if $(filter 96,$(DPI)),wineprefix,dpi-prefix)
.PHONY: measure-drag
measure-drag: windows
	@[ "$(DPI)" = 96 ] || scripts/dpi-prefix.sh $(DRAG_PREFIX) $(DPI)
	@DPI=$(DPI) scripts/with-display.sh $(DRAG_PREFIX) scripts/measure-drag.sh $(WINDOWS_DIR)/huewright.exe

# Start-up time, memory and idle CPU against a bare dialog, with no library and with 100,000 palettes.
.PHONY: measure-startup
measure-startup: windows
	@cmake --build $(WINDOWS_DIR) --target bare_dialog >/dev/null
	@scripts/with-display.sh $(abspath $(WINDOWS_DIR))/wineprefix scripts/measure-startup.sh \
		$(WINDOWS_DIR)/huewright.exe $(WINDOWS_DIR)/bare_dialog.exe

# huewright-cli's check and JSON export of 100,000 palettes, timed from outside against cat.
.PHONY: measure-cli
measure-cli: cli
	@scripts/measure-cli.sh $(CLI_DIR)/huewright-cli

# Plants one fault at a time in the lines changed since BASE (default: the merge base with main), or
# in every line of FILES, and lists the faults no native test catches; BUDGET seconds (600).
.PHONY: mutate
mutate: deps
	@scripts/mutate.py $(if $(BASE),--base $(BASE)) $(if $(FILES),--files $(FILES)) $(if $(BUDGET),--budget $(BUDGET))

# Kills the saving program at random moments, a few minutes, kept out of `make test`.
.PHONY: test-killed-saves
test-killed-saves: windows
	@scripts/with-display.sh $(abspath $(WINDOWS_DIR))/wineprefix scripts/test-killed-saves.sh $(WINDOWS_DIR)

# Huewright's library code under Wine and the native huewright-cli on one library at once, 200
# rounds, a few minutes: kept out of `make test`.
.PHONY: test-cross-program
test-cross-program: windows cli
	@scripts/with-display.sh $(abspath $(WINDOWS_DIR))/wineprefix \
		tests/cross/cross-program-test.sh $(WINDOWS_DIR) $(CLI_DIR)/huewright-cli

# Every state a crash can leave the library in, for every operation, in the optimised build: the states
# explored and the violations per operation. `make test` runs a bounded part of it.
.PHONY: crash-explore
crash-explore: deps
	@cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DHUEWRIGHT_SANITIZE=OFF >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS) --target crash_explorer
	@HUEWRIGHT_CRASH_EXPLORE=all $(BENCH_DIR)/crash_explorer --gtest_brief=1

clean:
	rm -rf build
