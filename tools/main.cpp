// SPDX-License-Identifier: GPL-3.0-or-later
// crear_coleccion: writes a demo collection of the bulletin (catalogue, both
// discs, the two merged) from a seed, or a big catalogue for benchmarks.

#include "Cifras.h"
#include "Coleccion.h"
#include "EscritorCatalogo.h"
#include "EscritorPdf.h"
#include "PaginaInformacion.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHashSeed>
#include <QLocale>

#include <cstdio>
#include <filesystem>
#include <optional>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int maximoArticulos = 5'000'000;
constexpr std::uint64_t semillaPorDefecto = 1950;

const QString ayuda = uR"(Uso: crear_coleccion --destino CARPETA [--articulos N] [--semilla S]
                       [--sin-pdf]

Escribe una colección de demostración del Boletín de VELTRA (1950-2000): el catálogo
boletin.mdb, los dos discos con sus documentos y la colección completa, tal como
queda al copiar los dos discos en un disco duro. La misma semilla y el mismo
tamaño dan siempre el mismo catálogo.

Opciones:
  --destino CARPETA  carpeta en la que se escribe la colección (se crea si no existe)
  --articulos N      número de artículos: por defecto 6000, de 100 a 5000000
  --semilla S        semilla del generador, un entero sin signo (por defecto 1950)
  --sin-pdf          escribe el catálogo, las marcas de disco y la página de
                     información, pero ningún documento PDF
  -h, --ayuda        muestra esta ayuda

Se escribe en CARPETA:
  boletin.mdb                    el catálogo (si ya existe, se sustituye)
  disco1/Imagenes/Tirvosk.dat    la marca del disco 1, con los números de 1950 a 1979
  disco2/Imagenes/Tirvosk2.dat   la marca del disco 2, con los números de 1980 a 2000
  discoN/html/Informacion.html   la página de información, en los dos discos
  completo/                      los dos discos reunidos en una sola carpeta
Los PDF de una ejecución anterior que haya en esas carpetas Imagenes se borran.
)"_s;

struct Opciones
{
    QString destino;
    int articulos = Coleccion::articulosPorDefecto;
    std::uint64_t semilla = semillaPorDefecto;
    bool sinPdf = false;
    bool ayuda = false;
};

void escribirLinea(FILE *salida, const QString &texto)
{
    std::fputs((texto + u'\n').toUtf8().constData(), salida);
}

int fallar(const QString &motivo)
{
    escribirLinea(stderr, u"crear_coleccion: "_s + motivo);
    return 1;
}

// Returns the options, or nullopt after saying on stderr what is wrong.
std::optional<Opciones> leerOpciones(const QStringList &argumentos)
{
    Opciones o;
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        QString nombre = argumentos.at(i);
        QString valor;
        bool conValor = false;
        if (const auto igual = nombre.indexOf(u'='); nombre.startsWith(u"--") && igual > 0) {
            valor = nombre.mid(igual + 1);
            nombre.truncate(igual);
            conValor = true;
        }
        const auto siguiente = [&]() -> bool {
            if (conValor)
                return true;
            if (i + 1 >= argumentos.size())
                return false;
            valor = argumentos.at(++i);
            return true;
        };
        if (nombre == u"-h" || nombre == u"--help" || nombre == u"--ayuda") {
            o.ayuda = true;
        } else if (nombre == u"--sin-pdf") {
            o.sinPdf = true;
        } else if (nombre == u"--destino" || nombre == u"--articulos" || nombre == u"--semilla") {
            if (!siguiente()) {
                fallar(u"falta el valor de %1."_s.arg(nombre));
                return std::nullopt;
            }
            bool ok = true;
            if (nombre == u"--destino") {
                o.destino = valor;
                ok = !valor.isEmpty();
            } else if (nombre == u"--articulos") {
                o.articulos = valor.toInt(&ok);
                ok = ok && o.articulos >= Coleccion::minimoArticulos
                     && o.articulos <= maximoArticulos;
            } else {
                o.semilla = valor.toULongLong(&ok);
            }
            if (!ok) {
                fallar(u"valor no válido para %1: «%2» (véase --ayuda)."_s.arg(nombre, valor));
                return std::nullopt;
            }
        } else {
            fallar(u"opción desconocida: «%1» (véase --ayuda)."_s.arg(argumentos.at(i)));
            return std::nullopt;
        }
    }
    if (!o.ayuda && o.destino.isEmpty()) {
        fallar(u"falta --destino CARPETA (véase --ayuda)."_s);
        return std::nullopt;
    }
    return o;
}

bool escribirArchivo(const QString &ruta, const QByteArray &contenido)
{
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && f.write(contenido) == contenido.size() && f.flush();
}

// A hard link costs no space; where the file system has none, a copy.
bool enlazarOCopiar(const QString &origen, const QString &destino)
{
    QFile::remove(destino);
    if (::link(QFile::encodeName(origen).constData(), QFile::encodeName(destino).constData()) == 0)
        return true;
    return QFile::copy(origen, destino);
}

void borrarPdfs(const QString &carpeta)
{
    QDir dir(carpeta);
    for (const QString &nombre : dir.entryList({u"*.pdf"_s}, QDir::Files))
        dir.remove(nombre);
}

} // namespace

