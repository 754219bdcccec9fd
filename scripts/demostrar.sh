#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds, makes the demo collection and starts the
# program on it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/instalar-dependencias.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
if [ ! -f demo/boletin.mdb ]; then
    build/tools/crear_coleccion --destino demo
fi
# The program reads its catalogue from its own folder.
cp demo/boletin.mdb build/app/boletin.mdb
exec build/app/boletin --unidad demo/completo "$@"
