// SPDX-License-Identifier: GPL-3.0-or-later
#include "Formulario.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScreen>

namespace {

// Windows loaded now: created and not yet unloaded.
QList<Formulario *> &cargadas()
{
    static QList<Formulario *> l;
    return l;
}

// Unloads under way: a window's unload steps may unload others (the search
// window its pickers); the count is made once the outermost one is done.
int s_descargas = 0;

} // namespace

Formulario::Formulario(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    cargadas().append(this);
}

Formulario::~Formulario()
{
    cargadas().removeOne(this);
}

void Formulario::Unload()
{
    if (m_descargado)
        return;
    m_descargado = true;
    cargadas().removeOne(this);
    ++s_descargas;
    Form_Unload();
    Q_EMIT descargando();
    hide();
    deleteLater();
    --s_descargas;
    comprobarSiQuedanVentanas();
}

void Formulario::comprobarSiQuedanVentanas()
{
    if (!alQuedarSinVentanas || s_descargas > 0)
        return;
    for (const Formulario *w : std::as_const(cargadas()))
        if (w->isVisible())
            return;
    ++s_descargas;
    const QList<Formulario *> ocultas = cargadas();
    for (Formulario *w : ocultas)
        w->Unload();
    --s_descargas;
    alQuedarSinVentanas();
}

void Formulario::closeEvent(QCloseEvent *event)
{
    event->accept();
    Unload();
}

void Formulario::setTamanoCliente(int ancho, int alto)
{
    setFixedSize(ancho, alto);
}

void Formulario::setFondo(const QPixmap &fondo)
{
    m_fondo = fondo;
    update();
}

void Formulario::paintEvent(QPaintEvent *event)
{
    if (m_fondo.isNull())
        return QWidget::paintEvent(event);
    QPainter p(this);
    p.drawPixmap(0, 0, m_fondo);
}

void Formulario::mostrarJuntoA(const QWidget &otra)
{
    if (!m_colocado && otra.isVisible()) {
        m_colocado = true;
        const QRect marco = otra.frameGeometry();
        const QRect pantalla = otra.screen() ? otra.screen()->availableGeometry() : QRect();
        QPoint lugar(marco.right() + 8, marco.top());
        if (!pantalla.isEmpty() && lugar.x() + frameGeometry().width() > pantalla.right())
            lugar.setX(std::max(pantalla.left(), marco.right() - frameGeometry().width() - 24));
        move(lugar);
    }
    show();
    raise();
    activateWindow();
}
