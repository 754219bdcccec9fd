// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListaDatos.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TstListaDatos : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lineasYDatos();
    void clics_data();
    void clics();
    void muchasLineas();
};

void TstListaDatos::lineasYDatos()
{
    ListaDatos lista;
    QAbstractItemModelTester probador(lista.model(),
                                      QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(lista.AddItem(u"uno"_s, 7), 0);
    const int i = lista.AddItem(u"dos"_s);
    lista.setItemData(i, -2147483647 - 1);
    QCOMPARE(lista.ListCount(), 2); // known before the view hears of it
    QCOMPARE(lista.model()->rowCount(), 0);
    lista.Refresh();
    QCOMPARE(lista.model()->rowCount(), 2);
    QCOMPARE(lista.ItemData(1), qint32(-2147483647 - 1));
    QCOMPARE(lista.List(0), u"uno"_s);
    QCOMPARE(lista.model()->index(1, 0).data().toString(), u"dos"_s);
    QCOMPARE(lista.ListIndex(), -1);
    lista.Clear();
    QCOMPARE(lista.ListCount(), 0);
    QCOMPARE(lista.model()->rowCount(), 0);
}

void TstListaDatos::clics_data()
{
    QTest::addColumn<QString>("gesto");
    QTest::addColumn<int>("clics");
    QTest::addColumn<int>("seleccionada");
    QTest::newRow("mouse on a line") << u"raton"_s << 1 << 1;
    QTest::newRow("same line twice") << u"raton2"_s << 2 << 1;
    QTest::newRow("right button") << u"derecho"_s << 0 << -1;
    QTest::newRow("middle button, double") << u"central"_s << 0 << -1;
    QTest::newRow("arrow key") << u"flecha"_s << 1 << 0;
    QTest::newRow("below the lines") << u"vacio"_s << 0 << -1;
    QTest::newRow("clear") << u"vaciar"_s << 0 << -1;
    QTest::newRow("focus by tab picks nothing") << u"foco"_s << 0 << -1;
    QTest::newRow("arrow after focus") << u"foco+flecha"_s << 1 << 0;
}

void TstListaDatos::clics()
{
    QFETCH(QString, gesto);
    QFETCH(int, clics);
    QFETCH(int, seleccionada);
    ListaDatos lista;
    lista.resize(300, 200);
    lista.show();
    QVERIFY(QTest::qWaitForWindowExposed(&lista));
    for (int i = 0; i < 3; ++i)
        lista.AddItem(u"línea %1"_s.arg(i), i + 10);
    lista.Refresh();
    QSignalSpy spy(&lista, &ListaDatos::Click);
    const QPoint segunda = lista.visualRect(lista.model()->index(1, 0)).center();
    if (gesto.startsWith(u"raton"_s)) {
        QTest::mouseClick(lista.viewport(), Qt::LeftButton, {}, segunda);
        if (gesto == u"raton2"_s)
            QTest::mouseClick(lista.viewport(), Qt::LeftButton, {}, segunda);
    } else if (gesto == u"derecho"_s) {
        QTest::mouseClick(lista.viewport(), Qt::RightButton, {}, segunda);
    } else if (gesto == u"central"_s) {
        QTest::mouseDClick(lista.viewport(), Qt::MiddleButton, {}, segunda);
    } else if (gesto == u"flecha"_s) {
        lista.setFocus();
        QTest::keyClick(&lista, Qt::Key_Down);
    } else if (gesto.startsWith(u"foco"_s)) {
        QFocusEvent foco(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&lista, &foco);
        if (gesto.endsWith(u"flecha"_s))
            QTest::keyClick(&lista, Qt::Key_Down);
    } else if (gesto == u"vacio"_s) {
        QTest::mouseClick(lista.viewport(), Qt::LeftButton, {}, QPoint(5, 190));
    } else {
        lista.Clear();
    }
    QCOMPARE(spy.size(), clics);
    QCOMPARE(lista.ListIndex(), seleccionada);
}

void TstListaDatos::muchasLineas()
{
    ListaDatos lista;
    lista.resize(400, 150);
    lista.show();
    QSignalSpy filas(lista.model(), &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 200000; ++i)
        lista.AddItem(u"artículo"_s, i + 1);
    lista.Refresh();
    QCOMPARE(filas.size(), 1); // one announcement for the whole batch
    QCOMPARE(lista.model()->rowCount(), 200000);
    QCOMPARE(lista.ItemData(199999), 200000);
}

QTEST_MAIN(TstListaDatos)
#include "tst_listadatos.moc"
