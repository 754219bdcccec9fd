// SPDX-License-Identifier: GPL-3.0-or-later
// The match lookup decides most rows on the catalogue's UTF-8 bytes, without
// the QString path of prepararTexto() and contieneTexto(). Whatever the values
// hold (every Latin-1 character, letters beyond it, malformed UTF-8, NULs,
// blobs, numbers, blanks) and whatever is searched, it must list exactly the
// rows, lines and keys that path gives, in the same order.

#include "Acentos.h"
#include "Busquedas.h"
#include "Colacion.h"
#include "DataSource.h"
#include "Esquema.h"
#include "Sentencias.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// A value as it goes into the catalogue: text (any bytes, even malformed), a
// blob, a number or null.
struct Valor
{
    enum class Tipo { Texto, Blob, Entero, Nulo } tipo = Tipo::Texto;
    QByteArray bytes;
    qint64 entero = 0;

    static Valor texto(const QString &s) { return {Tipo::Texto, s.toUtf8()}; }
    static Valor crudo(const QByteArray &b) { return {Tipo::Texto, b}; }
    static Valor blob(const QByteArray &b) { return {Tipo::Blob, b}; }
    static Valor numero(qint64 n) { return {Tipo::Entero, {}, n}; }
    static Valor nulo() { return {Tipo::Nulo, {}}; }

    void enlazar(sqlite3_stmt *stmt, int columna) const
    {
        switch (tipo) {
        case Tipo::Texto:
            sqlite3_bind_text(stmt, columna, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        case Tipo::Blob:
            sqlite3_bind_blob(stmt, columna, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        case Tipo::Entero:
            sqlite3_bind_int64(stmt, columna, entero);
            break;
        case Tipo::Nulo:
            sqlite3_bind_null(stmt, columna);
            break;
        }
    }
};

// Values that reach every branch: each Latin-1 character in both cases and
// beside others, letters whose lower case is not Latin-1 or not one letter,
// malformed or unusual UTF-8, blanks.
QList<Valor> valoresRaros()
{
    QList<Valor> v;
    QString latin1;
    for (char16_t c = 1; c <= 0xFF; ++c)
        latin1 += QChar(c);
    v << Valor::texto(latin1) << Valor::texto(latin1.toUpper());
    for (char16_t c = 0x20; c <= 0xFF; c += 7)
        v << Valor::texto(u"Palabra "_s + QChar(c) + u"x"_s + QChar(char16_t(c + 3)) + u" fin"_s);
    for (const QString &s :
         {u"Árbol ÁRBOL árbol arbol"_s, u"  Canción  "_s, u"   "_s, QString(), u"Ñandú NIÑO"_s,
          u"İstanbul e İzmir"_s, u"ΣΊΣΥΦΟΣ σίσυφος"_s, u"STRAẞE Straße strasse"_s,
          u"Ÿpres ÿ"_s, u"µ y Μ micro"_s, u"a\u0301rbol combinado"_s, u"“Comillas” — raya"_s,
          u"Emoji 😀 y acento é"_s, u"ﬁn ligadura"_s, u"K Kelvin K"_s, u"x"_s, u"ab"_s})
        v << Valor::texto(s);
    v << Valor::crudo("Truncado \xC3") << Valor::crudo("Mal \xC3( seguido")
      << Valor::crudo("Largo \xC0\xAF de m\xC3\xA1s") << Valor::crudo("Suelto \x80\xBF caf\xC3\xA9")
      << Valor::crudo("Mitad \xED\xA0\x80 sustituto") << Valor::crudo(QByteArray("Con\0NUL \xC3\xA1", sizeof("Con\0NUL \xC3\xA1") - 1))
      << Valor::blob("Blob \xC3\xA1rbol") << Valor::blob("Blob \xC3") << Valor::blob({})
      << Valor::numero(12345) << Valor::nulo();
    return v;
}

// Random titles from a small alphabet, so that random searches hit often.
QList<Valor> valoresAzar(QRandomGenerator &azar, int cuantos)
{
    static const QString letras =
        u"aaabcdeeeilmnoorrstuáéíóúÁÉÍÓÚñÑüÜAEIOUBCD     ,.'ÇçàÀ"_s + QChar(0x130) + QChar(0x3A3)
        + QChar(0x1E9E);
    QList<Valor> v;
    for (int i = 0; i < cuantos; ++i) {
        QString s;
        const int largo = int(azar.bounded(0, 24));
        for (int k = 0; k < largo; ++k)
            s += letras.at(int(azar.bounded(qsizetype(letras.size()))));
        v << Valor::texto(s);
    }
    return v;
}


} // namespace

class TstCoincidencias : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void titulos_data();
    void titulos();
    void autores_data();
    void autores();
    void textosAlAzar();

private:
    void buscarYComparar(const QString &texto, bool enAutores);

    QTemporaryDir m_dir;
    QStringList m_textosAzar;
    QString m_ruta;
};

