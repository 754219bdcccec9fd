// SPDX-License-Identifier: GPL-3.0-or-later
// bench_ventanas: times what a reader waits for in the real windows, offscreen:
// a search from the button's click to its list holding the lines, or a document
// from the click on a line to its first page painted. One case per process, so
// that the peak memory printed is that case's own.

#include "BotonImagen.h"
#include "Catalogo.h"
#include "FormAutores.h"
#include "FormBusqueda.h"
#include "FormMaterias.h"
#include "FormPrincipal.h"
#include "ListaDatos.h"
#include "Medida.h"
#include "Mensajes.h"
#include "PanelDocumento.h"
#include "Programa.h"
#include "Suelo.h"
#include "VentanaEspera.h"
#include "frmBrowser.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

const QString ayuda = uR"(Uso: bench_ventanas --carpeta CARPETA --caso CASO [--texto T] [--vueltas N]
                     [--tamano ETIQUETA]

CARPETA es la que escribe crear_coleccion (boletin.mdb y completo/).
CASO: titulo (búsqueda por título, T el texto), espacios (título de solo espacios),
autor (T el texto), cronologico, materia (la materia con más artículos),
documento (abrir un PDF de 100 páginas desde la lista), comenzar (del clic en
Comenzar a la ventana de búsqueda pintada, con el catálogo abierto: una vuelta).
)"_s;

// A message box here means something failed: say so and stop, rather than
// time a message.
class MensajesBench final : public Mensajes
{
public:
    Boton mostrar(const QString &texto, bool) override
    {
        std::fprintf(stderr, "bench_ventanas: mensaje inesperado: %s\n", qPrintable(texto));
        std::exit(3);
    }
};

[[noreturn]] void fallar(const QString &motivo)
{
    std::fprintf(stderr, "bench_ventanas: %s\n", qPrintable(motivo));
    std::exit(2);
}

// Lets everything pending run: deferred deletes, layouts, paints.
void asentar()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// Runs an event loop, as the program's own, until `listo` holds: checked after
// each turn of the loop, so it costs what one more turn costs. A real loop (not
// processEvents) also runs the deferred deletes of the windows a click unloads.
template <class Condicion>
void esperarHasta(Condicion listo)
{
    if (listo())
        return;
    QEventLoop bucle;
    QTimer sondeo;
    sondeo.setInterval(0);
    QObject::connect(&sondeo, &QTimer::timeout, &bucle, [&] {
        if (listo())
            bucle.quit();
    });
    sondeo.start();
    bucle.exec();
}

// The list tells its view about new lines one event-loop turn after they were
// added; a reader sees none of them before that.
void esperarPublicada(const ListaDatos &lista)
{
    esperarHasta([&lista] { return lista.model()->rowCount() == lista.ListCount(); });
}

// The view lays its lines out in batches, one per event-loop turn; done when
// the last line has a place, and then painted.
void esperarVista(ListaDatos &lista)
{
    const int n = lista.model()->rowCount();
    if (n > 0)
        esperarHasta([&lista, n] {
            return lista.visualRect(lista.model()->index(n - 1, 0)).isValid();
        });
    QCoreApplication::processEvents();
}

// One value of the first row of a statement run through the program's own data
// source (so the catalogue is read the way the program reads it).
QList<QVariant> primeraFila(const QString &catalogo, const QString &sentencia,
                            const QStringList &columnas)
{
    DataSource ds;
    ds.setDatabaseName(catalogo);
    ds.setRecordSource(sentencia);
    if (const Resultado<> r = ds.Refresh(); !r)
        fallar(r.error());
    if (ds.isEOF())
        fallar(u"la consulta no da filas: "_s + sentencia);
    QList<QVariant> fila;
    for (const QString &c : columnas)
        fila << ds.Fields(c).value_or(QVariant());
    return fila;
}

// A bulletin issue of 100 pages: a heading, a column of text and a rule on
// each page, about what a typeset issue holds.
void escribirPdf(const QString &ruta, int paginas)
{
    QPdfWriter pdf(ruta);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(300);
    QPainter p;
    if (!p.begin(&pdf))
        fallar(u"no se pudo escribir "_s + ruta);
    const QRect area = p.viewport();
    const QString parrafo =
        u"El firme de la carretera se proyecta con capas granulares y mezclas bituminosas; "
        "la señalización luminosa y el drenaje completan la obra, cuya conservación "
        "exige inspecciones periódicas y un presupuesto propio."_s;
    for (int i = 0; i < paginas; ++i) {
        if (i > 0 && !pdf.newPage())
            fallar(u"no se pudo escribir "_s + ruta);
        // The pen and font carry across newPage().
        p.save();
        QFont letra = p.font();
        letra.setPointSize(18);
        p.setFont(letra);
        p.drawText(QRect(0, 0, area.width(), area.height() / 12), Qt::AlignCenter,
                   u"Boletín de VELTRA — página %1"_s.arg(i + 1));
        p.drawLine(0, area.height() / 12, area.width(), area.height() / 12);
        letra.setPointSize(10);
        p.setFont(letra);
        p.drawText(QRect(0, area.height() / 10, area.width(), area.height() * 9 / 10),
                   Qt::TextWordWrap, QStringList(30, parrafo).join(u' '));
        p.restore();
    }
    p.end();
}

