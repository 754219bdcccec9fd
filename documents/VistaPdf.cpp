// SPDX-License-Identifier: GPL-3.0-or-later
#include "VistaPdf.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageRenderer>
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

VistaPdf::VistaPdf(QWidget *parent)
    : QAbstractScrollArea(parent), m_renderer(new QPdfPageRenderer(this))
{
    m_renderer->setRenderMode(QPdfPageRenderer::RenderMode::MultiThreaded);
    connect(m_renderer, &QPdfPageRenderer::pageRendered, this,
            [this](int pagina, QSize tamano, const QImage &imagen) {
                imagenRecibida(pagina, tamano, imagen);
            });
    setFrameShape(QFrame::NoFrame);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
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
    // The pointer turns into a hand over a link.
    viewport()->setMouseTracking(true);
}

// The renderer's thread draws from the document: it goes first.
VistaPdf::~VistaPdf()
{
    delete m_renderer;
}

void VistaPdf::setDocument(QPdfDocument *documento, const QString &archivo)
{
    if (m_documento)
        disconnect(m_documento, nullptr, this, nullptr);
    m_documento = documento;
    m_archivo = archivo;
    m_enlaces.reset();
    m_pulsado = nullptr;
    m_imagenes.clear();
    m_pedidas.clear();
    m_renderer->setDocument(documento);
    if (documento) {
        connect(documento, &QPdfDocument::statusChanged, this, &VistaPdf::maquetar);
        connect(documento, &QPdfDocument::pageCountChanged, this, &VistaPdf::maquetar);
    }
    maquetar();
}

qreal VistaPdf::puntoEnPixeles() const
{
    const QScreen *pantalla = QGuiApplication::primaryScreen();
    return (pantalla ? pantalla->logicalDotsPerInch() : 96.0) / 72.0;
}

// A page at screen resolution rounded to whole pixels, then scaled for the
// zoom mode.
QSize VistaPdf::tamanoPagina(int pagina) const
{
    const QSizeF puntos = m_documento->pagePointSize(pagina);
    const QMargins m = m_margenes;
    switch (m_modo) {
    case ZoomMode::Custom:
        return QSizeF(puntos * puntoEnPixeles() * m_zoom).toSize();
    case ZoomMode::FitToWidth: {
        const QSize tamano = QSizeF(puntos * puntoEnPixeles()).toSize();
        if (tamano.width() <= 0)
            return tamano;
        return tamano * (qreal(viewport()->width() - m.left() - m.right()) / tamano.width());
    }
    case ZoomMode::FitInView: {
        const QSize hueco = viewport()->size() + QSize(-m.left() - m.right(), -m_separacion);
        return QSizeF(puntos * puntoEnPixeles()).toSize().scaled(hueco, Qt::KeepAspectRatio);
    }
    }
    return {};
}

// Lays the pages out one under the other, centred, and sets the scroll bars
// to the whole.
void VistaPdf::maquetar()
{
    m_maqueta.clear();
    const int n = m_documento && m_documento->status() == QPdfDocument::Status::Ready
                      ? m_documento->pageCount()
                      : 0;
    QList<QSize> tamanos;
    tamanos.reserve(n);
    int ancho = 0;
    for (int p = 0; p < n; ++p) {
        tamanos << tamanoPagina(p);
        ancho = std::max(ancho, tamanos.last().width());
    }
    ancho += m_margenes.left() + m_margenes.right();
    const int anchoVisto = std::max(ancho, viewport()->width());
    int y = m_margenes.top();
    m_maqueta.reserve(n);
    for (const QSize &t : std::as_const(tamanos)) {
        m_maqueta << QRect(QPoint((anchoVisto - t.width()) / 2, y), t);
        y += t.height() + m_separacion;
    }
    const QSize total = n ? QSize(ancho, y - m_separacion + m_margenes.bottom()) : QSize();

    const QSize vista = viewport()->size();
    QScrollBar *v = verticalScrollBar();
    QScrollBar *h = horizontalScrollBar();
    v->setRange(0, std::max(0, total.height() - vista.height()));
    v->setPageStep(vista.height());
    v->setSingleStep(20);
    h->setRange(0, std::max(0, total.width() - vista.width()));
    h->setPageStep(vista.width());
    h->setSingleStep(20);
    viewport()->update();
}

