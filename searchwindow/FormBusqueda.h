#pragma once

#include "VentanaBusqueda.h"

class BotonImagen;
class QComboBox;
class QLineEdit;

// The window in which the reader searches the catalogue: by author, by issue in
// chronological order, by subject group and by title, all into ListaArtic.
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

    void VisualizarConsulta(const QString &campoMostrar);
    void Buscar_Coincidencias(const QString &campoTexto);

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
    void Comprobar_Coincidencia(const QString &valor, const QString &textoPreparado);
    // The bound combo lists the groups of DataMateria's rows after each refresh.
    void llenarMaterias();

    // Columns of DataConsulta's current query that Comprobar_Coincidencia reads.
    struct Columnas
    {
        int autor = -1, idAutor = -1, titulo = -1, numero = -1, idArticulo = -1;
    } m_columnas;
};
