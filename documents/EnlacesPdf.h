// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QUrl>

#include <memory>

class QPdfDocument;
class QString;

// A link on a page: where it is and where it leads.
struct EnlacePdf
{
    QRectF zona;      // on its page, in points from the page's top-left corner
    int pagina = -1;  // the page it leads to, from 0; -1: none of this document
    QPointF lugar;    // the place on that page, in points as zona
    QUrl url;         // an address outside the document
};

// The links of a document's pages, each page read the first time it is asked
// for: by QtPdf where it reads them (6.6 on), by Poppler where it does not
// (`archivo` is then read again, the first time a page is asked for).
class EnlacesPdf final
{
public:
    EnlacesPdf(QPdfDocument *documento, const QString &archivo);
    ~EnlacesPdf();

    const QList<EnlacePdf> &dePagina(int pagina);
    // The link under `punto` (points) of `pagina`, or nullptr.
    const EnlacePdf *en(int pagina, QPointF punto);

private:
    struct Lector;

    QPointer<QPdfDocument> m_documento;
    std::unique_ptr<Lector> m_lector;
    QHash<int, QList<EnlacePdf>> m_paginas;
};
