// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanelDocumento.h"
#include "PruebasDocumentos.h"

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace PruebasDocumentos;

class TestPanelDocumento final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void cargaUnDocumento_data();
    void cargaUnDocumento();
    void laPrimeraPaginaEstaPintadaAlTerminar();
    void mensajeEnVezDelDocumento_data();
    void mensajeEnVezDelDocumento();
    void trasUnErrorOtroDocumentoSeVe();
    void historial();
    void detenerAbandonaLaCarga();
    void laUltimaDireccionPedidaGana();
    void sinDireccionNoHaceNada();
    void zoom_data();
    void zoom();

private:
    QString ruta(const QString &nombre) const { return m_dir.filePath(nombre); }
    // Navigates and waits for the load to end.
    void cargar(const QString &direccion);

    QTemporaryDir m_dir;
    PanelDocumento *m_panel = nullptr;
};

void TestPanelDocumento::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(escribirPdf(ruta(u"a.pdf"_s), 3));
    QVERIFY(escribirPdf(ruta(u"b.pdf"_s), 2));
    QVERIFY(escribirPdf(ruta(u"c.pdf"_s), 1));
    QVERIFY(escribirPdf(ruta(u"con espacios ñ.pdf"_s), 1));
    QVERIFY(escribirArchivo(ruta(u"vacio.pdf"_s), {}));
    QVERIFY(escribirArchivo(ruta(u"texto.pdf"_s), "Esto es texto, no un PDF.\n"));
    QFile entero(ruta(u"a.pdf"_s));
    QVERIFY(entero.open(QIODevice::ReadOnly));
    QVERIFY(escribirArchivo(ruta(u"truncado.pdf"_s), entero.read(entero.size() / 4)));
    QVERIFY(QDir(m_dir.path()).mkdir(u"carpeta.pdf"_s));
}

void TestPanelDocumento::init()
{
    m_panel = new PanelDocumento;
    m_panel->resize(413, 412);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
}

void TestPanelDocumento::cleanup()
{
    delete m_panel;
    m_panel = nullptr;
}

void TestPanelDocumento::cargar(const QString &direccion)
{
    QSignalSpy terminado(m_panel, &PanelDocumento::DownloadComplete);
    m_panel->Navigate(direccion);
    QVERIFY(m_panel->Busy());
    QVERIFY(terminado.wait(5000));
    QVERIFY(!m_panel->Busy());
}

void TestPanelDocumento::cargaUnDocumento_data()
{
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<int>("paginas");
    QTest::newRow("ruta") << ruta(u"a.pdf"_s) << u"a.pdf"_s << 3;
    QTest::newRow("espacios y ñ")
        << ruta(u"con espacios ñ.pdf"_s) << u"con espacios ñ.pdf"_s << 1;
    QTest::newRow("file: URL")
        << QUrl::fromLocalFile(ruta(u"b.pdf"_s)).toString() << u"b.pdf"_s << 2;
}

void TestPanelDocumento::cargaUnDocumento()
{
    QFETCH(QString, direccion);
    QFETCH(QString, nombre);
    QFETCH(int, paginas);

    QSignalSpy terminado(m_panel, &PanelDocumento::DownloadComplete);
    m_panel->Navigate(direccion);
    // Nothing is read before the event loop turns: the caller can say it is busy.
    QVERIFY(m_panel->Busy());
    QVERIFY(!m_panel->documento());
    QVERIFY(terminado.wait(5000));
    QCOMPARE(terminado.size(), 1);
    QVERIFY(!m_panel->Busy());
    QCOMPARE(m_panel->LocationName(), nombre);
    QVERIFY(m_panel->mensaje().isEmpty());
    QVERIFY(m_panel->documento());
    QCOMPARE(m_panel->documento()->pageCount(), paginas);
    QCOMPARE(m_panel->vista()->zoomMode(), VistaPdf::ZoomMode::FitToWidth);
    QTest::qWait(50);
    QCOMPARE(terminado.size(), 1);
}

