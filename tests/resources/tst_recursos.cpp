// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recursos.h"

#include <QImage>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

// The pictures are compiled into the static library; nothing here calls
// Q_INIT_RESOURCE, so these tests also check that linking is enough.
class TestRecursos final : public QObject
{
    Q_OBJECT

private slots:
    void imagen_data();
    void imagen();
    void fondoDeBarra_data();
    void fondoDeBarra();
    void nadaBajoLosControles_data();
    void nadaBajoLosControles();
    void botonOscuroSobreClaro_data();
    void botonOscuroSobreClaro();
    void imagenDesconocida();
    void icono();
};

namespace {

const QColor grisDeBarra(214, 211, 206);

// Share of pixels that differ clearly from the top left one.
double partDistinta(const QImage &img)
{
    const QColor esquina = img.pixelColor(0, 0);
    qint64 distintos = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (qAbs(c.red() - esquina.red()) + qAbs(c.green() - esquina.green())
                    + qAbs(c.blue() - esquina.blue()) + qAbs(c.alpha() - esquina.alpha()) > 30)
                ++distintos;
        }
    return double(distintos) / (qint64(img.width()) * img.height());
}

int luminancia(const QColor &c)
{
    return (c.red() * 299 + c.green() * 587 + c.blue() * 114) / 1000;
}

} // namespace

void TestRecursos::imagen_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QSize>("tamano");

    QTest::newRow("principal") << u"principal"_s << QSize(800, 600);
    QTest::newRow("busqueda") << u"busqueda"_s << QSize(800, 600);
    QTest::newRow("autores") << u"autores"_s << QSize(652, 500);
    QTest::newRow("materias") << u"materias"_s << QSize(550, 550);
    QTest::newRow("boton_informacion") << u"boton_informacion"_s << QSize(97, 33);
    QTest::newRow("boton_comenzar") << u"boton_comenzar"_s << QSize(97, 33);
    QTest::newRow("boton_salir") << u"boton_salir"_s << QSize(97, 33);
    QTest::newRow("boton_buscar") << u"boton_buscar"_s << QSize(65, 25);
    QTest::newRow("boton_volver") << u"boton_volver"_s << QSize(49, 25);
    QTest::newRow("icono") << u"icono"_s << QSize(256, 256);
    QTest::newRow("atras") << u"atras"_s << QSize(21, 19);
    QTest::newRow("adelante") << u"adelante"_s << QSize(21, 19);
    QTest::newRow("casa") << u"casa"_s << QSize(26, 21);
    QTest::newRow("actualizar") << u"actualizar"_s << QSize(24, 21);
    QTest::newRow("detener") << u"detener"_s << QSize(25, 21);
}

void TestRecursos::imagen()
{
    QFETCH(QString, nombre);
    QFETCH(QSize, tamano);

    const QPixmap pixmap = Recursos::imagen(nombre);
    QVERIFY2(!pixmap.isNull(), qPrintable(nombre));
    QCOMPARE(pixmap.size(), tamano);
    // Something is drawn, not just a ground of one colour.
    QVERIFY(partDistinta(pixmap.toImage()) > 0.02);
}

void TestRecursos::fondoDeBarra_data()
{
    QTest::addColumn<QString>("nombre");
    for (const char *n : {"atras", "adelante", "casa", "actualizar", "detener"})
        QTest::newRow(n) << QString::fromLatin1(n);
}

void TestRecursos::fondoDeBarra()
{
    QFETCH(QString, nombre);
    const QImage img = Recursos::imagen(nombre).toImage();
    QVERIFY(!img.isNull());
    const int r = img.width() - 1;
    const int b = img.height() - 1;
    for (const QPoint &esquina : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)}) {
        const QColor c = img.pixelColor(esquina);
        QCOMPARE(c.alpha(), 255);
        QCOMPARE(c.rgb(), grisDeBarra.rgb());
    }
}

