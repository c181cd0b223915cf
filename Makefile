# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README (run, check), and the others that build on the same set-up.
BUILD     ?= build
SAN_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS      ?= $(shell nproc)
CMAKE_ARGS ?=
PREFIX    ?= /usr/local
DESTDIR   ?=

.PHONY: all setup build run check check-sanitize memcheck bench fuzz data install package clean

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

# The widget-free suites under Valgrind's memcheck: any memory error or definite or indirect leak
# fails. PCRE2's JIT code is off, as memcheck cannot follow what it generates.
MEMCHECK_SUITES = tests/tables/tst_tables tests/search/search_strokecode tests/search/search_pinyinkey \
    tests/services/services_urlencode tests/services/services_addresses \
    tests/lookup/lookup_caretrules tests/lookup/lookup_recordstore tests/lookup/lookup_strokepicture \
    tests/sheets/sheets_layout
memcheck: build
	@set -e; for suite in $(MEMCHECK_SUITES); do \
	    echo "memcheck: $$suite"; \
	    (cd $(BUILD)/$$(dirname $$suite) && QT_ENABLE_REGEXP_JIT=0 valgrind --tool=memcheck --quiet \
	        --leak-check=full --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect \
	        --error-exitcode=1 ./$$(basename $$suite) -silent); \
	done

# The program into $(DESTDIR)$(PREFIX): lib/zibrin with its data and pages, bin/zibrin, the menu
# entry, icons and AppStream metadata.
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The .deb of the program, built by CPack in $(BUILD).
package: build
	@cmake --build $(BUILD) --target package

# Rewrites the committed tables and facts file from the pinned sources.
data: build
	@cmake --build $(BUILD) --target regenerate-data regenerate-card-check

# Every fuzz target for FUZZ_SECONDS each, built with clang and libFuzzer.
fuzz:
	@tools/setup.sh --fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DZIBRIN_FUZZ=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@tools/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	@cmake --build $(BUILD) --target bench-run

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