QRect VistaPdf::rectanguloPagina(int pagina) const
{
    if (pagina < 0 || pagina >= m_maqueta.size())
        return {};
    return m_maqueta.at(pagina).translated(-horizontalScrollBar()->value(),
                                           -verticalScrollBar()->value());
}

int VistaPdf::paginaActual() const
{
    if (m_maqueta.isEmpty())
        return -1;
    // The gap between two pages belongs to the page above it.
    const int linea = verticalScrollBar()->value() + viewport()->height() * 2 / 5;
    const auto debajo = std::lower_bound(m_maqueta.cbegin(), m_maqueta.cend(), linea,
                                         [this](const QRect &r, int y) {
                                             return r.bottom() + m_separacion + 1 <= y;
                                         });
    return debajo == m_maqueta.cend() ? int(m_maqueta.size()) - 1
                                      : int(debajo - m_maqueta.cbegin());
}

void VistaPdf::irAPagina(int pagina)
{
    if (m_maqueta.isEmpty())
        return;
    pagina = std::clamp(pagina, 0, int(m_maqueta.size()) - 1);
    verticalScrollBar()->setValue(m_maqueta.at(pagina).top() - m_margenes.top());
}

void VistaPdf::mostrarZona(int pagina, const QRectF &zona)
{
    const QRect r = rectanguloPagina(pagina);
    const QSizeF puntos = m_documento ? m_documento->pagePointSize(pagina) : QSizeF();
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
    const QSizeF puntos = m_documento ? m_documento->pagePointSize(pagina) : QSizeF();
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
    if (!m_documento)
        return nullptr;
    if (!m_enlaces)
        m_enlaces = std::make_unique<EnlacesPdf>(m_documento, m_archivo);
    for (const int p : paginasVisibles()) {
        const QRect r = rectanguloPagina(p);
        const QSizeF puntos = m_documento->pagePointSize(p);
        if (!r.contains(punto) || puntos.width() <= 0)
            continue;
        const qreal escala = r.width() / puntos.width();
        return m_enlaces->en(p, QPointF(punto - r.topLeft()) / escala);
    }
    return nullptr;
}

qreal VistaPdf::zoomEfectivo() const
{
    if (m_modo == ZoomMode::Custom || m_maqueta.isEmpty())
        return m_zoom;
    const QSizeF pagina = m_documento->pagePointSize(0) * puntoEnPixeles();
    if (pagina.width() <= 0)
        return m_zoom;
    return m_maqueta.first().width() / pagina.width();
}

// A page's slot: the page and the gap above it (the top margin for the first).
QRect VistaPdf::ranura(int pagina) const
{
    const QRect r = rectanguloPagina(pagina);
    const int hueco = pagina == 0 ? m_margenes.top() : m_separacion;
    return r.adjusted(0, -hueco, 0, 0);
}

VistaPdf::Lugar VistaPdf::lugar() const
{
    const int n = int(m_maqueta.size());
    if (n < 1)
        return {};
    for (int p = 0; p < n; ++p) {
        const QRect r = ranura(p);
        if (r.bottom() >= 0)
            return {p, r.height() > 0 ? std::clamp(-r.top() / qreal(r.height()), 0.0, 1.0) : 0};
    }
    return {n - 1, 1};
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
    m_zoom = zoom;
    setZoomMode(ZoomMode::Custom);
    m_cambiando = false;
    volverA(antes);
}

