// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpora of the fuzz targets, always the same bytes:
//   fuzz_generar_corpus <tests/fixtures> <tests/fuzz/corpus>
// fuzz_catalogo: the Jet fixtures, the SQLite test catalogue (two page sizes),
// each cut at several page boundaries and with a few bits flipped in the pages a
// reader visits first. fuzz_acentos, fuzz_sentencias: texts with accents, ñ, ü,
// quotes, combining marks, emoji, right-to-left script, NULs and broken encodings.

#include "Colacion.h"
#include "Esquema.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

bool escribir(const QString &ruta, const QByteArray &bytes)
{
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "no se puede escribir %s\n", qPrintable(ruta));
        return false;
    }
    return true;
}

// The test catalogue as a file image; small pages keep the fuzzer's inputs small.
QByteArray catalogoSqlite(const QString &fixtures, int pagina)
{
    QFile sql(fixtures + u"/catalogo.sql"_s);
    if (!sql.open(QIODevice::ReadOnly))
        return {};
    const QByteArray datos = sql.readAll();
    sqlite3 *db = nullptr;
    QByteArray imagen;
    const QByteArray pragma = "PRAGMA page_size=" + QByteArray::number(pagina);
    if (sqlite3_open(":memory:", &db) == SQLITE_OK
        && sqlite3_exec(db, pragma.constData(), nullptr, nullptr, nullptr) == SQLITE_OK
        && Colacion::registrar(db) && Esquema::crearTablas(db)
        && sqlite3_exec(db, datos.constData(), nullptr, nullptr, nullptr) == SQLITE_OK
        && Esquema::crearIndices(db)
        && sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr) == SQLITE_OK) {
        sqlite3_int64 largo = 0;
        if (unsigned char *p = sqlite3_serialize(db, "main", &largo, 0)) {
            imagen = QByteArray(reinterpret_cast<const char *>(p), qsizetype(largo));
            sqlite3_free(p);
        }
    }
    if (imagen.isEmpty())
        std::fprintf(stderr, "catálogo SQLite: %s\n", sqlite3_errmsg(db));
    sqlite3_close(db);
    return imagen;
}

// Page size as the file's header gives it.
int paginaDe(const QByteArray &b)
{
    if (b.startsWith(QByteArrayLiteral("SQLite format 3\0")) && b.size() > 17) {
        const int p = (uchar(b[16]) << 8) | uchar(b[17]);
        return p == 1 ? 65536 : p;
    }
    // Jet: version byte at 0x14, 0 for Jet 3 (2 KB pages), Jet 4 and later 4 KB.
    return b.size() > 0x14 && b[0x14] == 0 ? 2048 : 4096;
}

struct Base
{
    QString nombre;
    QByteArray bytes;
    int copiasVolteadas;
    bool cortarAlFinal;
};

void semillasCatalogo(const std::vector<Base> &bases, const QString &salida)
{
    for (const Base &base : bases) {
        const QByteArray &b = base.bytes;
        const int p = paginaDe(b);
        escribir(salida + u'/' + base.nombre, b);

        // Cut inside the header, at the first page boundaries (catalogue and
        // table definitions), and one page short of the end.
        std::vector<qsizetype> cortes = {64, p, 2 * p, 3 * p, 5 * p, 8 * p};
        if (base.cortarAlFinal)
            cortes.push_back(b.size() - p);
        for (const qsizetype corte : cortes)
            if (corte > 0 && corte < b.size())
                escribir(salida + u'/' + base.nombre + u".corte-"_s + QString::number(corte),
                         b.left(corte));

        // Bits flipped where the reader looks first: the first pages.
        uint32_t azar = 2166136261u; // FNV-1a of the name: the same flips on every run
        for (const char c : base.nombre.toUtf8())
            azar = (azar ^ uchar(c)) * 16777619u;
        const qsizetype zona = std::min<qsizetype>(b.size(), 16 * qsizetype(p));
        for (int copia = 0; copia < base.copiasVolteadas; ++copia) {
            QByteArray v = b;
            for (int i = 0; i < 8; ++i) {
                azar = azar * 1664525u + 1013904223u;
                const qsizetype pos = qsizetype((azar >> 8) % uint32_t(zona));
                // Never the signature: the file must still reach its reader.
                if (pos < 32)
                    continue;
                v[pos] = char(v[pos] ^ (1 << ((azar >> 4) & 7)));
            }
            escribir(salida + u'/' + base.nombre + u".bits-"_s + QString::number(copia), v);
        }
    }
}

