// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

struct sqlite3;

// An SQLite connection that closes with its owner, so that no road out of an
// open, a copy or an import leaves one behind.
struct CerrarConexion
{
    void operator()(sqlite3 *db) const;
};
using Conexion = std::unique_ptr<sqlite3, CerrarConexion>;
