#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package of BUILD with apt, so that Debian has to resolve every dependency it
# names, checks what it put under /usr, starts the window on a private X server, and removes the
# package again. Runs as often as wanted on the same machine.
# Usage: test-package.sh [BUILD]; `make test-package` makes the package first.
set -eu

construccion=${1:-build}
raiz=$(cd "$(dirname "$0")/.." && pwd)
inicio=$(date +%s)

if [ "$(id -u)" -ne 0 ]; then
  echo "test-package: SKIPPED: installing a package takes root, and this runs as uid $(id -u)"
  exit 0
fi
sh "$raiz/scripts/deps.sh" package e2e

set -- "$construccion"/buscarpunto_*.deb
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "test-package: expected one $construccion/buscarpunto_*.deb; run make package" >&2
  exit 1
fi
paquete=$1

fallos=0
falla() {
  echo "FAIL: $*" >&2
  fallos=$((fallos + 1))
}

trabajo=$(mktemp -d)
xvfb=""
programa=""
export DEBIAN_FRONTEND=noninteractive
instalados() {
  dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | sed -n 's/^ii  *//p' | LC_ALL=C sort
}
instalados >"$trabajo/antes"
# Left as found: what the install added goes again, buscarpunto and any dependency it pulled in;
# a buscarpunto that was there before stays, now this build's.
quitar_nuevos() {
  instalados | LC_ALL=C comm -13 "$trabajo/antes" - >"$trabajo/nuevos"
  [ -s "$trabajo/nuevos" ] || return 0
  echo "removing what the test installed: $(paste -sd ' ' "$trabajo/nuevos")"
  # shellcheck disable=SC2046
  apt-get remove -y -qq $(cat "$trabajo/nuevos") >"$trabajo/remove.log" 2>&1 || {
    cat "$trabajo/remove.log" >&2
    return 1
  }
}
terminar() {
  [ -z "$programa" ] || kill -KILL "$programa" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  quitar_nuevos || true
  rm -rf "$trabajo"
}
trap terminar EXIT
trap 'exit 130' INT TERM HUP
if grep -qx buscarpunto "$trabajo/antes"; then
  echo "test-package: note: buscarpunto was installed before; it is replaced and kept installed"
fi

# The dependencies dpkg-shlibdeps worked out, the fonts the windows are laid out for and Qt's
# Spanish texts.
dependencias=$(dpkg-deb -f "$paquete" Depends)
echo "Depends: $dependencias"
for d in libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 libc6 fonts-dejavu-core \
  fonts-dejavu-extra qt6-translations-l10n; do
  echo "$dependencias" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -qx "$d" ||
    falla "Depends lacks $d"
done

# What Debian's own checker says of the package: no error and no warning.
if ! lintian --fail-on error,warning "$paquete" >"$trabajo/lintian.log" 2>&1; then
  falla "lintian: $(grep -v '^N: ' "$trabajo/lintian.log")"
fi

# apt reads a local package as its own unprivileged user: a copy in a folder that user may enter.
chmod 755 "$trabajo"
cp "$paquete" "$trabajo/"
chmod 644 "$trabajo/$(basename "$paquete")"
instalar() {
  apt-get install -y -qq --reinstall "$trabajo/$(basename "$paquete")" >"$trabajo/install.log" 2>&1
}
if ! instalar; then
  # A machine whose package lists were never fetched cannot resolve the dependencies yet.
  if ! { apt-get update -qq && instalar; }; then
    cat "$trabajo/install.log" >&2
    echo "FAIL: apt-get install of $paquete failed" >&2
    exit 1
  fi
fi
version=$(dpkg-query -W -f='${Version}' buscarpunto)
[ "$version" = "$(dpkg-deb -f "$paquete" Version)" ] || falla "installed version is $version"
echo "installed buscarpunto $version"

# dpkg owns exactly the listed files, each under /usr.
dpkg -L buscarpunto | while read -r f; do [ -d "$f" ] || echo "$f"; done | LC_ALL=C sort \
  >"$trabajo/propios"
sed 's#^#/usr/#' "$raiz/tests/instalacion/archivos.txt" | LC_ALL=C sort >"$trabajo/esperados"
cmp -s "$trabajo/esperados" "$trabajo/propios" || {
  falla "the package owns other files than tests/instalacion/archivos.txt"
  diff "$trabajo/esperados" "$trabajo/propios" >&2 || true
}
if command -v man >/dev/null 2>&1; then
  for pagina in buscarpunto buscarpunto-cli; do
    [ "$(man -w "$pagina" 2>/dev/null)" = "/usr/share/man/man1/$pagina.1.gz" ] ||
      falla "man does not find the $pagina page"
  done
fi
sh "$raiz/tests/instalacion/comprobar.sh" /usr "$raiz/samples" || falla "checks under /usr"

# The window on a private X server, found from outside by its title once it is viewable.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$trabajo/pantalla" \
  >"$trabajo/xvfb.log" 2>&1 &
xvfb=$!
i=0
while [ ! -s "$trabajo/pantalla" ] && [ "$i" -lt 100 ]; do
  sleep 0.1
  i=$((i + 1))
done
if [ -s "$trabajo/pantalla" ]; then
  DISPLAY=:$(head -n 1 "$trabajo/pantalla")
  export DISPLAY
  mkdir -p "$trabajo/config"
  XDG_CONFIG_HOME=$trabajo/config /usr/bin/buscarpunto >"$trabajo/ventana.log" 2>&1 &
  programa=$!
  ventana=$(timeout 20 xdotool search --sync --onlyvisible --name '^Buscar Punto' 2>/dev/null |
    head -n 1) || true
  if [ -n "$ventana" ] && xwininfo -id "$ventana" | grep -q 'Map State: IsViewable'; then
    echo "window \"$(xdotool getwindowname "$ventana")\" is viewable on $DISPLAY"
  else
    falla "no viewable \"Buscar Punto\" window within 20 s: $(cat "$trabajo/ventana.log")"
  fi
  kill -TERM "$programa" 2>/dev/null || true
  codigo=0
  wait "$programa" || codigo=$?
  programa=""
  [ "$codigo" -eq 0 ] || falla "/usr/bin/buscarpunto exited with $codigo after SIGTERM"
else
  falla "Xvfb did not start: $(cat "$trabajo/xvfb.log")"
fi

quitar_nuevos || falla "apt-get remove failed"
if ! grep -qx buscarpunto "$trabajo/antes"; then
  for f in /usr/bin/buscarpunto /usr/bin/buscarpunto-cli; do
    [ ! -e "$f" ] || falla "$f is still there after apt-get remove"
  done
fi
instalados | cmp -s "$trabajo/antes" - || falla "the installed packages differ from before the test"

if [ "$fallos" -gt 0 ]; then
  echo "test-package: $fallos check(s) failed" >&2
  exit 1
fi
echo "test-package: passed in $(($(date +%s) - inicio)) s"
