// SPDX-License-Identifier: GPL-3.0-or-later
#include "AbrirDocumento.h"
#include "BotonImagen.h"
#include "FormAutores.h"
#include "FormBusqueda.h"
#include "FormMaterias.h"
#include "FormPrincipal.h"
#include "MensajesGrabados.h"
#include "Programa.h"
#include "frmBrowser.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TstPrincipal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void eleccionDeUnidad_data();
    void eleccionDeUnidad();
    void sinDisco();
    void ajustesAlCargarYDescargar();
    void ventana();
    void informacion_data();
    void informacion();
    void salirTermina();
    void terminaConLaUltimaVentana_data();
    void terminaConLaUltimaVentana();

private:
    // A place holding the given files under `carpeta` (created in order).
    QString lugar(const QString &nombre, const QString &carpeta, const QStringList &archivos);
    QString ajuste(const QString &clave);

    QTemporaryDir m_dir;
    MensajesGrabados *m_mensajes = nullptr;
    int m_terminado = 0;
    static inline TstPrincipal *s_actual = nullptr;
};

QString TstPrincipal::lugar(const QString &nombre, const QString &carpeta,
                            const QStringList &archivos)
{
    const QString raiz = m_dir.filePath(QString::fromUtf8(QTest::currentTestFunction()) + u'-'
                                        + QString::fromUtf8(QTest::currentDataTag()) + u'/' + nombre);
    QDir().mkpath(carpeta.isEmpty() ? raiz : raiz + u'/' + carpeta);
    for (const QString &a : archivos) {
        QFile f(raiz + u'/' + carpeta + u'/' + a);
        f.open(QIODevice::WriteOnly);
    }
    return raiz;
}

QString TstPrincipal::ajuste(const QString &clave)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, u"boletin"_s, u"boletin"_s);
    return s.value(u"instalacion/"_s + clave).toString();
}

void TstPrincipal::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(u"config"_s).toUtf8());
    Programa::setCarpetaInstalacion(m_dir.filePath(u"instalado"_s));
    s_actual = this;
    FormPrincipal::terminar = [] { ++s_actual->m_terminado; };
    FormBusqueda::registrar();
}

void TstPrincipal::init()
{
    m_mensajes = new MensajesGrabados;
    programa().unidadCD.clear();
    m_terminado = 0;
    QFile::remove(m_dir.filePath(u"config/boletin/boletin.ini"_s));
}

void TstPrincipal::cleanup()
{
    Instancia<VentanaBusqueda>::Unload();
    Instancia<FormPrincipal>::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete m_mensajes;
}

void TstPrincipal::eleccionDeUnidad_data()
{
    QTest::addColumn<QStringList>("lugares"); // name:folder:file,file  ("-" = missing place)
    QTest::addColumn<int>("elegido");         // index into lugares, -1 = none
    QTest::newRow("first of two discs")
        << QStringList{u"vacio::"_s, u"d1:Imagenes:Tirvosk.dat"_s, u"d2:Imagenes:Tirvosk2.dat"_s}
        << 1;
    QTest::newRow("only disc 2's marker") << QStringList{u"d2:Imagenes:Tirvosk2.dat"_s} << 0;
    QTest::newRow("marker in capitals passed over")
        << QStringList{u"may:Imagenes:TIRVOSK.DAT"_s, u"d1:Imagenes:Tirvosk.dat"_s} << 1;
    QTest::newRow("missing place skipped")
        << QStringList{u"-"_s, u"d1:Imagenes:Tirvosk.dat"_s} << 1;
    QTest::newRow("folder in capitals found") << QStringList{u"d1:IMAGENES:Tirvosk.dat"_s} << 0;
    QTest::newRow("only the first name counts")
        << QStringList{u"otro:Imagenes:Tirvosk.bak,Tirvosk.dat"_s} << -1;
    QTest::newRow("lower-case name after a good one")
        << QStringList{u"d1:Imagenes:Tirvosk.dat,tirvosk.zzz"_s} << 0;
    QTest::newRow("marker outside Imagenes") << QStringList{u"raiz::Tirvosk.dat"_s} << -1;
    QTest::newRow("a file in place of a folder")
        << QStringList{u"f:Imagenes:Tirvosk.dat"_s, u"archivo"_s} << 0;
}

