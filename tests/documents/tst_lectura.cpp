// SPDX-License-Identifier: GPL-3.0-or-later
#include "BarraDocumento.h"
#include "BuscadorPdf.h"
#include "ImpresionPdf.h"
#include "PanelDocumento.h"
#include "PruebasDocumentos.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace PruebasDocumentos;

namespace {

// One entry per page; lines split at '\n'. A line starting with '#' is a
// heading in 20-point type, the rest 10-point. `imagen`: each page becomes a
// picture, with no text layer, as a scanned issue.
bool escribirTexto(const QString &ruta, const QStringList &paginas, bool imagen = false)
{
    QPdfWriter pdf(ruta);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    QPainter p;
    if (!p.begin(&pdf))
        return false;
    const QRect area = p.viewport();
    for (qsizetype i = 0; i < paginas.size(); ++i) {
        if (i > 0 && !pdf.newPage())
            return false;
        QImage foto(imagen ? area.size() / 10 : QSize(1, 1), QImage::Format_RGB32);
        foto.fill(Qt::white);
        QPainter fotoP(&foto);
        QPainter &q = imagen ? fotoP : p;
        q.save();
        q.setPen(Qt::black);
        const int x = (imagen ? foto.width() : area.width()) / 12;
        int y = x;
        for (QString linea : paginas.at(i).split(u'\n')) {
            QFont letra(u"DejaVu Sans"_s);
            letra.setPointSize(linea.startsWith(u'#') ? 20 : 10);
            q.setFont(letra);
            if (linea.startsWith(u'#'))
                linea.remove(0, 1);
            y += QFontMetrics(letra, q.device()).height();
            q.drawText(x, y, linea);
        }
        q.restore();
        fotoP.end();
        if (imagen)
            p.drawImage(area, foto);
    }
    return p.end();
}

} // namespace

class TestLectura final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void buscar_data();
    void buscar();
    void abrirEnElArticulo_data();
    void abrirEnElArticulo();
    void paginas();
    void imprimir_data();
    void imprimir();
    void guardarCopia();

private:
    QString ruta(const QString &nombre) const { return m_dir.filePath(nombre); }
    void cargar(const QString &archivo);
    // Waits for the find under way to end.
    void esperarBusqueda();
    int pagina() const { return m_panel->barra()->pagina->text().toInt(); }

    QTemporaryDir m_dir;
    PanelDocumento *m_panel = nullptr;
};

void TestLectura::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(escribirPdf(ruta(u"cinco.pdf"_s), 5));
}

void TestLectura::init()
{
    m_panel = new PanelDocumento;
    m_panel->resize(600, 500);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
}

void TestLectura::cleanup()
{
    delete m_panel;
    m_panel = nullptr;
}

void TestLectura::cargar(const QString &archivo)
{
    QSignalSpy terminado(m_panel, &PanelDocumento::DownloadComplete);
    m_panel->Navigate(archivo);
    QVERIFY(terminado.wait(5000));
    QVERIFY(m_panel->mensaje().isEmpty());
    QTRY_VERIFY(m_panel->listoParaLeer());
}

void TestLectura::esperarBusqueda()
{
    QTRY_VERIFY_WITH_TIMEOUT(!m_panel->buscador()->enCurso(), 10000);
}

