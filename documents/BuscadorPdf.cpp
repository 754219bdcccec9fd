// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuscadorPdf.h"

#include "Acentos.h"

#include <QPdfDocument>
#include <QPdfSelection>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Lower case one character at a time, so that each folded character keeps its
// place; blanks and line breaks collapse into one blank. `origen` gets the
// index in `texto` of each character kept.
QString plegarConOrigen(const QString &texto, QList<int> *origen)
{
    QString r;
    r.reserve(texto.size());
    bool blanco = false;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c.isSpace()) {
            if (blanco)
                continue;
            blanco = true;
            r.append(u' ');
        } else {
            blanco = false;
            r.append(c.toLower());
        }
        if (origen)
            origen->append(int(i));
    }
    return QuitarAcentos(r);
}

// The engine gives a box per character; those of one line become one box, so
// that the highlight reads as a line and its height is the line's type size.
QList<QRectF> unirPorLineas(const QList<QPolygonF> &poligonos)
{
    QList<QRectF> lineas;
    for (const QPolygonF &poligono : poligonos) {
        const QRectF caja = poligono.boundingRect();
        if (!lineas.isEmpty()) {
            QRectF &ultima = lineas.last();
            const qreal comun = std::min(ultima.bottom(), caja.bottom())
                                - std::max(ultima.top(), caja.top());
            const qreal hueco = caja.left() - ultima.right();
            if (comun > std::min(ultima.height(), caja.height()) / 2
                && hueco < 2 * std::max(ultima.height(), caja.height()) && hueco > -caja.width()) {
                ultima = ultima.united(caja);
                continue;
            }
        }
        lineas.append(caja);
    }
    return lineas;
}

} // namespace

BuscadorPdf::BuscadorPdf(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &BuscadorPdf::turno);
}

QString BuscadorPdf::plegar(const QString &texto)
{
    return plegarConOrigen(prepararTexto(texto.simplified()), nullptr).trimmed();
}

void BuscadorPdf::fijarDocumento(QPdfDocument *documento)
{
    cancelar();
    m_documento = documento;
    m_totalPaginas = documento ? documento->pageCount() : 0;
    m_paginas = QList<Pagina>(m_totalPaginas);
    m_paginasLeidas = 0;
    m_hayTexto = false;
    m_coincidencias.clear();
}

void BuscadorPdf::cancelar()
{
    m_timer.stop();
}

void BuscadorPdf::buscar(const QString &texto, bool medirTodas)
{
    cancelar();
    m_medirTodas = medirTodas;
    m_coincidencias.clear();
    m_aguja = plegar(texto);
    m_siguiente = 0;
    if (m_aguja.isEmpty() || !m_documento) {
        Q_EMIT terminada();
        return;
    }
    // The first turn runs now: a short document, or pages already read, give
    // their matches before the caller returns to the event loop.
    turno();
    if (m_siguiente < m_totalPaginas)
        m_timer.start();
}

void BuscadorPdf::turno()
{
    if (!m_documento) {
        m_timer.stop();
        Q_EMIT terminada();
        return;
    }
    QElapsedTimer reloj;
    reloj.start();
    const qsizetype antes = m_coincidencias.size();
    // At least one page per turn; more while the turn has time left.
    do {
        buscarEn(m_siguiente++);
    } while (m_siguiente < m_totalPaginas && reloj.elapsed() < msPorTurno);
    if (m_coincidencias.size() > antes)
        Q_EMIT nuevas();
    if (m_siguiente >= m_totalPaginas) {
        m_timer.stop();
        Q_EMIT terminada();
    }
}

const BuscadorPdf::Pagina &BuscadorPdf::pagina(int n)
{
    Pagina &p = m_paginas[n];
    if (!p.leida) {
        p.leida = true;
        p.plegado = plegarConOrigen(m_documento->getAllText(n).text(), &p.origen);
        ++m_paginasLeidas;
        if (!p.plegado.trimmed().isEmpty())
            m_hayTexto = true;
    }
    return p;
}

bool BuscadorPdf::tieneTexto()
{
    for (int n = 0; n < m_totalPaginas && !m_hayTexto && m_documento; ++n)
        pagina(n);
    return m_hayTexto;
}

void BuscadorPdf::buscarEn(int n)
{
    const Pagina &p = pagina(n);
    for (qsizetype i = p.plegado.indexOf(m_aguja); i >= 0;
         i = p.plegado.indexOf(m_aguja, i + m_aguja.size())) {
        Coincidencia c;
        c.pagina = n;
        c.inicio = p.origen.at(i);
        c.largo = p.origen.at(i + m_aguja.size() - 1) + 1 - c.inicio;
        m_coincidencias.append(c);
        if (m_medirTodas)
            medir(m_coincidencias.size() - 1);
    }
}

const BuscadorPdf::Coincidencia &BuscadorPdf::medir(qsizetype i)
{
    Coincidencia &c = m_coincidencias[i];
    if (c.medida || !m_documento)
        return c;
    c.medida = true;
    const QPdfSelection seleccion = m_documento->getSelectionAtIndex(c.pagina, c.inicio, c.largo);
    c.cajas = unirPorLineas(seleccion.bounds());
    if (c.cajas.isEmpty() && seleccion.isValid())
        c.cajas.append(seleccion.boundingRectangle());
    for (const QRectF &caja : std::as_const(c.cajas))
        c.alto = std::max(c.alto, caja.height());
    return c;
}
