// SPDX-License-Identifier: GPL-3.0-or-later
#include "Catalogo.h"
#include "DataSource.h"
#include "JetAjustes.h"
#include "Sentencias.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <cerrno>
#include <sys/wait.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QString jet(const QString &nombre)
{
    return QStringLiteral(BOLETIN_FIXTURES "/jet/") + nombre;
}

const QStringList fixtures{u"boletin_jet4.mdb"_s, u"jet3_codes.mdb"_s, u"jet3_project.mdb"_s,
                           u"jet4_project.mdb"_s, u"jet4_unicode.mdb"_s};

QByteArray contenido(const QString &nombre)
{
    QFile f(jet(nombre));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every user table with every value, so that two imports can be compared.
QByteArray huella(sqlite3 *db)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    QStringList tablas;
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db,
                       "select name from sqlite_schema where type='table' and name not like "
                       "'sqlite%' order by name",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        tablas << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    for (const QString &tabla : tablas) {
        h.addData(tabla.toUtf8());
        const QByteArray sql = "select * from \"" + tabla.toUtf8() + '"';
        sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const char tipo = char('0' + sqlite3_column_type(st, i));
                const auto *p = static_cast<const char *>(sqlite3_column_blob(st, i));
                h.addData(QByteArrayView(&tipo, 1));
                h.addData(QByteArrayView(p, sqlite3_column_bytes(st, i)));
            }
        }
        sqlite3_finalize(st);
    }
    return h.result();
}

int descriptoresAbiertos()
{
    return int(QDir(u"/proc/self/fd"_s).entryList(QDir::Files | QDir::System).size());
}

// What a failed import may say: damage found, or no answer in time.
const QRegularExpression
    motivoDeFallo(u"No se puede abrir el catálogo «.*»: (el archivo está dañado \\(.+\\)"
                  "|la lectura del archivo no terminó en [0-9,]+ segundos?)\\.$"_s);

} // namespace

class TstJetImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void tablas_data();
    void tablas();
    void valores_data();
    void valores();
    void textoUnicodeCompleto();
    void nuloYVacio_data();
    void nuloYVacio();
    void sentencias_data();
    void sentencias();
    void autorSinOrdenYOrdenado();
    void camposSinDistinguirMayusculas();
    void danados_data();
    void danados();
    void bitsCambiados();
    void contencion_data();
    void contencion();
    void lectorAusenteOColgado_data();
    void lectorAusenteOColgado();

private:
    // Runs a statement on a catalogue and returns each row's chosen columns joined by '|'.
    QStringList filas(const QString &ruta, const QString &sentencia, const QStringList &columnas);
    QString copia(const QString &nombre, const QByteArray &bytes);

    QTemporaryDir m_dir;
    // The fixtures stay open, so that every query reuses one import of each.
    std::vector<std::shared_ptr<Catalogo>> m_abiertos;
    int m_descriptores = 0;
};

void TstJetImport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // libmdb's complaints about the damaged files would bury the test log.
    QLoggingCategory::setFilterRules(u"boletin.jet.warning=false"_s);
    for (const QString &nombre : fixtures) {
        const auto abierto = Catalogo::abrir(jet(nombre));
        QVERIFY2(abierto, qPrintable(abierto.error()));
        m_abiertos.push_back(*abierto);
    }
}

void TstJetImport::init()
{
    m_descriptores = descriptoresAbiertos();
}

void TstJetImport::cleanup()
{
    JetImport::setSimulacion(JetImport::Simulacion::Ninguna);
    JetImport::setLimite(JetImport::limitePorDefecto);
    // Every reading process has been waited for, and every pipe closed.
    errno = 0;
    QCOMPARE(waitpid(-1, nullptr, WNOHANG), -1);
    QCOMPARE(errno, ECHILD);
    QCOMPARE(descriptoresAbiertos(), m_descriptores);
}

QStringList TstJetImport::filas(const QString &ruta, const QString &sentencia,
                                const QStringList &columnas)
{
    DataSource ds;
    ds.setDatabaseName(ruta);
    ds.setRecordSource(sentencia);
    if (const Resultado<> r = ds.Refresh(); !r)
        return {u"ERROR: "_s + r.error()};
    QStringList resultado;
    while (!ds.isEOF()) {
        QStringList celdas;
        for (const QString &c : columnas) {
            const auto v = ds.Fields(c);
            celdas << (!v ? u"?"_s : v->isNull() ? u"NULL"_s : v->toString());
        }
        resultado << celdas.join(u'|');
        (void)ds.MoveNext();
    }
    return resultado;
}

QString TstJetImport::copia(const QString &nombre, const QByteArray &bytes)
{
    const QString ruta = m_dir.filePath(nombre);
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return {};
    return ruta;
}

