// SPDX-License-Identifier: GPL-3.0-or-later
#include "Colacion.h"

#include <QRandomGenerator>
#include <QTest>

#include <unicode/ucol.h>

using namespace Qt::StringLiterals;

// The collation settles most comparisons itself and leaves the rest to ICU: it
// must always agree with ICU's Spanish collation at secondary strength.
class TstColacion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { ucol_close(m_icu); }
    void comoIcu_data();
    void comoIcu();

private:
    int icu(const QByteArray &a, const QByteArray &b) const
    {
        UErrorCode e = U_ZERO_ERROR;
        const UCollationResult r =
            ucol_strcollUTF8(m_icu, a.constData(), int(a.size()), b.constData(), int(b.size()), &e);
        return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
    }
    UCollator *m_icu = nullptr;
};

void TstColacion::initTestCase()
{
    UErrorCode e = U_ZERO_ERROR;
    m_icu = ucol_open("es", &e);
    QVERIFY(U_SUCCESS(e));
    ucol_setStrength(m_icu, UCOL_SECONDARY);
}

void TstColacion::comoIcu_data()
{
    QTest::addColumn<QStringList>("textos"); // every pair of them, both ways
    QTest::addColumn<int>("orden");          // the expected order of the first two
    QTest::newRow("ñ after n") << QStringList{u"nube"_s, u"ñu"_s, u"oso"_s} << -1;
    QTest::newRow("accented vowel beside the plain one")
        << QStringList{u"Árboles urbanos"_s, u"Zonas verdes"_s, u"arbol"_s, u"árbol"_s} << -1;
    QTest::newRow("case ignored") << QStringList{u"PUENTE"_s, u"puente"_s, u"Puente"_s} << 0;
    QTest::newRow("capitals with accents")
        << QStringList{u"ÁLVAREZ PÉREZ, JUAN"_s, u"Pérez Galdós, Benito"_s, u"Él"_s} << -1;
    QTest::newRow("decomposed Ñ") << QStringList{u"N\u0303u"_s, u"ñu"_s, u"nu"_s, u"nv"_s} << 0;
    QTest::newRow("prefix and blanks")
        << QStringList{u"abc"_s, u"abc "_s, u"abc-d"_s, u"   "_s, QString(), u"ab\u00ad"_s}
        << -1;

    // Random texts from the letters of Spanish titles, punctuation, and a few
    // characters the quick path leaves to ICU.
    const QString alfabeto =
        u"aAáÁbcçdeEéÉfgiíÍlnNñÑoóÓuúÚüÜzZ09 .,;:-'()¿?ªºæßĳœ\u0301\u0303·ŁČ"_s;
    QRandomGenerator azar(1950);
    QStringList textos;
    for (int i = 0; i < 400; ++i) {
        QString t;
        const int largo = azar.bounded(7);
        for (int k = 0; k < largo; ++k)
            t += alfabeto.at(azar.bounded(alfabeto.size()));
        textos << t;
    }
    QTest::newRow("random") << textos << 2;

    // Neighbours in a sort: long beginnings in common, ASCII and accented,
    // which the quick path steps over before it compares.
    const QStringList principios{u"Historia de los puentes "_s, u"Señalización  vial, ámbito "_s,
                                 u"ab­cdefghijklmnop"_s, u"ÁÉÍÓÚ áéíóú ÑÑ"_s};
    QStringList vecinos;
    for (const QString &principio : principios)
        for (int i = 0; i < 30; ++i) {
            QString t = principio.left(azar.bounded(principio.size() + 1));
            const int largo = azar.bounded(4);
            for (int k = 0; k < largo; ++k)
                t += alfabeto.at(azar.bounded(alfabeto.size()));
            vecinos << t;
        }
    QTest::newRow("random, long beginnings in common") << vecinos << 2;
}

void TstColacion::comoIcu()
{
    QFETCH(QStringList, textos);
    QFETCH(int, orden);
    QList<QByteArray> utf8;
    for (const QString &t : textos)
        utf8 << t.toUtf8();
    if (orden != 2)
        QCOMPARE(Colacion::comparar(utf8[0].constData(), int(utf8[0].size()), utf8[1].constData(),
                                    int(utf8[1].size())),
                 orden);
    for (const QByteArray &a : utf8)
        for (const QByteArray &b : utf8)
            QVERIFY2(Colacion::comparar(a.constData(), int(a.size()), b.constData(), int(b.size()))
                         == icu(a, b),
                     qPrintable(QString::fromUtf8(a) + u" <> "_s + QString::fromUtf8(b)));
}

QTEST_GUILESS_MAIN(TstColacion)
#include "tst_colacion.moc"
