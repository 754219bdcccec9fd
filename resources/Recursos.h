// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures, drawn from the SVG files compiled in under
// ":/boletin/imagenes/".
namespace Recursos {

// A picture at its natural size (the size the SVG declares), e.g. "principal"
// or "boton_buscar". A null pixmap when there is no picture of that name.
QPixmap imagen(const QString &nombre);

// The program's icon, for the windows and the desktop.
QIcon icono();

} // namespace Recursos
