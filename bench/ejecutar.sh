#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Every benchmark against its floor, on a private X server: the engine, one search through the
# window, and the start-up to the window mapped. Usage: ejecutar.sh BUILD.
set -eu

construccion=${1:-build}
raiz=$(cd "$(dirname "$0")/.." && pwd)
command -v Xvfb >/dev/null 2>&1 || sh "$raiz/scripts/deps.sh" e2e

trabajo=$(mktemp -d)
xvfb=""
terminar() {
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$trabajo"
}
trap terminar EXIT
trap 'exit 130' INT TERM HUP

# No window manager: the program's own map request is what maps its window.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$trabajo/pantalla" \
  >"$trabajo/xvfb.log" 2>&1 &
xvfb=$!
i=0
while [ ! -s "$trabajo/pantalla" ]; do
  i=$((i + 1))
  if [ "$i" -gt 100 ]; then
    cat "$trabajo/xvfb.log" >&2
    echo "bench: Xvfb did not start" >&2
    exit 1
  fi
  sleep 0.1
done
DISPLAY=:$(head -n 1 "$trabajo/pantalla")
export DISPLAY

"$construccion/bench/buscarpunto-bench"
echo
"$construccion/bench/buscarpunto-bench-lista-vigente"
echo
QT_QPA_PLATFORM=xcb "$construccion/bench/buscarpunto-bench-ventana"
echo
"$construccion/bench/buscarpunto-bench-arranque" "$construccion/app/buscarpunto" \
  "$construccion/bench/ventana-minima"
# The name popup over a real world nodelist (2.8 MB, 3 January 1997), which the tree does not hold.
echo
if [ -n "${LISTA_MUNDIAL:-}" ]; then
  "$construccion/bench/buscarpunto-bench-popup" "$LISTA_MUNDIAL" 2>/dev/null
else
  echo "buscarpunto-bench-popup: skipped; LISTA_MUNDIAL=<a world nodelist> make bench runs it"
fi
