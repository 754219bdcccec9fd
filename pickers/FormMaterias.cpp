// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormMaterias.h"

#include "CursorEspera.h"
#include "ListaDatos.h"
#include "Mensajes.h"
#include "Recursos.h"
#include "Sentencias.h"
#include "VentanaBusqueda.h"

FormMaterias::FormMaterias(QWidget *parent) : Formulario(parent)
{
    setObjectName(QStringLiteral("FormMaterias"));
    setWindowTitle(QStringLiteral("Materias"));
    setWindowIcon(Recursos::icono());
    setTamanoCliente(529, 353);
    setFondo(Recursos::imagen(QStringLiteral("materias")));

    ListaMaterias = new ListaDatos(this);
    ListaMaterias->setObjectName(QStringLiteral("ListaMaterias"));
    ListaMaterias->setAccessibleName(QStringLiteral("Materias"));
    ListaMaterias->setGeometry(24, 48, 497, 276);
    ListaMaterias->setFont(ListaDatos::letra(ListaMaterias->font(), 9.75));
    connect(ListaMaterias, &ListaDatos::Click, this, &FormMaterias::ListaMaterias_Click);
}

void FormMaterias::ListaMaterias_Click()
{
    if (ListaMaterias->ListIndex() < 0)
        return;
    const CursorEspera espera;
    if (!ListarArticulosMateria())
        return;
    hide();
    Unload(); // the window goes only after this handler has returned
}

// The subject's articles in the search window; false when the catalogue
// failed (the reader has been told, and the window stays).
bool FormMaterias::ListarArticulosMateria()
{
    const qint32 materia = ListaMaterias->ItemData(ListaMaterias->ListIndex());
    return informar(
        Instancia<VentanaBusqueda>::get().listarArticulos(Sentencias::articulosDeMateria(materia)));
}

void FormMaterias::mostrarMaterias(Lineas lineas)
{
    ListaMaterias->campoLista = TipoLista::Materias;
    ListaMaterias->mostrar(std::move(lineas));
}

void FormMaterias::vaciar()
{
    ListaMaterias->Clear();
}

bool FormMaterias::muestraMaterias() const
{
    return ListaMaterias->campoLista == TipoLista::Materias;
}
