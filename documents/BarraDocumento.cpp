// SPDX-License-Identifier: GPL-3.0-or-later
#include "BarraDocumento.h"

#include <QAction>
#include <QComboBox>
#include <QHash>
#include <QIcon>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int zooms[] = {50, 75, 100, 125, 150, 200, 300, 400};

const QString ayudaBuscar = u"Buscar en el documento (Ctrl+F; Intro o F3 la siguiente, "
                            "Mayús+Intro o Mayús+F3 la anterior; Esc sale)"_s;

// The desktop's icon theme where there is one; the freedesktop names are
// looked for in Adwaita too, which Debian installs with the desktop (Qt's own
// fallback, hicolor, has none of them). Without either the button shows its
// short text.
QIcon buscarIcono(const char *nombre)
{
    const QString respaldo = QIcon::fallbackThemeName();
    if (respaldo.isEmpty() || respaldo == u"hicolor")
        QIcon::setFallbackThemeName(u"Adwaita"_s);
    const QString n = QString::fromLatin1(nombre);
    // Symbolic icons (one set, all alike) come light grey, as if disabled:
    // drawn in the text's colour they read as buttons that work.
    const QIcon simbolico = QIcon::fromTheme(n + u"-symbolic"_s);
    if (simbolico.isNull())
        return QIcon::fromTheme(n);
    QIcon tenido;
    for (const QIcon::Mode modo : {QIcon::Normal, QIcon::Disabled}) {
        const QColor color = QPalette().color(
            modo == QIcon::Normal ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
        for (const int lado : {16, 32}) {
            QPixmap forma = simbolico.pixmap(lado);
            QPainter p(&forma);
            p.setCompositionMode(QPainter::CompositionMode_SourceIn);
            p.fillRect(forma.rect(), color);
            p.end();
            tenido.addPixmap(forma, modo);
        }
    }
    return tenido;
}

// Drawing the icons takes longer than opening a document: each viewer after
// the first takes them from here.
QIcon iconoDelTema(const char *nombre)
{
    static QHash<QByteArray, QIcon> hechos;
    const auto hecho = hechos.constFind(nombre);
    if (hecho != hechos.cend())
        return *hecho;
    return hechos.insert(nombre, buscarIcono(nombre)).value();
}

} // namespace

