// SPDX-License-Identifier: GPL-3.0-or-later
#include "Catalogo.h"
#include "DataSource.h"
#include "JetAjustes.h"
#include "Sentencias.h"
#include "VentanaEspera.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QWidget *ventanaVisible()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->accessibleName() == u"Leyendo el catálogo..."_s)
            return w;
    return nullptr;
}

} // namespace

class TstVentanaEspera : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { VentanaEspera::instalar(); }
    void cleanup()
    {
        JetImport::setSimulacion(JetImport::Simulacion::Ninguna);
        JetImport::setLimite(JetImport::limitePorDefecto);
        Catalogo::olvidarTodos();
    }
    void apareceSoloSiTardaYSeVa_data();
    void apareceSoloSiTardaYSeVa();
};

void TstVentanaEspera::apareceSoloSiTardaYSeVa_data()
{
    QTest::addColumn<int>("simulacion");
    QTest::addColumn<bool>("aparece");
    QTest::newRow("slow load that fails") << int(JetImport::Simulacion::Colgarse) << true;
    QTest::newRow("quick failure") << int(JetImport::Simulacion::SalirConError) << false;
}

void TstVentanaEspera::apareceSoloSiTardaYSeVa()
{
    QFETCH(int, simulacion);
    QFETCH(bool, aparece);
    QTemporaryDir dir;
    const QString ruta = dir.filePath(u"boletin.mdb"_s);
    QVERIFY(QFile::copy(QStringLiteral(BOLETIN_FIXTURES "/jet/boletin_jet4.mdb"), ruta));
    JetImport::setLimite(1500ms);
    JetImport::setSimulacion(JetImport::Simulacion(simulacion));

    // A window of the program, with a button a reader clicks while it loads.
    QWidget principal;
    auto *boton = new QPushButton(u"Comenzar"_s, &principal);
    int clics = 0;
    connect(boton, &QPushButton::clicked, [&clics] { ++clics; });
    principal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&principal));

    // Seen from inside the wait, as the event loop runs there.
    bool vista = false;
    bool modal = false;
    int pintadas = 0;
    // An open of the same file from inside the wait (a timer's, say) joins the
    // one under way instead of reading the file a second time.
    QString errorAnidado;
    bool anidada = false;
    QTimer::singleShot(100ms, [&] {
        anidada = true;
        const auto abierto = Catalogo::abrir(ruta);
        QVERIFY(!abierto);
        errorAnidado = abierto.error();
    });
    QTimer sonda;
    connect(&sonda, &QTimer::timeout, [&] {
        ++pintadas;
        if (QWidget *v = ventanaVisible()) {
            vista = true;
            modal = v->isModal() && QApplication::activeModalWidget() == v;
        }
        QTest::mouseClick(boton, Qt::LeftButton);
    });
    sonda.start(50);

    DataSource ds;
    ds.setDatabaseName(ruta);
    ds.setRecordSource(Sentencias::gruposMaterias());
    QElapsedTimer reloj;
    reloj.start();
    const Resultado<> r = ds.Refresh();
    QVERIFY(!r);
    sonda.stop();
    const qint64 ms = reloj.elapsed();
    QVERIFY2(r.error().contains(ruta), qPrintable(r.error()));
    if (anidada)
        QCOMPARE(errorAnidado, r.error());
    QVERIFY2(ms < 2500, qPrintable(QString::number(ms)));
    if (aparece) {
        QVERIFY(vista);
        QVERIFY(modal);
        QVERIFY(anidada);
        QVERIFY2(pintadas > 10, "the event loop did not run while the catalogue loaded");
    } else if (ms < VentanaEspera::retraso.count() - 50) {
        QVERIFY(!vista); // a quick open shows no window
    }
    QCOMPARE(clics, 0);
    QVERIFY(!ventanaVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    // Input goes through again once the load is over.
    QTest::mouseClick(boton, Qt::LeftButton);
    QCOMPARE(clics, 1);
}

QTEST_MAIN(TstVentanaEspera)
#include "tst_ventanaespera.moc"
