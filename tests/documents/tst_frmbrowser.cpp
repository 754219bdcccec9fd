// SPDX-License-Identifier: GPL-3.0-or-later
#include "AbrirDocumento.h"
#include "FormPrincipal.h"
#include "PanelDocumento.h"
#include "Programa.h"
#include "PruebasDocumentos.h"
#include "Recursos.h"
#include "frmBrowser.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace PruebasDocumentos;

class TestFrmBrowser final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void barraSegunLaBusqueda_data();
    void barraSegunLaBusqueda();
    void barraLeidaSoloAlCargar_data();
    void barraLeidaSoloAlCargar();
    void botonesDeLaBarra_data();
    void botonesDeLaBarra();
    void leyendaAlAbrir();
    void redimensionar_data();
    void redimensionar();
    void enterCargaLoEscrito();
    void otraTeclaNoCarga();
    void elegirLaEntradaDeLaLista();
    void detener();
    void botonSinEfecto_data();
    void botonSinEfecto();
    void atrasYAdelante();
    void actualizar();
    void sinDireccion();
    void documentoQueNoSePuedeMostrar();
    void iconoDelPrograma();
    void variasVentanas();

private:
    QString pdf(const QString &nombre) const { return m_dir.filePath(nombre); }
    frmBrowser *abrir(const QString &ruta, qint32 clave = 12);
    // Waits until the window's progress display is idle.
    void esperarFin(frmBrowser *v);
    // Types `texto` into the address box and presses Enter.
    void escribirDireccion(frmBrowser *v, const QString &texto);
    QAction *boton(frmBrowser *v, const QString &clave);

    QTemporaryDir m_dir;
    MensajesGrabados m_mensajes;
};

void TestFrmBrowser::initTestCase()
{
    QVERIFY(m_dir.isValid());
    ajustesEn(m_dir.filePath(u"config"_s));
    QVERIFY(QDir().mkpath(m_dir.filePath(u"cd/Imagenes"_s)));
    QVERIFY(escribirArchivo(m_dir.filePath(u"cd/Imagenes/Tirvosk.dat"_s), {}));
    QVERIFY(escribirPdf(pdf(u"a.pdf"_s), 3));
    QVERIFY(escribirPdf(pdf(u"b.pdf"_s), 2));
    // Slow to draw, so that the load outlasts a few 5 ms ticks.
    QVERIFY(escribirPdf(pdf(u"lento.pdf"_s), 1, 3000));
    Mensajes::instalar(&m_mensajes);
    cargarPrincipal(m_dir.filePath(u"cd"_s));
}

void TestFrmBrowser::init()
{
    programa().busquedaCronologica = false;
    m_mensajes.reiniciar();
}

void TestFrmBrowser::cleanup()
{
    cerrarVisores();
    QVERIFY(m_mensajes.textos.isEmpty());
}

frmBrowser *TestFrmBrowser::abrir(const QString &ruta, qint32 clave)
{
    return AbrirDocumento::abrirVisor(ruta, clave);
}

void TestFrmBrowser::esperarFin(frmBrowser *v)
{
    QTRY_VERIFY_WITH_TIMEOUT(!v->timTimer->isActive() && !v->brwWebBrowser->Busy(), 10000);
}

void TestFrmBrowser::escribirDireccion(frmBrowser *v, const QString &texto)
{
    QLineEdit *edicion = v->cboAddress->lineEdit();
    edicion->clear();
    QTest::keyClicks(edicion, texto);
    QTest::keyClick(edicion, Qt::Key_Return);
}

QAction *TestFrmBrowser::boton(frmBrowser *v, const QString &clave)
{
    const auto acciones = v->tbToolBar->actions();
    for (QAction *a : acciones)
        if (a->objectName() == clave)
            return a;
    return nullptr;
}

void TestFrmBrowser::barraSegunLaBusqueda_data()
{
    QTest::addColumn<bool>("cronologica");
    QTest::newRow("lista cronológica") << true;
    QTest::newRow("lista de artículos") << false;
}

