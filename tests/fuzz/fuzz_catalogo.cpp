// SPDX-License-Identifier: GPL-3.0-or-later
// The input is the catalogue file. It is opened as the program opens boletin.mdb
// (SQLite, or Jet read by a child process) and every statement the program runs
// goes through a data source, every column of every row read by name and by index.
//
// The Jet reader runs in a process of its own (boletin-jet, built beside this
// target with the same sanitizers) that the import abandons when it crashes, so a
// sanitizer report there would only read as "damaged file". The sanitizers' exit
// code, set for that process, turns such a report into one the harness can tell
// apart.
//
// Environment:
//   BOLETIN_FUZZ_HIJO_DIR=dir   inputs on which the child crashed, hung or hit a
//                               sanitizer go to dir and fuzzing goes on (without
//                               it, a sanitizer report in the child aborts).
//   BOLETIN_FUZZ_EN_PROCESO=1   Jet inputs are read in this process, without the
//                               child: full sanitizer reports and stacks, for triage.

#include "Catalogo.h"
#include "DataSource.h"
#include "JetAjustes.h"
#include "JetLector.h"
#include "Sentencias.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <iterator>
#include <limits>
#include <new>
#include <optional>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;
using namespace Qt::Literals::StringLiterals;

namespace {

// Exit code of the Jet reading process when a sanitizer stopped it; the import's
// own codes are 0, 1 and 3.
constexpr int codigoSanitizer = 86;
// More than any real catalogue; a fuzzed one past it only costs time.
constexpr qint64 maximoFilas = 20000;
// Per kind of trouble in the child, so a long run does not fill the disc.
constexpr int maximoGuardados = 50;

QString g_ruta;
QByteArray g_carpeta;
QString g_avisoJet;
QString g_dirHijo;
bool g_enProceso = false;

struct Cuentas
{
    qint64 entradas = 0;
    qint64 sqlite = 0;
    qint64 jet = 0;
    qint64 abiertos = 0;
    qint64 hijoSenal = 0;
    qint64 hijoTiempo = 0;
    qint64 hijoSanitizer = 0;
    int guardados[3] = {};
} g_cuentas;

const uint8_t *g_datos = nullptr;
size_t g_largo = 0;

[[noreturn]] void violado(const char *que, const QString &detalle = {})
{
    std::fprintf(stderr, "\n*** fuzz_catalogo: %s\n%s\n", que, qUtf8Printable(detalle));
    std::fflush(stderr);
    std::abort();
}

void manejador(QtMsgType, const QMessageLogContext &contexto, const QString &mensaje)
{
    // The import logs libmdb's complaints for every damaged file: keep only the last.
    if (contexto.category && std::strcmp(contexto.category, "boletin.jet") == 0) {
        g_avisoJet = mensaje;
        return;
    }
    std::fprintf(stderr, "%s\n", qUtf8Printable(mensaje));
}

// The readers forked by the import, written by each child into memory shared
// with this process: other children (the sanitizers' symbolizer) are not ours
// to judge.
struct Hijos
{
    std::atomic<int> cuantos;
    pid_t pid[64];
};
Hijos *g_hijos = nullptr;

// Runs in the child of every fork, that is in the Jet reader only, before it
// becomes boletin-jet (the pid stays).
void trasFork()
{
    const int i = g_hijos->cuantos.fetch_add(1);
    if (i < int(std::size(g_hijos->pid)))
        g_hijos->pid[i] = getpid();
}

void limpiar()
{
    if (g_cuentas.entradas > 0)
        std::fprintf(stderr,
                     "fuzz_catalogo: %lld entradas, %lld SQLite, %lld Jet, %lld catálogos "
                     "abiertos; lector Jet: %lld señales, %lld fuera de tiempo, %lld informes "
                     "de sanitizer\n",
                     qlonglong(g_cuentas.entradas), qlonglong(g_cuentas.sqlite),
                     qlonglong(g_cuentas.jet), qlonglong(g_cuentas.abiertos),
                     qlonglong(g_cuentas.hijoSenal), qlonglong(g_cuentas.hijoTiempo),
                     qlonglong(g_cuentas.hijoSanitizer));
    if (!g_carpeta.isEmpty())
        QDir(QFile::decodeName(g_carpeta)).removeRecursively();
}

void guardarEntrada(int tipo, const char *prefijo)
{
    if (g_dirHijo.isEmpty() || g_cuentas.guardados[tipo] >= maximoGuardados)
        return;
    ++g_cuentas.guardados[tipo];
    const QByteArray bytes(reinterpret_cast<const char *>(g_datos), qsizetype(g_largo));
    const QString nombre = QString::fromLatin1(prefijo) + u'-'
                           + QString::fromLatin1(
                               QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
    QDir().mkpath(g_dirHijo);
    QFile f(g_dirHijo + u'/' + nombre);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// What the import's reason says about the child; statistics and reproducers only.
void anotarFalloJet(const QString &error)
{
    if (error.contains(u"código %1"_s.arg(codigoSanitizer))) {
        ++g_cuentas.hijoSanitizer;
        if (g_dirHijo.isEmpty())
            violado("informe de sanitizer en el proceso lector Jet (repetir con "
                    "BOLETIN_FUZZ_EN_PROCESO=1 para ver la pila)",
                    g_avisoJet);
        guardarEntrada(0, "sanitizer");
    } else if (error.contains(u"con la señal"_s)) {
        ++g_cuentas.hijoSenal;
        guardarEntrada(1, "senal");
    } else if (error.contains(u"no terminó en"_s)) {
        ++g_cuentas.hijoTiempo;
        guardarEntrada(2, "tiempo");
    }
}

int descriptoresAbiertos()
{
    DIR *d = opendir("/proc/self/fd");
    if (!d)
        return -1;
    int n = 0;
    while (readdir(d))
        ++n;
    closedir(d);
    return n;
}

// Every reading process has been waited for: none left running or as a zombie.
void comprobarSinHijos()
{
    const int n = std::min<int>(g_hijos->cuantos.load(), int(std::size(g_hijos->pid)));
    for (int i = 0; i < n; ++i) {
        const pid_t pid = g_hijos->pid[i];
        if (pid <= 0)
            continue;
        const pid_t r = waitpid(pid, nullptr, WNOHANG);
        if (r == pid)
            violado("un proceso lector Jet terminó y nadie lo recogió");
        if (r == 0)
            violado("un proceso lector Jet sigue vivo");
    }
    g_hijos->cuantos = 0;
}

bool escribir(const uint8_t *datos, size_t largo)
{
    const QString base = QFile::decodeName(g_carpeta) + u"/boletin.mdb"_s;
    for (const QString &resto : {u"-journal"_s, u"-wal"_s, u"-shm"_s})
        QFile::remove(base + resto);
    FILE *f = std::fopen(QByteArray(g_carpeta + "/boletin.mdb").constData(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(datos, 1, largo, f) == largo;
    return std::fclose(f) == 0 && ok;
}

// Reads every column of the current row the ways the program reads them.
void leerFila(DataSource &ds, const QStringList &nombres, const QString &fuente)
{
    for (int i = 0; i < nombres.size(); ++i) {
        const QVariant v = ds.valor(i);
        if (ds.esNulo(i) == v.isValid())
            violado("esNulo() y valor() no coinciden", fuente + u" #"_s + QString::number(i));
        int primera = i;
        for (int j = 0; j < i; ++j) {
            if (nombres[j].toLower() == nombres[i].toLower()) {
                primera = j;
                break;
            }
        }
        if (ds.indiceCampo(nombres[i]) != primera)
            violado("indiceCampo() no da la primera columna del nombre", fuente + u" / "_s + nombres[i]);
        const Resultado<QVariant> campo = ds.Fields(nombres[i]);
        if (!campo || *campo != ds.valor(primera))
            violado("Fields() no da el valor de la columna", fuente + u" / "_s + nombres[i]);
        const QString mayusculas = nombres[i].toUpper();
        if (mayusculas.toLower() == nombres[i].toLower()) {
            const Resultado<QVariant> otro = ds.Fields(mayusculas);
            if (!otro || *otro != *campo)
                violado("Fields() distingue mayúsculas", fuente + u" / "_s + mayusculas);
        }
        bool ok = false;
        (void)v.toLongLong(&ok);
        (void)v.toString();
    }
    // As text last: SQLite may change a value's stored form when asked for text.
    const auto columna = [&](int i) { return fuente + u" #"_s + QString::number(i); };
    for (int i = 0; i < nombres.size(); ++i) {
        const bool nulo = ds.esNulo(i);
        const QString t = ds.texto(i);
        if (nulo && !t.isNull())
            violado("texto() de un nulo no es nulo", columna(i));
        const QByteArrayView bytes = ds.utf8(i);
        if (bytes.isNull() != nulo || QString::fromUtf8(bytes) != t)
            violado("utf8() no es el texto de texto()", columna(i));
        // The article line joins two columns; its fast path must not change them.
        for (const int j : {i, (i + 1) % int(nombres.size())}) {
            const QString unido = ds.textoUnido(i, u". ", j);
            if (unido != t + u". "_s + ds.texto(j))
                violado("textoUnido() no es texto() + medio + texto()",
                        columna(i) + u" + #"_s + QString::number(j) + u": "_s + unido);
        }
    }
}

// Runs one record source and walks its rows, calling porFila on each. `sql` is
// the statement the record source stands for, prepared here to learn the column
// names the engine gives.
bool recorrer(sqlite3 *db, DataSource &ds, const QString &fuente, const QString &sql,
              const std::function<void()> &porFila = {})
{
    QStringList nombres;
    bool preparada = false;
    {
        sqlite3_stmt *st = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        preparada = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, nullptr)
                        == SQLITE_OK
                    && st;
        for (int i = 0; st && i < sqlite3_column_count(st); ++i)
            nombres << QString::fromUtf8(sqlite3_column_name(st, i));
        sqlite3_finalize(st);
    }

    ds.setRecordSource(fuente);
    if (const Resultado<> r = ds.Refresh(); !r) {
        if (r.error().isEmpty())
            violado("Refresh() falló sin decir por qué", fuente);
        if (!ds.isEOF())
            violado("Refresh() falló y dejó una fila actual", fuente);
        return false;
    }
    if (!preparada)
        violado("Refresh() aceptó una consulta que SQLite no prepara", fuente);
    if (ds.RecordCount() != (ds.isEOF() ? 0 : 1))
        violado("RecordCount() tras Refresh() no es 0 ni 1 como debe", fuente);

    qint64 filas = 0;
    while (!ds.isEOF() && filas < maximoFilas) {
        ++filas;
        leerFila(ds, nombres, fuente);
        if (porFila)
            porFila();
        if (const Resultado<> paso = ds.MoveNext(); !paso) {
            if (paso.error().isEmpty() || !ds.isEOF())
                violado("MoveNext() falló sin decir por qué o sin llegar al final", fuente);
            return true;
        }
    }
    if (ds.isEOF()) {
        if (ds.RecordCount() != filas)
            violado("RecordCount() al final no es el número de filas",
                    fuente + u": "_s + QString::number(ds.RecordCount()) + u" / "_s
                        + QString::number(filas));
        if (!nombres.isEmpty() && ds.Fields(nombres.first()).ok())
            violado("Fields() da un valor pasada la última fila", fuente);
    }
    return true;
}

// A list line's key as the program keeps it: 32 bits, 0 when it does not fit.
qint32 clave(const std::optional<QVariant> &v)
{
    bool ok = false;
    const qint64 n = v ? v->toLongLong(&ok) : 0;
    if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(n);
}

// The statements in the order a reader's session reaches them, each fed with
// values the earlier ones found, as the program's lists would hand them on.
void ejecutarTodas(Catalogo &catalogo)
{
    sqlite3 *db = catalogo.conexion();
    DataSource ds;
    ds.setDatabaseName(g_ruta);
    auto correr = [&](const QString &sentencia, const std::function<void()> &porFila = {}) {
        return recorrer(db, ds, sentencia, sentencia, porFila);
    };
    auto primero = [&](std::optional<QVariant> &destino, const QString &columna) {
        return [&ds, &destino, columna] {
            if (!destino)
                if (const Resultado<QVariant> v = ds.Fields(columna))
                    destino = *v;
        };
    };

    recorrer(db, ds, Sentencias::tablaGruposMaterias,
             u"SELECT * FROM "_s + Sentencias::tablaGruposMaterias);

    std::optional<QVariant> grupo;
    correr(Sentencias::gruposMaterias(), primero(grupo, u"des_grupo"_s));
    std::optional<QVariant> materia;
    correr(Sentencias::materiasDeGrupo(grupo ? grupo->toString() : QString()),
           primero(materia, u"id_materia"_s));
    correr(Sentencias::articulosDeMateria(clave(materia)));

    std::optional<QVariant> boletin;
    correr(Sentencias::numerosEnOrden(), primero(boletin, u"id_boletin"_s));

    std::optional<QVariant> titulo;
    std::optional<QVariant> articulo;
    correr(Sentencias::todosLosArticulos(), [&] {
        primero(titulo, u"des_articulo"_s)();
        primero(articulo, u"id_articulo"_s)();
    });
    correr(Sentencias::articulosConTitulo(titulo ? titulo->toString() : QString()));

    std::optional<QVariant> nombreAutor;
    correr(Sentencias::todosLosAutores(), primero(nombreAutor, u"autor"_s));
    std::optional<QVariant> autor;
    correr(Sentencias::autorConNombre(nombreAutor ? nombreAutor->toString() : QString()),
           primero(autor, u"id_autor"_s));
    const qint64 idAutor = autor ? autor->toLongLong() : 0;
    correr(Sentencias::articulosDeAutor(idAutor));
    correr(Sentencias::articulosDeAutorPorTitulo(clave(autor)));

    correr(Sentencias::discoYArchivo(u"NumerosPorAños"_s, u"id_boletin"_s, clave(boletin)));
    correr(Sentencias::discoYArchivo(u"AutoresArticulos"_s, u"id_articulo"_s, clave(articulo)));
}

// A crash ends the process without atexit handlers: folders of processes that are
// gone are removed by the next run.
void quitarCarpetasHuerfanas(const QString &base)
{
    const QDir dir(base);
    for (const QString &nombre : dir.entryList({u"boletin-fuzz-*"_s}, QDir::Dirs)) {
        bool ok = false;
        const pid_t pid = nombre.section(u'-', 2, 2).toInt(&ok);
        if (ok && pid > 0 && kill(pid, 0) != 0 && errno == ESRCH)
            QDir(dir.filePath(nombre)).removeRecursively();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const QString base = QDir(u"/dev/shm"_s).exists() ? u"/dev/shm"_s : QDir::tempPath();
    quitarCarpetasHuerfanas(base);
    QByteArray plantilla = QFile::encodeName(base) + "/boletin-fuzz-"
                           + QByteArray::number(qint64(getpid())) + "-XXXXXX";
    if (!mkdtemp(plantilla.data()))
        violado("no se puede crear la carpeta temporal", QString::fromLocal8Bit(plantilla));
    g_carpeta = plantilla;
    g_ruta = QFile::decodeName(g_carpeta) + u"/boletin.mdb"_s;
    std::atexit(limpiar);

    qInstallMessageHandler(manejador);
    // A hanging reader costs this much per input.
    JetImport::setLimite(2s);
    void *compartida = mmap(nullptr, sizeof(Hijos), PROT_READ | PROT_WRITE,
                            MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (compartida == MAP_FAILED)
        violado("no se puede reservar la memoria compartida");
    g_hijos = new (compartida) Hijos{};
    pthread_atfork(nullptr, nullptr, trasFork);
    // Read by the sanitizers of the reading process only: this one has started.
    for (const char *variable : {"ASAN_OPTIONS", "UBSAN_OPTIONS"}) {
        QByteArray opciones = qgetenv(variable);
        if (!opciones.isEmpty())
            opciones += ':';
        opciones += "abort_on_error=0:exitcode=" + QByteArray::number(codigoSanitizer);
        qputenv(variable, opciones);
    }
    g_enProceso = qEnvironmentVariableIntValue("BOLETIN_FUZZ_EN_PROCESO") != 0;
    if (g_enProceso) // as the import's child does before it reads
        qputenv("MDB_ICONV", "UTF-8");
    g_dirHijo = qEnvironmentVariable("BOLETIN_FUZZ_HIJO_DIR");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t largo)
{
    g_datos = datos;
    g_largo = largo;
    ++g_cuentas.entradas;
    if (!escribir(datos, largo))
        violado("no se puede escribir la entrada", g_ruta);

    const Catalogo::Formato formato = Catalogo::formatoDe(g_ruta);
    if (formato == Catalogo::Formato::Sqlite)
        ++g_cuentas.sqlite;
    else if (formato == Catalogo::Formato::Jet)
        ++g_cuentas.jet;

    if (g_enProceso) {
        if (formato == Catalogo::Formato::Jet)
            static_cast<void>(JetLector::leer(QFile::encodeName(g_ruta)));
        return 0;
    }

    Catalogo::olvidarTodos();
    g_avisoJet.clear();
    const int descriptores = descriptoresAbiertos();
    auto abierto = Catalogo::abrir(g_ruta);
    comprobarSinHijos();
    if (!abierto) {
        const QString &error = abierto.error();
        if (descriptoresAbiertos() != descriptores)
            violado("abrir() fallido deja descriptores abiertos", error);
        if (error.isEmpty())
            violado("abrir() falló sin decir por qué");
        if (!error.contains(g_ruta))
            violado("el error de abrir() no nombra el archivo", error);
        if (formato == Catalogo::Formato::Jet)
            anotarFalloJet(error);
        return 0;
    }
    if (formato == Catalogo::Formato::Desconocido)
        violado("abrir() aceptó un archivo que no es SQLite ni Jet");
    std::shared_ptr<Catalogo> catalogo = *std::move(abierto);
    if (!catalogo->conexion())
        violado("abrir() dio un catálogo sin conexión");
    ++g_cuentas.abiertos;

    ejecutarTodas(*catalogo);
    catalogo.reset();
    Catalogo::olvidarTodos();
    if (descriptoresAbiertos() != descriptores)
        violado("el catálogo cerrado deja descriptores abiertos");
    return 0;
}
