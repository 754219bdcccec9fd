#pragma once

#include <QString>

class DataSource;
class ListaDatos;

// The article line every list of articles shows: the title, ". ", then the
// issue's label; a null value adds nothing. Its item value is the article's id.
QString lineaArticulo(const QString &titulo, const QString &numero);

// Appends one article line per remaining row of `ds` (columns des_articulo,
// des_añoNumero, id_articulo) to `lista`. Stops the handler (ErrorEjecucion)
// when a column is missing or the catalogue fails while stepping.
void anadirArticulos(ListaDatos &lista, DataSource &ds);

// A key read from the catalogue as the 32-bit item value of a line; null, text
// that is no number, or a value out of range give 0, which is never a key.
qint32 claveDeLinea(const QVariant &valor);
