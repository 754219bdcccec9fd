// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sentencias.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The statements' texts are the contract with stored catalogues and other
// programs reading the same files: check them character for character.
class TstSentencias : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textos_data();
    void textos();
    void citarDoblaComillas_data();
    void citarDoblaComillas();
};

void TstSentencias::textos_data()
{
    QTest::addColumn<QString>("obtenida");
    QTest::addColumn<QString>("esperada");
    QTest::newRow("1") << Sentencias::gruposMaterias() << u"SELECT * FROM GruposMaterias"_s;
    QTest::newRow("2") << Sentencias::materiasDeGrupo(u"Historia"_s)
                       << u"SELECT des_materia,id_materia FROM Materias WHERE id_grupo IN (SELECT "
                          "id_grupo FROM GruposMaterias WHERE des_grupo='Historia') ORDER BY "
                          "des_materia"_s;
    QTest::newRow("3") << Sentencias::articulosDeMateria(10)
                       << u"select des_articulo,AutoresArticulos.id_articulo, "
                          "NumerosPorAños.des_añoNumero from AutoresArticulos, articulo_materia, "
                          "NumerosPorAños where  ((articulo_materia.id_materia=10) and "
                          "(AutoresArticulos.id_articulo=articulo_materia.id_articulo) and "
                          "((AutoresArticulos.id_boletin) = (NumerosPorAños.id_boletin))) order by "
                          "des_articulo"_s;
    QTest::newRow("4") << Sentencias::numerosEnOrden()
                       << u"Select id_boletin,des_añoNumero from NumerosPorAños order by "
                          "orden_Añonumero"_s;
    QTest::newRow("5") << Sentencias::articulosConTitulo(u"Un título"_s)
                       << u"SELECT des_articulo, id_articulo, NumerosPorAños.des_añoNumero From "
                          "AutoresArticulos, NumerosPorAños Where ((des_articulo= 'Un título')And "
                          "((AutoresArticulos.id_boletin) = (NumerosPorAños.id_boletin))) order by "
                          "des_articulo"_s;
    QTest::newRow("6") << Sentencias::todosLosArticulos()
                       << u"SELECT des_articulo, id_articulo, NumerosPorAños.des_añoNumero From "
                          "AutoresArticulos, NumerosPorAños Where ((AutoresArticulos.id_boletin) = "
                          "(NumerosPorAños.id_boletin)) order by des_articulo"_s;
    QTest::newRow("7") << Sentencias::todosLosAutores() << u"select * from Autores order by autor"_s;
    QTest::newRow("8") << Sentencias::autorConNombre(u"Núñez"_s)
                       << u"Select autor,id_autor from Autores where (autor='Núñez' ) order by "
                          "autor"_s;
    const QString principio9 =
        u"SELECT des_articulo, AutoresArticulos.id_articulo, NumerosPorAños.des_añoNumero From "
        "AutoresArticulos, NumerosPorAños, RelacionAutorArticulo Where ((id_autor =40000)And "
        "((AutoresArticulos.id_boletin) = (NumerosPorAños.id_boletin)) And "
        "(RelacionAutorArticulo.id_articulo = AutoresArticulos.id_articulo))"_s;
    QTest::newRow("9") << Sentencias::articulosDeAutor(40000) << principio9;
    QTest::newRow("10") << Sentencias::articulosDeAutorPorTitulo(40000)
                        << principio9 + u" order by des_articulo"_s;
    QTest::newRow("11") << Sentencias::discoYArchivo(u"NumerosPorAños"_s, u"id_boletin"_s, 7)
                        << u"Select * from NumerosPorAños as t, RelacionBoletinDisco as r where "
                           "t.id_boletin=7 and t.id_boletin=r.id_boletin"_s;
    QTest::newRow("12") << Sentencias::discoYArchivo(u"AutoresArticulos"_s, u"id_articulo"_s, 812)
                        << u"Select * from AutoresArticulos as t, RelacionBoletinDisco as r where "
                           "t.id_articulo=812 and t.id_boletin=r.id_boletin"_s;
}

void TstSentencias::textos()
{
    QFETCH(QString, obtenida);
    QFETCH(QString, esperada);
    QCOMPARE(obtenida, esperada);
}

void TstSentencias::citarDoblaComillas_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("citado");
    QTest::newRow("none") << u"Puentes"_s << u"Puentes"_s;
    QTest::newRow("one") << u"O'Donnell"_s << u"O''Donnell"_s;
    QTest::newRow("only quotes") << u"'''"_s << u"''''''"_s;
    QTest::newRow("injection") << u"x') OR 1=1 --"_s << u"x'') OR 1=1 --"_s;
    QTest::newRow("nul dropped") << QString(u"a\0b"_s) << u"ab"_s;
    QTest::newRow("lone surrogates never joined") << QString(u"'\xD800\0\xDC00"_s)
                                                  << u"''\uFFFD\uFFFD"_s;
    QTest::newRow("pair kept") << u"😀'"_s << u"😀''"_s;
}

void TstSentencias::citarDoblaComillas()
{
    QFETCH(QString, texto);
    QFETCH(QString, citado);
    QCOMPARE(Sentencias::citar(texto), citado);
}

QTEST_GUILESS_MAIN(TstSentencias)
#include "tst_sentencias.moc"
