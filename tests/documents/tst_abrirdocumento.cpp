// SPDX-License-Identifier: GPL-3.0-or-later
#include "AbrirDocumento.h"
#include "CatalogoPrueba.h"
#include "Programa.h"
#include "PruebasDocumentos.h"
#include "DataSource.h"
#include "PanelDocumento.h"
#include "frmBrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace PruebasDocumentos;

namespace {

// A result line as the search window's click handler hands it to the opener:
// what the catalogue says of its issue, then the prompts and the viewer.
struct BusquedaPrueba
{
    explicit BusquedaPrueba(const QString &catalogo) { DataArchivo.setDatabaseName(catalogo); }
    void linea(TipoLista campo, qint32 clave)
    {
        m_campo = campo;
        m_clave = clave;
    }
    void clic()
    {
        const auto e = AbrirDocumento::ejemplar(DataArchivo, m_campo, m_clave);
        if (e && *e)
            AbrirDocumento::abrir(**e, m_clave);
    }

    DataSource DataArchivo;
    TipoLista m_campo = TipoLista::Ninguna;
    qint32 m_clave = 0;
};

const TipoLista articulo = TipoLista::Articulos;
const TipoLista numero = TipoLista::Numeros;
const QString cd1 = u"Introduzca el CD 1"_s;
const QString cd2 = u"Introduzca el CD 2"_s;
const QString marca1 = u"Tirvosk.dat"_s;
const QString marca2 = u"Tirvosk2.dat"_s;

// Issues beside the shared catalogue's: disco null, other text, the real 1.0.
const QString sqlExtra = u"INSERT INTO NumerosPorAños VALUES (8,'Año 1970 - Nº 1',197001),"
                         "(9,'Año 1971 - Nº 1',197101),(10,'Año 1972 - Nº 1',197201);"
                         "INSERT INTO RelacionBoletinDisco VALUES (8,NULL,'1970_01'),"
                         "(9,'uno','1971_01'),(10,1.0,'1972_01');"_s;

const QStringList archivos = {u"1950_01"_s, u"1950_02"_s, u"1985_07"_s, u"2000_12"_s,
                              u"1960_03"_s, u"1960_04"_s, u"1970_01"_s, u"1971_01"_s,
                              u"1972_01"_s};

} // namespace

class TestAbrirDocumento final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void abre_data();
    void abre();
    void lugarRetiradoEntreAvisos();
    void sentencia_data();
    void sentencia();
    void dosArticulosDeUnNumero();
    void mismaLineaDosVeces();
    void noHaceNada_data();
    void noHaceNada();
    void catalogoIlegible_data();
    void catalogoIlegible();
    void mayusculasEnElDisco_data();
    void mayusculasEnElDisco();

private:
    void ponerMarca(const QString &marca);
    QString imagenes() const { return m_disco + u"/Imagenes"_s; }

    QTemporaryDir m_dir;
    QString m_catalogo;
    QString m_disco;
    MensajesGrabados m_mensajes;
};

void TestAbrirDocumento::initTestCase()
{
    QVERIFY(m_dir.isValid());
    ajustesEn(m_dir.filePath(u"config"_s));
    m_catalogo = m_dir.filePath(u"boletin.mdb"_s);
    QVERIFY(CatalogoPrueba::crear(m_catalogo, sqlExtra));
    m_disco = m_dir.filePath(u"cd"_s);
    QVERIFY(QDir().mkpath(imagenes()));
    for (const QString &a : archivos)
        QVERIFY(escribirPdf(imagenes() + u'/' + a + u".pdf"_s));
    ponerMarca(marca1);
    Mensajes::instalar(&m_mensajes);
    cargarPrincipal(m_disco);
}

void TestAbrirDocumento::init()
{
    programa().unidadCD = m_disco;
    programa().busquedaCronologica = false;
    m_mensajes.reiniciar();
    ponerMarca(marca1);
}

void TestAbrirDocumento::cleanup()
{
    cerrarVisores();
}

// Leaves `marca` as the only marker in the drive ("" for none).
void TestAbrirDocumento::ponerMarca(const QString &marca)
{
    const QStringList marcas = QDir(imagenes()).entryList({u"tirvosk*"_s}, QDir::Files);
    for (const QString &m : marcas)
        QFile::remove(imagenes() + u'/' + m);
    if (!marca.isEmpty())
        QVERIFY(escribirArchivo(imagenes() + u'/' + marca, {}));
}

