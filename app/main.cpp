// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormBusqueda.h"
#include "FormPrincipal.h"
#include "Programa.h"
#include "Recursos.h"
#include "VentanaEspera.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstring>

namespace {

// Spanish texts from Qt itself ("Aceptar", "Cancelar", "Uso:"), whatever the
// desktop's language.
void cargarTraduccion(QTranslator &traductor)
{
    if (traductor.load(QStringLiteral("qtbase_es"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traductor);
}

struct Opciones
{
    QCommandLineParser analizador;
    QCommandLineOption ayuda{{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("ayuda")},
                             QStringLiteral("Muestra esta ayuda y termina.")};
    QCommandLineOption version{QStringLiteral("version"),
                               QStringLiteral("Muestra la versión y termina.")};
    QCommandLineOption unidad{
        QStringLiteral("unidad"),
        QStringLiteral("Carpeta donde buscar el disco de la colección (la que contiene "
                       "«Imagenes»). Puede repetirse: se examinan en el orden dado, hasta 26. "
                       "Sin esta opción se examinan los soportes extraíbles y ópticos montados."),
        QStringLiteral("carpeta")};

    Opciones()
    {
        analizador.setApplicationDescription(
            QStringLiteral("Catálogo y lectura del Boletín de VELTRA (1950-2000)."));
        analizador.addOption(ayuda);
        analizador.addOption(version);
        analizador.addOption(unidad);
    }
};

// The options that only print something.
bool soloEscribe(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--help")
            || !std::strcmp(argv[i], "--ayuda") || !std::strcmp(argv[i], "--version"))
            return true;
    return false;
}

// BOLETIN_VERSION comes from the build (the project's version).
constexpr char textoVersion[] =
    "boletin " BOLETIN_VERSION "\n"
    "Licencia GPLv3+: GNU GPL versión 3 o posterior <https://gnu.org/licenses/gpl.html>.\n"
    "Esto es software libre: puede modificarlo y redistribuirlo.\n"
    "No hay NINGUNA GARANTÍA, en la medida en que lo permita la ley.\n";

} // namespace

int main(int argc, char *argv[])
{
    // Help and version need no display: answer them before the window system starts.
    if (soloEscribe(argc, argv)) {
        QCoreApplication app(argc, argv);
        QTranslator traductor;
        cargarTraduccion(traductor);
        Opciones opciones;
        opciones.analizador.process(app);
        if (opciones.analizador.isSet(opciones.ayuda))
            std::fputs(qPrintable(opciones.analizador.helpText()), stdout);
        else
            std::fputs(textoVersion, stdout);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("boletin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("es.veltra.Boletin"));
    QApplication::setWindowIcon(Recursos::icono());
    QTranslator traductor;
    cargarTraduccion(traductor);

    Opciones opciones;
    opciones.analizador.process(app);
    if (opciones.analizador.isSet(opciones.unidad)) {
        QStringList lugares = opciones.analizador.values(opciones.unidad);
        for (QString &l : lugares)
            l = QFileInfo(l).absoluteFilePath();
        Programa::setLugares(lugares);
    }

    FormPrincipal::registrar();
    FormBusqueda::registrar();
    VentanaEspera::instalar();
    // The program ends when its last window goes, by whatever road; Qt's own
    // rule would miss windows unloaded without their close box.
    QApplication::setQuitOnLastWindowClosed(false);
    Formulario::alQuedarSinVentanas = [] { QCoreApplication::quit(); };
    FormPrincipal *principal = Instancia<FormPrincipal>::cargar();
    if (!principal)
        return 0; // no disc: the reader has been told
    principal->show();
    return QApplication::exec();
}
