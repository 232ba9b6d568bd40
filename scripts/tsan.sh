#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The engine's tests that run threads (every GoogleTest name holding "Hilo": the kept diff chain
# read by two threads, the name search on a worker, the configuration window's reading) under
# ThreadSanitizer, in a build of the engine alone (no Qt: Debian's Qt is not built with TSan, so
# its own thread hand-over cannot be checked and is not run). Any report fails the run.
# Usage: tsan.sh [build-folder] [jobs]
set -eu
BUILD=${1:-build-tsan}
JOBS=${2:-2}

sh scripts/deps.sh build
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUSCARPUNTO_QT=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$BUILD" -j "$JOBS"

# gcc 12's TSan cannot place its shadow memory beside a fully randomised address space (kernels
# with 32 bits of mmap randomness): without randomisation it always can.
SIN_AZAR=""
if setarch "$(uname -m)" -R true 2>/dev/null; then SIN_AZAR="setarch $(uname -m) -R"; fi
export TSAN_OPTIONS="halt_on_error=1:exitcode=66:second_deadlock_stack=1"
$SIN_AZAR ctest --test-dir "$BUILD" -L engine -R Hilo --no-tests=error --output-on-failure -j "$JOBS"
