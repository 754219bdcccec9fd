#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix, checks the layout the desktop
# relies on, and starts the installed program through its link in bin/.
#
#   instalar_y_arrancar.sh CONSTRUCCION CATALOGO offscreen
#       the settings show the installation folder and run=si, and the program
#       keeps running
#   instalar_y_arrancar.sh CONSTRUCCION CATALOGO x11
#       under Xvfb: with a disc the main window is up; with none, the
#       "insert the disc" box is, and no main window (a modal box keeps an
#       offscreen program running too, so only real windows tell them apart)
#
# CATALOGO is the file that must be installed as boletin.mdb ("" when none is).
set -euo pipefail

construccion=$1
catalogo=$2
modo=$3

# Always a server of its own, even inside a desktop session.
if [ "$modo" = x11 ] && [ -z "${BOLETIN_EN_XVFB:-}" ]; then
    if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
        echo "SKIP: hacen falta xvfb-run y xdotool"
        exit 77
    fi
    BOLETIN_EN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

tmp=$(mktemp -d)
programas=()
limpiar() {
    for p in "${programas[@]}"; do
        kill "$p" 2>/dev/null || true
        wait "$p" 2>/dev/null || true
    done
    rm -rf "$tmp"
}
trap limpiar EXIT

fallar() {
    echo "FALLO: $*" >&2
    exit 1
}

# --- Layout -------------------------------------------------------------------
# Under usr/, as the .deb lays it out, so that appstreamcli can check the tree.
raiz=$tmp/raiz
prefijo=$raiz/usr
cmake --install "$construccion" --prefix "$prefijo" >"$tmp/instalar.log" 2>&1 \
    || { cat "$tmp/instalar.log"; fallar "cmake --install"; }

[ -f "$prefijo/lib/boletin/boletin" ] && [ ! -L "$prefijo/lib/boletin/boletin" ] \
    && [ -x "$prefijo/lib/boletin/boletin" ] || fallar "falta el programa en lib/boletin"
# Relative, so the prefix can move (DESTDIR, the .deb's staging folder).
[ -L "$prefijo/bin/boletin" ] || fallar "bin/boletin no es un enlace"
[ "$(readlink "$prefijo/bin/boletin")" = ../lib/boletin/boletin ] \
    || fallar "bin/boletin apunta a $(readlink "$prefijo/bin/boletin")"
if [ -n "$catalogo" ]; then
    cmp -s "$catalogo" "$prefijo/lib/boletin/boletin.mdb" \
        || fallar "lib/boletin/boletin.mdb no es $catalogo"
fi

