// SPDX-License-Identifier: GPL-3.0-or-later
#include "Conexion.h"

#include <sqlite3.h>

void CerrarConexion::operator()(sqlite3 *db) const
{
    // _v2: a statement still open keeps the connection until it is finalised.
    sqlite3_close_v2(db);
}
