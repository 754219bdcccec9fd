#include "Formulario.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScreen>

Formulario::Formulario(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Formulario::Unload()
{
    if (m_descargado)
        return;
    m_descargado = true;
    Form_Unload();
    Q_EMIT descargando();
    hide();
    deleteLater();
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
