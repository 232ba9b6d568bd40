#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# An address search by buscarpunto-cli on generated 6 MB + 6 MB lists (the last node's last point,
# then an address in no list) against a program that only reads the same two files in 128-byte
# requests, all as whole processes. Each of RUNS rounds times ten runs of each of the three in
# turn; the ratios are of the medians. Goals: the search within 1.3x of the floor, the miss within
# 1.5x. Usage: direccion.sh BUILD [RUNS] [BYTES]   (BUILD: a Release build with the benchmarks)
set -eu

construccion=${1:-build-rel}
veces=${2:-30}
bytes=${3:-6000000}
cli="$construccion/cli/buscarpunto-cli"
apoyo="$construccion/bench/buscarpunto-bench-direccion"
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT

direccion=$("$apoyo" generar "$trabajo" "$bytes")
nodos="$trabajo/nodelist"
puntos="$trabajo/pointlist"
"$cli" --nodelist "$nodos" --pointlist "$puntos" "$direccion" | grep -q '?' && {
  echo "direccion.sh: $direccion was not found whole" >&2
  exit 1
}

# Milliseconds a run of the command takes, out of ten runs in a row.
milisegundos() {
  inicio=$(date +%s%N)
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    "$@" >/dev/null 2>&1 || true
  done
  fin=$(date +%s%N)
  echo $(((fin - inicio) / 10000)) | awk '{ printf "%.3f\n", $1 / 1000 }'
}

i=0
while [ "$i" -lt "$veces" ]; do
  milisegundos "$apoyo" leer "$nodos" "$puntos" >>"$trabajo/suelo"
  milisegundos "$cli" --nodelist "$nodos" --pointlist "$puntos" "$direccion" >>"$trabajo/busqueda"
  milisegundos "$cli" --nodelist "$nodos" --pointlist "$puntos" 9:9999/9999.9999 >>"$trabajo/fallo"
  i=$((i + 1))
done

mediana() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
s=$(mediana "$trabajo/suelo")
b=$(mediana "$trabajo/busqueda")
f=$(mediana "$trabajo/fallo")
echo "$(wc -c <"$nodos") + $(wc -c <"$puntos") bytes, $direccion; median of $veces rounds of 10:"
awk -v s="$s" -v b="$b" -v f="$f" 'BEGIN {
  printf "128-byte reads: %s ms  search: %s ms (ratio %.2f, goal 1.3)  miss: %s ms (ratio %.2f, goal 1.5)\n", s, b, b / s, f, f / s }'
