// SPDX-License-Identifier: GPL-3.0-or-later
#include "Catalogo.h"
#include "CatalogoPrueba.h"
#include "DataSource.h"
#include "Sentencias.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// The program's tables as other tools declare them: %1 for the id columns, %2
// for the text ones.
const QString tablasAjenas = uR"(
CREATE TABLE GruposMaterias (id_grupo %1, des_grupo %2);
CREATE TABLE Materias (id_materia %1, des_materia %2, id_grupo %1);
CREATE TABLE Autores (id_autor %1, autor %2);
CREATE TABLE RelacionAutorArticulo (id_autor %1, id_articulo %1);
CREATE TABLE AutoresArticulos (id_articulo %1, des_articulo %2, id_boletin %1);
CREATE TABLE NumerosPorAños (id_boletin %1, des_añoNumero %2, orden_AñoNumero %1);
CREATE TABLE articulo_materia (id_materia %1, id_articulo %1);
CREATE TABLE RelacionBoletinDisco (id_boletin %1, disco, loc_añoNumero %2);
)"_s;

// Catalogues with the same rows: the program's own, then others' schemas.
const QList<std::pair<const char *, QString>> esquemas{
    {"own", {}},
    {"plain CREATE TABLE", tablasAjenas.arg(u"INTEGER"_s, u"TEXT"_s)},
    {"NOCASE, ids as TEXT", tablasAjenas.arg(u"TEXT"_s, u"TEXT COLLATE NOCASE"_s)},
    {"BINARY, no types", tablasAjenas.arg(QString(), u"COLLATE BINARY"_s)},
};

bool crearAjeno(const QString &ruta, const QString &tablas)
{
    QFile datos(CatalogoPrueba::fixture(u"catalogo.sql"_s));
    if (!datos.open(QIODevice::ReadOnly))
        return false;
    sqlite3 *db = nullptr;
    const bool ok = sqlite3_open(QFile::encodeName(ruta).constData(), &db) == SQLITE_OK
                    && sqlite3_exec(db, (tablas.toUtf8() + datos.readAll()).constData(), nullptr,
                                    nullptr, nullptr)
                           == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// Names and bytes of every file in a folder.
QByteArray huellaCarpeta(const QString &carpeta)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const QFileInfo &f : QDir(carpeta).entryInfoList(QDir::Files, QDir::Name)) {
        h.addData(f.fileName().toUtf8());
        QFile archivo(f.filePath());
        if (archivo.open(QIODevice::ReadOnly))
            h.addData(archivo.readAll());
    }
    return h.result();
}

} // namespace

class TstDataSource : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void recordCountYEof_data();
    void recordCountYEof();
    void sentencias_data();
    void sentencias();
    void camposSinDistinguirMayusculas();
    void nulosYTipos();
    void autorDesordenadoYOrdenado();
    void discoYArchivo_data();
    void discoYArchivo();
    void errores_data();
    void errores();
    void errorDeColumna();
    void consultaQueEscribeRechazada();
    void ajenoSoloSeLeePropioNoSeCopia();

private:
    // Runs a statement and returns every row's chosen columns joined by '|'.
    QStringList filas(const QString &sentencia, const QStringList &columnas);

    QTemporaryDir m_dir;
    QString m_ruta;
    QStringList m_rutas; // one per schema, the own first
    DataSource m_ds;
};

void TstDataSource::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_ruta = m_dir.filePath(u"boletin.mdb"_s);
    QVERIFY(CatalogoPrueba::crear(m_ruta));
    m_rutas << m_ruta;
    for (qsizetype i = 1; i < esquemas.size(); ++i) {
        QVERIFY(QDir(m_dir.path()).mkdir(QString::number(i)));
        m_rutas << m_dir.filePath(QString::number(i) + u"/boletin.mdb"_s);
        QVERIFY(crearAjeno(m_rutas.last(), esquemas.at(i).second));
    }
}

void TstDataSource::init()
{
    m_ds.setDatabaseName(m_ruta);
}

QStringList TstDataSource::filas(const QString &sentencia, const QStringList &columnas)
{
    m_ds.setRecordSource(sentencia);
    if (const Resultado<> r = m_ds.Refresh(); !r)
        return {u"ERROR: "_s + r.error()};
    QStringList resultado;
    while (!m_ds.isEOF()) {
        QStringList celdas;
        for (const QString &c : columnas) {
            const auto v = m_ds.Fields(c);
            celdas << (!v ? u"?"_s : v->isNull() ? u"NULL"_s : v->toString());
        }
        resultado << celdas.join(u'|');
        (void)m_ds.MoveNext();
    }
    return resultado;
}