void TstJetImport::tablas_data()
{
    QTest::addColumn<QString>("archivo");
    QTest::addColumn<QStringList>("esperadas"); // "table=rows", every table, nothing more

    QTest::newRow("boletin_jet4") << u"boletin_jet4.mdb"_s
                                  << QStringList{u"Autores=5"_s,
                                                 u"AutoresArticulos=8"_s,
                                                 u"GruposMaterias=3"_s,
                                                 u"Materias=5"_s,
                                                 u"NumerosPorAños=4"_s,
                                                 u"RelacionAutorArticulo=8"_s,
                                                 u"RelacionBoletinDisco=4"_s,
                                                 u"articulo_materia=6"_s};
    QStringList codigos;
    const QList<std::pair<QString, int>> bases{
        {u"Table1"_s, 275}, {u"Table2"_s, 9},   {u"Table3"_s, 11},   {u"Table4"_s, 20},
        {u"Table5"_s, 20},  {u"Table6"_s, 23},  {u"Table8"_s, 20},   {u"Table9"_s, 11},
        {u"Table10"_s, 5},  {u"Table13"_s, 20}, {u"Table14"_s, 256}, {u"Table15"_s, 52}};
    for (const auto &[tabla, n] : bases)
        codigos << u"%1=%2"_s.arg(tabla).arg(n) << u"%1_desc=%2"_s.arg(tabla).arg(n);
    codigos << u"Table11=52"_s;
    for (const QString &sufijo : {u""_s, u"_asc_desc"_s, u"_desc_asc"_s, u"_desc_desc"_s})
        codigos << u"Table12%1=10"_s.arg(sufijo);
    QCOMPARE(codigos.size(), 29);
    QTest::newRow("jet3_codes") << u"jet3_codes.mdb"_s << codigos;
    QTest::newRow("jet3_project") << u"jet3_project.mdb"_s << QStringList{u"MSP_PROJECTS=1"_s};
    QTest::newRow("jet4_project") << u"jet4_project.mdb"_s << QStringList{u"MSP_PROJECTS=1"_s};
    // Without the hidden attachment table and the MSysNavPane* tables.
    QTest::newRow("jet4_unicode") << u"jet4_unicode.mdb"_s << QStringList{u"Table=8"_s};
}

void TstJetImport::tablas()
{
    QFETCH(QString, archivo);
    QFETCH(QStringList, esperadas);
    const QString ruta = jet(archivo);
    const QStringList nombres =
        filas(ruta,
              u"select name from sqlite_schema where type='table' and name not like "
              "'sqlite%'"_s,
              {u"name"_s});
    QStringList encontradas;
    for (const QString &tabla : nombres) {
        const QStringList n =
            filas(ruta, u"select count(*) as n from \"%1\""_s.arg(tabla), {u"n"_s});
        encontradas << tabla + u'=' + n.value(0);
    }
    encontradas.sort();
    esperadas.sort();
    QCOMPARE(encontradas, esperadas);
}

