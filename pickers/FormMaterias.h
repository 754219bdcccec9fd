// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DataSource.h"
#include "Formulario.h"
#include "Resultado.h"

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

    // Points DataMaterias at the catalogue (the search window's load does).
    void apuntarCatalogo(const QString &ruta) { DataMaterias.setDatabaseName(ruta); }
    // Replaces the list's lines by the subjects of `ds`'s remaining rows.
    Resultado<> mostrarMaterias(DataSource &ds);
    // The list holds subjects: a pick will bring openable article lines.
    bool muestraMaterias() const;

    ListaDatos *ListaMaterias = nullptr;
    DataSource DataMaterias; // pointed at the catalogue, never queried
};
