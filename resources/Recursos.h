#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures, drawn from the SVG files compiled in.
namespace Recursos {

// A picture at its natural size (the size the SVG declares), e.g. "principal".
QPixmap imagen(const QString &nombre);
QIcon icono();

} // namespace Recursos
