// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Mensajes.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Answers the program's message boxes in tests, installed while it lives:
// records each text and whether it offered Cancel, and answers box n with
// letter n of `respuestas` ('A' Aceptar, 'C' Cancelar). Past their end a box
// gets its last button (Cancel where there is one, else OK), so that a prompt
// loop always ends.
class MensajesGrabados final : public Mensajes
{
public:
    MensajesGrabados() { Mensajes::instalar(this); }
    ~MensajesGrabados() override { Mensajes::instalar(nullptr); }
    MensajesGrabados(const MensajesGrabados &) = delete;
    MensajesGrabados &operator=(const MensajesGrabados &) = delete;

    Boton mostrar(const QString &texto, bool cancelar) override
    {
        textos << texto;
        conCancelar << cancelar;
        const int n = int(textos.size());
        // Runs while the box is open, before it is answered (a disc swapped).
        if (alMostrar)
            alMostrar(n, texto);
        if (n <= respuestas.size())
            return respuestas.at(n - 1) == u'A' ? Boton::Aceptar : Boton::Cancelar;
        return cancelar ? Boton::Cancelar : Boton::Aceptar;
    }

    void reiniciar()
    {
        textos.clear();
        conCancelar.clear();
        respuestas.clear();
        alMostrar = nullptr;
    }

    QStringList textos;
    QList<bool> conCancelar;
    QString respuestas;
    std::function<void(int n, const QString &texto)> alMostrar;
};
