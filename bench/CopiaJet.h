// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A catalogue in the shape a Jet import gives it, at any size: the tables of an
// SQLite catalogue copied into memory without their primary keys (a Jet file's
// keys do not come across), then the import's indexes. It is the copy the
// program makes of another tool's SQLite catalogue; no big Jet file can be
// written here (libmdb only reads), so this is how the import's indexes meet a
// large catalogue.

#include "Catalogo.h"
#include "CatalogoAjeno.h"

namespace CopiaJet {

// The in-memory copy as a catalogue, or the reason.
inline Resultado<std::shared_ptr<Catalogo>> crear(const QString &rutaSqlite)
{
    auto copia = CatalogoAjeno::copiar(rutaSqlite);
    if (!copia)
        return copia;
    return std::make_shared<Catalogo>(*std::move(copia), rutaSqlite);
}

} // namespace CopiaJet
