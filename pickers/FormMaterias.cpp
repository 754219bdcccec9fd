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
    const int i = ListaMaterias->ListIndex();
    if (i < 0)
        return;
    const CursorEspera espera;
    bool hayFilas = false;
    if (!informar(Instancia<VentanaBusqueda>::get().consultarArchivo(
            Sentencias::articulosDeMateria(ListaMaterias->ItemData(i)), hayFilas)))
        return;
    if (hayFilas) {
        if (!ListarArticulosMateria())
            return;
    } else {
        hide();
    }
    Unload(); // the window goes only after this handler has returned
}

bool FormMaterias::ListarArticulosMateria()
{
    if (!informar(Instancia<VentanaBusqueda>::get().mostrarArticulosDeArchivo()))
        return false;
    hide();
    return true;
}

Resultado<> FormMaterias::mostrarMaterias(DataSource &ds)
{
    ListaMaterias->campoLista = TipoLista::Materias;
    ListaMaterias->Clear();
    ListaMaterias->Refresh();
    Resultado<> r = anadirLineas(*ListaMaterias, ds, ModoLista::Materias);
    ListaMaterias->Refresh();
    return r;
}

bool FormMaterias::muestraMaterias() const
{
    return ListaMaterias->campoLista == TipoLista::Materias;
}
