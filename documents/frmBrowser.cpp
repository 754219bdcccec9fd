// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmBrowser.h"

#include "PanelDocumento.h"
#include "Programa.h"
#include "Recursos.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <array>

using namespace Qt::StringLiterals;

namespace {

// Sizes in pixels, 15 twips to a pixel.
constexpr int twipsPorPixel = 15;
constexpr int margenTwips = 100;

struct BotonBarra
{
    frmBrowser::Boton boton;
    QStringView clave; // its name, for the accessibility tree and tests
    int imagen;        // 1-based, in the image list below
    QStringView texto;
    QStringView ayuda;
};

// The image list: 3, the house, has no button.
constexpr std::array<QStringView, 5> imlIcons = {u"atras", u"adelante", u"casa",
                                                      u"actualizar", u"detener"};

constexpr std::array<BotonBarra, 4> botones = {{
    {frmBrowser::Boton::Back, u"Back", 1, u"Atras", u"Atrás"},
    {frmBrowser::Boton::Forward, u"Forward", 2, u"Adelante", u"Adelante"},
    {frmBrowser::Boton::Stop, u"Stop", 5, u"Detener", u"Detener"},
    {frmBrowser::Boton::Refresh, u"Refresh", 4, u"Actualizar", u"Renovar"},
}};

// The new size of one side of the pane, or -1 to leave it: the inner size less
// 100 twips, when that is more than nothing.
int ladoPanel(int interiorPixeles)
{
    const float twips = float(interiorPixeles * twipsPorPixel - margenTwips);
    return twips > 0 ? qRound(twips / twipsPorPixel) : -1;
}

} // namespace

frmBrowser::frmBrowser(QWidget *parent) : Formulario(parent)
{
    setObjectName(u"frmBrowser"_s);
    resize(420, 419);

    // Stacked bottom to top: the address strip, the pane over it, the toolbar
    // over the pane's top row.
    picAddress = new QWidget(this);
    picAddress->setObjectName(u"picAddress"_s);
    picAddress->setGeometry(0, 25, 420, 29);

    cboAddress = new QComboBox(picAddress);
    cboAddress->setObjectName(u"cboAddress"_s);
    cboAddress->setAccessibleName(u"Dirección"_s);
    cboAddress->setEditable(true);
    // Addresses typed are loaded, never added to the list; no completion, so
    // that Enter loads exactly what was typed.
    cboAddress->setInsertPolicy(QComboBox::NoInsert);
    cboAddress->setCompleter(nullptr);
    cboAddress->setGeometry(-40, 16, 253, 21);
    cboAddress->lineEdit()->installEventFilter(this);

    brwWebBrowser = new PanelDocumento(this);
    brwWebBrowser->setGeometry(0, 24, 424, 448);

    tbToolBar = new QToolBar(this);
    tbToolBar->setObjectName(u"tbToolBar"_s);
    tbToolBar->setGeometry(0, 0, 420, 25);
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbToolBar->setIconSize(QSize(25, 21));
    tbToolBar->layout()->setContentsMargins(0, 0, 0, 0);
    tbToolBar->layout()->setSpacing(0);
    // The buttons are 75 pixels wide, made for a small narrow font: with the
    // desktop's usual one "Actualizar" would not fit beside its picture.
    QFont letra = tbToolBar->font();
    letra.setFamilies(
        {u"MS Sans Serif"_s, u"DejaVu Sans Condensed"_s, u"Liberation Sans Narrow"_s});
    letra.setPointSizeF(7.5);
    tbToolBar->setFont(letra);
    for (const BotonBarra &b : botones) {
        // A picture not drawn yet gives a null pixmap: the button keeps its text.
        const QPixmap imagen = Recursos::imagen(imlIcons.at(b.imagen - 1).toString());
        QAction *accion = tbToolBar->addAction(imagen.isNull() ? QIcon() : QIcon(imagen),
                                               b.texto.toString());
        accion->setObjectName(b.clave.toString());
        accion->setData(QVariant::fromValue(b.boton));
        accion->setToolTip(b.ayuda.toString());
        if (QWidget *boton = tbToolBar->widgetForAction(accion))
            boton->setFixedSize(75, 25);
    }
    connect(tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction *accion) { tbToolBar_ButtonClick(accion->data().value<Boton>()); });

    timTimer = new QTimer(this);
    timTimer->setObjectName(u"timTimer"_s);
    timTimer->setInterval(5);
    connect(timTimer, &QTimer::timeout, this, &frmBrowser::timTimer_Timer);

    connect(brwWebBrowser, &PanelDocumento::DownloadComplete, this,
            &frmBrowser::brwWebBrowser_DownloadComplete);
    connect(cboAddress, &QComboBox::activated, this, &frmBrowser::cboAddress_Click);
    setTabOrder(brwWebBrowser, cboAddress);
    // The desktop's close keys (Ctrl+W, Ctrl+F4) do what the close box does.
    auto *cerrar = new QAction(this);
    cerrar->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)});
    cerrar->setShortcutContext(Qt::WindowShortcut);
    connect(cerrar, &QAction::triggered, this, &QWidget::close);
    addAction(cerrar);
}