// Fitting to a new width changes the zoom: the place is kept as well.
void VistaPdf::resizeEvent(QResizeEvent *event)
{
    const Lugar antes = m_lugar;
    m_cambiando = true;
    QAbstractScrollArea::resizeEvent(event);
    maquetar();
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
    const QRect vista = viewport()->rect();
    for (int p = std::max(0, paginaActual() - 8); p < m_maqueta.size(); ++p) {
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

void VistaPdf::setZoomMode(ZoomMode modo)
{
    m_modo = modo;
    maquetar();
    Q_EMIT zoomCambiado();
}

void VistaPdf::scrollContentsBy(int, int)
{
    viewport()->update();
}

// Each page in sight: its picture where it has come, at its size; until then
// the one of another zoom, scaled, or a blank page.
void VistaPdf::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    const QRect visible = event->rect();
    const qreal dpr = viewport()->devicePixelRatioF();
    for (const int pagina : paginasVisibles()) {
        const QRect r = rectanguloPagina(pagina);
        if (!r.intersects(visible))
            continue;
        const QSize tamano = (QSizeF(r.size()) * dpr).toSize();
        const auto imagen = m_imagenes.constFind(pagina);
        // The renderer leaves the paper clear.
        p.fillRect(r, Qt::white);
        if (imagen != m_imagenes.cend()) {
            p.setRenderHint(QPainter::SmoothPixmapTransform, imagen->size() != tamano);
            p.drawImage(r, *imagen);
        }
        if (imagen == m_imagenes.cend() || imagen->size() != tamano)
            pedirImagen(pagina, tamano);
    }
    if (m_marcas.isEmpty() || !m_documento)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    for (qsizetype i = 0; i < m_marcas.size(); ++i) {
        const Marca &marca = m_marcas.at(i);
        const QRect r = rectanguloPagina(marca.pagina);
        const QSizeF puntos = m_documento->pagePointSize(marca.pagina);
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

void VistaPdf::pedirImagen(int pagina, QSize tamano)
{
    if (tamano.isEmpty() || m_pedidas.value(pagina) == tamano)
        return;
    m_pedidas.insert(pagina, tamano);
    m_renderer->requestPage(pagina, tamano);
}

void VistaPdf::imagenRecibida(int pagina, QSize tamano, const QImage &imagen)
{
    // A picture of a size no longer wanted is followed by the one that is.
    if (m_pedidas.value(pagina) != tamano)
        return;
    m_pedidas.remove(pagina);
    m_imagenes.insert(pagina, imagen);
    // Only the pages in sight and a few either side keep theirs: a long issue
    // at a high zoom would hold hundreds of megabytes.
    constexpr int cerca = 4;
    const QList<int> visibles = paginasVisibles();
    const int desde = (visibles.isEmpty() ? pagina : visibles.first()) - cerca;
    const int hasta = (visibles.isEmpty() ? pagina : visibles.last()) + cerca;
    for (auto i = m_imagenes.begin(); i != m_imagenes.end();)
        i = i.key() < desde || i.key() > hasta ? m_imagenes.erase(i) : std::next(i);
    viewport()->update();
    Q_EMIT paginaRecibida(pagina);
}

void VistaPdf::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton) {
        if (enlaceEn(event->position().toPoint()))
            viewport()->setCursor(Qt::PointingHandCursor);
        else
            viewport()->unsetCursor();
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void VistaPdf::mousePressEvent(QMouseEvent *event)
{
    m_pulsado = event->button() == Qt::LeftButton ? enlaceEn(event->position().toPoint())
                                                   : nullptr;
    QAbstractScrollArea::mousePressEvent(event);
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
    QAbstractScrollArea::mouseReleaseEvent(event);
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
    return QAbstractScrollArea::viewportEvent(event);
}

void VistaPdf::wheelEvent(QWheelEvent *event)
{
    m_intacta = false;
    if (!(event->modifiers() & Qt::ControlModifier))
        return QAbstractScrollArea::wheelEvent(event);
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
            return irAPagina(int(m_maqueta.size()) - 1);
        case Qt::Key_Space:
            v->setValue(v->value() + (mayus ? -1 : 1) * v->pageStep() * 9 / 10);
            return;
        default:
            break;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}
