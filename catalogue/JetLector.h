#pragma once

#include <QString>

struct sqlite3;

// The libmdb side of a Jet import: reads every user table of an .mdb file into a
// new in-memory SQLite database, with the collation registered and the indexes of
// the program's statements built. libmdb is not to be trusted with a damaged
// file, so JetImport runs this only in a child process it can abandon.
namespace JetLector {

// Returns the database, or nullptr and sets *motivo to a Spanish reason.
sqlite3 *leer(const QByteArray &rutaNativa, QString *motivo);

} // namespace JetLector
