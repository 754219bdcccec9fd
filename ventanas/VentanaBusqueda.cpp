#include "VentanaBusqueda.h"

#include "LineasArticulo.h"

void VentanaBusqueda::mostrarArticulos(DataSource &ds)
{
    ListaArtic->campoLista = QStringLiteral("des_articulo");
    ListaArtic->Clear();
    ListaArtic->Refresh();
    anadirArticulos(*ListaArtic, ds);
    ListaArtic->Refresh();
    hayResultados = true;
}