// The end of a load is the first page on screen: the black band over the top
// third of page 1 must be in the pane when DownloadComplete arrives.
void TestPanelDocumento::laPrimeraPaginaEstaPintadaAlTerminar()
{
    QImage enPantalla;
    connect(m_panel, &PanelDocumento::DownloadComplete, this,
            [&] { enPantalla = m_panel->vista()->viewport()->grab().toImage(); });
    cargar(ruta(u"a.pdf"_s));
    QVERIFY(!enPantalla.isNull());
    const int ancho = enPantalla.width() / int(enPantalla.devicePixelRatio());
    const QPoint enLaBanda(ancho / 2, 6 + ancho * 297 / 210 / 6);
    const QPoint bajoLaBanda(ancho / 8, 6 + ancho * 297 / 210 / 2);
    QVERIFY2(qGray(enPantalla.pixel(enLaBanda)) < 60, "page 1 is not drawn");
    QVERIFY(qGray(enPantalla.pixel(bajoLaBanda)) > 200);
}

void TestPanelDocumento::mensajeEnVezDelDocumento_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("motivo");
    QTest::newRow("no existe") << u"no-existe.pdf"_s << u"el archivo no existe."_s;
    QTest::newRow("vacío") << u"vacio.pdf"_s << u"el archivo está vacío."_s;
    QTest::newRow("texto") << u"texto.pdf"_s << u"no es un PDF válido."_s;
    QTest::newRow("truncado") << u"truncado.pdf"_s << u"no es un PDF válido."_s;
    QTest::newRow("carpeta") << u"carpeta.pdf"_s << u"no es un archivo."_s;
}

void TestPanelDocumento::mensajeEnVezDelDocumento()
{
    QFETCH(QString, nombre);
    QFETCH(QString, motivo);
    QSignalSpy terminado(m_panel, &PanelDocumento::DownloadComplete);
    cargar(ruta(nombre));
    QCOMPARE(terminado.size(), 1);
    QCOMPARE(m_panel->mensaje(),
             u"No se puede mostrar el documento «%1»: %2"_s.arg(nombre, motivo));
    QCOMPARE(m_panel->LocationName(), nombre);
    QVERIFY(!m_panel->documento());
    QCOMPARE(m_panel->historial(), QStringList{ruta(nombre)});
}

void TestPanelDocumento::trasUnErrorOtroDocumentoSeVe()
{
    cargar(ruta(u"a.pdf"_s));
    cargar(ruta(u"no-existe.pdf"_s));
    QVERIFY(!m_panel->mensaje().isEmpty());
    cargar(ruta(u"b.pdf"_s));
    QVERIFY(m_panel->mensaje().isEmpty());
    QCOMPARE(m_panel->documento()->pageCount(), 2);
    QVERIFY(m_panel->vista()->isVisible());
}

void TestPanelDocumento::historial()
{
    const QString a = ruta(u"a.pdf"_s), b = ruta(u"b.pdf"_s), c = ruta(u"c.pdf"_s);
    QVERIFY(!m_panel->GoBack());
    QVERIFY(!m_panel->GoForward());
    QVERIFY(!m_panel->Busy());

    cargar(a);
    QVERIFY(!m_panel->GoBack());
    QVERIFY(!m_panel->Busy());
    cargar(b);
    QCOMPARE(m_panel->historial(), (QStringList{a, b}));

    QSignalSpy terminado(m_panel, &PanelDocumento::DownloadComplete);
    QVERIFY(m_panel->GoBack());
    QVERIFY(terminado.wait(5000));
    QCOMPARE(m_panel->LocationName(), u"a.pdf"_s);
    QCOMPARE(m_panel->posicionHistorial(), 0);

    QVERIFY(m_panel->GoForward());
    QVERIFY(terminado.wait(5000));
    QCOMPARE(m_panel->LocationName(), u"b.pdf"_s);
    QVERIFY(!m_panel->GoForward());

    // A new address after going back drops what lay ahead.
    QVERIFY(m_panel->GoBack());
    QVERIFY(terminado.wait(5000));
    cargar(c);
    QCOMPARE(m_panel->historial(), (QStringList{a, c}));
    QVERIFY(!m_panel->GoForward());

    // Reloading keeps the history as it is.
    m_panel->Refresh();
    QVERIFY(m_panel->Busy());
    QVERIFY(terminado.wait(5000));
    QCOMPARE(m_panel->historial(), (QStringList{a, c}));
    QCOMPARE(m_panel->LocationName(), u"c.pdf"_s);
}

