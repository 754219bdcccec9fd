// SPDX-License-Identifier: GPL-3.0-or-later
#include "Acentos.h"
#include "Busquedas.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TstAcentos : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void quitarAcentos_data();
    void quitarAcentos();
    void textoLargo();
    void preparar_data();
    void preparar();
    void contiene_data();
    void contiene();
};

void TstAcentos::quitarAcentos_data()
{
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("salida");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("canción") << u"canción"_s << u"cancion"_s;
    QTest::newRow("five vowels") << u"áéíóú"_s << u"aeiou"_s;
    QTest::newRow("capital kept") << u"Árbol"_s << u"Árbol"_s;
    QTest::newRow("árbol") << u"árbol"_s << u"arbol"_s;
    QTest::newRow("ñ kept") << u"año"_s << u"año"_s;
    QTest::newRow("ü kept") << u"pingüino"_s << u"pingüino"_s;
    QTest::newRow("grave kept") << u"àèìòù"_s << u"àèìòù"_s;
    QTest::newRow("combining kept") << u"a\u0301"_s << u"a\u0301"_s;
    QTest::newRow("plain") << u"Puentes de hierro"_s << u"Puentes de hierro"_s;
    QTest::newRow("non-BMP beside") << u"é😀ú"_s << u"e😀u"_s;
}

void TstAcentos::quitarAcentos()
{
    QFETCH(QString, entrada);
    QFETCH(QString, salida);
    const QString r = QuitarAcentos(entrada);
    QCOMPARE(r, salida);
    QCOMPARE(r.size(), entrada.size());
    // Each fold drops one UTF-8 byte: á is two bytes, a one.
    qsizetype plegadas = 0;
    for (const QChar c : entrada)
        plegadas += QStringView(u"áéíóú").contains(c) ? 1 : 0;
    QCOMPARE(entrada.toUtf8().size() - r.toUtf8().size(), plegadas);
}

void TstAcentos::textoLargo()
{
    for (int n : {32767, 100000}) {
        const QString largo = QString(n, u'á');
        const QString r = QuitarAcentos(largo);
        QCOMPARE(r, QString(n, u'a'));
    }
}

void TstAcentos::preparar_data()
{
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("salida");
    QTest::newRow("capital accent") << u"ÁRBOL"_s << u"arbol"_s;
    QTest::newRow("Ñ lowered, kept") << u"NIÑO"_s << u"niño"_s;
    QTest::newRow("spaces trimmed") << u"  Puente  "_s << u"puente"_s;
    QTest::newRow("only spaces") << u"    "_s << QString();
    QTest::newRow("tab is not trimmed") << u"\tpuente "_s << u"\tpuente"_s;
    QTest::newRow("inner spaces kept") << u" el  río "_s << u"el  rio"_s;
}

void TstAcentos::preparar()
{
    QFETCH(QString, entrada);
    QFETCH(QString, salida);
    QCOMPARE(prepararTexto(entrada), salida);
}

void TstAcentos::contiene_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("esperado");
    QTest::newRow("árbol finds Árbol") << u"Árbol de decisiones"_s << u"árbol"_s << true;
    QTest::newRow("ARBOL finds árbol") << u"El árbol"_s << u"ARBOL"_s << true;
    QTest::newRow("nino not niño") << u"El niño"_s << u"nino"_s << false;
    QTest::newRow("spaces around") << u"Puentes"_s << u"  puentes  "_s << true;
    QTest::newRow("empty text, value") << u"x"_s << u"   "_s << true;
    QTest::newRow("empty text, blank value") << u"   "_s << u""_s << false;
    QTest::newRow("twice") << u"puente y puente"_s << u"puente"_s << true;
    QTest::newRow("partial at end") << u"puent"_s << u"puente"_s << false;
    QTest::newRow("first char repeats") << u"papapaya"_s << u"papaya"_s << true;
    QTest::newRow("value beyond Latin-1") << u"ΣΟΦΙΑ y Árbol"_s << u"arbol"_s << true;
    QTest::newRow("text beyond Latin-1") << u"Sofia"_s << u"sοfia"_s << false;
}

void TstAcentos::contiene()
{
    QFETCH(QString, valor);
    QFETCH(QString, texto);
    QFETCH(bool, esperado);
    QCOMPARE(contieneTexto(prepararTexto(valor), prepararTexto(texto)), esperado);
    // The matcher: on the catalogue's bytes (its quick road) and on the text.
    Coincidencia coincidencia(texto);
    const QByteArray utf8 = valor.toUtf8();
    QCOMPARE(coincidencia.contiene(QByteArrayView(utf8)), esperado);
    QCOMPARE(coincidencia.contiene(valor), esperado);
}

QTEST_GUILESS_MAIN(TstAcentos)
#include "tst_acentos.moc"
