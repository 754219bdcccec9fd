// SPDX-License-Identifier: GPL-3.0-or-later
#include "PruebasDocumentos.h"

#include "FormPrincipal.h"
#include "Programa.h"
#include "frmBrowser.h"

#include <QApplication>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace PruebasDocumentos {

bool escribirPdf(const QString &ruta, int paginas, int trazos)
{
    QPdfWriter pdf(ruta);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(300);
    QPainter p;
    if (!p.begin(&pdf))
        return false;
    const QRect area = p.viewport();
    for (int i = 0; i < paginas; ++i) {
        if (i > 0 && !pdf.newPage())
            return false;
        // The pen and brush would carry over to the next page otherwise.
        p.save();
        p.fillRect(QRect(0, 0, area.width(), area.height() / 3), Qt::black);
        QFont letra = p.font();
        letra.setPointSize(36);
        p.setFont(letra);
        p.setPen(Qt::black);
        p.drawText(QRect(0, area.height() / 2, area.width(), area.height() / 4),
                   Qt::AlignCenter, u"Página %1"_s.arg(i + 1));
        if (i == 0)
            for (int t = 0; t < trazos; ++t)
                p.drawLine(t % area.width(), area.height() / 3, (t * 7) % area.width(),
                           area.height());
        p.restore();
    }
    return p.end();
}

bool escribirArchivo(const QString &ruta, const QByteArray &datos)
{
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(datos) == datos.size();
}

void ajustesEn(const QString &carpeta)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(carpeta));
}

void cargarPrincipal(const QString &lugar)
{
    Programa::setLugares({lugar});
    Instancia<FormPrincipal>::get();
}

QList<frmBrowser *> visores()
{
    QList<frmBrowser *> lista;
    const auto ventanas = QApplication::topLevelWidgets();
    for (QWidget *w : ventanas)
        if (auto *v = qobject_cast<frmBrowser *>(w); v && !v->descargado())
            lista << v;
    return lista;
}

void cerrarVisores()
{
    // Taken first: deleting a viewer deletes top-level widgets of its own (the
    // address box's drop-down).
    QList<QPointer<frmBrowser>> lista;
    const auto ventanas = QApplication::topLevelWidgets();
    for (QWidget *w : ventanas)
        if (auto *v = qobject_cast<frmBrowser *>(w))
            lista << v;
    for (const QPointer<frmBrowser> &v : lista)
        delete v.data();
}

} // namespace PruebasDocumentos
