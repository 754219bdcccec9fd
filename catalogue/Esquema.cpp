// SPDX-License-Identifier: GPL-3.0-or-later
#include "Esquema.h"

#include "Colacion.h"

#include <QSet>

#include <sqlite3.h>

namespace {

// "disco" has no declared type: a catalogue may hold 1 as a number or as the text "1".
constexpr const char *tablas = R"sql(
CREATE TABLE GruposMaterias (id_grupo INTEGER PRIMARY KEY, des_grupo TEXT COLLATE es);
CREATE TABLE Materias (id_materia INTEGER PRIMARY KEY, des_materia TEXT COLLATE es,
                       id_grupo INTEGER);
CREATE TABLE Autores (id_autor INTEGER PRIMARY KEY, autor TEXT COLLATE es);
CREATE TABLE RelacionAutorArticulo (id_autor INTEGER, id_articulo INTEGER);
CREATE TABLE AutoresArticulos (id_articulo INTEGER PRIMARY KEY, des_articulo TEXT COLLATE es,
                               id_boletin INTEGER);
CREATE TABLE NumerosPorAños (id_boletin INTEGER PRIMARY KEY, des_añoNumero TEXT COLLATE es,
                             orden_AñoNumero INTEGER);
CREATE TABLE articulo_materia (id_materia INTEGER, id_articulo INTEGER);
CREATE TABLE RelacionBoletinDisco (id_boletin INTEGER PRIMARY KEY, disco, loc_añoNumero TEXT);
)sql";

// One index per statement that filters, joins or orders; each covers its query
// where it can, so the walk never touches the table rows. `clave` names a key
// column whose index is left out where that column already is the table's
// rowid (INTEGER PRIMARY KEY, as this program writes its catalogues): a Jet
// import brings no keys, and there the joins need these indexes or scan.
struct Indice
{
    const char *sql;
    const char *tabla = nullptr;
    const char *clave = nullptr;
};

constexpr Indice indices[] = {
    {"CREATE INDEX IF NOT EXISTS ix_articulos_titulo ON AutoresArticulos "
     "(des_articulo COLLATE es, id_boletin, id_articulo)"},
    {"CREATE INDEX IF NOT EXISTS ix_articulos_id ON AutoresArticulos (id_articulo)",
     "AutoresArticulos", "id_articulo"},
    {"CREATE INDEX IF NOT EXISTS ix_numeros_id ON NumerosPorAños (id_boletin, des_añoNumero)",
     "NumerosPorAños", "id_boletin"},
    {"CREATE INDEX IF NOT EXISTS ix_disco_boletin ON RelacionBoletinDisco (id_boletin)",
     "RelacionBoletinDisco", "id_boletin"},
    {"CREATE INDEX IF NOT EXISTS ix_autores_autor ON Autores (autor COLLATE es, id_autor)"},
    {"CREATE INDEX IF NOT EXISTS ix_relacion_autor ON RelacionAutorArticulo (id_autor, id_articulo)"},
    {"CREATE INDEX IF NOT EXISTS ix_materia_articulo ON articulo_materia (id_materia, id_articulo)"},
    {"CREATE INDEX IF NOT EXISTS ix_materias_grupo ON Materias (id_grupo, des_materia COLLATE es)"},
    {"CREATE INDEX IF NOT EXISTS ix_grupos_des ON GruposMaterias (des_grupo COLLATE es, id_grupo)"},
    {"CREATE INDEX IF NOT EXISTS ix_numeros_orden ON NumerosPorAños (orden_AñoNumero)"},
};

// Whether `columna` is the rowid of `tabla`: its only primary key column, of
// type INTEGER.
bool esRowid(sqlite3 *db, const char *tabla, const char *columna)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT (SELECT count(*) FROM pragma_table_info(?1) WHERE pk > 0) = 1 "
                           "AND EXISTS (SELECT 1 FROM pragma_table_info(?1) WHERE pk = 1 "
                           "AND name = ?2 COLLATE NOCASE AND upper(type) = 'INTEGER')",
                           -1, &stmt, nullptr)
        != SQLITE_OK)
        return false;
    sqlite3_bind_text(stmt, 1, tabla, -1, SQLITE_STATIC);
    sqlite3_bind_text(stmt, 2, columna, -1, SQLITE_STATIC);
    const bool es = sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_int(stmt, 0) != 0;
    sqlite3_finalize(stmt);
    return es;
}

