// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conexion.h"
#include "Resultado.h"

#include <QString>

namespace JetImport {

// Reads every user table of a Jet 3/4 (.mdb) file into a new in-memory SQLite
// database: same table and column names, NULLs kept, text as UTF-8 declared with
// the catalogue collation, numbers as numbers. Or, when the file cannot be
// read, a Spanish reason without the path.
Resultado<Conexion> importar(const QString &ruta);

} // namespace JetImport
