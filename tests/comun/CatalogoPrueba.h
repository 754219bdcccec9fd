// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Test catalogues: the program's own schema filled from an SQL file.
namespace CatalogoPrueba {

// Path of tests/fixtures/<nombre>.
QString fixture(const QString &nombre);

// Writes an SQLite catalogue at `ruta` from tests/fixtures/catalogo.sql (or the
// SQL given). Returns false and prints the reason on failure.
bool crear(const QString &ruta, const QString &sqlExtra = {});

} // namespace CatalogoPrueba