BarraDocumento::BarraDocumento(QWidget *parent) : QToolBar(parent)
{
    setObjectName(u"barraDocumento"_s);
    setAccessibleName(u"Barra del documento"_s);
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    layout()->setContentsMargins(2, 0, 2, 0);
    layout()->setSpacing(1);

    primera = boton("go-first", u"«"_s, u"Primera página"_s, u"Primera página (Inicio)"_s);
    anterior = boton("go-previous", u"‹"_s, u"Página anterior"_s, u"Página anterior (Re Pág)"_s);
    pagina = new QLineEdit(this);
    pagina->setObjectName(u"pagina"_s);
    pagina->setAccessibleName(u"Página"_s);
    pagina->setToolTip(u"Página: escriba un número y pulse Intro (Ctrl+G)"_s);
    pagina->setAlignment(Qt::AlignRight);
    // 0 and numbers past the end are taken, and go to the nearest page.
    pagina->setValidator(new QIntValidator(0, 99999, pagina));
    pagina->installEventFilter(this);
    pagina->setFixedWidth(fontMetrics().horizontalAdvance(u"0000"_s) + 10);
    addWidget(pagina);
    total = new QLabel(this);
    total->setObjectName(u"total"_s);
    total->setContentsMargins(3, 0, 3, 0);
    addWidget(total);
    siguiente = boton("go-next", u"›"_s, u"Página siguiente"_s, u"Página siguiente (Av Pág)"_s);
    ultima = boton("go-last", u"»"_s, u"Última página"_s, u"Última página (Fin)"_s);
    connect(pagina, &QLineEdit::returnPressed, this,
            [this] { Q_EMIT paginaPedida(pagina->text().toInt()); });
    addSeparator();

    buscar = new QLineEdit(this);
    buscar->setObjectName(u"buscar"_s);
    buscar->setAccessibleName(u"Buscar en el documento"_s);
    buscar->setToolTip(ayudaBuscar);
    buscar->setPlaceholderText(u"Buscar"_s);
    buscar->setClearButtonEnabled(true);
    buscar->setMinimumWidth(70);
    buscar->setMaximumWidth(200);
    buscar->installEventFilter(this);
    addWidget(buscar);
    coincidenciaAnterior = boton("go-up", u"▲"_s, u"Coincidencia anterior"_s,
                                 u"Coincidencia anterior (Mayús+F3)"_s);
    coincidenciaSiguiente = boton("go-down", u"▼"_s, u"Coincidencia siguiente"_s,
                                  u"Coincidencia siguiente (F3)"_s);
    resultado = new QLabel(this);
    resultado->setObjectName(u"resultado"_s);
    resultado->setContentsMargins(3, 0, 3, 0);
    m_accionResultado = addWidget(resultado);
    addSeparator();

    reducir = boton("zoom-out", u"−"_s, u"Reducir"_s, u"Reducir (Ctrl+−)"_s);
    zoom = new QComboBox(this);
    zoom->setObjectName(u"zoom"_s);
    zoom->setAccessibleName(u"Zoom"_s);
    zoom->setToolTip(u"Zoom (Ctrl+rueda; Ctrl+0 ajusta al ancho)"_s);
    zoom->setEditable(true);
    zoom->setInsertPolicy(QComboBox::NoInsert);
    for (const int z : zooms)
        zoom->addItem(u"%1 %"_s.arg(z), z);
    connect(zoom, &QComboBox::activated, this, [this](int i) {
        Q_EMIT zoomPedido(zoom->itemData(i).toInt() / 100.0);
    });
    zoom->lineEdit()->installEventFilter(this);
    connect(zoom->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        QString t = zoom->currentText();
        t.remove(u'%');
        bool ok = false;
        const double z = t.trimmed().toDouble(&ok);
        if (ok && z > 0)
            Q_EMIT zoomPedido(z / 100.0);
        // The zoom applied, which a cap or a text that is no number leave
        // other than typed.
        zoom->setEditText(m_zoomMostrado);
    });
    addWidget(zoom);
    ampliar = boton("zoom-in", u"+"_s, u"Ampliar"_s, u"Ampliar (Ctrl++)"_s);
    ajustarAncho = boton("zoom-fit-best", u"↔"_s, u"Ajustar al ancho"_s,
                         u"Ajustar al ancho (Ctrl+0)"_s);
    paginaCompleta = boton("zoom-original", u"▯"_s, u"Página completa"_s,
                           u"Página completa (Ctrl+9)"_s);
    addSeparator();

    menuIndice = new QMenu(this);
    indice = boton("view-list", u"Índice"_s, u"Índice"_s, u"Índice del documento"_s);
    indice->setMenu(menuIndice);
    if (auto *b = qobject_cast<QToolButton *>(widgetForAction(indice)))
        b->setPopupMode(QToolButton::InstantPopup);
    indice->setVisible(false);
    imprimir = boton("document-print", u"Imprimir"_s, u"Imprimir"_s, u"Imprimir (Ctrl+P)"_s);
    guardar = boton("document-save-as", u"Guardar"_s, u"Guardar una copia"_s,
                    u"Guardar una copia (Ctrl+S)"_s);
    habilitar(false, false);
}

QAction *BarraDocumento::boton(const char *icono, const QString &texto, const QString &nombre,
                               const QString &ayuda)
{
    // The full name in menus (the overflow, the page's context menu); the
    // short text on the button when the desktop has no icon for it.
    QAction *accion = addAction(iconoDelTema(icono), nombre);
    accion->setIconText(texto);
    accion->setToolTip(ayuda);
    nombrar(accion, nombre);
    return accion;
}

