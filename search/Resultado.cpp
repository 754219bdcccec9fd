// SPDX-License-Identifier: GPL-3.0-or-later
#include "Resultado.h"

#include "DataSource.h"

Resultado Resultado::fallo(const QString &motivo)
{
    Resultado r;
    r.m_ok = false;
    r.m_error = motivo;
    return r;
}

Resultado Resultado::de(bool ok, const DataSource &ds)
{
    return ok ? Resultado() : fallo(ds.errorString());
}

Resultado refrescar(DataSource &ds)
{
    return Resultado::de(ds.Refresh(), ds);
}

Resultado avanzar(DataSource &ds)
{
    return Resultado::de(ds.MoveNext(), ds);
}

Resultado columna(DataSource &ds, const QString &nombre, int &indice)
{
    indice = ds.indiceCampo(nombre);
    if (indice >= 0)
        return {};
    // Fields() words the missing column as the engine does.
    return Resultado::de(ds.Fields(nombre).has_value(), ds);
}
