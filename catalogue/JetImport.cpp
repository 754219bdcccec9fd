// SPDX-License-Identifier: GPL-3.0-or-later
#include "JetImport.h"

#include "Colacion.h"
#include "JetAjustes.h"
#include "JetEnvio.h"

#include <QCoreApplication>
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
#include <sys/wait.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcJet, "boletin.jet")


namespace {

using namespace std::chrono;
using Reloj = steady_clock;

std::atomic<milliseconds> g_limite{JetImport::limitePorDefecto};
std::atomic<JetImport::Simulacion> g_simulacion{JetImport::Simulacion::Ninguna};

using JetEnvio::danado;
using JetEnvio::envioBase;
using JetEnvio::envioMotivo;
using JetEnvio::fdRespuesta;
using JetEnvio::largoCabecera;
using JetEnvio::maximoMotivo;
// libmdb's complaints are kept only for the log.
constexpr qsizetype maximoAvisos = 2048;

// A healthy file reads at tens of megabytes a second; a damaged one that sends
// libmdb round in circles is given up on after a few seconds, a large one is
// given what a slow machine needs.
milliseconds plazoPara(qint64 tamano)
{
    constexpr qint64 base = 3000;
    constexpr qint64 msPorMiB = 500;
    return milliseconds(base + tamano / (1024 * 1024) * msPorMiB);
}

// The reading process's program: named by BOLETIN_JET, else beside the running
// program (where the package installs it).
QString rutaLector()
{
    const QString elegida = qEnvironmentVariable("BOLETIN_JET");
    if (!elegida.isEmpty())
        return elegida;
    const QString carpeta = QCoreApplication::instance()
                                ? QCoreApplication::applicationDirPath()
                                : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return carpeta + QStringLiteral("/boletin-jet");
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

Resultado<Conexion> abrirCopia(Recepcion &r)
{
    sqlite3 *db = nullptr;
    const int abierta =
        sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Conexion conexion(db);
    if (abierta != SQLITE_OK)
        return Resultado<Conexion>::fallo(QStringLiteral("no se pudo abrir la copia en memoria"));
    const auto largo = sqlite3_int64(r.largo());
    // SQLite owns the buffer from here on, and frees it itself if it refuses it.
    const int rc =
        sqlite3_deserialize(db, "main", r.soltar(), largo, largo,
                            SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
    if (rc != SQLITE_OK || !Colacion::registrar(db)
        || sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr)
               != SQLITE_OK)
        return Resultado<Conexion>::fallo(
            danado(QStringLiteral("la copia en memoria no se puede abrir: %1")
                       .arg(QString::fromUtf8(sqlite3_errmsg(db)))));
    return conexion;
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

Resultado<Conexion> importar(const QString &ruta)
{
    const auto fallo = [](const QString &motivo) { return Resultado<Conexion>::fallo(motivo); };
    const QByteArray nativa = QFile::encodeName(ruta);
    const qint64 tamano = QFileInfo(ruta).size();
    const milliseconds plazo = g_limite.load() > 0ms ? g_limite.load() : plazoPara(tamano);
    const Reloj::time_point limite = Reloj::now() + plazo;

    const QString lector = rutaLector();
    if (!QFileInfo(lector).isExecutable())
        return fallo(QStringLiteral("no se encuentra el lector de archivos Jet «%1»").arg(lector));

    int datos[2] = {-1, -1};
    int avisos[2] = {-1, -1};
    if (pipe2(datos, O_CLOEXEC) != 0 || pipe2(avisos, O_CLOEXEC) != 0) {
        const QString motivo = QStringLiteral("no se pudo preparar la lectura del archivo (%1)")
                                   .arg(QString::fromLocal8Bit(std::strerror(errno)));
        for (const int fd : {datos[0], datos[1], avisos[0], avisos[1]})
            if (fd >= 0)
                close(fd);
        return fallo(motivo);
    }
    // Everything the child needs is made before fork: after it, in a process
    // copied from a multi-threaded one, only async-signal-safe calls are sound.
    const QByteArray programa = QFile::encodeName(lector);
    // A fault to simulate is a third argument, which only the tests' build of the
    // reader takes; the installed one refuses it.
    const Simulacion simulada = g_simulacion.load();
    const QByteArray simulacion = QByteArray::number(int(simulada));
    char *const argumentos[] = {
        const_cast<char *>(programa.constData()), const_cast<char *>(nativa.constData()),
        simulada == Simulacion::Ninguna ? nullptr : const_cast<char *>(simulacion.constData()),
        nullptr};
    const QByteArray sinLector =
        QStringLiteral("no se puede ejecutar el lector de archivos Jet «%1»")
            .arg(QFile::decodeName(programa))
            .toUtf8();
    const pid_t pid = fork();
    if (pid == 0) {
        // The two write ends out of the way first, then to their places: the
        // answer on 3, libmdb's chatter on stdout and stderr.
        const int d = fcntl(datos[1], F_DUPFD, 10);
        const int a = fcntl(avisos[1], F_DUPFD, 10);
        if (d < 0 || a < 0 || dup2(d, fdRespuesta) < 0 || dup2(a, STDOUT_FILENO) < 0
            || dup2(a, STDERR_FILENO) < 0)
            _exit(126);
        close_range(fdRespuesta + 1, ~0U, 0);
        execv(argumentos[0], argumentos);
        JetEnvio::enviar(fdRespuesta, envioMotivo, sinLector.constData(),
                          quint64(sinLector.size()), quint64(sinLector.size()));
        _exit(0);
    }
    const int errorFork = errno;
    close(datos[1]);
    close(avisos[1]);
    if (pid < 0) {
        close(datos[0]);
        close(avisos[0]);
        return fallo(QStringLiteral("no se pudo preparar la lectura del archivo (%1)")
                         .arg(QString::fromLocal8Bit(std::strerror(errorFork))));
    }

    Recepcion r;
    const Fin fin = recibir(datos[0], avisos[0], limite, r);
    close(datos[0]);
    close(avisos[0]);
    int estado = 0;
    bool estadoConocido = true;
    Resultado<Conexion> db = fallo({});
    if (fin == Fin::Agotada || !esperar(pid, limite, &estado, &estadoConocido)) {
        matar(pid);
        db = fallo(motivoTiempo(plazo));
    } else if (fin == Fin::Fallida) {
        if (estadoConocido && !(WIFEXITED(estado) && WEXITSTATUS(estado) == 0))
            db = fallo(motivoEstado(estado));
        else
            db = fallo(danado(QStringLiteral("no se pudo recibir la copia de las tablas")));
    } else if (estadoConocido && !(WIFEXITED(estado) && WEXITSTATUS(estado) == 0)) {
        db = fallo(motivoEstado(estado));
    } else if (!r.completa()) {
        db = fallo(danado(QStringLiteral("la copia de las tablas llegó incompleta")));
    } else if (r.tipo() == envioMotivo) {
        db = fallo(r.motivo());
    } else {
        db = abrirCopia(r);
    }
    if (!db && !r.textoAvisos().isEmpty())
        qCWarning(lcJet).noquote()
            << "libmdb:" << QString::fromUtf8(r.textoAvisos()).section(u'\n', 0, 2);
    return db;
}

} // namespace JetImport
