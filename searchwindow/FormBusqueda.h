// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Busquedas.h"
#include "VentanaBusqueda.h"

class BotonImagen;
class QComboBox;
class QLineEdit;

// The window in which the reader searches the catalogue: by author, by issue in
// chronological order, by subject group and by title, all into ListaArtic. The
// searching itself is search/ (Busquedas.h); this window runs it and shows what
// it gives.
class FormBusqueda final : public VentanaBusqueda
{
    Q_OBJECT
public:
    using Interfaz = VentanaBusqueda;

    explicit FormBusqueda(QWidget *parent = nullptr);

    // Makes Instancia<VentanaBusqueda> build this window.
    static void registrar() { Instancia<FormBusqueda>::registrar(); }
    static FormBusqueda &instancia() { return Instancia<FormBusqueda>::get(); }

    void Form_Load() override;

    // Runs DataConsulta's statement and shows its rows as `modo` says.
    Resultado<> VisualizarConsulta(ModoLista modo);
    // The match lookup for `texto` in titles (into ListaArtic) or authors (into
    // the author picker's list), with the message lines when nothing matched.
    Resultado<> Buscar_Coincidencias(CampoBuscado campo, const QString &texto);

    void BotonTitulo_Click();
    void BotonAutor_Click();
    void BotonMateria_Click();
    void BotonBusCron_Click();
    void BotonSalir_Click();
    void ListaArtic_Click();

    BotonImagen *BotonBusCron = nullptr;
    QLineEdit *TextAutor = nullptr;
    BotonImagen *BotonAutor = nullptr;
    QComboBox *Materias = nullptr;
    BotonImagen *BotonMateria = nullptr;
    QLineEdit *TextTitulo = nullptr;
    BotonImagen *BotonTitulo = nullptr;
    BotonImagen *BotonSalir = nullptr;

protected:
    // The pickers fill this window: they go with it.
    void Form_Unload() override;

private:
    // The bound combo lists the groups of DataMateria's rows after each refresh.
    void llenarMaterias();
};
