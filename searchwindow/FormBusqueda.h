// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Busquedas.h"
#include "DataSource.h"
#include "VentanaBusqueda.h"

class BotonImagen;
class ListaDatos;
class QComboBox;
class QLineEdit;
struct Respuesta;

// The window in which the reader searches the catalogue: by author, by issue in
// chronological order, by subject group and by title, all into ListaArtic, and
// opens a line's issue. What each search finds is search/ (Consultas.h); this
// window runs it, shows what it gives and opens the lines.
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
    Resultado<> refrescarGrupos() override;
    Resultado<bool> listarArticulos(const QString &sentencia) override;

    // Runs DataConsulta's statement and shows its rows as `modo` says.
    Resultado<> VisualizarConsulta(ModoLista modo);
    // The match lookup for `texto` in titles (into ListaArtic) or authors (into
    // the author picker), with the message lines when nothing matched.
    Resultado<> Buscar_Coincidencias(CampoBuscado campo, const QString &texto);

    void BotonTitulo_Click();
    void BotonAutor_Click();
    void BotonMateria_Click();
    void BotonBusCron_Click();
    void BotonSalir_Click();
    void ListaArtic_Click();

    // The catalogue every data source of the window reads.
    void apuntarCatalogo(const QString &ruta);
    const QString &catalogo() const { return DataConsulta.DatabaseName(); }

    BotonImagen *BotonBusCron = nullptr;
    QLineEdit *TextAutor = nullptr;
    BotonImagen *BotonAutor = nullptr;
    QComboBox *Materias = nullptr;
    BotonImagen *BotonMateria = nullptr;
    QLineEdit *TextTitulo = nullptr;
    BotonImagen *BotonTitulo = nullptr;
    BotonImagen *BotonSalir = nullptr;
    ListaDatos *ListaArtic = nullptr;

    // The statement VisualizarConsulta runs, and each search.
    DataSource DataConsulta;

protected:
    // The pickers fill this window: they go with it.
    void Form_Unload() override;

private:
    // Shows what a search brought; a failure is told and changes nothing.
    void mostrar(Resultado<Respuesta> respuesta);
    void mostrar(Respuesta respuesta);
    Resultado<> mostrarParte(Resultado<Respuesta> respuesta);

    DataSource DataArchivo;
    DataSource DataMateria;
};
