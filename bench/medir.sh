#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark and prints one table.
#
#   bench/medir.sh [TAMAÑO...]        (default: 10000 100000 1000000 articles)
#
# Builds what it needs in $BOLETIN_BUILD (default build-bench beside this folder),
# makes each catalogue once in $BOLETIN_BENCH_DATOS (default /tmp/boletin-bench;
# REHACER=1 makes them again), runs each case in a fresh process and prints the
# median of $VUELTAS runs (default 5; 3 from a million articles on). The raw
# result lines go to $BOLETIN_BENCH_DATOS/resultados.tsv, each run's time and
# the programs' chatter to medir.log there.
#
# Each catalogue is also measured as another tool would have written it (plain
# CREATE TABLE, no collation, no keys, no indexes; cases ajeno:*), and at 100 000
# articles as a Jet file (tests' fixture boletin_100k.mdb.xz, or $BOLETIN_JET_100K;
# cases jet:*).
set -euo pipefail

raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BOLETIN_BUILD:-$raiz/build-bench}
datos=${BOLETIN_BENCH_DATOS:-/tmp/boletin-bench}
texto_titulo=${TEXTO_TITULO:-señalización}
texto_autor=${TEXTO_AUTOR:-García}
semilla=${SEMILLA:-1950}
if [ $# -gt 0 ]; then tamanos=("$@"); else tamanos=(10000 100000 1000000); fi

mkdir -p "$datos"
log=$datos/medir.log
resultados=$datos/resultados.tsv
: >"$log"
: >"$resultados"

echo "Compilando en $build ..." >&2
if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
    cmake -S "$raiz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >>"$log"
fi
cmake --build "$build" -j2 --target benchmarks >>"$log"

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES='qt.qpa.*=false'
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$datos/runtime}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
bench=$build/bench
crear=$build/tools/crear_coleccion
export BOLETIN_JET=$build/app/boletin-jet
jet_100k=${BOLETIN_JET_100K:-$raiz/../shared/fixtures/jet/boletin_100k.mdb.xz}

vueltas_para() { # fewer runs where one run takes seconds
    if [ -n "${VUELTAS:-}" ]; then echo "$VUELTAS"; elif [ "$1" -ge 1000000 ]; then echo 3; else echo 5; fi
}

# Median of the numbers on stdin.
mediana() { sort -g | awk '{v[NR]=$1} END {if (NR%2) print v[(NR+1)/2]; else printf "%.1f\n", (v[NR/2]+v[NR/2+1])/2}'; }

# What a reader without this program would do: the sqlite3 tool, whose lower()
# and LIKE fold ASCII only, and which cannot sort by the catalogue's collation.
cli() { # caso tamaño catálogo vueltas sentencia
    local caso=$1 tamano=$2 db=$3 n=$4 sql=$5 ms=() filas t0 t1
    command -v sqlite3 >/dev/null || return 0
    # Counted by lines: wrapped in count(*), the statement would want the collation.
    filas=$(sqlite3 -readonly "$db" "$sql" | wc -l)
    for ((i = 0; i < n; i++)); do
        t0=$(date +%s%N)
        sqlite3 -readonly "$db" "$sql" >/dev/null
        t1=$(date +%s%N)
        ms+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN {printf "%.1f", (b-a)/1e6}')")
    done
    printf 'RESULTADO\tcli:%s\t%s\t%s\t%s\t%s\t%s\t-1\t-1\t-1\n' "$caso" "$tamano" "$filas" \
        "$(printf '%s\n' "${ms[@]}" | mediana)" "$(printf '%s\n' "${ms[@]}" | sort -g | head -1)" \
        "$(printf '%s\n' "${ms[@]}" | sort -g | tail -1)" >>"$resultados"
}

