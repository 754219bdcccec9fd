// SPDX-License-Identifier: GPL-3.0-or-later
#include "EscritorPdf.h"

#include "CasosDemo.h"
#include "Coleccion.h"
#include "NavegacionPdf.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTransform>
#include <QUuid>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QColor azul(0x1f, 0x3a, 0x5f);
const QColor azulClaro(0xc9, 0xd3, 0xe0);
const QColor ocre(0xb8, 0x86, 0x2b);
const QColor papel(0xfb, 0xf8, 0xf1);
const QColor crema(0xf3, 0xe9, 0xd2);
const QColor tinta(0x22, 0x22, 0x22);
const QColor gris(0x6b, 0x72, 0x80);

const QString nombreBoletin = u"Boletín de VELTRA"_s;

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
// The document id, named by what makes the document: seed, size and
// issue. From 6.8 on QPdfWriter writes an id into the file, a random one unless
// given, and the same seed must give the same bytes.
QUuid idDocumento(const Coleccion &coleccion, const NumeroDemo &numero)
{
    static const QUuid espacio(u"{6c0f7d2e-4b1a-5e39-9a57-0d3f2c8b1e64}"_s);
    return QUuid::createUuidV5(espacio, u"%1/%2/%3"_s.arg(coleccion.semilla())
                                            .arg(coleccion.totalArticulos())
                                            .arg(numero.archivo()));
}
#endif

// Device units per millimetre; QPdfWriter paints at 1200 dpi by default.
struct Medidas
{
    double porMm = 1200 / 25.4;
    double ancho = 0;
    double alto = 0;
    double mm(double v) const { return v * porMm; }
};

QFont fuente(bool serif, double puntos, QFont::Weight peso = QFont::Normal, bool cursiva = false)
{
    QFont f;
    f.setFamilies(serif ? QStringList{u"DejaVu Serif"_s, u"Liberation Serif"_s}
                        : QStringList{u"DejaVu Sans"_s, u"Liberation Sans"_s});
    f.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    f.setPointSizeF(puntos);
    f.setWeight(peso);
    f.setItalic(cursiva);
    return f;
}

QFont versalitas(double puntos)
{
    QFont f = fuente(false, puntos, QFont::Bold);
    f.setLetterSpacing(QFont::PercentageSpacing, 118);
    return f;
}

// "A, B y C"; "y" turns into "e" before an i sound, as Spanish writes it.
QString listaDeAutores(const Coleccion &coleccion, const ArticuloDemo &articulo)
{
    QStringList nombres;
    for (const int a : articulo.autores)
        nombres << EscritorPdf::nombreLegible(coleccion.autores()[std::size_t(a)].nombre);
    if (nombres.size() < 2)
        return nombres.value(0);
    const QString ultimo = nombres.takeLast();
    const QString inicio = ultimo.left(3).toLower();
    const bool sonidoI = (inicio.startsWith(u'i') || inicio.startsWith(u'í')
                          || inicio.startsWith(u"hi"))
                         && !inicio.startsWith(u"hie");
    return nombres.join(u", "_s) + (sonidoI ? u" e "_s : u" y "_s) + ultimo;
}

// Draws wrapped text from the top of `area` and returns where it ended.
double texto(QPainter &p, const QRectF &area, int flags, const QString &s)
{
    QRectF ocupado;
    p.drawText(area, flags | Qt::TextWordWrap, s, &ocupado);
    return ocupado.bottom();
}

// Where an article's heading starts, below the page's top edge, in mm.
constexpr double arribaTitular = 34;

