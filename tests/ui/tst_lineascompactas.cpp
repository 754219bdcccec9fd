// SPDX-License-Identifier: GPL-3.0-or-later
// The list keeps Latin-1 lines one byte a character in one buffer and the rest
// whole: every line must come back exactly as it went in, through the list and
// through its model, whatever it holds and however the kinds are mixed.

#include "ListaDatos.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::StringLiterals;

class TstLineasCompactas : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lineasComoEntraron();
    void vaciarYVolverALlenar();
};

namespace {

QStringList lineasMezcladas()
{
    QString latin1;
    for (char16_t c = 1; c <= 0xFF; ++c)
        latin1 += QChar(c);
    return {u"El puente de hierro. Año 1950 - Nº 1"_s,
            QString(),
            u""_s,
            u"Ωmega — raya “comillas”"_s,
            latin1,
            u"Emoji 😀 al final"_s,
            QString(1, QChar(u'\0')),
            u"   "_s,
            u"ÿ"_s,
            u"Ā"_s,
            QString(40000, u'á'),
            u"Último. "_s};
}

} // namespace

void TstLineasCompactas::lineasComoEntraron()
{
    ListaDatos lista;
    QAbstractItemModelTester probador(lista.model(),
                                      QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QStringList lineas = lineasMezcladas();
    for (qsizetype i = 0; i < lineas.size(); ++i)
        QCOMPARE(lista.AddItem(lineas[i], qint32(i * 7 - 3)), int(i));
    lista.setItemData(2, 99);
    lista.Refresh();

    QCOMPARE(lista.ListCount(), int(lineas.size()));
    QCOMPARE(lista.textos(), lineas);
    for (int i = 0; i < lineas.size(); ++i) {
        QCOMPARE(lista.List(i), lineas[i]);
        QCOMPARE(lista.List(i).isNull(), lineas[i].isNull());
        QCOMPARE(lista.model()->index(i, 0).data().toString(), lineas[i]);
        QCOMPARE(lista.ItemData(i), i == 2 ? 99 : qint32(i * 7 - 3));
        QCOMPARE(lista.model()->index(i, 0).data(Qt::UserRole).toInt(), lista.ItemData(i));
    }
}

void TstLineasCompactas::vaciarYVolverALlenar()
{
    ListaDatos lista;
    for (const QString &l : lineasMezcladas())
        lista.AddItem(l, 1);
    lista.Clear();
    QCOMPARE(lista.ListCount(), 0);
    QCOMPARE(lista.model()->rowCount(), 0);
    const QStringList otras{u"Ñandú"_s, u"Σίσυφος"_s, QString(), u"x"_s};
    for (const QString &l : otras)
        lista.AddItem(l, 2);
    lista.Refresh();
    QCOMPARE(lista.textos(), otras);
    QVERIFY(lista.List(2).isNull());
    QCOMPARE(lista.model()->rowCount(), int(otras.size()));
}

QTEST_MAIN(TstLineasCompactas)
#include "tst_lineascompactas.moc"
