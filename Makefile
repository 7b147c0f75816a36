# SPDX-License-Identifier: GPL-3.0-or-later

# Quillmere: `make run` to start the app, `make test` to run every test.
# Both install what is missing first (Debian 12, apt).

BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

# Subsystems whose tests also run under ThreadSanitizer: those with threads.
TSAN_LABELS := workflow recognition translation platform

.PHONY: all deps configure build run test test-plain test-asan test-tsan fuzz faults bench package clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/quillmere

# Every test, then the unit tests again under AddressSanitizer with
# UndefinedBehaviorSanitizer, and the threaded subsystems' under ThreadSanitizer.
test: test-plain test-asan test-tsan

test-plain: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B build-asan -G Ninja -DQUILLMERE_SANITIZE=address,undefined
	cmake --build build-asan -j $(JOBS) --target tests-unit
	cd build-asan && ctest --output-on-failure -j $(JOBS) -L unit

test-tsan: deps
	cmake -S . -B build-tsan -G Ninja -DQUILLMERE_SANITIZE=thread
	cmake --build build-tsan -j $(JOBS) --target $(addprefix tests-,$(TSAN_LABELS))
	cd build-tsan && ctest --output-on-failure -j $(JOBS) -L '^($(subst $() ,|,$(TSAN_LABELS)))$$'

# Each fuzz target for a short while, with clang's libFuzzer.
fuzz: deps
	fuzz/run build-fuzz

# Each deliberate break of tools/faults/faults.list against the tests named for it.
faults: deps
	tools/faults/run

bench: build
	bench/run $(BUILD_DIR)

# The Debian package, in $(BUILD_DIR)/quillmere_VERSION_ARCH.deb.
package: build
	cmake --build $(BUILD_DIR) --target package

clean:
	rm -rf $(BUILD_DIR) build-asan build-tsan build-fuzz build-faults
