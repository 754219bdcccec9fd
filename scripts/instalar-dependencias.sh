#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, running and testing boletin needs (Debian 12).
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
paquetes=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-pdf-dev qt6-svg-dev qt6-translations-l10n libqt6svg6 qt6-qpa-plugins
    libsqlite3-dev sqlite3 mdbtools-dev libicu-dev
    xvfb xauth fonts-dejavu-core adwaita-icon-theme
    clang libclang-rt-14-dev
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
