// SPDX-License-Identifier: GPL-3.0-or-later
#include "CasosDemo.h"
#include "Catalogo.h"
#include "DataSource.h"
#include "EnlacesPdf.h"
#include "Sentencias.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString programa = QStringLiteral(BOLETIN_BUILD_DIR "/tools/crear_coleccion");
constexpr int articulos = 400;
const QString semilla = u"7"_s;

struct Ejecucion
{
    int codigo = -1;
    QString salida;
    QString errores;
};

Ejecucion ejecutar(const QStringList &argumentos)
{
    QProcess p;
    p.start(programa, argumentos);
    Ejecucion e;
    if (!p.waitForFinished(60'000)) {
        p.kill();
        p.waitForFinished();
        e.errores = u"no terminó a tiempo"_s;
        return e;
    }
    e.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.salida = QString::fromUtf8(p.readAllStandardOutput());
    e.errores = QString::fromUtf8(p.readAllStandardError());
    return e;
}

struct Consulta
{
    bool ok = false;
    qint64 recuentoInicial = -1; // RecordCount right after Refresh
    QList<QVariantList> filas;
    QString error;
};

// Runs a statement through a data source, as the program does, and keeps the
// named columns of every row.
Consulta consultar(const QString &catalogo, const QString &sentencia,
                    const QStringList &columnas)
{
    DataSource ds;
    ds.setDatabaseName(catalogo);
    ds.setRecordSource(sentencia);
    Consulta r;
    if (const Resultado<> hecho = ds.Refresh(); !hecho) {
        r.error = hecho.error();
        return r;
    }
    r.recuentoInicial = ds.RecordCount();
    while (!ds.isEOF()) {
        QVariantList fila;
        for (const QString &c : columnas) {
            const Resultado<QVariant> v = ds.Fields(c);
            if (!v) {
                r.error = v.error();
                return r;
            }
            fila << *v;
        }
        r.filas << fila;
        if (const Resultado<> paso = ds.MoveNext(); !paso) {
            r.error = paso.error();
            return r;
        }
    }
    r.ok = true;
    return r;
}

QStringList pdfsEn(const QString &carpeta)
{
    return QDir(carpeta).entryList({u"*.pdf"_s}, QDir::Files, QDir::Name);
}

// disco as the program reads it: 1, as a number or as the text "1", is disc 1.
int discoDe(const QVariant &v)
{
    return v.toString() == u"1" ? 1 : 2;
}

} // namespace

class TstCrearColeccion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void carpetasYMarcas_data();
    void carpetasYMarcas();
    void paginaInformacion();
    void documentoDeCadaNumero();
    void paginasDelDocumento_data();
    void paginasDelDocumento();
    void discoGuardadoComo_data();
    void discoGuardadoComo();
    void autoresConElMismoNombre();
    void autoresConIdAlto();
    void autorSinArticulos();
    void materiasDeCadaGrupo_data();
    void materiasDeCadaGrupo();
    void titulosFijos_data();
    void titulosFijos();
    void textosVariados();
    void nombresDeAutor();
    void mismaSemillaMismoCatalogo();
    void otraSemillaOtroCatalogo();
    void sinPdf();
    void opcionesNoValidas_data();
    void opcionesNoValidas();
    void ayuda();

private:
    QString catalogo() const { return m_dir.filePath(u"a/boletin.mdb"_s); }
    QString carpeta(const QString &relativa) const { return m_dir.filePath(u"a/"_s + relativa); }

    QTemporaryDir m_dir;
};