// Leaves in *lineas the area of each article's contents line, for its link.
void portada(QPainter &p, const Medidas &m, const Coleccion &coleccion, const NumeroDemo &numero,
             const std::vector<ArticuloDemo> &articulos, const std::vector<int> &paginaDe,
             std::vector<QRectF> *lineas)
{
    p.save();
    const double ancho = m.ancho;
    const double alto = m.alto;
    p.fillRect(QRectF(0, 0, ancho, alto), papel);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(azul, m.mm(0.8)));
    p.drawRect(QRectF(m.mm(12), m.mm(12), ancho - m.mm(24), alto - m.mm(24)));
    p.setPen(QPen(azul, m.mm(0.25)));
    p.drawRect(QRectF(m.mm(14), m.mm(14), ancho - m.mm(28), alto - m.mm(28)));

    const QRectF banda(m.mm(14), m.mm(26), ancho - m.mm(28), m.mm(44));
    p.fillRect(banda, azul);
    p.setPen(QPen(ocre, m.mm(0.8)));
    p.drawLine(QPointF(banda.left(), banda.bottom() + m.mm(2)),
               QPointF(banda.right(), banda.bottom() + m.mm(2)));
    p.setPen(Qt::white);
    p.setFont(fuente(true, 30, QFont::Bold));
    p.drawText(banda.adjusted(0, m.mm(5), 0, -m.mm(16)), Qt::AlignCenter, nombreBoletin);
    p.setPen(crema);
    p.setFont(versalitas(10));
    p.drawText(banda.adjusted(0, m.mm(29), 0, -m.mm(4)), Qt::AlignCenter,
               u"AÑO %1  ·  NÚMERO %2"_s.arg(numero.anio).arg(numero.numero));

    p.setPen(azulClaro);
    p.setFont(fuente(true, 64, QFont::Bold));
    p.drawText(QRectF(0, m.mm(74), ancho, m.mm(32)), Qt::AlignCenter,
               QString::number(numero.anio));
    p.setPen(azul);
    p.setFont(fuente(true, 15, QFont::Normal, true));
    p.drawText(QRectF(0, m.mm(105), ancho, m.mm(10)), Qt::AlignCenter, numero.etiqueta());

    const double x = m.mm(30);
    const double w = ancho - m.mm(60);
    double y = m.mm(122);
    p.setFont(versalitas(10));
    p.drawText(QRectF(x, y, w, m.mm(7)), Qt::AlignLeft | Qt::AlignVCenter, u"SUMARIO"_s);
    p.setPen(QPen(azul, m.mm(0.3)));
    p.drawLine(QPointF(x, y + m.mm(8)), QPointF(x + w, y + m.mm(8)));
    y += m.mm(12);

    // As many entries as fit above the footer; the rest are counted.
    const double limite = alto - m.mm(38);
    const QFont fTitulo = fuente(true, 10.5);
    const QFont fAutores = fuente(true, 9, QFont::Normal, true);
    const QFont fPagina = fuente(false, 9);
    const double wTitulo = w - m.mm(16);
    for (std::size_t k = 0; k < articulos.size(); ++k) {
        const QString autores = listaDeAutores(coleccion, articulos[k]);
        p.setFont(fTitulo);
        const double hTitulo =
            p.boundingRect(QRectF(0, 0, wTitulo, alto), Qt::TextWordWrap, articulos[k].titulo)
                .height();
        p.setFont(fAutores);
        const double hAutores =
            p.boundingRect(QRectF(0, 0, wTitulo, alto), Qt::TextWordWrap, autores).height();
        if (y + hTitulo + hAutores > limite) {
            const auto quedan = qsizetype(articulos.size() - k);
            p.setPen(gris);
            p.setFont(fAutores);
            p.drawText(QRectF(x, y, w, m.mm(6)), Qt::AlignLeft | Qt::AlignVCenter,
                       quedan == 1 ? u"… y un artículo más"_s
                                   : u"… y %1 artículos más"_s.arg(quedan));
            lineas->push_back(QRectF(x, y, w, m.mm(6))); // to the first of them
            break;
        }
        p.setPen(tinta);
        p.setFont(fTitulo);
        texto(p, QRectF(x, y, wTitulo, hTitulo), Qt::AlignLeft, articulos[k].titulo);
        p.setPen(gris);
        p.setFont(fPagina);
        p.drawText(QRectF(x + wTitulo, y, w - wTitulo, hTitulo), Qt::AlignRight | Qt::AlignTop,
                   QString::number(paginaDe[k]));
        p.setFont(fAutores);
        texto(p, QRectF(x, y + hTitulo, wTitulo, hAutores), Qt::AlignLeft, autores);
        lineas->push_back(QRectF(x, y, w, hTitulo + hAutores));
        y += hTitulo + hAutores + m.mm(2.5);
    }

    p.setPen(gris);
    p.setFont(fuente(false, 8));
    p.drawText(QRectF(0, alto - m.mm(26), ancho, m.mm(6)), Qt::AlignCenter,
               u"%1  ·  Colección %2-%3  ·  Disco %4"_s.arg(nombreBoletin)
                   .arg(Coleccion::primerAnio)
                   .arg(Coleccion::ultimoAnio)
                   .arg(numero.disco));
    p.restore();
}