void TstJetImport::valores_data()
{
    QTest::addColumn<QString>("archivo");
    QTest::addColumn<QString>("sentencia"); // one row, one column named v
    QTest::addColumn<QString>("esperado");

    const QString codigos = u"jet3_codes.mdb"_s;
    auto fila = [&](const char *nombre, const QString &archivo, const QString &sentencia,
                    const QString &esperado) {
        QTest::newRow(nombre) << archivo << sentencia << esperado;
    };
    auto dato = [&](const char *nombre, const QString &tabla, const QString &clave,
                    const QString &esperado) {
        fila(nombre, codigos, u"select data as v from %1 where name='%2'"_s.arg(tabla, clave),
             esperado);
    };
    // CP1252 text of a Jet 3 file.
    dato("cp1252 ñ", u"Table14"_s, u"row241"_s, u"aña"_s);
    dato("cp1252 Ñ", u"Table14"_s, u"row209"_s, u"aÑa"_s);
    dato("cp1252 é", u"Table14"_s, u"row233"_s, u"aéa"_s);
    dato("cp1252 euro", u"Table14"_s, u"row128"_s, u"a€a"_s);
    dato("cp1252 ƒ, not latin-1", u"Table14"_s, u"row131"_s, u"aƒa"_s);
    dato("cp1252 undefined 129", u"Table14"_s, u"row129"_s, u"a?a"_s);
    dato("cp1252 undefined 157", u"Table14"_s, u"row157"_s, u"a?a"_s);
    dato("Table1 ñ", u"Table1"_s, u"row241"_s, u"AAñAA"_s);
    dato("Table1 Ñ", u"Table1"_s, u"row209"_s, u"AAÑAA"_s);
    dato("Table1 a", u"Table1"_s, u"row97"_s, u"AAaAA"_s);
    dato("Table1 newline", u"Table1"_s, u"row10"_s, u"AA\nAA"_s);
    auto t11 = [&](const char *nombre, int id, const QString &esperado) {
        fila(nombre, codigos, u"select data as v from Table11 where id=%1"_s.arg(id), esperado);
    };
    t11("Table11 1", 1, u"a"_s);
    t11("Table11 36", 36, u"abcdefghijklmnopqrstuvwxyz"_s);
    t11("Table11 no-break space", 40, u"a\u00A0a"_s);
    t11("Table11 tab", 41, u"a\ta"_s);
    t11("Table11 newline", 42, u"a\na"_s);
    t11("Table11 ä", 48, u"aäa"_s);
    t11("Table11 Ó", 49, u"aÓa"_s);
    t11("Table11 ƒ", 50, u"aƒa"_s);
    t11("Table11 mixed", 52, u"aäaaÓaaƒaaäaaÛa"_s);
    t11("Table11 stored ?", 44, u"a?a"_s);
    // Numbers stay numbers, NULL stays NULL.
    dato("long 1", u"Table2"_s, u"row1"_s, u"3245"_s);
    dato("long 2", u"Table2"_s, u"row2"_s, u"309840983"_s);
    dato("long negative", u"Table2"_s, u"row6"_s, u"-349809345"_s);
    dato("long null", u"Table2"_s, u"row5"_s, u"NULL"_s);
    fila("long type", codigos, u"select typeof(data) as v from Table2 where name='row1'"_s,
         u"integer"_s);
    fila("long nulls", codigos, u"select count(*) as v from Table2 where data is null"_s, u"1"_s);
    auto t12 = [&](const char *nombre, const QString &clave, const QString &esperado) {
        fila(nombre, codigos,
             u"select coalesce(data1,'NULL')||'|'||coalesce(data2,'NULL') as v from Table12 "
             "where name='%1'"_s.arg(clave),
             esperado);
    };
    t12("Table12 row0", u"row0"_s, u"stuff|13"_s);
    t12("Table12 row1", u"row1"_s, u"NULL|49"_s);
    t12("Table12 row2", u"row2"_s, u"more|NULL"_s);
    t12("Table12 row5", u"row5"_s, u"NULL|NULL"_s);
    t12("Table12 row6", u"row6"_s, u"lots of stuff|9087"_s);
    dato("date 1899-12-30", u"Table6"_s, u"row0"_s, u"1899-12-30 00:00:00"_s);
    dato("date 1908", u"Table6"_s, u"row1"_s, u"1908-11-18 00:00:00"_s);
    dato("date and time", u"Table6"_s, u"row20"_s, u"2007-03-03 15:13:00"_s);
    dato("date 1999", u"Table6"_s, u"row22"_s, u"1999-11-11 00:00:00"_s);
    fila("date nulls", codigos,
         u"select group_concat(name) as v from (select name from Table6 where data is null "
         "order by cast(substr(name, 4) as integer))"_s,
         u"row2,row5,row6,row12,row15,row16,row17"_s);
    fila("dates before 1899-12-30 are whole dates", codigos,
         u"select count(*) as v from Table6 where name in ('row3','row4','row8','row14','row19') "
         "and data < '1899-12-30' and data glob "
         "'[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]'"_s,
         u"5"_s);
    dato("currency", u"Table8"_s, u"row1"_s, u"3245"_s);
    fila("currency type", codigos, u"select typeof(data) as v from Table8 where name='row1'"_s,
         u"real"_s);
    fila("double type", codigos,
         u"select group_concat(distinct typeof(data)) as v from Table4 where data is not null"_s,
         u"real"_s);
    fila("single type", codigos,
         u"select group_concat(distinct typeof(data)) as v from Table5 where data is not null"_s,
         u"real"_s);
    dato("byte 127", u"Table9"_s, u"row1"_s, u"127"_s);
    dato("byte 128, unsigned", u"Table9"_s, u"row10"_s, u"128"_s);
    dato("boolean false", u"Table10"_s, u"row0"_s, u"0"_s);
    dato("boolean true", u"Table10"_s, u"row1"_s, u"1"_s);
    fila("boolean never null", codigos, u"select count(*) as v from Table10 where data is null"_s,
         u"0"_s);
    dato("guid", u"Table13"_s, u"row0"_s, u"{8E39276A-BCA8-4AC4-891E49911D8438DD}"_s);

    for (const QString &archivo : {u"jet3_project.mdb"_s, u"jet4_project.mdb"_s}) {
        auto proyecto = [&](const char *nombre, const QString &expresion, const QString &esperado) {
            QTest::addRow("%s %s", qPrintable(archivo.left(4)), nombre)
                << archivo << u"select %1 as v from MSP_PROJECTS"_s.arg(expresion) << esperado;
        };
        proyecto("id", u"PROJ_ID"_s, u"1"_s);
        proyecto("name", u"PROJ_NAME"_s, u"Project1"_s);
        proyecto("title", u"PROJ_PROP_TITLE"_s, u"Project1"_s);
        proyecto("calendar", u"PROJ_INFO_CAL_NAME"_s, u"Standard"_s);
        proyecto("memo whole", u"length(PROJ_PROP_AUTHOR)"_s, u"348"_s);
        proyecto("memo start", u"substr(PROJ_PROP_AUTHOR, 1, 40)"_s,
                 u"Jon Iles this is a a vawesrasoih aksdkl "_s);
        proyecto("pound sign", u"PROJ_OPT_CURRENCY_SYMBOL"_s, u"£"_s);
        proyecto("minutes per day", u"PROJ_OPT_MINUTES_PER_DAY"_s, u"480"_s);
        proyecto("minutes per week", u"PROJ_OPT_MINUTES_PER_WEEK"_s, u"2400"_s);
        proyecto("days per month", u"PROJ_OPT_DAYS_PER_MONTH"_s, u"20"_s);
        proyecto("start date", u"PROJ_INFO_START_DATE"_s, u"2006-02-03 08:00:00"_s);
        proyecto("creation date", u"PROJ_CREATION_DATE"_s, u"2006-02-03 22:11:00"_s);
        proyecto("path", u"PROJ_DATA_SOURCE"_s, u"Z:\\temp\\Project1.mpd"_s);
        proyecto("nulls",
                 u"(PROJ_PROP_CATEGORY is null) + (PROJ_PROP_KEYWORDS is null) + "
                 "(PROJ_PROP_MANAGER is null) + (PROJ_INFO_STATUS_DATE is null) + "
                 "(PROJ_TYPE is null) + (PROJ_CHECKEDOUTBY is null)"_s,
                 u"6"_s);
        proyecto("ole type", u"typeof(RESERVED_BINARY_DATA)"_s, u"blob"_s);
        // The value's own header says 22970 bytes, and mdb-export -b hex gives as many.
        proyecto("ole size", u"length(RESERVED_BINARY_DATA)"_s, u"22970"_s);
        proyecto("ole content",
                 u"instr(RESERVED_BINARY_DATA, cast('Word.Document.8' as blob)) > 0"_s, u"1"_s);
    }

    const QString unicode = u"jet4_unicode.mdb"_s;
    auto texto = [&](const char *nombre, int id, const QString &esperado) {
        fila(nombre, unicode, u"select Unicode as v from \"Table\" where ID=%1"_s.arg(id),
             esperado);
    };
    texto("ascii", 1, u"only ascii chars"_s);
    texto("finnish", 2, u"ääkkösiä"_s);
    texto("cyrillic", 3, u"Мир"_s);
    // The file has the oxia forms (U+1F79, U+1F7B), not their NFC equivalents.
    texto("greek", 4, u"ϰαὶ τ\u1F79τ' ἐγὼ Κ\u1F7Bϰλωπα"_s);
    texto("japanese", 5, u"漢字仮名交じり文"_s);
    texto("control characters", 6,
          u"3L9\x1d"
          "52\x02_AB(¥\x05!!V"_s);
    texto("ümlaut", 7, u"ümlaut"_s);

    // Names are stored as written and matched whatever the case of their ASCII letters.
    const QString boletin = u"boletin_jet4.mdb"_s;
    fila("table name with ñ", boletin,
         u"select name as v from sqlite_schema where name like 'numeros%'"_s, u"NumerosPorAños"_s);
    fila("column names with ñ", boletin,
         u"select group_concat(name) as v from pragma_table_info('NumerosPorAños')"_s,
         u"id_boletin,des_añoNumero,orden_AñoNumero"_s);
    fila("names in other case", boletin, u"select max(ORDEN_AñONUMERO) as v from numerosporaños"_s,
         u"200012"_s);
    fila("orden_Añonumero", boletin,
         u"select orden_Añonumero as v from NumerosPorAños where id_boletin=3"_s, u"198507"_s);
    fila("text columns use the collation", boletin,
         u"select count(*) as v from Autores where autor = 'MARTÍNEZ RUIZ, ANA'"_s, u"1"_s);
    fila("keys are integers", boletin,
         u"select group_concat(distinct typeof(id_articulo)) as v from AutoresArticulos"_s,
         u"integer"_s);
    fila("indexes built", boletin,
         u"select count(*) as v from sqlite_schema where type='index' and name like 'ix_%'"_s,
         u"10"_s);
    fila("lower-case column name", codigos, u"select DATA as v from table14 where NAME='row241'"_s,
         u"aña"_s);
}

