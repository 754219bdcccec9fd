#include "JetImport.h"

#include "Colacion.h"
#include "JetAjustes.h"
#include "JetLector.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>

#include <sqlite3.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define BOLETIN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BOLETIN_ASAN 1
#endif
#endif

Q_LOGGING_CATEGORY(lcJet, "boletin.jet")

namespace {

using namespace std::chrono;
using Reloj = steady_clock;

std::atomic<milliseconds> g_limite{JetImport::limitePorDefecto};
std::atomic<JetImport::Simulacion> g_simulacion{JetImport::Simulacion::Ninguna};

// The child's answer: a kind byte, a 64-bit length in this machine's order, then
// that many bytes.
constexpr char envioBase = 'B';   // the serialised database
constexpr char envioMotivo = 'M'; // a Spanish reason why the file cannot be read
constexpr size_t largoCabecera = 1 + sizeof(quint64);
constexpr quint64 maximoMotivo = 64 * 1024;
// libmdb's complaints are kept only for the log.
constexpr qsizetype maximoAvisos = 2048;

QString danado(const QString &detalle)
{
    return QStringLiteral("el archivo está dañado (%1)").arg(detalle);
}

// ---- Child side ----------------------------------------------------------------

bool escribirTodo(int fd, const void *datos, size_t largo)
{
    const auto *p = static_cast<const char *>(datos);
    while (largo > 0) {
        const ssize_t n = ::write(fd, p, largo);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        largo -= size_t(n);
    }
    return true;
}

bool enviar(int fd, char tipo, const void *datos, quint64 largo, quint64 anunciado)
{
    char cabecera[largoCabecera];
    cabecera[0] = tipo;
    std::memcpy(cabecera + 1, &anunciado, sizeof anunciado);
    return escribirTodo(fd, cabecera, sizeof cabecera) && escribirTodo(fd, datos, largo);
}

// A damaged file can send libmdb round a chain of pages that grows a buffer
// without end; cap the child's memory well above what the copy needs so that it
// fails alone instead of starving the machine. AddressSanitizer reserves terabytes
// of shadow memory, so its builds go without.
void limitarMemoria([[maybe_unused]] qint64 tamanoArchivo)
{
#ifndef BOLETIN_ASAN
    // The limit counts what the child inherited from the parent too.
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return;
    const QByteArray texto = estado.readAll();
    const qsizetype i = texto.indexOf("VmData:");
    if (i < 0)
        return;
    const QByteArray linea = texto.mid(i + 7, texto.indexOf('\n', i) - i - 7).trimmed();
    bool ok = false;
    const qint64 heredadoKb = linea.left(linea.indexOf(' ')).toLongLong(&ok);
    if (!ok)
        return;
    const rlim_t limite = rlim_t(heredadoKb) * 1024 + (rlim_t(1) << 30) + rlim_t(tamanoArchivo) * 8;
    const rlimit r{limite, limite};
    setrlimit(RLIMIT_DATA, &r);
#endif
}

[[noreturn]] void hijo(const QByteArray &ruta, qint64 tamanoArchivo, int fdDatos, int fdAvisos)
{
    // A crash here must end this process at once, not run handlers inherited from
    // the parent (a test framework's that prints a backtrace, say).
    for (const int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGPIPE, SIGTERM, SIGINT})
        std::signal(s, SIG_DFL);
    sigset_t ninguna;
    sigemptyset(&ninguna);
    sigprocmask(SIG_SETMASK, &ninguna, nullptr);
    // libmdb complains on stderr and dumps pages on stdout: neither belongs in the
    // parent's output.
    dup2(fdAvisos, STDOUT_FILENO);
    dup2(fdAvisos, STDERR_FILENO);
    close(fdAvisos);
    limitarMemoria(tamanoArchivo);
    // libmdb converts text to the charset this names.
    setenv("MDB_ICONV", "UTF-8", 1);

    switch (g_simulacion.load()) {
    case JetImport::Simulacion::Ninguna:
        break;
    case JetImport::Simulacion::Colgarse:
        for (;;)
            pause();
    case JetImport::Simulacion::Estrellarse:
        raise(SIGSEGV);
        _exit(0);
    case JetImport::Simulacion::SalirConError:
        _exit(3);
    case JetImport::Simulacion::CortarEnvio: {
        const char parte[16] = {};
        enviar(fdDatos, envioBase, parte, sizeof parte, 4096);
        _exit(0);
    }
    }

    QString motivo;
    bool enviado = false;
    // The database and its serialisation are freed by _exit, like everything else here.
    if (sqlite3 *db = JetLector::leer(ruta, &motivo)) {
        sqlite3_int64 largo = 0;
        if (unsigned char *bytes = sqlite3_serialize(db, "main", &largo, 0))
            enviado = enviar(fdDatos, envioBase, bytes, quint64(largo), quint64(largo));
        else
            motivo = QStringLiteral("no hay memoria suficiente para la copia del catálogo");
    }
    if (!motivo.isEmpty()) {
        const QByteArray texto = motivo.toUtf8().left(maximoMotivo);
        enviado = enviar(fdDatos, envioMotivo, texto.constData(), quint64(texto.size()),
                         quint64(texto.size()));
    }
    // _exit: no atexit handlers, no flushing of the parent's stdio buffers, no
    // leak check of a process that is about to vanish.
    _exit(enviado ? 0 : 1);
}

