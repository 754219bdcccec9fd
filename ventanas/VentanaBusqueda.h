#pragma once

#include "DataSource.h"
#include "Formulario.h"
#include "ListaDatos.h"

// What the other windows reach of the search window: its data sources, its
// result list and its flag. The window itself is built by the search library,
// which sets Instancia<VentanaBusqueda>::fabrica.
class VentanaBusqueda : public Formulario
{
    Q_OBJECT
public:
    using Formulario::Formulario;

    void Form_Load() override = 0;

    DataSource DataConsulta;
    DataSource DataArchivo;
    DataSource DataMateria;
    DataSource Data1;
    ListaDatos *ListaArtic = nullptr;

    // Replaces ListaArtic's lines by one article line per row of `ds` and marks
    // them openable: what a pick in either picker window ends with.
    void mostrarArticulos(DataSource &ds);

    // The window's variables outlive an unload of the window.
    static inline bool hayResultados = false;
    static inline QString textoBuscado;
    static inline QString campoBuscado;
};