void TstJetImport::valores()
{
    QFETCH(QString, archivo);
    QFETCH(QString, sentencia);
    QFETCH(QString, esperado);
    QCOMPARE(filas(jet(archivo), sentencia, {u"v"_s}), QStringList{esperado});
}

void TstJetImport::textoUnicodeCompleto()
{
    QString todos;
    for (char16_t c = 1; c <= 0xFF; ++c)
        todos += QChar(c);
    QCOMPARE(filas(jet(u"jet4_unicode.mdb"_s), u"select Unicode from \"Table\" where ID=8"_s,
                   {u"Unicode"_s}),
             QStringList{todos});
}

void TstJetImport::nuloYVacio_data()
{
    QTest::addColumn<bool>("nulo");
    QTest::newRow("empty text") << false;
    QTest::newRow("null") << true;
}

void TstJetImport::nuloYVacio()
{
    // No fixture holds an empty text, so one is made: in the Jet 4 row of
    // GruposMaterias 3, "Historia" (FF FE and 8 bytes of compressed Unicode) is
    // followed by the end of the row's variable data, the start of des_grupo, the
    // count of variable columns and the null mask.
    QFETCH(bool, nulo);
    QByteArray bytes = contenido(u"boletin_jet4.mdb"_s);
    const qsizetype p = bytes.indexOf(QByteArrayView("\xff\xfeHistoria")) + 10;
    QVERIFY(p > 10);
    auto le16 = [&](qsizetype i) { return quint8(bytes[i]) | quint8(bytes[i + 1]) << 8; };
    QCOMPARE(le16(p) - le16(p + 2), 10);
    QCOMPARE(le16(p + 4), 1);
    QCOMPARE(int(bytes[p + 6]), 0x03);
    if (nulo) {
        bytes[p + 6] = 0x01; // des_grupo's bit of the mask cleared
    } else {                 // the variable data ends where des_grupo starts
        bytes[p] = bytes[p + 2];
        bytes[p + 1] = bytes[p + 3];
    }
    const QString ruta = copia(u"vacio.mdb"_s, bytes);
    QCOMPARE(filas(ruta, Sentencias::gruposMaterias(), {u"des_grupo"_s}),
             (QStringList{u"Ingeniería civil"_s, u"Economía del transporte"_s,
                          nulo ? u"NULL"_s : QString()}));
    QCOMPARE(
        filas(ruta, u"select count(*) as n from GruposMaterias where des_grupo = ''"_s, {u"n"_s}),
        QStringList{nulo ? u"0"_s : u"1"_s});
}

