// SPDX-License-Identifier: GPL-3.0-or-later
#include "VistaPdf.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QScreen>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr qreal zoomMinimo = 0.1;
constexpr qreal zoomMaximo = 8.0;

} // namespace

VistaPdf::VistaPdf(QWidget *parent) : QPdfView(parent)
{
    setPageMode(PageMode::MultiPage);
    setZoomMode(ZoomMode::FitToWidth);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(u"Documento"_s);
    // Dragging or clicking the bars is the reader's doing; setValue is ours.
    for (QScrollBar *barra : {verticalScrollBar(), horizontalScrollBar()})
        connect(barra, &QScrollBar::actionTriggered, this, [this] { m_intacta = false; });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!m_cambiando)
            m_lugar = lugar();
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &VistaPdf::avisarPagina);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &VistaPdf::avisarPagina);
    connect(this, &QPdfView::zoomFactorChanged, this, &VistaPdf::zoomCambiado);
    connect(this, &QPdfView::zoomModeChanged, this, &VistaPdf::zoomCambiado);
    // The pointer turns into a hand over a link.
    viewport()->setMouseTracking(true);
}

qreal VistaPdf::puntoEnPixeles() const
{
    const QScreen *pantalla = QGuiApplication::primaryScreen();
    return (pantalla ? pantalla->logicalDotsPerInch() : 96.0) / 72.0;
}

// The view's own layout, step by step: the page at screen resolution rounded
// to whole pixels, then scaled for the zoom mode.
QSize VistaPdf::tamanoPagina(int pagina) const
{
    const QSizeF puntos = document()->pagePointSize(pagina);
    const QMargins m = documentMargins();
    switch (zoomMode()) {
    case ZoomMode::Custom:
        return QSizeF(puntos * puntoEnPixeles() * zoomFactor()).toSize();
    case ZoomMode::FitToWidth: {
        const QSize tamano = QSizeF(puntos * puntoEnPixeles()).toSize();
        if (tamano.width() <= 0)
            return tamano;
        return tamano * (qreal(viewport()->width() - m.left() - m.right()) / tamano.width());
    }
    case ZoomMode::FitInView: {
        const QSize hueco = viewport()->size() + QSize(-m.left() - m.right(), -pageSpacing());
        return QSizeF(puntos * puntoEnPixeles()).toSize().scaled(hueco, Qt::KeepAspectRatio);
    }
    }
    return {};
}

QRect VistaPdf::rectanguloPagina(int pagina) const
{
    if (!document() || pagina < 0 || pagina >= document()->pageCount())
        return {};
    const QMargins m = documentMargins();
    int anchoTotal = 0;
    int y = m.top();
    QSize buscada;
    for (int p = 0; p < document()->pageCount(); ++p) {
        const QSize tamano = tamanoPagina(p);
        anchoTotal = std::max(anchoTotal, tamano.width());
        if (p < pagina)
            y += tamano.height() + pageSpacing();
        else if (p == pagina)
            buscada = tamano;
    }
    anchoTotal += m.left() + m.right();
    const int x = (std::max(anchoTotal, viewport()->width()) - buscada.width()) / 2;
    return QRect(QPoint(x - horizontalScrollBar()->value(), y - verticalScrollBar()->value()),
                 buscada);
}

int VistaPdf::paginaActual() const
{
    if (!document() || document()->pageCount() < 1)
        return -1;
    const int linea = viewport()->height() * 2 / 5;
    const int n = document()->pageCount();
    for (int p = 0; p < n; ++p) {
        const QRect r = rectanguloPagina(p);
        // The gap between two pages belongs to the page above it.
        if (linea < r.bottom() + pageSpacing() + 1)
            return p;
    }
    return n - 1;
}

void VistaPdf::irAPagina(int pagina)
{
    if (!document() || document()->pageCount() < 1)
        return;
    pagina = std::clamp(pagina, 0, document()->pageCount() - 1);
    const QRect r = rectanguloPagina(pagina);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + r.top()
                                  - documentMargins().top());
}

void VistaPdf::mostrarZona(int pagina, const QRectF &zona)
{
    const QRect r = rectanguloPagina(pagina);
    const QSizeF puntos = document() ? document()->pagePointSize(pagina) : QSizeF();
    if (r.isEmpty() || puntos.width() <= 0)
        return;
    const qreal escala = r.width() / puntos.width();
    const QPointF centro = r.topLeft() + zona.center() * escala;
    QScrollBar *v = verticalScrollBar();
    v->setValue(v->value() + qRound(zona.top() * escala) + r.top() - viewport()->height() / 3);
    QScrollBar *h = horizontalScrollBar();
    if (centro.x() < 0 || centro.x() > viewport()->width())
        h->setValue(h->value() + qRound(centro.x()) - viewport()->width() / 2);
}

