// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Resultado.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>

class Catalogo;
struct sqlite3_stmt;

// A data source: a catalogue file name, a statement, and after Refresh() one open
// result walked row by row. Never throws; a call that can fail returns its
// Resultado, the reason in Spanish.
class DataSource final
{
public:
    DataSource() = default;
    ~DataSource();
    DataSource(const DataSource &) = delete;
    DataSource &operator=(const DataSource &) = delete;

    void setDatabaseName(const QString &ruta);
    const QString &DatabaseName() const { return m_databaseName; }

    // A statement, or a bare table name (which stands for all its rows).
    void setRecordSource(const QString &sentencia) { m_recordSource = sentencia; }
    const QString &RecordSource() const { return m_recordSource; }

    // Runs the statement anew; the cursor stands on the first row, or at the end.
    Resultado<> Refresh();

    // Past the last row (at once for an empty result, or before any Refresh).
    bool isEOF() const { return m_eof; }
    // Fails on an engine error met while stepping; the cursor is then at the end.
    Resultado<> MoveNext();
    // Rows the cursor has reached so far: after Refresh 0 or 1, the full count
    // once it has passed the last row.
    qint64 RecordCount() const { return m_alcanzadas; }

    // Column of the current row by name, whatever its letter case. A null value
    // is a null QVariant; a failure when there is no such column or no current row.
    Resultado<QVariant> Fields(const QString &nombre) const;

    // For walks over many rows: the index of a column (-1 if none) and its value.
    int indiceCampo(const QString &nombre) const;
    // The index of a column, or the reason there is none, worded as Fields() does.
    Resultado<int> columna(const QString &nombre) const;
    QVariant valor(int indice) const;
    // Text of a column without going through QVariant; null gives a null QString.
    QString texto(int indice) const;
    // The same text as the engine holds it, UTF-8, not copied: valid until the
    // cursor moves. Null gives a null view.
    QByteArrayView utf8(int indice) const;
    // texto(primera) + medio + texto(segunda), made in one allocation.
    QString textoUnido(int primera, QStringView medio, int segunda) const;
    bool esNulo(int indice) const;

private:
    void cerrarResultado();
    QString sinFilaActual() const;

    QString m_databaseName;
    QString m_recordSource;
    std::shared_ptr<Catalogo> m_catalogo;
    sqlite3_stmt *m_stmt = nullptr;
    QHash<QString, int> m_columnas; // lower-cased name -> first column of that name
    bool m_eof = true;
    qint64 m_alcanzadas = 0;
};
