// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnlacesPdf.h"

#include <QPdfDocument>
#include <QString>
#include <QtPdfVersion>

#if QTPDF_VERSION >= QT_VERSION_CHECK(6, 6, 0)
#include <QPdfLink>
#include <QPdfLinkModel>
#elif defined(BOLETIN_POPPLER)
#include <poppler-qt6.h>
#else
#error "Without QtPdf 6.6 the links are read by Poppler's Qt 6 binding (poppler-qt6)"
#endif

#if QTPDF_VERSION >= QT_VERSION_CHECK(6, 6, 0)

struct EnlacesPdf::Lector
{
    Lector(QPdfDocument *documento, const QString &) { modelo.setDocument(documento); }

    QList<EnlacePdf> leer(int pagina, int paginas)
    {
        QList<EnlacePdf> enlaces;
        modelo.setPage(pagina);
        for (int fila = 0; fila < modelo.rowCount({}); ++fila) {
            const QPdfLink l = modelo.data(modelo.index(fila), int(QPdfLinkModel::Role::Link))
                                   .value<QPdfLink>();
            if (l.rectangles().isEmpty())
                continue;
            EnlacePdf e;
            e.url = l.url();
            if (l.page() >= 0 && l.page() < paginas) {
                e.pagina = l.page();
                e.lugar = l.location();
            }
            // One entry per rectangle: a link broken over two lines is two zones.
            for (const QRectF &zona : l.rectangles()) {
                e.zona = zona.normalized();
                enlaces << e;
            }
        }
        return enlaces;
    }

    QPdfLinkModel modelo;
};

#else

namespace {

// Poppler gives places in fractions of the page, from its top-left corner.
QPointF enPuntos(QPointF fraccion, QSizeF pagina)
{
    return {fraccion.x() * pagina.width(), fraccion.y() * pagina.height()};
}

} // namespace

struct EnlacesPdf::Lector
{
    Lector(QPdfDocument *documento, const QString &archivo) : documento(documento)
    {
        // Its complaints about a damaged file are QtPdf's to make, once.
        static const bool callado = [] {
            Poppler::setDebugErrorFunction([](const QString &, const QVariant &) {}, {});
            return true;
        }();
        Q_UNUSED(callado);
        if (!archivo.isEmpty())
            poppler = Poppler::Document::load(archivo);
        if (poppler && poppler->isLocked())
            poppler.reset();
    }

    QList<EnlacePdf> leer(int pagina, int paginas)
    {
        QList<EnlacePdf> enlaces;
        // The file may have changed under the document on show: a document of
        // another length is not the one shown.
        if (!poppler || poppler->numPages() != paginas)
            return enlaces;
        const std::unique_ptr<Poppler::Page> hoja = poppler->page(pagina);
        if (!hoja)
            return enlaces;
        const QSizeF tamano = documento->pagePointSize(pagina);
        for (const std::unique_ptr<Poppler::Link> &l : hoja->links()) {
            const QRectF area = l->linkArea().normalized();
            EnlacePdf e;
            e.zona = QRectF(enPuntos(area.topLeft(), tamano), enPuntos(area.bottomRight(), tamano));
            // A program or another file is named as QtPdf names it, by its path.
            switch (l->linkType()) {
            case Poppler::Link::Browse:
                e.url = QUrl(static_cast<const Poppler::LinkBrowse &>(*l).url());
                break;
            case Poppler::Link::Execute:
                e.url = QUrl::fromLocalFile(static_cast<const Poppler::LinkExecute &>(*l).fileName());
                break;
            case Poppler::Link::Goto: {
                const auto &ir = static_cast<const Poppler::LinkGoto &>(*l);
                if (ir.isExternal()) {
                    e.url = QUrl::fromLocalFile(ir.fileName());
                    break;
                }
                const Poppler::LinkDestination destino = ir.destination();
                const int p = destino.pageNumber() - 1;
                if (p < 0 || p >= paginas)
                    continue;
                e.pagina = p;
                const QSizeF suya = documento->pagePointSize(p);
                e.lugar = QPointF(destino.isChangeLeft() ? destino.left() * suya.width() : 0,
                                  destino.isChangeTop() ? destino.top() * suya.height() : 0);
                break;
            }
            default:
                continue;
            }
            enlaces << e;
        }
        return enlaces;
    }

    QPdfDocument *documento;
    std::unique_ptr<Poppler::Document> poppler;
};

#endif

EnlacesPdf::EnlacesPdf(QPdfDocument *documento, const QString &archivo)
    : m_documento(documento), m_lector(std::make_unique<Lector>(documento, archivo))
{
}

EnlacesPdf::~EnlacesPdf() = default;

const QList<EnlacePdf> &EnlacesPdf::dePagina(int pagina)
{
    auto hecha = m_paginas.constFind(pagina);
    if (hecha != m_paginas.cend())
        return *hecha;
    QList<EnlacePdf> &enlaces = m_paginas[pagina];
    if (!m_documento || pagina < 0 || pagina >= m_documento->pageCount())
        return enlaces;
    for (const EnlacePdf &e : m_lector->leer(pagina, m_documento->pageCount()))
        if (!e.zona.isEmpty() && (e.pagina >= 0 || e.url.isValid()))
            enlaces.append(e);
    return enlaces;
}

const EnlacePdf *EnlacesPdf::en(int pagina, QPointF punto)
{
    const QList<EnlacePdf> &enlaces = dePagina(pagina);
    // The last one drawn is the one on top.
    for (auto e = enlaces.crbegin(); e != enlaces.crend(); ++e)
        if (e->zona.contains(punto))
            return &*e;
    return nullptr;
}