void TstCrearColeccion::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo(programa).isExecutable(), qPrintable(programa));
    const QString n = QString::number(articulos);

    // a: the collection under test.
    Ejecucion e = ejecutar({u"--destino"_s, m_dir.filePath(u"a"_s), u"--articulos"_s, n,
                            u"--semilla"_s, semilla});
    QVERIFY2(e.codigo == 0, qPrintable(e.errores));
    QVERIFY2(e.salida.startsWith(u"crear_coleccion: %1 artículos"_s.arg(n)), qPrintable(e.salida));
    QCOMPARE(e.salida.count(u'\n'), 1);

    // b: first another collection with documents, then a's again without them,
    // in the same place: the second run must replace the first entirely.
    e = ejecutar({u"--destino"_s, m_dir.filePath(u"b"_s), u"--articulos"_s, u"150"_s,
                  u"--semilla"_s, u"99"_s});
    QVERIFY2(e.codigo == 0, qPrintable(e.errores));
    e = ejecutar({u"--destino"_s, m_dir.filePath(u"b"_s), u"--articulos"_s, n, u"--semilla"_s,
                  semilla, u"--sin-pdf"_s});
    QVERIFY2(e.codigo == 0, qPrintable(e.errores));

    // c: a's size with another seed.
    e = ejecutar({u"--destino"_s, m_dir.filePath(u"c"_s), u"--articulos"_s, n, u"--semilla"_s,
                  u"8"_s, u"--sin-pdf"_s});
    QVERIFY2(e.codigo == 0, qPrintable(e.errores));

    // d: big enough for years of several issues, so it holds the long and the
    // scanned issues.
    e = ejecutar({u"--destino"_s, m_dir.filePath(u"d"_s), u"--articulos"_s, u"1900"_s,
                  u"--semilla"_s, semilla});
    QVERIFY2(e.codigo == 0, qPrintable(e.errores));

    // e: a again, documents and all.
    e = ejecutar({u"--destino"_s, m_dir.filePath(u"e"_s), u"--articulos"_s, n, u"--semilla"_s,
                  semilla});
    QVERIFY2(e.codigo == 0, qPrintable(e.errores));
}

void TstCrearColeccion::carpetasYMarcas_data()
{
    QTest::addColumn<QString>("ruta");
    QTest::newRow("catalogue") << u"boletin.mdb"_s;
    QTest::newRow("disc 1 marker") << u"disco1/Imagenes/Tirvosk.dat"_s;
    QTest::newRow("disc 2 marker") << u"disco2/Imagenes/Tirvosk2.dat"_s;
    QTest::newRow("disc 1 page") << u"disco1/html/Informacion.html"_s;
    QTest::newRow("disc 2 page") << u"disco2/html/Informacion.html"_s;
    QTest::newRow("merged disc 1 marker") << u"completo/Imagenes/Tirvosk.dat"_s;
    QTest::newRow("merged disc 2 marker") << u"completo/Imagenes/Tirvosk2.dat"_s;
    QTest::newRow("merged page") << u"completo/html/Informacion.html"_s;
}

void TstCrearColeccion::carpetasYMarcas()
{
    QFETCH(QString, ruta);
    const QFileInfo f(carpeta(ruta));
    QVERIFY2(f.isFile(), qPrintable(f.filePath()));
    QVERIFY(f.size() > 0);
    // Each disc carries its own marker only: the program tells the discs apart by it.
    QVERIFY(!QFile::exists(carpeta(u"disco1/Imagenes/Tirvosk2.dat"_s)));
    QVERIFY(!QFile::exists(carpeta(u"disco2/Imagenes/Tirvosk.dat"_s)));
    QVERIFY(!QFile::exists(catalogo() + u".nuevo"_s));
}

