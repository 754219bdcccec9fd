#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (clang, build-fuzz/) and runs one of them for a
# while on a copy of its seed corpus. New inputs, crashes and the log stay in
# build-fuzz/fuzz-trabajo/; the committed corpus is only read. Installs nothing.
#
#   scripts/fuzz.sh OBJETIVO SEGUNDOS [more libFuzzer options]
#   scripts/fuzz.sh fuzz_catalogo 600
# The Jet reader alone, in the fuzzer's process so that its coverage guides the
# fuzzer; libmdb's crashes, hangs and leaks (harmless in the real child, which
# exits at once) are saved and the run goes on:
#   BOLETIN_FUZZ_EN_PROCESO=1 ASAN_OPTIONS=detect_leaks=0 scripts/fuzz.sh fuzz_catalogo 600 \
#       -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 -timeout=5
set -euo pipefail

uso="uso: scripts/fuzz.sh fuzz_catalogo|fuzz_acentos|fuzz_sentencias SEGUNDOS [opciones]"
objetivo=${1:?$uso}
segundos=${2:?$uso}
shift 2
case $objetivo in
fuzz_catalogo | fuzz_acentos | fuzz_sentencias) ;;
*) echo "$uso" >&2; exit 2 ;;
esac
[[ $segundos =~ ^[0-9]+$ ]] || { echo "$uso" >&2; exit 2; }

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=$raiz/build-fuzz
if ! grep -qs '^BOLETIN_FUZZ:BOOL=ON' "$build/CMakeCache.txt"; then
    CC=clang CXX=clang++ cmake -S "$raiz" -B "$build" -G Ninja -DBOLETIN_FUZZ=ON -DBOLETIN_TESTS=ON
fi
cmake --build "$build" -j2 --target "$objetivo"

trabajo=$build/fuzz-trabajo/$objetivo/$(date +%Y%m%d-%H%M%S)
mkdir -p "$trabajo/corpus" "$trabajo/artefactos"
cp -R "$raiz/tests/fuzz/corpus/$objetivo/." "$trabajo/corpus/"
# fuzz_catalogo: inputs on which the Jet reading process crashed, hung or met a
# sanitizer go here, and the run goes on.
export BOLETIN_FUZZ_HIJO_DIR=$trabajo/hijo

diccionario=()
if [[ -f $raiz/tests/fuzz/$objetivo.dict ]]; then
    diccionario=(-dict="$raiz/tests/fuzz/$objetivo.dict")
fi

echo "$objetivo: $segundos s; registro en $trabajo/registro.txt"
estado=0
# One process, one core: the machine is shared.
"$build/tests/fuzz/$objetivo" -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$trabajo/artefactos/" "${diccionario[@]}" "$@" \
    "$trabajo/corpus" \
    >"$trabajo/registro.txt" 2>&1 || estado=$?

# libFuzzer's closing lines: the last status line, its statistics, any report.
grep -E '^#[0-9]+[[:space:]]+(DONE|pulse|NEW|REDUCE|RELOAD|INITED)|^#[0-9]+: cov' "$trabajo/registro.txt" | tail -n 1 || true
grep -E '^stat::|^Done |^fuzz_catalogo: |^INFO: exiting|ERROR: |^\*\*\* |SUMMARY: |Test unit written' \
    "$trabajo/registro.txt" || true
ls "$trabajo/artefactos" | sed "s|^|artefacto: $trabajo/artefactos/|"
if [[ -d $trabajo/hijo ]]; then
    ls "$trabajo/hijo" | sed "s|^|lector Jet: $trabajo/hijo/|"
fi
echo "entradas nuevas: $(($(ls "$trabajo/corpus" | wc -l) - $(ls "$raiz/tests/fuzz/corpus/$objetivo" | wc -l)))"
exit "$estado"
