#pragma once

// A catalogue in the shape a Jet import gives it, at any size: the tables of an
// SQLite catalogue copied into memory without their primary keys (a Jet file's
// keys do not come across), the text columns with the catalogue collation, then
// Esquema::crearIndices as the import runs it. No big Jet file can be written
// here (libmdb only reads), so this is how the import's indexes meet a large
// catalogue.

#include "Colacion.h"
#include "Esquema.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <sqlite3.h>

namespace CopiaJet {

inline QString ultimoError(sqlite3 *db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// Returns the in-memory copy, or nullptr and sets *error.
inline sqlite3 *crear(const QString &rutaSqlite, QString *error)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(":memory:", &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr)
            != SQLITE_OK
        || !Colacion::registrar(db)) {
        *error = db ? ultimoError(db) : QStringLiteral("sin memoria");
        sqlite3_close(db);
        return nullptr;
    }
    const auto ejecutar = [db, error](const QString &sql) {
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK)
            return true;
        *error = ultimoError(db) + QStringLiteral(": ") + sql;
        return false;
    };
    QString origen = rutaSqlite;
    origen.replace(u'\'', QStringLiteral("''"));
    if (!ejecutar(QStringLiteral("ATTACH '") + origen + QStringLiteral("' AS o"))) {
        sqlite3_close(db);
        return nullptr;
    }

    QStringList tablas;
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM o.sqlite_schema WHERE type = 'table' "
                           "AND name NOT LIKE 'sqlite_%'",
                       -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        tablas << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);

    bool ok = ejecutar(QStringLiteral("BEGIN"));
    for (const QString &tabla : tablas) {
        // Column types as the Jet reader declares them: INTEGER, REAL, or TEXT
        // with the collation; no key.
        QStringList columnas;
        const QByteArray info =
            (QStringLiteral("PRAGMA o.table_info(\"") + tabla + QStringLiteral("\")")).toUtf8();
        sqlite3_prepare_v2(db, info.constData(), -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const QString nombre =
                QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1)));
            const QString tipo =
                QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 2)))
                    .toUpper();
            const QString declarado = tipo.contains(QStringLiteral("TEXT"))
                                          ? QStringLiteral("TEXT COLLATE ")
                                                + QString::fromLatin1(Colacion::nombre)
                                      : tipo.contains(QStringLiteral("REAL"))
                                          ? QStringLiteral("REAL")
                                          : QStringLiteral("INTEGER");
            columnas << u'"' + nombre + QStringLiteral("\" ") + declarado;
        }
        sqlite3_finalize(stmt);
        ok = ok
             && ejecutar(QStringLiteral("CREATE TABLE main.\"") + tabla + QStringLiteral("\" (")
                         + columnas.join(QStringLiteral(", ")) + u')')
             && ejecutar(QStringLiteral("INSERT INTO main.\"") + tabla
                         + QStringLiteral("\" SELECT * FROM o.\"") + tabla + u'"');
    }
    ok = ok && ejecutar(QStringLiteral("COMMIT")) && ejecutar(QStringLiteral("DETACH o"));
    if (ok && !Esquema::crearIndices(db)) {
        *error = ultimoError(db);
        ok = false;
    }
    if (!ok) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

} // namespace CopiaJet
