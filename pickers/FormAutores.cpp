// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormAutores.h"

#include "CursorEspera.h"
#include "ListaDatos.h"
#include "Mensajes.h"
#include "Recursos.h"
#include "Sentencias.h"
#include "VentanaBusqueda.h"

FormAutores::FormAutores(QWidget *parent) : Formulario(parent)
{
    setObjectName(QStringLiteral("FormAutores"));
    setWindowTitle(QStringLiteral(" Autores"));
    setWindowIcon(Recursos::icono());
    setTamanoCliente(538, 371);
    setFondo(Recursos::imagen(QStringLiteral("autores")));

    ListaAutores = new ListaDatos(this);
    ListaAutores->setObjectName(QStringLiteral("ListaAutores"));
    ListaAutores->setAccessibleName(QStringLiteral("Autores encontrados"));
    ListaAutores->setGeometry(16, 56, 505, 260);
    connect(ListaAutores, &ListaDatos::Click, this, &FormAutores::ListaAutores_Click);
}

void FormAutores::ListaAutores_Click()
{
    const int i = ListaAutores->ListIndex();
    if (i < 0)
        return;
    const CursorEspera espera;
    bool hayFilas = false;
    if (!informar(Instancia<VentanaBusqueda>::get().consultarArchivo(
            Sentencias::articulosDeAutorPorTitulo(ListaAutores->ItemData(i)), hayFilas)))
        return;
    if (hayFilas) {
        if (!ListarArticulosAutor())
            return;
    } else {
        hide();
    }
    Unload();
}

bool FormAutores::ListarArticulosAutor()
{
    if (!informar(Instancia<VentanaBusqueda>::get().mostrarArticulosDeArchivo()))
        return false;
    hide();
    return true;
}
