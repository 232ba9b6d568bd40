# Thin wrapper around CMake; the README lists the targets.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CLI        := $(BUILD)/cli/buscarpunto-cli
PROGRAMA   := $(BUILD)/app/buscarpunto

.PHONY: all deps configure build test test-asan run run-cli bench format clean

all: build

deps:
	@sh scripts/deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-asan

# Everything again under ASan and UBSan, in a Debug build of its own.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DBUSCARPUNTO_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# Without a display the program says so in one line (how to use Xvfb or the CLI) and make stops
# there quietly.
run: build
	@$(PROGRAMA) || [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]

# The command-line lookup on the sample lists.
run-cli: build
	$(CLI) --nodelist samples/NODELIST.345 --pointlist samples/POINTS.345 2:5020/52.10 1:261/1.3

bench: build
	$(BUILD)/bench/buscarpunto-bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