struct Referencia
{
    QHash<QByteArray, QByteArray> objetos;     // name -> CREATE statement as SQLite keeps it
    QHash<QByteArray, QByteArray> declaradas;  // "tabla.columna", lower case -> declaration
    QSet<QByteArray> claves;                   // "tabla.columna" of each INTEGER PRIMARY KEY
};

// The schema written into an empty in-memory database once, read back as
// SQLite keeps it.
const Referencia &referencia()
{
    static const Referencia r = [] {
        Referencia r;
        sqlite3 *db = nullptr;
        if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
                != SQLITE_OK
            || !Colacion::registrar(db) || !Esquema::crearTablas(db)
            || !Esquema::crearIndices(db)) {
            sqlite3_close(db);
            return r;
        }
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT s.name, s.sql, c.name FROM sqlite_schema AS s "
                           "LEFT JOIN pragma_table_info(s.name) AS c ON s.type = 'table' "
                           "WHERE s.type IN ('table', 'index') AND s.name NOT LIKE 'sqlite_%'",
                           -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
            const auto texto = [st](int i) {
                return QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(st, i)));
            };
            const QByteArray nombre = texto(0);
            r.objetos.insert(nombre, texto(1));
            if (sqlite3_column_type(st, 2) == SQLITE_NULL)
                continue;
            const QByteArray columna = texto(2);
            const char *tipo = nullptr;
            const char *colacion = nullptr;
            int clave = 0;
            sqlite3_table_column_metadata(db, "main", nombre.constData(), columna.constData(),
                                          &tipo, &colacion, nullptr, &clave, nullptr);
            if (clave && esRowid(db, nombre.constData(), columna.constData()))
                r.claves.insert((nombre + '.' + columna).toLower());
            QByteArray d(tipo ? tipo : "");
            if (colacion && qstricmp(colacion, "BINARY") != 0)
                d += QByteArrayLiteral(" COLLATE ") + colacion;
            r.declaradas.insert((nombre + '.' + columna).toLower(), d);
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return r;
    }();
    return r;
}

} // namespace

namespace Esquema {

Resultado<bool> esPropio(sqlite3 *db)
{
    const auto fallo = [db] {
        return Resultado<bool>::fallo(QString::fromUtf8(sqlite3_errmsg(db)));
    };
    const Referencia &r = referencia();
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT name, sql FROM main.sqlite_schema "
                           "WHERE type IN ('table', 'index') AND name NOT LIKE 'sqlite_%'",
                           -1, &st, nullptr)
        != SQLITE_OK)
        return fallo();
    qsizetype iguales = 0;
    int rc = 0;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        const auto *nombre = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
        const auto *sql = reinterpret_cast<const char *>(sqlite3_column_text(st, 1));
        const auto i = r.objetos.constFind(QByteArray(nombre));
        if (i != r.objetos.cend() && sql && *i == sql)
            ++iguales;
    }
    if (rc != SQLITE_DONE) {
        const auto motivo = fallo();
        sqlite3_finalize(st);
        return motivo;
    }
    sqlite3_finalize(st);
    return !r.objetos.isEmpty() && iguales == r.objetos.size();
}

QByteArray declaracion(const QByteArray &tabla, const QByteArray &columna)
{
    return referencia().declaradas.value((tabla + '.' + columna).toLower());
}

bool esClave(const QByteArray &tabla, const QByteArray &columna)
{
    return referencia().claves.contains((tabla + '.' + columna).toLower());
}


bool crearTablas(sqlite3 *db)
{
    return sqlite3_exec(db, tablas, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool crearIndices(sqlite3 *db)
{
    bool ok = true;
    for (const Indice &indice : indices) {
        if (indice.clave && esRowid(db, indice.tabla, indice.clave))
            continue;
        const int rc = sqlite3_exec(db, indice.sql, nullptr, nullptr, nullptr);
        // A Jet catalogue may lack a table or column: no index then, not an error.
        if (rc != SQLITE_OK && rc != SQLITE_ERROR)
            ok = false;
    }
    // Statistics from a sample of each index: enough for the planner to tell a
    // large table from a small one, and a full ANALYZE costs as much as an
    // index build at a million articles.
    sqlite3_exec(db, "PRAGMA analysis_limit=1000; ANALYZE; PRAGMA analysis_limit=0", nullptr,
                 nullptr, nullptr);
    return ok;
}

} // namespace Esquema
