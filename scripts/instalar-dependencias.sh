#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, running and testing boletin needs (Debian 12 or 13).
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
# Where the names differ: the sanitizer and fuzzer runtimes of each release's clang.
. /etc/os-release
case "${ID:-}-${VERSION_ID:-}" in
    debian-12) clang_rt=libclang-rt-14-dev ;;
    debian-13) clang_rt=libclang-rt-19-dev ;;
    ubuntu-24.04) clang_rt=libclang-rt-18-dev ;; # the same Qt as Debian 12; not tried here
    *) echo "Este programa instala lo que necesita en Debian 12 o 13 (o Ubuntu 24.04), no en ${PRETTY_NAME:-este sistema}." >&2; exit 1 ;;
esac
paquetes=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-pdf-dev qt6-svg-dev qt6-translations-l10n libqt6svg6 qt6-qpa-plugins
    libsqlite3-dev sqlite3 mdbtools-dev libicu-dev libpoppler-qt6-dev
    xvfb xauth fonts-dejavu-core adwaita-icon-theme
    clang "$clang_rt"
    xdotool desktop-file-utils appstream librsvg2-bin
    dpkg-dev lintian man-db
)
faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi
