#pragma once

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

} // namespace Esquema