struct Opciones
{
    QString carpeta;
    QString caso;
    QString texto;
    QString tamano;
    int vueltas = 5;
};

Opciones leerOpciones()
{
    Opciones o;
    const QStringList a = QCoreApplication::arguments();
    for (qsizetype i = 1; i < a.size(); ++i) {
        const QString &n = a.at(i);
        const QString v = a.value(i + 1);
        if (n == u"--carpeta")
            o.carpeta = v;
        else if (n == u"--caso")
            o.caso = v;
        else if (n == u"--texto")
            o.texto = v;
        else if (n == u"--tamano")
            o.tamano = v;
        else if (n == u"--vueltas")
            o.vueltas = std::max(1, v.toInt());
        else {
            std::fputs(qPrintable(ayuda), stderr);
            std::exit(2);
        }
        ++i;
    }
    if (o.carpeta.isEmpty() || o.caso.isEmpty()) {
        std::fputs(qPrintable(ayuda), stderr);
        std::exit(2);
    }
    return o;
}

// ms: until the list holds its lines; vista: until its view has laid them out
// and painted; cpu: the process's CPU time until the lines.
struct Tiempos : Medida::Serie
{
    qint64 filas = 0;
};

// The floor's connection: its own on an SQLite catalogue of the program's, the
// program's very copy in memory where the catalogue had to be read into one (a
// Jet file, another tool's SQLite): a second import would only measure the same.
sqlite3 *conexionSuelo(std::shared_ptr<Catalogo> &copia)
{
    const auto abierta = Catalogo::abrir(Programa::rutaCatalogo());
    if (!abierta)
        fallar(abierta.error());
    copia = *abierta;
    if (sqlite3_db_readonly(copia->conexion(), "main") == 0) // a copy in memory
        return copia->conexion();
    copia.reset();
    return Suelo::abrir(Programa::rutaCatalogo());
}

// The case's floor (Suelo.h), run beside each of the case's runs: on a machine
// shared with other work the two then meet the same load. It runs before the
// case's run in even rounds and after it in odd ones, so neither always finds
// the caches as the other left them.
class SueloDelCaso
{
public:
    SueloDelCaso(const Opciones &o)
        : m_db(conexionSuelo(m_copia)),
          m_sentencias(Suelo::sentencias(m_db, o.caso, o.caso == u"espacios" ? u"   "_s : o.texto))
    {
    }
    ~SueloDelCaso()
    {
        if (!m_copia)
            sqlite3_close(m_db);
    }
    sqlite3 *conexion() const { return m_db; }

    void antes(int vuelta)
    {
        if (vuelta % 2 == 0)
            medir();
    }
    void despues(int vuelta)
    {
        if (vuelta % 2 == 1)
            medir();
    }
    void imprimir(const Opciones &o) const
    {
        if (!m_sentencias.isEmpty())
            Medida::resultado(u"suelo:"_s + o.caso, o.tamano, m_filas, m_serie);
    }

private:
    void medir()
    {
        if (m_sentencias.isEmpty())
            return;
        const qint64 t0 = Medida::ahoraNs();
        const qint64 c0 = Medida::cpuNs();
        m_filas = Suelo::recorrerTodas(m_db, m_sentencias);
        m_serie.ms << Medida::msDesde(t0);
        m_serie.cpu << double(Medida::cpuNs() - c0) / 1e6;
    }

    std::shared_ptr<Catalogo> m_copia;
    sqlite3 *m_db;
    QStringList m_sentencias;
    Medida::Serie m_serie;
    qint64 m_filas = 0;
};

// Clicks `boton` and waits for `lista` (which the click fills); `antes` runs
// untimed before each click.
template <class Antes, class Lista>
Tiempos medirClic(const Opciones &o, SueloDelCaso &suelo, QWidget *boton, Antes antes, Lista lista)
{
    Tiempos t;
    for (int i = 0; i < o.vueltas; ++i) {
        suelo.antes(i);
        antes();
        asentar();
        const qint64 t0 = Medida::ahoraNs();
        const qint64 c0 = Medida::cpuNs();
        QTest::mouseClick(boton, Qt::LeftButton);
        ListaDatos &l = lista();
        esperarPublicada(l);
        t.ms << Medida::msDesde(t0);
        t.cpu << double(Medida::cpuNs() - c0) / 1e6;
        esperarVista(l);
        t.vista << Medida::msDesde(t0);
        t.filas = l.ListCount();
        Medida::vuelta(o.caso, i, t.ms.last());
        suelo.despues(i);
    }
    return t;
}