void TstCrearColeccion::paginaInformacion()
{
    QFile f(carpeta(u"disco1/html/Informacion.html"_s));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QString html = QString::fromUtf8(bytes);
    QCOMPARE(html.toUtf8(), bytes); // valid UTF-8
    QVERIFY(html.contains(u"<meta charset=\"utf-8\">"));
    QVERIFY(html.contains(u"<style>"));
    for (const QString &tema : {u"título"_s, u"autor"_s, u"materia"_s, u"cronológica"_s,
                                u"Introduzca el CD 2"_s, CasosDemo::grupoSinMaterias.toString()})
        QVERIFY2(html.contains(tema), qPrintable(tema));
    QVERIFY2(!html.contains(QRegularExpression(u"%[A-Z0-9]+%"_s)),
             "a placeholder was left unfilled");
    // The same page on every disc.
    for (const QString &otra :
         {u"disco2/html/Informacion.html"_s, u"completo/html/Informacion.html"_s}) {
        QFile g(carpeta(otra));
        QVERIFY(g.open(QIODevice::ReadOnly));
        QCOMPARE(g.readAll(), bytes);
    }
}

void TstCrearColeccion::documentoDeCadaNumero()
{
    const Consulta numeros =
        consultar(catalogo(), Sentencias::numerosEnOrden(), {u"id_boletin"_s, u"des_añoNumero"_s});
    QVERIFY2(numeros.ok, qPrintable(numeros.error));
    QVERIFY(numeros.filas.size() >= 51);

    QSet<QString> esperados[2];
    int anioAnterior = 0;
    for (const QVariantList &n : numeros.filas) {
        const qint64 id = n.at(0).toLongLong();
        const QString etiqueta = n.at(1).toString();
        const auto m = QRegularExpression(u"^Año (\\d{4}) - Nº (\\d+)$"_s).match(etiqueta);
        QVERIFY2(m.hasMatch(), qPrintable(etiqueta));
        const int anio = m.captured(1).toInt();
        QVERIFY2(anio >= anioAnterior, "issues out of chronological order");
        anioAnterior = anio;

        const Consulta d = consultar(
            catalogo(), Sentencias::discoYArchivo(u"NumerosPorAños"_s, u"id_boletin"_s, id),
            {u"disco"_s, u"loc_añoNumero"_s});
        QVERIFY2(d.ok, qPrintable(d.error));
        QCOMPARE(d.filas.size(), 1);
        const int disco = discoDe(d.filas[0].at(0));
        QCOMPARE(disco, anio < CasosDemo::primerAnioDisco2 ? 1 : 2);
        const QString archivo = d.filas[0].at(1).toString() + u".pdf"_s;
        QVERIFY2(!esperados[disco - 1].contains(archivo), qPrintable(archivo));
        esperados[disco - 1].insert(archivo);

        const QFileInfo enDisco(carpeta(u"disco%1/Imagenes/"_s.arg(disco) + archivo));
        const QFileInfo enCompleto(carpeta(u"completo/Imagenes/"_s + archivo));
        QVERIFY2(enDisco.isFile(), qPrintable(enDisco.filePath()));
        QVERIFY2(enCompleto.isFile(), qPrintable(enCompleto.filePath()));
        QCOMPARE(enCompleto.size(), enDisco.size());
    }
    QVERIFY(anioAnterior == 2000);
    // No document more than the catalogue names, and none on the wrong disc.
    for (int d = 0; d < 2; ++d) {
        const QStringList hay = pdfsEn(carpeta(u"disco%1/Imagenes"_s.arg(d + 1)));
        QCOMPARE(QSet<QString>(hay.begin(), hay.end()), esperados[d]);
        QVERIFY(!esperados[d].isEmpty());
    }
    QCOMPARE(pdfsEn(carpeta(u"completo/Imagenes"_s)).size(),
             esperados[0].size() + esperados[1].size());
}