void TestFrmBrowser::barraSegunLaBusqueda()
{
    QFETCH(bool, cronologica);
    programa().busquedaCronologica = cronologica;
    frmBrowser *v = abrir(pdf(u"a.pdf"_s));
    esperarFin(v);

    QCOMPARE(v->tbToolBar->isVisible(), cronologica);
    QCOMPARE(v->brwWebBrowser->pos(), QPoint(0, cronologica ? 24 : 0));
    // What the reader sees at the top: the toolbar over the pane, or the pane.
    QWidget *arriba = v->childAt(150, 10);
    QVERIFY(arriba);
    QVERIFY((cronologica ? v->tbToolBar : static_cast<QWidget *>(v->brwWebBrowser))
                ->isAncestorOf(arriba));
    // The address strip lies under the pane either way.
    QVERIFY(v->brwWebBrowser->isAncestorOf(v->childAt(100, 40)));
    QCOMPARE(v->cboAddress->accessibleName(), u"Dirección"_s);
}

void TestFrmBrowser::barraLeidaSoloAlCargar_data()
{
    barraSegunLaBusqueda_data();
}

void TestFrmBrowser::barraLeidaSoloAlCargar()
{
    QFETCH(bool, cronologica);
    programa().busquedaCronologica = cronologica;
    frmBrowser *v = abrir(pdf(u"a.pdf"_s));
    esperarFin(v);
    programa().busquedaCronologica = !cronologica; // another search runs
    v->resize(500, 500);
    escribirDireccion(v, pdf(u"b.pdf"_s));
    esperarFin(v);
    QCOMPARE(v->tbToolBar->isVisible(), cronologica);
    QCOMPARE(v->brwWebBrowser->y(), cronologica ? 24 : 0);
}

void TestFrmBrowser::botonesDeLaBarra_data()
{
    QTest::addColumn<int>("posicion");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("ayuda");
    QTest::addColumn<QString>("imagen");
    // clang-format off
    QTest::newRow("Back") << 0 << u"Back"_s << u"Atras"_s << u"Atrás"_s << u"atras"_s;
    QTest::newRow("Forward") << 1 << u"Forward"_s << u"Adelante"_s << u"Adelante"_s << u"adelante"_s;
    QTest::newRow("Stop") << 2 << u"Stop"_s << u"Detener"_s << u"Detener"_s << u"detener"_s;
    QTest::newRow("Refresh") << 3 << u"Refresh"_s << u"Actualizar"_s << u"Renovar"_s << u"actualizar"_s;
    // clang-format on
}

void TestFrmBrowser::botonesDeLaBarra()
{
    QFETCH(int, posicion);
    QFETCH(QString, clave);
    QFETCH(QString, texto);
    QFETCH(QString, ayuda);
    QFETCH(QString, imagen);
    programa().busquedaCronologica = true;
    frmBrowser *v = abrir(QString());

    const auto acciones = v->tbToolBar->actions();
    QCOMPARE(acciones.size(), 4);
    QAction *a = acciones.at(posicion);
    QCOMPARE(a->data().toString(), clave);
    QCOMPARE(a->text(), texto);
    QCOMPARE(a->toolTip(), ayuda);
    const QPixmap esperada = Recursos::imagen(imagen);
    if (esperada.isNull())
        QSKIP("the toolbar pictures are not in the resources yet");
    QCOMPARE(a->icon().pixmap(esperada.size()).toImage(), esperada.toImage());
    auto *b = qobject_cast<QToolButton *>(v->tbToolBar->widgetForAction(a));
    QVERIFY(b);
    QCOMPARE(b->size(), QSize(75, 25));
    QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    QVERIFY(b->isVisible());
}

