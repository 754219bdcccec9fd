#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The tests on Debian 13 from a Debian machine, as root or with sudo: in a
# Debian 13 chroot kept between runs (BOLETIN_CHROOT, by default
# /var/cache/boletin/debian13), installs what is needed with the project's own
# script, builds, runs every test, makes the .deb, has that release's lintian and
# appstreamcli check it, installs it and starts the installed program.
set -euo pipefail
cd "$(dirname "$0")/.."

# --- Inside the chroot (the checkout at /work/src) ------------------------------
dentro() {
    local construccion=${BOLETIN_CONSTRUCCION:-/work/construcciones/local}
    rm -rf /work/build # the one build folder of earlier runs
    apt-get update -qq
    # A run stopped during apt left packages half-configured.
    dpkg --configure -a
    apt-get -y -qq -o Dpkg::Options::=--force-confold upgrade
    /work/src/scripts/instalar-dependencias.sh

    export QT_QPA_PLATFORM=offscreen
    cmake -S /work/src -B "$construccion" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    nice cmake --build "$construccion"
    # The failures are counted at the end, so that the package is checked as well.
    fallos=()
    (cd "$construccion" && ctest --output-on-failure) | tee /work/ctest.log || fallos+=(ctest)
    # The same bar as on Debian 12, where nothing is skipped.
    if grep -E '\*\*\*Skipped|Not Run' /work/ctest.log; then fallos+=("pruebas saltadas"); fi

    rm -rf /work/paquete
    (cd "$construccion" && cpack -G DEB -B /work/paquete >/work/cpack.log) \
        || { cat /work/cpack.log; exit 1; }
    deb=$(echo /work/paquete/boletin_*.deb)
    [ -f "$deb" ] || { echo "cpack no escribió un boletin_*.deb"; exit 1; }
    echo "== $(basename "$deb")"
    dpkg-deb -f "$deb" Version Depends Recommends
    echo "== lintian $(dpkg-query -W -f='${Version}' lintian)"
    lintian --pedantic -I --tag-display-limit 0 --fail-on error,warning "$deb" || fallos+=(lintian)
    rm -rf /work/contenido && dpkg-deb -x "$deb" /work/contenido
    echo "== appstreamcli $(dpkg-query -W -f='${Version}' appstream)"
    appstreamcli validate --no-net --pedantic /work/contenido/usr/share/metainfo/*.metainfo.xml \
        || fallos+=(appstreamcli)

    # The package as a user gets it, started on the demo collection, whose
    # default catalogue is the one the package carries.
    apt-get install -y -qq "$deb" >/work/instalar.log || { cat /work/instalar.log; exit 1; }
    tmp=$(mktemp -d)
    "$construccion"/tools/crear_coleccion --destino "$tmp/demo" >/dev/null
    cmp -s "$tmp/demo/boletin.mdb" /usr/lib/boletin/boletin.mdb \
        || fallos+=("catálogo del paquete distinto del de la colección de demostración")
    XDG_CONFIG_HOME=$tmp boletin --unidad "$tmp/demo/completo" >"$tmp/boletin.log" 2>&1 &
    pid=$!
    ini=$tmp/boletin/boletin.ini
    for _ in $(seq 100); do
        grep -q '^run=si' "$ini" 2>/dev/null && break
        kill -0 $pid 2>/dev/null || break
        sleep 0.1
    done
    sleep 1
    # Started from /usr/bin's link, it still knows its own folder.
    if kill -0 $pid 2>/dev/null && grep -q '^run=si' "$ini" \
        && grep -q '^a=/usr/lib/boletin$' "$ini"; then
        echo "== instalado: /usr/bin/boletin arrancó en la colección de demostración y sigue en marcha"
    else
        cat "$tmp/boletin.log" "$ini" 2>/dev/null || true
        fallos+=("arranque del paquete")
    fi
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
    rm -rf "$tmp"
    apt-get purge -y -qq boletin >/dev/null

    if [ ${#fallos[@]} -gt 0 ]; then
        echo "Debian 13: FALLO en: ${fallos[*]}"
        exit 1
    fi
    echo "Debian 13: todo en orden"
}
if [ "${1:-}" = --dentro ]; then
    dentro
    exit
fi

# --- On the host ------------------------------------------------------------------
[ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=CI,BOLETIN_CHROOT "$0" "$@"

fuente=$PWD
raiz=${BOLETIN_CHROOT:-/var/cache/boletin/debian13}
suite=trixie
# Written once the chroot is whole: without it, a run stopped half-way left it.
hecho=$raiz/.boletin-hecho

# The Debian archive this machine uses (deb822 first, then the one-line form).
espejo() {
    local u
    u=$(sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null \
        | tr ' ' '\n' | grep -v -e security -e '^$' | head -n1 || true)
    [ -n "$u" ] || u=$(sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]\+\).*/\2/p' \
        /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
        | grep -v security | head -n1 || true)
    echo "${u:-http://deb.debian.org/debian}"
}

# Mounts under the chroot, deepest first.
montajes() { awk -v r="$raiz/" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r; }
desmontar() {
    local m
    for m in $(montajes); do umount "$m" 2>/dev/null || umount -l "$m"; done
}

mkdir -p "$(dirname "$raiz")"
# One run at a time; the kernel drops the lock with its holder, so none goes stale.
exec 9>"$raiz.lock"
flock -n 9 || { echo "Otra ejecución usa $raiz" >&2; exit 1; }
# A run killed without its trap left its mounts.
desmontar
trap desmontar EXIT

if [ ! -f "$hecho" ]; then
    # Never remove a tree with something still mounted in it (the checkout!).
    [ -z "$(montajes)" ] || { echo "Siguen montados: $(montajes)" >&2; exit 1; }
    command -v debootstrap >/dev/null || {
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
    }
    rm -rf "$raiz"
    debootstrap --variant=minbase "$suite" "$raiz" "$(espejo)"
    # No service starts inside the chroot.
    printf '#!/bin/sh\nexit 101\n' >"$raiz/usr/sbin/policy-rc.d"
    chmod 755 "$raiz/usr/sbin/policy-rc.d"
    touch "$hecho"
fi

cp -L /etc/resolv.conf "$raiz/etc/resolv.conf"
mount -t proc proc "$raiz/proc"
mount -t sysfs sysfs "$raiz/sys"
mount --bind /dev "$raiz/dev"
# A slave: where / is shared (systemd), the devpts mounted below would otherwise
# also land on the host's /dev/pts.
mount --make-rslave "$raiz/dev"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$raiz/dev/pts"
mount -t tmpfs tmpfs "$raiz/dev/shm"
# The checkout, read-only: everything built lands in the chroot's own /work.
mkdir -p "$raiz/work/src"
mount --bind "$fuente" "$raiz/work/src"
mount -o remount,bind,ro "$raiz/work/src"
mount --make-rslave "$raiz/work/src"

# A build folder for each checkout: ninja goes by times, and another checkout's
# older files would not be rebuilt over the objects of a newer one.
construccion=/work/construcciones/$(printf '%s' "$fuente" | md5sum | cut -c1-12)
env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 TERM=dumb \
    DEBIAN_FRONTEND=noninteractive CI="${CI:-}" BOLETIN_CONSTRUCCION="$construccion" \
    chroot "$raiz" /work/src/scripts/probar-debian13.sh --dentro </dev/null
