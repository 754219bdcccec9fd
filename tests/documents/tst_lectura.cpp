// SPDX-License-Identifier: GPL-3.0-or-later
#include "BarraDocumento.h"
#include "BuscadorPdf.h"
#include "EnlacesPdf.h"
#include "ImpresionPdf.h"
#include "PanelDocumento.h"
#include "PruebasDocumentos.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace PruebasDocumentos;

namespace {

// One entry per page; lines split at '\n'. A line starting with '#' is a
// heading in 20-point type, the rest 10-point. `imagen`: each page becomes a
// picture, with no text layer, as a scanned issue.
bool escribirTexto(const QString &ruta, const QStringList &paginas, bool imagen = false)
{
    QPdfWriter pdf(ruta);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    QPainter p;
    if (!p.begin(&pdf))
        return false;
    const QRect area = p.viewport();
    for (qsizetype i = 0; i < paginas.size(); ++i) {
        if (i > 0 && !pdf.newPage())
            return false;
        QImage foto(imagen ? area.size() / 10 : QSize(1, 1), QImage::Format_RGB32);
        foto.fill(Qt::white);
        QPainter fotoP(&foto);
        QPainter &q = imagen ? fotoP : p;
        q.save();
        q.setPen(Qt::black);
        const int x = (imagen ? foto.width() : area.width()) / 12;
        int y = x;
        for (QString linea : paginas.at(i).split(u'\n')) {
            QFont letra(u"DejaVu Sans"_s);
            letra.setPointSize(linea.startsWith(u'#') ? 20 : 10);
            q.setFont(letra);
            if (linea.startsWith(u'#'))
                linea.remove(0, 1);
            y += QFontMetrics(letra, q.device()).height();
            q.drawText(x, y, linea);
        }
        q.restore();
        fotoP.end();
        if (imagen)
            p.drawImage(area, foto);
    }
    return p.end();
}

// An outline entry: its depth (0 at the top), its title and its page, from 0
// (-1: a heading that leads nowhere).
struct Entrada
{
    int nivel;
    QString titulo;
    int pagina;
};

// A link on page `desde` (from 0), its rectangle in points from the page's
// bottom-left corner as PDF writes it, to the height `alto` of page `hasta`
// (-1: the whole page), or out to `uri` (one beginning "/": that action).
struct Enlace
{
    int desde;
    QRectF zona;
    int hasta = -1;
    int alto = 0;
    QByteArray uri;
};

// A PDF written byte by byte, since QPdfWriter writes no outline nor links: one
// line of text per page and the entries in reading order, children after their
// parent.
QByteArray pdfConIndice(int paginas, const QList<Entrada> &indice,
                        const QList<Enlace> &enlaces = {})
{
    const int primeraPagina = 4; // 1 catalog, 2 page tree, 3 font
    const int primeraEntrada = primeraPagina + 2 * paginas; // each page, then its text
    const auto ref = [](int objeto) { return QByteArray::number(objeto) + " 0 R"; };
    const auto entrada = [&](qsizetype i) { return ref(primeraEntrada + int(i) + 1); };
    const auto n = indice.size();
    QList<QByteArray> objetos;
    objetos << "<< /Type /Catalog /Pages 2 0 R"
                   + (n ? " /Outlines " + ref(primeraEntrada) : QByteArray()) + " >>";
    QByteArray hijas;
    for (int p = 0; p < paginas; ++p)
        hijas += ref(primeraPagina + 2 * p) + ' ';
    objetos << "<< /Type /Pages /Kids [" + hijas + "] /Count " + QByteArray::number(paginas)
                   + " >>";
    objetos << "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    const int primerEnlace = primeraEntrada + int(n) + 1;
    for (int p = 0; p < paginas; ++p) {
        const QByteArray texto =
            "BT /F1 24 Tf 72 720 Td (Texto de la pagina " + QByteArray::number(p + 1) + ") Tj ET";
        QByteArray anotaciones;
        for (qsizetype e = 0; e < enlaces.size(); ++e)
            if (enlaces.at(e).desde == p)
                anotaciones += ref(primerEnlace + int(e)) + ' ';
        objetos << "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font "
                       "<< /F1 3 0 R >> >> /Contents "
                       + ref(primeraPagina + 2 * p + 1)
                       + (anotaciones.isEmpty() ? QByteArray() : " /Annots [" + anotaciones + "]")
                       + " >>";
        objetos << "<< /Length " + QByteArray::number(texto.size()) + " >>\nstream\n" + texto
                       + "\nendstream";
    }
    // The outline's root, then each entry linked to its parent, siblings and children.
    const auto hijos = [&](qsizetype padre) { // of -1, the root
        QList<qsizetype> lista;
        const int nivel = padre < 0 ? 0 : indice.at(padre).nivel + 1;
        for (qsizetype j = padre + 1; j < n && indice.at(j).nivel >= nivel; ++j)
            if (indice.at(j).nivel == nivel)
                lista << j;
        return lista;
    };
    const auto extremos = [&](qsizetype padre) {
        const QList<qsizetype> h = hijos(padre);
        return h.isEmpty() ? QByteArray()
                           : " /First " + entrada(h.first()) + " /Last " + entrada(h.last());
    };
    objetos << "<< /Type /Outlines" + extremos(-1) + " >>";
    for (qsizetype i = 0; i < n; ++i) {
        const Entrada &e = indice.at(i);
        qsizetype padre = i - 1;
        while (padre >= 0 && indice.at(padre).nivel >= e.nivel)
            --padre;
        const QList<qsizetype> hermanos = hijos(padre);
        const qsizetype k = hermanos.indexOf(i);
        QByteArray titulo = "\xFE\xFF";
        for (const QChar c : e.titulo)
            titulo += char(c.unicode() >> 8) + QByteArray(1, char(c.unicode() & 0xFF));
        // Both ways of naming the place: the whole page, and its top-left corner.
        const QByteArray destino = e.pagina < 0 ? QByteArray()
                                   : " /Dest [" + ref(primeraPagina + 2 * e.pagina)
                                         + (i % 2 ? " /XYZ 0 842 null]" : " /Fit]");
        objetos << "<< /Title <" + titulo.toHex() + "> /Parent "
                       + (padre < 0 ? ref(primeraEntrada) : entrada(padre))
                       + (k > 0 ? " /Prev " + entrada(hermanos.at(k - 1)) : QByteArray())
                       + (k + 1 < hermanos.size() ? " /Next " + entrada(hermanos.at(k + 1))
                                                  : QByteArray())
                       + extremos(i) + destino + " >>";
    }
    for (const Enlace &e : enlaces) {
        const QRectF &z = e.zona;
        const QByteArray caja = QByteArray::number(z.left()) + ' ' + QByteArray::number(z.top())
                                + ' ' + QByteArray::number(z.right()) + ' '
                                + QByteArray::number(z.bottom());
        const QByteArray lugar =
            e.alto < 0 ? " /Fit]" : " /XYZ 0 " + QByteArray::number(e.alto) + " null]";
        const QByteArray destino =
            e.uri.startsWith('/') ? " /A << /S " + e.uri + " >>"
            : e.uri.isEmpty()     ? " /Dest [" + ref(primeraPagina + 2 * e.hasta) + lugar
                                  : " /A << /S /URI /URI (" + e.uri + ") >>";
        objetos << "<< /Type /Annot /Subtype /Link /Rect [" + caja + "] /Border [0 0 0]"
                       + destino + " >>";
    }
    QByteArray pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    QList<qsizetype> desplazamientos;
    for (qsizetype i = 0; i < objetos.size(); ++i) {
        desplazamientos << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objetos.at(i) + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objetos.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype d : desplazamientos)
        pdf += QByteArray::number(d).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objetos.size() + 1)
           + " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

// An entry's text as the menu shows it: "&&" is one '&', a lone '&' marks a key.
QString visto(const QAction *a)
{
    static const QRegularExpression mnemonico(u"&(.)"_s);
    return a->text().replace(mnemonico, u"\\1"_s);
}

// The menu as read: one line per entry, a '>' more for each submenu down, and
// '-' before an entry that cannot be chosen.
QStringList leerMenu(const QMenu *menu, const QString &sangria = {})
{
    QStringList lineas;
    for (const QAction *a : menu->actions()) {
        if (a->isSeparator())
            continue;
        lineas << sangria + (a->isEnabled() ? QString() : u"-"_s) + visto(a);
        if (a->menu())
            lineas << leerMenu(a->menu(), sangria + u'>');
    }
    return lineas;
}

// The entry of that title, the submenu's own entry first.
QAction *buscarEntrada(const QMenu *menu, const QString &titulo)
{
    for (QAction *a : menu->actions()) {
        if (a->menu()) {
            if (QAction *dentro = buscarEntrada(a->menu(), titulo))
                return dentro;
        } else if (visto(a) == titulo) {
            return a;
        }
    }
    return nullptr;
}

// Takes the addresses the desktop would open.
class Escritorio final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> abiertas;
public Q_SLOTS:
    void abrir(const QUrl &url) { abiertas << url; }
};

} // namespace

