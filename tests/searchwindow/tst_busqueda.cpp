// SPDX-License-Identifier: GPL-3.0-or-later
#include "BotonImagen.h"
#include "CatalogoPrueba.h"
#include "FormAutores.h"
#include "FormBusqueda.h"
#include "FormMaterias.h"
#include "FormPrincipal.h"
#include "ListaDatos.h"
#include "MensajesGrabados.h"
#include "Programa.h"
#include "Sentencias.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void procesarBorrados()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QList<qint32> datos(const ListaDatos &l)
{
    QList<qint32> d;
    for (int i = 0; i < l.ListCount(); ++i)
        d << l.ItemData(i);
    return d;
}

} // namespace

class TstBusqueda : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cargaApuntaAlCatalogo();
    void ventanas_data();
    void ventanas();
    void comenzarDosVeces();
    void titulo_data();
    void titulo();
    void autor_data();
    void autor();
    void eleccionDeAutor_data();
    void eleccionDeAutor();
    void eleccionConFlechas();
    void nuevaBusquedaDeAutorVaciaLaVentana();
    void materia_data();
    void materia();
    void materiaSinGrupoDejaAbiertaLaVentana();
    void eleccionDeMateria_data();
    void eleccionDeMateria();
    void eleccionTrasOtraBusqueda();
    void cronologico();
    void cronologicaSoloHastaLaSiguiente_data();
    void cronologicaSoloHastaLaSiguiente();
    void visualizarModos_data();
    void visualizarModos();
    void visualizarSinFilasConListaDeMaterias();
    void volverYReabrir_data();
    void volverYReabrir();
    void errorDelCatalogoSeMuestra();

private:
    FormBusqueda &busqueda() { return FormBusqueda::instancia(); }

    QTemporaryDir m_dir;
    MensajesGrabados *m_mensajes = nullptr;
};

void TstBusqueda::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(CatalogoPrueba::crear(m_dir.filePath(u"boletin.mdb"_s)));
    QDir(m_dir.path()).mkpath(u"disco/Imagenes"_s);
    QFile marcador(m_dir.filePath(u"disco/Imagenes/Tirvosk.dat"_s));
    QVERIFY(marcador.open(QIODevice::WriteOnly));
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(u"config"_s).toUtf8());
    Programa::setCarpetaInstalacion(m_dir.path());
    Programa::setLugares({m_dir.filePath(u"disco"_s)});
    FormPrincipal::terminar = [] {};
    FormBusqueda::registrar();
}

void TstBusqueda::init()
{
    m_mensajes = new MensajesGrabados;
    // As a reader gets there: the main window's start button.
    Instancia<FormPrincipal>::get().BotonComenzar_Click();
    busqueda().Materias->setCurrentIndex(-1);
}

void TstBusqueda::cleanup()
{
    Instancia<FormAutores>::Unload();
    Instancia<FormMaterias>::Unload();
    Instancia<VentanaBusqueda>::Unload();
    procesarBorrados();
    QVERIFY2(m_mensajes->textos.isEmpty(), qPrintable(m_mensajes->textos.join(u" / "_s)));
    delete m_mensajes;
}

void TstBusqueda::cargaApuntaAlCatalogo()
{
    const QString ruta = m_dir.path() + u"/boletin.mdb"_s;
    FormBusqueda &b = busqueda();
    QCOMPARE(b.catalogo(), ruta);
    QVERIFY(Instancia<FormAutores>::cargada());
    QVERIFY(Instancia<FormMaterias>::cargada());
    QVERIFY(!Instancia<FormAutores>::get().isVisible());
    QVERIFY(!Instancia<FormMaterias>::get().isVisible());
    QVERIFY(b.isVisible());
    QCOMPARE(b.Materias->count(), 4); // the catalogue's groups, listed by the main window's start
}

