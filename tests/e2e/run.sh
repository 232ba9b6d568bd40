#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The journeys through the real program on a private X server (Xvfb) with a window manager
# (openbox) and an accessibility bus, driven from outside: xdotool types and clicks, AT-SPI reads
# what is on screen. Usage: run.sh BUILD. Screenshots and logs go to BUILD/e2e-artifacts/.
set -eu

[ $# -eq 1 ] || { echo "usage: $0 BUILD" >&2; exit 64; }
RAIZ=$(cd "$(dirname "$0")/../.." && pwd)
cd "$RAIZ"
sh scripts/deps.sh e2e

BUILD=$(cd "$1" && pwd)
for f in app/buscarpunto cli/buscarpunto-cli; do
  [ -x "$BUILD/$f" ] || {
    INFORMADO=1
    echo "e2e: $BUILD/$f is missing: run make build first" >&2
    exit 1
  }
done
ARTEFACTOS="$BUILD/e2e-artifacts"
rm -rf "$ARTEFACTOS"
mkdir -p "$ARTEFACTOS"

TEMPORAL=$(mktemp -d)
XVFB=""
OPENBOX=""
# shellcheck disable=SC2317 # run by the trap
terminar() {
  estado=$?
  # A step that failed under `set -e` says nothing of its own.
  [ "$estado" -eq 0 ] || [ -n "${INFORMADO:-}" ] ||
    echo "e2e: FAILED while setting up (status $estado); logs in ${ARTEFACTOS:-?}" >&2
  [ -z "$OPENBOX" ] || kill "$OPENBOX" 2>/dev/null || true
  [ -z "$XVFB" ] || kill "$XVFB" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$TEMPORAL"
}
trap terminar EXIT
trap 'exit 130' INT TERM HUP

# Polls `$@` every 0.1 s for at most $PLAZO seconds.
esperar() {
  que=$1
  shift
  i=0
  until "$@"; do
    i=$((i + 1))
    if [ "$i" -gt $((PLAZO * 10)) ]; then
      INFORMADO=1
      echo "e2e: gave up after ${PLAZO} s waiting for $que" >&2
      exit 1
    fi
    sleep 0.1
  done
}
PLAZO=15

# Xvfb chooses a free display and writes its number once it takes clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$TEMPORAL/pantalla" \
  >"$ARTEFACTOS/xvfb.log" 2>&1 &
XVFB=$!
esperar "Xvfb to start" test -s "$TEMPORAL/pantalla"
DISPLAY=:$(head -n 1 "$TEMPORAL/pantalla")
export DISPLAY

# The stock openbox setup (Alt+F4 closes), not whatever the user has configured.
mkdir -p "$TEMPORAL/openbox" "$TEMPORAL/runtime"
chmod 700 "$TEMPORAL/runtime"
XDG_CONFIG_HOME="$TEMPORAL/openbox" openbox --sm-disable >"$ARTEFACTOS/openbox.log" 2>&1 &
OPENBOX=$!
# shellcheck disable=SC2317 # run by esperar
wm_listo() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
esperar "openbox to manage the screen" wm_listo

export XDG_RUNTIME_DIR="$TEMPORAL/runtime" LC_ALL=C.UTF-8 PYTHONDONTWRITEBYTECODE=1
unset QT_QPA_PLATFORM WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
estado=0
timeout 150 dbus-run-session -- /usr/bin/python3 tests/e2e/recorridos.py "$BUILD" "$ARTEFACTOS" \
  2>"$ARTEFACTOS/sesion.log" || estado=$?
if [ "$estado" -eq 124 ]; then
  echo "e2e: the journeys did not finish within 150 s (see $ARTEFACTOS)" >&2
fi
INFORMADO=1
if [ "$estado" -ne 0 ]; then
  tail -n 20 "$ARTEFACTOS/sesion.log" >&2
  echo "e2e: FAILED (status $estado)" >&2
fi
exit "$estado"
