// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Formulario.h"

class Lineas;
class ListaDatos;

// The small window in which the reader picks one subject of the chosen group;
// the pick lists that subject's articles in the search window.
class FormMaterias final : public Formulario
{
    Q_OBJECT
public:
    explicit FormMaterias(QWidget *parent = nullptr);

    void ListaMaterias_Click();
    bool ListarArticulosMateria();

    // The subjects of a group, to pick from, in place of the list's own.
    void mostrarMaterias(Lineas lineas);
    // Empties the list; what its lines stand for stays.
    void vaciar();
    // The list holds subjects: a pick will bring openable article lines.
    bool muestraMaterias() const;
    ListaDatos *lista() const { return ListaMaterias; }

private:
    ListaDatos *ListaMaterias = nullptr;
};
