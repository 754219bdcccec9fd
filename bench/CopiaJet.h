// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A catalogue in the shape a Jet import gives it, at any size: the tables of an
// SQLite catalogue copied into memory without their primary keys (a Jet file's
// keys do not come across), then the import's indexes. It is the copy the
// program makes of another tool's SQLite catalogue; no big Jet file can be
// written here (libmdb only reads), so this is how the import's indexes meet a
// large catalogue.

#include "CatalogoAjeno.h"

namespace CopiaJet {

// Returns the in-memory copy, or nullptr and sets *error.
inline sqlite3 *crear(const QString &rutaSqlite, QString *error)
{
    return CatalogoAjeno::copiar(rutaSqlite, error);
}

} // namespace CopiaJet