void TstBusqueda::ventanas_data()
{
    QTest::addColumn<QString>("ventana");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QSize>("tamano");
    QTest::addColumn<QStringList>("controles"); // in tab order
    QTest::addColumn<QList<QRect>>("lugares");
    QTest::addColumn<QStringList>("nombres");    // accessible names
    QTest::newRow("search window")
        << u"FormBusqueda"_s << u" Boletín de VELTRA (1990-2000)"_s << QSize(776, 559)
        << QStringList{u"BotonSalir"_s, u"BotonBusCron"_s, u"ListaArtic"_s, u"BotonAutor"_s,
                       u"TextAutor"_s, u"TextTitulo"_s, u"BotonTitulo"_s, u"Materias"_s,
                       u"BotonMateria"_s}
        << QList<QRect>{{712, 528, 49, 25}, {208, 176, 65, 25}, {16, 376, 745, 147},
                        {632, 176, 65, 25}, {376, 176, 225, 27}, {376, 288, 225, 27},
                        {632, 288, 65, 25}, {24, 288, 145, 24}, {208, 288, 65, 25}}
        << QStringList{u"Volver"_s, u"Consulta cronológica"_s, u"Artículos encontrados"_s,
                       u"Buscar por autor"_s, u"Autor"_s, u"Título"_s, u"Buscar por título"_s,
                       u"Grupo de materias"_s, u"Buscar por materia"_s};
    QTest::newRow("author picker")
        << u"FormAutores"_s << u" Autores"_s << QSize(538, 371)
        << QStringList{u"ListaAutores"_s} << QList<QRect>{{16, 56, 505, 260}}
        << QStringList{u"Autores encontrados"_s};
    QTest::newRow("subject picker")
        << u"FormMaterias"_s << u"Materias"_s << QSize(529, 353)
        << QStringList{u"ListaMaterias"_s} << QList<QRect>{{24, 48, 497, 276}}
        << QStringList{u"Materias"_s};
}

void TstBusqueda::ventanas()
{
    QFETCH(QString, ventana);
    QFETCH(QString, titulo);
    QFETCH(QSize, tamano);
    QFETCH(QStringList, controles);
    QFETCH(QList<QRect>, lugares);
    QFETCH(QStringList, nombres);
    QWidget *w = &busqueda();
    if (ventana == u"FormAutores"_s)
        w = &Instancia<FormAutores>::get();
    else if (ventana == u"FormMaterias"_s)
        w = &Instancia<FormMaterias>::get();
    QCOMPARE(w->objectName(), ventana);
    QCOMPARE(w->windowTitle(), titulo);
    QCOMPARE(w->size(), tamano);
    QVERIFY(!w->windowIcon().isNull());
    QWidget *anterior = nullptr;
    for (qsizetype i = 0; i < controles.size(); ++i) {
        auto *c = w->findChild<QWidget *>(controles[i]);
        QVERIFY2(c, qPrintable(controles[i]));
        QCOMPARE(c->geometry(), lugares[i]);
        QCOMPARE(c->accessibleName(), nombres[i]);
        if (anterior) {
            // The next tab stop among the window's own controls.
            QWidget *siguiente = anterior->nextInFocusChain();
            while (siguiente->parentWidget() != w || !(siguiente->focusPolicy() & Qt::TabFocus))
                siguiente = siguiente->nextInFocusChain();
            QCOMPARE(siguiente->objectName(), controles[i]);
        }
        anterior = c;
    }
}

void TstBusqueda::comenzarDosVeces()
{
    FormBusqueda *primera = &busqueda();
    primera->TextTitulo->setText(u"puente"_s);
    Instancia<FormPrincipal>::get().BotonComenzar_Click();
    QCOMPARE(&busqueda(), primera);
    QCOMPARE(primera->TextTitulo->text(), u"puente"_s);
    QStringList grupos;
    for (int i = 0; i < primera->Materias->count(); ++i)
        grupos << primera->Materias->itemText(i);
    QCOMPARE(grupos, (QStringList{u"Ingeniería civil"_s, u"Economía del transporte"_s,
                                  u"Historia"_s, u"Grupo d'Aragón"_s}));
}