void TestRecursos::nadaBajoLosControles_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QRect>("control");

    QTest::newRow("principal BotonInform") << u"principal"_s << QRect(376, 440, 97, 33);
    QTest::newRow("principal BotonComenzar") << u"principal"_s << QRect(504, 440, 97, 33);
    QTest::newRow("principal BotonSalir") << u"principal"_s << QRect(632, 440, 97, 33);
    QTest::newRow("busqueda BotonBusCron") << u"busqueda"_s << QRect(208, 176, 65, 25);
    QTest::newRow("busqueda TextAutor") << u"busqueda"_s << QRect(376, 176, 225, 27);
    QTest::newRow("busqueda BotonAutor") << u"busqueda"_s << QRect(632, 176, 65, 25);
    QTest::newRow("busqueda Materias") << u"busqueda"_s << QRect(24, 288, 145, 24);
    QTest::newRow("busqueda BotonMateria") << u"busqueda"_s << QRect(208, 288, 65, 25);
    QTest::newRow("busqueda TextTitulo") << u"busqueda"_s << QRect(376, 288, 225, 27);
    QTest::newRow("busqueda BotonTitulo") << u"busqueda"_s << QRect(632, 288, 65, 25);
    QTest::newRow("busqueda ListaArtic") << u"busqueda"_s << QRect(16, 376, 745, 147);
    QTest::newRow("busqueda BotonSalir") << u"busqueda"_s << QRect(712, 528, 49, 25);
    QTest::newRow("autores ListaAutores") << u"autores"_s << QRect(16, 56, 505, 260);
    QTest::newRow("materias ListaMaterias") << u"materias"_s << QRect(24, 48, 497, 276);
}

// A caption under a control would be hidden by it: the ground there must be
// plain, allowing for a gentle gradient.
void TestRecursos::nadaBajoLosControles()
{
    QFETCH(QString, nombre);
    QFETCH(QRect, control);

    const QImage img = Recursos::imagen(nombre).toImage();
    QVERIFY(img.rect().contains(control));
    int minimo = 255;
    int maximo = 0;
    for (int y = control.top(); y <= control.bottom(); ++y)
        for (int x = control.left(); x <= control.right(); ++x) {
            const int l = luminancia(img.pixelColor(x, y));
            minimo = qMin(minimo, l);
            maximo = qMax(maximo, l);
        }
    QVERIFY2(maximo - minimo <= 16,
             qPrintable(u"luminancia de %1 a %2"_s.arg(minimo).arg(maximo)));
}

void TestRecursos::botonOscuroSobreClaro_data()
{
    QTest::addColumn<QString>("nombre");
    for (const char *n : {"boton_informacion", "boton_comenzar", "boton_salir", "boton_buscar",
                          "boton_volver"})
        QTest::newRow(n) << QString::fromLatin1(n);
}

void TestRecursos::botonOscuroSobreClaro()
{
    QFETCH(QString, nombre);
    const QImage img = Recursos::imagen(nombre).toImage();
    QVERIFY(!img.isNull());
    // Inside the bevel: mostly a light ground, with dark strokes of the word.
    const QRect cara = img.rect().adjusted(4, 4, -4, -4);
    qint64 suma = 0;
    int oscuros = 0;
    for (int y = cara.top(); y <= cara.bottom(); ++y)
        for (int x = cara.left(); x <= cara.right(); ++x) {
            const int l = luminancia(img.pixelColor(x, y));
            suma += l;
            if (l < 90)
                ++oscuros;
        }
    const qint64 pixeles = qint64(cara.width()) * cara.height();
    QVERIFY(suma / pixeles > 180);
    QVERIFY(oscuros > 20);
}

void TestRecursos::imagenDesconocida()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"no_existe"_s));
    QVERIFY(Recursos::imagen(u"no_existe"_s).isNull());
}

void TestRecursos::icono()
{
    const QIcon icon = Recursos::icono();
    QVERIFY(!icon.isNull());
    for (const int lado : {16, 32, 48}) {
        const QPixmap pixmap = icon.pixmap(QSize(lado, lado));
        QCOMPARE(pixmap.size(), QSize(lado, lado));
        QVERIFY(partDistinta(pixmap.toImage()) > 0.3);
    }
}

QTEST_MAIN(TestRecursos)
#include "tst_recursos.moc"