void TestAbrirDocumento::abre_data()
{
    QTest::addColumn<TipoLista>("campo");
    QTest::addColumn<int>("clave");
    QTest::addColumn<QString>("enUnidad"); // marker in the drive, or <sin lugar>, <vacío>
    QTest::addColumn<QString>("respuestas");
    QTest::addColumn<int>("cambioEn"); // the right disc goes in while box n is open
    QTest::addColumn<QStringList>("avisos");
    QTest::addColumn<QString>("archivo"); // "-": no viewer; "": a viewer with no address

    const QStringList ninguno;
    const QString nada = u"-"_s;
    // clang-format off
    QTest::newRow("número en CD 1, CD 1 puesto") << numero << 1 << marca1 << u""_s << 0 << ninguno << u"1950_01.pdf"_s;
    QTest::newRow("disco '1' en texto") << numero << 2 << marca1 << u""_s << 0 << ninguno << u"1950_02.pdf"_s;
    QTest::newRow("disco 1.0") << numero << 10 << marca1 << u""_s << 0 << ninguno << u"1972_01.pdf"_s;
    QTest::newRow("disco 2, CD 2 puesto") << numero << 3 << marca2 << u""_s << 0 << ninguno << u"1985_07.pdf"_s;
    QTest::newRow("disco 0 es el CD 2") << numero << 5 << marca2 << u""_s << 0 << ninguno << u"1960_03.pdf"_s;
    QTest::newRow("disco vacío es el CD 2") << numero << 6 << marca2 << u""_s << 0 << ninguno << u"1960_04.pdf"_s;
    QTest::newRow("disco nulo es el CD 2") << numero << 8 << marca2 << u""_s << 0 << ninguno << u"1970_01.pdf"_s;
    QTest::newRow("disco 'uno' es el CD 2") << numero << 9 << marca2 << u""_s << 0 << ninguno << u"1971_01.pdf"_s;
    QTest::newRow("disco 1 con el CD 2 puesto") << numero << 1 << marca2 << u"C"_s << 0 << QStringList{cd1} << nada;
    QTest::newRow("disco 0 con el CD 1 puesto") << numero << 5 << marca1 << u"C"_s << 0 << QStringList{cd2} << nada;
    QTest::newRow("sin fila de disco, CD 1 puesto") << numero << 7 << marca1 << u""_s << 0 << ninguno << u""_s;
    QTest::newRow("sin fila de disco pide el CD 1") << numero << 7 << marca2 << u"C"_s << 0 << QStringList{cd1} << nada;
    QTest::newRow("artículo: su número, en el CD 2") << articulo << 104 << marca2 << u""_s << 0 << ninguno << u"1985_07.pdf"_s;
    QTest::newRow("artículo: su número, en el CD 1") << articulo << 103 << marca1 << u""_s << 0 << ninguno << u"1950_02.pdf"_s;
    QTest::newRow("artículo de un número sin fila de disco") << articulo << 111 << marca1 << u""_s << 0 << ninguno << u""_s;
    QTest::newRow("cambio de disco y dos Aceptar") << numero << 3 << marca1 << u"AA"_s << 1 << QStringList{cd2, cd2} << u"1985_07.pdf"_s;
    QTest::newRow("cambio al tercer aviso") << numero << 3 << marca1 << u"AAA"_s << 3 << QStringList{cd2, cd2, cd2} << u"1985_07.pdf"_s;
    QTest::newRow("Cancelar en el primer aviso") << numero << 3 << marca1 << u"C"_s << 0 << QStringList{cd2} << nada;
    QTest::newRow("cambio y Cancelar en el segundo") << numero << 3 << marca1 << u"AC"_s << 1 << QStringList{cd2, cd2} << nada;
    QTest::newRow("Cancelar en el cuarto aviso") << articulo << 101 << marca2 << u"AAAC"_s << 0 << QStringList{cd1, cd1, cd1, cd1} << nada;
    QTest::newRow("sin disco: el aviso, no un error") << numero << 1 << u"<sin lugar>"_s << u"AC"_s << 0 << QStringList{cd1, cd1} << nada;
    QTest::newRow("disco sin Imagenes") << numero << 3 << u"<vacío>"_s << u"C"_s << 0 << QStringList{cd2} << nada;
    QTest::newRow("marca en mayúsculas") << numero << 1 << u"TIRVOSK.DAT"_s << u"AAC"_s << 0 << QStringList{cd1, cd1, cd1} << nada;
    QTest::newRow("marca del CD 2 en minúsculas") << numero << 3 << u"tirvosk2.dat"_s << u"C"_s << 0 << QStringList{cd2} << nada;
    // clang-format on
}