escritorios=("$prefijo"/share/applications/*.desktop)
[ ${#escritorios[@]} -eq 1 ] && [ -f "${escritorios[0]}" ] \
    || fallar "se esperaba una entrada de escritorio en share/applications"
escritorio=${escritorios[0]}
id=$(basename "$escritorio" .desktop)
valor() { sed -n "s/^$1=//p" "$escritorio"; }
[ "$(valor Icon)" = "$id" ] || fallar "Icon=$(valor Icon), no $id"
[ -x "$prefijo/bin/$(valor Exec)" ] || fallar "Exec=$(valor Exec) no está en bin/"
iconos=$prefijo/share/icons/hicolor
[ -s "$iconos/scalable/apps/$id.svg" ] || fallar "falta el icono SVG $id.svg"
png=$iconos/256x256/apps/$id.png
[ -s "$png" ] || fallar "falta el icono PNG $id.png"
# A PNG's IHDR: signature (8), length and type (8), then width and height, big-endian.
read -r -a ihdr <<<"$(od -An -tu1 -j16 -N8 "$png")"
ancho=$(( (ihdr[0] << 24) | (ihdr[1] << 16) | (ihdr[2] << 8) | ihdr[3] ))
alto=$(( (ihdr[4] << 24) | (ihdr[5] << 16) | (ihdr[6] << 8) | ihdr[7] ))
[ "$ancho" -eq 256 ] && [ "$alto" -eq 256 ] || fallar "el PNG mide ${ancho}x${alto}"
metainfo=$prefijo/share/metainfo/$id.metainfo.xml
[ -f "$metainfo" ] || fallar "falta $id.metainfo.xml"
grep -q "<id>$id</id>" "$metainfo" || fallar "el id de la metainfo no es $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    || fallar "la metainfo no lanza $id.desktop"
# The manual pages and the package's documents (lintian checks their content).
for f in man/man1/boletin.1.gz man/es/man1/boletin.1.gz doc/boletin/changelog.Debian.gz; do
    gzip -t "$prefijo/share/$f" 2>/dev/null || fallar "falta share/$f o no es gzip"
done
grep -q "^License: GPL-3+" "$prefijo/share/doc/boletin/copyright" \
    || fallar "share/doc/boletin/copyright no da la licencia"
# Also finds an installed metainfo whose desktop entry is missing or misnamed.
if command -v appstreamcli >/dev/null; then
    appstreamcli validate-tree --no-net "$raiz" >"$tmp/arbol.log" 2>&1 \
        || { cat "$tmp/arbol.log"; fallar "appstreamcli validate-tree"; }
fi

# --- Starting it ---------------------------------------------------------------
carpeta=$(cd "$prefijo/lib/boletin" && pwd -P)
mkdir -p "$tmp/disco/Imagenes" "$tmp/vacio"
: >"$tmp/disco/Imagenes/Tirvosk.dat"

# Starts the installed program on one place with its own settings; sets $pid and $ini.
arrancar() {
    local nombre=$1 lugar=$2
    ini=$tmp/$nombre/boletin/boletin.ini
    env XDG_CONFIG_HOME="$tmp/$nombre" "$prefijo/bin/boletin" --unidad "$lugar" \
        >"$tmp/$nombre.log" 2>&1 &
    pid=$!
    programas+=("$pid")
}

vivo() { kill -0 "$pid" 2>/dev/null; }

# Waits up to 10 s for "$@" to succeed while the program lives.
esperar() {
    for _ in $(seq 100); do
        "$@" && return 0
        vivo || return 1
        sleep 0.1
    done
    return 1
}

ajuste() { sed -n "s/^$1=//p" "$ini" 2>/dev/null; }
cargado() { [ "$(ajuste run)" = si ]; }

if [ "$modo" = offscreen ]; then
    export QT_QPA_PLATFORM=offscreen
    arrancar ajustes "$tmp/disco"
    esperar cargado || { cat "$tmp/ajustes.log"; fallar "run=si no llegó a los ajustes"; }
    [ "$(ajuste a)" = "$carpeta" ] || fallar "a=$(ajuste a), no $carpeta"
    sleep 1
    vivo || { cat "$tmp/ajustes.log"; fallar "el programa terminó"; }
    echo "instalado en $prefijo; a=$carpeta; el programa sigue en marcha"
    exit 0
fi

# Names of the mapped windows of the program last started, one a line (without
# --all, xdotool matches the pid OR the name).
ventanas() {
    local w
    for w in $(xdotool search --all --onlyvisible --pid "$pid" --name . 2>/dev/null); do
        xdotool getwindowname "$w"
    done
}
# Captured first: under pipefail an early grep -q could fail the pipe with SIGPIPE.
hayPrincipal() { local n; n=$(ventanas); grep -q '(1950-2000)' <<<"$n"; }
hayAviso() { local n; n=$(ventanas); [ -n "$(grep -v '(1950-2000)' <<<"$n")" ]; }

export QT_QPA_PLATFORM=xcb
arrancar con-disco "$tmp/disco"
esperar hayPrincipal || { cat "$tmp/con-disco.log"; fallar "no apareció la ventana principal"; }
[ "$(ajuste a)" = "$carpeta" ] || fallar "a=$(ajuste a), no $carpeta"
sleep 0.5
! hayAviso || fallar "con disco apareció otra ventana: $(ventanas | tr '\n' '|')"

arrancar sin-disco "$tmp/vacio"
esperar hayAviso || { cat "$tmp/sin-disco.log"; fallar "sin disco no apareció el aviso"; }
! hayPrincipal || fallar "sin disco apareció la ventana principal"
echo "con disco: ventana principal; sin disco: el aviso, sin ventana principal"
