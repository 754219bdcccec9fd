// SPDX-License-Identifier: GPL-3.0-or-later
// bench_lectura: times what a reader waits for inside an open document, in a
// viewer of the program's size, offscreen: find in a 100-page issue (the first
// match on screen, every match, and the longest turn of the event loop while
// it runs), and opening at an article whose heading is on page 80.

#include "BarraDocumento.h"
#include "BuscadorPdf.h"
#include "Medida.h"
#include "PanelDocumento.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QEventLoop>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

const QString ayuda = uR"(Uso: bench_lectura --caso CASO [--vueltas N]

CASO: buscar (una palabra que está en todas las páginas de un número de 100
páginas) o articulo (abrir en el artículo cuyo título encabeza la página 80).
)"_s;

const QString tituloBuscado = u"La prueba de carga de los puentes de Suiza"_s;
constexpr int paginas = 100;
constexpr int paginaDelArticulo = 80;

[[noreturn]] void fallar(const QString &motivo)
{
    std::fprintf(stderr, "bench_lectura: %s\n", qPrintable(motivo));
    std::exit(2);
}

// An issue as the bulletin sets it: a contents page listing every article,
// then a page per article with its heading and as much text as fills it.
void escribirNumero(const QString &ruta)
{
    QPdfWriter pdf(ruta);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    QPainter p;
    if (!p.begin(&pdf))
        fallar(u"no se pudo escribir "_s + ruta);
    const QRect area = p.viewport();
    const int margen = area.width() / 9;
    const QRect caja = area.adjusted(margen, margen, -margen, -margen);
    const auto titulo = [](int pagina) {
        return pagina == paginaDelArticulo ? tituloBuscado
                                           : u"Notas sobre la obra pública, %1"_s.arg(pagina);
    };
    const QString parrafo =
        u"El firme de la carretera se proyecta con capas granulares y mezclas bituminosas; "
        "la señalización luminosa y el drenaje completan la obra, cuya conservación "
        "exige inspecciones periódicas y un presupuesto propio."_s;
    QFont letra(u"DejaVu Serif"_s);
    for (int n = 1; n <= paginas; ++n) {
        if (n > 1 && !pdf.newPage())
            fallar(u"no se pudo escribir "_s + ruta);
        p.save();
        letra.setPointSizeF(n == 1 ? 9 : 17);
        p.setFont(letra);
        QRectF hecho;
        if (n == 1) {
            QStringList sumario{u"SUMARIO"_s};
            for (int k = 2; k <= paginas; ++k)
                sumario << titulo(k) + u" ..... "_s + QString::number(k);
            p.drawText(caja, Qt::TextWordWrap, sumario.join(u'\n'));
        } else {
            p.drawText(caja, Qt::TextWordWrap, titulo(n), &hecho);
            letra.setPointSizeF(10.5);
            p.setFont(letra);
            p.drawText(caja.adjusted(0, int(hecho.height()) + margen / 3, 0, 0),
                       Qt::TextWordWrap, QStringList(8, parrafo).join(u"\n"_s));
        }
        p.restore();
    }
    p.end();
}

// Counts the longest wait between two turns of the event loop.
class Pulso final : public QObject
{
public:
    Pulso()
    {
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_maximo = std::max(m_maximo, m_reloj.nsecsElapsed() / 1e6);
            m_reloj.restart();
        });
    }
    void empezar()
    {
        m_maximo = 0;
        m_reloj.start();
        m_timer.start();
    }
    double parar()
    {
        m_timer.stop();
        return m_maximo;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_reloj;
    double m_maximo = 0;
};

template <class Condicion>
void esperarHasta(Condicion listo)
{
    QEventLoop bucle;
    QTimer sondeo;
    sondeo.setInterval(1);
    QObject::connect(&sondeo, &QTimer::timeout, &bucle, [&] {
        if (listo())
            bucle.quit();
    });
    sondeo.start();
    if (!listo())
        bucle.exec();
}

PanelDocumento *abrir(const QString &ruta, const QString &titulo)
{
    auto *panel = new PanelDocumento;
    panel->resize(413, 412); // the viewer's pane at the window's own size
    panel->show();
    panel->abrirEnArticulo(titulo);
    QEventLoop bucle;
    QObject::connect(panel, &PanelDocumento::DownloadComplete, &bucle, &QEventLoop::quit);
    panel->Navigate(ruta);
    bucle.exec();
    if (!panel->mensaje().isEmpty())
        fallar(panel->mensaje());
    return panel;
}

void esperarLectura(PanelDocumento *panel)
{
    esperarHasta([panel] { return panel->listoParaLeer(); });
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QString caso;
    int vueltas = 5;
    const QStringList a = QCoreApplication::arguments();
    for (qsizetype i = 1; i + 1 < a.size(); i += 2) {
        if (a.at(i) == u"--caso")
            caso = a.at(i + 1);
        else if (a.at(i) == u"--vueltas")
            vueltas = std::max(1, a.at(i + 1).toInt());
    }
    if (caso != u"buscar" && caso != u"articulo") {
        std::fputs(qPrintable(ayuda), stderr);
        return 2;
    }
    QTemporaryDir dir;
    const QString ruta = dir.filePath(u"numero.pdf"_s);
    escribirNumero(ruta);
    const QString tamano = QString::number(paginas) + u"pág"_s;

    Pulso pulso;
    Medida::Serie primera, todas, turno, articulo;
    for (int i = 0; i < vueltas; ++i) {
        // Each run on a fresh pane: no page's text is read yet.
        if (caso == u"buscar") {
            PanelDocumento *panel = abrir(ruta, {});
            esperarLectura(panel);
            BuscadorPdf *buscador = panel->buscador();
            pulso.empezar();
            const qint64 t0 = Medida::ahoraNs();
            panel->barra()->buscar->setText(u"SEÑALIZACION"_s);
            esperarHasta([&] { return panel->coincidenciaActual() >= 0 || !buscador->enCurso(); });
            primera.ms << Medida::msDesde(t0);
            esperarHasta([&] { return !buscador->enCurso(); });
            todas.ms << Medida::msDesde(t0);
            turno.ms << pulso.parar();
            if (buscador->coincidencias().size() < paginas - 1)
                fallar(u"faltan coincidencias"_s);
            Medida::vuelta(caso, i, todas.ms.last());
            delete panel;
        } else {
            PanelDocumento *panel = abrir(ruta, tituloBuscado);
            const qint64 t0 = Medida::ahoraNs();
            pulso.empezar();
            esperarLectura(panel);
            esperarHasta([&] {
                return panel->coincidenciaActual() >= 0 || !panel->buscador()->enCurso();
            });
            articulo.ms << Medida::msDesde(t0);
            turno.ms << pulso.parar();
            if (panel->vista()->paginaActual() + 1 != paginaDelArticulo)
                fallar(u"no se abrió en la página del artículo"_s);
            Medida::vuelta(caso, i, articulo.ms.last());
            delete panel;
        }
    }
    if (caso == u"buscar") {
        Medida::resultado(u"buscar:primera"_s, tamano, paginas - 1, primera);
        Medida::resultado(u"buscar:todas"_s, tamano, paginas - 1, todas);
        Medida::resultado(u"buscar:turno"_s, tamano, paginas - 1, turno);
    } else {
        Medida::resultado(u"articulo"_s, tamano, 1, articulo);
        Medida::resultado(u"articulo:turno"_s, tamano, 1, turno);
    }
    return 0;
}