// The running head; on an article's later pages it carries the article's
// title on the left, in small type, as a bulletin's pages do.
void cabecera(QPainter &p, const Medidas &m, const NumeroDemo &numero, const QString &izquierda)
{
    const double x = m.mm(25);
    const double w = m.ancho - m.mm(50);
    p.setPen(gris);
    p.setFont(fuente(false, 8));
    const QRectF zona(x, m.mm(14), w, m.mm(6));
    const QString derecha = numero.etiqueta();
    const QString texto = QFontMetricsF(p.font(), p.device())
                              .elidedText(izquierda, Qt::ElideRight, w * 0.7);
    p.drawText(zona, Qt::AlignLeft | Qt::AlignVCenter, texto);
    p.drawText(zona, Qt::AlignRight | Qt::AlignVCenter, derecha);
    p.setPen(QPen(gris, m.mm(0.2)));
    p.drawLine(QPointF(x, m.mm(21)), QPointF(x + w, m.mm(21)));
}

void pie(QPainter &p, const Medidas &m, int pagina)
{
    p.setPen(gris);
    p.setFont(fuente(false, 8));
    p.drawText(QRectF(0, m.alto - m.mm(18), m.ancho, m.mm(6)), Qt::AlignCenter,
               u"— %1 —"_s.arg(pagina));
}

void paginaArticulo(QPainter &p, const Medidas &m, const Coleccion &coleccion,
                    const NumeroDemo &numero, const ArticuloDemo &articulo, int pagina)
{
    p.save();
    const double x = m.mm(25);
    const double w = m.ancho - m.mm(50);
    cabecera(p, m, numero, nombreBoletin);

    double y = m.mm(arribaTitular);
    p.setPen(azul);
    p.setFont(fuente(true, 17, QFont::Bold));
    y = texto(p, QRectF(x, y, w, m.alto), Qt::AlignLeft, articulo.titulo) + m.mm(4);
    p.setPen(tinta);
    p.setFont(fuente(true, 11, QFont::Normal, true));
    y = texto(p, QRectF(x, y, w, m.alto), Qt::AlignLeft, listaDeAutores(coleccion, articulo))
        + m.mm(5);
    p.setPen(QPen(ocre, m.mm(0.7)));
    p.drawLine(QPointF(x, y), QPointF(x + m.mm(30), y));
    y += m.mm(8);

    p.setPen(tinta);
    p.setFont(fuente(true, 10.5));
    for (const QString &parrafo : coleccion.relleno(articulo, numero.anio))
        y = texto(p, QRectF(x, y, w, m.alto), Qt::AlignJustify, parrafo) + m.mm(4);
    pie(p, m, pagina);
    p.restore();
}

// A later page of a long article: its paragraphs again, as many as fit.
void paginaSiguiente(QPainter &p, const Medidas &m, const Coleccion &coleccion,
                     const NumeroDemo &numero, const ArticuloDemo &articulo, int pagina)
{
    p.save();
    const double x = m.mm(25);
    const double w = m.ancho - m.mm(50);
    cabecera(p, m, numero, articulo.titulo);
    p.setPen(tinta);
    p.setFont(fuente(true, 10.5));
    const QStringList parrafos = coleccion.relleno(articulo, numero.anio);
    const double limite = m.alto - m.mm(30);
    double y = m.mm(30);
    for (int k = 0; !parrafos.isEmpty(); ++k) {
        const QString &parrafo = parrafos.at(k % parrafos.size());
        const QRectF caja = p.boundingRect(QRectF(x, y, w, m.alto), Qt::TextWordWrap, parrafo);
        if (caja.bottom() > limite)
            break;
        y = texto(p, QRectF(x, y, w, m.alto), Qt::AlignJustify, parrafo) + m.mm(4);
    }
    pie(p, m, pagina);
    p.restore();
}

bool esNumero(const NumeroDemo &numero, const CasosDemo::NumeroFijo &fijo)
{
    return numero.anio == fijo.anio && numero.numero == fijo.numero;
}

// Pages an article takes: one, or two to four in the long issues.
int paginasDe(const NumeroDemo &numero, const ArticuloDemo &articulo)
{
    const bool largo = std::any_of(std::begin(CasosDemo::numerosLargos),
                                   std::end(CasosDemo::numerosLargos),
                                   [&](const auto &f) { return esNumero(numero, f); });
    return largo ? 2 + articulo.id % 3 : 1;
}

// A scanned issue's pages are drawn into a grey picture first, at this many
// dots per inch, and only the picture goes into the document.
constexpr int dpiEscaneado = 100;

} // namespace

