// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Resultado.h"

#include <QString>

class QPdfDocument;
class QPrinter;

// Printing and copying a document, apart from any dialog, so that both can be
// tried without one.
namespace ImpresionPdf {

// Prints the printer's page range (all pages when it has none), each page
// rendered at the printer's resolution (at most `dpiMaximo`) and fitted to
// the paper, centred. Done, or why printing failed.
Resultado<> imprimir(QPdfDocument &documento, QPrinter &impresora);
inline constexpr int dpiMaximo = 300;

// Copies `origen` byte for byte to `destino`, replacing what is there; the
// copy is written beside and put in place whole. Never writes to `origen`.
// Done, or why not.
Resultado<> guardarCopia(const QString &origen, const QString &destino);

} // namespace ImpresionPdf