# The catalogue as another tool writes it: the program's tables declared plainly
# (no collation, no keys), rows copied, no indexes. Made with the sqlite3 tool.
hacer_ajeno() { # origen destino
    local origen=$1 destino=$2
    rm -f "$destino"
    {
        echo "ATTACH '$origen' AS o; BEGIN;"
        sqlite3 -readonly "$origen" "SELECT sql || ';' FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite_%'" |
            sed -e 's/ COLLATE es//g' -e 's/ PRIMARY KEY//g'
        sqlite3 -readonly "$origen" "SELECT 'INSERT INTO main.\"' || name || '\" SELECT * FROM o.\"' || name || '\";' FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"
        echo "COMMIT;"
    } | sqlite3 "$destino"
}

# The five searches on one catalogue, each case named with a prefix (ajeno:,
# jet:) so that it stands apart from the program's own catalogue.
buscar() { # prefijo carpeta tamaño vueltas
    local prefijo=$1 carpeta=$2 tamano=$3 v=$4 caso texto
    for caso in titulo espacios autor cronologico materia; do
        texto=
        [ "$caso" = titulo ] && texto=$texto_titulo
        [ "$caso" = autor ] && texto=$texto_autor
        echo "  $tamano: $prefijo$caso ..." >&2
        "$bench/bench_ventanas" --carpeta "$carpeta" --caso "$caso" --texto "$texto" \
            --vueltas "$v" --tamano "$tamano" 2>>"$log" |
            sed -E "s/^RESULTADO\t(suelo:)?/RESULTADO\t\1$prefijo/" >>"$resultados"
    done
}

# From the click on Comenzar to the search window painted, the catalogue opened
# on the way: once per process, $v processes, one line of their median.
comenzar() { # caso carpeta tamaño vueltas
    local caso=$1 carpeta=$2 tamano=$3 v=$4 lineas=()
    echo "  $tamano: $caso ..." >&2
    for ((i = 0; i < v; i++)); do
        lineas+=("$("$bench/bench_ventanas" --carpeta "$carpeta" --caso comenzar \
            --tamano "$tamano" 2>>"$log" | grep '^RESULTADO')")
    done
    printf '%s\n' "${lineas[@]}" | awk -F'\t' -v caso="$caso" '
        function med(a, n,   i, j, t) {
            for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
            return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
        }
        { n++; ms[n] = $5; cpu[n] = $10; filas = $4; tam = $3
          if (n == 1 || $5 < mn) mn = $5; if ($5 > mx) mx = $5; if ($8 > pico) pico = $8 }
        END { if (n) printf "RESULTADO\t%s\t%s\t%s\t%.1f\t%.1f\t%.1f\t%d\t-1\t%.1f\n", caso, tam, filas,
                              med(ms, n), mn, mx, pico, med(cpu, n) }' >>"$resultados"
}

unidos="SELECT des_articulo, id_articulo, NumerosPorAños.des_añoNumero From AutoresArticulos, NumerosPorAños Where AutoresArticulos.id_boletin = NumerosPorAños.id_boletin"

