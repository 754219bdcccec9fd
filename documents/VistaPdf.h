// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EnlacesPdf.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QList>
#include <QMargins>
#include <QPointer>
#include <QRectF>

#include <memory>

class QPdfDocument;
class QPdfPageRenderer;

// The PDF view of the pane: every page one under the other, fitted to the
// width when a document opens; zooms with Ctrl + wheel or Ctrl + "+", "-", "0",
// draws the find's highlights over the pages and follows the links on them.
// The layout and the drawing are its own, on QtPdf's public renderer, so that
// where a page is drawn is where highlights and links are looked for, on any
// Qt release.
class VistaPdf final : public QAbstractScrollArea
{
    Q_OBJECT
public:
    enum class ZoomMode { Custom, FitToWidth, FitInView };

    explicit VistaPdf(QWidget *parent = nullptr);
    ~VistaPdf() override;

    // `archivo`: the document's file, for the link reader where this Qt reads none.
    void setDocument(QPdfDocument *documento, const QString &archivo = {});
    QPdfDocument *document() const { return m_documento; }
    ZoomMode zoomMode() const { return m_modo; }
    qreal zoomFactor() const { return m_zoom; }
    // Around the pages, and between two of them, in pixels.
    QMargins documentMargins() const { return m_margenes; }
    int pageSpacing() const { return m_separacion; }

    // Zoom by `paso` (1.25 in, 0.8 out) from what the reader sees now.
    void ampliar(qreal paso);
    void ajustarAlAncho();
    void paginaCompleta();
    // The zoom drawn now, 1 being the page at its printed size.
    qreal zoomEfectivo() const;
    void fijarZoom(qreal zoom);

    // Pages counted from 0. The page being read: the one across the line at
    // two fifths of the view's height, as the view itself reckons it.
    int paginaActual() const;
    void irAPagina(int pagina);
    // Scrolls so that `zona` (points, on `pagina`) is in sight, a third down.
    void mostrarZona(int pagina, const QRectF &zona);
    // Scrolls so that `lugar` (points, on `pagina`) is at the view's top edge,
    // as a link's destination is shown.
    void irALugar(int pagina, QPointF lugar);
    // Where `pagina` is drawn, in the viewport's pixels (as the view lays it out).
    QRect rectanguloPagina(int pagina) const;
    // The link under `punto` (viewport pixels), or nullptr.
    const EnlacePdf *enlaceEn(QPoint punto);

    // Highlighted text: one entry per match, its boxes in page points; the
    // current match stands out.
    struct Marca
    {
        int pagina = 0;
        QList<QRectF> cajas;
        bool actual = false;
    };
    void fijarMarcas(const QList<Marca> &marcas);
    // Pages with some part in sight.
    QList<int> paginasVisibles() const;
    const QList<Marca> &marcas() const { return m_marcas; }

    // False from the moment the reader scrolls or zooms by hand.
    bool intacta() const { return m_intacta; }
    // A move the reader asked for through the pane's bar.
    void tocar() { m_intacta = false; }

    // The place being read: the page at the view's top edge and how far down
    // it the edge is (0 its top, 1 its bottom). Kept across zoom and resizing.
    struct Lugar
    {
        int pagina = 0;
        qreal fraccion = 0;
    };
    Lugar lugar() const;
    void volverA(const Lugar &lugar);

Q_SIGNALS:
    void paginaCambiada(int pagina);
    // A page's picture has arrived from the renderer; the next paint shows it.
    void paginaRecibida(int pagina);
    void zoomCambiado();
    // A left click on a link, pressed and released on it.
    void enlaceElegido(const EnlacePdf &enlace);

protected:
    void paintEvent(QPaintEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void setZoomMode(ZoomMode modo);
    qreal puntoEnPixeles() const;
    QSize tamanoPagina(int pagina) const;
    void maquetar();
    QRect ranura(int pagina) const;
    void avisarPagina();
    void pedirImagen(int pagina, QSize tamano);
    void imagenRecibida(int pagina, QSize tamano, const QImage &imagen);

    QPointer<QPdfDocument> m_documento;
    QString m_archivo;
    ZoomMode m_modo = ZoomMode::FitToWidth;
    qreal m_zoom = 1;
    QMargins m_margenes{6, 6, 6, 6};
    int m_separacion = 3;
    // Each page where it is drawn, in the document's pixels (before scrolling).
    QList<QRect> m_maqueta;
    QPdfPageRenderer *m_renderer = nullptr;
    // The pages' pictures, kept for the pages near the one being read.
    QHash<int, QImage> m_imagenes;
    QHash<int, QSize> m_pedidas; // the size asked for of each page on its way

    int m_giro = 0; // wheel turn not yet used, in eighths of a degree
    int m_ultimaPagina = -1;
    bool m_intacta = true;
    QList<Marca> m_marcas;
    Lugar m_lugar;          // as last seen at rest
    bool m_cambiando = false; // a relayout under way: the place is not read
    std::unique_ptr<EnlacesPdf> m_enlaces; // made when the pointer first moves
    const EnlacePdf *m_pulsado = nullptr;  // the link the left button went down on
};
