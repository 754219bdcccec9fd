// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the program knows of the reader's session, in one place: the windows
// read and write it. Outlives every window.
struct EstadoPrograma
{
    // The disc root: the place holding a disc of the collection, with no
    // trailing "/"; empty until a disc is found at start-up.
    QString unidadCD;
    // The last search was the chronological one (read by the document viewer).
    bool busquedaCronologica = false;
    // A click on a line of the search window's result list opens its issue.
    bool hayResultados = false;
    // The folder the program runs from, where tests set another; empty: its own.
    QString carpetaInstalacion;
    // The places given with --unidad, in order; unset: the mounted media.
    std::optional<QStringList> lugares;
};
EstadoPrograma &programa();

namespace Programa {

// The folder of the running program (links resolved); tests may set another.
QString carpetaInstalacion();
void setCarpetaInstalacion(const QString &carpeta);
// The catalogue beside the program.
QString rutaCatalogo();

// The places that stand for the drives A: to Z:, in order (at most 26): those
// given with --unidad, else the mount points of removable and optical media.
QStringList lugares();
void setLugares(const QStringList &lugares);
QStringList lugaresMontados();

// Writes one value under the program's settings ("instalacion" section). Not
// checked: a settings folder that cannot be written does not stop the program.
void escribirAjuste(const QString &clave, const QString &valor);

} // namespace Programa
