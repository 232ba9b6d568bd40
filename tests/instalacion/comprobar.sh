#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks an installed copy of the program under PREFIX: each file in place, the manual page and the
# desktop entry valid, both programs running from there. Shared by the install test (a temporary
# prefix) and the package test (/usr).
# Usage: comprobar.sh PREFIX SAMPLES_DIR; archivos.txt beside it lists the files, prefix-relative.
set -eu

prefijo=$1
muestras=$2
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT

fallos=0
falla() {
  echo "FAIL: $*" >&2
  fallos=$((fallos + 1))
}

esperados=$(cat "$(dirname "$0")/archivos.txt")
for f in $esperados; do
  [ -f "$prefijo/$f" ] || falla "$prefijo/$f is missing"
done
for f in bin/buscarpunto bin/buscarpunto-cli; do
  [ -x "$prefijo/$f" ] || falla "$prefijo/$f is not executable"
  # An install must not lean on the build tree.
  if readelf -d "$prefijo/$f" 2>/dev/null | grep -Eq 'R(UN)?PATH'; then
    falla "$prefijo/$f keeps a run path: $(readelf -d "$prefijo/$f" | grep -E 'R(UN)?PATH')"
  fi
  if ldd "$prefijo/$f" | grep -q 'not found'; then
    falla "$prefijo/$f has unresolved libraries: $(ldd "$prefijo/$f" | grep 'not found')"
  fi
done
for f in NODELIST.345 POINTS.345 README.txt; do
  cmp -s "$muestras/$f" "$prefijo/share/doc/buscarpunto/examples/$f" ||
    falla "examples/$f differs from samples/$f"
done

# Manual pages: gzip files that groff sets without one warning, with a NAME line whatis can read.
for nombre in buscarpunto buscarpunto-cli; do
  pagina=$prefijo/share/man/man1/$nombre.1.gz
  if ! gzip -t "$pagina" 2>/dev/null; then
    falla "$pagina is not a valid gzip file"
    continue
  fi
  gzip -dc "$pagina" >"$trabajo/pagina.1"
  if command -v groff >/dev/null 2>&1; then
    groff -k -ww -z -man "$trabajo/pagina.1" 2>"$trabajo/groff.err" ||
      falla "groff failed on $nombre.1"
    [ -s "$trabajo/groff.err" ] && falla "groff warns on $nombre.1: $(cat "$trabajo/groff.err")"
  else
    echo "note: groff is not installed, the manual page $nombre.1 was not typeset"
  fi
  if command -v lexgrog >/dev/null 2>&1; then
    lexgrog "$pagina" | grep -q "$nombre - " ||
      falla "whatis cannot read the NAME section of $nombre.1"
  fi
done

# Debian's copyright in the machine-readable format, and a changelog whose newest entry is the
# release the AppStream metadata names first.
documentos=$prefijo/share/doc/buscarpunto
head -n 1 "$documentos/copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  falla "copyright is not in the machine-readable format"
grep -q '/usr/share/common-licenses/GPL-3' "$documentos/copyright" ||
  falla "copyright does not refer to /usr/share/common-licenses/GPL-3"
metadatos=$prefijo/$(grep '^share/metainfo/' "$(dirname "$0")/archivos.txt")
cambios=$(gzip -dc "$documentos/changelog.gz" | sed -n '1s/^buscarpunto (\([^)]*\)) .*/\1/p')
lanzamiento=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metadatos" | head -n 1)
{ [ -n "$cambios" ] && [ "$cambios" = "$lanzamiento" ]; } ||
  falla "changelog's newest version '$cambios' is not the metadata's release '$lanzamiento'"

# AppStream metadata, checked with the desktop entry its launchable names, as a software centre
# reads them.
lanzador=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metadatos")
entrada=$prefijo/share/applications/$lanzador
[ -f "$entrada" ] || falla "the launchable $lanzador is not an installed desktop entry"
if command -v appstreamcli >/dev/null 2>&1; then
  mkdir -p "$trabajo/arbol/share/metainfo" "$trabajo/arbol/share/applications"
  cp "$metadatos" "$trabajo/arbol/share/metainfo/"
  cp "$entrada" "$trabajo/arbol/share/applications/" 2>/dev/null || true
  appstreamcli validate-tree --no-net "$trabajo/arbol" >"$trabajo/appstream.out" 2>&1 ||
    falla "appstreamcli validate-tree: $(cat "$trabajo/appstream.out")"