void TstDataSource::recordCountYEof_data()
{
    QTest::addColumn<QString>("sentencia");
    QTest::addColumn<int>("trasRefresh");
    QTest::addColumn<int>("alFinal");
    QTest::newRow("empty") << Sentencias::materiasDeGrupo(u"Historia"_s) << 0 << 0;
    QTest::newRow("one") << Sentencias::autorConNombre(u"Núñez Gómez, José"_s) << 1 << 1;
    QTest::newRow("three") << Sentencias::articulosDeMateria(10) << 1 << 3;
    QTest::newRow("seven issues") << Sentencias::numerosEnOrden() << 1 << 7;
}

void TstDataSource::recordCountYEof()
{
    QFETCH(QString, sentencia);
    QFETCH(int, trasRefresh);
    QFETCH(int, alFinal);
    m_ds.setRecordSource(sentencia);
    const Resultado<> hecho = m_ds.Refresh();
    QVERIFY2(hecho, qPrintable(hecho.error()));
    QCOMPARE(m_ds.RecordCount(), trasRefresh);
    QCOMPARE(m_ds.isEOF(), trasRefresh == 0);
    while (!m_ds.isEOF())
        QVERIFY(m_ds.MoveNext());
    QCOMPARE(m_ds.RecordCount(), alFinal);
    QVERIFY(m_ds.MoveNext()); // past the end stays there
    QCOMPARE(m_ds.RecordCount(), alFinal);
}

void TstDataSource::sentencias_data()
         {
    QTest::addColumn<QString>("sentencia");
    QTest::addColumn<QStringList>("columnas");
    QTest::addColumn<QStringList>("esperadas");
    QTest::addColumn<QString>("catalogo");
    // Every case on every schema: the same rows in the same order.
    const auto fila = [this](const char *nombre, const QString &sentencia,
                             const QStringList &columnas, const QStringList &esperadas) {
        for (qsizetype i = 0; i < m_rutas.size(); ++i)
            QTest::addRow("%s [%s]", nombre, esquemas.at(i).first)
                << sentencia << columnas << esperadas << m_rutas.at(i);
    };

    const QStringList grupos{u"1|Ingeniería civil"_s, u"2|Economía del transporte"_s,
                             u"3|Historia"_s, u"4|Grupo d'Aragón"_s};
    fila("1", Sentencias::gruposMaterias(), QStringList{u"id_grupo"_s, u"des_grupo"_s},
         grupos);
    fila("bare table name", Sentencias::tablaGruposMaterias,
         QStringList{u"ID_GRUPO"_s, u"Des_Grupo"_s}, grupos);
    fila("2 sorted, ñ after n",
         Sentencias::materiasDeGrupo(u"Ingeniería civil"_s),
         QStringList{u"des_materia"_s, u"id_materia"_s},
         QStringList{u"Carreteras|13"_s, u"Puentes|10"_s, u"Señalización|12"_s, u"Túneles|11"_s});
    fila("2 case ignored", Sentencias::materiasDeGrupo(u"INGENIERÍA CIVIL"_s),
         QStringList{u"id_materia"_s},
         QStringList{u"13"_s, u"10"_s, u"12"_s, u"11"_s});
    fila("2 accents count", Sentencias::materiasDeGrupo(u"Ingenieria civil"_s),
         QStringList{u"id_materia"_s}, QStringList{});
    fila("2 group without subjects", Sentencias::materiasDeGrupo(u"Historia"_s),
         QStringList{u"id_materia"_s}, QStringList{});
    fila("2 apostrophe", Sentencias::materiasDeGrupo(u"Grupo d'Aragón"_s),
         QStringList{u"des_materia"_s}, QStringList{u"Archivo"_s});
    fila("3", Sentencias::articulosDeMateria(10),
         QStringList{u"id_articulo"_s, u"des_añoNumero"_s},
         QStringList{u"110|"_s, u"101|Año 1950 - Nº 1"_s,
         u"107|Año 2000 - Nº 12"_s});
    fila("3 key 0", Sentencias::articulosDeMateria(0), QStringList{u"id_articulo"_s},
         QStringList{});
    fila("4 chronological",
         Sentencias::numerosEnOrden(), QStringList{u"id_boletin"_s},
         QStringList{u"7"_s, u"1"_s, u"2"_s, u"5"_s, u"6"_s, u"3"_s, u"4"_s});
    fila("5 exact, shared title",
         Sentencias::articulosConTitulo(u"historia del boletín"_s),
         QStringList{u"id_articulo"_s, u"des_añoNumero"_s},
         QStringList{u"108|Año 1950 - Nº 2"_s, u"109|Año 1960 - Nº 3"_s});
    fila("5 apostrophe", Sentencias::articulosConTitulo(u"L'Eixample: trazado y circulación"_s),
         QStringList{u"id_articulo"_s}, QStringList{u"106"_s});
    fila("5 part of a title", Sentencias::articulosConTitulo(u"Historia"_s),
         QStringList{u"id_articulo"_s}, QStringList{});
    fila("5 injection stays a literal",
         Sentencias::articulosConTitulo(u"x') OR 1=1 OR ('"_s), QStringList{u"id_articulo"_s},
         QStringList{});
    fila("7 sorted by name",
         Sentencias::todosLosAutores(), QStringList{u"id_autor"_s},
         QStringList{u"9"_s, u"8"_s, u"40000"_s, u"3"_s, u"6"_s, u"1"_s, u"2"_s, u"4"_s,
                       u"7"_s, u"5"_s});
    fila("8 two of one name",
         Sentencias::autorConNombre(u"garcía pérez, luis"_s), QStringList{u"id_autor"_s},
         QStringList{u"3"_s, u"6"_s});
    fila("8 apostrophe", Sentencias::autorConNombre(u"O'Donnell, Patricio"_s),
         QStringList{u"autor"_s},
         QStringList{u"O'Donnell, Patricio"_s});
    fila("10 by title",
         Sentencias::articulosDeAutorPorTitulo(1), QStringList{u"des_articulo"_s},
         QStringList{u"El niño y la vía"_s, u"El puente de hierro sobre el Ebro"_s,
                       u"Puentes colgantes: cálculo y práctica"_s});
    fila("10 large id", Sentencias::articulosDeAutorPorTitulo(40000),
         QStringList{u"id_articulo"_s},
         QStringList{u"110"_s, u"101"_s});
    fila("10 author without articles", Sentencias::articulosDeAutorPorTitulo(7),
         QStringList{u"id_articulo"_s}, QStringList{});
    fila("6 every article", Sentencias::todosLosArticulos(),
         QStringList{u"id_articulo"_s},
         QStringList{u"113"_s, u"112"_s, u"104"_s, u"110"_s,
                                                    u"111"_s, u"101"_s, u"108"_s, u"109"_s,
                                                    u"106"_s, u"103"_s, u"107"_s, u"105"_s,
                                                    u"102"_s});
}

