#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets in build-fuzz and runs each for SECONDS (60 unless given), two at a
# time. Prints the executions per target; any crash, leak, timeout or memory blow-up fails the
# run, and its input is copied to tests/data/fuzz/regresion/<target>/ for the regression tests.
# Usage: fuzz.sh [SECONDS]
set -eu

SEGUNDOS="${1:-60}"
case "$SEGUNDOS" in
  '' | *[!0-9]*) echo "fuzz.sh: SECONDS must be a whole number, not '$SEGUNDOS'" >&2; exit 64 ;;
esac

RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
CARPETA="$RAIZ/build-fuzz"
DATOS="$RAIZ/tests/data/fuzz"
OBJETIVOS="lector direccion conversion nodelist pointlist archivo nodediff flags"
inicio=$(date +%s)

sh "$RAIZ/scripts/deps.sh" fuzz

mkdir -p "$CARPETA"
cmake -S "$RAIZ" -B "$CARPETA" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DBUSCARPUNTO_FUZZ=ON -DBUSCARPUNTO_QT=OFF -DBUILD_TESTING=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  >"$CARPETA/configure.log" 2>&1 || {
  cat "$CARPETA/configure.log" >&2
  exit 1
}
cmake --build "$CARPETA" --target fuzz_todos -j "$(nproc 2>/dev/null || echo 2)"

# Longer inputs than these add nothing a shorter one cannot reach; the reader's reaches well past
# the 128-byte blocks and the longest line of the regression inputs.
largo_maximo() {
  case "$1" in
    lector | archivo) echo 16384 ;;
    direccion | flags) echo 1024 ;;
    conversion) echo 512 ;;
    *) echo 8192 ;;
  esac
}

ejecutar() {
  objetivo="$1"
  corpus="$CARPETA/corpus/$objetivo"
  hallazgos="$CARPETA/hallazgos/$objetivo"
  mkdir -p "$corpus" "$hallazgos" "$DATOS/regresion/$objetivo"
  estado=0
  # The first folder takes what the run learns; the committed inputs are only read. A damaged
  # archive header can make libarchive ask for an impossible amount of memory: outside ASan that
  # malloc fails and the search reports the archive's error, so let it fail here too, not abort.
  # Memory really used stops the run at 2 GB; one request may be larger, since libarchive asks
  # for 88 bytes per declared 7-Zip member (up to 100 million) before it reads any of them.
  ASAN_OPTIONS="allocator_may_return_null=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
    "$CARPETA/fuzz/fuzz_$objetivo" \
    -max_total_time="$SEGUNDOS" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=10240 \
    -max_len="$(largo_maximo "$objetivo")" -print_final_stats=1 \
    -dict="$RAIZ/fuzz/$objetivo.dict" -artifact_prefix="$hallazgos/" \
    "$corpus" "$DATOS/$objetivo" "$DATOS/regresion/$objetivo" \
    >"$CARPETA/logs/$objetivo.log" 2>&1 || estado=$?
  echo "$estado" >"$CARPETA/logs/$objetivo.rc"
}

rm -rf "$CARPETA/logs" "$CARPETA/hallazgos"
mkdir -p "$CARPETA/logs"
echo "Fuzzing each target for $SEGUNDOS s, two at a time: $OBJETIVOS"
set -- $OBJETIVOS
while [ $# -gt 0 ]; do
  ejecutar "$1" &
  primero=$!
  segundo=""
  if [ $# -gt 1 ]; then
    ejecutar "$2" &
    segundo=$!
  fi
  wait "$primero"
  [ -z "$segundo" ] || wait "$segundo"
  shift
  [ $# -eq 0 ] || shift
done

fallos=0
for objetivo in $OBJETIVOS; do
  registro="$CARPETA/logs/$objetivo.log"
  ejecuciones=$(sed -n 's/^stat::number_of_executed_units: *//p' "$registro" | tail -n 1)
  estado=$(cat "$CARPETA/logs/$objetivo.rc")
  hallados=$(find "$CARPETA/hallazgos/$objetivo" -type f \( -name 'crash-*' -o -name 'leak-*' \
    -o -name 'timeout-*' -o -name 'oom-*' \) | sort)
  if [ "$estado" -eq 0 ] && [ -z "$hallados" ]; then
    printf '%-11s %12s executions, no findings\n' "$objetivo" "${ejecuciones:-?}"
    continue
  fi
  fallos=$((fallos + 1))
  printf '%-11s %12s executions, FAILED (exit %s), log: %s\n' "$objetivo" "${ejecuciones:-?}" \
    "$estado" "$registro"
  grep -m 1 -E 'rule broken|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error' \
    "$registro" | sed 's/^/    /' || true
  for archivo in $hallados; do
    echo "    finding: $archivo"
    # An input that is kept already failed again at start-up: keep no second copy of it.
    ya=""
    for guardado in "$DATOS/regresion/$objetivo"/*; do
      if [ -f "$guardado" ] && cmp -s "$archivo" "$guardado"; then ya="$guardado"; fi
    done
    if [ -n "$ya" ]; then
      echo "    already kept as: $ya"
    else
      cp "$archivo" "$DATOS/regresion/$objetivo/"
      echo "    kept as: $DATOS/regresion/$objetivo/$(basename "$archivo")"
    fi
  done
done

echo "Fuzzing took $(($(date +%s) - inicio)) s in all."
if [ "$fallos" -gt 0 ]; then
  echo "fuzz.sh: $fallos target(s) found a fault" >&2
  exit 1
fi
