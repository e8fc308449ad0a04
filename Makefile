# Quillon: `make run` builds and starts the program on the welcome example,
# `make test` installs what is missing, builds and runs every test headless.

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
BUILD_BENCH ?= build-release
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
LAUNCHER   := $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: deps configure build run test test-fast bench fuzz format clean

deps:
	@bash scripts/deps.sh

configure:
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: deps build
	@bash scripts/run.sh $(BUILD)

test: deps
	@bash scripts/test.sh

# Only the main build's tests, without the sanitizer pass.
test-fast: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release $(LAUNCHER) >/dev/null
	@cmake --build $(BUILD_BENCH) -j $(JOBS)
	@bash scripts/bench.sh $(BUILD_BENCH)

fuzz: deps
	@CC=clang-14 CXX=clang++-14 cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLON_FUZZ=ON -DQUILLON_BENCH=OFF $(LAUNCHER) >/dev/null
	@cmake --build $(BUILD_FUZZ) -j $(JOBS) --target quillon_fuzzers
	@bash scripts/fuzz.sh $(BUILD_FUZZ) $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ) $(BUILD_BENCH)