void BarraDocumento::nombrar(QAction *accion, const QString &nombre)
{
    accion->setObjectName(nombre);
    if (QWidget *w = widgetForAction(accion))
        w->setAccessibleName(nombre);
}

void BarraDocumento::mostrarPagina(int n, int paginas)
{
    m_paginaMostrada = paginas > 0 ? QString::number(n) : QString();
    if (!pagina->hasFocus())
        pagina->setText(m_paginaMostrada);
    total->setText(paginas > 0 ? u"de %1"_s.arg(paginas) : QString());
    primera->setEnabled(paginas > 0 && n > 1);
    anterior->setEnabled(paginas > 0 && n > 1);
    siguiente->setEnabled(n < paginas);
    ultima->setEnabled(n < paginas);
}

void BarraDocumento::mostrarZoom(qreal z)
{
    m_zoomMostrado = u"%1 %"_s.arg(qRound(z * 100));
    if (!zoom->lineEdit()->hasFocus())
        zoom->setEditText(m_zoomMostrado);
}

void BarraDocumento::habilitar(bool documento, bool texto)
{
    for (QWidget *w : std::initializer_list<QWidget *>{pagina, zoom})
        w->setEnabled(documento);
    for (QAction *a : {reducir, ampliar, ajustarAncho, paginaCompleta, imprimir, guardar})
        a->setEnabled(documento);
    buscar->setEnabled(documento && texto);
    // A document without text: the field itself says so, in the room of the
    // match buttons and count, which have nothing to do.
    const QString sinTexto = u"Este documento no contiene texto"_s;
    const bool escaneado = documento && !texto;
    // A narrow window shows its start (the field elides it), the tooltip all.
    buscar->setPlaceholderText(escaneado ? sinTexto : u"Buscar"_s);
    buscar->setToolTip(escaneado ? sinTexto : ayudaBuscar);
    const int anchoAviso = buscar->fontMetrics().horizontalAdvance(sinTexto) + 12;
    buscar->setMinimumWidth(escaneado ? std::min(anchoAviso, 190) : 70);
    coincidenciaAnterior->setVisible(!escaneado);
    coincidenciaSiguiente->setVisible(!escaneado);
    m_accionResultado->setVisible(!escaneado);
    if (!documento) {
        // A message in place of a document: nothing left to find in.
        buscar->blockSignals(true);
        buscar->clear();
        buscar->blockSignals(false);
        mostrarPagina(0, 0);
        m_zoomMostrado.clear();
        zoom->setEditText(QString());
        resultado->clear();
        indice->setVisible(false);
    }
}

bool BarraDocumento::eventFilter(QObject *objeto, QEvent *evento)
{
    // The page and zoom boxes: leaving one, or Escape, puts back what is
    // shown; Escape also returns to the document.
    if (objeto == pagina || (zoom && objeto == zoom->lineEdit())) {
        auto *caja = static_cast<QLineEdit *>(objeto);
        const QString &mostrado = objeto == pagina ? m_paginaMostrada : m_zoomMostrado;
        if (evento->type() == QEvent::FocusOut) {
            caja->setText(mostrado);
        } else if (evento->type() == QEvent::KeyPress
                   && static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Escape) {
            caja->setText(mostrado);
            if (parentWidget())
                parentWidget()->setFocus();
            return true;
        }
        return QToolBar::eventFilter(objeto, evento);
    }
    if (objeto == buscar && evento->type() == QEvent::KeyPress) {
        const auto *tecla = static_cast<QKeyEvent *>(evento);
        const bool mayus = tecla->modifiers() & Qt::ShiftModifier;
        switch (tecla->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F3:
            Q_EMIT buscarSiguiente(mayus);
            return true;
        case Qt::Key_Escape: // back to the document
            if (parentWidget())
                parentWidget()->setFocus();
            return true;
        default:
            break;
        }
    }
    return QToolBar::eventFilter(objeto, evento);
}