// The disc's place vanishes while a prompt is open (the drive is emptied) and
// comes back with the right disc: the failed look keeps the prompt coming.
void TestAbrirDocumento::lugarRetiradoEntreAvisos()
{
    const QString fuera = m_disco + u"-fuera"_s;
    m_mensajes.respuestas = u"AAA"_s;
    m_mensajes.alMostrar = [&](int n, const QString &) {
        if (n == 1)
            QVERIFY(QDir().rename(m_disco, fuera));
        if (n == 3) {
            QVERIFY(QDir().rename(fuera, m_disco));
            ponerMarca(marca2);
        }
    };
    BusquedaPrueba busqueda(m_catalogo);
    busqueda.linea(numero, 3);
    busqueda.clic();
    QCOMPARE(m_mensajes.textos, (QStringList{cd2, cd2, cd2}));
    const auto abiertos = visores();
    QCOMPARE(abiertos.size(), 1);
    QCOMPARE(abiertos.first()->direccionInicial(), imagenes() + u"/1985_07.pdf"_s);
}

void TestAbrirDocumento::abre()
{
    QFETCH(TipoLista, campo);
    QFETCH(int, clave);
    QFETCH(QString, enUnidad);
    QFETCH(QString, respuestas);
    QFETCH(int, cambioEn);
    QFETCH(QStringList, avisos);
    QFETCH(QString, archivo);

    if (enUnidad == u"<sin lugar>") {
        programa().unidadCD = m_dir.filePath(u"no-existe"_s);
    } else if (enUnidad == u"<vacío>") {
        programa().unidadCD = m_dir.filePath(u"vacio"_s);
        QVERIFY(QDir().mkpath(programa().unidadCD));
    } else {
        ponerMarca(enUnidad);
    }
    m_mensajes.respuestas = respuestas;
    m_mensajes.alMostrar = [&](int n, const QString &texto) {
        if (n == cambioEn)
            ponerMarca(texto == cd2 ? marca2 : marca1);
    };

    BusquedaPrueba busqueda(m_catalogo);
    busqueda.linea(campo, clave);
    busqueda.clic();

    QCOMPARE(m_mensajes.textos, avisos);
    QVERIFY(!m_mensajes.conCancelar.contains(false));
    const auto abiertos = visores();
    if (archivo == u"-") {
        QVERIFY(abiertos.isEmpty());
        return;
    }
    QCOMPARE(abiertos.size(), 1);
    frmBrowser *visor = abiertos.first();
    QCOMPARE(visor->windowTitle(), QString::number(clave));
    QVERIFY(visor->isVisible());
    if (archivo.isEmpty()) {
        QCOMPARE(visor->direccionInicial(), QString());
    } else {
        QCOMPARE(visor->direccionInicial(), imagenes() + u'/' + archivo);
        QVERIFY(QFileInfo(visor->direccionInicial()).isFile());
    }
    // An article's document opens at the article; an issue's at its cover.
    QCOMPARE(!visor->brwWebBrowser->tituloArticulo().isEmpty(),
             campo == articulo && !archivo.isEmpty());
}

void TestAbrirDocumento::sentencia_data()
{
    QTest::addColumn<TipoLista>("campo");
    QTest::addColumn<int>("clave");
    QTest::addColumn<QString>("esperada");

    // clang-format off
    QTest::newRow("artículo") << articulo << 104
        << u"Select * from AutoresArticulos as t, RelacionBoletinDisco as r where t.id_articulo=104 and t.id_boletin=r.id_boletin"_s;
    QTest::newRow("número") << numero << 3
        << u"Select * from NumerosPorAños as t, RelacionBoletinDisco as r where t.id_boletin=3 and t.id_boletin=r.id_boletin"_s;
    QTest::newRow("clave negativa") << articulo << -5
        << u"Select * from AutoresArticulos as t, RelacionBoletinDisco as r where t.id_articulo=-5 and t.id_boletin=r.id_boletin"_s;
    // clang-format on
}

void TestAbrirDocumento::sentencia()
{
    QFETCH(TipoLista, campo);
    QFETCH(int, clave);
    QFETCH(QString, esperada);

    BusquedaPrueba busqueda(m_catalogo);
    busqueda.linea(campo, clave);
    busqueda.clic();
    QCOMPARE(busqueda.DataArchivo.RecordSource(), esperada);
}

void TestAbrirDocumento::dosArticulosDeUnNumero()
{
    BusquedaPrueba busqueda(m_catalogo);
    busqueda.linea(articulo, 101);
    busqueda.clic();
    busqueda.linea(articulo, 102);
    busqueda.clic();

    const auto abiertos = visores();
    QCOMPARE(abiertos.size(), 2);
    QCOMPARE(abiertos.at(0)->direccionInicial(), imagenes() + u"/1950_01.pdf"_s);
    QCOMPARE(abiertos.at(1)->direccionInicial(), abiertos.at(0)->direccionInicial());
    QStringList leyendas = {abiertos.at(0)->windowTitle(), abiertos.at(1)->windowTitle()};
    leyendas.sort();
    QCOMPARE(leyendas, (QStringList{u"101"_s, u"102"_s}));
}

