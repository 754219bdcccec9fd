// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

class Coleccion;
struct ArticuloDemo;
struct NumeroDemo;
struct sqlite3;
struct sqlite3_stmt;

// Writes a catalogue file in the program's schema, fast: one transaction,
// prepared inserts, no journal, the indexes built once every row is in.
// A call that fails returns false and errorString() says why, in Spanish.
class EscritorCatalogo final
{
public:
    EscritorCatalogo() = default;
    ~EscritorCatalogo();
    EscritorCatalogo(const EscritorCatalogo &) = delete;
    EscritorCatalogo &operator=(const EscritorCatalogo &) = delete;

    // Creates the file afresh (an existing one is removed) with empty tables.
    bool abrir(const QString &ruta);
    // Groups, subjects, authors, issues and their discs.
    bool escribirPlan(const Coleccion &coleccion);
    // One issue's articles and their relations to authors and subjects.
    bool escribirArticulos(const Coleccion &coleccion, const std::vector<ArticuloDemo> &articulos,
                           const NumeroDemo &numero);
    // Builds the indexes, commits and closes the file.
    bool terminar();

    const QString &errorString() const { return m_error; }

private:
    bool ejecutar(const char *sql);
    bool preparar(sqlite3_stmt **stmt, const char *sql);
    bool paso(sqlite3_stmt *stmt);
    bool fallo(const QString &que);
    void cerrar();

    sqlite3 *m_db = nullptr;
    QString m_ruta;
    sqlite3_stmt *m_articulo = nullptr;
    sqlite3_stmt *m_autorArticulo = nullptr;
    sqlite3_stmt *m_materiaArticulo = nullptr;
    QString m_error;
};
