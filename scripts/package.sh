#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package of a build tree: BUILD/buscarpunto_<version>_<arch>.deb.
# Usage: package.sh [BUILD]; BUILD (build unless given) must be built already.
set -eu

construccion=${1:-build}
sh "$(dirname "$0")/deps.sh" package

# Only the package of this version is left, so that test-package never picks an older one.
rm -f "$construccion"/buscarpunto_*.deb
cpack --config "$construccion/CPackConfig.cmake" -B "$construccion" >"$construccion/cpack.log" 2>&1 || {
  cat "$construccion/cpack.log" >&2
  exit 1
}
rm -rf "$construccion/_CPack_Packages"

for paquete in "$construccion"/buscarpunto_*.deb; do
  [ -f "$paquete" ] || { echo "package.sh: cpack made no package" >&2; exit 1; }
  echo "$paquete"
  dpkg-deb -f "$paquete"
done