void frmBrowser::abrir(const QString &direccion, const QString &tituloArticulo)
{
    StartingAddress = direccion;
    brwWebBrowser->abrirEnArticulo(tituloArticulo);
    Form_Load();
}

void frmBrowser::Form_Load()
{
    // Read once: later searches leave an open window as it is.
    if (!programa().busquedaCronologica) {
        tbToolBar->hide();
        brwWebBrowser->move(brwWebBrowser->x(), 0);
    }
    // The program's icon, as the application holds it: not a window's, which
    // would have to be loaded for it.
    setWindowIcon(QGuiApplication::windowIcon());
    show();
    brwWebBrowser->setFocus();
    Form_Resize();
    if (StartingAddress.isEmpty())
        return;
    cboAddress->setEditText(StartingAddress);
    cboAddress->addItem(cboAddress->currentText());
    timTimer->start();
    brwWebBrowser->Navigate(StartingAddress);
}

// The top edge is not counted: with the toolbar the pane runs past the bottom
// of the window, without it a margin is left, as at the right.
void frmBrowser::Form_Resize()
{
    const int ancho = ladoPanel(width());
    if (ancho >= 0)
        brwWebBrowser->resize(ancho, brwWebBrowser->height());
    const int alto = ladoPanel(height());
    if (alto >= 0)
        brwWebBrowser->resize(brwWebBrowser->width(), alto);
}

void frmBrowser::timTimer_Timer()
{
    if (brwWebBrowser->Busy()) {
        setWindowTitle(u"Trabajando..."_s);
    } else {
        timTimer->stop();
        setWindowTitle(brwWebBrowser->LocationName());
    }
}

void frmBrowser::brwWebBrowser_DownloadComplete()
{
    setWindowTitle(brwWebBrowser->LocationName());
}

// Back or Forward with no step to take load nothing; the timer, started first,
// puts the location name back in the caption.
void frmBrowser::tbToolBar_ButtonClick(Boton key)
{
    timTimer->start();
    switch (key) {
    case Boton::Back:
        brwWebBrowser->GoBack();
        break;
    case Boton::Forward:
        brwWebBrowser->GoForward();
        break;
    case Boton::Refresh:
        brwWebBrowser->Refresh();
        break;
    case Boton::Stop:
        timTimer->stop();
        brwWebBrowser->Stop();
        setWindowTitle(brwWebBrowser->LocationName());
        break;
    }
}

void frmBrowser::cboAddress_Click()
{
    timTimer->start();
    brwWebBrowser->Navigate(cboAddress->currentText());
}

// Enter loads what is typed.
void frmBrowser::cboAddress_KeyPress(const QKeyEvent &tecla)
{
    if (tecla.key() == Qt::Key_Return || tecla.key() == Qt::Key_Enter)
        cboAddress_Click();
}

void frmBrowser::resizeEvent(QResizeEvent *event)
{
    Formulario::resizeEvent(event);
    Form_Resize();
}

// Keys reach the handler before the box, which then takes them as usual.
bool frmBrowser::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress && objeto == cboAddress->lineEdit())
        cboAddress_KeyPress(*static_cast<QKeyEvent *>(evento));
    return Formulario::eventFilter(objeto, evento);
}
