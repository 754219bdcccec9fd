// SPDX-License-Identifier: GPL-3.0-or-later
// bench_motor: the floor under the searches, and the import of Jet catalogues.
//
//   bench_motor suelo --catalogo F --caso CASO [--texto T] [--vueltas N] [--tamano X]
//                     [--como-jet] [--pragma P]...
//     The SQLite engine alone (with the catalogue's collation) running the very
//     statements a search's click runs, stepping every row and taking the text
//     of the columns the program reads: what no program on top can beat. With
//     --como-jet, on the catalogue copied into the shape of a Jet import; each
//     --pragma is run on the connection first, to try a setting.
//   bench_motor jet [--vueltas N] ARCHIVO...
//     The time to open each Jet (.mdb) file as a catalogue: read whole through
//     libmdb into memory, indexes built (CPU time: with the reading process's).
//   bench_motor copia [--vueltas N] [--tamano X] ARCHIVO...
//     The same for SQLite catalogues of another tool's schema: each copied into
//     memory with the program's declarations, indexes built.
//   bench_motor lectura [--vueltas N] ARCHIVO...
//     libmdb alone reading every row of every user table of each Jet file, each
//     value converted into its bound buffer: what the import cannot beat.

#include "Catalogo.h"
#include "CopiaJet.h"
#include "JetImport.h"
#include "Medida.h"
#include "Suelo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>
// mdbtools.h includes glib inside an extern "C" block: glib first.
#include <glib.h>
#include <mdbtools.h>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void fallar(const QString &motivo)
{
    std::fprintf(stderr, "bench_motor: %s\n", qPrintable(motivo));
    std::exit(2);
}

struct Opciones
{
    QString catalogo, caso, texto, tamano;
    int vueltas = 5;
    bool comoJet = false;
    QStringList pragmas;
    QStringList archivos;
};

Opciones leer(const QStringList &a)
{
    Opciones o;
    for (qsizetype i = 2; i < a.size(); ++i) {
        const QString &n = a.at(i);
        if (n == u"--catalogo")
            o.catalogo = a.value(++i);
        else if (n == u"--caso")
            o.caso = a.value(++i);
        else if (n == u"--texto")
            o.texto = a.value(++i);
        else if (n == u"--tamano")
            o.tamano = a.value(++i);
        else if (n == u"--vueltas")
            o.vueltas = std::max(1, a.value(++i).toInt());
        else if (n == u"--como-jet")
            o.comoJet = true;
        else if (n == u"--pragma")
            o.pragmas << a.value(++i);
        else
            o.archivos << n;
    }
    return o;
}

int suelo(const Opciones &o)
{
    const auto abierto = o.comoJet ? CopiaJet::crear(o.catalogo) : Catalogo::abrir(o.catalogo);
    if (!abierto)
        fallar(abierto.error());
    const std::shared_ptr<Catalogo> catalogo = *abierto;
    sqlite3 *db = catalogo->conexion();
    for (const QString &p : o.pragmas)
        if (sqlite3_exec(db, (u"PRAGMA "_s + p).toUtf8().constData(), nullptr, nullptr, nullptr)
            != SQLITE_OK)
            fallar(QString::fromUtf8(sqlite3_errmsg(db)));

    const QStringList sentencias = Suelo::sentencias(db, o.caso, o.texto);
    if (sentencias.isEmpty())
        fallar(u"caso desconocido: "_s + o.caso);

    Medida::Serie serie;
    qint64 filas = 0;
    for (int i = 0; i < o.vueltas; ++i) {
        const qint64 t0 = Medida::ahoraNs();
        const qint64 c0 = Medida::cpuNs();
        filas = Suelo::recorrerTodas(db, sentencias);
        serie.ms << Medida::msDesde(t0);
        serie.cpu << double(Medida::cpuNs() - c0) / 1e6;
        Medida::vuelta(u"suelo "_s + o.caso, i, serie.ms.last());
    }
    Medida::resultado((o.comoJet ? u"comojet:"_s : u"suelo:"_s) + o.caso, o.tamano, filas, serie);
    return 0;
}

// CPU time of this process and of its children that have ended (the Jet
// reading processes).
qint64 cpuConHijosNs()
{
    rusage r{};
    getrusage(RUSAGE_CHILDREN, &r);
    const auto ns = [](const timeval &t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_usec * 1000; };
    return Medida::cpuNs() + ns(r.ru_utime) + ns(r.ru_stime);
}

