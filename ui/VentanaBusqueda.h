// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Formulario.h"
#include "Resultado.h"

#include <QString>

// What the other windows ask of the search window. The window itself is
// FormBusqueda (searchwindow/), kept under this class by Instancia.
class VentanaBusqueda : public Formulario
{
    Q_OBJECT
public:
    using Formulario::Formulario;

    void Form_Load() override = 0;

    // Lists the subject groups anew in the group list (the main window's
    // start button).
    virtual Resultado<> refrescarGrupos() = 0;
    // A pick in a picker window: the articles of `sentencia`'s rows in the
    // result list, openable; false (and the list as it was) when it has none.
    virtual Resultado<bool> listarArticulos(const QString &sentencia) = 0;
};
