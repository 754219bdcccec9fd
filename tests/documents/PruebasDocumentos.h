// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MensajesGrabados.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class frmBrowser;

// What the document tests share: PDFs made on the fly, a disc in a folder and
// the viewers left open.
namespace PruebasDocumentos {

// Writes an A4 PDF of `paginas` pages: each page has a black band over its top
// third and its number. `trazos` thin lines over page 1 make it slow to draw.
bool escribirPdf(const QString &ruta, int paginas = 1, int trazos = 0);

// Writes `datos` to `ruta` as they are.
bool escribirArchivo(const QString &ruta, const QByteArray &datos);

// Points the settings at `carpeta`, so that loading the main window writes
// nowhere else. Call before anything opens the settings.
void ajustesEn(const QString &carpeta);

// Loads the main window with `lugar` as the only place (it must hold a marker).
void cargarPrincipal(const QString &lugar);

// Viewer windows open now, in no particular order.
QList<frmBrowser *> visores();
// Destroys every viewer window.
void cerrarVisores();

} // namespace PruebasDocumentos
