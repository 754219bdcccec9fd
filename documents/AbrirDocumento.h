// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Busquedas.h"
#include "Resultado.h"

#include <QString>
#include <QVariant>

#include <optional>

class DataSource;
class frmBrowser;

// Opening a result line's issue: where the catalogue says it lies, the disc
// prompts, and the viewer window.
namespace AbrirDocumento {

// The disc is disc 1: the number 1, or the text "1". Anything else
// (another number, other text, empty, null) is disc 2.
bool esDisco1(const QVariant &disco);

// Where a line's issue lies. With no disc row in the catalogue, it is looked
// for on disc 1 and has no file.
struct Ejemplar
{
    bool disco1 = true;
    std::optional<QString> archivo; // its name in Imagenes, without ".pdf"
    QString titulo;                 // the article's, for a line of articles
};

// The issue of the line keyed `clave` of a list of `tipo`, read on `archivo`;
// nullopt for lines that open nothing (subjects, messages).
Resultado<std::optional<Ejemplar>> ejemplar(DataSource &archivo, TipoLista tipo, qint32 clave);

// Asks for the disc until it is in or the reader cancels, then opens
// its document in a new viewer window captioned with the key.
void abrir(const Ejemplar &ejemplar, qint32 clave);

// A new viewer on `ruta` (empty loads nothing), captioned with the key. With
// an article's title, the document opens at the article.
frmBrowser *abrirVisor(const QString &ruta, qint32 clave, const QString &titulo = {});

} // namespace AbrirDocumento