void TstBusqueda::titulo_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("lineas");
    QTest::addColumn<QList<qint32>>("claves");
    QTest::addColumn<bool>("resultados");

    QTest::newRow("empty") << QString() << QStringList{u"Introducir texto"_s} << QList<qint32>{0}
                           << false;
    QTest::newRow("exact") << u"La señalización luminosa"_s
                           << QStringList{u"La señalización luminosa. Año 1950 - Nº 2"_s}
                           << QList<qint32>{103} << true;
    QTest::newRow("exact, shared by two")
        << u"historia del boletín"_s
        << QStringList{u"Historia del Boletín. Año 1950 - Nº 2"_s,
                       u"Historia del Boletín. Año 1960 - Nº 3"_s}
        << QList<qint32>{108, 109} << true;
    QTest::newRow("exact with apostrophe")
        << u"L'Eixample: trazado y circulación"_s
        << QStringList{u"L'Eixample: trazado y circulación. Año 2000 - Nº 12"_s}
        << QList<qint32>{106} << true;
    const QStringList arboles{u"Árbol de decisiones para el tráfico. Año 1985 - Nº 7"_s,
                              u"El arbol del puente y el puente del río. "_s};
    QTest::newRow("árbol") << u"árbol"_s << arboles << QList<qint32>{104, 110} << true;
    QTest::newRow("Arbol") << u"Arbol"_s << arboles << QList<qint32>{104, 110} << true;
    QTest::newRow("ARBOL") << u"ARBOL"_s << arboles << QList<qint32>{104, 110} << true;
    QTest::newRow("twice in a title, listed once")
        << u" PUENTE "_s
        << QStringList{u"El arbol del puente y el puente del río. "_s,
                       u"El puente de hierro sobre el Ebro. Año 1950 - Nº 1"_s,
                       u"Puentes colgantes: cálculo y práctica. Año 2000 - Nº 12"_s}
        << QList<qint32>{110, 101, 107} << true;
    QTest::newRow("nino is not niño") << u"nino"_s
                                      << QStringList{u"No se han encontrado documentos"_s}
                                      << QList<qint32>{0} << false;
    QTest::newRow("niño") << u"NIÑO"_s << QStringList{u"El niño y la vía. Año 1949 - Nº 9"_s}
                          << QList<qint32>{111} << true;
    // Two blanks: a title of exactly three blanks exists and the exact match would win.
    QTest::newRow("only spaces: every non-blank title")
        << u"  "_s
        << QStringList{u"Árbol de decisiones para el tráfico. Año 1985 - Nº 7"_s,
                       u"El arbol del puente y el puente del río. "_s,
                       u"El niño y la vía. Año 1949 - Nº 9"_s,
                       u"El puente de hierro sobre el Ebro. Año 1950 - Nº 1"_s,
                       u"Historia del Boletín. Año 1950 - Nº 2"_s,
                       u"Historia del Boletín. Año 1960 - Nº 3"_s,
                       u"L'Eixample: trazado y circulación. Año 2000 - Nº 12"_s,
                       u"La señalización luminosa. Año 1950 - Nº 2"_s,
                       u"Puentes colgantes: cálculo y práctica. Año 2000 - Nº 12"_s,
                       u"Tarifas y financiación del transporte urbano. Año 1985 - Nº 7"_s,
                       u"Túneles ferroviarios en los Pirineos. Año 1950 - Nº 1"_s}
        << QList<qint32>{104, 110, 111, 101, 108, 109, 106, 103, 107, 105, 102} << true;
    // Three blanks: the exact title, not the match lookup's every title.
    QTest::newRow("three blanks: the exact title")
        << u"   "_s << QStringList{u"   . Año 1950 - Nº 1"_s} << QList<qint32>{112} << true;
    QTest::newRow("quote and SQL in the text")
        << u"x') OR 1=1 --"_s << QStringList{u"No se han encontrado documentos"_s}
        << QList<qint32>{0} << false;
    QTest::newRow("wildcards are plain text") << u"%_*[]"_s
                                              << QStringList{u"No se han encontrado documentos"_s}
                                              << QList<qint32>{0} << false;
}