void VistaPdf::irALugar(int pagina, QPointF lugar)
{
    const QRect r = rectanguloPagina(pagina);
    const QSizeF puntos = document() ? document()->pagePointSize(pagina) : QSizeF();
    if (r.isEmpty() || puntos.width() <= 0)
        return;
    // A destination at the page's top (or without a height) shows the gap above it too.
    if (lugar.y() <= 0)
        return irAPagina(pagina);
    const qreal escala = r.width() / puntos.width();
    QScrollBar *v = verticalScrollBar();
    v->setValue(v->value() + r.top() + qRound(std::min(lugar.y(), puntos.height()) * escala));
    QScrollBar *h = horizontalScrollBar();
    const int x = r.left() + qRound(lugar.x() * escala);
    if (x < 0 || x >= viewport()->width())
        h->setValue(h->value() + x);
}

const EnlacePdf *VistaPdf::enlaceEn(QPoint punto)
{
    if (!document())
        return nullptr;
    if (!m_enlaces)
        m_enlaces = std::make_unique<EnlacesPdf>(document());
    for (const int p : paginasVisibles()) {
        const QRect r = rectanguloPagina(p);
        const QSizeF puntos = document()->pagePointSize(p);
        if (!r.contains(punto) || puntos.width() <= 0)
            continue;
        const qreal escala = r.width() / puntos.width();
        return m_enlaces->en(p, QPointF(punto - r.topLeft()) / escala);
    }
    return nullptr;
}

qreal VistaPdf::zoomEfectivo() const
{
    if (zoomMode() == ZoomMode::Custom || !document() || document()->pageCount() < 1)
        return zoomFactor();
    const QSizeF pagina = document()->pagePointSize(0) * puntoEnPixeles();
    if (pagina.width() <= 0)
        return zoomFactor();
    return tamanoPagina(0).width() / pagina.width();
}

// A page's slot: the page and the gap above it (the top margin for the first).
QRect VistaPdf::ranura(int pagina) const
{
    const QRect r = rectanguloPagina(pagina);
    const int hueco = pagina == 0 ? documentMargins().top() : pageSpacing();
    return r.adjusted(0, -hueco, 0, 0);
}

VistaPdf::Lugar VistaPdf::lugar() const
{
    if (!document() || document()->pageCount() < 1)
        return {};
    for (int p = 0; p < document()->pageCount(); ++p) {
        const QRect r = ranura(p);
        if (r.bottom() >= 0)
            return {p, r.height() > 0 ? std::clamp(-r.top() / qreal(r.height()), 0.0, 1.0) : 0};
    }
    return {document()->pageCount() - 1, 1};
}

void VistaPdf::volverA(const Lugar &lugar)
{
    const QRect r = ranura(lugar.pagina);
    if (r.isNull())
        return;
    QScrollBar *v = verticalScrollBar();
    v->setValue(v->value() + r.top() + qRound(lugar.fraccion * r.height()));
    m_lugar = this->lugar();
}

// A change of zoom keeps the place being read at the top of the view.
void VistaPdf::fijarZoom(qreal zoom)
{
    zoom = std::clamp(zoom, zoomMinimo, zoomMaximo);
    const Lugar antes = m_lugar;
    m_cambiando = true;
    setZoomMode(ZoomMode::Custom);
    setZoomFactor(zoom);
    m_cambiando = false;
    volverA(antes);
}

// Fitting to a new width changes the zoom: the place is kept as well.
void VistaPdf::resizeEvent(QResizeEvent *event)
{
    const Lugar antes = m_lugar;
    m_cambiando = true;
    QPdfView::resizeEvent(event);
    m_cambiando = false;
    volverA(antes);
    Q_EMIT zoomCambiado();
}

void VistaPdf::ampliar(qreal paso)
{
    fijarZoom(zoomEfectivo() * paso);
}

void VistaPdf::ajustarAlAncho()
{
    const Lugar antes = m_lugar;
    m_cambiando = true;
    setZoomMode(ZoomMode::FitToWidth);
    m_cambiando = false;
    volverA(antes);
}

// The page being read, whole in the view.
void VistaPdf::paginaCompleta()
{
    const int pagina = paginaActual();
    m_cambiando = true;
    setZoomMode(ZoomMode::FitInView);
    m_cambiando = false;
    irAPagina(pagina);
}

void VistaPdf::fijarMarcas(const QList<Marca> &marcas)
{
    m_marcas = marcas;
    viewport()->update();
}

QList<int> VistaPdf::paginasVisibles() const
{
    QList<int> visibles;
    if (!document())
        return visibles;
    const QRect vista = viewport()->rect();
    for (int p = std::max(0, paginaActual() - 8); p < document()->pageCount(); ++p) {
        const QRect r = rectanguloPagina(p);
        if (r.top() > vista.bottom())
            break;
        if (r.intersects(vista))
            visibles.append(p);
    }
    return visibles;
}

