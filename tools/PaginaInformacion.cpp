// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaginaInformacion.h"

#include "CasosDemo.h"
#include "Cifras.h"
#include "Coleccion.h"


#include <map>

using namespace Qt::StringLiterals;

namespace {

constexpr QStringView estilo = uR"css(
body { margin: 0; background: #fbf8f1; color: #222;
       font: 17px/1.55 Georgia, "DejaVu Serif", serif; }
header { background: #1f3a5f; color: #fff; padding: 2.2em 1em 1.6em; text-align: center;
         border-bottom: 5px solid #b8862b; }
header h1 { margin: 0; font-size: 2.2em; letter-spacing: .02em; }
header p { margin: .4em 0 0; color: #f3e9d2; font-family: "DejaVu Sans", sans-serif;
           font-size: .85em; letter-spacing: .12em; text-transform: uppercase; }
main { max-width: 44em; margin: 0 auto; padding: 1.5em 1.2em 3em; }
h2 { color: #1f3a5f; font-size: 1.3em; margin: 1.8em 0 .5em; padding-bottom: .2em;
     border-bottom: 1px solid #b8862b; }
table { border-collapse: collapse; margin: 1em 0; width: 100%; }
th, td { text-align: left; padding: .45em .8em; border-bottom: 1px solid #ddd3bd; }
th { background: #f3e9d2; color: #1f3a5f; font-weight: normal; }
td.cifra { text-align: right; font-variant-numeric: tabular-nums; }
.boton { font-family: "DejaVu Sans", sans-serif; font-size: .85em; background: #1f3a5f;
         color: #fff; padding: .05em .5em; border-radius: 3px; white-space: nowrap; }
.nota { background: #fff; border-left: 4px solid #b8862b; padding: .6em 1em; margin: 1em 0; }
code { font-family: "DejaVu Sans Mono", monospace; font-size: .9em; background: #f3e9d2;
       padding: 0 .25em; }
footer { text-align: center; color: #6b7280; font-size: .85em; padding: 1em 0 2em; }
)css";

} // namespace

namespace PaginaInformacion {

QString html(const Coleccion &coleccion)
{

    int numerosDisco1 = 0;
    int articulosDisco1 = 0;
    for (const NumeroDemo &n : coleccion.numeros()) {
        if (n.disco == 1) {
            ++numerosDisco1;
            articulosDisco1 += n.articulos;
        }
    }
    const int numerosDisco2 = int(coleccion.numeros().size()) - numerosDisco1;
    const int articulosDisco2 = coleccion.totalArticulos() - articulosDisco1;

    std::map<int, int> materiasPorGrupo;
    for (const MateriaDemo &m : coleccion.materias())
        ++materiasPorGrupo[m.grupo];
    QString grupos;
    for (const GrupoDemo &g : coleccion.grupos()) {
        const int n = materiasPorGrupo.count(g.id) ? materiasPorGrupo.at(g.id) : 0;
        grupos += u"<li>%1 <small>(%2)</small></li>\n"_s.arg(
            g.nombre.toHtmlEscaped(),
            n == 0 ? u"todavía sin materias"_s
                   : n == 1 ? u"una materia"_s : u"%1 materias"_s.arg(cifra(n)));
    }

    const int primero = Coleccion::primerAnio;
    const int ultimo = Coleccion::ultimoAnio;
    const int ultimoDisco1 = CasosDemo::primerAnioDisco2 - 1;

    QString s = uR"html(<!DOCTYPE html>
<html lang="es">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Boletín de VELTRA (%PRIMERO%-%ULTIMO%): información</title>
<style>%ESTILO%</style>
</head>
<body>
<header>
<h1>Boletín de VELTRA</h1>
<p>Colección completa %PRIMERO%-%ULTIMO% en dos discos</p>
</header>
<main>

<h2>Qué contiene la colección</h2>
<p>Estos dos discos reúnen los %NUMEROS% números del <em>Boletín de VELTRA</em> publicados
entre %PRIMERO% y %ULTIMO%: en total, %ARTICULOS% artículos de %AUTORES% autores, clasificados
en %MATERIAS% materias que se agrupan en %GRUPOS% grandes temas, desde las obras públicas y el
transporte hasta la economía, la historia y el derecho.</p>
<p>Cada número se guarda completo en un documento PDF: primero la portada, con el sumario y la
página de cada artículo, y después los artículos, uno tras otro. El catálogo que acompaña al
programa permite encontrar cualquier artículo en unos segundos, sin necesidad de hojear los
números uno a uno.</p>
<table>
<tr><th>Disco</th><th>Años</th><th>Números</th><th>Artículos</th></tr>
<tr><td>Disco 1</td><td>%PRIMERO%-%ULTIMO1%</td>
    <td class="cifra">%NUMEROS1%</td><td class="cifra">%ARTICULOS1%</td></tr>
<tr><td>Disco 2</td><td>%PRIMERO2%-%ULTIMO%</td>
    <td class="cifra">%NUMEROS2%</td><td class="cifra">%ARTICULOS2%</td></tr>
</table>

<h2>Cómo empezar</h2>
<p>Introduzca cualquiera de los dos discos y ponga en marcha el programa. En la ventana de
bienvenida, <span class="boton">Comenzar</span> abre la ventana de búsqueda e
<span class="boton">Información</span> muestra esta página. Hay cuatro maneras de buscar,
que se explican a continuación; todas terminan en una lista de resultados en la que basta un
clic para leer el artículo.</p>

<h2>Buscar por título</h2>
<p>Escriba en la casilla del título el título del artículo, o solo una parte de él, y pulse
<span class="boton">Buscar</span>. Si lo escrito coincide exactamente con un título, aparece
ese artículo; si no, el programa recorre el catálogo y muestra todos los artículos cuyo título
contiene el texto, ordenados alfabéticamente.</p>
<div class="nota">No importan las mayúsculas ni las tildes: <code>energia</code> encuentra
«Energía» y <code>ARBOL</code> encuentra «árbol». Tampoco cuentan los espacios al principio ni
al final. Sí cuentan, en cambio, la <strong>ñ</strong>, que es una letra distinta de la n
(<code>nino</code> no encuentra «niño»), y la <strong>diéresis</strong>: escriba
<code>bilingüe</code>, no <code>bilingue</code>.</div>

<h2>Buscar por autor</h2>
<p>Escriba el nombre del autor tal como figura en el catálogo, primero los apellidos, después
una coma y el nombre: por ejemplo, <code>García López, Ana</code>. Si no recuerda el nombre
completo, escriba solo una parte (un apellido basta): se abre una lista con todos los autores
que lo contienen; elija uno y verá sus artículos.</p>
<p>Algunos autores distintos se llaman exactamente igual. En la lista aparecen por separado,
y cada uno conduce a sus propios artículos.</p>

<h2>Buscar por materia</h2>
<p>Los artículos están clasificados por materias, reunidas en grupos. Elija un grupo en la
lista desplegable, pulse <span class="boton">Buscar</span> y escoja una materia en la ventana
que aparece: verá todos los artículos de esa materia, ordenados por título. Un mismo artículo
puede figurar en dos materias. Los grupos son:</p>
<ul>
%GRUPOSLISTA%</ul>

<h2>Consulta cronológica</h2>
<p>El botón <span class="boton">Consulta cronológica</span> lista todos los números del
boletín, del más antiguo al más reciente. Haga clic en uno para abrirlo completo y leerlo de
principio a fin, como se leía en papel.</p>

<h2>Leer un artículo</h2>
<p>Haga clic en una línea de la lista de resultados. El programa abre, en una ventana propia,
el número al que pertenece el artículo; el sumario de la portada indica en qué página empieza.
Puede abrir varios números a la vez, cada uno en su ventana.</p>

<h2>Los dos discos</h2>
<p>Los números de %PRIMERO% a %ULTIMO1% están en el disco 1, y los de %PRIMERO2% a %ULTIMO%
en el disco 2. Puede buscar con cualquiera de los dos en el lector, porque el catálogo está en
el programa. Si el artículo elegido está en el otro disco, el programa le pedirá que lo cambie
con el aviso «Introduzca el CD 2» (o «Introduzca el CD 1»): saque el disco, introduzca el que
se le pide y pulse <span class="boton">Aceptar</span>; el aviso aparece una vez más antes de
comprobar el disco, así que pulse <span class="boton">Aceptar</span> de nuevo. Con
<span class="boton">Cancelar</span> vuelve a la búsqueda sin abrir nada.</p>
<div class="nota">Si prefiere no cambiar de disco, copie el contenido de los dos discos en una
misma carpeta del disco duro, de modo que las dos carpetas <code>Imagenes</code> queden
reunidas en una sola, e indique esa carpeta al programa. Así tendrá toda la colección a mano.</div>

</main>
<footer>Boletín de VELTRA · %PRIMERO%-%ULTIMO% · Esta página se encuentra en la carpeta
<code>html</code> de cada disco.</footer>
</body>
</html>
)html"_s;

    s.replace(u"%ESTILO%"_s, estilo.toString());
    s.replace(u"%GRUPOSLISTA%"_s, grupos);
    s.replace(u"%NUMEROS1%"_s, cifra(numerosDisco1));
    s.replace(u"%NUMEROS2%"_s, cifra(numerosDisco2));
    s.replace(u"%ARTICULOS1%"_s, cifra(articulosDisco1));
    s.replace(u"%ARTICULOS2%"_s, cifra(articulosDisco2));
    s.replace(u"%NUMEROS%"_s, cifra(qsizetype(coleccion.numeros().size())));
    s.replace(u"%ARTICULOS%"_s, cifra(coleccion.totalArticulos()));
    s.replace(u"%AUTORES%"_s, cifra(qsizetype(coleccion.autores().size())));
    s.replace(u"%MATERIAS%"_s, cifra(qsizetype(coleccion.materias().size())));
    s.replace(u"%GRUPOS%"_s, cifra(qsizetype(coleccion.grupos().size())));
    s.replace(u"%PRIMERO2%"_s, QString::number(CasosDemo::primerAnioDisco2));
    s.replace(u"%ULTIMO1%"_s, QString::number(ultimoDisco1));
    s.replace(u"%PRIMERO%"_s, QString::number(primero));
    s.replace(u"%ULTIMO%"_s, QString::number(ultimo));
    return s;
}

} // namespace PaginaInformacion
