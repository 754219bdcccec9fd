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

void FormAutores::mostrarAutores(Lineas lineas)
{
    ListaAutores->mostrar(std::move(lineas));
}

void FormAutores::ListaAutores_Click()
{
    if (ListaAutores->ListIndex() < 0)
        return;
    const CursorEspera espera;
    if (!ListarArticulosAutor())
        return;
    hide();
    Unload();
}

// The author's articles in the search window; false when the catalogue failed
// (the reader has been told, and the window stays).
bool FormAutores::ListarArticulosAutor()
{
    const qint32 autor = ListaAutores->ItemData(ListaAutores->ListIndex());
    return informar(Instancia<VentanaBusqueda>::get().listarArticulos(
        Sentencias::articulosDeAutorPorTitulo(autor)));
}