void TstPrincipal::eleccionDeUnidad()
{
    QFETCH(QStringList, lugares);
    QFETCH(int, elegido);
    QStringList rutas;
    for (const QString &l : lugares) {
        if (l == u"-"_s) {
            rutas << m_dir.filePath(u"no-existe"_s);
            continue;
        }
        if (l == u"archivo"_s) {
            const QString ruta =
                m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()) + u"-archivo"_s);
            QFile f(ruta);
            f.open(QIODevice::WriteOnly);
            rutas << ruta;
            continue;
        }
        const QStringList partes = l.split(u':');
        rutas << lugar(partes[0], partes[1], partes[2].split(u',', Qt::SkipEmptyParts));
    }
    Programa::setLugares(rutas);
    Instancia<FormPrincipal>::get();
    if (elegido < 0) {
        QCOMPARE(m_mensajes->textos.size(), 1);
        QVERIFY(!Instancia<FormPrincipal>::cargada());
        m_mensajes->textos.clear();
    } else {
        QCOMPARE(programa().unidadCD, rutas[elegido]);
        QVERIFY(Instancia<FormPrincipal>::cargada());
        QVERIFY(m_mensajes->textos.isEmpty());
    }
}

void TstPrincipal::sinDisco()
{
    Programa::setLugares({m_dir.filePath(u"nada"_s), m_dir.filePath(u"tampoco"_s)});
    Instancia<FormPrincipal>::get();
    QCOMPARE(m_mensajes->textos,
             QStringList{u"Introduzca el CD de VELTRA\ny vuelva a ejecutar el programa"_s});
    QCOMPARE(m_mensajes->conCancelar, QList<bool>{false});
    QVERIFY(!Instancia<FormPrincipal>::cargada());
    QVERIFY(programa().unidadCD.isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(ajuste(u"a"_s), m_dir.filePath(u"instalado"_s));
    QCOMPARE(ajuste(u"run"_s), u"no"_s);
}

void TstPrincipal::ajustesAlCargarYDescargar()
{
    Programa::setLugares({lugar(u"d"_s, u"Imagenes"_s, {u"Tirvosk.dat"_s})});
    Instancia<FormPrincipal>::get();
    QCOMPARE(ajuste(u"a"_s), m_dir.filePath(u"instalado"_s));
    QCOMPARE(ajuste(u"run"_s), u"si"_s);
    Instancia<FormPrincipal>::get().close(); // the close box unloads it
    QVERIFY(!Instancia<FormPrincipal>::cargada());
    QCOMPARE(ajuste(u"run"_s), u"no"_s);
    QFile ini(m_dir.filePath(u"config/boletin/boletin.ini"_s));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray contenido = ini.readAll();
    QVERIFY(contenido.contains("[instalacion]"));
    QCOMPARE(contenido.count('='), 2); // "a" and "run", nothing else
}

void TstPrincipal::ventana()
{
    Programa::setLugares({lugar(u"d"_s, u"Imagenes"_s, {u"Tirvosk.dat"_s})});
    FormPrincipal &p = Instancia<FormPrincipal>::get();
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    QCOMPARE(p.windowTitle(), u" Boletín de VELTRA (1950-2000)"_s);
    QCOMPARE(p.size(), QSize(766, 551));
    QCOMPARE(p.BotonInform->geometry(), QRect(376, 440, 97, 33));
    QCOMPARE(p.BotonComenzar->geometry(), QRect(504, 440, 97, 33));
    QCOMPARE(p.BotonSalir->geometry(), QRect(632, 440, 97, 33));
    QCOMPARE(QApplication::focusWidget(), p.BotonComenzar);
    QCOMPARE(p.BotonComenzar->nextInFocusChain(), p.BotonInform);
    QCOMPARE(p.BotonInform->nextInFocusChain(), p.BotonSalir);
    QCOMPARE(p.BotonInform->accessibleName(), u"Información"_s);
    QVERIFY(!p.windowIcon().isNull());
    // Enter on the focused start button opens the search window.
    QTest::keyClick(p.BotonComenzar, Qt::Key_Return);
    QVERIFY(Instancia<VentanaBusqueda>::cargada());
    // No catalogue beside the program: the reader is told which file, and goes on.
    QCOMPARE(m_mensajes->textos.size(), 1);
    QVERIFY(m_mensajes->textos.first().contains(m_dir.filePath(u"instalado/boletin.mdb"_s)));
    m_mensajes->textos.clear();
}

void TstPrincipal::informacion_data()
{
    QTest::addColumn<bool>("existe");
    QTest::addColumn<int>("salida"); // the browser's exit status
    QTest::addColumn<bool>("avisa");
    QTest::newRow("browser starts") << true << 0 << false;
    QTest::newRow("no browser") << false << 0 << true;
    QTest::newRow("started, no handler for the page") << true << 3 << true;
    QTest::newRow("started, the handler failed") << true << 4 << true;
    QTest::newRow("started, page missing: its business") << true << 2 << false;
}

void TstPrincipal::informacion()
{
    QFETCH(bool, existe);
    QFETCH(int, salida);
    QFETCH(bool, avisa);
    const QString disco = lugar(u"d"_s, u"Imagenes"_s, {u"Tirvosk.dat"_s});
    QDir().mkpath(disco + u"/HTML"_s);
    QFile pagina(disco + u"/HTML/Informacion.html"_s);
    QVERIFY(pagina.open(QIODevice::WriteOnly));
    Programa::setLugares({disco});
    const QString registro = m_dir.filePath(u"argumentos.txt"_s);
    QFile::remove(registro);
    const QString guion = m_dir.filePath(u"navegador.sh"_s);
    QFile g(guion);
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"" + registro.toUtf8() + "\"\nexit "
            + QByteArray::number(salida) + '\n');
    g.close();
    g.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("BOLETIN_NAVEGADOR", existe ? guion.toUtf8() : m_dir.filePath(u"no-hay"_s).toUtf8());
    Instancia<FormPrincipal>::get().BotonInform_Click();
    qunsetenv("BOLETIN_NAVEGADOR");
    if (existe) {
        QTRY_VERIFY(QFile::exists(registro) && QFileInfo(registro).size() > 0);
        QFile r(registro);
        QVERIFY(r.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(r.readAll()),
                 u"1\n"_s + disco + u"/HTML/Informacion.html\n"_s);
    }
    const QStringList esperados{u"Para poder ver el documento, instale el navegador Explorer "_s};
    if (avisa) {
        QTRY_COMPARE(m_mensajes->textos, esperados);
    } else {
        // Time for the browser's end to be heard: it must not bring the message.
        QTest::qWait(300);
        QVERIFY(m_mensajes->textos.isEmpty());
    }
    m_mensajes->textos.clear();
    QVERIFY(Instancia<FormPrincipal>::cargada());
}

