// SPDX-License-Identifier: GPL-3.0-or-later
// plan_consultas: how SQLite runs each of the program's twelve statements on a
// catalogue (SQLite, or Jet read into memory as the program reads it): the
// EXPLAIN QUERY PLAN lines, and a verdict on each statement, whether the engine
// sorts its rows or reads a whole table where an index could serve.
//
//   plan_consultas [--esquema] [--como-jet] ARCHIVO...
//     --esquema also prints each file's tables and indexes, with row counts;
//     --como-jet plans on each SQLite file copied into the shape of a Jet import
//     (see CopiaJet.h) instead of on the file itself.

#include "Catalogo.h"
#include "CopiaJet.h"
#include "Sentencias.h"

#include <QCoreApplication>
#include <QStringList>

#include <sqlite3.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct Sentencia
{
    int numero;
    QString sql;
    // A sort or a full read is what this statement cannot avoid: its order
    // comes from another table than its filter, or it wants every row.
    bool ordenaPorFuerza = false;
    bool leeTodo = false;
};

QList<Sentencia> sentencias()
{
    // The inserted values only shape the plan through their type.
    return {
        {1, Sentencias::gruposMaterias(), false, true},
        {1, u"SELECT * FROM "_s + Sentencias::tablaGruposMaterias, false, true},
        // One group may be several id_grupo rows: the IN list's rows come in
        // group order, not name order.
        {2, Sentencias::materiasDeGrupo(u"Historia"_s), true},
        // The subject's articles by title: the filter and the order lie in
        // different tables.
        {3, Sentencias::articulosDeMateria(1), true},
        {4, Sentencias::numerosEnOrden(), false, true},
        {5, Sentencias::articulosConTitulo(u"La señalización luminosa"_s)},
        {6, Sentencias::todosLosArticulos(), false, true},
        {7, Sentencias::todosLosAutores(), false, true},
        {8, Sentencias::autorConNombre(u"García Pérez, Juan"_s)},
        {9, Sentencias::articulosDeAutor(1)},
        {10, Sentencias::articulosDeAutorPorTitulo(1), true},
        {11, Sentencias::discoYArchivo(u"NumerosPorAños"_s, u"id_boletin"_s, 1)},
        {12, Sentencias::discoYArchivo(u"AutoresArticulos"_s, u"id_articulo"_s, 1)},
    };
}

// Rows of a table, or -1 when `nombre` is no table (an alias in the plan).
qint64 filasDe(sqlite3 *db, const QString &nombre)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray sql = (u"SELECT count(*) FROM \""_s + nombre + u"\""_s).toUtf8();
    qint64 n = -1;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW)
        n = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return n;
}

// Below this many rows a full read costs less than a millisecond, and the
// planner may well prefer it to an index.
constexpr qint64 tablaPequena = 10000;

// Prints the plan; returns false when it sorts, or reads a whole table that is
// not small, without the statement calling for it.
bool plan(sqlite3 *db, const Sentencia &s)
{
    const QByteArray sql = (u"EXPLAIN QUERY PLAN "_s + s.sql).toUtf8();
    sqlite3_stmt *stmt = nullptr;
    std::printf("%2d  %s\n", s.numero, qPrintable(s.sql));
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        std::printf("    ERROR: %s\n", sqlite3_errmsg(db));
        return false;
    }
    bool ordena = false;
    bool recorre = false;
    bool recorreGrande = false;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const QString detalle =
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 3)));
        std::printf("    %s\n", qPrintable(detalle));
        ordena = ordena || detalle.contains(u"TEMP B-TREE"_s);
        // "SCAN t" alone reads the table's rows; "SCAN t USING ... INDEX" walks
        // an index in its order.
        if (detalle.startsWith(u"SCAN "_s) && !detalle.contains(u"INDEX"_s)
            && !detalle.contains(u"CONSTANT ROW"_s)) {
            recorre = true;
            const qint64 filas = filasDe(db, detalle.section(u' ', 1, 1));
            recorreGrande = recorreGrande || filas < 0 || filas > tablaPequena;
        }
    }
    sqlite3_finalize(stmt);
    const bool bien = (!ordena || s.ordenaPorFuerza) && (!recorreGrande || s.leeTodo);
    std::printf("    -> %s%s%s\n", ordena ? "ordena" : "sin ordenar",
                recorre ? (recorreGrande ? ", lee la tabla entera" : ", lee entera una tabla pequeña")
                        : "",
                bien ? "" : "   ¡UN ÍNDICE PODRÍA EVITARLO!");
    return bien;
}

void esquema(sqlite3 *db)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT type, name, sql FROM sqlite_schema WHERE sql IS NOT NULL "
                       "ORDER BY tbl_name, type DESC, name",
                       -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const auto texto = [stmt](int c) {
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
        };
        QString filas;
        if (texto(0) == u"table") {
            sqlite3_stmt *cuenta = nullptr;
            const QByteArray sql = (u"SELECT count(*) FROM \""_s + texto(1) + u"\""_s).toUtf8();
            if (sqlite3_prepare_v2(db, sql.constData(), -1, &cuenta, nullptr) == SQLITE_OK
                && sqlite3_step(cuenta) == SQLITE_ROW)
                filas = u"  -- %1 filas"_s.arg(sqlite3_column_int64(cuenta, 0));
            sqlite3_finalize(cuenta);
        }
        std::printf("    %s%s\n", qPrintable(texto(2).simplified()), qPrintable(filas));
    }
    sqlite3_finalize(stmt);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList archivos = QCoreApplication::arguments().mid(1);
    const bool conEsquema = archivos.removeAll(u"--esquema"_s) > 0;
    const bool comoJet = archivos.removeAll(u"--como-jet"_s) > 0;
    if (archivos.isEmpty()) {
        std::fputs("Uso: plan_consultas ARCHIVO...\n", stderr);
        return 2;
    }
    int malas = 0;
    for (const QString &archivo : archivos) {
        const auto abierto = comoJet ? CopiaJet::crear(archivo) : Catalogo::abrir(archivo);
        if (!abierto) {
            std::fprintf(stderr, "plan_consultas: %s\n", qPrintable(abierto.error()));
            return 2;
        }
        const std::shared_ptr<Catalogo> catalogo = *abierto;
        std::printf("== %s%s\n", qPrintable(archivo), comoJet ? " (copiado como Jet)" : "");
        if (conEsquema)
            esquema(catalogo->conexion());
        for (const Sentencia &s : sentencias())
            malas += plan(catalogo->conexion(), s) ? 0 : 1;
        std::printf("\n");
    }
    std::printf("%d plan(es) mejorable(s)\n", malas);
    return malas == 0 ? 0 : 1;
}