void TstJetImport::sentencias_data()
{
    QTest::addColumn<QString>("sentencia");
    QTest::addColumn<QStringList>("columnas");
    QTest::addColumn<QStringList>("esperadas");

    const QStringList grupos{u"1|Ingeniería civil"_s, u"2|Economía del transporte"_s,
                             u"3|Historia"_s};
    QTest::newRow("1") << Sentencias::gruposMaterias() << QStringList{u"id_grupo"_s, u"des_grupo"_s}
                       << grupos;
    QTest::newRow("1 bare table name")
        << Sentencias::tablaGruposMaterias << QStringList{u"ID_GRUPO"_s, u"Des_Grupo"_s} << grupos;
    QTest::newRow("2 sorted, ñ after n")
        << Sentencias::materiasDeGrupo(u"Ingeniería civil"_s)
        << QStringList{u"des_materia"_s, u"id_materia"_s}
        << QStringList{u"Puentes|10"_s, u"Señalización|12"_s, u"Túneles|11"_s};
    QTest::newRow("2 case ignored")
        << Sentencias::materiasDeGrupo(u"INGENIERÍA CIVIL"_s) << QStringList{u"id_materia"_s}
        << QStringList{u"10"_s, u"12"_s, u"11"_s};
    QTest::newRow("2 accents count") << Sentencias::materiasDeGrupo(u"Ingenieria civil"_s)
                                     << QStringList{u"id_materia"_s} << QStringList{};
    QTest::newRow("2 group without subjects") << Sentencias::materiasDeGrupo(u"Historia"_s)
                                              << QStringList{u"id_materia"_s} << QStringList{};
    QTest::newRow("3") << Sentencias::articulosDeMateria(10)
                       << QStringList{u"id_articulo"_s, u"des_añoNumero"_s}
                       << QStringList{u"101|Año 1950 - Nº 1"_s, u"107|Año 2000 - Nº 12"_s};
    QTest::newRow("3 two subjects, one article")
        << Sentencias::articulosDeMateria(21) << QStringList{u"des_articulo"_s}
        << QStringList{u"Tarifas y financiación del transporte urbano"_s};
    QTest::newRow("3 key 0") << Sentencias::articulosDeMateria(0) << QStringList{u"id_articulo"_s}
                             << QStringList{};
    QTest::newRow("4 chronological")
        << Sentencias::numerosEnOrden() << QStringList{u"id_boletin"_s, u"des_añoNumero"_s}
        << QStringList{u"1|Año 1950 - Nº 1"_s, u"2|Año 1950 - Nº 2"_s, u"3|Año 1985 - Nº 7"_s,
                       u"4|Año 2000 - Nº 12"_s};
    QTest::newRow("5 exact title, case ignored")
        << Sentencias::articulosConTitulo(u"historia del boletín"_s)
        << QStringList{u"id_articulo"_s, u"des_añoNumero"_s}
        << QStringList{u"108|Año 1950 - Nº 2"_s};
    QTest::newRow("5 apostrophe") << Sentencias::articulosConTitulo(
        u"L'Eixample: trazado y circulación"_s)
                                  << QStringList{u"id_articulo"_s} << QStringList{u"106"_s};
    QTest::newRow("5 part of a title") << Sentencias::articulosConTitulo(u"Historia"_s)
                                       << QStringList{u"id_articulo"_s} << QStringList{};
    QTest::newRow("6 every article by title")
        << Sentencias::todosLosArticulos() << QStringList{u"id_articulo"_s}
        << QStringList{u"104"_s, u"101"_s, u"108"_s, u"106"_s,
                       u"103"_s, u"107"_s, u"105"_s, u"102"_s};
    QTest::newRow("7 by name") << Sentencias::todosLosAutores()
                               << QStringList{u"id_autor"_s, u"autor"_s}
                               << QStringList{u"3|García Pérez, Luis"_s, u"1|Martínez Ruiz, Ana"_s,
                                              u"2|Núñez Gómez, José"_s, u"4|O'Donnell, Patricio"_s,
                                              u"5|Sánchez Ibáñez, María"_s};
    QTest::newRow("8 apostrophe") << Sentencias::autorConNombre(u"O'Donnell, Patricio"_s)
                                  << QStringList{u"autor"_s, u"id_autor"_s}
                                  << QStringList{u"O'Donnell, Patricio|4"_s};
    QTest::newRow("8 case ignored") << Sentencias::autorConNombre(u"núñez gómez, josé"_s)
                                    << QStringList{u"id_autor"_s} << QStringList{u"2"_s};
    QTest::newRow("8 unknown") << Sentencias::autorConNombre(u"Nadie"_s)
                               << QStringList{u"id_autor"_s} << QStringList{};
    QTest::newRow("10 by title") << Sentencias::articulosDeAutorPorTitulo(2)
                                 << QStringList{u"id_articulo"_s, u"des_añoNumero"_s}
                                 << QStringList{u"108|Año 1950 - Nº 2"_s, u"102|Año 1950 - Nº 1"_s};
    QTest::newRow("10 author 1") << Sentencias::articulosDeAutorPorTitulo(1)
                                 << QStringList{u"des_articulo"_s}
                                 << QStringList{u"El puente de hierro sobre el Ebro"_s,
                                                u"Puentes colgantes: cálculo y práctica"_s};
    QTest::newRow("11 issue") << Sentencias::discoYArchivo(u"NumerosPorAños"_s, u"id_boletin"_s, 3)
                              << QStringList{u"disco"_s, u"loc_añoNumero"_s}
                              << QStringList{u"2|1985_07"_s};
    QTest::newRow("12 article") << Sentencias::discoYArchivo(u"AutoresArticulos"_s,
                                                             u"id_articulo"_s, 108)
                                << QStringList{u"disco"_s, u"loc_añoNumero"_s}
                                << QStringList{u"1|1950_02"_s};
    QTest::newRow("12 key 0") << Sentencias::discoYArchivo(u"AutoresArticulos"_s, u"id_articulo"_s,
                                                           0)
                              << QStringList{u"disco"_s} << QStringList{};
}

