// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct sqlite3;

namespace JetImport {

// Reads every user table of a Jet 3/4 (.mdb) file into a new in-memory SQLite
// database: same table and column names, NULLs kept, text as UTF-8 declared with
// the catalogue collation, numbers as numbers. Returns nullptr and sets *motivo
// (a Spanish reason, without the path) when the file cannot be read.
sqlite3 *importar(const QString &ruta, QString *motivo);

} // namespace JetImport