void TstPrincipal::salirTermina()
{
    Programa::setLugares({lugar(u"d"_s, u"Imagenes"_s, {u"Tirvosk.dat"_s})});
    Instancia<FormPrincipal>::get().BotonSalir_Click();
    QCOMPARE(m_terminado, 1);
    QVERIFY(!Instancia<FormPrincipal>::cargada());
    QCOMPARE(ajuste(u"run"_s), u"no"_s);
}

void TstPrincipal::terminaConLaUltimaVentana_data()
{
    QTest::addColumn<bool>("conVisor");
    QTest::newRow("no viewer") << false;
    QTest::newRow("a viewer still open") << true;
}

// The reader closes the main window, takes the disc out and presses Volver:
// the main window loads, finds no disc and goes, and so does the search window.
void TstPrincipal::terminaConLaUltimaVentana()
{
    QFETCH(bool, conVisor);
    int finales = 0;
    Formulario::alQuedarSinVentanas = [&finales] { ++finales; };
    Programa::setLugares({lugar(u"d"_s, u"Imagenes"_s, {u"Tirvosk.dat"_s})});
    FormPrincipal &principal = Instancia<FormPrincipal>::get();
    principal.show();
    principal.BotonComenzar->click();
    m_mensajes->textos.clear(); // no catalogue here: told, and goes on
    QPointer<frmBrowser> visor;
    if (conVisor)
        visor = AbrirDocumento::abrirVisor(QString(), 7);
    principal.close();
    QCOMPARE(finales, 0);
    Programa::setLugares({m_dir.filePath(u"sin-disco"_s)});
    Instancia<VentanaBusqueda>::get().findChild<QAbstractButton *>(u"BotonSalir"_s)->click();
    QCOMPARE(m_mensajes->textos,
             QStringList{u"Introduzca el CD de VELTRA\ny vuelva a ejecutar el programa"_s});
    m_mensajes->textos.clear();
    QVERIFY(!Instancia<FormPrincipal>::cargada());
    QVERIFY(!Instancia<VentanaBusqueda>::cargada());
    QVERIFY(!Instancia<FormAutores>::cargada());
    QVERIFY(!Instancia<FormMaterias>::cargada());
    if (conVisor) {
        QCOMPARE(finales, 0);
        visor->close();
    }
    QCOMPARE(finales, 1);
    Formulario::alQuedarSinVentanas = nullptr;
}

QTEST_MAIN(TstPrincipal)
#include "tst_principal.moc"
