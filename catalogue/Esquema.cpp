#include "Esquema.h"

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

// One index per statement that filters or orders; each covers its query where
// it can, so the walk never touches the table rows.
constexpr const char *indices[] = {
    "CREATE INDEX IF NOT EXISTS ix_articulos_titulo ON AutoresArticulos "
    "(des_articulo COLLATE es, id_boletin, id_articulo)",
    "CREATE INDEX IF NOT EXISTS ix_articulos_boletin ON AutoresArticulos (id_boletin)",
    "CREATE INDEX IF NOT EXISTS ix_autores_autor ON Autores (autor COLLATE es, id_autor)",
    "CREATE INDEX IF NOT EXISTS ix_relacion_autor ON RelacionAutorArticulo (id_autor, id_articulo)",
    "CREATE INDEX IF NOT EXISTS ix_relacion_articulo ON RelacionAutorArticulo (id_articulo)",
    "CREATE INDEX IF NOT EXISTS ix_materia_articulo ON articulo_materia (id_materia, id_articulo)",
    "CREATE INDEX IF NOT EXISTS ix_materias_grupo ON Materias (id_grupo, des_materia COLLATE es)",
    "CREATE INDEX IF NOT EXISTS ix_grupos_des ON GruposMaterias (des_grupo COLLATE es, id_grupo)",
    "CREATE INDEX IF NOT EXISTS ix_numeros_orden ON NumerosPorAños (orden_AñoNumero)",
    "CREATE INDEX IF NOT EXISTS ix_disco_boletin ON RelacionBoletinDisco (id_boletin)",
};

} // namespace

namespace Esquema {

bool crearTablas(sqlite3 *db)
{
    return sqlite3_exec(db, tablas, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool crearIndices(sqlite3 *db)
{
    bool ok = true;
    for (const char *sql : indices) {
        const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
        // A Jet catalogue may lack a table or column: no index then, not an error.
        if (rc != SQLITE_OK && rc != SQLITE_ERROR)
            ok = false;
    }
    sqlite3_exec(db, "ANALYZE", nullptr, nullptr, nullptr);
    return ok;
}

} // namespace Esquema
