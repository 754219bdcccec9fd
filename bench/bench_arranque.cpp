// SPDX-License-Identifier: GPL-3.0-or-later
// bench_arranque: start-up, from the process's start to the main window shown
// (its first frame painted), offscreen. The parent starts a fresh child for each
// run and passes it the moment it started it; the child does what app/main.cpp
// does and says, at its first frame, how long that took.

#include "FormBusqueda.h"
#include "FormPrincipal.h"
#include "Medida.h"
#include "Mensajes.h"
#include "Programa.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

using namespace Qt::StringLiterals;

namespace {

constexpr const char *variableInicio = "BENCH_ARRANQUE_INICIO_NS";

class MensajesBench final : public Mensajes
{
public:
    Boton mostrar(const QString &texto, bool) override
    {
        std::fprintf(stderr, "bench_arranque: mensaje inesperado: %s\n", qPrintable(texto));
        std::exit(3);
    }
};

// Reports once, when the first expose of the window has been handled (the
// frame painted and flushed), then ends the process.
class PrimerFotograma final : public QObject
{
public:
    explicit PrimerFotograma(qint64 inicioNs) : m_inicioNs(inicioNs) {}

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Expose && !m_visto) {
            m_visto = true;
            // Queued: runs after the expose (and its paint) has been handled.
            QTimer::singleShot(0, this, [this] {
                std::printf("%.3f\t%lld\t%.3f\n", Medida::msDesde(m_inicioNs),
                            static_cast<long long>(Medida::picoKiB()),
                            double(Medida::cpuNs()) / 1e6);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(objeto, evento);
    }

private:
    qint64 m_inicioNs;
    bool m_visto = false;
};

// The child: app/main.cpp's steps, in its order, with the first frame watched.
int hijo(int argc, char **argv, qint64 inicioNs)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("boletin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Boletín de VELTRA"));

    QTranslator qtEspanol;
    if (qtEspanol.load(QStringLiteral("qtbase_es"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtEspanol);

    QCommandLineParser opciones;
    const QCommandLineOption unidad(QStringLiteral("unidad"), QStringLiteral("Carpeta."),
                                    QStringLiteral("carpeta"));
    const QCommandLineOption modoHijo(QStringLiteral("hijo"));
    opciones.addOption(unidad);
    opciones.addOption(modoHijo);
    opciones.process(app);
    if (opciones.isSet(unidad)) {
        QStringList lugares = opciones.values(unidad);
        for (QString &l : lugares)
            l = QFileInfo(l).absoluteFilePath();
        Programa::setLugares(lugares);
    }

    MensajesBench mensajes;
    Mensajes::instalar(&mensajes);
    FormBusqueda::registrar();
    FormPrincipal &principal = Instancia<FormPrincipal>::get();
    if (!Instancia<FormPrincipal>::cargada()) {
        std::fputs("bench_arranque: no se encontró el disco\n", stderr);
        return 3;
    }
    PrimerFotograma fotograma(inicioNs);
    principal.winId(); // the native window exists from here on: watch it
    principal.windowHandle()->installEventFilter(&fotograma);
    principal.show();
    return QApplication::exec();
}

// Starts this program as a child with `argumentos` and returns what it printed.
std::string lanzar(const char *programa, const std::vector<std::string> &argumentos,
                   qint64 *inicioNs)
{
    int tubo[2];
    if (pipe(tubo) != 0)
        return {};
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_adddup2(&acciones, tubo[1], 1);
    posix_spawn_file_actions_addclose(&acciones, tubo[0]);
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(programa));
    for (const std::string &a : argumentos)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);

    *inicioNs = Medida::ahoraNs();
    setenv(variableInicio, std::to_string(*inicioNs).c_str(), 1);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, programa, &acciones, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&acciones);
    close(tubo[1]);
    std::string salida;
    if (rc == 0) {
        char buf[256];
        ssize_t n = 0;
        while ((n = read(tubo[0], buf, sizeof buf)) > 0)
            salida.append(buf, std::size_t(n));
        int estado = 0;
        waitpid(pid, &estado, 0);
        if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0)
            salida.clear();
    }
    close(tubo[0]);
    return salida;
}

} // namespace

int main(int argc, char **argv)
{
    if (const char *inicio = std::getenv(variableInicio); inicio && argc > 1
                                                           && std::strcmp(argv[1], "--hijo") == 0)
        return hijo(argc, argv, std::atoll(inicio));

    // bench_arranque [--vueltas N] [--tamano ETIQUETA] LUGAR...: the places in order,
    // as --unidad would give them to the program.
    int vueltas = 5;
    std::string tamano;
    std::vector<std::string> argumentos{"--hijo"};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--vueltas") == 0 && i + 1 < argc)
            vueltas = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--tamano") == 0 && i + 1 < argc)
            tamano = argv[++i];
        else {
            argumentos.push_back("--unidad");
            argumentos.push_back(argv[i]);
        }
    }
    if (argumentos.size() < 3) {
        std::fputs("Uso: bench_arranque [--vueltas N] [--tamano ETIQUETA] LUGAR...\n", stderr);
        return 2;
    }
    // The settings the main window writes go to a folder of our own.
    char plantilla[] = "/tmp/bench_arranque_XXXXXX";
    const char *ajustes = mkdtemp(plantilla);
    if (!ajustes)
        return 2;
    setenv("XDG_CONFIG_HOME", ajustes, 1);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    char propio[4096];
    const ssize_t n = readlink("/proc/self/exe", propio, sizeof propio - 1);
    if (n <= 0)
        return 2;
    propio[n] = '\0';

    Medida::Serie serie;
    qint64 pico = 0;
    for (int i = 0; i < vueltas; ++i) {
        qint64 inicio = 0;
        const std::string salida = lanzar(propio, argumentos, &inicio);
        double t = 0;
        double cpu = 0;
        long long kib = 0;
        if (std::sscanf(salida.c_str(), "%lf\t%lld\t%lf", &t, &kib, &cpu) != 3) {
            std::fputs("bench_arranque: el programa no llegó a mostrar su ventana\n", stderr);
            return 1;
        }
        serie.ms << t;
        serie.cpu << cpu;
        pico = std::max<qint64>(pico, kib);
        std::fprintf(stderr, "  arranque vuelta %d: %.1f ms\n", i + 1, t);
    }
    std::error_code ec;
    std::filesystem::remove_all(ajustes, ec);

    const auto [mn, mx] = std::minmax_element(serie.ms.begin(), serie.ms.end());
    std::printf("RESULTADO\tarranque\t%s\t%zu\t%.1f\t%.1f\t%.1f\t%.0f\t-1\t%.1f\n",
                tamano.c_str(), argumentos.size() / 2, Medida::mediana(serie.ms), *mn, *mx,
                double(pico) / 1024.0, Medida::mediana(serie.cpu));
    return 0;
}
