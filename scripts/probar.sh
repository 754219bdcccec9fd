#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds and runs every test: once as shipped, once under
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, and the fuzz
# targets over their corpora.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/instalar-dependencias.sh
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
(cd build && ctest --output-on-failure)

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBOLETIN_SANITIZE=ON
cmake --build build-asan
# Full stacks, so that leaks kept by system libraries can be told apart by name.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:fast_unwind_on_malloc=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
# The packaging tests install and start the program; they say nothing about memory.
(cd build-asan && ctest --output-on-failure -E '^instalacion_')


# The fuzz targets (clang's libFuzzer) over their committed corpora and saved
# findings: a regression test, deterministic. Fuzzing itself is scripts/fuzz.sh.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBOLETIN_FUZZ=ON
cmake --build build-fuzz --target fuzz_catalogo fuzz_acentos fuzz_sentencias
(cd build-fuzz && ctest --output-on-failure -L fuzz -E '_smoke$')