void TstCrearColeccion::paginasDelDocumento_data()
{
    QTest::addColumn<QString>("coleccion");
    QTest::addColumn<QString>("etiqueta");
    QTest::addColumn<bool>("largo"); // each article on two to four pages
    const auto primero = [](int anio) { return u"Año %1 - Nº 1"_s.arg(anio); };
    const auto fijo = [](const CasosDemo::NumeroFijo &f) {
        return u"Año %1 - Nº %2"_s.arg(f.anio).arg(f.numero);
    };
    QTest::newRow("first year") << u"a"_s << primero(1950) << false;
    QTest::newRow("disco stored as text") << u"a"_s << primero(CasosDemo::discoTextoDesde) << false;
    QTest::newRow("first year on disc 2") << u"a"_s << primero(CasosDemo::primerAnioDisco2)
                                          << false;
    QTest::newRow("last year") << u"a"_s << primero(2000) << false;
    QTest::newRow("long") << u"d"_s << fijo(CasosDemo::numerosLargos[1]) << true;
    QTest::newRow("scanned") << u"d"_s << fijo(CasosDemo::numeroEscaneado) << false;
}

void TstCrearColeccion::paginasDelDocumento()
{
    QFETCH(QString, coleccion);
    QFETCH(QString, etiqueta);
    QFETCH(bool, largo);
    const QString raiz = m_dir.filePath(coleccion);
    const QString cat = raiz + u"/boletin.mdb"_s;
    const Consulta numeros =
        consultar(cat, Sentencias::numerosEnOrden(), {u"id_boletin"_s, u"des_añoNumero"_s});
    QVERIFY2(numeros.ok, qPrintable(numeros.error));
    const auto numero =
        std::find_if(numeros.filas.begin(), numeros.filas.end(),
                     [&](const auto &n) { return n.at(1).toString() == etiqueta; });
    QVERIFY2(numero != numeros.filas.end(), qPrintable(etiqueta));
    const qint64 id = numero->at(0).toLongLong();

    const Consulta d =
        consultar(cat, Sentencias::discoYArchivo(u"NumerosPorAños"_s, u"id_boletin"_s, id),
                  {u"disco"_s, u"loc_añoNumero"_s});
    QVERIFY2(d.ok && d.filas.size() == 1, qPrintable(d.error));
    const Consulta articulos = consultar(
        cat, u"SELECT des_articulo FROM AutoresArticulos WHERE id_boletin=%1 ORDER BY id_articulo"_s
                 .arg(id),
        {u"des_articulo"_s});
    QVERIFY2(articulos.ok, qPrintable(articulos.error));
    QVERIFY(!articulos.filas.isEmpty());

    const QString ruta = raiz + u"/disco%1/Imagenes/%2.pdf"_s.arg(discoDe(d.filas[0].at(0)))
                                    .arg(d.filas[0].at(1).toString());
    QPdfDocument pdf;
    QCOMPARE(pdf.load(ruta), QPdfDocument::Error::None);
    const QSizeF a4 = pdf.pagePointSize(0);
    QVERIFY2(qAbs(a4.width() - 595) < 2 && qAbs(a4.height() - 842) < 2, "not A4");

    // The outline: each article in order at its first page, after the cover;
    // an article's further pages, if any, under it. Together they are the
    // whole document.
    QPdfBookmarkModel indice;
    indice.setDocument(&pdf);
    const auto leer = [&](const QModelIndex &i, QPdfBookmarkModel::Role r) {
        return indice.data(i, int(r));
    };
    QCOMPARE(indice.rowCount(), articulos.filas.size());
    int pagina = 1;
    QList<int> primeras;
    for (int k = 0; k < indice.rowCount(); ++k) {
        const QModelIndex entrada = indice.index(k, 0);
        primeras << pagina;
        QCOMPARE(leer(entrada, QPdfBookmarkModel::Role::Title).toString(),
                 articulos.filas[k].at(0).toString());
        QCOMPARE(leer(entrada, QPdfBookmarkModel::Role::Page).toInt(), pagina++);
        const int mas = indice.rowCount(entrada);
        QVERIFY2(largo ? mas >= 1 && mas <= 3 : mas == 0, qPrintable(QString::number(mas)));
        for (int j = 0; j < mas; ++j) {
            const QModelIndex hija = indice.index(j, 0, entrada);
            QCOMPARE(leer(hija, QPdfBookmarkModel::Role::Title).toString(),
                     u"Página %1"_s.arg(j + 2));
            QCOMPARE(leer(hija, QPdfBookmarkModel::Role::Page).toInt(), pagina++);
            QCOMPARE(indice.rowCount(hija), 0);
        }
    }
    QCOMPARE(pdf.pageCount(), pagina);

    // The cover's contents, read as the document pane reads links: its lines
    // from the top down, each to the next article's first page.
    EnlacesPdf enlaces(&pdf, ruta);
    const QList<EnlacePdf> &portada = enlaces.dePagina(0);
    QVERIFY(!portada.isEmpty());
    QVERIFY(portada.size() <= primeras.size());
    for (qsizetype k = 0; k < portada.size(); ++k) {
        const EnlacePdf &e = portada.at(k);
        QCOMPARE(e.pagina, primeras.at(k));
        QVERIFY(QRectF(QPointF(), a4).contains(e.zona));
        QVERIFY(k == 0 || e.zona.top() >= portada.at(k - 1).zona.bottom() - 0.5);
    }
}

