# The two commands of the README: `make run` and `make test`. Both install what is missing first.
NATIVE_DIR := build/native
BENCH_DIR := build/bench
WINDOWS_DIR := build/windows
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 600
JOBS ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: all deps native windows bench fuzz fuzzers run test test-native test-fuzz test-windows clean

all: native windows

deps:
	@scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=Debug -DHUEWRIGHT_BENCHMARKS=ON >/dev/null
	@cmake --build $(NATIVE_DIR) -j $(JOBS)

windows: deps
	@cmake -S . -B $(WINDOWS_DIR) -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WINDOWS_DIR) -j $(JOBS)

bench: deps
	@cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DHUEWRIGHT_SANITIZE=OFF >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS) --target core_bench
	@$(BENCH_DIR)/core_bench

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
	@cd $(NATIVE_DIR) && ctest --output-on-failure

test-fuzz: fuzzers
	@scripts/fuzz.sh 5 $(FUZZ_DIR)

test-windows: windows
	@scripts/with-display.sh $(abspath $(WINDOWS_DIR))/wineprefix \
		sh -c 'cd $(WINDOWS_DIR) && ctest --output-on-failure -j1'

test: test-native test-fuzz test-windows

clean:
	rm -rf build
