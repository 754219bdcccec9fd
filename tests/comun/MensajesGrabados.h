#pragma once

#include "Mensajes.h"

#include <QQueue>
#include <QStringList>

#include <functional>

// Answers the program's message boxes in tests: records each text and answers
// from a queue (OK when the queue is empty), running an optional action first,
// as a reader who swaps a disc before pressing OK.
class MensajesGrabados final : public Mensajes
{
public:
    MensajesGrabados() { Mensajes::instalar(this); }
    ~MensajesGrabados() override { Mensajes::instalar(nullptr); }

    Boton mostrar(const QString &texto, bool conCancelar) override
    {
        textos << texto;
        conCancelarSegun << conCancelar;
        if (!acciones.isEmpty())
            acciones.dequeue()();
        return respuestas.isEmpty() ? Boton::Aceptar : respuestas.dequeue();
    }

    QStringList textos;
    QList<bool> conCancelarSegun;
    QQueue<Boton> respuestas;
    QQueue<std::function<void()>> acciones;
};