void TstJetImport::sentencias()
{
    QFETCH(QString, sentencia);
    QFETCH(QStringList, columnas);
    QFETCH(QStringList, esperadas);
    QCOMPARE(filas(jet(u"boletin_jet4.mdb"_s), sentencia, columnas), esperadas);
}

void TstJetImport::autorSinOrdenYOrdenado()
{
    // 9 may come in any order, 10 in title order; both give the same articles.
    const QString ruta = jet(u"boletin_jet4.mdb"_s);
    QStringList sinOrden = filas(ruta, Sentencias::articulosDeAutor(2), {u"id_articulo"_s});
    const QStringList ordenadas =
        filas(ruta, Sentencias::articulosDeAutorPorTitulo(2), {u"id_articulo"_s});
    QCOMPARE(ordenadas, (QStringList{u"108"_s, u"102"_s}));
    sinOrden.sort();
    QCOMPARE(sinOrden, (QStringList{u"102"_s, u"108"_s}));
}

void TstJetImport::camposSinDistinguirMayusculas()
{
    DataSource ds;
    ds.setDatabaseName(jet(u"boletin_jet4.mdb"_s));
    ds.setRecordSource(u"select * from numerosporaños where id_boletin=4"_s);
    const Resultado<> hecho = ds.Refresh();
    QVERIFY2(hecho, qPrintable(hecho.error()));
    QCOMPARE(ds.Fields(u"ORDEN_AÑONUMERO"_s)->toLongLong(), 200012);
    QCOMPARE(ds.Fields(u"orden_Añonumero"_s)->toLongLong(), 200012);
    QCOMPARE(ds.Fields(u"DES_AÑONUMERO"_s)->toString(), u"Año 2000 - Nº 12"_s);
}