void TstBusqueda::titulo()
{
    QFETCH(QString, texto);
    QFETCH(QStringList, lineas);
    QFETCH(QList<qint32>, claves);
    QFETCH(bool, resultados);
    FormBusqueda &b = busqueda();
    programa().busquedaCronologica = true;
    programa().hayResultados = !resultados;
    b.TextTitulo->setText(texto);
    QTest::mouseClick(b.BotonTitulo, Qt::LeftButton);
    QCOMPARE(b.ListaArtic->textos(), lineas);
    QCOMPARE(datos(*b.ListaArtic), claves);
    QCOMPARE(programa().hayResultados, resultados);
    QVERIFY(!programa().busquedaCronologica);
    QCOMPARE(b.TextTitulo->text(), texto);
    if (resultados)
        QCOMPARE(b.ListaArtic->campoLista, TipoLista::Articulos);
}

void TstBusqueda::autor_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("articulos");   // ListaArtic, sorted for unordered results
    QTest::addColumn<QStringList>("autores");     // FormAutores' list, when it is shown
    QTest::addColumn<QList<qint32>>("idsAutores");
    QTest::addColumn<bool>("resultados");

    QTest::newRow("exact name") << u"Núñez Gómez, José"_s
                                << QStringList{u"Historia del Boletín. Año 1950 - Nº 2"_s,
                                               u"Túneles ferroviarios en los Pirineos. Año 1950 - Nº 1"_s}
                                << QStringList{} << QList<qint32>{} << true;
    QTest::newRow("two of one name: the first")
        << u"garcía pérez, luis"_s
        << QStringList{u"La señalización luminosa. Año 1950 - Nº 2"_s,
                       u"Árbol de decisiones para el tráfico. Año 1985 - Nº 7"_s}
        << QStringList{} << QList<qint32>{} << true;
    QTest::newRow("identifier above 32767")
        << u"Álvarez Grande, Ramón"_s
        << QStringList{u"El arbol del puente y el puente del río. "_s,
                       u"El puente de hierro sobre el Ebro. Año 1950 - Nº 1"_s}
        << QStringList{} << QList<qint32>{} << true;
    QTest::newRow("exact, no articles") << u"Pérez Sin Artículos, Juan"_s << QStringList{}
                                        << QStringList{} << QList<qint32>{} << false;
    QTest::newRow("exact with apostrophe")
        << u"O'Donnell, Patricio"_s
        << QStringList{u"L'Eixample: trazado y circulación. Año 2000 - Nº 12"_s} << QStringList{}
        << QList<qint32>{} << true;
    const QStringList garcias{u"García Pérez, Luis"_s, u"García Pérez, Luis"_s};
    QTest::newRow("shared surname") << u"garcia"_s << QStringList{} << garcias
                                    << QList<qint32>{3, 6} << true;
    QTest::newRow("shared surname, capitals and accents")
        << u"GARCÍA"_s << QStringList{} << garcias << QList<qint32>{3, 6} << true;
    QTest::newRow("part of several")
        << u"pérez"_s << QStringList{}
        << QStringList{u"García Pérez, Luis"_s, u"García Pérez, Luis"_s,
                       u"Pérez Sin Artículos, Juan"_s}
        << QList<qint32>{3, 6, 7} << true;
    // Three blanks: an author named with exactly two exists.
    QTest::newRow("only spaces: every named author")
        << u"   "_s << QStringList{}
        << QStringList{u"Álvarez Grande, Ramón"_s, u"García Pérez, Luis"_s,
                       u"García Pérez, Luis"_s, u"Martínez Ruiz, Ana"_s, u"Núñez Gómez, José"_s,
                       u"O'Donnell, Patricio"_s, u"Pérez Sin Artículos, Juan"_s,
                       u"Sánchez Ibáñez, María"_s}
        << QList<qint32>{40000, 3, 6, 1, 2, 4, 7, 5} << true;
    QTest::newRow("nobody")
        << u" zzz "_s << QStringList{}
        << QStringList{u"No se encuentra ningún autor con :  zzz "_s, QString(),
                       u"Hacer clic sobre esta linea para volver"_s}
        << QList<qint32>{0, 0, 0} << false;
    QTest::newRow("empty") << QString() << QStringList{u"Introducir texto"_s} << QStringList{}
                           << QList<qint32>{} << false;
}

