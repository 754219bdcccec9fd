#include "FormAutores.h"

#include "CursorEspera.h"
#include "ErrorEjecucion.h"
#include "ListaDatos.h"
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
    connect(ListaAutores, &ListaDatos::Click, this, protegido([this] { ListaAutores_Click(); }));
}

void FormAutores::ListaAutores_Click()
{
    const int i = ListaAutores->ListIndex();
    if (i < 0)
        return;
    const CursorEspera espera;
    const qint32 idAutor = ListaAutores->ItemData(i);
    VentanaBusqueda &busqueda = Instancia<VentanaBusqueda>::get();
    busqueda.DataArchivo.setRecordSource(Sentencias::articulosDeAutorPorTitulo(idAutor));
    refrescar(busqueda.DataArchivo);
    if (busqueda.DataArchivo.RecordCount() != 0)
        ListarArticulosAutor();
    else
        hide();
    Unload();
}

void FormAutores::ListarArticulosAutor()
{
    VentanaBusqueda &busqueda = Instancia<VentanaBusqueda>::get();
    busqueda.mostrarArticulos(busqueda.DataArchivo);
    hide();
}