// Texts for both text targets: what a reader types or a catalogue holds, and
// what breaks naive code.
const std::vector<QByteArray> &textos()
{
    static const std::vector<QByteArray> t = {
        "canción",
        "ÁRBOL de decisiones",
        "Árbol de decisiones para el tráfico",
        "arbol",
        "niño NIÑO nino",
        "pingüino PINGÜINO",
        "àèìòù âêîôû",
        "a\xcc\x81rbol", // a + combining acute
        "Martínez Ruiz, Ana",
        "  Núñez Gómez, José  ",
        "O'Donnell, Patricio",
        "L'Eixample: trazado y circulación",
        "'; DROP TABLE Autores; --",
        "') OR ('1'='1",
        "x' OR 'a'='a",
        "''''",
        "\\",
        "barra\\' invertida",
        "comillas \"dobles\" y `graves`",
        QByteArray("NUL\0dentro'", 11),
        "-- comentario",
        "/* comentario",
        "?1 :a @b $c %_",
        "\xf0\x9f\x93\x9a Bolet\xc3\xadn \xf0\x9f\x9a\x86", // books, Boletín, train
        "\xd8\xa7\xd9\x84\xd8\xb9\xd8\xb1\xd8\xa8\xd9\x8a\xd8\xa9 \xd7\xa2\xd7\x91\xd7\xa8\xd7\x99\xd7\xaa",
        "\xe2\x80\xaeright-to-left override",
        "ΟΔΥΣΣΕΥΣ ὀδυσσεύς",
        "İstanbul ıi",
        "Straße ﬁn",
        "ǅemal ǈ",
        "\t tab \t",
        "   ",
        "",
        "\xff\xfe\xc3 roto \xe2\x82",
        "\xed\xa0\x80 surrogate",
        "\xc3\x81\xc3\x89\xc3\x8d\xc3\x93\xc3\x9a \xc3\xa1\xc3\xa9\xc3\xad\xc3\xb3\xc3\xba",
    };
    return t;
}

QByteArray utf16le(const QByteArray &utf8)
{
    const QString s = QString::fromUtf8(utf8);
    QByteArray r;
    for (const QChar c : s) {
        r += char(c.unicode() & 0xff);
        r += char(c.unicode() >> 8);
    }
    return r;
}

void semillasTexto(const QString &acentos, const QString &sentencias)
{
    int n = 0;
    for (const QByteArray &t : textos()) {
        const QString numero = QString::number(n).rightJustified(2, u'0');
        // Variant seed, then cuts at a third and at half of the rest: t in the middle.
        const QByteArray cabecera = QByteArray("\x5a\x55\x80", 3);
        escribir(acentos + u"/utf8-"_s + numero, cabecera + t);
        escribir(acentos + u"/utf16-"_s + numero, cabecera + utf16le(t));

        const qint32 claves[] = {1, -1, 0, 32767, 32768, -32768, 40000, 2147483647,
                                 qint32(0x80000000u)};
        const qint32 clave = claves[n % std::size(claves)];
        QByteArray k(4, '\0');
        std::memcpy(k.data(), &clave, 4);
        escribir(sentencias + u"/utf8-"_s + numero, k + t);
        escribir(sentencias + u"/utf16-"_s + numero, k + utf16le(t));
        ++n;
    }
    // Lone surrogates only UTF-16 can carry.
    escribir(acentos + u"/utf16-solitarios"_s, QByteArray("\x11\x80\x80" "a\0\x00\xd8" "b\0\x00\xdc" "\x01\xd8\x37\xdc", 15));
    escribir(sentencias + u"/utf16-solitarios"_s, QByteArray("\x05\0\0\0" "'\0\x00\xd8" "'\0\x00\xdc", 12));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "uso: %s <tests/fixtures> <carpeta del corpus>\n", argv[0]);
        return 2;
    }
    const QString fixtures = QFile::decodeName(argv[1]);
    const QString corpus = QFile::decodeName(argv[2]);
    const QString catalogo = corpus + u"/fuzz_catalogo"_s;
    const QString acentos = corpus + u"/fuzz_acentos"_s;
    const QString sentencias = corpus + u"/fuzz_sentencias"_s;
    // Only what an earlier run wrote is replaced: seeds added by hand stay.
    for (const QString &d : {catalogo, acentos, sentencias}) {
        QDir().mkpath(d);
        QDir dir(d);
        for (const QString &f : dir.entryList({u"jet-*"_s, u"sqlite-*"_s, u"utf8-*"_s, u"utf16-*"_s},
                                              QDir::Files))
            dir.remove(f);
    }

    std::vector<Base> bases;
    const QDir jet(fixtures + u"/jet"_s);
    for (const QFileInfo &f : jet.entryInfoList({u"*.mdb"_s}, QDir::Files, QDir::Name)) {
        QFile archivo(f.filePath());
        if (!archivo.open(QIODevice::ReadOnly))
            return 1;
        // The catalogue's own tables get more variants than the foreign files.
        const bool propio = f.fileName().startsWith(u"boletin"_s);
        bases.push_back({u"jet-"_s + f.fileName(), archivo.readAll(), propio ? 3 : 1, propio});
    }
    for (const int pagina : {512, 4096}) {
        const QByteArray imagen = catalogoSqlite(fixtures, pagina);
        if (imagen.isEmpty())
            return 1;
        bases.push_back({u"sqlite-catalogo-"_s + QString::number(pagina) + u".db"_s, imagen, 3,
                         true});
    }
    if (bases.size() < 3)
        return 1;
    semillasCatalogo(bases, catalogo);
    semillasTexto(acentos, sentencias);
    return 0;
}
