#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages a task needs, only those missing.
# Usage: deps.sh [group...]; groups: build (the default), fuzz, e2e, package.
set -eu

paquetes() {
  case "$1" in
    build) echo "cmake make g++ pkg-config libgtest-dev qt6-base-dev nlohmann-json3-dev libcli11-dev libarchive-dev liblzma-dev fonts-dejavu-core fonts-dejavu-extra libxcb1-dev qt6-translations-l10n" ;;
    fuzz) echo "clang libclang-rt-14-dev" ;;
    e2e) echo "xvfb openbox xdotool x11-utils dbus at-spi2-core python3 python3-pyatspi imagemagick adwaita-qt6" ;;
    package) echo "dpkg-dev file desktop-file-utils lintian appstream" ;;
    *) echo "deps.sh: unknown group '$1'" >&2; exit 64 ;;
  esac
}

[ $# -eq 0 ] && set -- build
PACKAGES=""
for g in "$@"; do PACKAGES="$PACKAGES $(paquetes "$g")"; done

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  SUDO="sudo"
elif command -v sudo >/dev/null 2>&1; then
  SUDO="sudo"
  echo "sudo will ask for your password."
else
  echo "error: these Debian packages are missing and I cannot install them (not root, no sudo):" >&2
  echo "  $missing" >&2
  echo "Install them as root: apt-get install$missing" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
