// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recursos.h"

#include <QPainter>
#include <QSvgRenderer>

namespace Recursos {

namespace {

QString ruta(const QString &nombre)
{
    return QStringLiteral(":/boletin/imagenes/") + nombre + QStringLiteral(".svg");
}

QPixmap pintar(QSvgRenderer &svg, const QSize &tamano)
{
    QPixmap pixmap(tamano);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    svg.render(&p);
    return pixmap;
}

} // namespace

QPixmap imagen(const QString &nombre)
{
    QSvgRenderer svg(ruta(nombre));
    if (!svg.isValid())
        return {};
    return pintar(svg, svg.defaultSize());
}

QIcon icono()
{
    // Rendered at the usual icon sizes here rather than left to the SVG icon
    // engine, which is a plugin that a deployment may lack.
    QSvgRenderer svg(ruta(QStringLiteral("icono")));
    QIcon icon;
    if (!svg.isValid())
        return icon;
    for (const int lado : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(pintar(svg, QSize(lado, lado)));
    return icon;
}

} // namespace Recursos
