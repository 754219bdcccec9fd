// SPDX-License-Identifier: GPL-3.0-or-later
#include "Module1.h"

#include "Disco.h"
#include "Programa.h"

bool BuscarUnidadCD()
{
    QString nombre;
    const QStringList lugares = Programa::lugares();
    for (const QString &lugar : lugares) {
        // A place that cannot be listed keeps the name of the previous one, which
        // did not match: the place is passed over without a word.
        if (const auto listado = Disco::primerNombre(lugar, QStringLiteral("Tirvosk")))
            nombre = *listado;
        if (nombre == QStringLiteral("Tirvosk.dat") || nombre == QStringLiteral("Tirvosk2.dat")) {
            programa().unidadCD = lugar.endsWith(u'/') && lugar.size() > 1 ? lugar.chopped(1) : lugar;
            return true;
        }
    }
    return false;
}