namespace EscritorPdf {

QString nombreLegible(const QString &autor)
{
    const auto coma = autor.lastIndexOf(u", "_s);
    if (coma < 0)
        return autor;
    return autor.mid(coma + 2) + u' ' + autor.left(coma);
}

bool escribir(const QString &ruta, const Coleccion &coleccion, const NumeroDemo &numero,
              const std::vector<ArticuloDemo> &articulos, QString *error)
{
    QPdfWriter escritor(ruta);
    escritor.setPageSize(QPageSize(QPageSize::A4));
    escritor.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    escritor.setTitle(nombreBoletin + u" — "_s + numero.etiqueta());
    escritor.setCreator(u"crear_coleccion"_s);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    escritor.setDocumentId(idDocumento(coleccion, numero));
#endif

    QPainter p;
    if (!p.begin(&escritor)) {
        *error = u"No se pudo escribir el documento «%1»."_s.arg(ruta);
        return false;
    }
    std::vector<int> paginaDe;
    int total = 1;
    for (const ArticuloDemo &a : articulos) {
        paginaDe.push_back(total + 1);
        total += paginasDe(numero, a);
    }

    const bool escaneado = esNumero(numero, CasosDemo::numeroEscaneado);
    QImage hoja;
    QPainter enHoja;
    Medidas m;
    if (escaneado) {
        hoja = QImage(qRound(210 / 25.4 * dpiEscaneado), qRound(297 / 25.4 * dpiEscaneado),
                      QImage::Format_RGB32);
        hoja.setDotsPerMeterX(qRound(dpiEscaneado / 0.0254));
        hoja.setDotsPerMeterY(qRound(dpiEscaneado / 0.0254));
        m.porMm = dpiEscaneado / 25.4;
        m.ancho = hoja.width();
        m.alto = hoja.height();
    } else {
        m.porMm = escritor.resolution() / 25.4;
        m.ancho = escritor.width();
        m.alto = escritor.height();
    }
    // Each page is drawn by `dibujar`, straight into the document or onto the
    // picture of a scanned page.
    const auto pagina = [&](int n, auto dibujar) {
        if (n > 1)
            escritor.newPage();
        if (!escaneado)
            return dibujar(p);
        hoja.fill(Qt::white);
        enHoja.begin(&hoja);
        dibujar(enHoja);
        enHoja.end();
        p.drawImage(QRectF(0, 0, escritor.width(), escritor.height()),
                    hoja.convertToFormat(QImage::Format_Grayscale8));
    };

    std::vector<QRectF> lineas;
    pagina(1, [&](QPainter &q) {
        portada(q, m, coleccion, numero, articulos, paginaDe, &lineas);
    });
    for (std::size_t k = 0; k < articulos.size(); ++k) {
        const ArticuloDemo &a = articulos[k];
        pagina(paginaDe[k], [&](QPainter &q) {
            paginaArticulo(q, m, coleccion, numero, a, paginaDe[k]);
        });
        for (int n = paginaDe[k] + 1; n < paginaDe[k] + paginasDe(numero, a); ++n)
            pagina(n, [&](QPainter &q) { paginaSiguiente(q, m, coleccion, numero, a, n); });
    }
    p.end();
    if (QFileInfo(ruta).size() <= 0) {
        *error = u"El documento «%1» quedó vacío."_s.arg(ruta);
        return false;
    }

    // What was drawn in device units (or a scanned picture's dots), in points.
    const double puntosPorUnidad = 72.0 / escritor.resolution();
    const QTransform enPuntos =
        QTransform::fromScale(escritor.width() / m.ancho * puntosPorUnidad,
                              escritor.height() / m.alto * puntosPorUnidad);
    const double titular = enPuntos.map(QPointF(0, m.mm(arribaTitular))).y();
    std::vector<NavegacionPdf::Enlace> enlaces;
    for (std::size_t k = 0; k < lineas.size(); ++k)
        enlaces.push_back({enPuntos.mapRect(lineas[k]), {paginaDe[k] - 1, titular}});
    std::vector<NavegacionPdf::Entrada> indice;
    for (std::size_t k = 0; k < articulos.size(); ++k) {
        NavegacionPdf::Entrada e{articulos[k].titulo, {paginaDe[k] - 1, titular}, {}};
        for (int n = 2; n <= paginasDe(numero, articulos[k]); ++n)
            e.hijas.push_back({u"Página %1"_s.arg(n), {paginaDe[k] + n - 2, 0}, {}});
        indice.push_back(std::move(e));
    }
    if (!NavegacionPdf::completar(ruta, enlaces, indice)) {
        *error = u"No se pudo escribir el documento «%1»."_s.arg(ruta);
        return false;
    }
    return true;
}

} // namespace EscritorPdf
