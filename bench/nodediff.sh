#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# One search through last week's list and this week's NODEDIFF against the same search on this
# week's whole list, as whole buscarpunto-cli processes (median of RUNS each, interleaved); then
# the same through chains of 1, 5 and 10 diffs made here against the chain's last list.
# The lists are the real pair of tests/data/nodediff unless given: NODELIST.362 (CR LF),
# NODEDIFF.003 and NODELIST.003 of a world nodelist, whose last node is 6:760/101.
# Usage: nodediff.sh BUILD [NODELIST.362 NODEDIFF.003 NODELIST.003] [RUNS]
set -eu

[ $# -ge 1 ] || { echo "usage: nodediff.sh BUILD [NODELIST.362 NODEDIFF.003 NODELIST.003] [RUNS]" >&2; exit 64; }
raiz=$(cd "$(dirname "$0")/.." && pwd)
cli="$1/cli/buscarpunto-cli"
hacer="$1/bench/buscarpunto-bench-hacer-diffs"
shift
direccion="6:760/101.1"
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
mkdir "$trabajo/par" "$trabajo/nueva"
if [ $# -ge 3 ]; then
  cp "$1" "$trabajo/par/NODELIST.362"
  cp "$2" "$trabajo/par/NODEDIFF.003"
  cp "$3" "$trabajo/nueva/NODELIST.003"
  shift 3
else
  datos="$raiz/tests/data/nodediff"
  command -v bzip2 >/dev/null 2>&1 || { echo "nodediff.sh: needs bzip2" >&2; exit 1; }
  bzip2 -dc "$datos/nodelist.362.bz2" >"$trabajo/par/NODELIST.362"
  cp "$datos/NODEDIFF.003" "$trabajo/par/NODEDIFF.003"
  bzip2 -dc "$datos/nodelist.003.bz2" >"$trabajo/nueva/NODELIST.003"
fi
corridas="${1:-21}"
printf 'Boss,%s\r\n,1,Bench,Nowhere,Nobody,-Unpublished-,300\r\n' "${direccion%%.*}" >"$trabajo/puntos"

buscar() { "$cli" --nodelist "$1" --pointlist "$trabajo/puntos" "$direccion"; }

# Both answers must be the same, and no diff may be refused.
igual() {
  a=$(buscar "$1" 2>"$trabajo/errores")
  [ ! -s "$trabajo/errores" ] || { cat "$trabajo/errores" >&2; exit 1; }
  b=$(buscar "$2")
  [ "$a" = "$b" ] || { echo "nodediff.sh: the answers through $1 and $2 differ" >&2; exit 1; }
}

ms() {
  inicio=$(date +%s%N)
  buscar "$1" >/dev/null 2>&1
  echo $((($(date +%s%N) - inicio) / 1000))
}

mediana() { sort -n "$1" | awk '{v[NR]=$1} END {print v[int(NR/2)+1]}'; }

# medir NAME CHAIN PLAIN: the medians of both, interleaved, as "chain_us plain_us".
medir() {
  : >"$trabajo/a.txt"
  : >"$trabajo/b.txt"
  i=0
  while [ "$i" -lt "$corridas" ]; do
    ms "$1" >>"$trabajo/a.txt"
    ms "$2" >>"$trabajo/b.txt"
    i=$((i + 1))
  done
  echo "$(mediana "$trabajo/a.txt") $(mediana "$trabajo/b.txt")"
}

informe() {
  awk -v n="$1" -v c="$2" -v p="$3" -v meta="$4" 'BEGIN {
    printf "%-28s %8.2f ms   whole list %8.2f ms   ratio %5.2fx (goal <= %dx: %s)\n",
      n, c / 1000, p / 1000, c / p, meta, (c <= meta * p) ? "met" : "NOT met" }'
}

igual "$trabajo/par/NODELIST" "$trabajo/nueva/NODELIST.003"
echo "nodediff.sh: $direccion, median of $corridas processes each"
set -- $(medir "$trabajo/par/NODELIST" "$trabajo/nueva/NODELIST.003")
informe "NODELIST.362+NODEDIFF.003" "$1" "$2" 2

for largo in 1 5 10; do
  cadena="$trabajo/cadena$largo"
  mkdir -p "$cadena/plana"
  cp "$trabajo/nueva/NODELIST.003" "$cadena/NODELIST.003"
  "$hacer" "$cadena/NODELIST.003" "$cadena" "$largo"
  mv "$cadena"/NODELIST.0[1-9]? "$cadena/plana/"
  igual "$cadena/NODELIST" "$(ls "$cadena"/plana/NODELIST.*)"
  set -- $(medir "$cadena/NODELIST" "$(ls "$cadena"/plana/NODELIST.*)")
  informe "NODELIST.003+$largo made diffs" "$1" "$2" 4
done
