// SPDX-License-Identifier: GPL-3.0-or-later
#include "Consultas.h"

#include "DataSource.h"
#include "Sentencias.h"

using namespace Qt::StringLiterals;

namespace Consultas {

namespace {

Lineas unaLinea(const QString &texto)
{
    Lineas l;
    l.anadir(texto, 0);
    return l;
}

} // namespace

Resultado<Respuesta> visualizar(DataSource &consulta, ModoLista modo, bool materiasElegidas)
{
    if (Resultado<> r = consulta.Refresh(); !r)
        return r;
    Resultado<Lineas> lineas = lineasDe(consulta, modo);
    if (!lineas)
        return lineas;
    Respuesta r;
    if (modo == ModoLista::Materias) {
        r.materias = std::move(*lineas);
        r.materiasElegibles = true;
        r.hayResultados = true;
    } else {
        r.hayResultados = !lineas->isEmpty() || materiasElegidas;
        r.articulos = std::move(*lineas);
        r.tipo = modo == ModoLista::Articulos ? TipoLista::Articulos : TipoLista::Numeros;
    }
    return r;
}

Resultado<Respuesta> porTitulo(DataSource &consulta, const QString &texto, bool materiasElegidas)
{
    consulta.setRecordSource(Sentencias::articulosConTitulo(texto));
    if (Resultado<> r = consulta.Refresh(); !r)
        return r;
    if (consulta.RecordCount() == 1)
        return visualizar(consulta, ModoLista::Articulos, materiasElegidas);
    Respuesta r;
    if (texto.isEmpty()) {
        r.articulos = unaLinea(u"Introducir texto"_s);
        return r;
    }
    return coincidentes(consulta, CampoBuscado::Titulo, texto);
}

Resultado<Respuesta> coincidentes(DataSource &consulta, CampoBuscado campo, const QString &texto)
{
    Resultado<Lineas> halladas = coincidencias(consulta, campo, texto);
    if (!halladas)
        return halladas;
    Respuesta r;
    r.hayResultados = !halladas->isEmpty();
    if (campo == CampoBuscado::Autor) {
        r.conAutores = true;
        if (halladas->isEmpty()) {
            halladas->anadir(u"No se encuentra ningún autor con : "_s + texto, 0);
            halladas->anadir(QString(), 0);
            halladas->anadir(u"Hacer clic sobre esta linea para volver"_s, 0);
        }
        r.autores = std::move(*halladas);
    } else if (halladas->isEmpty()) {
        r.articulos = unaLinea(u"No se han encontrado documentos"_s);
    } else {
        r.articulos = std::move(*halladas);
        r.tipo = TipoLista::Articulos;
    }
    return r;
}

Resultado<Respuesta> porAutor(DataSource &consulta, const QString &texto, bool materiasElegidas)
{
    consulta.setRecordSource(Sentencias::autorConNombre(texto));
    if (Resultado<> r = consulta.Refresh(); !r)
        return r;
    Respuesta r;
    r.autores = Lineas();
    r.articulos = Lineas();
    if (consulta.RecordCount() == 1) {
        // The identifier goes in whole: an author above 32767 lists its own articles.
        const Resultado<QVariant> idAutor = consulta.Fields(u"id_autor"_s);
        if (!idAutor)
            return idAutor;
        consulta.setRecordSource(Sentencias::articulosDeAutor(idAutor->toLongLong()));
        if (Resultado<> hecho = consulta.Refresh(); !hecho)
            return hecho;
        if (consulta.RecordCount() == 0)
            return r;
        Resultado<Respuesta> suyos = visualizar(consulta, ModoLista::Articulos, materiasElegidas);
        if (suyos)
            suyos->autores = Lineas();
        return suyos;
    }
    if (texto.isEmpty()) {
        r.articulos = unaLinea(u"Introducir texto"_s);
        return r;
    }
    Resultado<Respuesta> halladas = coincidentes(consulta, CampoBuscado::Autor, texto);
    if (halladas)
        halladas->articulos = Lineas();
    return halladas;
}

Resultado<Respuesta> porMateria(DataSource &consulta, const QString &grupo)
{
    consulta.setRecordSource(Sentencias::materiasDeGrupo(grupo));
    if (Resultado<> r = consulta.Refresh(); !r)
        return r;
    if (grupo.isEmpty()) {
        Respuesta r;
        r.materias = Lineas();
        r.articulos = unaLinea(u"Debe seleccionar una materia de la lista"_s);
        return r;
    }
    Resultado<Respuesta> r = visualizar(consulta, ModoLista::Materias, true);
    if (r) {
        r->articulos = Lineas();
        r->conMaterias = true;
    }
    return r;
}

Resultado<Respuesta> cronologica(DataSource &consulta, bool materiasElegidas)
{
    consulta.setRecordSource(Sentencias::numerosEnOrden());
    Resultado<Respuesta> r = visualizar(consulta, ModoLista::Cronologico, materiasElegidas);
    if (r)
        r->cronologica = true;
    return r;
}

Resultado<std::optional<Lineas>> articulosDe(DataSource &archivo, const QString &sentencia)
{
    archivo.setRecordSource(sentencia);
    if (Resultado<> r = archivo.Refresh(); !r)
        return r;
    if (archivo.RecordCount() == 0)
        return std::optional<Lineas>();
    Resultado<Lineas> lineas = lineasDe(archivo, ModoLista::Articulos);
    if (!lineas)
        return lineas;
    return std::optional<Lineas>(std::move(*lineas));
}

Resultado<QStringList> gruposDeMaterias(DataSource &grupos)
{
    grupos.setRecordSource(Sentencias::gruposMaterias());
    if (Resultado<> r = grupos.Refresh(); !r)
        return r;
    const Resultado<int> grupo = grupos.columna(u"des_grupo"_s);
    if (!grupo)
        return grupo;
    QStringList nombres;
    while (!grupos.isEOF()) {
        nombres << grupos.texto(*grupo);
        if (Resultado<> r = grupos.MoveNext(); !r)
            return r;
    }
    return nombres;
}

} // namespace Consultas