void TstDataSource::sentencias()
{
    QFETCH(QString, sentencia);
    QFETCH(QStringList, columnas);
    QFETCH(QStringList, esperadas);
    QFETCH(QString, catalogo);
    m_ds.setDatabaseName(catalogo);
    QCOMPARE(filas(sentencia, columnas), esperadas);
}

void TstDataSource::camposSinDistinguirMayusculas()
{
    m_ds.setRecordSource(Sentencias::numerosEnOrden());
    QVERIFY(m_ds.Refresh());
    QCOMPARE(m_ds.Fields(u"DES_AÑONUMERO"_s)->toString(), u"Año 1949 - Nº 9"_s);
    QCOMPARE(m_ds.Fields(u"des_añonumero"_s)->toString(), u"Año 1949 - Nº 9"_s);
    QCOMPARE(m_ds.Fields(u"Id_Boletin"_s)->toLongLong(), 7);
}

void TstDataSource::nulosYTipos()
{
    m_ds.setRecordSource(Sentencias::discoYArchivo(u"NumerosPorAños"_s, u"id_boletin"_s, 2));
    QVERIFY(m_ds.Refresh());
    QCOMPARE(m_ds.Fields(u"disco"_s)->typeId(), QMetaType::QString); // stored as the text "1"
    m_ds.setRecordSource(Sentencias::discoYArchivo(u"NumerosPorAños"_s, u"id_boletin"_s, 1));
    QVERIFY(m_ds.Refresh());
    QCOMPARE(m_ds.Fields(u"disco"_s)->typeId(), QMetaType::LongLong);
    m_ds.setRecordSource(u"select autor from Autores where id_autor=9"_s);
    QVERIFY(m_ds.Refresh());
    QVERIFY(m_ds.Fields(u"autor"_s)->isNull());
}

void TstDataSource::autorDesordenadoYOrdenado()
{
    // 9 may come in any order, 10 in title order; both give the same articles.
    const QStringList sinOrden = filas(Sentencias::articulosDeAutor(1), {u"id_articulo"_s});
    const QStringList ordenadas =
        filas(Sentencias::articulosDeAutorPorTitulo(1), {u"id_articulo"_s});
    QCOMPARE(ordenadas, (QStringList{u"111"_s, u"101"_s, u"107"_s}));
    QStringList a = sinOrden;
    a.sort();
    QStringList b = ordenadas;
    b.sort();
    QCOMPARE(a, b);
}

