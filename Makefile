# The two commands of the README (run, check), and the others that build on the same set-up.
BUILD     ?= build
SAN_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS      ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all setup build run check check-sanitize bench fuzz data clean

all: build

setup:
	@tools/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/zibrin

check: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer. The data files are
# taken from the normal build, so the data tools are not run instrumented.
check-sanitize: build
	@cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZIBRIN_SANITIZE=ON \
	    -DZIBRIN_DATA_FROM=$(abspath $(BUILD)) $(CMAKE_ARGS) >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@cd $(SAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# Rewrites the committed tables and facts file from the pinned sources.
data: build
	@cmake --build $(BUILD) --target regenerate-data

# Every fuzz target for FUZZ_SECONDS each, built with clang and libFuzzer.
fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DZIBRIN_FUZZ=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@tools/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	@cmake --build $(BUILD) --target bench-run

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