void VistaPdf::avisarPagina()
{
    const int pagina = paginaActual();
    if (pagina != m_ultimaPagina) {
        m_ultimaPagina = pagina;
        Q_EMIT paginaCambiada(pagina);
    }
}

void VistaPdf::paintEvent(QPaintEvent *event)
{
    QPdfView::paintEvent(event);
    if (m_marcas.isEmpty() || !document())
        return;
    QPainter p(viewport());
    p.setRenderHint(QPainter::Antialiasing);
    const QRect visible = viewport()->rect();
    for (qsizetype i = 0; i < m_marcas.size(); ++i) {
        const Marca &marca = m_marcas.at(i);
        const QRect r = rectanguloPagina(marca.pagina);
        const QSizeF puntos = document()->pagePointSize(marca.pagina);
        if (!r.intersects(visible) || puntos.width() <= 0)
            continue;
        const qreal escala = r.width() / puntos.width();
        const bool actual = marca.actual;
        p.setPen(actual ? QPen(QColor(0xd0, 0x50, 0x00), 1.5) : Qt::NoPen);
        p.setBrush(actual ? QColor(0xff, 0x8c, 0x00, 0x70) : QColor(0xff, 0xdc, 0x00, 0x70));
        for (const QRectF &caja : marca.cajas)
            p.drawRect(QRectF(r.topLeft() + caja.topLeft() * escala, caja.size() * escala)
                           .adjusted(-1, -1, 1, 1));
    }
}

void VistaPdf::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton) {
        if (enlaceEn(event->position().toPoint()))
            viewport()->setCursor(Qt::PointingHandCursor);
        else
            viewport()->unsetCursor();
    }
    QPdfView::mouseMoveEvent(event);
}

void VistaPdf::mousePressEvent(QMouseEvent *event)
{
    m_pulsado = event->button() == Qt::LeftButton ? enlaceEn(event->position().toPoint())
                                                   : nullptr;
    QPdfView::mousePressEvent(event);
}

void VistaPdf::mouseReleaseEvent(QMouseEvent *event)
{
    const EnlacePdf *pulsado = std::exchange(m_pulsado, nullptr);
    if (pulsado && event->button() == Qt::LeftButton
        && enlaceEn(event->position().toPoint()) == pulsado) {
        m_intacta = false;
        // A copy: whoever hears of it may move the view or load another document.
        const EnlacePdf enlace = *pulsado;
        Q_EMIT enlaceElegido(enlace);
        return;
    }
    QPdfView::mouseReleaseEvent(event);
}

// Over a link, its tooltip says where it leads.
bool VistaPdf::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *ayuda = static_cast<QHelpEvent *>(event);
        if (const EnlacePdf *e = enlaceEn(ayuda->pos())) {
            const QString texto = e->pagina >= 0
                                      ? u"Ir a la página %1"_s.arg(e->pagina + 1)
                                      : e->url.toDisplayString();
            QToolTip::showText(ayuda->globalPos(), texto, viewport());
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QPdfView::viewportEvent(event);
}

void VistaPdf::wheelEvent(QWheelEvent *event)
{
    m_intacta = false;
    if (!(event->modifiers() & Qt::ControlModifier))
        return QPdfView::wheelEvent(event);
    // One notch is 120; fine-grained wheels and touchpads send less at a time.
    static constexpr int muesca = 120;
    m_giro += event->angleDelta().y();
    while (std::abs(m_giro) >= muesca) {
        ampliar(m_giro > 0 ? 1.25 : 0.8);
        m_giro += m_giro > 0 ? -muesca : muesca;
    }
    event->accept();
}

void VistaPdf::keyPressEvent(QKeyEvent *event)
{
    m_intacta = false;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool mayus = event->modifiers() & Qt::ShiftModifier;
    if (ctrl) {
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            return ampliar(1.25);
        case Qt::Key_Minus:
            return ampliar(0.8);
        case Qt::Key_0:
            return ajustarAlAncho();
        default:
            break;
        }
    } else {
        QScrollBar *v = verticalScrollBar();
        switch (event->key()) {
        case Qt::Key_PageDown:
            return irAPagina(paginaActual() + 1);
        case Qt::Key_PageUp: {
            // From the middle of a page, back to its top first.
            const int pagina = paginaActual();
            const bool enSuCabeza = rectanguloPagina(pagina).top() >= 0;
            return irAPagina(enSuCabeza ? pagina - 1 : pagina);
        }
        case Qt::Key_Home:
            return irAPagina(0);
        case Qt::Key_End:
            return irAPagina(document() ? document()->pageCount() - 1 : 0);
        case Qt::Key_Space:
            v->setValue(v->value() + (mayus ? -1 : 1) * v->pageStep() * 9 / 10);
            return;
        default:
            break;
        }
    }
    QPdfView::keyPressEvent(event);
}