void TstCrearColeccion::discoGuardadoComo_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("valor");
    QTest::newRow("number 1") << int(QMetaType::LongLong) << u"1"_s;
    QTest::newRow("text 1") << int(QMetaType::QString) << u"1"_s;
    QTest::newRow("number 2") << int(QMetaType::LongLong) << u"2"_s;
}

void TstCrearColeccion::discoGuardadoComo()
{
    QFETCH(int, tipo);
    QFETCH(QString, valor);
    const Consulta numeros =
        consultar(catalogo(), Sentencias::numerosEnOrden(), {u"id_boletin"_s});
    QVERIFY2(numeros.ok, qPrintable(numeros.error));
    int encontrados = 0;
    for (const QVariantList &n : numeros.filas) {
        const Consulta d = consultar(
            catalogo(),
            Sentencias::discoYArchivo(u"NumerosPorAños"_s, u"id_boletin"_s, n.at(0).toLongLong()),
            {u"disco"_s});
        QVERIFY2(d.ok, qPrintable(d.error));
        const QVariant v = d.filas.value(0).value(0);
        if (v.metaType().id() == tipo && v.toString() == valor)
            ++encontrados;
    }
    QVERIFY(encontrados >= 1);
}

void TstCrearColeccion::autoresConElMismoNombre()
{
    const Consulta r = consultar(catalogo(),
                                  Sentencias::autorConNombre(CasosDemo::autorRepetido.toString()),
                                  {u"autor"_s, u"id_autor"_s});
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.recuentoInicial, 1);
    QCOMPARE(r.filas.size(), 2);
    QVERIFY(r.filas[0].at(1) != r.filas[1].at(1));
    for (const QVariantList &autor : r.filas) {
        QCOMPARE(autor.at(0).toString(), CasosDemo::autorRepetido.toString());
        const Consulta articulos = consultar(
            catalogo(), Sentencias::articulosDeAutorPorTitulo(autor.at(1).toLongLong()),
            {u"des_articulo"_s});
        QVERIFY2(articulos.ok, qPrintable(articulos.error));
        QVERIFY(!articulos.filas.isEmpty());
    }
}

void TstCrearColeccion::autoresConIdAlto()
{
    const Consulta autores =
        consultar(catalogo(), Sentencias::todosLosAutores(), {u"id_autor"_s});
    QVERIFY2(autores.ok, qPrintable(autores.error));
    int altos = 0;
    QSet<qint64> ids;
    for (const QVariantList &a : autores.filas) {
        const qint64 id = a.at(0).toLongLong();
        QVERIFY2(id >= 1, "0 or a negative number is never a key");
        QVERIFY(!ids.contains(id));
        ids.insert(id);
        if (id <= 32767)
            continue;
        ++altos;
        const Consulta r = consultar(catalogo(), Sentencias::articulosDeAutorPorTitulo(id),
                                      {u"des_articulo"_s, u"des_añoNumero"_s, u"id_articulo"_s});
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY2(!r.filas.isEmpty(), qPrintable(QString::number(id)));
        for (const QVariantList &f : r.filas)
            QVERIFY(!f.at(0).toString().isEmpty() && f.at(2).toLongLong() >= 1);
    }
    QVERIFY(altos >= 1);
    // About a third as many authors as articles.
    QVERIFY(autores.filas.size() > articulos / 4 && autores.filas.size() < articulos / 2);
}

