#include "LineasArticulo.h"

#include "DataSource.h"
#include "ErrorEjecucion.h"
#include "ListaDatos.h"

#include <limits>

QString lineaArticulo(const QString &titulo, const QString &numero)
{
    return titulo + QStringLiteral(". ") + numero;
}

qint32 claveDeLinea(const QVariant &valor)
{
    bool ok = false;
    const qint64 v = valor.toLongLong(&ok);
    if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(v);
}

namespace {

int columna(DataSource &ds, const QString &nombre)
{
    const int i = ds.indiceCampo(nombre);
    if (i < 0)
        exigir(ds.Fields(nombre).has_value(), ds); // throws with the engine's wording
    return i;
}

} // namespace

void anadirArticulos(ListaDatos &lista, DataSource &ds)
{
    if (ds.isEOF())
        return;
    const int titulo = columna(ds, QStringLiteral("des_articulo"));
    const int numero = columna(ds, QStringLiteral("des_añoNumero"));
    const int id = columna(ds, QStringLiteral("id_articulo"));
    while (!ds.isEOF()) {
        lista.AddItem(lineaArticulo(ds.texto(titulo), ds.texto(numero)),
                      claveDeLinea(ds.valor(id)));
        exigir(ds.MoveNext(), ds);
    }
}
