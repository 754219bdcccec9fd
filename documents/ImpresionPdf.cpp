// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImpresionPdf.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfDocumentRenderOptions>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ImpresionPdf {

Resultado<> imprimir(QPdfDocument &documento, QPrinter &impresora)
{
    const int paginas = documento.pageCount();
    int desde = 1;
    int hasta = paginas;
    if (impresora.printRange() == QPrinter::PageRange && impresora.fromPage() > 0) {
        desde = std::max(1, impresora.fromPage());
        hasta = std::min(paginas, impresora.toPage() > 0 ? impresora.toPage() : paginas);
    }
    if (paginas < 1 || desde > hasta)
        return Resultado<>::fallo(u"No hay páginas que imprimir."_s);
    QPainter p;
    if (!p.begin(&impresora))
        return Resultado<>::fallo(u"No se ha podido empezar a imprimir."_s);
    // Beyond a few hundred dots per inch a page image only costs memory: an A4
    // page at 1200 would take half a gigabyte.
    const qreal dpi = std::min(impresora.resolution(), dpiMaximo);
    const QRectF papel = impresora.pageLayout().paintRectPixels(impresora.resolution());
    for (int n = desde - 1; n < hasta; ++n) {
        if (n > desde - 1 && !impresora.newPage())
            return Resultado<>::fallo(u"La impresión se ha interrumpido."_s);
        const QSizeF puntos = documento.pagePointSize(n);
        const QSize pixeles = (puntos * dpi / 72.0).toSize();
        QPdfDocumentRenderOptions opciones;
        opciones.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
        const QImage imagen = documento.render(n, pixeles, opciones);
        QSizeF destino = puntos.scaled(papel.size(), Qt::KeepAspectRatio);
        const QPointF esquina((papel.width() - destino.width()) / 2,
                              (papel.height() - destino.height()) / 2);
        p.drawImage(QRectF(esquina, destino), imagen);
    }
    if (!p.end())
        return Resultado<>::fallo(u"La impresión no ha terminado bien."_s);
    return {};
}

Resultado<> guardarCopia(const QString &origen, const QString &destino)
{
    const QFileInfo de(origen);
    const QFileInfo a(destino);
    if (a.exists() && a.canonicalFilePath() == de.canonicalFilePath())
        return Resultado<>::fallo(u"La copia no puede sustituir al documento que se lee."_s);
    QFile entrada(origen);
    if (!entrada.open(QIODevice::ReadOnly))
        return Resultado<>::fallo(u"No se puede leer «%1»."_s.arg(de.fileName()));
    QSaveFile salida(destino);
    if (!salida.open(QIODevice::WriteOnly))
        return Resultado<>::fallo(u"No se puede escribir «%1»."_s.arg(a.fileName()));
    while (!entrada.atEnd()) {
        const QByteArray trozo = entrada.read(1 << 20);
        if (trozo.isEmpty() || salida.write(trozo) != trozo.size()) {
            salida.cancelWriting();
            return Resultado<>::fallo(
                u"No se ha podido copiar el documento en «%1»."_s.arg(a.fileName()));
        }
    }
    if (!salida.commit())
        return Resultado<>::fallo(u"No se ha podido guardar «%1»."_s.arg(a.fileName()));
    return {};
}

} // namespace ImpresionPdf