void TestLectura::buscar_data()
{
    QTest::addColumn<QStringList>("texto");
    QTest::addColumn<bool>("imagen");
    QTest::addColumn<QString>("buscado");
    QTest::addColumn<bool>("atras");
    // Pages of the current match, from 1: first shown, then after each F3.
    QTest::addColumn<QList<int>>("visitas");
    QTest::addColumn<QString>("resultado");

    const QStringList tres = {u"El PUENTE de hierro"_s, u"nada aquí"_s, u"otro Puente"_s};
    const QStringList cuatro = {u"puente"_s, u"un puente"_s, u"nada"_s, u"el puente"_s};
    // clang-format off
    QTest::newRow("mayúsculas, vuelta al principio") << tres << false << u"puente"_s << false << QList<int>{1, 3, 1} << u"1 de 2"_s;
    QTest::newRow("hacia atrás, vuelta al final") << cuatro << false << u"PUENTE"_s << true << QList<int>{1, 4, 2, 1} << u"1 de 3"_s;
    QTest::newRow("acentos") << QStringList{u"uno"_s, u"El Árbol genealógico"_s} << false << u"arbol GENEALOGICO"_s << false << QList<int>{2, 2} << u"1 de 1"_s;
    QTest::newRow("acento en lo buscado") << QStringList{u"el arbol"_s} << false << u"árbol"_s << false << QList<int>{1} << u"1 de 1"_s;
    QTest::newRow("blancos y salto de línea") << QStringList{u"la prueba de\ncarga de los puentes"_s} << false << u"prueba  de carga"_s << false << QList<int>{1} << u"1 de 1"_s;
    QTest::newRow("sin coincidencias") << tres << false << u"túnel"_s << false << QList<int>{} << u"Sin coincidencias"_s;
    QTest::newRow("escaneado") << tres << true << u"puente"_s << false << QList<int>{} << u"Este documento no contiene texto"_s;
    // clang-format on
}