Q_DECLARE_METATYPE(Enlace)

class TestLectura final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void buscar_data();
    void buscar();
    void abrirEnElArticulo_data();
    void abrirEnElArticulo();
    void paginas();
    void cajas_data();
    void cajas();
    void indice();
    void enlaces();
    void enlacesLeidos_data();
    void enlacesLeidos();
    void imprimir_data();
    void imprimir();
    void guardarCopia();

private:
    QString ruta(const QString &nombre) const { return m_dir.filePath(nombre); }
    void cargar(const QString &archivo);
    // Waits for the find under way to end.
    void esperarBusqueda();
    int pagina() const { return m_panel->barra()->pagina->text().toInt(); }

    QTemporaryDir m_dir;
    PanelDocumento *m_panel = nullptr;
};

void TestLectura::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(escribirPdf(ruta(u"cinco.pdf"_s), 5));
}

void TestLectura::init()
{
    m_panel = new PanelDocumento;
    m_panel->resize(600, 500);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
}

void TestLectura::cleanup()
{
    delete m_panel;
    m_panel = nullptr;
}

void TestLectura::cargar(const QString &archivo)
{
    QSignalSpy terminado(m_panel, &PanelDocumento::DownloadComplete);
    m_panel->Navigate(archivo);
    QVERIFY(terminado.wait(5000));
    QVERIFY(m_panel->mensaje().isEmpty());
    QTRY_VERIFY(m_panel->listoParaLeer());
}

