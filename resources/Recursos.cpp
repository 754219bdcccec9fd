#include "Recursos.h"

#include <QPainter>
#include <QSvgRenderer>

namespace Recursos {

QPixmap imagen(const QString &nombre)
{
    QSvgRenderer svg(QStringLiteral(":/boletin/imagenes/") + nombre + QStringLiteral(".svg"));
    if (!svg.isValid())
        return {};
    QPixmap pixmap(svg.defaultSize());
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    svg.render(&p);
    return pixmap;
}

QIcon icono()
{
    return QIcon(QStringLiteral(":/boletin/imagenes/icono.svg"));
}

} // namespace Recursos
