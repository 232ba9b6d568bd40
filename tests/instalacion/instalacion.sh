#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build tree into a fresh temporary prefix and checks what lands there.
# Usage: instalacion.sh CMAKE BUILD_DIR SAMPLES_DIR
set -eu

cmake=$1
construccion=$2
muestras=$3
aqui=$(dirname "$0")
raiz=$(mktemp -d)
trap 'rm -rf "$raiz"' EXIT
prefijo=$raiz/prefijo

if ! "$cmake" --install "$construccion" --prefix "$prefijo" >"$raiz/install.log" 2>&1; then
  cat "$raiz/install.log" >&2
  echo "FAIL: cmake --install failed" >&2
  exit 1
fi

# Nothing beyond the listed files: no library, header or test program of the build.
(cd "$prefijo" && find . -type f -o -type l) | sed 's#^\./##' | LC_ALL=C sort >"$raiz/instalados"
LC_ALL=C sort "$aqui/archivos.txt" >"$raiz/esperados"
if ! cmp -s "$raiz/esperados" "$raiz/instalados"; then
  echo "FAIL: the install holds other files than tests/instalacion/archivos.txt" >&2
  diff "$raiz/esperados" "$raiz/instalados" >&2 || true
  exit 1
fi

sh "$aqui/comprobar.sh" "$prefijo" "$muestras"
