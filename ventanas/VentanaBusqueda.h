// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DataSource.h"
#include "Formulario.h"
#include "ListaDatos.h"
#include "Resultado.h"

// What the other windows reach of the search window: its data sources, its
// result list and its flag. The window itself is FormBusqueda (searchwindow/),
// kept under this class by Instancia.
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

    // Gives DataMateria the statement of every subject group and refreshes it,
    // so that the group combo lists them anew (the main window's start button).
    Resultado<> refrescarGrupos();

    // What a pick in either picker window does here: runs `sentencia` on
    // DataArchivo; `hayFilas` tells whether it gave any.
    Resultado<> consultarArchivo(const QString &sentencia, bool &hayFilas);
    // Replaces ListaArtic's lines by one article line per row of DataArchivo's
    // result and marks them openable.
    Resultado<> mostrarArticulosDeArchivo();

    // The window's variables outlive an unload of the window.
    static inline bool hayResultados = false;
    static inline QString textoBuscado;
    static inline CampoBuscado campoBuscado = CampoBuscado::Titulo;
};
