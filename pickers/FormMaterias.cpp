#include "FormMaterias.h"

#include "CursorEspera.h"
#include "ErrorEjecucion.h"
#include "ListaDatos.h"
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
    QFont letra = ListaMaterias->font();
    letra.setPointSizeF(9.75);
    ListaMaterias->setFont(letra);
    connect(ListaMaterias, &ListaDatos::Click, this, protegido([this] { ListaMaterias_Click(); }));
}

void FormMaterias::ListaMaterias_Click()
{
    const int i = ListaMaterias->ListIndex();
    if (i < 0)
        return;
    const CursorEspera espera;
    VentanaBusqueda &busqueda = Instancia<VentanaBusqueda>::get();
    busqueda.DataArchivo.setRecordSource(
        Sentencias::articulosDeMateria(ListaMaterias->ItemData(i)));
    refrescar(busqueda.DataArchivo);
    if (busqueda.DataArchivo.RecordCount() != 0)
        ListarArticulosMateria();
    else
        hide();
    Unload(); // the window goes only after this handler has returned
}

void FormMaterias::ListarArticulosMateria()
{
    VentanaBusqueda &busqueda = Instancia<VentanaBusqueda>::get();
    busqueda.mostrarArticulos(busqueda.DataArchivo);
    hide();
}