void TestFrmBrowser::leyendaAlAbrir()
{
    const QString ruta = pdf(u"lento.pdf"_s);
    frmBrowser *v = abrir(ruta, 1234);
    // The opener's caption is set after the load steps; nothing has ticked yet.
    QCOMPARE(v->windowTitle(), u"1234"_s);
    QVERIFY(v->timTimer->isActive());
    QCOMPARE(v->timTimer->interval(), 5);
    QSignalSpy leyendas(v, &QWidget::windowTitleChanged);
    esperarFin(v);
    QCOMPARE(leyendas.size(), 2);
    QCOMPARE(leyendas.at(0).at(0).toString(), u"Trabajando..."_s);
    QCOMPARE(leyendas.at(1).at(0).toString(), u"lento.pdf"_s);
    QCOMPARE(v->windowTitle(), u"lento.pdf"_s);

    QCOMPARE(v->cboAddress->currentText(), ruta);
    QCOMPARE(v->cboAddress->count(), 1);
    QCOMPARE(v->cboAddress->itemText(0), ruta);
}

void TestFrmBrowser::redimensionar_data()
{
    QTest::addColumn<bool>("cronologica");
    QTest::addColumn<QSize>("interior");
    QTest::addColumn<QSize>("panel");
    // 9000 x 7005 twips less 100 each way: 8900 x 6905, that is 593.3 x 460.3.
    QTest::newRow("600 x 467") << false << QSize(600, 467) << QSize(593, 460);
    QTest::newRow("600 x 467, con barra") << true << QSize(600, 467) << QSize(593, 460);
    QTest::newRow("tamaño de diseño") << false << QSize(420, 419) << QSize(413, 412);
    QTest::newRow("ancho") << true << QSize(1000, 300) << QSize(993, 293);
    QTest::newRow("7 x 7: 5 twips") << false << QSize(7, 7) << QSize(0, 0);
    QTest::newRow("6 x 6: nada cambia") << false << QSize(6, 6) << QSize(413, 412);
    QTest::newRow("solo el alto") << false << QSize(5, 500) << QSize(413, 493);
}

void TestFrmBrowser::redimensionar()
{
    QFETCH(bool, cronologica);
    QFETCH(QSize, interior);
    QFETCH(QSize, panel);
    programa().busquedaCronologica = cronologica;
    frmBrowser *v = abrir(QString());
    QCOMPARE(v->brwWebBrowser->size(), QSize(413, 412));
    const QPoint lugar = v->brwWebBrowser->pos();

    v->resize(interior);
    QTRY_COMPARE(v->size(), interior);
    QCOMPARE(v->brwWebBrowser->size(), panel);
    QCOMPARE(v->brwWebBrowser->pos(), lugar);
    QCOMPARE(v->tbToolBar->geometry(), QRect(0, 0, 420, 25));
    QCOMPARE(v->picAddress->geometry(), QRect(0, 25, 420, 29));
    QCOMPARE(v->cboAddress->geometry(), QRect(-40, 16, 253, 21));
}

void TestFrmBrowser::enterCargaLoEscrito()
{
    const QString a = pdf(u"a.pdf"_s), b = pdf(u"b.pdf"_s);
    frmBrowser *v = abrir(a);
    esperarFin(v);
    escribirDireccion(v, b);
    QVERIFY(v->timTimer->isActive());
    QVERIFY(v->brwWebBrowser->Busy());
    esperarFin(v);
    QCOMPARE(v->brwWebBrowser->LocationName(), u"b.pdf"_s);
    QCOMPARE(v->windowTitle(), u"b.pdf"_s);
    QCOMPARE(v->brwWebBrowser->historial(), (QStringList{a, b}));
    // The box keeps what was typed; its list keeps the starting address only.
    QCOMPARE(v->cboAddress->currentText(), b);
    QCOMPARE(v->cboAddress->count(), 1);
    QCOMPARE(v->cboAddress->itemText(0), a);
}

