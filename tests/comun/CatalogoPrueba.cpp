// SPDX-License-Identifier: GPL-3.0-or-later
#include "CatalogoPrueba.h"

#include "Colacion.h"
#include "Esquema.h"

#include <QFile>

#include <sqlite3.h>

#include <cstdio>

namespace CatalogoPrueba {

QString fixture(const QString &nombre)
{
    return QStringLiteral(BOLETIN_FIXTURES "/") + nombre;
}

bool crear(const QString &ruta, const QString &sqlExtra)
{
    QFile::remove(ruta);
    QFile sql(fixture(QStringLiteral("catalogo.sql")));
    if (!sql.open(QIODevice::ReadOnly))
        return false;
    const QByteArray datos = sql.readAll() + sqlExtra.toUtf8();
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(ruta).constData(), &db) == SQLITE_OK
              && Colacion::registrar(db) && Esquema::crearTablas(db);
    char *err = nullptr;
    ok = ok && sqlite3_exec(db, datos.constData(), nullptr, nullptr, &err) == SQLITE_OK;
    ok = ok && Esquema::crearIndices(db);
    if (!ok)
        std::fprintf(stderr, "CatalogoPrueba: %s\n", err ? err : sqlite3_errmsg(db));
    sqlite3_free(err);
    sqlite3_close(db);
    return ok;
}

} // namespace CatalogoPrueba