void TstBusqueda::autor()
{
    QFETCH(QString, texto);
    QFETCH(QStringList, articulos);
    QFETCH(QStringList, autores);
    QFETCH(QList<qint32>, idsAutores);
    QFETCH(bool, resultados);
    FormBusqueda &b = busqueda();
    programa().busquedaCronologica = true;
    b.ListaArtic->AddItem(u"una línea de antes"_s, 1);
    b.TextAutor->setText(texto);
    QTest::mouseClick(b.BotonAutor, Qt::LeftButton);

    QStringList obtenidos = b.ListaArtic->textos();
    if (b.ListaArtic->campoLista == TipoLista::Articulos) { // statement without order: compare sets
        obtenidos.sort();
        articulos.sort();
    }
    QCOMPARE(obtenidos, articulos);
    FormAutores &ventana = Instancia<FormAutores>::get();
    QCOMPARE(ventana.isVisible(), !autores.isEmpty());
    QCOMPARE(ventana.lista()->textos(), autores);
    QCOMPARE(datos(*ventana.lista()), idsAutores);
    QCOMPARE(programa().hayResultados, resultados);
    QVERIFY(!programa().busquedaCronologica);
}

void TstBusqueda::eleccionDeAutor_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("fila");
    QTest::addColumn<QStringList>("articulos");
    QTest::addColumn<bool>("resultados");
    QTest::newRow("three articles, by title")
        << u"martínez"_s << 0
        << QStringList{u"El niño y la vía. Año 1949 - Nº 9"_s,
                       u"El puente de hierro sobre el Ebro. Año 1950 - Nº 1"_s,
                       u"Puentes colgantes: cálculo y práctica. Año 2000 - Nº 12"_s}
        << true;
    // The lookup found an author, so the flag stays as the lookup left it.
    QTest::newRow("author without articles") << u"sin art"_s << 0 << QStringList{} << true;
    QTest::newRow("first message line") << u"nadie"_s << 0 << QStringList{} << false;
    QTest::newRow("empty message line") << u"nadie"_s << 1 << QStringList{} << false;
    QTest::newRow("back line") << u"nadie"_s << 2 << QStringList{} << false;
}

void TstBusqueda::eleccionDeAutor()
{
    QFETCH(QString, texto);
    QFETCH(int, fila);
    QFETCH(QStringList, articulos);
    QFETCH(bool, resultados);
    FormBusqueda &b = busqueda();
    b.TextAutor->setText(texto);
    b.BotonAutor_Click();
    FormAutores &ventana = Instancia<FormAutores>::get();
    ventana.lista()->Refresh();
    const QRect linea = ventana.lista()->visualRect(ventana.lista()->model()->index(fila, 0));
    QTest::mouseClick(ventana.lista()->viewport(), Qt::LeftButton, {}, linea.center());
    QVERIFY(!Instancia<FormAutores>::cargada());
    procesarBorrados();
    QCOMPARE(b.ListaArtic->textos(), articulos);
    QCOMPARE(programa().hayResultados, resultados);
}

void TstBusqueda::eleccionConFlechas()
{
    FormBusqueda &b = busqueda();
    b.TextAutor->setText(u"garcía"_s);
    b.BotonAutor_Click();
    FormAutores &ventana = Instancia<FormAutores>::get();
    ventana.lista()->Refresh();
    ventana.lista()->setFocus();
    QTest::keyClick(ventana.lista(), Qt::Key_Down); // the first move is a choice
    QVERIFY(!Instancia<FormAutores>::cargada());
    QCOMPARE(b.ListaArtic->ListCount(), 2);
    QVERIFY(programa().hayResultados);
}

