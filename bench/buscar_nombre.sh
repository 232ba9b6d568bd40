#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A name search against `grep -ci` of the same text over the same list, as whole processes: RUNS
# rounds, each timing ten runs of one and then ten of the other (so the clock's own cost is
# spread thin), and the median of the rounds. Usage:
#   buscar_nombre.sh CLI NODELIST [TEXT] [RUNS]
# e.g. buscar_nombre.sh build/cli/buscarpunto-cli ~/fido/nodelist.362 "vince coen" 50
set -eu

cli=$1
lista=$2
texto=${3:-vince coen}
veces=${4:-50}
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
# An empty pointlist with a time stamp a DOS date can hold: only the nodelist is searched.
: >"$trabajo/puntos"
touch -d 2020-01-01 "$trabajo/puntos"

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
  milisegundos grep -ci "$texto" "$lista" >>"$trabajo/grep"
  milisegundos "$cli" --nodelist "$lista" --pointlist "$trabajo/puntos" --buscar "$texto" \
    >>"$trabajo/cli"
  i=$((i + 1))
done

mediana() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
g=$(mediana "$trabajo/grep")
c=$(mediana "$trabajo/cli")
echo "grep -ci: $g ms  buscarpunto-cli --buscar: $c ms  (median of $veces rounds of 10)" |
  awk -v g="$g" -v c="$c" '{ printf "%s  ratio %.2f\n", $0, c / g }'