void TestLectura::esperarBusqueda()
{
    QTRY_VERIFY_WITH_TIMEOUT(!m_panel->buscador()->enCurso(), 10000);
}

void TestLectura::buscar_data()
{
    QTest::addColumn<QStringList>("texto");
    QTest::addColumn<bool>("imagen");
    QTest::addColumn<QString>("buscado");
    QTest::addColumn<bool>("atras");
    // Pages of the current match, from 1: first shown, then after each F3.
    QTest::addColumn<QList<int>>("visitas");
    QTest::addColumn<QString>("resultado");

    const QStringList tres = {u"El PUENTE de hierro"_s, u"nada aquí"_s, u"otro Puente"_s};
    const QStringList cuatro = {u"puente"_s, u"un puente"_s, u"nada"_s, u"el puente"_s};
    // clang-format off
    QTest::newRow("mayúsculas, vuelta al principio") << tres << false << u"puente"_s << false << QList<int>{1, 3, 1} << u"1 de 2"_s;
    QTest::newRow("hacia atrás, vuelta al final") << cuatro << false << u"PUENTE"_s << true << QList<int>{1, 4, 2, 1} << u"1 de 3"_s;
    QTest::newRow("acentos") << QStringList{u"uno"_s, u"El Árbol genealógico"_s} << false << u"arbol GENEALOGICO"_s << false << QList<int>{2, 2} << u"1 de 1"_s;
    QTest::newRow("acento en lo buscado") << QStringList{u"el arbol"_s} << false << u"árbol"_s << false << QList<int>{1} << u"1 de 1"_s;
    QTest::newRow("blancos y salto de línea") << QStringList{u"la prueba de\ncarga de los puentes"_s} << false << u"prueba  de carga"_s << false << QList<int>{1} << u"1 de 1"_s;
    QTest::newRow("sin coincidencias") << tres << false << u"túnel"_s << false << QList<int>{} << u"Sin coincidencias"_s;
    QTest::newRow("escaneado") << tres << true << u"puente"_s << false << QList<int>{} << u"Este documento no contiene texto"_s;
    // clang-format on
}