void TstBusqueda::nuevaBusquedaDeAutorVaciaLaVentana()
{
    FormBusqueda &b = busqueda();
    b.TextAutor->setText(u"garcía"_s);
    b.BotonAutor_Click();
    b.TextAutor->setText(u"núñez"_s);
    b.BotonAutor_Click();
    QCOMPARE(Instancia<FormAutores>::get().lista()->textos(),
             QStringList{u"Núñez Gómez, José"_s});
}

void TstBusqueda::materia_data()
{
    QTest::addColumn<QString>("grupo");
    QTest::addColumn<QStringList>("materias");
    QTest::addColumn<QList<qint32>>("ids");
    QTest::newRow("civil engineering, sorted")
        << u"Ingeniería civil"_s
        << QStringList{u"Carreteras"_s, u"Puentes"_s, u"Señalización"_s, u"Túneles"_s}
        << QList<qint32>{13, 10, 12, 11};
    QTest::newRow("group without subjects") << u"Historia"_s << QStringList{} << QList<qint32>{};
    QTest::newRow("group with apostrophe") << u"Grupo d'Aragón"_s << QStringList{u"Archivo"_s}
                                           << QList<qint32>{30};
}

void TstBusqueda::materia()
{
    QFETCH(QString, grupo);
    QFETCH(QStringList, materias);
    QFETCH(QList<qint32>, ids);
    FormBusqueda &b = busqueda();
    b.BotonBusCron_Click();
    b.Materias->setCurrentIndex(b.Materias->findText(grupo));
    QTest::mouseClick(b.BotonMateria, Qt::LeftButton);
    FormMaterias &ventana = Instancia<FormMaterias>::get();
    QVERIFY(ventana.isVisible());
    QCOMPARE(ventana.lista()->textos(), materias);
    QCOMPARE(datos(*ventana.lista()), ids);
    QCOMPARE(ventana.lista()->campoLista, TipoLista::Materias);
    QCOMPARE(b.ListaArtic->ListCount(), 0);
    QVERIFY(programa().hayResultados);
    QVERIFY(!programa().busquedaCronologica);
}

void TstBusqueda::materiaSinGrupoDejaAbiertaLaVentana()
{
    FormBusqueda &b = busqueda();
    b.Materias->setCurrentIndex(0);
    b.BotonMateria_Click();
    FormMaterias &ventana = Instancia<FormMaterias>::get();
    QVERIFY(ventana.isVisible());
    b.BotonBusCron_Click();
    b.Materias->setCurrentIndex(-1);
    b.BotonMateria_Click();
    QCOMPARE(b.ListaArtic->textos(), QStringList{u"Debe seleccionar una materia de la lista"_s});
    QVERIFY(ventana.isVisible());
    QCOMPARE(ventana.lista()->ListCount(), 0);
    QVERIFY(!programa().busquedaCronologica);
}

void TstBusqueda::eleccionDeMateria_data()
{
    QTest::addColumn<QString>("materia");
    QTest::addColumn<QStringList>("articulos");
    QTest::newRow("three articles")
        << u"Puentes"_s
        << QStringList{u"El arbol del puente y el puente del río. "_s,
                       u"El puente de hierro sobre el Ebro. Año 1950 - Nº 1"_s,
                       u"Puentes colgantes: cálculo y práctica. Año 2000 - Nº 12"_s};
    QTest::newRow("no articles") << u"Carreteras"_s << QStringList{};
}

void TstBusqueda::eleccionDeMateria()
{
    QFETCH(QString, materia);
    QFETCH(QStringList, articulos);
    FormBusqueda &b = busqueda();
    b.Materias->setCurrentIndex(b.Materias->findText(u"Ingeniería civil"_s));
    b.BotonMateria_Click();
    FormMaterias &ventana = Instancia<FormMaterias>::get();
    ventana.lista()->setListIndex(ventana.lista()->textos().indexOf(materia));
    QVERIFY(!Instancia<FormMaterias>::cargada());
    procesarBorrados();
    QCOMPARE(b.ListaArtic->textos(), articulos);
    QCOMPARE(b.ListaArtic->ListCount() > 0 ? b.ListaArtic->campoLista : TipoLista::Articulos,
             TipoLista::Articulos);
}

