// SPDX-License-Identifier: GPL-3.0-or-later
#include "VentanaBusqueda.h"

#include "Sentencias.h"

Resultado<> VentanaBusqueda::refrescarGrupos()
{
    DataMateria.setRecordSource(Sentencias::gruposMaterias());
    return DataMateria.Refresh();
}

Resultado<> VentanaBusqueda::consultarArchivo(const QString &sentencia, bool &hayFilas)
{
    DataArchivo.setRecordSource(sentencia);
    Resultado<> r = DataArchivo.Refresh();
    hayFilas = r.ok() && DataArchivo.RecordCount() != 0;
    return r;
}

Resultado<> VentanaBusqueda::mostrarArticulosDeArchivo()
{
    ListaArtic->campoLista = TipoLista::Articulos;
    ListaArtic->Clear();
    ListaArtic->Refresh();
    Resultado<> r = anadirLineas(*ListaArtic, DataArchivo, ModoLista::Articulos);
    ListaArtic->Refresh();
    if (r.ok())
        hayResultados = true;
    return r;
}
