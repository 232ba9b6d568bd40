# SPDX-License-Identifier: GPL-3.0-or-later
# Thin wrapper around CMake; the README lists the targets.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CLI        := $(BUILD)/cli/buscarpunto-cli
PROGRAMA   := $(BUILD)/app/buscarpunto

.PHONY: all deps configure build test check test-asan check-leaks tsan fuzz e2e package test-package \
	run run-cli bench format clean

all: build

deps:
	@sh scripts/deps.sh

# Warnings stop our own builds only; CMakeLists.txt leaves them warnings for packagers. A build
# folder configured by an older Makefile is configured again.
$(BUILD)/CMakeCache.txt: Makefile
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# What a developer runs: every CTest suite and the real-window journeys. It installs nothing but
# the build and test dependencies.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory e2e

# What CI runs: make test, then the sanitizer build with leak checking, fuzzing, and the package
# installed system-wide and removed again.
check: test
	$(MAKE) --no-print-directory check-leaks
	$(MAKE) --no-print-directory tsan
	$(MAKE) --no-print-directory fuzz
	$(MAKE) --no-print-directory test-package

# The whole suite again in a Debug build with ASan, UBSan and LeakSanitizer; any finding fails.
check-leaks:
	@sh scripts/check-leaks.sh $(ASAN_BUILD) $(JOBS)

test-asan: check-leaks

# The engine's tests that run threads, built with ThreadSanitizer (no Qt); any report fails.
TSAN_BUILD ?= build-tsan
tsan:
	@sh scripts/tsan.sh $(TSAN_BUILD) $(JOBS)

# Each fuzz target for FUZZ_SECONDS (60 unless given) on its corpus; any finding fails.
FUZZ_SECONDS ?= 60
fuzz:
	@sh scripts/fuzz.sh $(FUZZ_SECONDS)

# The installed-looking program on Xvfb with a window manager, driven from outside.
e2e: build
	@sh tests/e2e/run.sh $(BUILD)

# A Debian package of the program, and a test that it installs and starts.
package: build
	@sh scripts/package.sh $(BUILD)

test-package: package
	@sh scripts/test-package.sh $(BUILD)

# Without a display the program says so in one line (how to use Xvfb or the CLI) and make stops
# there quietly.
run: build
	@$(PROGRAMA) || [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]

# The command-line lookup on the sample lists.
run-cli: build
	$(CLI) --nodelist samples/NODELIST.345 --pointlist samples/POINTS.345 2:5020/52.10 1:261/1.3

bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	@sh bench/ejecutar.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) build-fuzz
