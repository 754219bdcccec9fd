#include "LineasArticulo.h"

#include "DataSource.h"
#include "ErrorEjecucion.h"
#include "ListaDatos.h"

#include <limits>

namespace {

constexpr QStringView separador = u". ";

} // namespace

QString lineaArticulo(const QString &titulo, const QString &numero)
{
    QString linea;
    linea.reserve(titulo.size() + separador.size() + numero.size());
    linea += titulo;
    linea += separador;
    linea += numero;
    return linea;
}

qint32 claveDeLinea(const QVariant &valor)
{
    bool ok = false;
    const qint64 v = valor.toLongLong(&ok);
    if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(v);
}

void anadirArticulos(ListaDatos &lista, DataSource &ds)
{
    if (ds.isEOF())
        return;
    const int titulo = columnaExigida(ds, QStringLiteral("des_articulo"));
    const int numero = columnaExigida(ds, QStringLiteral("des_añoNumero"));
    const int id = columnaExigida(ds, QStringLiteral("id_articulo"));
    while (!ds.isEOF()) {
        // The same line as lineaArticulo(), straight from the row's bytes.
        lista.AddItem(ds.textoUnido(titulo, separador, numero), claveDeLinea(ds.valor(id)));
        exigir(ds.MoveNext(), ds);
    }
}
