#include "Module1.h"

#include "Disco.h"
#include "FormPrincipal.h"
#include "Mensajes.h"
#include "Programa.h"

void BuscarUnidadCD()
{
    bool encontrado = false;
    QString nombre;
    const QStringList lugares = Programa::lugares();
    for (const QString &lugar : lugares) {
        // A place that cannot be listed keeps the name of the previous one, which
        // did not match: the place is passed over without a word.
        if (const auto listado = Disco::primerNombre(lugar, QStringLiteral("Tirvosk")))
            nombre = *listado;
        if (nombre == QStringLiteral("Tirvosk.dat") || nombre == QStringLiteral("Tirvosk2.dat")) {
            encontrado = true;
            unidadCD = lugar.endsWith(u'/') && lugar.size() > 1 ? lugar.chopped(1) : lugar;
            break;
        }
    }
    if (!encontrado) {
        MsgBox(QStringLiteral("Introduzca el CD de VELTRA\ny vuelva a ejecutar el programa"));
        Instancia<FormPrincipal>::Unload();
    }
}