for n in "${tamanos[@]}"; do
    carpeta=$datos/c$n
    if [ -n "${REHACER:-}" ] || [ ! -f "$carpeta/boletin.mdb" ]; then
        echo "Creando el catálogo de $n artículos en $carpeta ..." >&2
        "$crear" --destino "$carpeta" --articulos "$n" --sin-pdf --semilla "$semilla" >>"$log" 2>&1
    fi
    v=$(vueltas_para "$n")
    for caso in titulo espacios autor cronologico materia; do
        texto=
        [ "$caso" = titulo ] && texto=$texto_titulo
        [ "$caso" = autor ] && texto=$texto_autor
        echo "  $n: $caso ..." >&2
        # Prints the case and its floor, run side by side.
        "$bench/bench_ventanas" --carpeta "$carpeta" --caso "$caso" --texto "$texto" \
            --vueltas "$v" --tamano "$n" >>"$resultados" 2>>"$log"
    done
    # The floor of the join-heavy statements on a catalogue shaped as a Jet
    # import leaves it (copied in memory: slow to make beyond 100 000 articles).
    if [ "$n" -le 100000 ]; then
        for caso in titulo materia; do
            "$bench/bench_motor" suelo --como-jet --catalogo "$carpeta/boletin.mdb" --caso "$caso" \
                --texto "$texto_titulo" --vueltas "$v" --tamano "$n" >>"$resultados" 2>>"$log"
        done
    fi
    comenzar comenzar "$carpeta" "$n" "$v"

    # The same catalogue as another tool would have written it.
    ajeno=$datos/a$n
    if [ -n "${REHACER:-}" ] || [ ! -f "$ajeno/boletin.mdb" ]; then
        echo "Copiando el catálogo de $n artículos con otro esquema en $ajeno ..." >&2
        mkdir -p "$ajeno"
        hacer_ajeno "$carpeta/boletin.mdb" "$ajeno/boletin.mdb"
    fi
    ln -sfn "$carpeta/completo" "$ajeno/completo"
    "$bench/bench_motor" copia --vueltas "$v" --tamano "$n" "$ajeno/boletin.mdb" \
        >>"$resultados" 2>>"$log"
    buscar ajeno: "$ajeno" "$n" "$v"
    comenzar ajeno:comenzar "$ajeno" "$n" "$v"

    # And as a Jet file, where there is one of this size.
    if [ "$n" = 100000 ] && [ -f "$jet_100k" ]; then
        jet=$datos/j$n
        mkdir -p "$jet"
        if [ ! -f "$datos/boletin_100k.mdb" ]; then
            echo "Descomprimiendo $jet_100k ..." >&2
            xz -dc "$jet_100k" >"$datos/boletin_100k.mdb"
        fi
        ln -sfn "$datos/boletin_100k.mdb" "$jet/boletin.mdb"
        ln -sfn "$carpeta/completo" "$jet/completo"
        "$bench/bench_motor" lectura --vueltas "$v" "$datos/boletin_100k.mdb" >>"$resultados" 2>>"$log"
        "$bench/bench_motor" jet --vueltas "$v" "$datos/boletin_100k.mdb" >>"$resultados" 2>>"$log"
        buscar jet: "$jet" "$n" "$v"
        comenzar jet:comenzar "$jet" "$n" "$v"
    fi

    cli titulo "$n" "$carpeta/boletin.mdb" "$v" "$unidos AND lower(des_articulo) LIKE '%$texto_titulo%'"
    cli espacios "$n" "$carpeta/boletin.mdb" "$v" "$unidos AND lower(des_articulo) LIKE '%%'"
    cli autor "$n" "$carpeta/boletin.mdb" "$v" "SELECT * FROM Autores WHERE lower(autor) LIKE '%$texto_autor%'"
done

primera=$datos/c${tamanos[0]}
echo "  documento ..." >&2
"$bench/bench_ventanas" --carpeta "$primera" --caso documento --vueltas 5 --tamano 100pág \
    >>"$resultados" 2>>"$log"

# Reading an open document: find and opening at the article, in a 100-page
# issue the program writes itself (no catalogue needed).
for caso in buscar articulo; do
    echo "  $caso ..." >&2
    "$bench/bench_lectura" --caso "$caso" --vueltas 5 >>"$resultados" 2>>"$log"
done

# Start-up: 26 places to look at, the disc only in the last.
echo "  arranque ..." >&2
lugares=()
for i in $(seq -w 1 25); do mkdir -p "$datos/lugares/sin-disco-$i"; lugares+=("$datos/lugares/sin-disco-$i"); done
lugares+=("$primera/completo")
"$bench/bench_arranque" --vueltas 5 --tamano 26lug "${lugares[@]}" >>"$resultados" 2>>"$log"

