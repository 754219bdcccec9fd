#pragma once

#include "DataSource.h"
#include "Formulario.h"

class ListaDatos;

// The small window in which the reader picks one subject of the chosen group;
// the pick lists that subject's articles in the search window.
class FormMaterias final : public Formulario
{
    Q_OBJECT
public:
    explicit FormMaterias(QWidget *parent = nullptr);

    void ListaMaterias_Click();
    void ListarArticulosMateria();

    ListaDatos *ListaMaterias = nullptr;
    DataSource DataMaterias; // pointed at the catalogue, never queried
};
