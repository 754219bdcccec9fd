// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The statements the program runs on the catalogue, each built by plain
// concatenation of its fixed pieces and the inserted value.
namespace Sentencias {

// Text for a quoted literal: each ' doubled, so typed text can never end the
// literal and change the statement.
QString citar(const QString &texto);

// Every subject group (the rows of the group combo).
QString gruposMaterias();
// Name and id of the subjects of one group, by name.
QString materiasDeGrupo(const QString &grupo);
// The article lines (title, id, issue label) of one subject, by title.
QString articulosDeMateria(qint64 idMateria);
// Id and label of every issue, in publication order.
QString numerosEnOrden();
// The article lines whose title is exactly `titulo`, by title.
QString articulosConTitulo(const QString &titulo);
// Every article line, by title: what the title match lookup walks.
QString todosLosArticulos();
// Every author, by name: what the author match lookup walks.
QString todosLosAutores();
// Name and id of the authors named exactly `autor`.
QString autorConNombre(const QString &autor);
// The article lines of one author, in the engine's order.
QString articulosDeAutor(qint64 idAutor);
// The article lines of one author, by title.
QString articulosDeAutorPorTitulo(qint64 idAutor);
// Disc and file of an issue ("NumerosPorAños", "id_boletin") or of an
// article's issue ("AutoresArticulos", "id_articulo").
QString discoYArchivo(const QString &tabla, const QString &columnaClave, qint64 clave);
inline QString discoYArchivoDeNumero(qint64 idBoletin)
{
    return discoYArchivo(QStringLiteral("NumerosPorAños"), QStringLiteral("id_boletin"), idBoletin);
}
inline QString discoYArchivoDeArticulo(qint64 idArticulo)
{
    return discoYArchivo(QStringLiteral("AutoresArticulos"), QStringLiteral("id_articulo"),
                         idArticulo);
}

// Before the main window gives it gruposMaterias(), the subject-group data source
// holds this bare table name.
inline const QString tablaGruposMaterias = QStringLiteral("gruposmaterias");

} // namespace Sentencias