echo "  catálogos Jet ..." >&2
"$bench/bench_motor" jet --vueltas 5 "$raiz"/tests/fixtures/jet/*.mdb >>"$resultados" 2>>"$log"

# The plans on the smallest catalogue, on the Jet fixture as the import reads it,
# and on the largest catalogue up to 100 000 articles copied into a Jet import's
# shape (where the planner no longer finds its tables small).
planes=$datos/planes.txt
como_jet=$primera
for n in "${tamanos[@]}"; do [ "$n" -le 100000 ] && como_jet=$datos/c$n; done
if "$bench/plan_consultas" "$primera/boletin.mdb" "$raiz/tests/fixtures/jet/boletin_jet4.mdb" \
    >"$planes" 2>>"$log" &&
    "$bench/plan_consultas" --como-jet "$como_jet/boletin.mdb" >>"$planes" 2>>"$log"; then
    plan="los 12 planes usan índices donde pueden (detalle: $planes)"
else
    plan="HAY PLANES MEJORABLES: véase $planes"
fi

# The table: each case beside its floor (the engine alone) and the sqlite3 tool.
echo
echo "$(date '+%F %T'), $(git -C "$raiz" describe --always --dirty 2>/dev/null || echo '?'), carga media $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) núcleos"
awk -F'\t' -v plan="$plan" '
$1 != "RESULTADO" { next }
{
    caso = $2; clave = caso SUBSEP $3
    if (caso ~ /^suelo:/) { suelo[substr(caso, 7) SUBSEP $3] = $5; suelocpu[substr(caso, 7) SUBSEP $3] = $10; next }
    if (caso ~ /^cli:/) { cli[substr(caso, 5) SUBSEP $3] = $5; next }
    orden[++n] = clave; filas[clave] = $4; med[clave] = $5; mn[clave] = $6; mx[clave] = $7
    pico[clave] = $8; vista[clave] = $9; cpu[clave] = $10; nombre[clave] = caso; tam[clave] = $3
}
function o(v) { return v >= 0 ? sprintf("%.1f", v) : "—" }
function r(a, b) { return (a >= 0 && b > 0) ? sprintf("%.1f", a / b) : "—" }
END {
    printf "%-22s %8s %8s %8s %15s %8s %8s %6s %8s %8s %6s %6s %9s\n", "caso", "tamaño", "filas",
           "ms", "mín–máx", "vista", "cpu ms", "MiB", "suelo", "s. cpu", "×s", "×cpu", "sqlite3"
    for (i = 1; i <= n; i++) {
        k = orden[i]
        s = (k in suelo) ? o(suelo[k]) : "—"
        sc = (k in suelo) ? o(suelocpu[k]) : "—"
        c = (k in cli) ? o(cli[k]) : "—"
        printf "%-22s %8s %8s %8.1f %15s %8s %8s %6s %8s %8s %6s %6s %9s\n", nombre[k], tam[k],
               filas[k], med[k], sprintf("%.1f–%.1f", mn[k], mx[k]), o(vista[k]), o(cpu[k]),
               pico[k], s, sc, (k in suelo) ? r(med[k], suelo[k]) : "—",
               (k in suelo) ? r(cpu[k], suelocpu[k]) : "—", c
    }
    print ""
    print "ms: mediana del reloj en ms, del clic a la lista con sus líneas (documento: a la primera"
    print "página pintada; arranque: del inicio del proceso a la ventana principal pintada; jet:"
    print "la importación (cpu: con la del proceso lector); copia: la copia en memoria del catálogo"
    print "de otra herramienta; lectura: libmdb solo leyendo cada fila; comenzar: del clic en Comenzar a"
    print "la ventana de búsqueda pintada, con el catálogo abierto). vista: hasta la lista maquetada"
    print "y pintada. cpu: tiempo de CPU del proceso. ajeno: el mismo catálogo con el esquema que"
    print "escribiría otra herramienta (CREATE TABLE sin colación, sin claves ni índices); jet: el"
    print "catálogo de 100 000 artículos como archivo Jet."
    print "buscar:primera / buscar:todas: del texto escrito a la primera coincidencia en pantalla / a"
    print "todas halladas; articulo: de la primera página pintada a la del artículo; :turno: la"
    print "vuelta más larga del bucle de eventos mientras tanto."
    print "MiB: pico de memoria residente del proceso (VmHWM). suelo, s. cpu: SQLite solo con las"
    print "mismas sentencias, medido junto a cada vuelta; ×s, ×cpu: cociente caso/suelo. comojet:"
    print "el suelo sobre el catálogo con la forma de una importación Jet. sqlite3: la herramienta"
    print "de línea de órdenes con lower(...) LIKE y sin la colación (no puede ordenar)."
    print "Planes de consulta: " plan
}' "$resultados"