else
  echo "note: appstreamcli is not installed, the AppStream metadata was not validated"
fi

# Desktop entry: valid, and naming the installed program and icon.
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$entrada" >"$trabajo/desktop.out" 2>&1 || true
  [ -s "$trabajo/desktop.out" ] && falla "desktop-file-validate: $(cat "$trabajo/desktop.out")"
else
  echo "note: desktop-file-validate is not installed, the desktop entry was not validated"
fi
programa=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entrada")
icono=$(sed -n 's/^Icon=//p' "$entrada")
[ -x "$prefijo/bin/$programa" ] || falla "Exec=$programa is not an installed program"
[ -f "$prefijo/share/icons/hicolor/scalable/apps/$icono.svg" ] || falla "Icon=$icono has no icon"
grep -q '<svg' "$prefijo/share/icons/hicolor/scalable/apps/buscarpunto.svg" ||
  falla "the icon is not an SVG image"

# The command-line lookup: help, a lookup on the installed examples, and the stored paths.
cli=$prefijo/bin/buscarpunto-cli
if "$cli" --help >"$trabajo/ayuda" 2>&1; then
  grep -q '^Uso: buscarpunto-cli' "$trabajo/ayuda" || falla "--help has no usage line"
else
  falla "buscarpunto-cli --help exited with $?"
fi

cat >"$trabajo/esperado" <<'FIN'
Dirección de Punto: 2:5020/52.10
Datos del nodo:
BBS: Arbat Hub
Sysop: Mikhail Popov
Ciudad: Moscow Russia
Datos del punto:
Nombre: Alexei Fedorov
Nick: Cozy Tosser
Ciudad: Moscow Russia
Teléfono: 7-495-555-5210
FIN
ejemplos=$prefijo/share/doc/buscarpunto/examples
codigo=0
"$cli" --nodelist "$ejemplos/NODELIST.345" --pointlist "$ejemplos/POINTS.345" 2:5020/52.10 \
  >"$trabajo/salida" 2>"$trabajo/errores" || codigo=$?
[ "$codigo" -eq 0 ] || falla "lookup exited with $codigo: $(cat "$trabajo/errores")"
cmp -s "$trabajo/esperado" "$trabajo/salida" ||
  falla "lookup of 2:5020/52.10 printed: $(cat "$trabajo/salida")"

mkdir -p "$trabajo/config/Tervanik"
printf '[General]\nNodeList=%s\nPointList=%s\n' "$ejemplos/NODELIST.345" "$ejemplos/POINTS.345" \
  >"$trabajo/config/Tervanik/NodeList.conf"
codigo=0
XDG_CONFIG_HOME=$trabajo/config "$cli" 2:5020/52.10 >"$trabajo/salida" 2>&1 || codigo=$?
if ! { [ "$codigo" -eq 0 ] && cmp -s "$trabajo/esperado" "$trabajo/salida"; }; then
  falla "lookup through the stored paths exited with $codigo: $(cat "$trabajo/salida")"
fi

codigo=0
XDG_CONFIG_HOME=$trabajo/vacia "$cli" 2:5020/52.10 >"$trabajo/salida" 2>&1 || codigo=$?
[ "$codigo" -eq 1 ] || falla "lookup with no stored paths exited with $codigo, not 1"

# The window program without a display: it makes its settings file at start, then a SIGTERM ends
# it in order (status 0).
XDG_CONFIG_HOME=$trabajo/ventana QT_QPA_PLATFORM=offscreen "$prefijo/bin/buscarpunto" \
  >"$trabajo/ventana.log" 2>&1 &
pid=$!
espera=0
while [ ! -f "$trabajo/ventana/Tervanik/NodeList.conf" ] && [ "$espera" -lt 200 ] &&
  kill -0 "$pid" 2>/dev/null; do
  sleep 0.1
  espera=$((espera + 1))
done
if [ -f "$trabajo/ventana/Tervanik/NodeList.conf" ]; then
  kill -TERM "$pid"
  codigo=0
  wait "$pid" || codigo=$?
  [ "$codigo" -eq 0 ] || falla "buscarpunto exited with $codigo after SIGTERM"
else
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  falla "buscarpunto made no settings file within 20 s: $(cat "$trabajo/ventana.log")"
fi

if [ "$fallos" -gt 0 ]; then
  echo "$fallos check(s) failed under $prefijo" >&2
  exit 1
fi
echo "installed files under $prefijo: all checks passed"