void TestAbrirDocumento::mismaLineaDosVeces()
{
    BusquedaPrueba busqueda(m_catalogo);
    busqueda.linea(numero, 4);
    ponerMarca(marca2);
    busqueda.clic();
    busqueda.clic();

    const auto abiertos = visores();
    QCOMPARE(abiertos.size(), 2);
    QVERIFY(abiertos.at(0) != abiertos.at(1));
    for (frmBrowser *v : abiertos) {
        QCOMPARE(v->direccionInicial(), imagenes() + u"/2000_12.pdf"_s);
        QCOMPARE(v->windowTitle(), u"4"_s);
        QVERIFY(v->isVisible());
    }
}

void TestAbrirDocumento::noHaceNada_data()
{
    QTest::addColumn<TipoLista>("campo");
    QTest::newRow("lista de materias") << TipoLista::Materias;
    QTest::newRow("ninguna") << TipoLista::Ninguna;
}

// Nothing is looked up, asked or opened.
void TestAbrirDocumento::noHaceNada()
{
    QFETCH(TipoLista, campo);
    ponerMarca(marca2); // issue 1 wants disc 1: going on would prompt

    BusquedaPrueba busqueda(m_catalogo);
    busqueda.linea(campo, 1);
    busqueda.DataArchivo.setRecordSource(u"sin tocar"_s);

    busqueda.clic();
    QVERIFY(m_mensajes.textos.isEmpty());
    QVERIFY(visores().isEmpty());
    QCOMPARE(busqueda.DataArchivo.RecordSource(), u"sin tocar"_s);
}

void TestAbrirDocumento::catalogoIlegible_data()
{
    QTest::addColumn<QByteArray>("contenido"); // empty: no file at all
    QTest::newRow("no existe") << QByteArray();
    QTest::newRow("basura")
        << QByteArray("esto no es un catálogo, ni SQLite ni Jet\n").repeated(200);
}

// Ends the click quietly: no error box, no prompt, no viewer.
void TestAbrirDocumento::catalogoIlegible()
{
    QFETCH(QByteArray, contenido);
    const QString ruta = m_dir.filePath(u"ilegible.mdb"_s);
    QFile::remove(ruta);
    if (!contenido.isEmpty())
        QVERIFY(escribirArchivo(ruta, contenido));
    ponerMarca(marca2); // the disc-1 prompt would show if the click went on

    BusquedaPrueba busqueda(ruta);
    busqueda.linea(numero, 1);
    busqueda.clic();
    QVERIFY(m_mensajes.textos.isEmpty());
    QVERIFY(visores().isEmpty());
}

void TestAbrirDocumento::mayusculasEnElDisco_data()
{
    QTest::addColumn<QString>("carpeta");
    QTest::addColumn<QString>("documento");
    QTest::newRow("Imagenes") << u"Imagenes"_s << u"1950_01.pdf"_s;
    QTest::newRow("imagenes") << u"imagenes"_s << u"1950_01.pdf"_s;
    QTest::newRow("IMAGENES, .PDF") << u"IMAGENES"_s << u"1950_01.PDF"_s;
    QTest::newRow("imagenes, .Pdf") << u"imagenes"_s << u"1950_01.Pdf"_s;
}

void TestAbrirDocumento::mayusculasEnElDisco()
{
    QFETCH(QString, carpeta);
    QFETCH(QString, documento);
    QTemporaryDir otro;
    QVERIFY(QDir(otro.path()).mkdir(carpeta));
    const QString enDisco = otro.path() + u'/' + carpeta;
    QVERIFY(escribirArchivo(enDisco + u"/Tirvosk.dat"_s, {}));
    QVERIFY(escribirPdf(enDisco + u'/' + documento));
    programa().unidadCD = otro.path();

    BusquedaPrueba busqueda(m_catalogo);
    busqueda.linea(numero, 1);
    busqueda.clic();
    QVERIFY(m_mensajes.textos.isEmpty());
    const auto abiertos = visores();
    QCOMPARE(abiertos.size(), 1);
    QCOMPARE(abiertos.first()->direccionInicial(), enDisco + u'/' + documento);
}

QTEST_MAIN(TestAbrirDocumento)
#include "tst_abrirdocumento.moc"