// A picker left open while another search runs still fills openable lines.
void TstBusqueda::eleccionTrasOtraBusqueda()
{
    FormBusqueda &b = busqueda();
    b.Materias->setCurrentIndex(b.Materias->findText(u"Ingeniería civil"_s));
    b.BotonMateria_Click();
    b.TextAutor->setText(u"garcía"_s);
    b.BotonAutor_Click();
    b.TextTitulo->setText(u"nada de nada"_s);
    b.BotonTitulo_Click();
    QVERIFY(!programa().hayResultados);
    Instancia<FormAutores>::get().lista()->setListIndex(1);
    QCOMPARE(b.ListaArtic->ListCount(), 1);
    QVERIFY(programa().hayResultados);
    programa().hayResultados = false;
    Instancia<FormMaterias>::get().lista()->setListIndex(1);
    QCOMPARE(b.ListaArtic->ListCount(), 3);
    QVERIFY(programa().hayResultados);
    QCOMPARE(b.ListaArtic->campoLista, TipoLista::Articulos);
}

void TstBusqueda::cronologico()
{
    FormBusqueda &b = busqueda();
    b.TextTitulo->setText(u"puente"_s);
    for (int vez = 0; vez < 2; ++vez) {
        QTest::mouseClick(b.BotonBusCron, Qt::LeftButton);
        QCOMPARE(b.ListaArtic->textos(),
                 (QStringList{u"Año 1949 - Nº 9"_s, u"Año 1950 - Nº 1"_s, u"Año 1950 - Nº 2"_s,
                              u"Año 1960 - Nº 3"_s, QString(), u"Año 1985 - Nº 7"_s,
                              u"Año 2000 - Nº 12"_s}));
        QCOMPARE(datos(*b.ListaArtic), (QList<qint32>{7, 1, 2, 5, 6, 3, 4}));
        QCOMPARE(b.ListaArtic->campoLista, TipoLista::Numeros);
        QVERIFY(programa().hayResultados);
        QVERIFY(programa().busquedaCronologica);
    }
    QCOMPARE(b.TextTitulo->text(), u"puente"_s);
}

void TstBusqueda::cronologicaSoloHastaLaSiguiente_data()
{
    QTest::addColumn<int>("busquedaSiguiente");
    QTest::newRow("title") << 0;
    QTest::newRow("author") << 1;
    QTest::newRow("subject, no group") << 2;
}

void TstBusqueda::cronologicaSoloHastaLaSiguiente()
{
    QFETCH(int, busquedaSiguiente);
    FormBusqueda &b = busqueda();
    b.BotonBusCron_Click();
    QVERIFY(programa().busquedaCronologica);
    b.TextAutor->setText(u"Núñez Gómez, José"_s);
    b.TextTitulo->setText(u"puente"_s);
    switch (busquedaSiguiente) {
    case 0: b.BotonTitulo_Click(); break;
    case 1: b.BotonAutor_Click(); break;
    default: b.BotonMateria_Click(); break;
    }
    QVERIFY(!programa().busquedaCronologica);
    QVERIFY(b.ListaArtic->ListCount() == 0 || b.ListaArtic->ItemData(0) != 7);
}

void TstBusqueda::visualizarModos_data()
{
    QTest::addColumn<ModoLista>("modo");
    QTest::addColumn<bool>("cambia"); // ListaArtic gets the rows
    QTest::newRow("articulos") << ModoLista::Articulos << true;
    // Subjects go to the subject picker: the result list stays as it was.
    QTest::newRow("materias") << ModoLista::Materias << false;
}