void TestFrmBrowser::otraTeclaNoCarga()
{
    frmBrowser *v = abrir(pdf(u"a.pdf"_s));
    esperarFin(v);
    v->cboAddress->lineEdit()->clear();
    QTest::keyClicks(v->cboAddress->lineEdit(), pdf(u"b.pdf"_s));
    QTest::keyClick(v->cboAddress->lineEdit(), Qt::Key_Tab);
    QVERIFY(!v->timTimer->isActive());
    QVERIFY(!v->brwWebBrowser->Busy());
    QTest::qWait(30);
    QCOMPARE(v->brwWebBrowser->LocationName(), u"a.pdf"_s);
    QCOMPARE(v->brwWebBrowser->historial().size(), 1);
}

void TestFrmBrowser::elegirLaEntradaDeLaLista()
{
    const QString a = pdf(u"a.pdf"_s), b = pdf(u"b.pdf"_s);
    frmBrowser *v = abrir(a);
    esperarFin(v);
    escribirDireccion(v, b);
    esperarFin(v);
    // The reader picks the list's one entry: the box shows it and it loads.
    v->cboAddress->setEditText(v->cboAddress->itemText(0));
    Q_EMIT v->cboAddress->activated(0);
    QVERIFY(v->timTimer->isActive());
    esperarFin(v);
    QCOMPARE(v->brwWebBrowser->LocationName(), u"a.pdf"_s);
    QCOMPARE(v->brwWebBrowser->historial(), (QStringList{a, b, a}));
}

void TestFrmBrowser::detener()
{
    programa().busquedaCronologica = true;
    frmBrowser *v = abrir(pdf(u"a.pdf"_s));
    esperarFin(v);
    escribirDireccion(v, pdf(u"b.pdf"_s));
    QVERIFY(v->brwWebBrowser->Busy());
    QSignalSpy leyendas(v, &QWidget::windowTitleChanged);
    boton(v, u"Stop"_s)->trigger();
    QVERIFY(!v->timTimer->isActive());
    QVERIFY(!v->brwWebBrowser->Busy());
    QCOMPARE(v->windowTitle(), u"a.pdf"_s);
    QTest::qWait(50);
    QCOMPARE(v->brwWebBrowser->LocationName(), u"a.pdf"_s);
    QCOMPARE(v->windowTitle(), u"a.pdf"_s);
    for (const auto &l : std::as_const(leyendas))
        QVERIFY(l.at(0).toString() != u"Trabajando...");
}

void TestFrmBrowser::botonSinEfecto_data()
{
    QTest::addColumn<frmBrowser::Boton>("clave");
    QTest::addColumn<bool>("dosDocumentos");
    QTest::newRow("Atras recién abierto") << frmBrowser::Boton::Back << false;
    QTest::newRow("Adelante sin paso") << frmBrowser::Boton::Forward << true;
}

// Nothing loads; the timer started by the button puts the location name back.
void TestFrmBrowser::botonSinEfecto()
{
    QFETCH(frmBrowser::Boton, clave);
    QFETCH(bool, dosDocumentos);
    frmBrowser *v = abrir(pdf(u"a.pdf"_s));
    esperarFin(v);
    if (dosDocumentos) {
        escribirDireccion(v, pdf(u"b.pdf"_s));
        esperarFin(v);
    }
    const QString nombre = v->brwWebBrowser->LocationName();
    const QStringList historial = v->brwWebBrowser->historial();
    v->setWindowTitle(u"otra cosa"_s);
    QSignalSpy terminado(v->brwWebBrowser, &PanelDocumento::DownloadComplete);

    v->tbToolBar_ButtonClick(clave);
    QVERIFY(v->timTimer->isActive());
    esperarFin(v);
    QCOMPARE(v->windowTitle(), nombre);
    QTest::qWait(30);
    QCOMPARE(terminado.size(), 0);
    QCOMPARE(v->brwWebBrowser->historial(), historial);
    QCOMPARE(v->brwWebBrowser->LocationName(), nombre);
}

