// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class DataSource;

// What a call on the catalogue gives back: done, or the reason it stopped, in
// the data source's words (the file's path and the engine's reason). Search
// code returns it; only windows show it to the reader.
class [[nodiscard]] Resultado final
{
public:
    Resultado() = default; // done

    static Resultado fallo(const QString &motivo);
    // Done when `ok`, else the reason `ds` gives.
    static Resultado de(bool ok, const DataSource &ds);

    bool ok() const { return m_ok; }
    const QString &error() const { return m_error; }

private:
    bool m_ok = true;
    QString m_error;
};

// Refresh() and MoveNext() of a data source, as a Resultado.
Resultado refrescar(DataSource &ds);
Resultado avanzar(DataSource &ds);
// The index of a column of the current result, or the engine's reason there
// is none.
Resultado columna(DataSource &ds, const QString &nombre, int &indice);
