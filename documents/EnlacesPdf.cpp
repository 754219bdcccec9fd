// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnlacesPdf.h"

#include <QAbstractListModel>
#include <QPdfDocument>
#include <QtPdfVersion>

// QtPdf reads a page's links into QPdfLinkModel. From Qt 6.6 on it is public;
// Qt 6.4 builds and exports the same model but installs no header for it, so
// here it is declared as 6.4 lays it out (its own members, then the role names
// it keeps), with only the members this file calls. Any other Qt goes without
// links rather than guess at a layout.
#if QTPDF_VERSION >= QT_VERSION_CHECK(6, 6, 0)
#include <QPdfLinkModel>
#define BOLETIN_ENLACES 1
#elif QTPDF_VERSION >= QT_VERSION_CHECK(6, 4, 0) && QTPDF_VERSION < QT_VERSION_CHECK(6, 5, 0)
#define BOLETIN_ENLACES 1
QT_BEGIN_NAMESPACE
class QPdfLinkModel : public QAbstractListModel
{
public:
    explicit QPdfLinkModel(QObject *parent = nullptr);
    ~QPdfLinkModel() override;
    int rowCount(const QModelIndex &parent) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    void setDocument(QPdfDocument *document);
    void setPage(int page);

private:
    QHash<int, QByteArray> m_nombresDePapeles;
};
QT_END_NAMESPACE
#endif

namespace {

#ifdef BOLETIN_ENLACES
// The model's roles, found by name: their numbers are the model's own business.
struct Papeles
{
    int zona = -1, pagina = -1, lugar = -1, url = -1;
    bool completos() const { return zona >= 0 && pagina >= 0 && lugar >= 0 && url >= 0; }
};

Papeles papeles(const QAbstractItemModel &modelo)
{
    Papeles p;
    const QHash<int, QByteArray> nombres = modelo.roleNames();
    for (auto i = nombres.cbegin(); i != nombres.cend(); ++i) {
        if (i.value() == "rectangle")
            p.zona = i.key();
        else if (i.value() == "page")
            p.pagina = i.key();
        else if (i.value() == "location")
            p.lugar = i.key();
        else if (i.value() == "url")
            p.url = i.key();
    }
    return p;
}
#endif

} // namespace

EnlacesPdf::EnlacesPdf(QPdfDocument *documento) : m_documento(documento) {}

EnlacesPdf::~EnlacesPdf() = default;

const QList<EnlacePdf> &EnlacesPdf::dePagina(int pagina)
{
    auto hecha = m_paginas.constFind(pagina);
    if (hecha != m_paginas.cend())
        return *hecha;
    QList<EnlacePdf> &enlaces = m_paginas[pagina];
#ifdef BOLETIN_ENLACES
    if (!m_documento || pagina < 0 || pagina >= m_documento->pageCount())
        return enlaces;
    if (!m_modelo) {
        auto *modelo = new QPdfLinkModel;
        m_modelo.reset(modelo);
        modelo->setDocument(m_documento);
    }
    // The same for every model: looked up once.
    static const Papeles p = papeles(*m_modelo);
    if (!p.completos())
        return enlaces;
    static_cast<QPdfLinkModel *>(m_modelo.get())->setPage(pagina);
    const int paginas = m_documento->pageCount();
    for (int fila = 0; fila < m_modelo->rowCount(); ++fila) {
        const QModelIndex i = m_modelo->index(fila, 0);
        EnlacePdf e;
        e.zona = i.data(p.zona).toRectF();
        e.url = i.data(p.url).toUrl();
        const int destino = i.data(p.pagina).toInt();
        if (destino >= 0 && destino < paginas) {
            e.pagina = destino;
            e.lugar = i.data(p.lugar).toPointF();
        }
        if (!e.zona.isEmpty() && (e.pagina >= 0 || e.url.isValid()))
            enlaces.append(e);
    }
#endif
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