Tiempos medirMateria(const Opciones &o, SueloDelCaso &suelo, FormBusqueda &b)
{
    // The subject the floor runs too.
    const qint32 idMateria = qint32(Suelo::materiaMayor(suelo.conexion()));
    const QString grupo =
        primeraFila(Programa::rutaCatalogo(),
                    u"SELECT g.des_grupo AS grupo FROM Materias AS m, GruposMaterias AS g "
                    "WHERE m.id_grupo = g.id_grupo AND m.id_materia = "_s
                        + QString::number(idMateria),
                    {u"grupo"_s})
            .value(0)
            .toString();
    std::fprintf(stderr, "  materia %d del grupo «%s»\n", idMateria, qPrintable(grupo));

    Tiempos t;
    for (int i = 0; i < o.vueltas; ++i) {
        suelo.antes(i);
        b.ListaArtic->Clear();
        b.Materias->setCurrentIndex(b.Materias->findText(grupo));
        QTest::mouseClick(b.BotonMateria, Qt::LeftButton);
        ListaDatos &materias = *Instancia<FormMaterias>::get().lista();
        esperarPublicada(materias);
        int fila = -1;
        for (int k = 0; k < materias.ListCount() && fila < 0; ++k)
            if (materias.ItemData(k) == idMateria)
                fila = k;
        if (fila < 0)
            fallar(u"la materia no está en la lista"_s);
        const QModelIndex indice = materias.model()->index(fila, 0);
        materias.scrollTo(indice);
        asentar();
        const QPoint punto = materias.visualRect(indice).center();

        const qint64 t0 = Medida::ahoraNs();
        const qint64 c0 = Medida::cpuNs();
        QTest::mouseClick(materias.viewport(), Qt::LeftButton, {}, punto);
        esperarPublicada(*b.ListaArtic);
        t.ms << Medida::msDesde(t0);
        t.cpu << double(Medida::cpuNs() - c0) / 1e6;
        esperarVista(*b.ListaArtic);
        t.vista << Medida::msDesde(t0);
        t.filas = b.ListaArtic->ListCount();
        Medida::vuelta(o.caso, i, t.ms.last());
        if (Instancia<FormMaterias>::cargada() && !Instancia<FormMaterias>::get().descargado())
            fallar(u"la ventana de materias sigue abierta tras elegir"_s);
        suelo.despues(i);
    }
    return t;
}

Tiempos medirDocumento(const Opciones &o, FormBusqueda &b)
{
    const QList<QVariant> fila = primeraFila(
        Programa::rutaCatalogo(),
        u"SELECT t.id_articulo AS id, t.des_articulo AS titulo, r.loc_añoNumero AS archivo "
        "FROM AutoresArticulos AS t, RelacionBoletinDisco AS r "
        "WHERE t.id_boletin = r.id_boletin ORDER BY t.id_articulo LIMIT 1"_s,
        {u"id"_s, u"titulo"_s, u"archivo"_s});
    const qint32 id = fila[0].toInt();
    const QString ruta = programa().unidadCD + u"/Imagenes/"_s + fila[2].toString() + u".pdf"_s;
    if (QFileInfo(ruta).size() == 0)
        escribirPdf(ruta, 100);

    Tiempos t;
    t.filas = 100;
    b.TextTitulo->setText(fila[1].toString());
    for (int i = 0; i < o.vueltas; ++i) {
        QTest::mouseClick(b.BotonTitulo, Qt::LeftButton);
        esperarPublicada(*b.ListaArtic);
        int linea = -1;
        for (int k = 0; k < b.ListaArtic->ListCount() && linea < 0; ++k)
            if (b.ListaArtic->ItemData(k) == id)
                linea = k;
        if (linea < 0)
            fallar(u"el artículo no está en la lista"_s);
        const QModelIndex indice = b.ListaArtic->model()->index(linea, 0);
        b.ListaArtic->scrollTo(indice);
        asentar();
        const QPoint punto = b.ListaArtic->visualRect(indice).center();
        const QWidgetList ventanas = QApplication::topLevelWidgets();
        const QSet<QWidget *> antes(ventanas.begin(), ventanas.end());

        const qint64 t0 = Medida::ahoraNs();
        const qint64 c0 = Medida::cpuNs();
        QTest::mouseClick(b.ListaArtic->viewport(), Qt::LeftButton, {}, punto);
        QPointer<frmBrowser> visor;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (!antes.contains(w))
                if (auto *f = qobject_cast<frmBrowser *>(w))
                    visor = f;
        if (!visor)
            fallar(u"el clic no abrió ningún visor"_s);
        // Waiting on the signal, not polling: the pages are drawn on another
        // thread, which a spinning loop would starve of a core.
        if (visor->brwWebBrowser->Busy()) {
            QEventLoop bucle;
            QObject::connect(visor->brwWebBrowser, &PanelDocumento::DownloadComplete, &bucle,
                             &QEventLoop::quit);
            bucle.exec();
        }
        t.ms << Medida::msDesde(t0);
        t.cpu << double(Medida::cpuNs() - c0) / 1e6;
        Medida::vuelta(o.caso, i, t.ms.last());
        if (!visor->brwWebBrowser->mensaje().isEmpty())
            fallar(visor->brwWebBrowser->mensaje());
        visor->close();
        asentar();
    }
    return t;
}

