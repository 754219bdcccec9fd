// SPDX-License-Identifier: GPL-3.0-or-later
#include "JetLector.h"

#include "Colacion.h"
#include "Esquema.h"
#include "JetEnvio.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

// mdbtools.h opens an extern "C" block and includes glib inside it, which C++
// rejects unless glib has been included first.
#include <glib.h>
#include <mdbtools.h>
#include <sqlite3.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define BOLETIN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BOLETIN_ASAN 1
#endif
#endif

static_assert(std::endian::native == std::endian::little, "Jet stores numbers little-endian");


namespace {

using JetEnvio::danado;

struct CerrarMdb
{
    void operator()(MdbHandle *m) const { mdb_close(m); }
};
struct LiberarTabla
{
    void operator()(MdbTableDef *t) const { mdb_free_tabledef(t); }
};
struct Finalizar
{
    void operator()(sqlite3_stmt *s) const { sqlite3_finalize(s); }
};
using Mdb = std::unique_ptr<MdbHandle, CerrarMdb>;
using Tabla = std::unique_ptr<MdbTableDef, LiberarTabla>;
using Sentencia = std::unique_ptr<sqlite3_stmt, Finalizar>;

// The row-offset table of a data page keeps two flags in the top bits.
constexpr int mascaraDesplazamiento = 0x1fff;
// A memo's header keeps flags in its length's top byte.
constexpr std::uint32_t mascaraLargoMemo = 0x00ffffff;

QByteArray identificador(const char *nombre)
{
    QByteArray s(nombre);
    s.replace('"', "\"\"");
    return '"' + s + '"';
}

QByteArray tipoDeclarado(int tipo)
{
    switch (tipo) {
    case MDB_TEXT:
    case MDB_MEMO:
        return QByteArrayLiteral("TEXT COLLATE ") + Colacion::nombre;
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return QByteArrayLiteral("INTEGER");
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_MONEY:
        return QByteArrayLiteral("REAL");
    case MDB_NUMERIC:
        return QByteArrayLiteral("NUMERIC");
    case MDB_DATETIME:
    case MDB_REPID:
        return QByteArrayLiteral("TEXT");
    default:
        return QByteArrayLiteral("BLOB");
    }
}

template<typename T> T leer(const unsigned char *p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// A Single holds about seven digits: store the shortest decimal that reads back
// as the same float, so that 0.1 stays 0.1 and not 0.100000001490116.
double desdeSingle(float f)
{
    char texto[32];
    const auto fin = std::to_chars(texto, texto + sizeof texto, f).ptr;
    double d = f;
    std::from_chars(texto, fin, d);
    return d;
}

// Jet counts days from 1899-12-30; before it the whole part counts back while
// the fraction still runs forward from midnight. libmdb 1.0 prints any date
// before that day as "1900-01-00", so the text is made here.
QByteArray fechaJet(double serie)
{
    // Jet's own range, 100-01-01 to 9999-12-31; anything else is no date.
    if (!std::isfinite(serie) || serie < -657434.0 || serie >= 2958466.0)
        return {};
    double dias = 0;
    const double fraccion = std::modf(serie, &dias);
    qint64 segundos = std::llround(std::fabs(fraccion) * 86400.0);
    qint64 dia = qint64(dias);
    if (segundos >= 86400) {
        segundos -= 86400;
        ++dia;
    }
    const QDate fecha = QDate(1899, 12, 30).addDays(dia);
    char texto[32];
    const int n = std::snprintf(texto, sizeof texto, "%04d-%02d-%02d %02lld:%02lld:%02lld",
                                fecha.year(), fecha.month(), fecha.day(), segundos / 3600,
                                segundos / 60 % 60, segundos % 60);
    return QByteArray(texto, n);
}

// One value of a row, read from libmdb's page and kept until its batch of rows
// is inserted. Texts and blobs are owned until bound (SQLite frees them with
// `libre` from then on, or at once if it refuses them).
struct Valor
{
    enum class Tipo : std::uint8_t { Nulo, Entero, Real, Texto, Blob, BlobVacio };
    Tipo tipo = Tipo::Nulo;
    qint64 entero = 0;
    double real = 0;
    void *datos = nullptr;
    qint64 largo = 0; // bytes of a text (without its NUL) or blob
    void (*libre)(void *) = nullptr; // nullptr: static, never freed

    static Valor nulo() { return {}; }
    static Valor deEntero(qint64 v) { return {Tipo::Entero, v}; }
    static Valor deReal(double v) { return {Tipo::Real, 0, v}; }
    // A text of libmdb's (g_malloc), or null. libmdb hands each text in a
    // buffer of its whole bind size (16 KiB): cut to the text, so that a batch
    // of rows holds what it says it holds and touches a page per text no more.
    static Valor textoG(char *texto)
    {
        if (!texto)
            return nulo();
        const size_t largo = std::strlen(texto);
        return Valor{Tipo::Texto, 0, 0, g_realloc(texto, largo + 1), qint64(largo), g_free};
    }
    static Valor vacio() { return {Tipo::Texto, 0, 0, const_cast<char *>(""), 0, nullptr}; }
};

// libmdb converts into a buffer of bind_size bytes and cuts what does not fit:
// make room for the whole memo (a byte or UTF-16 unit gives at most three bytes
// of UTF-8) and put the default back afterwards.
char *memoEntero(MdbHandle *mdb, const MdbField &campo)
{
    const std::uint32_t largo = leer<std::uint32_t>(mdb->pg_buf + campo.start) & mascaraLargoMemo;
    mdb_set_bind_size(mdb, std::max<size_t>(MDB_BIND_SIZE, size_t(largo) * 3 + 1));
    char *texto = mdb_col_to_string(mdb, mdb->pg_buf, campo.start, MDB_MEMO, campo.siz);
    mdb_set_bind_size(mdb, MDB_BIND_SIZE);
    return texto;
}

Valor numerico(MdbHandle *mdb, const MdbColumn *col, const MdbField &campo)
{
    char *texto = mdb_numeric_to_string(mdb, campo.start, col->col_scale, col->col_prec);
    if (!texto)
        return Valor::nulo();
    const char *fin = texto + std::strlen(texto);
    qint64 entero = 0;
    double real = 0;
    if (col->col_scale == 0 && std::from_chars(texto, fin, entero).ptr == fin) {
        g_free(texto);
        return Valor::deEntero(entero);
    }
    if (std::from_chars(texto, fin, real).ptr == fin) {
        g_free(texto);
        return Valor::deReal(real);
    }
    return Valor::textoG(texto); // whatever libmdb made of it, rather than nothing
}

// libmdb gives up on a long value whose pages it cannot read (past the end of a
// cut file, say) and returns what it has, or nothing; the value's header says how
// long it should be.
bool memo(MdbHandle *mdb, const MdbField &campo, Valor *v)
{
    const std::uint32_t largo = leer<std::uint32_t>(mdb->pg_buf + campo.start) & mascaraLargoMemo;
    char *texto = memoEntero(mdb, campo);
    if (!texto || (largo > 0 && texto[0] == '\0')) {
        g_free(texto);
        return false;
    }
    *v = Valor::textoG(texto);
    return true;
}

bool ole(MdbHandle *mdb, MdbColumn *col, const MdbField &campo, Valor *v)
{
    if (campo.siz == 0) {
        *v = {Valor::Tipo::BlobVacio};
        return true;
    }
    // mdb_fetch_row left the value's header in the bound buffer; the reader
    // follows it through the long-value pages.
    const std::uint32_t esperado =
        leer<std::uint32_t>(static_cast<const unsigned char *>(col->bind_ptr)) & 0x3fffffff;
    size_t largo = 0;
    void *datos = mdb_ole_read_full(mdb, col, &largo);
    if (!datos || largo != esperado) {
        free(datos);
        return false;
    }
    *v = {Valor::Tipo::Blob, 0, 0, datos, qint64(largo), free};
    return true;
}

// The value of one column of the row mdb_fetch_row has just read; false when it
// cannot be read. Fixed-size values are read straight from the page (no round
// trip through locale-dependent text).
bool valor(MdbHandle *mdb, MdbColumn *col, const MdbField &campo, Valor *v)
{
    if (col->col_type == MDB_BOOL) { // a Boolean lives in the null mask: clear means false
        *v = Valor::deEntero(campo.is_null ? 0 : 1);
        return true;
    }
    if (campo.is_null) {
        *v = Valor::nulo();
        return true;
    }

    const qint64 pagina = mdb->fmt->pg_size;
    if (campo.start < 0 || campo.siz < 0 || qint64(campo.start) + campo.siz > pagina)
        return false;
    const unsigned char *p = mdb->pg_buf + campo.start;
    const auto cabe = [&](int bytes) { return campo.siz >= bytes; };
    const auto dar = [v](Valor nuevo) {
        *v = nuevo;
        return true;
    };

    switch (col->col_type) {
    case MDB_BYTE:
        return cabe(1) && dar(Valor::deEntero(p[0]));
    case MDB_INT:
        return cabe(2) && dar(Valor::deEntero(leer<std::int16_t>(p)));
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return cabe(4) && dar(Valor::deEntero(leer<std::int32_t>(p)));
    case MDB_MONEY: // a count of ten-thousandths
        return cabe(8) && dar(Valor::deReal(double(leer<std::int64_t>(p)) / 1e4));
    case MDB_FLOAT:
        return cabe(4) && dar(Valor::deReal(desdeSingle(leer<float>(p))));
    case MDB_DOUBLE:
        return cabe(8) && dar(Valor::deReal(leer<double>(p)));
    case MDB_DATETIME: {
        if (!cabe(8))
            return false;
        const QByteArray fecha = fechaJet(leer<double>(p));
        return dar(fecha.isNull() ? Valor::nulo()
                                  : Valor::textoG(g_strndup(fecha.constData(), gsize(fecha.size()))));
    }
    case MDB_NUMERIC:
        return cabe(17) && dar(numerico(mdb, col, campo));
    case MDB_REPID:
        return cabe(16)
               && dar(Valor::textoG(
                   mdb_col_to_string(mdb, mdb->pg_buf, campo.start, MDB_REPID, campo.siz)));
    case MDB_TEXT:
        if (campo.siz == 0) // empty, not null: the null mask said so
            return dar(Valor::vacio());
        return dar(
            Valor::textoG(mdb_col_to_string(mdb, mdb->pg_buf, campo.start, MDB_TEXT, campo.siz)));
    case MDB_MEMO:
        if (campo.siz == 0)
            return dar(Valor::vacio());
        return cabe(MDB_MEMO_OVERHEAD) && memo(mdb, campo, v);
    case MDB_OLE:
        if (campo.siz != 0 && !cabe(MDB_MEMO_OVERHEAD))
            return false;
        return ole(mdb, col, campo, v);
    default: // Binary and types this program has no use for: the bytes as stored
        if (campo.siz == 0)
            return dar({Valor::Tipo::BlobVacio});
        return dar({Valor::Tipo::Blob, 0, 0, g_memdup2(p, gsize(campo.siz)), campo.siz, g_free});
    }
}

// A table on its way to the copy: made by the reading thread, created by the writing one.
struct Destino
{
    QString nombre;
    QByteArray crear;
    QByteArray insertar;
    unsigned columnas = 0;
    QByteArray fila;      // "(?,?,...)", one row's parameters
};

// Rows of one table, their values one after another.
struct Lote
{
    std::shared_ptr<const Destino> destino;
    std::vector<Valor> valores;

    Lote() = default;
    Lote(Lote &&) = default;
    Lote &operator=(Lote &&) = default;
    ~Lote()
    {
        for (Valor &v : valores)
            if (v.datos && v.libre)
                v.libre(v.datos);
    }
};

bool ligar(sqlite3_stmt *st, int n, Valor &v);

// Binds `n` values to the statement's parameters in order and runs it.
bool insertar(sqlite3_stmt *st, Valor *valores, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (!ligar(st, int(i) + 1, valores[i]))
            return false;
    const bool hecho = sqlite3_step(st) == SQLITE_DONE;
    sqlite3_reset(st);
    return hecho;
}

bool ligar(sqlite3_stmt *st, int n, Valor &v)
{
    void *datos = std::exchange(v.datos, nullptr); // SQLite's from here on
    const auto destructor = v.libre ? v.libre : SQLITE_STATIC;
    switch (v.tipo) {
    case Valor::Tipo::Nulo:
        return sqlite3_bind_null(st, n) == SQLITE_OK;
    case Valor::Tipo::Entero:
        return sqlite3_bind_int64(st, n, v.entero) == SQLITE_OK;
    case Valor::Tipo::Real:
        return sqlite3_bind_double(st, n, v.real) == SQLITE_OK;
    case Valor::Tipo::Texto:
        return sqlite3_bind_text64(st, n, static_cast<const char *>(datos),
                                   sqlite3_uint64(v.largo), destructor, SQLITE_UTF8)
               == SQLITE_OK;
    case Valor::Tipo::Blob:
        return sqlite3_bind_blob64(st, n, datos, sqlite3_uint64(v.largo), destructor) == SQLITE_OK;
    case Valor::Tipo::BlobVacio:
        return sqlite3_bind_zeroblob(st, n, 0) == SQLITE_OK;
    }
    return false;
}

// The SQLite side of the copy: creates each table and inserts its rows a batch
// at a time.
class Escritura final
{
public:
    explicit Escritura(sqlite3 *db) : m_db(db) {}

    // Done, or why the rows cannot be written.
    Resultado<> escribir(Lote &lote);

private:
    Resultado<> errorSqlite(const QString &tabla)
    {
        return Resultado<>::fallo(QStringLiteral("no se pudo copiar la tabla «%1» (%2)")
                                      .arg(tabla, QString::fromUtf8(sqlite3_errmsg(m_db))));
    }

    sqlite3 *m_db;
    std::shared_ptr<const Destino> m_actual;
    Sentencia m_insercion;   // one row
    Sentencia m_variasFilas; // m_filasPorSentencia rows
    unsigned m_filasPorSentencia = 1;
};

Resultado<> Escritura::escribir(Lote &lote)
{
    const Destino &d = *lote.destino;
    if (lote.destino != m_actual) {
        m_insercion.reset();
        m_variasFilas.reset();
        m_actual = lote.destino;
        // Jet allows no two columns of one name nor a nameless one: a refusal here
        // means a damaged definition.
        if (sqlite3_exec(m_db, d.crear.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return Resultado<>::fallo(
                danado(QStringLiteral("la definición de la tabla «%1» no es válida").arg(d.nombre)));
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(m_db, d.insertar.constData(), int(d.insertar.size()), &st, nullptr)
            != SQLITE_OK)
            return errorSqlite(d.nombre);
        m_insercion.reset(st);
        // Several rows to a statement, each run of one costing as much as a
        // short row: as many as SQLite's limit on parameters allows, up to 64.
        const auto parametros = unsigned(sqlite3_limit(m_db, SQLITE_LIMIT_VARIABLE_NUMBER, -1));
        m_filasPorSentencia = std::clamp(parametros / d.columnas, 1u, 64u);
        QByteArray varias = d.insertar;
        for (unsigned f = 1; f < m_filasPorSentencia; ++f)
            varias += ',' + d.fila;
        if (sqlite3_prepare_v2(m_db, varias.constData(), int(varias.size()), &st, nullptr)
            != SQLITE_OK)
            return errorSqlite(d.nombre);
        m_variasFilas.reset(st);
    }
    const size_t porSentencia = size_t(m_filasPorSentencia) * d.columnas;
    size_t i = 0;
    for (; lote.valores.size() - i >= porSentencia; i += porSentencia)
        if (!insertar(m_variasFilas.get(), lote.valores.data() + i, porSentencia))
            return errorSqlite(d.nombre);
    for (; i < lote.valores.size(); i += d.columnas)
        if (!insertar(m_insercion.get(), lote.valores.data() + i, d.columnas))
            return errorSqlite(d.nombre);
    return {};
}

class Copia final
{
public:
    Copia(MdbHandle *mdb, Escritura *escritura) : m_mdb(mdb), m_escritura(escritura) {}

    // Done, or why the table cannot be read or written.
    Resultado<> tabla(MdbCatalogEntry *entrada);

private:
    MdbHandle *m_mdb;
    Escritura *m_escritura;
};

Resultado<> Copia::tabla(MdbCatalogEntry *entrada)
{
    const QString nombre = QString::fromUtf8(entrada->object_name);
    Tabla tabla(mdb_read_table(entrada));
    if (!tabla || !mdb_read_columns(tabla.get()) || tabla->num_cols == 0
        || tabla->num_cols > MDB_MAX_COLS)
        return Resultado<>::fallo(
            danado(QStringLiteral("no se puede leer la definición de la tabla «%1»").arg(nombre)));
    const unsigned columnas = tabla->num_cols;

    auto destino = std::make_shared<Destino>();
    destino->nombre = nombre;
    destino->columnas = columnas;
    destino->crear = "CREATE TABLE " + identificador(entrada->object_name) + " (";
    destino->insertar = "INSERT INTO " + identificador(entrada->object_name) + " VALUES (";
    // mdb_ole_read_full reads through a bound buffer; one page is the most it copies at a time.
    std::vector<std::vector<char>> buffersOle;
    buffersOle.reserve(columnas);
    for (unsigned i = 0; i < columnas; ++i) {
        auto *col = static_cast<MdbColumn *>(g_ptr_array_index(tabla->columns, i));
        destino->crear +=
            (i ? ", " : "") + identificador(col->name) + ' ' + tipoDeclarado(col->col_type);
        destino->insertar += i ? ",?" : "?";
        if (col->col_type == MDB_OLE) {
            buffersOle.emplace_back(std::max<size_t>(MDB_BIND_SIZE, MDB_PGSIZE));
            mdb_bind_column(tabla.get(), int(i) + 1, buffersOle.back().data(), nullptr);
        }
    }
    destino->crear += ')';
    destino->insertar += ')';
    destino->fila = destino->insertar.mid(destino->insertar.indexOf(" VALUES (") + 8);

    // Rows are written in batches: statements of several rows each. Long memos
    // or pictures make a batch of fewer rows, to keep the memory it holds small.
    constexpr size_t filasPorLote = 1024;
    constexpr qint64 bytesPorLote = 8 << 20;
    qint64 bytes = 0;
    const auto nuevoLote = [&destino, columnas] {
        Lote l;
        l.destino = destino;
        l.valores.reserve(filasPorLote * columnas);
        return l;
    };
    // The table is made before its rows are read: a definition SQLite refuses
    // is the first thing wrong with it.
    Lote lote;
    lote.destino = destino;
    if (Resultado<> escrita = m_escritura->escribir(lote); !escrita)
        return escrita;
    lote = nuevoLote();
    std::vector<MdbField> campos(columnas);
    unsigned leidas = 0;
    mdb_rewind_table(tabla.get());
    while (mdb_fetch_row(tabla.get())) {
        // The bound values cannot tell a null from an empty text: crack the row
        // again (mdb_fetch_row left its page in pg_buf and stepped past it) for
        // the null mask.
        int inicio = 0;
        size_t largo = 0;
        if (mdb_find_row(m_mdb, int(tabla->cur_row) - 1, &inicio, &largo) != 0
            || mdb_crack_row(tabla.get(), inicio & mascaraDesplazamiento, largo, campos.data()) < 0)
            return Resultado<>::fallo(
                danado(QStringLiteral("una fila de la tabla «%1» no se puede leer").arg(nombre)));
        const size_t fila = lote.valores.size();
        lote.valores.resize(fila + columnas);
        for (unsigned i = 0; i < columnas; ++i) {
            const MdbField &campo = campos[i];
            if (campo.colnum < 0 || unsigned(campo.colnum) >= columnas)
                return Resultado<>::fallo(danado(nombre));
            auto *col = static_cast<MdbColumn *>(g_ptr_array_index(tabla->columns, campo.colnum));
            Valor &v = lote.valores[fila + unsigned(campo.colnum)];
            if (v.datos && v.libre) // a damaged row that names one column twice
                v.libre(std::exchange(v.datos, nullptr));
            if (!valor(m_mdb, col, campo, &v))
                return Resultado<>::fallo(danado(QStringLiteral("un valor de la columna «%1» de la tabla «%2» "
                                                   "no se puede leer")
                                        .arg(QString::fromUtf8(col->name), nombre)));
        }
        ++leidas;
        for (size_t i = fila; i < lote.valores.size(); ++i)
            bytes += lote.valores[i].largo;
        if (lote.valores.size() >= filasPorLote * columnas || bytes >= bytesPorLote) {
            if (Resultado<> escrita = m_escritura->escribir(lote); !escrita)
                return escrita;
            lote = nuevoLote();
            bytes = 0;
        }
    }
    // libmdb ends a table quietly at a page it cannot read (a cut file, say):
    // the count Jet keeps in the table's definition tells.
    if (leidas != tabla->num_rows)
        return Resultado<>::fallo(danado(QStringLiteral("faltan filas en la tabla «%1»: leídas %2 de %3")
                                .arg(nombre)
                                .arg(leidas)
                                .arg(tabla->num_rows)));
    return m_escritura->escribir(lote);
}

// The catalogue is read from MSysObjects; if that table lost rows, so did the
// list of tables.
bool catalogoCompleto(MdbHandle *mdb, const GPtrArray *catalogo)
{
    MdbCatalogEntry *msys = mdb_get_catalogentry_by_name(mdb, "MSysObjects");
    if (!msys)
        return false;
    const Tabla tabla(mdb_read_table(msys));
    return tabla && tabla->num_rows == catalogo->len;
}

bool esTablaDeUsuario(MdbCatalogEntry *entrada)
{
    return mdb_is_user_table(entrada) && qstrnicmp(entrada->object_name, "MSys", 4) != 0;
}

Resultado<> copiarTodo(MdbHandle *mdb, sqlite3 *db)
{
    GPtrArray *catalogo = mdb_read_catalog(mdb, MDB_ANY);
    if (!catalogo || catalogo->len == 0 || !catalogoCompleto(mdb, catalogo))
        return Resultado<>::fallo(danado(QStringLiteral("no se puede leer la lista de tablas")));
    // Nothing to roll back to: a failed copy throws the whole database away.
    sqlite3_exec(db, "PRAGMA journal_mode=OFF; BEGIN", nullptr, nullptr, nullptr);
    Escritura escritura(db);
    Copia copia(mdb, &escritura);
    for (guint i = 0; i < catalogo->len; ++i) {
        auto *entrada = static_cast<MdbCatalogEntry *>(g_ptr_array_index(catalogo, i));
        if (entrada->object_type != MDB_TABLE || !esTablaDeUsuario(entrada))
            continue;
        if (Resultado<> copiada = copia.tabla(entrada); !copiada)
            return copiada;
    }
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK
        || !Esquema::crearIndices(db))
        return Resultado<>::fallo(QStringLiteral("no se pudo crear la copia en memoria (%1)")
                                      .arg(QString::fromUtf8(sqlite3_errmsg(db))));
    return {};
}

// A damaged file can send libmdb round a chain of pages that grows a buffer
// without end; cap this process's memory well above what the copy needs so that
// it fails alone instead of starving the machine. AddressSanitizer reserves
// terabytes of shadow memory, so its builds go without.
void limitarMemoria([[maybe_unused]] qint64 tamanoArchivo)
{
#ifndef BOLETIN_ASAN
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return;
    const QByteArray texto = estado.readAll();
    const qsizetype i = texto.indexOf("VmData:");
    if (i < 0)
        return;
    const QByteArray linea = texto.mid(i + 7, texto.indexOf('\n', i) - i - 7).trimmed();
    bool ok = false;
    const qint64 propioKb = linea.left(linea.indexOf(' ')).toLongLong(&ok);
    if (!ok)
        return;
    const rlim_t limite = rlim_t(propioKb) * 1024 + (rlim_t(1) << 30) + rlim_t(tamanoArchivo) * 8;
    const rlimit r{limite, limite};
    setrlimit(RLIMIT_DATA, &r);
#endif
}

} // namespace

namespace JetLector {

int principal(const QByteArray &ruta, void (*antesDeLeer)())
{
    // A crash here must end this process at once, whatever the parent had set up.
    for (const int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGPIPE, SIGTERM, SIGINT})
        std::signal(s, SIG_DFL);
    sigset_t ninguna;
    sigemptyset(&ninguna);
    sigprocmask(SIG_SETMASK, &ninguna, nullptr);
    // One thread here: SQLite need not lock its connection and allocator at
    // every call, some millions of times for a large catalogue.
    sqlite3_config(SQLITE_CONFIG_SINGLETHREAD);
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    limitarMemoria(QFileInfo(QFile::decodeName(ruta)).size());
    // libmdb converts text to the charset this names.
    setenv("MDB_ICONV", "UTF-8", 1);
    if (antesDeLeer)
        antesDeLeer();

