// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conexion.h"
#include "Resultado.h"

#include <QString>

// An SQLite catalogue another tool wrote: the program's tables, but declared as
// that tool chose (no collation, NOCASE, ids as TEXT...). Its text would compare
// and sort byte by byte; read into memory with the program's declarations and
// indexes, every statement answers as on the program's own catalogue.
namespace CatalogoAjeno {

// Copies every table of the SQLite file at `ruta` (opened read-only: nothing is
// written to it or beside it) into a new in-memory database: columns of the
// program's schema declared as the program declares them, others by their
// affinity (text with the catalogue collation), no keys, then the program's
// indexes. Or the reason (Spanish, without the path).
Resultado<Conexion> copiar(const QString &ruta);

} // namespace CatalogoAjeno