void TestLectura::buscar()
{
    QFETCH(QStringList, texto);
    QFETCH(bool, imagen);
    QFETCH(QString, buscado);
    QFETCH(bool, atras);
    QFETCH(QList<int>, visitas);
    QFETCH(QString, resultado);

    const QString archivo = ruta(QString::fromUtf8(QTest::currentDataTag()) + u".pdf"_s);
    QVERIFY(escribirTexto(archivo, texto, imagen));
    cargar(archivo);
    BarraDocumento *barra = m_panel->barra();
    QCOMPARE(barra->buscar->isEnabled(), !imagen);
    QCOMPARE(barra->imprimir->isEnabled(), true);
    if (imagen) {
        QCOMPARE(barra->resultado->text(), resultado);
        return;
    }
    // Ctrl+F from the document puts the cursor in the field.
    m_panel->vista()->setFocus();
    QTest::keyClick(m_panel->vista(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(barra->buscar->hasFocus());
    barra->buscar->setText(buscado); // keyClicks takes Latin-1 only
    esperarBusqueda();
    QCOMPARE(barra->resultado->text(), resultado);
    const auto &c = m_panel->buscador()->coincidencias();
    for (qsizetype i = 0; i < visitas.size(); ++i) {
        if (i > 0)
            QTest::keyClick(barra->buscar, Qt::Key_Return,
                            atras ? Qt::ShiftModifier : Qt::NoModifier);
        QVERIFY(m_panel->coincidenciaActual() >= 0);
        const int esperada = visitas.at(i);
        QCOMPARE(c.at(m_panel->coincidenciaActual()).pagina + 1, esperada);
        QCOMPARE(pagina(), esperada);
        // Highlighted, standing out, where it is.
        QTRY_VERIFY(std::any_of(m_panel->vista()->marcas().begin(),
                                m_panel->vista()->marcas().end(), [&](const VistaPdf::Marca &m) {
                                    return m.actual && m.pagina + 1 == esperada
                                           && !m.cajas.isEmpty();
                                }));
    }
    if (visitas.isEmpty())
        QCOMPARE(m_panel->coincidenciaActual(), -1);
    // Esc goes back to the document.
    QTest::keyClick(barra->buscar, Qt::Key_Escape);
    QVERIFY(m_panel->vista()->hasFocus());
}

void TestLectura::abrirEnElArticulo_data()
{
    QTest::addColumn<int>("paginas");
    // The article's heading: its page (from 1) and how it is set.
    QTest::addColumn<int>("enPagina");
    QTest::addColumn<QString>("encabezado");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<bool>("moverAntes"); // the reader presses End at once
    QTest::addColumn<int>("esperada");    // page shown at the end, from 1

    const QString t = u"La prueba de carga de los puentes"_s;
    // clang-format off
    QTest::newRow("en la página 1") << 3 << 1 << u"#"_s + t << t << false << 1;
    QTest::newRow("en la página 80, tras el sumario") << 100 << 80 << u"#"_s + t << t << false << 80;
    QTest::newRow("partido en dos líneas") << 5 << 4 << u"#La prueba de carga\n#de los puentes"_s << t << false << 4;
    QTest::newRow("ausente") << 5 << 4 << u"#"_s + t << u"Un puente que no está"_s << false << 1;
    QTest::newRow("línea cronológica") << 5 << 4 << u"#"_s + t << QString() << false << 1;
    QTest::newRow("el lector ya se movió") << 100 << 80 << u"#"_s + t << t << true << 100;
    // clang-format on
}

void TestLectura::abrirEnElArticulo()
{
    QFETCH(int, paginas);
    QFETCH(int, enPagina);
    QFETCH(QString, encabezado);
    QFETCH(QString, titulo);
    QFETCH(bool, moverAntes);
    QFETCH(int, esperada);

    // A contents page listing the article, running heads quoting it in small
    // type on every page, and its heading on its own page.
    QStringList texto;
    for (int i = 1; i <= paginas; ++i)
        texto << (i == enPagina ? encabezado : u"texto de relleno"_s);
    texto[0] = (enPagina == 1 ? encabezado : u"#Sumario"_s) + u"\n"_s
               + u"La prueba de carga de los puentes ..... %1"_s.arg(enPagina);
    for (int i = 1; i < paginas; ++i)
        texto[i] += u"\nboletín: La prueba de carga de los puentes"_s;
    const QString archivo = ruta(QString::fromUtf8(QTest::currentDataTag()) + u".pdf"_s);
    QVERIFY(escribirTexto(archivo, texto));

    m_panel->abrirEnArticulo(titulo);
    if (moverAntes)
        connect(m_panel, &PanelDocumento::DownloadComplete, this,
                [this] { QTest::keyClick(m_panel->vista(), Qt::Key_End); });
    cargar(archivo);
    // The first page is painted before the title is looked for.
    esperarBusqueda();
    QCOMPARE(pagina(), esperada);
    const bool hallado = esperada != 1 || enPagina == 1;
    if (!titulo.isEmpty() && hallado && !moverAntes) {
        QCOMPARE(m_panel->barra()->buscar->text(), titulo);
        const auto &c = m_panel->buscador()->coincidencias();
        QVERIFY(m_panel->coincidenciaActual() >= 0);
        QCOMPARE(c.at(m_panel->coincidenciaActual()).pagina + 1, enPagina);
    } else if (!moverAntes) {
        QVERIFY(m_panel->barra()->buscar->text().isEmpty());
        QCOMPARE(m_panel->vista()->verticalScrollBar()->value(), 0);
    }
}

// "N de M" follows the scroll; the buttons, the keys and the page box move.
void TestLectura::paginas()
{
    cargar(ruta(u"cinco.pdf"_s));
    BarraDocumento *barra = m_panel->barra();
    VistaPdf *vista = m_panel->vista();
    QCOMPARE(barra->total->text(), u"de 5"_s);
    QCOMPARE(pagina(), 1);
    QVERIFY(!barra->anterior->isEnabled());

    QScrollBar *v = vista->verticalScrollBar();
    v->setValue(v->value() + vista->rectanguloPagina(2).top() + 20);
    QCOMPARE(pagina(), 3);
    barra->siguiente->trigger();
    QCOMPARE(pagina(), 4);
    QCOMPARE(vista->rectanguloPagina(3).top(), vista->documentMargins().top());
    QTest::keyClick(vista, Qt::Key_PageUp);
    QCOMPARE(pagina(), 3);
    QTest::keyClick(vista, Qt::Key_End);
    QCOMPARE(pagina(), 5);
    QVERIFY(!barra->siguiente->isEnabled());
    QTest::keyClick(vista, Qt::Key_Home);
    QCOMPARE(pagina(), 1);

    barra->pagina->setFocus();
    barra->pagina->selectAll();
    QTest::keyClicks(barra->pagina, u"4"_s);
    QTest::keyClick(barra->pagina, Qt::Key_Return);
    QCOMPARE(vista->paginaActual(), 3);
    QCOMPARE(pagina(), 4);
    barra->ultima->trigger();
    QCOMPARE(pagina(), 5);
    barra->primera->trigger();
    QCOMPARE(pagina(), 1);

    // The page being read stays through zooming and resizing.
    m_panel->irAPagina(4);
    barra->ampliar->trigger();
    QCOMPARE(pagina(), 4);
    m_panel->resize(900, 700);
    QTRY_COMPARE(vista->viewport()->width() > 700, true);
    QCOMPARE(pagina(), 4);
    barra->ajustarAncho->trigger();
    QCOMPARE(pagina(), 4);
    barra->paginaCompleta->trigger();
    QCOMPARE(pagina(), 4);
    QVERIFY(vista->rectanguloPagina(3).height() <= vista->viewport()->height());
}

// The page and zoom boxes show what is: the page gone to, the zoom applied.
void TestLectura::cajas_data()
{
    QTest::addColumn<bool>("enZoom");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<QString>("muestra");
    QTest::addColumn<int>("paginaActual"); // from 1

    QTest::newRow("página 3") << false << u"3"_s << int(Qt::Key_Return) << u"3"_s << 3;
    QTest::newRow("más allá del final") << false << u"999"_s << int(Qt::Key_Return) << u"5"_s << 5;
    QTest::newRow("cero") << false << u"0"_s << int(Qt::Key_Return) << u"1"_s << 1;
    QTest::newRow("vacía e Intro") << false << QString() << int(Qt::Key_Return) << u"2"_s << 2;
    QTest::newRow("Escape") << false << u"4"_s << int(Qt::Key_Escape) << u"2"_s << 2;
    QTest::newRow("salir de la caja") << false << u"4"_s << int(Qt::Key_Tab) << u"2"_s << 2;
    QTest::newRow("zoom tope") << true << u"5000"_s << int(Qt::Key_Return) << u"800 %"_s << 2;
    QTest::newRow("zoom no numérico") << true << u"abc"_s << int(Qt::Key_Return) << QString() << 2;
    QTest::newRow("zoom y Escape") << true << u"300"_s << int(Qt::Key_Escape) << QString() << 2;
}

void TestLectura::cajas()
{
    QFETCH(bool, enZoom);
    QFETCH(QString, texto);
    QFETCH(int, tecla);
    QFETCH(QString, muestra);
    QFETCH(int, paginaActual);
    cargar(ruta(u"cinco.pdf"_s));
    m_panel->irAPagina(2);
    BarraDocumento *barra = m_panel->barra();
    QLineEdit *caja = enZoom ? barra->zoom->lineEdit() : barra->pagina;
    const QString antes = caja->text();
    caja->setFocus();
    caja->selectAll();
    if (texto.isEmpty())
        caja->clear();
    else
        QTest::keyClicks(caja, texto);
    QTest::keyClick(caja, Qt::Key(tecla));
    caja->clearFocus();
    QCOMPARE(caja->text(), muestra.isNull() ? antes : muestra);
    QCOMPARE(m_panel->vista()->paginaActual() + 1, paginaActual);
    if (tecla == Qt::Key_Escape)
        QVERIFY(!caja->hasFocus());
}

// The outline's entries, nested as in the document, each going to its page;
// another document brings its own entries, or none and no button.
void TestLectura::indice()
{
    const QList<Entrada> entradas = {{0, u"Sumario"_s, 0},
                                     {0, u"Cimentación  de puentes"_s, 1},
                                     {1, u"Pilotes"_s, 3},
                                     {2, u"Hincado"_s, 4},
                                     {1, u"Zapatas & losas"_s, 5},
                                     {0, u"Apéndices"_s, -1},
                                     {1, u"Índice de autores"_s, 6},
                                     {1, u"Erratas"_s, -1}};
    const QString conIndice = ruta(u"con índice.pdf"_s);
    QVERIFY(escribirArchivo(conIndice, pdfConIndice(7, entradas)));
    const QString otro = ruta(u"otro índice.pdf"_s);
    QVERIFY(escribirArchivo(otro, pdfConIndice(2, {{0, u"Otra cosa"_s, 1}})));

    BarraDocumento *barra = m_panel->barra();
    // '>' one level down, '-' an entry that cannot be chosen.
    const QStringList esperado = {u"Sumario"_s, u"Cimentación de puentes"_s,
                                  u">Cimentación de puentes"_s, u">Pilotes"_s, u">>Pilotes"_s,
                                  u">>Hincado"_s, u">Zapatas & losas"_s, u"Apéndices"_s,
                                  u">Índice de autores"_s, u">-Erratas"_s};
    cargar(conIndice);
    QTRY_VERIFY(barra->indice->isVisible());
    QCOMPARE(leerMenu(barra->menuIndice), esperado);
    const auto piezas = barra->menuIndice->findChildren<QObject *>().size();
    QCOMPARE(barra->total->text(), u"de 7"_s);
    const QList<std::pair<QString, int>> saltos = {{u"Hincado"_s, 5},
                                                   {u"Zapatas & losas"_s, 6},
                                                   {u"Sumario"_s, 1},
                                                   {u"Índice de autores"_s, 7},
                                                   {u"Cimentación de puentes"_s, 2}};
    for (const auto &[titulo, paginaEsperada] : saltos) {
        QAction *a = buscarEntrada(barra->menuIndice, titulo);
        QVERIFY2(a, qPrintable(titulo));
        a->trigger();
        QCOMPARE(pagina(), paginaEsperada);
        QCOMPARE(m_panel->vista()->paginaActual() + 1, paginaEsperada);
    }

    // The same document again, another one, and back: never the entries twice.
    cargar(conIndice);
    QCOMPARE(leerMenu(barra->menuIndice), esperado);
    QCOMPARE(barra->menuIndice->findChildren<QObject *>().size(), piezas);
    cargar(otro);
    QTRY_COMPARE(leerMenu(barra->menuIndice), QStringList{u"Otra cosa"_s});
    QVERIFY(barra->indice->isVisible());
    buscarEntrada(barra->menuIndice, u"Otra cosa"_s)->trigger();
    QCOMPARE(pagina(), 2);
    QSignalSpy terminado(m_panel, &PanelDocumento::DownloadComplete);
    QVERIFY(m_panel->GoBack());
    QVERIFY(terminado.wait(5000));
    QTRY_VERIFY(m_panel->listoParaLeer());
    QTRY_COMPARE(leerMenu(barra->menuIndice), esperado);
    QCOMPARE(barra->menuIndice->findChildren<QObject *>().size(), piezas);
    cargar(ruta(u"cinco.pdf"_s));
    QVERIFY(!barra->indice->isVisible());
    QVERIFY(leerMenu(barra->menuIndice).isEmpty());
}

void TestLectura::enlaces()
{
    // On the first page: a contents line to near the top of the fourth, and two
    // addresses; the pages are 595 x 842 points.
    const QList<Enlace> enlaces = {{0, QRectF(72, 600, 200, 30), 3, 780, {}},
                                   {0, QRectF(72, 500, 200, 30), -1, 0, "https://example.org/b"},
                                   {0, QRectF(72, 400, 200, 30), -1, 0, "file:///bin/sh"}};
    const QString a = ruta(u"con enlaces.pdf"_s);
    QVERIFY(escribirArchivo(a, pdfConIndice(5, {}, enlaces)));
    Escritorio escritorio;
    for (const QString &esquema : {u"https"_s, u"file"_s})
        QDesktopServices::setUrlHandler(esquema, &escritorio, "abrir");
    const auto sinManejador = qScopeGuard([] {
        for (const QString &esquema : {u"https"_s, u"file"_s})
            QDesktopServices::unsetUrlHandler(esquema);
    });

    cargar(a);
    VistaPdf *v = m_panel->vista();
    QWidget *hoja = v->viewport();
    // A point of a page, in PDF's points, where the view draws it.
    const auto en = [this](int pagina, QPointF punto) {
        const VistaPdf *v = m_panel->vista();
        const QRect r = v->rectanguloPagina(pagina);
        const qreal escala = r.width() / v->document()->pagePointSize(pagina).width();
        return (r.topLeft() + QPointF(punto.x(), 842 - punto.y()) * escala).toPoint();
    };
    const QPoint contenido = en(0, {100, 615});
    QTest::mouseMove(hoja, contenido);
    QCOMPARE(hoja->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(hoja, en(0, {100, 700}));
    QCOMPARE(hoja->cursor().shape(), Qt::ArrowCursor);

    // Only the left button follows a link, and only released on it.
    QSignalSpy cargas(m_panel, &PanelDocumento::DownloadComplete);
    QTest::mouseClick(hoja, Qt::MiddleButton, {}, contenido);
    QTest::mousePress(hoja, Qt::LeftButton, {}, contenido);
    QTest::mouseRelease(hoja, Qt::LeftButton, {}, en(0, {100, 700}));
    QCOMPARE(v->lugar().pagina, 0);
    QCOMPARE(m_panel->historial().size(), 1);

    QTest::mouseClick(hoja, Qt::LeftButton, {}, contenido);
    const VistaPdf::Lugar destino = v->lugar();
    QCOMPARE(destino.pagina, 3);
    QVERIFY2(destino.fraccion > 0.03 && destino.fraccion < 0.1, qPrintable(QString::number(destino.fraccion)));
    QCOMPARE(m_panel->historial(), (QStringList{a, a}));
    QCOMPARE(m_panel->posicionHistorial(), 1);

    // Back and forward inside the document (by key, by the mouse's side
    // buttons) move the view and load nothing.
    QTest::keyClick(v, Qt::Key_Left, Qt::AltModifier);
    QVERIFY(!m_panel->Busy());
    QCOMPARE(v->lugar().pagina, 0);
    QCOMPARE(v->lugar().fraccion, 0);
    QTest::mouseClick(hoja, Qt::ForwardButton, {}, en(0, {100, 700}));
    QCOMPARE(v->lugar().pagina, destino.pagina);
    QTest::mouseClick(hoja, Qt::BackButton, {}, en(0, {100, 700}));
    QCOMPARE(v->lugar().pagina, 0);
    QVERIFY(m_panel->GoForward());
    QCOMPARE(v->lugar().pagina, destino.pagina);
    QVERIFY(!m_panel->GoForward());
    QCOMPARE(cargas.size(), 0);

    // From another document, Back loads this one again at the place left.
    cargar(ruta(u"cinco.pdf"_s));
    QSignalSpy terminado(m_panel, &PanelDocumento::DownloadComplete);
    QVERIFY(m_panel->GoBack());
    QVERIFY(terminado.wait(5000));
    QTRY_VERIFY(m_panel->listoParaLeer());
    QCOMPARE(m_panel->vista()->lugar().pagina, destino.pagina);
    QCOMPARE(m_panel->LocationName(), u"con enlaces.pdf"_s);

    // An address on the web goes to the desktop; a file on this machine does not.
    m_panel->vista()->irAPagina(0);
    hoja = m_panel->vista()->viewport();
    QTest::mouseClick(hoja, Qt::LeftButton, {}, en(0, {100, 515}));
    QTest::mouseClick(hoja, Qt::LeftButton, {}, en(0, {100, 415}));
    QCOMPARE(escritorio.abiertas, QList<QUrl>{QUrl(u"https://example.org/b"_s)});
}

// Whichever library reads them, a page's links come out alike: in points
// from the page's top-left corner, a place on the destination page, an address.
void TestLectura::enlacesLeidos_data()
{
    QTest::addColumn<Enlace>("enlace");
    QTest::addColumn<int>("leidos");
    QTest::addColumn<int>("pagina");
    QTest::addColumn<QPointF>("lugar");
    QTest::addColumn<QUrl>("url");
    const QRectF zona(72, 600, 200, 30);
    QTest::newRow("a una altura") << Enlace{0, zona, 3, 780, {}} << 1 << 3 << QPointF(0, 62)
                                  << QUrl();
    QTest::newRow("a la página entera") << Enlace{0, zona, 2, -1, {}} << 1 << 2 << QPointF()
                                        << QUrl();
    QTest::newRow("a la web") << Enlace{0, zona, -1, 0, "https://example.org/b?c=1"} << 1 << -1
                              << QPointF() << QUrl(u"https://example.org/b?c=1"_s);
    // The pane opens neither, but the reader is told where they lead.
    QTest::newRow("a un programa") << Enlace{0, zona, -1, 0, "/Launch /F (/bin/sh)"} << 1 << -1
                                   << QPointF() << QUrl::fromLocalFile(u"/bin/sh"_s);
    QTest::newRow("a otro archivo")
        << Enlace{0, zona, -1, 0, "/GoToR /F (otro.pdf) /D [0 /Fit]"} << 1 << -1 << QPointF()
        << QUrl::fromLocalFile(u"otro.pdf"_s);
}

void TestLectura::enlacesLeidos()
{
    QFETCH(Enlace, enlace);
    QFETCH(int, leidos);
    const QString archivo = ruta(QString::fromUtf8(QTest::currentDataTag()) + u".pdf"_s);
    QVERIFY(escribirArchivo(archivo, pdfConIndice(5, {}, {enlace})));
    QPdfDocument documento;
    QCOMPARE(documento.load(archivo), QPdfDocument::Error::None);
    EnlacesPdf enlaces(&documento, archivo);
    const QList<EnlacePdf> &leida = enlaces.dePagina(0);
    QCOMPARE(leida.size(), leidos);
    QVERIFY(enlaces.dePagina(1).isEmpty());
    if (leidos == 0)
        return;
    const EnlacePdf &e = leida.first();
    const auto redondo = [](QRectF r) {
        return QRect(qRound(r.x()), qRound(r.y()), qRound(r.width()), qRound(r.height()));
    };
    QCOMPARE(redondo(e.zona), QRect(72, 842 - 630, 200, 30));
    QTEST(e.pagina, "pagina");
    QFETCH(QPointF, lugar);
    QCOMPARE(e.lugar.toPoint(), lugar.toPoint());
    QTEST(e.url, "url");
    QCOMPARE(enlaces.en(0, QPointF(100, 842 - 615)), &e);
    QCOMPARE(enlaces.en(0, QPointF(100, 842 - 700)), nullptr);
}

void TestLectura::imprimir_data()
{
    QTest::addColumn<int>("desde");
    QTest::addColumn<int>("hasta");
    QTest::addColumn<int>("hojas");
    QTest::newRow("todas") << 0 << 0 << 5;
    QTest::newRow("de la 2 a la 3") << 2 << 3 << 2;
    QTest::newRow("más allá del final") << 4 << 9 << 2;
}

void TestLectura::imprimir()
{
    QFETCH(int, desde);
    QFETCH(int, hasta);
    QFETCH(int, hojas);

    QPdfDocument documento;
    QCOMPARE(documento.load(ruta(u"cinco.pdf"_s)), QPdfDocument::Error::None);
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setPageSize(QPageSize(QPageSize::Letter));
    const QString salida = ruta(u"impreso-%1.pdf"_s.arg(desde));
    impresora.setOutputFileName(salida);
    if (desde > 0) {
        impresora.setPrintRange(QPrinter::PageRange);
        impresora.setFromTo(desde, hasta);
    }
    const auto hecho = ImpresionPdf::imprimir(documento, impresora);
    QVERIFY2(hecho, qPrintable(hecho.error()));

    QPdfDocument impreso;
    QCOMPARE(impreso.load(salida), QPdfDocument::Error::None);
    QCOMPARE(impreso.pageCount(), hojas);
    // Each sheet holds its page whole: the band over its top third, and the
    // A4 page, narrower than the Letter sheet, leaves white at the sides.
    for (int i = 0; i < hojas; ++i) {
        const QImage hoja = impreso.render(i, QSize(216, 279));
        const QRgb banda = hoja.pixel(108, 40);
        QVERIFY2(qAlpha(banda) > 200 && qGray(banda) < 80, "the page is not drawn on the sheet");
        const QRgb lado = hoja.pixel(2, 40); // nothing drawn there: clear or white
        QVERIFY(qAlpha(lado) < 50 || qGray(lado) > 200);
    }
}

void TestLectura::guardarCopia()
{
    const QString origen = ruta(u"cinco.pdf"_s);
    QFile f(origen);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    const QString destino = ruta(u"copia.pdf"_s);
    QVERIFY(escribirArchivo(destino, "lo que había"));

    const auto guardada = ImpresionPdf::guardarCopia(origen, destino);
    QVERIFY2(guardada, qPrintable(guardada.error()));
    QFile copia(destino);
    QVERIFY(copia.open(QIODevice::ReadOnly));
    QCOMPARE(copia.readAll(), bytes);
    // Never onto the document itself.
    const auto encima = ImpresionPdf::guardarCopia(origen, origen);
    QVERIFY(!encima);
    QVERIFY(!encima.error().isEmpty());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), bytes);
}

QTEST_MAIN(TestLectura)
#include "tst_lectura.moc"