// ---- Parent side ---------------------------------------------------------------

class Recepcion final
{
public:
    Recepcion() = default;
    ~Recepcion() { sqlite3_free(m_datos); }
    Recepcion(const Recepcion &) = delete;
    Recepcion &operator=(const Recepcion &) = delete;

    void datos(const char *p, size_t n);
    void avisos(const char *p, size_t n)
    {
        if (m_avisos.size() < maximoAvisos)
            m_avisos.append(p,
                            qsizetype(std::min<size_t>(n, size_t(maximoAvisos - m_avisos.size()))));
    }

    bool completa() const
    {
        return !m_invalida && m_enCabecera == largoCabecera && m_recibido == m_esperado;
    }
    char tipo() const { return m_tipo; }
    quint64 largo() const { return m_esperado; }
    // The buffer (sqlite3_malloc64), now the caller's.
    unsigned char *soltar() { return std::exchange(m_datos, nullptr); }
    QString motivo() const
    {
        return QString::fromUtf8(reinterpret_cast<const char *>(m_datos), qsizetype(m_esperado));
    }
    const QByteArray &textoAvisos() const { return m_avisos; }

private:
    char m_cabecera[largoCabecera] = {};
    size_t m_enCabecera = 0;
    char m_tipo = 0;
    quint64 m_esperado = 0;
    quint64 m_recibido = 0;
    unsigned char *m_datos = nullptr;
    bool m_invalida = false;
    QByteArray m_avisos;
};

void Recepcion::datos(const char *p, size_t n)
{
    if (m_invalida)
        return;
    if (m_enCabecera < largoCabecera) {
        const size_t parte = std::min(n, largoCabecera - m_enCabecera);
        std::memcpy(m_cabecera + m_enCabecera, p, parte);
        m_enCabecera += parte;
        p += parte;
        n -= parte;
        if (m_enCabecera < largoCabecera)
            return;
        m_tipo = m_cabecera[0];
        std::memcpy(&m_esperado, m_cabecera + 1, sizeof m_esperado);
        const bool valida = (m_tipo == envioBase && m_esperado > 0)
                            || (m_tipo == envioMotivo && m_esperado <= maximoMotivo);
        // The buffer goes to sqlite3_deserialize, so SQLite's allocator.
        m_datos =
            valida
                ? static_cast<unsigned char *>(sqlite3_malloc64(std::max<quint64>(m_esperado, 1)))
                : nullptr;
        if (!m_datos) {
            m_invalida = true;
            return;
        }
    }
    if (n > m_esperado - m_recibido) {
        m_invalida = true;
        return;
    }
    std::memcpy(m_datos + m_recibido, p, n);
    m_recibido += n;
}

enum class Fin { Terminada, Agotada, Fallida };

// Reads both pipes until the data pipe closes (the child has gone) or time is up.
Fin recibir(int fdDatos, int fdAvisos, Reloj::time_point limite, Recepcion &r)
{
    bool avisosAbiertos = true;
    char trozo[64 * 1024];
    for (;;) {
        const auto resta = duration_cast<milliseconds>(limite - Reloj::now()).count();
        if (resta <= 0)
            return Fin::Agotada;
        pollfd fds[2] = {{fdDatos, POLLIN, 0}, {fdAvisos, POLLIN, 0}};
        const int n = poll(fds, avisosAbiertos ? 2 : 1, int(std::min<qint64>(resta, 60000)));
        if (n < 0 && errno != EINTR)
            return Fin::Fallida;
        if (n <= 0)
            continue;
        if (avisosAbiertos && fds[1].revents) {
            const ssize_t leidos = ::read(fdAvisos, trozo, sizeof trozo);
            if (leidos > 0)
                r.avisos(trozo, size_t(leidos));
            else if (leidos == 0 || errno != EINTR)
                avisosAbiertos = false;
        }
        if (fds[0].revents) {
            const ssize_t leidos = ::read(fdDatos, trozo, sizeof trozo);
            if (leidos > 0)
                r.datos(trozo, size_t(leidos));
            else if (leidos == 0)
                return Fin::Terminada;
            else if (errno != EINTR)
                return Fin::Fallida;
        }
    }
}

void matar(pid_t pid)
{
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {}
}

// Waits for the child to end, until the time limit. False when it has not.
bool esperar(pid_t pid, Reloj::time_point limite, int *estado, bool *conocido)
{
    for (;;) {
        const pid_t r = waitpid(pid, estado, WNOHANG);
        if (r == pid)
            return true;
        if (r < 0 && errno != EINTR) {
            // Reaped by someone else (SIGCHLD ignored, say): its answer has to do.
            *conocido = false;
            return true;
        }
        if (Reloj::now() >= limite)
            return false;
        poll(nullptr, 0, 1);
    }
}

