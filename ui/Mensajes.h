// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Resultado.h"

#include <QString>

// Every modal message box of the program goes through here, so that tests can
// read what the reader would be told and answer it.
class Mensajes
{
public:
    enum class Boton { Aceptar, Cancelar };

    virtual ~Mensajes() = default;
    virtual Boton mostrar(const QString &texto, bool conCancelar) = 0;

    // The one in use: QMessageBox unless a test installed its own.
    static Mensajes &actual();
    // Installs `m` (not owned); nullptr goes back to QMessageBox.
    static void instalar(Mensajes *m);
};

// The program's title, shown in the title bar of every message box.
inline const QString tituloPrograma = QStringLiteral("Boletín de VELTRA");

// OK only.
void MsgBox(const QString &texto);
// OK and Cancel, OK the default; true when the reader pressed OK.
bool MsgBoxAceptarCancelar(const QString &texto);

// The one road of a failure in a handler: when `r` failed the reader is told
// why (OK only) and the handler stops, as informar() returned false.
bool informar(const Resultado<> &r);
