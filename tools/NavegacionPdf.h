// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QString>

#include <vector>

// Adds to a document QPdfWriter wrote what QPdfWriter cannot write: links on
// its first page and an outline. They go in an incremental update appended to
// the file, so nothing QPdfWriter wrote moves.
namespace NavegacionPdf {

// A place in the document: a page (from 0) and how far below the page's top
// edge, in points, the window's top should come.
struct Destino
{
    int pagina = 0;
    double arriba = 0;
};

// An area of the first page, in points from its top-left corner.
struct Enlace
{
    QRectF area;
    Destino destino;
};

struct Entrada
{
    QString titulo;
    Destino destino;
    std::vector<Entrada> hijas;
};

// Returns false, and leaves the file as it was, when it cannot be read or
// written or is not built the way QPdfWriter builds its documents. Also blanks
// out QPdfWriter's creation date, so that the same drawing gives the same bytes.
bool completar(const QString &ruta, const std::vector<Enlace> &enlaces,
               const std::vector<Entrada> &indice);

} // namespace NavegacionPdf
