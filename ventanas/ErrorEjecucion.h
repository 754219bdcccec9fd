#pragma once

#include "DataSource.h"
#include "Mensajes.h"

#include <QString>
#include <QVariant>

#include <utility>

// A failure no handler expects (the catalogue unreadable, a statement refused):
// it stops the running handler, and the reader is told what failed. The program
// goes on.
struct ErrorEjecucion
{
    QString texto;
};

// Throws ErrorEjecucion with the data source's reason when `ok` is false.
inline void exigir(bool ok, const DataSource &ds)
{
    if (!ok)
        throw ErrorEjecucion{ds.errorString()};
}

// Refresh that stops the handler on failure.
inline void refrescar(DataSource &ds)
{
    exigir(ds.Refresh(), ds);
}

// A column of the current row; stops the handler when there is none.
inline QVariant campo(DataSource &ds, const QString &nombre)
{
    auto v = ds.Fields(nombre);
    exigir(v.has_value(), ds);
    return *v;
}

// The index of a column of the current result, for walks over many rows; stops
// the handler when there is no such column.
inline int columnaExigida(DataSource &ds, const QString &nombre)
{
    const int i = ds.indiceCampo(nombre);
    if (i < 0)
        exigir(ds.Fields(nombre).has_value(), ds); // throws with the engine's wording
    return i;
}

// Wraps an event handler: an ErrorEjecucion ends it with a message box.
template <class F>
auto protegido(F handler)
{
    return [handler = std::move(handler)]() {
        try {
            handler();
        } catch (const ErrorEjecucion &e) {
            MsgBox(e.texto);
        }
    };
}
