// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Formulario.h"

// What the other windows reach of the main window: they load it and show it. The window itself is built in app/ (FormPrincipal), which
// registers it.
class VentanaPrincipal : public Formulario
{
    Q_OBJECT
public:
    using Formulario::Formulario;

    void Form_Load() override = 0;
};
