#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole test suite, windows included, in a Debug build with ASan, UBSan and LeakSanitizer;
# any leak, bad access or undefined behaviour fails the run.
# Usage: check-leaks.sh [build-folder] [jobs]
set -eu
BUILD=${1:-build-asan}
JOBS=${2:-2}

sh scripts/deps.sh build
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DBUSCARPUNTO_SANITIZE=ON \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build "$BUILD" -j "$JOBS"

# An impossible allocation (libarchive reading a damaged header) fails as it does without ASan.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:strict_string_checks=1:check_initialization_order=1:allocator_may_return_null=1"
export LSAN_OPTIONS="report_objects=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS"