void TstCrearColeccion::autorSinArticulos()
{
    const Consulta r = consultar(
        catalogo(), Sentencias::autorConNombre(CasosDemo::autorSinArticulos.toString()),
        {u"id_autor"_s});
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.filas.size(), 1);
    const qint64 id = r.filas[0].at(0).toLongLong();
    for (const QString &sentencia :
         {Sentencias::articulosDeAutor(id), Sentencias::articulosDeAutorPorTitulo(id)}) {
        const Consulta articulos = consultar(catalogo(), sentencia, {u"des_articulo"_s});
        QVERIFY2(articulos.ok, qPrintable(articulos.error));
        QCOMPARE(articulos.recuentoInicial, 0);
    }
}

void TstCrearColeccion::materiasDeCadaGrupo_data()
{
    QTest::addColumn<QString>("grupo");
    const Consulta r = consultar(catalogo(), Sentencias::gruposMaterias(), {u"des_grupo"_s});
    QVERIFY2(r.ok, qPrintable(r.error));
    QVERIFY(r.filas.size() >= 6 && r.filas.size() <= 10);
    for (const QVariantList &g : r.filas)
        QTest::newRow(qPrintable(g.at(0).toString())) << g.at(0).toString();
}

void TstCrearColeccion::materiasDeCadaGrupo()
{
    QFETCH(QString, grupo);
    const Consulta materias = consultar(catalogo(), Sentencias::materiasDeGrupo(grupo),
                                         {u"des_materia"_s, u"id_materia"_s});
    QVERIFY2(materias.ok, qPrintable(materias.error));
    if (grupo == CasosDemo::grupoSinMaterias) {
        QCOMPARE(materias.recuentoInicial, 0);
        return;
    }
    QVERIFY(materias.filas.size() >= 3);
    // A subject with articles lists them with their issue.
    const Consulta articulos = consultar(
        catalogo(), Sentencias::articulosDeMateria(materias.filas[0].at(1).toLongLong()),
        {u"des_articulo"_s, u"des_añoNumero"_s});
    QVERIFY2(articulos.ok, qPrintable(articulos.error));
    for (const QVariantList &a : articulos.filas)
        QVERIFY(a.at(1).toString().startsWith(u"Año "));
}

void TstCrearColeccion::titulosFijos_data()
{
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<int>("veces");
    QSet<QStringView> vistos;
    for (const auto &fijo : CasosDemo::titulosFijos) {
        if (vistos.contains(fijo.titulo))
            continue;
        vistos.insert(fijo.titulo);
        const auto veces = std::count_if(std::begin(CasosDemo::titulosFijos),
                                         std::end(CasosDemo::titulosFijos),
                                         [&](const auto &f) { return f.titulo == fijo.titulo; });
        QTest::newRow(qPrintable(fijo.titulo.toString())) << fijo.titulo.toString() << int(veces);
    }
}

void TstCrearColeccion::titulosFijos()
{
    QFETCH(QString, titulo);
    QFETCH(int, veces);
    const Consulta r = consultar(catalogo(), Sentencias::articulosConTitulo(titulo),
                                  {u"des_articulo"_s, u"id_articulo"_s});
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.recuentoInicial, 1);
    QCOMPARE(r.filas.size(), veces);
    for (const QVariantList &f : r.filas)
        QCOMPARE(f.at(0).toString(), titulo);
    if (veces == 2)
        QVERIFY(r.filas[0].at(1) != r.filas[1].at(1));
}

