// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

class VentanaBusqueda;
class frmBrowser;

// Click on a line of the result list: finds the disc and file of the line's
// issue, asks for the right disc until it is in or the reader cancels, and opens
// the document in a new viewer window.
void ListaArtic_Click(VentanaBusqueda &busqueda);

namespace AbrirDocumento {

// The disc is disc 1: the number 1, or the text "1". Anything else
// (another number, other text, empty, null) is disc 2.
bool esDisco1(const QVariant &disco);

// A new viewer on `ruta` (empty loads nothing), captioned with the key. With
// an article's title, the document opens at the article.
frmBrowser *abrirVisor(const QString &ruta, qint32 clave, const QString &titulo = {});

} // namespace AbrirDocumento
