// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The text with á é í ó ú replaced by their plain vowels; every other character
// (capitals, ü, ñ, grave accents, combining marks) is kept.
QString QuitarAcentos(const QString &texto);

// Lower-cased (Unicode: Á→á, Ñ→ñ), stripped of surrounding blanks (U+0020 only)
// and folded: the form in which the match lookup compares texts.
QString prepararTexto(const QString &texto);

// True when the prepared `texto` occurs in the prepared `valor`. An empty value
// never matches; an empty text matches every other value.
bool contieneTexto(const QString &valorPreparado, const QString &textoPreparado);