void TstCrearColeccion::textosVariados()
{
    const Consulta titulos =
        consultar(catalogo(), Sentencias::todosLosArticulos(), {u"des_articulo"_s});
    QVERIFY2(titulos.ok, qPrintable(titulos.error));
    QCOMPARE(titulos.filas.size(), articulos);
    QString todo;
    QSet<QString> distintos;
    bool palabraDoble = false;
    for (const QVariantList &f : titulos.filas) {
        const QString t = f.at(0).toString();
        QVERIFY2(!t.isEmpty() && t == t.trimmed() && !t.contains(u'{'), qPrintable(t));
        QVERIFY2(!t.contains(u" de el ") && !t.contains(u" a el "), qPrintable(t));
        todo += t;
        distintos.insert(t);
        const QStringList palabras =
            t.toLower().split(QRegularExpression(u"\\W+"_s,
                                                 QRegularExpression::UseUnicodePropertiesOption),
                              Qt::SkipEmptyParts);
        palabraDoble = palabraDoble
                       || std::any_of(palabras.begin(), palabras.end(), [&](const QString &p) {
                              return p.size() > 3 && palabras.count(p) > 1;
                          });
    }
    QVERIFY(palabraDoble);
    // Varied: duplicates are the exception.
    QVERIFY(distintos.size() > articulos * 9 / 10);
    for (const QChar c : u"áéíóúÁÉÍÓÚñü'"_s)
        QVERIFY2(todo.contains(c), qPrintable(QString(c)));
}

void TstCrearColeccion::nombresDeAutor()
{
    const Consulta r = consultar(catalogo(), Sentencias::todosLosAutores(), {u"autor"_s});
    QVERIFY2(r.ok, qPrintable(r.error));
    static const QRegularExpression forma(u"^\\S.* \\S+, \\S.*\\S$"_s);
    int comun = 0;
    QSet<QString> nombres;
    int repetidos = 0;
    for (const QVariantList &f : r.filas) {
        const QString autor = f.at(0).toString();
        QVERIFY2(forma.match(autor).hasMatch() && autor.count(u',') == 1, qPrintable(autor));
        if (autor.startsWith(CasosDemo::apellidoComun.toString() + u' '))
            ++comun;
        if (nombres.contains(autor))
            ++repetidos;
        nombres.insert(autor);
    }
    QVERIFY(comun >= r.filas.size() / 12);
    QCOMPARE(repetidos, 1); // only the deliberate pair
}

void TstCrearColeccion::mismaSemillaMismoCatalogo()
{
    QFile a(catalogo());
    QFile b(m_dir.filePath(u"b/boletin.mdb"_s));
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray bytesA = a.readAll();
    QVERIFY(bytesA.size() > 0);
    QVERIFY2(bytesA == b.readAll(), "same seed and size, different catalogue");
    // And the same documents, byte for byte.
    for (const QString &disco : {u"disco1"_s, u"disco2"_s}) {
        const QString imagenes = disco + u"/Imagenes"_s;
        const QStringList pdfs = pdfsEn(carpeta(imagenes));
        QVERIFY(!pdfs.isEmpty());
        QCOMPARE(pdfsEn(m_dir.filePath(u"e/"_s + imagenes)), pdfs);
        for (const QString &pdf : pdfs) {
            QFile x(carpeta(imagenes + u'/' + pdf));
            QFile y(m_dir.filePath(u"e/%1/%2"_s.arg(imagenes, pdf)));
            QVERIFY(x.open(QIODevice::ReadOnly) && y.open(QIODevice::ReadOnly));
            const QByteArray bytes = x.readAll();
            QVERIFY2(bytes == y.readAll(), qPrintable(pdf));
            // Two runs within the same second would hide a time of writing left in
            // the file: QPdfWriter's Info dictionary, and from Qt 6.8 on its XMP.
            for (const char *fecha : {"/CreationDate", "/ModDate", "xmp:CreateDate",
                                      "xmp:ModifyDate", "xmp:MetadataDate"})
                QVERIFY2(!bytes.contains(fecha),
                         qPrintable(pdf + u": "_s + QLatin1StringView(fecha)));
        }
    }
}

