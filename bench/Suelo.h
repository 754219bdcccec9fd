// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The floor under a search: the SQLite engine alone, on a connection of its
// own with the catalogue's collation, running the very statements the search's
// click runs, stepping every row and taking the columns the program reads.
// No program on top of the engine can list the rows faster.

#include "Colacion.h"
#include "Sentencias.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

namespace Suelo {

[[noreturn]] inline void fallar(const QString &motivo)
{
    std::fprintf(stderr, "suelo: %s\n", qPrintable(motivo));
    std::exit(2);
}

// A read-only connection to an SQLite catalogue, as the program opens one
// (catalogue/Catalogo.cpp): one thread, so no mutex around each call.
inline sqlite3 *abrir(const QString &ruta)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr)
            != SQLITE_OK
        || !Colacion::registrar(db))
        fallar(QStringLiteral("no se puede abrir ") + ruta);
    return db;
}

inline qint64 primerEntero(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK
        || sqlite3_step(stmt) != SQLITE_ROW)
        fallar(QString::fromUtf8(sqlite3_errmsg(db)));
    const qint64 v = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return v;
}

// The subject the benchmarks pick: the one with most articles.
inline qint64 materiaMayor(sqlite3 *db)
{
    return primerEntero(db, "SELECT id_materia FROM articulo_materia GROUP BY id_materia "
                            "ORDER BY count(*) DESC, id_materia LIMIT 1");
}

// The statements of a case's click, in its order.
inline QStringList sentencias(sqlite3 *db, const QString &caso, const QString &texto)
{
    if (caso == u"titulo")
        return {Sentencias::articulosConTitulo(texto), Sentencias::todosLosArticulos()};
    if (caso == u"espacios")
        return {Sentencias::articulosConTitulo(QStringLiteral("   ")),
                Sentencias::todosLosArticulos()};
    if (caso == u"autor")
        return {Sentencias::autorConNombre(texto), Sentencias::todosLosAutores()};
    if (caso == u"cronologico")
        return {Sentencias::numerosEnOrden()};
    if (caso == u"materia")
        return {Sentencias::articulosDeMateria(materiaMayor(db))};
    return {};
}

inline volatile std::size_t sumidero = 0; // keeps the column reads from being optimised away

// Runs `sql` to its end and returns its rows. Text columns are fetched as the
// data source fetches them (UTF-8, no copy), numbers as numbers.
inline qint64 recorrer(sqlite3 *db, const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK)
        fallar(QString::fromUtf8(sqlite3_errmsg(db)) + QStringLiteral(": ") + sql);
    const int columnas = sqlite3_column_count(stmt);
    qint64 filas = 0;
    std::size_t suma = 0;
    int rc = 0;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        ++filas;
        for (int c = 0; c < columnas; ++c) {
            if (sqlite3_column_type(stmt, c) == SQLITE_TEXT)
                suma += std::size_t(sqlite3_column_bytes(stmt, c))
                        + std::size_t(sqlite3_column_text(stmt, c)[0]);
            else
                suma += std::size_t(sqlite3_column_int64(stmt, c));
        }
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        fallar(QString::fromUtf8(sqlite3_errmsg(db)));
    sumidero = suma;
    return filas;
}

// Runs the statements in order; returns the rows of the last, the listed ones.
inline qint64 recorrerTodas(sqlite3 *db, const QStringList &sentencias)
{
    qint64 filas = 0;
    for (const QString &s : sentencias)
        filas = recorrer(db, s);
    return filas;
}

} // namespace Suelo
