// SPDX-License-Identifier: GPL-3.0-or-later
#include "VentanaEspera.h"

#include "Catalogo.h"
#include "Mensajes.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString texto = QStringLiteral("Leyendo el catálogo...");

// Drops the reader's input to every window while a catalogue opens: the open
// runs inside whatever click started it, and a second click must not start
// another. Closing a window is input too.
class SinEntrada final : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::ContextMenu:
        case QEvent::Close:
            e->ignore();
            return true;
        default:
            return false;
        }
    }
};

std::unique_ptr<SinEntrada> g_filtro;
QPointer<QWidget> g_ventana;

QWidget *crearVentana()
{
    auto *ventana = new QWidget(QApplication::activeWindow(),
                                Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ventana->setObjectName(QStringLiteral("VentanaEspera"));
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->setWindowModality(Qt::ApplicationModal);
    ventana->setWindowTitle(tituloPrograma);
    ventana->setAccessibleName(texto);
    auto *etiqueta = new QLabel(texto, ventana);
    auto *barra = new QProgressBar(ventana);
    barra->setRange(0, 0); // how long the reading takes is not known beforehand
    barra->setTextVisible(false);
    barra->setAccessibleName(texto);
    auto *columna = new QVBoxLayout(ventana);
    columna->addWidget(etiqueta);
    columna->addWidget(barra);
    ventana->setFixedWidth(320);
    ventana->adjustSize();
    // Over the middle of the window it belongs to, as a dialog would be placed.
    const QWidget *dueno = ventana->parentWidget();
    const QRect sobre = dueno ? dueno->frameGeometry()
                              : (ventana->screen() ? ventana->screen()->availableGeometry() : QRect());
    if (!sobre.isEmpty())
        ventana->move(sobre.center() - ventana->rect().center());
    return ventana;
}

void mientras(std::chrono::milliseconds transcurrido)
{
    if (!g_filtro) {
        g_filtro = std::make_unique<SinEntrada>();
        qApp->installEventFilter(g_filtro.get());
    }
    if (transcurrido >= VentanaEspera::retraso && !g_ventana) {
        g_ventana = crearVentana();
        g_ventana->show();
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void fin()
{
    delete g_ventana.data();
    g_filtro.reset();
}

} // namespace

namespace VentanaEspera {

void instalar()
{
    Catalogo::setEspera({mientras, fin});
}

} // namespace VentanaEspera