void TestPanelDocumento::detenerAbandonaLaCarga()
{
    cargar(ruta(u"a.pdf"_s));
    QSignalSpy terminado(m_panel, &PanelDocumento::DownloadComplete);
    m_panel->Navigate(ruta(u"b.pdf"_s));
    m_panel->Stop();
    QVERIFY(!m_panel->Busy());
    QTest::qWait(100);
    QCOMPARE(terminado.size(), 0);
    QCOMPARE(m_panel->LocationName(), u"a.pdf"_s);
    QCOMPARE(m_panel->documento()->pageCount(), 3);
    QCOMPARE(m_panel->historial(), QStringList{ruta(u"a.pdf"_s)});
}

void TestPanelDocumento::laUltimaDireccionPedidaGana()
{
    QSignalSpy terminado(m_panel, &PanelDocumento::DownloadComplete);
    m_panel->Navigate(ruta(u"a.pdf"_s));
    m_panel->Navigate(ruta(u"b.pdf"_s));
    QVERIFY(terminado.wait(5000));
    QTest::qWait(50);
    QCOMPARE(terminado.size(), 1);
    QCOMPARE(m_panel->LocationName(), u"b.pdf"_s);
    QCOMPARE(m_panel->historial(), QStringList{ruta(u"b.pdf"_s)});
}

void TestPanelDocumento::sinDireccionNoHaceNada()
{
    m_panel->Refresh();
    QVERIFY(!m_panel->Busy());
    m_panel->Navigate(QString());
    QVERIFY(!m_panel->Busy());
    QTest::qWait(20);
    QVERIFY(m_panel->historial().isEmpty());
    QCOMPARE(m_panel->LocationName(), QString());
}

void TestPanelDocumento::zoom_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("teclas");
    QTest::addColumn<QList<int>>("giros");
    QTest::addColumn<int>("sentido"); // 1 larger, -1 smaller, 0 fit to width kept

    // clang-format off
    QTest::newRow("Ctrl + rueda adelante") << Qt::KeyboardModifiers(Qt::ControlModifier) << QList<int>{120} << 1;
    QTest::newRow("Ctrl + rueda atrás") << Qt::KeyboardModifiers(Qt::ControlModifier) << QList<int>{-120} << -1;
    QTest::newRow("Ctrl + rueda fina") << Qt::KeyboardModifiers(Qt::ControlModifier) << QList<int>{40, 40, 40} << 1;
    QTest::newRow("rueda sin Ctrl") << Qt::KeyboardModifiers() << QList<int>{-120} << 0;
    // clang-format on
}

// Zooming in makes the pages wider than the pane; zooming out leaves room at
// the sides and shortens the document.
void TestPanelDocumento::zoom()
{
    QFETCH(Qt::KeyboardModifiers, teclas);
    QFETCH(QList<int>, giros);
    QFETCH(int, sentido);

    cargar(ruta(u"a.pdf"_s));
    VistaPdf *vista = m_panel->vista();
    const int altoAntes = vista->verticalScrollBar()->maximum();
    QCOMPARE(vista->horizontalScrollBar()->maximum(), 0);
    const QPoint centro = vista->viewport()->rect().center();
    for (int giro : giros) {
        QWheelEvent rueda(centro, vista->viewport()->mapToGlobal(centro), QPoint(),
                          QPoint(0, giro), Qt::NoButton, teclas, Qt::NoScrollPhase, false);
        QApplication::sendEvent(vista->viewport(), &rueda);
    }
    const int altoDespues = vista->verticalScrollBar()->maximum();
    if (sentido > 0) {
        QVERIFY(vista->horizontalScrollBar()->maximum() > 0);
        QVERIFY(altoDespues > altoAntes);
    } else if (sentido < 0) {
        QCOMPARE(vista->horizontalScrollBar()->maximum(), 0);
        QVERIFY(altoDespues < altoAntes);
    } else {
        QCOMPARE(vista->zoomMode(), VistaPdf::ZoomMode::FitToWidth);
        QCOMPARE(altoDespues, altoAntes);
        QVERIFY(vista->verticalScrollBar()->value() > 0); // it scrolled instead
    }
    // Ctrl + 0 fits the width again.
    QTest::keyClick(vista, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(vista->zoomMode(), VistaPdf::ZoomMode::FitToWidth);
    QCOMPARE(vista->verticalScrollBar()->maximum(), altoAntes);
}

QTEST_MAIN(TestPanelDocumento)
#include "tst_paneldocumento.moc"
