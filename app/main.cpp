#include "FormBusqueda.h"
#include "FormPrincipal.h"
#include "Programa.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QTranslator>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("boletin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Boletín de VELTRA"));

    // Message boxes read "Aceptar" and "Cancelar" whatever the desktop's language.
    QTranslator qtEspanol;
    if (qtEspanol.load(QStringLiteral("qtbase_es"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtEspanol);

    QCommandLineParser opciones;
    opciones.setApplicationDescription(
        QStringLiteral("Catálogo y lectura del Boletín de VELTRA (1950-2000)."));
    const QCommandLineOption ayuda({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Muestra esta ayuda y termina."));
    const QCommandLineOption unidad(
        QStringLiteral("unidad"),
        QStringLiteral("Carpeta donde buscar el disco de la colección (la que contiene "
                       "«Imagenes»). Puede repetirse: se examinan en el orden dado, hasta 26. "
                       "Sin esta opción se examinan los soportes extraíbles y ópticos montados."),
        QStringLiteral("carpeta"));
    opciones.addOption(ayuda);
    opciones.addOption(unidad);
    opciones.process(app);
    if (opciones.isSet(ayuda)) {
        std::fputs(qPrintable(opciones.helpText()), stdout);
        return 0;
    }
    if (opciones.isSet(unidad)) {
        QStringList lugares = opciones.values(unidad);
        for (QString &l : lugares)
            l = QFileInfo(l).absoluteFilePath();
        Programa::setLugares(lugares);
    }

    FormBusqueda::registrar();
    FormPrincipal &principal = Instancia<FormPrincipal>::get();
    if (!Instancia<FormPrincipal>::cargada())
        return 0; // no disc: the reader has been told
    principal.show();
    return QApplication::exec();
}