QString motivoTiempo(milliseconds limite)
{
    const double segundos = double(limite.count()) / 1000.0;
    return QStringLiteral("la lectura del archivo no terminó en %1 %2")
        .arg(QLocale(QLocale::Spanish, QLocale::Spain).toString(segundos, 'g', 6),
             segundos == 1.0 ? QStringLiteral("segundo") : QStringLiteral("segundos"));
}

QString motivoEstado(int estado)
{
    if (WIFSIGNALED(estado)) {
        const int senal = WTERMSIG(estado);
        const char *abreviatura = sigabbrev_np(senal);
        return danado(QStringLiteral("la lectura se interrumpió con la señal %1%2")
                          .arg(senal)
                          .arg(abreviatura
                                   ? QStringLiteral(", SIG") + QString::fromLatin1(abreviatura)
                                   : QString()));
    }
    return danado(QStringLiteral("la lectura terminó con el código %1").arg(WEXITSTATUS(estado)));
}

sqlite3 *abrirCopia(Recepcion &r, QString *motivo)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        *motivo = QStringLiteral("no se pudo abrir la copia en memoria");
        sqlite3_close(db);
        return nullptr;
    }
    const auto largo = sqlite3_int64(r.largo());
    // SQLite owns the buffer from here on, and frees it itself if it refuses it.
    const int rc =
        sqlite3_deserialize(db, "main", r.soltar(), largo, largo,
                            SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
    if (rc != SQLITE_OK || !Colacion::registrar(db)
        || sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr)
               != SQLITE_OK) {
        *motivo = danado(QStringLiteral("la copia en memoria no se puede abrir: %1")
                             .arg(QString::fromUtf8(sqlite3_errmsg(db))));
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

} // namespace

namespace JetImport {

void setLimite(std::chrono::milliseconds limite)
{
    g_limite = limite;
}

std::chrono::milliseconds limite()
{
    return g_limite;
}

void setSimulacion(Simulacion simulacion)
{
    g_simulacion = simulacion;
}

sqlite3 *importar(const QString &ruta, QString *motivo)
{
    const QByteArray nativa = QFile::encodeName(ruta);
    const qint64 tamano = QFileInfo(ruta).size();
    const milliseconds plazo = g_limite;
    const Reloj::time_point limite = Reloj::now() + plazo;

    int datos[2] = {-1, -1};
    int avisos[2] = {-1, -1};
    if (pipe2(datos, O_CLOEXEC) != 0 || pipe2(avisos, O_CLOEXEC) != 0) {
        *motivo = QStringLiteral("no se pudo preparar la lectura del archivo (%1)")
                      .arg(QString::fromLocal8Bit(std::strerror(errno)));
        for (const int fd : {datos[0], datos[1], avisos[0], avisos[1]})
            if (fd >= 0)
                close(fd);
        return nullptr;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(datos[0]);
        close(avisos[0]);
        hijo(nativa, tamano, datos[1], avisos[1]);
    }
    const int errorFork = errno;
    close(datos[1]);
    close(avisos[1]);
    if (pid < 0) {
        close(datos[0]);
        close(avisos[0]);
        *motivo = QStringLiteral("no se pudo preparar la lectura del archivo (%1)")
                      .arg(QString::fromLocal8Bit(std::strerror(errorFork)));
        return nullptr;
    }

    Recepcion r;
    const Fin fin = recibir(datos[0], avisos[0], limite, r);
    close(datos[0]);
    close(avisos[0]);
    int estado = 0;
    bool estadoConocido = true;
    sqlite3 *db = nullptr;
    if (fin == Fin::Agotada || !esperar(pid, limite, &estado, &estadoConocido)) {
        matar(pid);
        *motivo = motivoTiempo(plazo);
    } else if (fin == Fin::Fallida) {
        if (estadoConocido && !(WIFEXITED(estado) && WEXITSTATUS(estado) == 0))
            *motivo = motivoEstado(estado);
        else
            *motivo = danado(QStringLiteral("no se pudo recibir la copia de las tablas"));
    } else if (estadoConocido && !(WIFEXITED(estado) && WEXITSTATUS(estado) == 0)) {
        *motivo = motivoEstado(estado);
    } else if (!r.completa()) {
        *motivo = danado(QStringLiteral("la copia de las tablas llegó incompleta"));
    } else if (r.tipo() == envioMotivo) {
        *motivo = r.motivo();
    } else {
        db = abrirCopia(r, motivo);
    }
    if (!db && !r.textoAvisos().isEmpty())
        qCWarning(lcJet).noquote()
            << "libmdb:" << QString::fromUtf8(r.textoAvisos()).section(u'\n', 0, 2);
    return db;
}

} // namespace JetImport