void TstDataSource::discoYArchivo_data()
{
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QString>("columna");
    QTest::addColumn<int>("clave");
    QTest::addColumn<QStringList>("esperadas");
    QTest::newRow("issue on disc 1") << u"NumerosPorAños"_s << u"id_boletin"_s << 1
                                     << QStringList{u"1|1950_01"_s};
    QTest::newRow("article, text disc") << u"AutoresArticulos"_s << u"id_articulo"_s << 108
                                        << QStringList{u"1|1950_02"_s};
    QTest::newRow("article on disc 2") << u"AutoresArticulos"_s << u"id_articulo"_s << 104
                                       << QStringList{u"2|1985_07"_s};
    QTest::newRow("issue without disc row") << u"NumerosPorAños"_s << u"id_boletin"_s << 7
                                            << QStringList{};
    QTest::newRow("key 0") << u"AutoresArticulos"_s << u"id_articulo"_s << 0 << QStringList{};
}

void TstDataSource::discoYArchivo()
{
    QFETCH(QString, tabla);
    QFETCH(QString, columna);
    QFETCH(int, clave);
    QFETCH(QStringList, esperadas);
    QCOMPARE(filas(Sentencias::discoYArchivo(tabla, columna, clave),
                   {u"disco"_s, u"loc_añoNumero"_s}),
             esperadas);
}

void TstDataSource::errores_data()
{
    QTest::addColumn<QByteArray>("contenido");
    QTest::addColumn<bool>("carpeta");
    QTest::addColumn<QString>("motivo");
    QTest::newRow("missing") << QByteArray() << false << u"no existe"_s;
    QTest::newRow("directory") << QByteArray() << true << u"carpeta"_s;
    QTest::newRow("empty file") << QByteArray("") << false << u"no es un catálogo"_s;
    QTest::newRow("text file") << QByteArray("hola, esto no es un catálogo\n") << false
                               << u"no es un catálogo"_s;
    QByteArray sqlite("SQLite format 3\0", 16);
    sqlite.append(QByteArray(200, '\xff'));
    QTest::newRow("damaged sqlite") << sqlite << false << u"catálogo"_s;
}

void TstDataSource::errores()
{
    QFETCH(QByteArray, contenido);
    QFETCH(bool, carpeta);
    QFETCH(QString, motivo);
    QTemporaryDir dir;
    const QString ruta = dir.filePath(u"roto.mdb"_s);
    if (carpeta)
        QVERIFY(QDir().mkdir(ruta));
    else if (!contenido.isNull()) {
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenido);
    }
    DataSource ds;
    ds.setDatabaseName(ruta);
    ds.setRecordSource(Sentencias::gruposMaterias());
    const Resultado<> r = ds.Refresh();
    QVERIFY(!r);
    QVERIFY(ds.isEOF());
    QVERIFY2(r.error().contains(ruta), qPrintable(r.error()));
    QVERIFY2(r.error().contains(motivo), qPrintable(r.error()));
}

void TstDataSource::errorDeColumna()
{
    m_ds.setRecordSource(u"select des_grupo from GruposMaterias"_s);
    QVERIFY(m_ds.Refresh());
    const Resultado<QVariant> campo = m_ds.Fields(u"no_existe"_s);
    QVERIFY(!campo);
    QVERIFY(campo.error().contains(u"no_existe"_s));
    m_ds.setRecordSource(u"select nada from NingunaTabla"_s);
    const Resultado<> r = m_ds.Refresh();
    QVERIFY(!r);
    QVERIFY(r.error().contains(u"NingunaTabla"_s));
}

void TstDataSource::consultaQueEscribeRechazada()
{
    m_ds.setRecordSource(u"delete from Autores"_s);
    QVERIFY(!m_ds.Refresh());
    QCOMPARE(filas(u"select count(*) as n from Autores"_s, {u"n"_s}), QStringList{u"10"_s});
}

void TstDataSource::ajenoSoloSeLeePropioNoSeCopia()
{
    // The own catalogue is read in place; the others are copied, and their
    // folders stay byte for byte as they were (no journal, no lock file).
    for (qsizetype i = 0; i < m_rutas.size(); ++i) {
        const QString carpeta = QFileInfo(m_rutas.at(i)).path();
        const QByteArray antes = huellaCarpeta(carpeta);
        Catalogo::olvidarTodos();
        const auto catalogo = Catalogo::abrir(m_rutas.at(i));
        QVERIFY2(catalogo, qPrintable(catalogo.error()));
        QCOMPARE(QString::fromUtf8(sqlite3_db_filename((*catalogo)->conexion(), "main")).isEmpty(),
                 i > 0);
        m_ds.setDatabaseName(m_rutas.at(i));
        QCOMPARE(filas(Sentencias::todosLosAutores(), {u"id_autor"_s}).size(), 10);
        QCOMPARE(huellaCarpeta(carpeta), antes);
    }
}

QTEST_GUILESS_MAIN(TstDataSource)
#include "tst_datasource.moc"