void TstJetImport::danados_data()
{
    QTest::addColumn<QString>("original");
    QTest::addColumn<QByteArray>("bytes");
    // A cut at a page boundary that takes only pages no table reads (free or
    // leftover pages, a system table's) leaves a readable catalogue: it may be
    // imported, but then whole. Any other cut must be refused.
    QTest::addColumn<bool>("debeFallar");

    for (const QString &nombre : fixtures) {
        const QByteArray entero = contenido(nombre);
        QVERIFY(!entero.isEmpty());
        const qsizetype pagina = entero.at(0x14) == 0 ? 2048 : 4096; // Jet 3 or Jet 4
        const qsizetype paginas = entero.size() / pagina;
        const QList<std::tuple<const char *, qsizetype, bool>> cortes{
            {"header only", 2048, true},
            {"first pages", pagina * 3, true},
            {"half, mid-page", entero.size() / 2 + 1000, true},
            {"one byte short", entero.size() - 1, true},
            {"half, whole pages", paginas / 2 * pagina, false},
            {"three quarters, whole pages", paginas * 3 / 4 * pagina, false},
            {"without the last page", entero.size() - pagina, false},
        };
        for (const auto &[corte, largo, debeFallar] : cortes)
            QTest::addRow("%s %s", qPrintable(nombre), corte)
                << nombre << entero.left(largo) << debeFallar;
    }
    QByteArray firma(4, '\0');
    firma[1] = 1;
    firma += "Standard Jet DB";
    QTest::newRow("signature only") << QString() << firma << true;
    QTest::newRow("signature and zeros")
        << QString() << firma + QByteArray(4096 - firma.size(), '\0') << true;
}

void TstJetImport::danados()
{
    QFETCH(QString, original);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, debeFallar);
    // Some cuts send libmdb round in circles: do not wait 30 s for each.
    JetImport::setLimite(2s);
    const QString ruta = copia(u"danado.mdb"_s, bytes);
    QVERIFY(!ruta.isEmpty());
    QCOMPARE(Catalogo::formatoDe(ruta), Catalogo::Formato::Jet);
    QElapsedTimer reloj;
    reloj.start();
    const auto catalogo = Catalogo::abrir(ruta);
    QVERIFY2(reloj.elapsed() < 4000, qPrintable(QString::number(reloj.elapsed())));
    if (catalogo) {
        QVERIFY2(!debeFallar, "a damaged file was imported");
        const auto entero = Catalogo::abrir(jet(original));
        QVERIFY(entero);
        QCOMPARE(huella((*catalogo)->conexion()), huella((*entero)->conexion()));
    } else {
        QVERIFY2(motivoDeFallo.match(catalogo.error()).hasMatch(), qPrintable(catalogo.error()));
    }
}

void TstJetImport::bitsCambiados()
{
    // Damage that keeps the file's length: flipped bits anywhere after the file's
    // signature. Each copy must end in a catalogue or an error, never a crash.
    JetImport::setLimite(2s);
    int fallidos = 0;
    int total = 0;
    for (const QString &nombre : fixtures) {
        const QByteArray original = contenido(nombre);
        for (quint32 semilla = 1; semilla <= 4; ++semilla) {
            QRandomGenerator azar(semilla);
            QByteArray bytes = original;
            for (int i = 0; i < 48; ++i) {
                const qsizetype pos = 0x20 + azar.bounded(bytes.size() - 0x20);
                bytes[pos] = char(bytes.at(pos) ^ (1 << azar.bounded(8)));
            }
            const QString ruta = copia(u"bits_%1_%2.mdb"_s.arg(total).arg(semilla), bytes);
            const auto catalogo = Catalogo::abrir(ruta);
            ++total;
            if (!catalogo) {
                ++fallidos;
                QVERIFY2(motivoDeFallo.match(catalogo.error()).hasMatch(),
                         qPrintable(catalogo.error()));
            }
        }
    }
    qInfo("%d of %d damaged copies refused", fallidos, total);
    QVERIFY(fallidos > 0);
}

