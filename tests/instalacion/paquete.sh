#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the .deb from a build tree and has Debian's own checker look at it:
# no error and no warning. The informational and pedantic tags are printed.
#
#   paquete.sh CONSTRUCCION CPACK
set -euo pipefail

construccion=$1
cpack=$2

if ! command -v lintian >/dev/null; then
    echo "SKIP: falta lintian"
    exit 77
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fallar() {
    echo "FALLO: $*" >&2
    exit 1
}

"$cpack" -G DEB --config "$construccion/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 \
    || { cat "$tmp/cpack.log"; fallar "cpack -G DEB"; }
paquetes=("$tmp"/boletin_*.deb)
[ ${#paquetes[@]} -eq 1 ] && [ -f "${paquetes[0]}" ] || fallar "cpack no escribió un boletin_*.deb"

# The version names the release it was built for, and the changelog's top entry
# is that version.
version=$(dpkg-deb -f "${paquetes[0]}" Version)
. /etc/os-release
if [ "${ID:-}" = debian ]; then
    [ "$version" = "${version%~deb*}~deb$VERSION_ID" ] || fallar "la versión $version no es de Debian $VERSION_ID"
fi
entrada=$(dpkg-deb --fsys-tarfile "${paquetes[0]}" \
    | tar -xO ./usr/share/doc/boletin/changelog.Debian.gz | gzip -dc | head -n1)
[[ $entrada == "boletin ($version) "* ]] || fallar "el changelog empieza por «$entrada», no por $version"

# A tag's line, or lintian itself failing, fails the test.
estado=0
lintian --pedantic -I --tag-display-limit 0 --fail-on error,warning "${paquetes[0]}" \
    >"$tmp/lintian.log" 2>&1 || estado=$?
cat "$tmp/lintian.log"
[ "$estado" -eq 0 ] || fallar "lintian terminó con $estado"
! grep -E '^[EW]: ' "$tmp/lintian.log" >/dev/null || fallar "lintian informa de errores o avisos"
echo "lintian: ni errores ni avisos en $(basename "${paquetes[0]}")"
