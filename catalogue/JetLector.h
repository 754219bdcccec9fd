// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conexion.h"
#include "Resultado.h"

#include <QByteArray>

// The libmdb side of a Jet import: reads every user table of an .mdb file into a
// new in-memory SQLite database, with the collation registered and the indexes of
// the program's statements built. libmdb is not to be trusted with a damaged
// file, so JetImport runs this only in a process of its own (boletin-jet), which
// it can abandon; only that process links libmdb.
namespace JetLector {

// The database, or a Spanish reason.
Resultado<Conexion> leer(const QByteArray &rutaNativa);

// The reading process (boletin-jet RUTA): readies this process, reads RUTA and
// answers on JetEnvio::fdRespuesta; libmdb's complaints go to stdout and
// stderr. `antesDeLeer`, when given, runs once the process is ready and before
// the file is read.
int principal(const QByteArray &ruta, void (*antesDeLeer)() = nullptr);

} // namespace JetLector