    using JetEnvio::enviar;
    using JetEnvio::envioBase;
    using JetEnvio::fdRespuesta;
    QString motivo;
    bool enviado = false;
    // The database and its serialisation are freed by _exit, like everything else here.
    const Resultado<Conexion> leida = leer(ruta);
    if (leida) {
        sqlite3 *db = leida->get();
        sqlite3_int64 largo = 0;
        if (unsigned char *bytes = sqlite3_serialize(db, "main", &largo, SQLITE_SERIALIZE_NOCOPY))
            enviado = enviar(fdRespuesta, envioBase, bytes, quint64(largo), quint64(largo));
        else if (unsigned char *copia = sqlite3_serialize(db, "main", &largo, 0))
            enviado = enviar(fdRespuesta, envioBase, copia, quint64(largo), quint64(largo));
        else
            motivo = QStringLiteral("no hay memoria suficiente para la copia del catálogo");
    } else {
        motivo = leida.error();
    }
    if (!motivo.isEmpty()) {
        const QByteArray texto = motivo.toUtf8().left(JetEnvio::maximoMotivo);
        enviado = enviar(fdRespuesta, JetEnvio::envioMotivo, texto.constData(),
                         quint64(texto.size()), quint64(texto.size()));
    }
    // _exit: no atexit handlers, no leak check of a process that is about to vanish.
    _exit(enviado ? 0 : 1);
}

Resultado<Conexion> leer(const QByteArray &rutaNativa)
{
    const Mdb mdb(mdb_open(rutaNativa.constData(), MDB_NOFLAGS));
    if (!mdb)
        return Resultado<Conexion>::fallo(danado(QStringLiteral("no es una base de datos Jet legible")));
    mdb_set_boolean_fmt_numbers(mdb.get());
    // A Jet file is a run of whole pages; anything else was cut short.
    if (QFileInfo(QFile::decodeName(rutaNativa)).size() % mdb->fmt->pg_size != 0)
        return Resultado<Conexion>::fallo(danado(QStringLiteral("termina a mitad de una página")));

    sqlite3 *db = nullptr;
    // In memdb, so that the answer can be sent straight from the database's own
    // memory (sqlite3_serialize without a copy).
    const int abierta = sqlite3_open_v2("file:/boletin-jet?vfs=memdb", &db,
                                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                            | SQLITE_OPEN_URI,
                                        nullptr);
    Conexion conexion(db);
    if (abierta != SQLITE_OK || !Colacion::registrar(db))
        return Resultado<Conexion>::fallo(
            QStringLiteral("no se pudo crear la copia en memoria (%1)")
                .arg(QString::fromUtf8(db ? sqlite3_errmsg(db) : "sin memoria")));
    // memdb stops at 1 GiB unless told otherwise; the memory cap is the limit.
    sqlite3_int64 sinTope = std::numeric_limits<sqlite3_int64>::max();
    sqlite3_file_control(db, "main", SQLITE_FCNTL_SIZE_LIMIT, &sinTope);
    if (Resultado<> copiado = copiarTodo(mdb.get(), db); !copiado)
        return copiado;
    return conexion;
}

} // namespace JetLector
