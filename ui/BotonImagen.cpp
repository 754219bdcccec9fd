// SPDX-License-Identifier: GPL-3.0-or-later
#include "BotonImagen.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

BotonImagen::BotonImagen(const QPixmap &cara, const QString &nombreAccesible, QWidget *parent)
    : QAbstractButton(parent), m_cara(cara)
{
    setAccessibleName(nombreAccesible);
    setToolTip(nombreAccesible);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void BotonImagen::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const int desplazamiento = isDown() ? 1 : 0;
    p.drawPixmap(QRect(QPoint(desplazamiento, desplazamiento), size()), m_cara);
    if (isDown()) {
        p.setPen(QColor(0, 0, 0, 90));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (hasFocus()) {
        QStyleOptionFocusRect opcion;
        opcion.initFrom(this);
        opcion.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opcion, &p, this);
    }
}

void BotonImagen::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the focused button too, as on a desktop dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
