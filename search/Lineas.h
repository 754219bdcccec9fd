// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The lines of a list, in order: each a text and a 32-bit item value that is
// not shown. What a search gives and what a list shows.
//
// Texts made only of Latin-1 characters (all Spanish text) are kept one byte a
// character in one buffer: a million lines cost their characters, not a
// million allocations. Others (and empty or null texts, kept as they came)
// are kept whole.
class Lineas final
{
public:
    // Returns the new line's index.
    int anadir(const QString &texto, qint32 dato);
    QString texto(int fila) const;
    qint32 dato(int fila) const { return m_lineas.at(fila).dato; }
    void setDato(int fila, qint32 dato) { m_lineas[fila].dato = dato; }
    int size() const { return int(m_lineas.size()); }
    bool isEmpty() const { return m_lineas.isEmpty(); }
    // Capacity is kept, as a list is mostly filled again at once.
    void clear();
    QStringList textos() const;

    friend bool operator==(const Lineas &a, const Lineas &b);

private:
    struct Linea
    {
        qint64 inicio = 0; // in m_latin1; in m_otros when largo < 0
        qint32 largo = -1;
        qint32 dato = 0;
    };

    QVector<Linea> m_lineas;
    QByteArray m_latin1;
    QList<QString> m_otros;
};

// For test failures.
char *toString(const Lineas &lineas);
