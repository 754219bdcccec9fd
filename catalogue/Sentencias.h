#pragma once

#include <QString>

// The statements the program runs on the catalogue, each built by plain
// concatenation of its fixed pieces and the inserted value.
namespace Sentencias {

// Text for a quoted literal: each ' doubled, so typed text can never end the
// literal and change the statement.
QString citar(const QString &texto);

QString gruposMaterias();                          // 1
QString materiasDeGrupo(const QString &grupo);     // 2
QString articulosDeMateria(qint64 idMateria);      // 3
QString numerosEnOrden();                          // 4
QString articulosConTitulo(const QString &titulo); // 5
QString todosLosArticulos();                       // 6
QString todosLosAutores();                         // 7
QString autorConNombre(const QString &autor);      // 8
QString articulosDeAutor(qint64 idAutor);          // 9, in the engine's order
QString articulosDeAutorPorTitulo(qint64 idAutor); // 10, ordered by title
// 11 and 12: disc and file of an issue ("NumerosPorAños", "id_boletin") or of an
// article's issue ("AutoresArticulos", "id_articulo").
QString discoYArchivo(const QString &tabla, const QString &columnaClave, qint64 clave);

// Before the main window gives it statement 1, the subject-group data source
// holds this bare table name.
inline const QString tablaGruposMaterias = QStringLiteral("gruposmaterias");

} // namespace Sentencias