void TestFrmBrowser::atrasYAdelante()
{
    programa().busquedaCronologica = true;
    frmBrowser *v = abrir(pdf(u"a.pdf"_s));
    esperarFin(v);
    escribirDireccion(v, pdf(u"b.pdf"_s));
    esperarFin(v);

    boton(v, u"Back"_s)->trigger();
    QVERIFY(v->brwWebBrowser->Busy());
    esperarFin(v);
    QCOMPARE(v->windowTitle(), u"a.pdf"_s);
    QCOMPARE(v->brwWebBrowser->documento()->pageCount(), 3);

    QTest::mouseClick(v->tbToolBar->widgetForAction(boton(v, u"Forward"_s)), Qt::LeftButton);
    esperarFin(v);
    QCOMPARE(v->windowTitle(), u"b.pdf"_s);
    QCOMPARE(v->brwWebBrowser->documento()->pageCount(), 2);
}

void TestFrmBrowser::actualizar()
{
    frmBrowser *v = abrir(pdf(u"a.pdf"_s));
    esperarFin(v);
    v->setWindowTitle(u"otra cosa"_s);
    QSignalSpy terminado(v->brwWebBrowser, &PanelDocumento::DownloadComplete);
    v->tbToolBar_ButtonClick(frmBrowser::Boton::Refresh);
    QVERIFY(v->brwWebBrowser->Busy());
    esperarFin(v);
    QCOMPARE(terminado.size(), 1);
    QCOMPARE(v->windowTitle(), u"a.pdf"_s);
    QCOMPARE(v->brwWebBrowser->historial().size(), 1);
}

void TestFrmBrowser::sinDireccion()
{
    frmBrowser *v = abrir(QString(), 77);
    QSignalSpy leyendas(v, &QWidget::windowTitleChanged);
    QVERIFY(v->isVisible());
    QVERIFY(!v->timTimer->isActive());
    QTest::qWait(50);
    QCOMPARE(leyendas.size(), 0);
    QCOMPARE(v->windowTitle(), u"77"_s);
    QCOMPARE(v->cboAddress->count(), 0);
    QCOMPARE(v->cboAddress->currentText(), QString());
    QVERIFY(v->brwWebBrowser->historial().isEmpty());
}

void TestFrmBrowser::documentoQueNoSePuedeMostrar()
{
    frmBrowser *v = abrir(pdf(u"falta.pdf"_s), 5);
    esperarFin(v);
    QCOMPARE(v->windowTitle(), u"falta.pdf"_s);
    QCOMPARE(v->brwWebBrowser->mensaje(),
             u"No se puede mostrar el documento «falta.pdf»: el archivo no existe."_s);
}

void TestFrmBrowser::iconoDelPrograma()
{
    // The reader has closed the main window: the viewer takes the program's
    // icon from the application and leaves the main window unloaded.
    Instancia<FormPrincipal>::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!Instancia<FormPrincipal>::cargada());
    QApplication::setWindowIcon(Recursos::icono());

    frmBrowser *v = abrir(QString());
    QVERIFY(!Instancia<FormPrincipal>::cargada());
    QVERIFY(!v->windowIcon().isNull());
    QCOMPARE(v->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
}

void TestFrmBrowser::variasVentanas()
{
    QPointer<frmBrowser> primera = abrir(pdf(u"a.pdf"_s), 1);
    QPointer<frmBrowser> segunda = abrir(pdf(u"b.pdf"_s), 2);
    esperarFin(primera);
    esperarFin(segunda);
    QCOMPARE(visores().size(), 2);

    primera->close();
    QTRY_VERIFY(primera.isNull());
    QCOMPARE(visores(), QList<frmBrowser *>{segunda});
    QVERIFY(segunda->isVisible());
    segunda->tbToolBar_ButtonClick(frmBrowser::Boton::Refresh);
    esperarFin(segunda);
    QCOMPARE(segunda->windowTitle(), u"b.pdf"_s);

    // The desktop's close key closes it as its close box does.
    QTest::keyClick(segunda->brwWebBrowser, Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY(segunda.isNull());
    QVERIFY(visores().isEmpty());
}

QTEST_MAIN(TestFrmBrowser)
#include "tst_frmbrowser.moc"