void TestLectura::buscar()
{
    QFETCH(QStringList, texto);
    QFETCH(bool, imagen);
    QFETCH(QString, buscado);
    QFETCH(bool, atras);
    QFETCH(QList<int>, visitas);
    QFETCH(QString, resultado);

    const QString archivo = ruta(QString::fromUtf8(QTest::currentDataTag()) + u".pdf"_s);
    QVERIFY(escribirTexto(archivo, texto, imagen));
    cargar(archivo);
    BarraDocumento *barra = m_panel->barra();
    QCOMPARE(barra->buscar->isEnabled(), !imagen);
    QCOMPARE(barra->imprimir->isEnabled(), true);
    if (imagen) {
        QCOMPARE(barra->resultado->text(), resultado);
        return;
    }
    // Ctrl+F from the document puts the cursor in the field.
    m_panel->vista()->setFocus();
    QTest::keyClick(m_panel->vista(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(barra->buscar->hasFocus());
    barra->buscar->setText(buscado); // keyClicks takes Latin-1 only
    esperarBusqueda();
    QCOMPARE(barra->resultado->text(), resultado);
    const auto &c = m_panel->buscador()->coincidencias();
    for (qsizetype i = 0; i < visitas.size(); ++i) {
        if (i > 0)
            QTest::keyClick(barra->buscar, Qt::Key_Return,
                            atras ? Qt::ShiftModifier : Qt::NoModifier);
        QVERIFY(m_panel->coincidenciaActual() >= 0);
        const int esperada = visitas.at(i);
        QCOMPARE(c.at(m_panel->coincidenciaActual()).pagina + 1, esperada);
        QCOMPARE(pagina(), esperada);
        // Highlighted, standing out, where it is.
        QTRY_VERIFY(std::any_of(m_panel->vista()->marcas().begin(),
                                m_panel->vista()->marcas().end(), [&](const VistaPdf::Marca &m) {
                                    return m.actual && m.pagina + 1 == esperada
                                           && !m.cajas.isEmpty();
                                }));
    }
    if (visitas.isEmpty())
        QCOMPARE(m_panel->coincidenciaActual(), -1);
    // Esc goes back to the document.
    QTest::keyClick(barra->buscar, Qt::Key_Escape);
    QVERIFY(m_panel->vista()->hasFocus());
}

void TestLectura::abrirEnElArticulo_data()
{
    QTest::addColumn<int>("paginas");
    // The article's heading: its page (from 1) and how it is set.
    QTest::addColumn<int>("enPagina");
    QTest::addColumn<QString>("encabezado");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<bool>("moverAntes"); // the reader presses End at once
    QTest::addColumn<int>("esperada");    // page shown at the end, from 1

    const QString t = u"La prueba de carga de los puentes"_s;
    // clang-format off
    QTest::newRow("en la página 1") << 3 << 1 << u"#"_s + t << t << false << 1;
    QTest::newRow("en la página 80, tras el sumario") << 100 << 80 << u"#"_s + t << t << false << 80;
    QTest::newRow("partido en dos líneas") << 5 << 4 << u"#La prueba de carga\n#de los puentes"_s << t << false << 4;
    QTest::newRow("ausente") << 5 << 4 << u"#"_s + t << u"Un puente que no está"_s << false << 1;
    QTest::newRow("línea cronológica") << 5 << 4 << u"#"_s + t << QString() << false << 1;
    QTest::newRow("el lector ya se movió") << 100 << 80 << u"#"_s + t << t << true << 100;
    // clang-format on
}

void TestLectura::abrirEnElArticulo()
{
    QFETCH(int, paginas);
    QFETCH(int, enPagina);
    QFETCH(QString, encabezado);
    QFETCH(QString, titulo);
    QFETCH(bool, moverAntes);
    QFETCH(int, esperada);

    // A contents page listing the article, running heads quoting it in small
    // type on every page, and its heading on its own page.
    QStringList texto;
    for (int i = 1; i <= paginas; ++i)
        texto << (i == enPagina ? encabezado : u"texto de relleno"_s);
    texto[0] = (enPagina == 1 ? encabezado : u"#Sumario"_s) + u"\n"_s
               + u"La prueba de carga de los puentes ..... %1"_s.arg(enPagina);
    for (int i = 1; i < paginas; ++i)
        texto[i] += u"\nboletín: La prueba de carga de los puentes"_s;
    const QString archivo = ruta(QString::fromUtf8(QTest::currentDataTag()) + u".pdf"_s);
    QVERIFY(escribirTexto(archivo, texto));

    m_panel->abrirEnArticulo(titulo);
    if (moverAntes)
        connect(m_panel, &PanelDocumento::DownloadComplete, this,
                [this] { QTest::keyClick(m_panel->vista(), Qt::Key_End); });
    cargar(archivo);
    // The first page is painted before the title is looked for.
    esperarBusqueda();
    QCOMPARE(pagina(), esperada);
    const bool hallado = esperada != 1 || enPagina == 1;
    if (!titulo.isEmpty() && hallado && !moverAntes) {
        QCOMPARE(m_panel->barra()->buscar->text(), titulo);
        const auto &c = m_panel->buscador()->coincidencias();
        QVERIFY(m_panel->coincidenciaActual() >= 0);
        QCOMPARE(c.at(m_panel->coincidenciaActual()).pagina + 1, enPagina);
    } else if (!moverAntes) {
        QVERIFY(m_panel->barra()->buscar->text().isEmpty());
        QCOMPARE(m_panel->vista()->verticalScrollBar()->value(), 0);
    }
}

// "N de M" follows the scroll; the buttons, the keys and the page box move.
void TestLectura::paginas()
{
    cargar(ruta(u"cinco.pdf"_s));
    BarraDocumento *barra = m_panel->barra();
    VistaPdf *vista = m_panel->vista();
    QCOMPARE(barra->total->text(), u"de 5"_s);
    QCOMPARE(pagina(), 1);
    QVERIFY(!barra->anterior->isEnabled());

    QScrollBar *v = vista->verticalScrollBar();
    v->setValue(v->value() + vista->rectanguloPagina(2).top() + 20);
    QCOMPARE(pagina(), 3);
    barra->siguiente->trigger();
    QCOMPARE(pagina(), 4);
    QCOMPARE(vista->rectanguloPagina(3).top(), vista->documentMargins().top());
    QTest::keyClick(vista, Qt::Key_PageUp);
    QCOMPARE(pagina(), 3);
    QTest::keyClick(vista, Qt::Key_End);
    QCOMPARE(pagina(), 5);
    QVERIFY(!barra->siguiente->isEnabled());
    QTest::keyClick(vista, Qt::Key_Home);
    QCOMPARE(pagina(), 1);

    barra->pagina->setFocus();
    barra->pagina->selectAll();
    QTest::keyClicks(barra->pagina, u"4"_s);
    QTest::keyClick(barra->pagina, Qt::Key_Return);
    QCOMPARE(vista->paginaActual(), 3);
    QCOMPARE(pagina(), 4);
    barra->ultima->trigger();
    QCOMPARE(pagina(), 5);
    barra->primera->trigger();
    QCOMPARE(pagina(), 1);

    // The page being read stays through zooming and resizing.
    m_panel->irAPagina(4);
    barra->ampliar->trigger();
    QCOMPARE(pagina(), 4);
    m_panel->resize(900, 700);
    QTRY_COMPARE(vista->viewport()->width() > 700, true);
    QCOMPARE(pagina(), 4);
    barra->ajustarAncho->trigger();
    QCOMPARE(pagina(), 4);
    barra->paginaCompleta->trigger();
    QCOMPARE(pagina(), 4);
    QVERIFY(vista->rectanguloPagina(3).height() <= vista->viewport()->height());
}

void TestLectura::imprimir_data()
{
    QTest::addColumn<int>("desde");
    QTest::addColumn<int>("hasta");
    QTest::addColumn<int>("hojas");
    QTest::newRow("todas") << 0 << 0 << 5;
    QTest::newRow("de la 2 a la 3") << 2 << 3 << 2;
    QTest::newRow("más allá del final") << 4 << 9 << 2;
}

void TestLectura::imprimir()
{
    QFETCH(int, desde);
    QFETCH(int, hasta);
    QFETCH(int, hojas);

    QPdfDocument documento;
    QCOMPARE(documento.load(ruta(u"cinco.pdf"_s)), QPdfDocument::Error::None);
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setPageSize(QPageSize(QPageSize::Letter));
    const QString salida = ruta(u"impreso-%1.pdf"_s.arg(desde));
    impresora.setOutputFileName(salida);
    if (desde > 0) {
        impresora.setPrintRange(QPrinter::PageRange);
        impresora.setFromTo(desde, hasta);
    }
    QString error;
    QVERIFY2(ImpresionPdf::imprimir(documento, impresora, &error), qPrintable(error));

    QPdfDocument impreso;
    QCOMPARE(impreso.load(salida), QPdfDocument::Error::None);
    QCOMPARE(impreso.pageCount(), hojas);
    // Each sheet holds its page whole: the band over its top third, and the
    // A4 page, narrower than the Letter sheet, leaves white at the sides.
    for (int i = 0; i < hojas; ++i) {
        const QImage hoja = impreso.render(i, QSize(216, 279));
        const QRgb banda = hoja.pixel(108, 40);
        QVERIFY2(qAlpha(banda) > 200 && qGray(banda) < 80, "the page is not drawn on the sheet");
        const QRgb lado = hoja.pixel(2, 40); // nothing drawn there: clear or white
        QVERIFY(qAlpha(lado) < 50 || qGray(lado) > 200);
    }
}

void TestLectura::guardarCopia()
{
    const QString origen = ruta(u"cinco.pdf"_s);
    QFile f(origen);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    const QString destino = ruta(u"copia.pdf"_s);
    QVERIFY(escribirArchivo(destino, "lo que había"));

    QString error;
    QVERIFY2(ImpresionPdf::guardarCopia(origen, destino, &error), qPrintable(error));
    QFile copia(destino);
    QVERIFY(copia.open(QIODevice::ReadOnly));
    QCOMPARE(copia.readAll(), bytes);
    // Never onto the document itself.
    QVERIFY(!ImpresionPdf::guardarCopia(origen, origen, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), bytes);
}

QTEST_MAIN(TestLectura)
#include "tst_lectura.moc"