// Opens each file into an in-memory copy `vueltas` times, with `abrir`, and
// prints the time it took, prefixed with `prefijo`.
int copias(const Opciones &o, const QString &prefijo,
           Resultado<Conexion> (*abrir)(const QString &))
{
    for (const QString &archivo : o.archivos) {
        Medida::Serie serie;
        qint64 filas = 0;
        for (int i = 0; i < o.vueltas; ++i) {
            const qint64 t0 = Medida::ahoraNs();
            const qint64 c0 = cpuConHijosNs();
            const auto abierta = abrir(archivo);
            serie.ms << Medida::msDesde(t0);
            serie.cpu << double(cpuConHijosNs() - c0) / 1e6;
            if (!abierta)
                fallar(archivo + u": "_s + abierta.error());
            sqlite3 *db = abierta->get();
            // Rows of every table, outside the time.
            filas = 0;
            sqlite3_stmt *tablas = nullptr;
            sqlite3_prepare_v2(db, "SELECT name FROM sqlite_schema WHERE type = 'table'", -1,
                               &tablas, nullptr);
            while (sqlite3_step(tablas) == SQLITE_ROW) {
                const QByteArray nombre(
                    reinterpret_cast<const char *>(sqlite3_column_text(tablas, 0)));
                filas += Suelo::primerEntero(db, ("SELECT count(*) FROM \"" + nombre + "\"").constData());
            }
            sqlite3_finalize(tablas);
        }
        Medida::resultado(prefijo + QFileInfo(archivo).fileName(),
                          o.tamano.isEmpty()
                              ? QString::number(QFileInfo(archivo).size() / 1024) + u"KiB"_s
                              : o.tamano,
                          filas, serie);
    }
    return 0;
}

int lectura(const Opciones &o)
{
    setenv("MDB_ICONV", "UTF-8", 1);
    for (const QString &archivo : o.archivos) {
        Medida::Serie serie;
        qint64 filas = 0;
        for (int i = 0; i < o.vueltas; ++i) {
            const qint64 t0 = Medida::ahoraNs();
            const qint64 c0 = Medida::cpuNs();
            MdbHandle *mdb = mdb_open(QFile::encodeName(archivo).constData(), MDB_NOFLAGS);
            if (!mdb)
                fallar(archivo + u": libmdb no lo abre"_s);
            filas = 0;
            GPtrArray *catalogo = mdb_read_catalog(mdb, MDB_TABLE);
            for (guint t = 0; catalogo && t < catalogo->len; ++t) {
                auto *entrada = static_cast<MdbCatalogEntry *>(g_ptr_array_index(catalogo, t));
                if (!mdb_is_user_table(entrada))
                    continue;
                MdbTableDef *tabla = mdb_read_table(entrada);
                if (!tabla)
                    continue;
                mdb_read_columns(tabla);
                std::vector<std::vector<char>> buffers(tabla->num_cols,
                                                       std::vector<char>(MDB_BIND_SIZE));
                for (unsigned c = 0; c < tabla->num_cols; ++c)
                    mdb_bind_column(tabla, int(c) + 1, buffers[c].data(), nullptr);
                mdb_rewind_table(tabla);
                while (mdb_fetch_row(tabla))
                    ++filas;
                mdb_free_tabledef(tabla);
            }
            mdb_close(mdb);
            serie.ms << Medida::msDesde(t0);
            serie.cpu << double(Medida::cpuNs() - c0) / 1e6;
        }
        Medida::resultado(u"lectura:"_s + QFileInfo(archivo).fileName(),
                          QString::number(QFileInfo(archivo).size() / 1024) + u"KiB"_s, filas,
                          serie);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    const Opciones o = leer(a);
    if (a.value(1) == u"suelo" && !o.catalogo.isEmpty())
        return suelo(o);
    if (a.value(1) == u"jet" && !o.archivos.isEmpty())
        return copias(o, u"jet:"_s, JetImport::importar);
    if (a.value(1) == u"copia" && !o.archivos.isEmpty())
        return copias(o, u"copia:"_s, CatalogoAjeno::copiar);
    if (a.value(1) == u"lectura" && !o.archivos.isEmpty())
        return lectura(o);
    std::fputs("Uso: bench_motor suelo --catalogo F --caso CASO [--texto T] [--vueltas N] "
               "[--tamano X]\n       bench_motor jet [--vueltas N] ARCHIVO...\n"
               "       bench_motor copia [--vueltas N] [--tamano X] ARCHIVO...\n"
               "       bench_motor lectura [--vueltas N] ARCHIVO...\n",
               stderr);
    return 2;
}
