// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Formulario.h"

class Lineas;
class ListaDatos;

// The small window in which the reader picks one of the authors the match
// lookup found; the pick lists that author's articles in the search window.
class FormAutores final : public Formulario
{
    Q_OBJECT
public:
    explicit FormAutores(QWidget *parent = nullptr);

    void ListaAutores_Click();

    // The authors found (or the lines saying none was), in place of the list's own.
    void mostrarAutores(Lineas lineas);
    ListaDatos *lista() const { return ListaAutores; }

private:
    bool ListarArticulosAutor();

    ListaDatos *ListaAutores = nullptr;
};
