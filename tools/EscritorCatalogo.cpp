// SPDX-License-Identifier: GPL-3.0-or-later
#include "EscritorCatalogo.h"

#include "Coleccion.h"
#include "Colacion.h"
#include "Esquema.h"

#include <QFile>
#include <QThread>

#include <sqlite3.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

void enlazarTexto(sqlite3_stmt *stmt, int columna, const QString &texto)
{
    sqlite3_bind_text16(stmt, columna, texto.utf16(), int(texto.size() * sizeof(char16_t)),
                        SQLITE_TRANSIENT);
}

// Finalizes a statement whatever way the function that prepared it leaves.
struct Sentencia final
{
    sqlite3_stmt *stmt = nullptr;
    Sentencia() = default;
    Sentencia(const Sentencia &) = delete;
    Sentencia &operator=(const Sentencia &) = delete;
    ~Sentencia() { sqlite3_finalize(stmt); }
};

} // namespace

EscritorCatalogo::~EscritorCatalogo()
{
    cerrar();
}

void EscritorCatalogo::cerrar()
{
    for (sqlite3_stmt **s : {&m_articulo, &m_autorArticulo, &m_materiaArticulo}) {
        sqlite3_finalize(*s);
        *s = nullptr;
    }
    sqlite3_close(m_db);
    m_db = nullptr;
}

bool EscritorCatalogo::fallo(const QString &que)
{
    m_error = u"No se pudo %1 el catálogo «%2»: %3."_s.arg(
        que, m_ruta, m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : u"sin memoria"_s);
    return false;
}

bool EscritorCatalogo::ejecutar(const char *sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK || fallo(u"escribir"_s);
}

bool EscritorCatalogo::preparar(sqlite3_stmt **stmt, const char *sql)
{
    return sqlite3_prepare_v2(m_db, sql, -1, stmt, nullptr) == SQLITE_OK
           || fallo(u"preparar"_s);
}

bool EscritorCatalogo::paso(sqlite3_stmt *stmt)
{
    const bool ok = sqlite3_step(stmt) == SQLITE_DONE;
    sqlite3_reset(stmt);
    return ok || fallo(u"escribir"_s);
}

