// SPDX-License-Identifier: GPL-3.0-or-later
// Each search button's decisions, as plain values: which list gets which
// lines, what they stand for, and whether a click on them opens anything.

#include "CatalogoPrueba.h"
#include "Consultas.h"
#include "DataSource.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using Busqueda = std::function<Resultado<Respuesta>(DataSource &)>;

Lineas lineas(const QList<std::pair<QString, qint32>> &filas)
{
    Lineas l;
    for (const auto &[texto, dato] : filas)
        l.anadir(texto, dato);
    return l;
}

} // namespace

char *toString(const Respuesta &r)
{
    const auto lista = [](const std::optional<Lineas> &l) {
        if (!l)
            return QByteArray("-");
        char *t = ::toString(*l);
        const QByteArray b(t);
        delete[] t;
        return b;
    };
    QByteArray t = "articulos " + lista(r.articulos) + " tipo "
                   + (r.tipo ? QByteArray::number(int(*r.tipo)) : "-") + " autores "
                   + lista(r.autores) + " materias " + lista(r.materias) + " flags "
                   + QByteArray::number(r.materiasElegibles) + QByteArray::number(r.conAutores)
                   + QByteArray::number(r.conMaterias) + QByteArray::number(r.hayResultados)
                   + QByteArray::number(r.cronologica);
    return qstrdup(t.constData());
}

Q_DECLARE_METATYPE(Busqueda)
Q_DECLARE_METATYPE(Respuesta)

class TstConsultas final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void respuesta_data();
    void respuesta();
    void fallaSinTocarNada();

private:
    QTemporaryDir m_dir;
    QString m_ruta;
};

void TstConsultas::initTestCase()
{
    m_ruta = m_dir.filePath(u"boletin.mdb"_s);
    QVERIFY(CatalogoPrueba::crear(m_ruta));
}

void TstConsultas::respuesta_data()
{
    QTest::addColumn<Busqueda>("busqueda");
    QTest::addColumn<Respuesta>("esperada");
    const auto titulo = [](const QString &t, bool elegidas = false) {
        return Busqueda([=](DataSource &ds) { return Consultas::porTitulo(ds, t, elegidas); });
    };
    const auto autor = [](const QString &t) {
        return Busqueda([=](DataSource &ds) { return Consultas::porAutor(ds, t, false); });
    };
    const auto materia = [](const QString &g) {
        return Busqueda([=](DataSource &ds) { return Consultas::porMateria(ds, g); });
    };

    Respuesta r;
    r.articulos = lineas({{u"Introducir texto"_s, 0}});
    QTest::newRow("título vacío") << titulo({}) << r;

    r = {};
    r.articulos = lineas({{u"La señalización luminosa. Año 1950 - Nº 2"_s, 103}});
    r.tipo = TipoLista::Articulos;
    r.hayResultados = true;
    QTest::newRow("título exacto") << titulo(u"La señalización luminosa"_s) << r;
    QTest::newRow("título exacto, materias a la vista")
        << titulo(u"La señalización luminosa"_s, true) << r;

    r = {};
    r.articulos = lineas({{u"No se han encontrado documentos"_s, 0}});
    QTest::newRow("título sin coincidencias: su tipo no cambia") << titulo(u"nino"_s) << r;

    r = {};
    r.articulos = lineas({{u"L'Eixample: trazado y circulación. Año 2000 - Nº 12"_s, 106}});
    r.tipo = TipoLista::Articulos;
    r.autores = Lineas();
    r.hayResultados = true;
    QTest::newRow("autor exacto: sus artículos") << autor(u"O'Donnell, Patricio"_s) << r;

    r = {};
    r.articulos = Lineas();
    r.autores = Lineas();
    QTest::newRow("autor exacto sin artículos") << autor(u"Pérez Sin Artículos, Juan"_s) << r;

    r = {};
    r.articulos = Lineas();
    r.autores = lineas({{u"García Pérez, Luis"_s, 3}, {u"García Pérez, Luis"_s, 6}});
    r.conAutores = true;
    r.hayResultados = true;
    QTest::newRow("autores por coincidencia") << autor(u"garcia"_s) << r;

    r.autores = lineas({{u"No se encuentra ningún autor con : zzz"_s, 0},
                        {QString(), 0},
                        {u"Hacer clic sobre esta linea para volver"_s, 0}});
    r.hayResultados = false;
    QTest::newRow("ningún autor: el aviso en su ventana") << autor(u"zzz"_s) << r;

    r = {};
    r.articulos = lineas({{u"Debe seleccionar una materia de la lista"_s, 0}});
    r.materias = Lineas();
    QTest::newRow("materia sin grupo") << materia({}) << r;

    r = {};
    r.articulos = Lineas();
    r.materias = lineas({{u"Carreteras"_s, 13}, {u"Puentes"_s, 10}, {u"Señalización"_s, 12},
                         {u"Túneles"_s, 11}});
    r.materiasElegibles = true;
    r.conMaterias = true;
    r.hayResultados = true;
    QTest::newRow("materias de un grupo") << materia(u"Ingeniería civil"_s) << r;
    r.materias = Lineas();
    QTest::newRow("grupo sin materias: se puede elegir después") << materia(u"Historia"_s) << r;
}

void TstConsultas::respuesta()
{
    QFETCH(Busqueda, busqueda);
    QFETCH(Respuesta, esperada);
    DataSource ds;
    ds.setDatabaseName(m_ruta);
    const Resultado<Respuesta> r = busqueda(ds);
    QVERIFY2(r.ok(), qPrintable(r.error()));
    QCOMPARE(*r, esperada);
}

// The chronological list, and a catalogue that cannot be read.
void TstConsultas::fallaSinTocarNada()
{
    DataSource ds;
    ds.setDatabaseName(m_ruta);
    const Resultado<Respuesta> cronologica = Consultas::cronologica(ds, false);
    QVERIFY(cronologica.ok());
    QVERIFY(cronologica->cronologica && cronologica->hayResultados);
    QCOMPARE(cronologica->tipo, TipoLista::Numeros);
    QVERIFY(cronologica->articulos && cronologica->articulos->size() > 1);

    ds.setDatabaseName(m_dir.filePath(u"no-existe.mdb"_s));
    for (const Resultado<Respuesta> &r :
         {Consultas::porTitulo(ds, u"puente"_s, false), Consultas::porAutor(ds, u"x"_s, false),
          Consultas::porMateria(ds, u"Historia"_s), Consultas::cronologica(ds, true)}) {
        QVERIFY(!r.ok());
        QVERIFY2(r.error().contains(u"no-existe.mdb"_s), qPrintable(r.error()));
    }
}

QTEST_MAIN(TstConsultas)
#include "tst_consultas.moc"
