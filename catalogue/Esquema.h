// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Resultado.h"

#include <QByteArray>
#include <QHash>
#include <QString>

struct sqlite3;

// The catalogue's eight tables as this program writes them (demo collections,
// test catalogues), and the indexes that let its statements walk in order
// instead of sorting.
namespace Esquema {

// Creates the eight tables, empty. The text columns use the catalogue collation,
// which must be registered on db first. Returns false on an SQLite error.
bool crearTablas(sqlite3 *db);

// Creates the indexes the statements use; run after the rows are in (faster).
// Tables or columns that do not exist are passed over, so it also serves a
// catalogue imported from a Jet file.
bool crearIndices(sqlite3 *db);

// Whether the main database of db holds the tables and indexes as this program
// writes them (crearTablas, then crearIndices), each declared word for word:
// only then do its text columns compare and sort by the catalogue collation and
// its statements find their indexes. Reads the schema only; SQLite's reason
// when even that cannot be read (a damaged file).
Resultado<bool> esPropio(sqlite3 *db);

// How this program declares `columna` of `tabla` ("INTEGER", "TEXT COLLATE es",
// ...), without keys; a null text for a column not of its schema.
QByteArray declaracion(const QByteArray &tabla, const QByteArray &columna);

// Whether `columna` is the INTEGER PRIMARY KEY of `tabla` in this program's schema.
bool esClave(const QByteArray &tabla, const QByteArray &columna);

} // namespace Esquema
