#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# One search through a ZIP of a nodelist against the same search on the unpacked file, as whole
# buscarpunto-cli processes (median of RUNS each, interleaved). The list is given by hand: a
# large real one shows the cost of unpacking, e.g. a world nodelist of about 3 MB and its last node.
# Usage: archivo.sh BUILD NODELIST ADDRESS [RUNS]
set -eu

[ $# -ge 3 ] || { echo "usage: archivo.sh BUILD NODELIST ADDRESS [RUNS]" >&2; exit 64; }
cli="$1/cli/buscarpunto-cli"
lista="$2"
direccion="$3"
corridas="${4:-21}"
command -v zip >/dev/null 2>&1 || { echo "archivo.sh: needs zip" >&2; exit 1; }

trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
nombre=$(basename "$lista")
cp "$lista" "$trabajo/$nombre"
(cd "$trabajo" && zip -q -X -9 lista.zip "$nombre")
printf 'Boss,%s\r\n,1,Bench,Nowhere,Nobody,-Unpublished-,300\r\n' "${direccion%%.*}" >"$trabajo/puntos"

# Both answers must be the same, but for the file names.
plano=$("$cli" --nodelist "$trabajo/$nombre" --pointlist "$trabajo/puntos" "$direccion")
empaquetado=$("$cli" --nodelist "$trabajo/lista.zip" --pointlist "$trabajo/puntos" "$direccion")
[ "$plano" = "$empaquetado" ] || { echo "archivo.sh: the answers differ" >&2; exit 1; }

ms() {
  inicio=$(date +%s%N)
  "$cli" --nodelist "$1" --pointlist "$trabajo/puntos" "$direccion" >/dev/null
  echo $((($(date +%s%N) - inicio) / 1000))
}
: >"$trabajo/plano.txt"
: >"$trabajo/zip.txt"
i=0
while [ "$i" -lt "$corridas" ]; do
  ms "$trabajo/$nombre" >>"$trabajo/plano.txt"
  ms "$trabajo/lista.zip" >>"$trabajo/zip.txt"
  i=$((i + 1))
done
mediana() { sort -n "$1" | awk '{v[NR]=$1} END {print v[int(NR/2)+1]}'; }
plano_us=$(mediana "$trabajo/plano.txt")
zip_us=$(mediana "$trabajo/zip.txt")
echo "archivo.sh: $direccion in $nombre ($(wc -c <"$trabajo/$nombre") bytes, ZIP $(wc -c <"$trabajo/lista.zip") bytes), median of $corridas processes"
echo "$plano" | sed -n '3,5p' | sed 's/^/  /'
awk -v p="$plano_us" -v z="$zip_us" 'BEGIN {
  printf "unpacked %8.2f ms\nZIP      %8.2f ms\nratio    %8.2fx (goal <= 2x: %s)\n",
    p / 1000, z / 1000, z / p, (z <= 2 * p) ? "met" : "NOT met" }'
