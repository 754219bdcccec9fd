// SPDX-License-Identifier: GPL-3.0-or-later
#include "CatalogoAjeno.h"

#include "Colacion.h"
#include "Esquema.h"

#include <QByteArrayList>
#include <QUrl>

#include <sqlite3.h>

namespace {

QByteArray identificador(const QByteArray &nombre)
{
    QByteArray s = nombre;
    s.replace('"', "\"\"");
    return '"' + s + '"';
}

QByteArrayList textos(sqlite3 *db, const QByteArray &sql, int columna)
{
    QByteArrayList lista;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
        return lista;
    while (sqlite3_step(st) == SQLITE_ROW)
        lista << QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(st, columna)));
    sqlite3_finalize(st);
    return lista;
}

// A column the program does not know keeps its affinity; text gets the
// catalogue collation.
QByteArray declaracionAjena(const QByteArray &tipo)
{
    const QByteArray t = tipo.toUpper();
    if (t.contains("INT"))
        return QByteArrayLiteral("INTEGER");
    if (t.contains("CHAR") || t.contains("CLOB") || t.contains("TEXT"))
        return QByteArrayLiteral("TEXT COLLATE ") + Colacion::nombre;
    if (t.isEmpty() || t.contains("BLOB"))
        return {};
    if (t.contains("REAL") || t.contains("FLOA") || t.contains("DOUB"))
        return QByteArrayLiteral("REAL");
    return QByteArrayLiteral("NUMERIC");
}

} // namespace

namespace CatalogoAjeno {

Resultado<Conexion> copiar(const QString &ruta)
{
    sqlite3 *db = nullptr;
    const int abierta = sqlite3_open_v2(":memory:", &db,
                                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                            | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI,
                                        nullptr);
    Conexion conexion(db);
    const auto fallo = [db](const QString &que) {
        return Resultado<Conexion>::fallo(que + QStringLiteral(" (")
                                                   + QString::fromUtf8(sqlite3_errmsg(db))
                                                   + QStringLiteral(")"));
    };
    if (abierta != SQLITE_OK || !Colacion::registrar(db))
        return fallo(QStringLiteral("no se pudo crear la copia en memoria"));
    const auto ejecutar = [db](const QByteArray &sql) {
        return sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    };
    // mode=ro: no journal, no lock file, nothing beside it.
    QByteArray uri = QUrl::fromLocalFile(ruta).toEncoded() + "?mode=ro";
    uri.replace('\'', "''");
    if (!ejecutar("PRAGMA journal_mode=OFF; ATTACH '" + uri + "' AS ajeno"))
        return fallo(QStringLiteral("no se pudo leer el catálogo"));

    const QByteArrayList tablas =
        textos(db,
               "SELECT name FROM ajeno.sqlite_schema WHERE type = 'table' "
               "AND name NOT LIKE 'sqlite_%'",
               0);
    bool ok = ejecutar("BEGIN");
    for (const QByteArray &tabla : tablas) {
        const QByteArray t = QByteArray(tabla).replace('\'', "''");
        const QByteArray nombres =
            "SELECT name, type FROM pragma_table_info('" + t + "', 'ajeno')";
        const QByteArrayList columnas = textos(db, nombres, 0);
        const QByteArrayList tipos = textos(db, nombres, 1);
        QByteArrayList declaradas;
        QByteArray clave; // the program's key, kept where every row has one of its own
        for (qsizetype i = 0; i < columnas.size(); ++i) {
            QByteArray d = Esquema::declaracion(tabla, columnas[i]);
            if (d.isNull())
                d = declaracionAjena(tipos.value(i));
            declaradas << identificador(columnas[i]) + ' ' + d;
            if (Esquema::esClave(tabla, columnas[i]))
                clave = columnas[i];
        }
        // A null would become a new number there: no key then.
        if (!clave.isEmpty()
            && !textos(db,
                       "SELECT 1 FROM ajeno." + identificador(tabla) + " WHERE "
                           + identificador(clave) + " IS NULL LIMIT 1",
                       0)
                    .isEmpty())
            clave.clear();
        const auto copiarTabla = [&](bool conClave) {
            QByteArrayList d = declaradas;
            if (conClave)
                d[columnas.indexOf(clave)] += " PRIMARY KEY";
            return ejecutar("CREATE TABLE main." + identificador(tabla) + " (" + d.join(", ") + ")")
                   && ejecutar("INSERT INTO main." + identificador(tabla) + " SELECT * FROM ajeno."
                               + identificador(tabla));
        };
        // The key makes lookups by it as quick as on the program's own catalogue
        // and spares an index; ids repeated or not whole numbers refuse it.
        ok = ok && !declaradas.isEmpty()
             && ((!clave.isEmpty() && copiarTabla(true))
                 || ((clave.isEmpty() || ejecutar("DROP TABLE main." + identificador(tabla)))
                     && copiarTabla(false)));
        if (!ok)
            break;
    }
    if (!ok || !ejecutar("COMMIT"))
        return fallo(QStringLiteral("no se pudo copiar el catálogo a memoria"));
    ejecutar("DETACH ajeno");
    // The index builds sort in runs of a few megabytes kept in SQLite's
    // temporary files, a quarter quicker than one sort of every key in memory
    // (where SQLite allocates each key apart) and with less memory at its peak.
    // Where no temporary file can be made, in memory after all.
    if (!Esquema::crearIndices(db)
        && (!ejecutar("PRAGMA temp_store=MEMORY") || !Esquema::crearIndices(db)))
        return fallo(QStringLiteral("no se pudo indexar la copia en memoria"));
    return conexion;
}

} // namespace CatalogoAjeno
