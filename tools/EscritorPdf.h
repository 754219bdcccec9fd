// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

class Coleccion;
struct ArticuloDemo;
struct NumeroDemo;

// Writes an issue's document: A4, a cover with the table of contents, then a
// page per article with its title, its authors and a little text (two to four
// pages in the long issues of CasosDemo). Text only, so each file stays small,
// but for the one scanned issue, whose pages are pictures. Each contents line
// links to its article, and the outline lists the articles (and, in the long
// issues, their further pages). Needs a QGuiApplication.
namespace EscritorPdf {

// Returns false and sets *error (in Spanish) when the file cannot be written.
bool escribir(const QString &ruta, const Coleccion &coleccion, const NumeroDemo &numero,
              const std::vector<ArticuloDemo> &articulos, QString *error);

// "García López, Ana" as it reads on a page: "Ana García López".
QString nombreLegible(const QString &autor);

} // namespace EscritorPdf