int main(int argc, char **argv)
{
    // QPdfWriter writes its fonts in the order of a hash: with a random seed
    // the same issue came out with other bytes on each run.
    QHashSeed::setDeterministicGlobalSeed();
    // QPdfWriter needs a QGuiApplication; a machine without a display still has
    // the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const auto opciones = leerOpciones(QCoreApplication::arguments());
    if (!opciones)
        return 2;
    if (opciones->ayuda) {
        std::fputs(ayuda.toUtf8().constData(), stdout);
        return 0;
    }

    QElapsedTimer reloj;
    reloj.start();
    const QDir destino(opciones->destino);
    const QString imagenes[] = {destino.filePath(u"disco1/Imagenes"_s),
                                destino.filePath(u"disco2/Imagenes"_s)};
    const QString imagenesCompleto = destino.filePath(u"completo/Imagenes"_s);
    const QString htmls[] = {destino.filePath(u"disco1/html"_s), destino.filePath(u"disco2/html"_s),
                             destino.filePath(u"completo/html"_s)};
    for (const QString &carpeta : {imagenes[0], imagenes[1], imagenesCompleto, htmls[0], htmls[1],
                                   htmls[2]}) {
        if (!QDir().mkpath(carpeta))
            return fallar(u"no se pudo crear la carpeta «%1»."_s.arg(carpeta));
    }

    const Coleccion coleccion(opciones->semilla, opciones->articulos);

    const QString marcas[] = {u"Tirvosk.dat"_s, u"Tirvosk2.dat"_s};
    for (int d = 0; d < 2; ++d) {
        const QByteArray texto = u"Boletín de VELTRA (%1-%2): disco %3 de 2\n"_s
                                     .arg(Coleccion::primerAnio)
                                     .arg(Coleccion::ultimoAnio)
                                     .arg(d + 1)
                                     .toUtf8();
        for (const QString &carpeta : {imagenes[d], imagenesCompleto}) {
            const QString ruta = carpeta + u'/' + marcas[d];
            if (!escribirArchivo(ruta, texto))
                return fallar(u"no se pudo escribir «%1»."_s.arg(ruta));
        }
    }
    const QByteArray pagina = PaginaInformacion::html(coleccion).toUtf8();
    for (const QString &carpeta : htmls) {
        const QString ruta = carpeta + u"/Informacion.html"_s;
        if (!escribirArchivo(ruta, pagina))
            return fallar(u"no se pudo escribir «%1»."_s.arg(ruta));
    }
    for (const QString &carpeta : {imagenes[0], imagenes[1], imagenesCompleto})
        borrarPdfs(carpeta);

    // Written under another name and renamed when complete: a reader never
    // meets a half-written catalogue.
    const QString rutaCatalogo = destino.filePath(u"boletin.mdb"_s);
    const QString rutaTemporal = rutaCatalogo + u".nuevo"_s;
    EscritorCatalogo catalogo;
    if (!catalogo.abrir(rutaTemporal) || !catalogo.escribirPlan(coleccion))
        return fallar(catalogo.errorString());

    qint64 bytesPdf = 0;
    int pdfs = 0;
    int numerosDisco1 = 0;
    for (const NumeroDemo &numero : coleccion.numeros()) {
        numerosDisco1 += numero.disco == 1 ? 1 : 0;
        const std::vector<ArticuloDemo> articulos = coleccion.articulosDe(numero);
        if (!catalogo.escribirArticulos(coleccion, articulos, numero)) {
            QFile::remove(rutaTemporal);
            return fallar(catalogo.errorString());
        }
        if (opciones->sinPdf)
            continue;
        const QString nombre = numero.archivo() + u".pdf"_s;
        const QString ruta = imagenes[numero.disco - 1] + u'/' + nombre;
        QString error;
        if (!EscritorPdf::escribir(ruta, coleccion, numero, articulos, &error)) {
            QFile::remove(rutaTemporal);
            return fallar(error);
        }
        if (!enlazarOCopiar(ruta, imagenesCompleto + u'/' + nombre)) {
            QFile::remove(rutaTemporal);
            return fallar(u"no se pudo copiar «%1» a «%2»."_s.arg(ruta, imagenesCompleto));
        }
        bytesPdf += QFileInfo(ruta).size();
        ++pdfs;
    }
    if (!catalogo.terminar()) {
        QFile::remove(rutaTemporal);
        return fallar(catalogo.errorString());
    }
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(rutaTemporal).constData(),
                            QFile::encodeName(rutaCatalogo).constData(), ec);
    if (ec)
        return fallar(u"no se pudo dejar el catálogo en «%1»: %2."_s.arg(
            rutaCatalogo, QString::fromLocal8Bit(ec.message())));

    const QLocale es(QLocale::Spanish, QLocale::Spain);
    const auto mb = [&es](qint64 bytes) { return es.toString(double(bytes) / 1e6, 'f', 1); };
    const auto numeros = qsizetype(coleccion.numeros().size());
    const QString documentos = opciones->sinPdf
                                   ? u"sin PDF"_s
                                   : cifra(pdfs) + u" PDF ("_s + mb(bytesPdf) + u" MB)"_s;
    escribirLinea(stdout, u"crear_coleccion: "_s + cifra(coleccion.totalArticulos())
                              + u" artículos, "_s + cifra(qsizetype(coleccion.autores().size()))
                              + u" autores, "_s + cifra(qsizetype(coleccion.materias().size()))
                              + u" materias en "_s + cifra(qsizetype(coleccion.grupos().size()))
                              + u" grupos, "_s + cifra(numeros) + u" números ("_s
                              + cifra(numerosDisco1) + u" en el disco 1, "_s
                              + cifra(numeros - numerosDisco1) + u" en el disco 2), "_s
                              + documentos + u"; catálogo "_s
                              + QDir::toNativeSeparators(rutaCatalogo) + u" ("_s
                              + mb(QFileInfo(rutaCatalogo).size()) + u" MB), semilla "_s
                              + QString::number(opciones->semilla) + u", en "_s
                              + es.toString(double(reloj.elapsed()) / 1000.0, 'f', 1) + u" s."_s);
    return 0;
}