void TstBusqueda::visualizarModos()
{
    QFETCH(ModoLista, modo);
    QFETCH(bool, cambia);
    FormBusqueda &b = busqueda();
    b.ListaArtic->campoLista = TipoLista::Ninguna;
    b.ListaArtic->AddItem(u"antes"_s, 5);
    b.DataConsulta.setRecordSource(cambia ? Sentencias::articulosDeMateria(10)
                                          : Sentencias::materiasDeGrupo(u"Ingeniería civil"_s));
    QVERIFY(b.VisualizarConsulta(modo).ok());
    QVERIFY(b.VisualizarConsulta(modo).ok()); // twice: not doubled
    QCOMPARE(b.ListaArtic->ListCount(), cambia ? 3 : 1);
    QCOMPARE(b.ListaArtic->campoLista, cambia ? TipoLista::Articulos : TipoLista::Ninguna);
    QCOMPARE(Instancia<FormMaterias>::get().lista()->ListCount(), cambia ? 0 : 4);
    QVERIFY(b.DataConsulta.isEOF());
}

void TstBusqueda::visualizarSinFilasConListaDeMaterias()
{
    FormBusqueda &b = busqueda();
    b.DataConsulta.setRecordSource(Sentencias::articulosDeMateria(0));
    programa().hayResultados = false;
    QVERIFY(b.VisualizarConsulta(ModoLista::Articulos).ok());
    QVERIFY(!programa().hayResultados);
    QCOMPARE(b.ListaArtic->campoLista, TipoLista::Articulos);
    Instancia<FormMaterias>::get().lista()->campoLista = TipoLista::Materias;
    QVERIFY(b.VisualizarConsulta(ModoLista::Articulos).ok());
    QCOMPARE(b.ListaArtic->ListCount(), 0);
    QVERIFY(programa().hayResultados);
}

void TstBusqueda::volverYReabrir_data()
{
    QTest::addColumn<bool>("volver"); // else the close box
    QTest::newRow("Volver") << true;
    QTest::newRow("close box") << false;
}

// Both pickers go with the search window, open or not: a pick could only
// fill a window the reader no longer sees.
void TstBusqueda::volverYReabrir()
{
    QFETCH(bool, volver);
    FormBusqueda &b = busqueda();
    b.Materias->setCurrentIndex(b.Materias->findText(u"Ingeniería civil"_s));
    b.BotonMateria_Click();
    b.TextAutor->setText(u"garcía"_s);
    b.BotonAutor_Click();
    b.TextTitulo->setText(u"puente"_s);
    b.BotonTitulo_Click();
    QVERIFY(Instancia<FormMaterias>::get().isVisible());
    if (volver)
        QTest::mouseClick(b.BotonSalir, Qt::LeftButton);
    else
        b.close();
    QVERIFY(!Instancia<VentanaBusqueda>::cargada());
    QVERIFY(!Instancia<FormAutores>::cargada());
    QVERIFY(!Instancia<FormMaterias>::cargada());
    if (volver)
        QVERIFY(Instancia<FormPrincipal>::get().isVisible());
    procesarBorrados();
    Instancia<FormPrincipal>::get().BotonComenzar_Click();
    FormBusqueda &nueva = busqueda();
    QVERIFY(nueva.TextAutor->text().isEmpty());
    QVERIFY(nueva.TextTitulo->text().isEmpty());
    QCOMPARE(nueva.ListaArtic->ListCount(), 0);
    QVERIFY(nueva.Materias->currentText().isEmpty());
    QVERIFY(Instancia<FormAutores>::cargada());
    QVERIFY(!Instancia<FormAutores>::get().isVisible());
}

void TstBusqueda::errorDelCatalogoSeMuestra()
{
    FormBusqueda &b = busqueda();
    b.DataConsulta.setDatabaseName(m_dir.filePath(u"no-existe.mdb"_s));
    b.TextTitulo->setText(u"puente"_s);
    QTest::mouseClick(b.BotonTitulo, Qt::LeftButton);
    QCOMPARE(m_mensajes->textos.size(), 1);
    QVERIFY(m_mensajes->textos.first().contains(u"no-existe.mdb"_s));
    m_mensajes->textos.clear();
    QVERIFY(b.isVisible());
    QVERIFY(!QGuiApplication::overrideCursor()); // the wait cursor went with the error
}

QTEST_MAIN(TstBusqueda)
#include "tst_busqueda.moc"