void TstCrearColeccion::otraSemillaOtroCatalogo()
{
    const QString otro = m_dir.filePath(u"c/boletin.mdb"_s);
    const Consulta a = consultar(catalogo(), Sentencias::todosLosArticulos(), {u"des_articulo"_s});
    const Consulta c = consultar(otro, Sentencias::todosLosArticulos(), {u"des_articulo"_s});
    QVERIFY(a.ok && c.ok);
    QCOMPARE(c.filas.size(), a.filas.size());
    QVERIFY(a.filas != c.filas);
    // The fixed cases do not depend on the seed.
    const Consulta gemelos = consultar(
        otro, Sentencias::autorConNombre(CasosDemo::autorRepetido.toString()), {u"id_autor"_s});
    QCOMPARE(gemelos.filas.size(), 2);
}

void TstCrearColeccion::sinPdf()
{
    for (const QString &d : {u"disco1"_s, u"disco2"_s, u"completo"_s}) {
        const QString imagenes = m_dir.filePath(u"b/"_s + d + u"/Imagenes"_s);
        QVERIFY2(pdfsEn(imagenes).isEmpty(), qPrintable(imagenes));
        QVERIFY(QFile::exists(m_dir.filePath(u"b/"_s + d + u"/html/Informacion.html"_s)));
    }
    QVERIFY(QFile::exists(m_dir.filePath(u"b/disco1/Imagenes/Tirvosk.dat"_s)));
    QVERIFY(QFile::exists(m_dir.filePath(u"b/disco2/Imagenes/Tirvosk2.dat"_s)));
    QVERIFY(!QFile::exists(m_dir.filePath(u"b/boletin.mdb.nuevo"_s)));
}

void TstCrearColeccion::opcionesNoValidas_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::newRow("no destination") << QStringList{u"--articulos"_s, u"200"_s};
    QTest::newRow("too few articles") << QStringList{u"--articulos"_s, u"5"_s};
    QTest::newRow("articles not a number") << QStringList{u"--articulos"_s, u"muchos"_s};
    QTest::newRow("negative seed") << QStringList{u"--semilla"_s, u"-1"_s};
    QTest::newRow("missing value") << QStringList{u"--articulos"_s};
    QTest::newRow("unknown option") << QStringList{u"--colores"_s};
}

void TstCrearColeccion::opcionesNoValidas()
{
    QFETCH(QStringList, argumentos);
    const QString destino = m_dir.filePath(u"mal"_s);
    if (QTest::currentDataTag() != QByteArray("no destination"))
        argumentos.prepend(u"--destino="_s + destino);
    const Ejecucion e = ejecutar(argumentos);
    QVERIFY(e.codigo != 0);
    QVERIFY2(e.errores.contains(u"crear_coleccion: "), qPrintable(e.errores));
    QVERIFY(e.salida.isEmpty());
    QVERIFY(!QFileInfo::exists(destino));
}

void TstCrearColeccion::ayuda()
{
    const Ejecucion e = ejecutar({u"--ayuda"_s});
    QCOMPARE(e.codigo, 0);
    QVERIFY(e.salida.startsWith(u"Uso: crear_coleccion --destino CARPETA"));
    for (const QString &opcion : {u"--articulos"_s, u"--semilla"_s, u"--sin-pdf"_s})
        QVERIFY(e.salida.contains(opcion));
}

QTEST_MAIN(TstCrearColeccion)
#include "tst_crear_coleccion.moc"
