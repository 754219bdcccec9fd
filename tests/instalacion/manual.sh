#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders a manual page as lintian does: any word from man or groff fails.
#
#   manual.sh PAGINA
set -eu
if ! command -v man >/dev/null; then
    echo "SKIP: falta man"
    exit 77
fi
estado=0
avisos=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
         man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null) || estado=$?
if [ "$estado" -ne 0 ] || [ -n "$avisos" ]; then
    printf '%s\n' "$avisos"
    echo "FALLO: man terminó con $estado al dar formato a $1" >&2
    exit 1
fi
echo "$1: sin avisos"