void TstCoincidencias::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_ruta = m_dir.filePath(u"boletin.mdb"_s);
    const QString &ruta = m_ruta;
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(ruta).constData(), &db), SQLITE_OK);
    QVERIFY(Colacion::registrar(db));
    QVERIFY(Esquema::crearTablas(db));
    QCOMPARE(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), SQLITE_OK); // one sync, not one per row

    const QList<Valor> numeros{Valor::texto(u"Año 1950 - Nº 1"_s), Valor::texto(QString()),
                               Valor::texto(u"Año 1951 — Nº 2"_s), Valor::crudo("N\xC3"),
                               Valor::nulo()};
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO NumerosPorAños VALUES (?, ?, ?)", -1, &stmt, nullptr);
    for (int i = 0; i < numeros.size(); ++i) {
        sqlite3_bind_int(stmt, 1, i + 1);
        numeros[i].enlazar(stmt, 2);
        sqlite3_bind_int(stmt, 3, 195000 + i);
        QCOMPARE(sqlite3_step(stmt), SQLITE_DONE);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);

    QRandomGenerator azar(1950);
    const QList<Valor> valores = valoresRaros() + valoresAzar(azar, 400);
    sqlite3_prepare_v2(db, "INSERT INTO AutoresArticulos VALUES (?, ?, ?)", -1, &stmt, nullptr);
    sqlite3_stmt *autor = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Autores VALUES (?, ?)", -1, &autor, nullptr);
    for (int i = 0; i < valores.size(); ++i) {
        sqlite3_bind_int(stmt, 1, i + 1);
        valores[i].enlazar(stmt, 2);
        sqlite3_bind_int(stmt, 3, i % numeros.size() + 1);
        QCOMPARE(sqlite3_step(stmt), SQLITE_DONE);
        sqlite3_reset(stmt);
        sqlite3_bind_int(autor, 1, i + 1);
        valores[i].enlazar(autor, 2);
        QCOMPARE(sqlite3_step(autor), SQLITE_DONE);
        sqlite3_reset(autor);
        if (valores[i].tipo == Valor::Tipo::Texto && i % 5 == 0) {
            // Searches for pieces of what is there, as typed: capitals, accents, blanks.
            const QString s = QString::fromUtf8(valores[i].bytes);
            const qsizetype desde = azar.bounded(qsizetype(s.size() + 1));
            m_textosAzar << s.mid(desde, azar.bounded(1, 6)).toUpper();
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_finalize(autor);
    QVERIFY(Esquema::crearIndices(db));
    QCOMPARE(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

namespace {

QStringList textosDePrueba()
{
    QStringList t{QString(), u"a"_s, u"A"_s, u"á"_s, u"Á"_s, u"arbol"_s, u"ÁRBOL"_s, u"  árbol  "_s,
                  u"   "_s, u"canción"_s, u"niño"_s, u"nino"_s, u"ñ"_s, u"i̇"_s, u"İ"_s,
                  u"σ"_s, u"Σ"_s, u"ß"_s, u"ss"_s, u"ẞ"_s, u"ÿ"_s, u"Ÿ"_s, u"µ"_s, u"μ"_s,
                  u"k"_s, u"K"_s, u"é"_s, u"e"_s, u"😀"_s, u"—"_s, u"fin"_s, u"ﬁ"_s,
                  u"\u0301"_s, u"x"_s, u"xyz que no está"_s, u"1234"_s, u"12345"_s, u"blob"_s,
                  u"nul"_s, u"suelto"_s, u"\uFFFD"_s, u"ab"_s, u"b"_s, u"ç"_s, u"Ç"_s, u"à"_s,
                  u"'"_s, u"."_s, u"%"_s, u"_"_s};
    for (char16_t c = 0xA0; c <= 0xFF; c += 5)
        t << QString(QChar(c));
    return t;
}

} // namespace

void TstCoincidencias::titulos_data()
{
    QTest::addColumn<QString>("texto");
    const QStringList textos = textosDePrueba();
    for (qsizetype i = 0; i < textos.size(); ++i)
        QTest::addRow("%lld «%s»", static_cast<long long>(i), qPrintable(textos[i])) << textos[i];
}

void TstCoincidencias::titulos()
{
    QFETCH(QString, texto);
    buscarYComparar(texto, false);
}

void TstCoincidencias::autores_data()
{
    titulos_data();
}

void TstCoincidencias::autores()
{
    QFETCH(QString, texto);
    buscarYComparar(texto, true);
}

void TstCoincidencias::textosAlAzar()
{
    QVERIFY(m_textosAzar.size() > 50);
    for (const QString &t : std::as_const(m_textosAzar)) {
        buscarYComparar(t, false);
        if (QTest::currentTestFailed())
            return;
    }
}

// Runs the lookup and compares its lines with what the rule gives row by row,
// on QString values.
void TstCoincidencias::buscarYComparar(const QString &texto, bool enAutores)
{
    DataSource consulta;
    consulta.setDatabaseName(m_ruta);
    const Resultado<Lineas> lista =
        coincidencias(consulta, enAutores ? CampoBuscado::Autor : CampoBuscado::Titulo, texto);
    QVERIFY2(lista.ok(), qPrintable(lista.error()));

    const QString preparado = prepararTexto(texto);
    DataSource ds;
    ds.setDatabaseName(m_ruta);
    ds.setRecordSource(enAutores ? Sentencias::todosLosAutores() : Sentencias::todosLosArticulos());
    QVERIFY(ds.Refresh());
    const int comparada = ds.indiceCampo(enAutores ? u"autor"_s : u"des_articulo"_s);
    const int numero = ds.indiceCampo(u"des_añoNumero"_s);
    const int clave = ds.indiceCampo(enAutores ? u"id_autor"_s : u"id_articulo"_s);
    Lineas lineas;
    while (!ds.isEOF()) {
        if (!ds.esNulo(comparada)) {
            const QString valor = ds.texto(comparada);
            if (preparado.size() <= valor.size()
                && contieneTexto(prepararTexto(valor), preparado))
                lineas.anadir(enAutores ? valor : lineaArticulo(valor, ds.texto(numero)),
                              claveDeLinea(ds.valor(clave)));
        }
        QVERIFY(ds.MoveNext());
    }
    QCOMPARE(*lista, lineas);
}

QTEST_MAIN(TstCoincidencias)
#include "tst_coincidencias.moc"