// Notes the first paint of a window after it is armed.
class Pintado final : public QObject
{
public:
    bool armado = false;
    bool pintado = false;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (armado && e->type() == QEvent::Paint)
            pintado = true;
        return false;
    }
};

// The click on Comenzar opens the catalogue (the first time in this process: a
// Jet file is imported, another tool's SQLite copied) and fills the search
// window; done when that window has painted itself with its groups listed.
void medirComenzar(const Opciones &o, FormPrincipal &principal)
{
    Tiempos t;
    const qint64 t0 = Medida::ahoraNs();
    const qint64 c0 = Medida::cpuNs();
    QTest::mouseClick(principal.BotonComenzar, Qt::LeftButton);
    FormBusqueda &b = FormBusqueda::instancia();
    Pintado pintado;
    b.installEventFilter(&pintado);
    pintado.armado = true;
    b.update();
    esperarHasta([&] { return pintado.pintado; });
    t.ms << Medida::msDesde(t0);
    t.cpu << double(Medida::cpuNs() - c0) / 1e6;
    t.filas = b.Materias->count();
    if (t.filas == 0)
        fallar(u"la ventana de búsqueda no lista ningún grupo"_s);
    Medida::vuelta(o.caso, 0, t.ms.last());
    Medida::resultado(o.caso, o.tamano, t.filas, t);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Opciones o = leerOpciones();

    // The settings the main window writes go to a folder of our own.
    QTemporaryDir ajustes;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ajustes.path()));
    const QString carpeta = QFileInfo(o.carpeta).absoluteFilePath();
    if (!QFileInfo::exists(carpeta + u"/boletin.mdb"_s))
        fallar(u"no hay catálogo en "_s + carpeta);
    Programa::setCarpetaInstalacion(carpeta);
    Programa::setLugares({carpeta + u"/completo"_s});
    MensajesBench mensajes;
    Mensajes::instalar(&mensajes);
    FormPrincipal::terminar = [] {};
    FormBusqueda::registrar();

    // As a reader gets there: the program starts, then the start button.
    VentanaEspera::instalar();
    FormPrincipal &principal = Instancia<FormPrincipal>::get();
    principal.show();
    asentar();
    if (o.caso == u"comenzar") {
        medirComenzar(o, principal);
        std::fflush(nullptr);
        std::_Exit(0);
    }
    principal.BotonComenzar_Click();
    FormBusqueda &b = FormBusqueda::instancia();
    b.Materias->setCurrentIndex(-1);
    asentar();

    Tiempos t;
    SueloDelCaso suelo(o);
    if (o.caso == u"titulo" || o.caso == u"espacios") {
        b.TextTitulo->setText(o.caso == u"espacios" ? u"   "_s : o.texto);
        t = medirClic(o, suelo, b.BotonTitulo, [&b] { b.ListaArtic->Clear(); },
                      [&b]() -> ListaDatos & { return *b.ListaArtic; });
    } else if (o.caso == u"autor") {
        b.TextAutor->setText(o.texto);
        t = medirClic(
            o, suelo, b.BotonAutor, [] { Instancia<FormAutores>::get().lista()->Clear(); },
            []() -> ListaDatos & { return *Instancia<FormAutores>::get().lista(); });
    } else if (o.caso == u"cronologico") {
        t = medirClic(o, suelo, b.BotonBusCron, [&b] { b.ListaArtic->Clear(); },
                      [&b]() -> ListaDatos & { return *b.ListaArtic; });
    } else if (o.caso == u"materia") {
        t = medirMateria(o, suelo, b);
    } else if (o.caso == u"documento") {
        t = medirDocumento(o, b);
    } else {
        fallar(u"caso desconocido: "_s + o.caso);
    }
    Medida::resultado(o.caso, o.tamano, t.filas, t);
    suelo.imprimir(o);
    // Tearing a million-line window down is no part of any case.
    std::fflush(nullptr);
    std::_Exit(0);
}
