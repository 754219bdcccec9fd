// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DataSource.h"
#include "Formulario.h"

class ListaDatos;

// The small window in which the reader picks one of the authors the match
// lookup found; the pick lists that author's articles in the search window.
class FormAutores final : public Formulario
{
    Q_OBJECT
public:
    explicit FormAutores(QWidget *parent = nullptr);

    void ListaAutores_Click();

    // Points DataAutores at the catalogue (the search window's load does).
    void apuntarCatalogo(const QString &ruta) { DataAutores.setDatabaseName(ruta); }

    ListaDatos *ListaAutores = nullptr;
    DataSource DataAutores; // pointed at the catalogue, never queried

private:
    bool ListarArticulosAutor();
};