void TstJetImport::contencion_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("motivo");
    QTest::newRow("hangs") << int(JetImport::Simulacion::Colgarse)
                           << u"la lectura del archivo no terminó en 1,5 segundos"_s;
    QTest::newRow("crashes") << int(JetImport::Simulacion::Estrellarse)
                             << u"el archivo está dañado (la lectura se interrumpió con la señal "
                                "11, SIGSEGV)"_s;
    QTest::newRow("exits with an error")
        << int(JetImport::Simulacion::SalirConError)
        << u"el archivo está dañado (la lectura terminó con el código 3)"_s;
    QTest::newRow("sends part of the database")
        << int(JetImport::Simulacion::CortarEnvio)
        << u"el archivo está dañado (la copia de las tablas llegó incompleta)"_s;
}

void TstJetImport::contencion()
{
    QFETCH(int, numero);
    QFETCH(QString, motivo);
    const auto simulacion = JetImport::Simulacion(numero);
    // A copy: a catalogue already open under the fixture's own path would be reused.
    const QString ruta = copia(u"contencion.mdb"_s, contenido(u"boletin_jet4.mdb"_s));
    JetImport::setLimite(1500ms);
    JetImport::setSimulacion(simulacion);
    QElapsedTimer reloj;
    reloj.start();
    const auto abierto = Catalogo::abrir(ruta);
    const qint64 ms = reloj.elapsed();
    QVERIFY(!abierto);
    QCOMPARE(abierto.error(), u"No se puede abrir el catálogo «%1»: %2."_s.arg(ruta, motivo));
    if (simulacion == JetImport::Simulacion::Colgarse)
        QVERIFY2(ms >= 1500 && ms < 3000, qPrintable(QString::number(ms)));
    else
        QVERIFY2(ms < 1500, qPrintable(QString::number(ms)));

    // The same file reads normally once the child behaves.
    JetImport::setSimulacion(JetImport::Simulacion::Ninguna);
    const auto otraVez = Catalogo::abrir(ruta);
    QVERIFY2(otraVez, qPrintable(otraVez.error()));
}

void TstJetImport::lectorAusenteOColgado_data()
{
    QTest::addColumn<QString>("lector"); // BOLETIN_JET; empty: the tests' build
    QTest::addColumn<int>("simulacion");
    QTest::addColumn<QString>("motivo"); // empty: given up on in time
    QTest::newRow("reader missing")
        << m_dir.filePath(u"no-existe/boletin-jet"_s) << int(JetImport::Simulacion::Ninguna)
        << u"no se encuentra el lector de archivos Jet «%1»"_s.arg(
               m_dir.filePath(u"no-existe/boletin-jet"_s));
    // With the limit left to the file's size, a small file that hangs the
    // reader is given up on in seconds, not half a minute.
    QTest::newRow("small file hangs")
        << QString() << int(JetImport::Simulacion::Colgarse) << QString();
    // Faults are the tests' build's only: the installed reader takes no such argument.
    QTest::newRow("installed reader refuses a simulation")
        << QStringLiteral(BOLETIN_BUILD_DIR "/app/boletin-jet")
        << int(JetImport::Simulacion::Colgarse)
        << u"el archivo está dañado (la lectura terminó con el código 2)"_s;
}

void TstJetImport::lectorAusenteOColgado()
{
    QFETCH(QString, lector);
    QFETCH(int, simulacion);
    QFETCH(QString, motivo);
    const QByteArray construido = qgetenv("BOLETIN_JET");
    if (!lector.isEmpty())
        qputenv("BOLETIN_JET", QFile::encodeName(lector));
    JetImport::setSimulacion(JetImport::Simulacion(simulacion));
    const QString ruta = copia(u"lector.mdb"_s, contenido(u"boletin_jet4.mdb"_s));
    QElapsedTimer reloj;
    reloj.start();
    const auto abierto = Catalogo::abrir(ruta);
    const qint64 ms = reloj.elapsed();
    qputenv("BOLETIN_JET", construido);
    QVERIFY(!abierto);
    const QString &error = abierto.error();
    if (!motivo.isEmpty()) {
        QCOMPARE(error, u"No se puede abrir el catálogo «%1»: %2."_s.arg(ruta, motivo));
        QVERIFY2(ms < 1000, qPrintable(QString::number(ms)));
    } else {
        QVERIFY2(motivoDeFallo.match(error).hasMatch(), qPrintable(error));
        QVERIFY2(error.contains(u"no terminó en"_s), qPrintable(error));
        QVERIFY2(ms >= 1000 && ms < 8000, qPrintable(QString::number(ms)));
    }
}

QTEST_GUILESS_MAIN(TstJetImport)
#include "tst_jetimport.moc"