bool EscritorCatalogo::abrir(const QString &ruta)
{
    cerrar();
    m_ruta = ruta;
    if (QFile::exists(ruta) && !QFile::remove(ruta)) {
        m_error = u"No se pudo borrar el archivo «%1»."_s.arg(ruta);
        return false;
    }
    if (sqlite3_open_v2(QFile::encodeName(ruta).constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK)
        return fallo(u"crear"_s);
    // The file is only renamed into place once complete, so a crash cannot
    // leave a half-written catalogue behind: no journal is needed. Building the
    // title index sorts with the Spanish collation, the slowest step of a big
    // catalogue; SQLite's sorter shares a sort among threads only when it runs
    // in several parts, hence a modest cache (32 MB) and one thread per core.
    const QByteArray hilos =
        "PRAGMA threads=" + QByteArray::number(std::clamp(QThread::idealThreadCount(), 1, 8));
    return ejecutar("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; "
                    "PRAGMA locking_mode=EXCLUSIVE; PRAGMA temp_store=MEMORY; "
                    "PRAGMA cache_size=-32768")
           && ejecutar(hilos.constData())
           && (Colacion::registrar(m_db) || fallo(u"preparar"_s))
           && (Esquema::crearTablas(m_db) || fallo(u"crear las tablas de"_s))
           && ejecutar("BEGIN")
           && preparar(&m_articulo, "INSERT INTO AutoresArticulos (id_articulo, des_articulo, "
                                    "id_boletin) VALUES (?, ?, ?)")
           && preparar(&m_autorArticulo, "INSERT INTO RelacionAutorArticulo (id_autor, "
                                         "id_articulo) VALUES (?, ?)")
           && preparar(&m_materiaArticulo, "INSERT INTO articulo_materia (id_materia, "
                                           "id_articulo) VALUES (?, ?)");
}

bool EscritorCatalogo::escribirPlan(const Coleccion &coleccion)
{
    Sentencia grupo, materia, autor, numero, disco;
    if (!preparar(&grupo.stmt, "INSERT INTO GruposMaterias (id_grupo, des_grupo) VALUES (?, ?)")
        || !preparar(&materia.stmt, "INSERT INTO Materias (id_materia, des_materia, id_grupo) "
                                    "VALUES (?, ?, ?)")
        || !preparar(&autor.stmt, "INSERT INTO Autores (id_autor, autor) VALUES (?, ?)")
        || !preparar(&numero.stmt, "INSERT INTO NumerosPorAños (id_boletin, des_añoNumero, "
                                   "orden_AñoNumero) VALUES (?, ?, ?)")
        || !preparar(&disco.stmt, "INSERT INTO RelacionBoletinDisco (id_boletin, disco, "
                                  "loc_añoNumero) VALUES (?, ?, ?)"))
        return false;

    for (const GrupoDemo &g : coleccion.grupos()) {
        sqlite3_bind_int(grupo.stmt, 1, g.id);
        enlazarTexto(grupo.stmt, 2, g.nombre);
        if (!paso(grupo.stmt))
            return false;
    }
    for (const MateriaDemo &m : coleccion.materias()) {
        sqlite3_bind_int(materia.stmt, 1, m.id);
        enlazarTexto(materia.stmt, 2, m.nombre);
        sqlite3_bind_int(materia.stmt, 3, m.grupo);
        if (!paso(materia.stmt))
            return false;
    }
    for (const AutorDemo &a : coleccion.autores()) {
        sqlite3_bind_int(autor.stmt, 1, a.id);
        enlazarTexto(autor.stmt, 2, a.nombre);
        if (!paso(autor.stmt))
            return false;
    }
    for (const NumeroDemo &n : coleccion.numeros()) {
        sqlite3_bind_int(numero.stmt, 1, n.id);
        enlazarTexto(numero.stmt, 2, n.etiqueta());
        sqlite3_bind_int(numero.stmt, 3, n.orden());
        if (!paso(numero.stmt))
            return false;
        sqlite3_bind_int(disco.stmt, 1, n.id);
        if (n.discoComoTexto)
            sqlite3_bind_text(disco.stmt, 2, "1", 1, SQLITE_STATIC);
        else
            sqlite3_bind_int(disco.stmt, 2, n.disco);
        enlazarTexto(disco.stmt, 3, n.archivo());
        if (!paso(disco.stmt))
            return false;
    }
    return true;
}

bool EscritorCatalogo::escribirArticulos(const Coleccion &coleccion,
                                         const std::vector<ArticuloDemo> &articulos,
                                         const NumeroDemo &numero)
{
    const auto &autores = coleccion.autores();
    for (const ArticuloDemo &a : articulos) {
        sqlite3_bind_int(m_articulo, 1, a.id);
        enlazarTexto(m_articulo, 2, a.titulo);
        sqlite3_bind_int(m_articulo, 3, numero.id);
        if (!paso(m_articulo))
            return false;
        for (const int autor : a.autores) {
            sqlite3_bind_int(m_autorArticulo, 1, autores[std::size_t(autor)].id);
            sqlite3_bind_int(m_autorArticulo, 2, a.id);
            if (!paso(m_autorArticulo))
                return false;
        }
        for (const int materia : a.materias) {
            sqlite3_bind_int(m_materiaArticulo, 1, materia);
            sqlite3_bind_int(m_materiaArticulo, 2, a.id);
            if (!paso(m_materiaArticulo))
                return false;
        }
    }
    return true;
}

bool EscritorCatalogo::terminar()
{
    const bool ok = (Esquema::crearIndices(m_db) || fallo(u"indexar"_s)) && ejecutar("COMMIT");
    cerrar();
    return ok;
}
