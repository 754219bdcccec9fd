// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class Azar;

// Writes the bulletin's texts from the vocabulary: titles that read like the
// titles of a technical bulletin of their year, and filler paragraphs.
namespace Redactor {

struct Titulo
{
    QString texto;
    int tema = 0;    // index in Vocabulario::temas()
    int materia = 0; // subject index within the theme
    int objeto = 0;  // index in the theme's noun phrases
};

// A title for an article of an issue of the given year: only what existed by
// then is written about, and years it names lie before it. detalle, from 0 to
// 1, makes titles longer and more specific (places, subtitles), as a big
// catalogue needs to keep its titles mostly distinct.
Titulo titulo(Azar &azar, int anio, double detalle);

// Two paragraphs about a theme's noun phrase, for an article's page.
QStringList parrafos(Azar &azar, int anio, int tema, int objeto);

// "de el" → "del", "a el" → "al", and a capital first letter (after an opening
// "¿" or "¡").
QString pulir(QString texto);

} // namespace Redactor
