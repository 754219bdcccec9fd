// SPDX-License-Identifier: GPL-3.0-or-later
#include "Lineas.h"

#include <algorithm>
#include <cstring>

int Lineas::anadir(const QString &texto, qint32 dato)
{
    Linea linea;
    linea.dato = dato;
    const qsizetype antes = m_latin1.size();
    bool latin1 = !texto.isEmpty();
    if (latin1) {
        // Doubled by hand: left to resize(), filling a million lines took
        // twice as long (measured). realloc() moves a big block by remapping
        // it, without copying.
        if (m_latin1.capacity() < antes + texto.size())
            m_latin1.reserve(std::max(2 * m_latin1.capacity(), antes + texto.size()));
        m_latin1.resize(antes + texto.size());
        char *d = m_latin1.data() + antes;
        for (const QChar c : texto) {
            if (c.unicode() > 0xFF) {
                latin1 = false;
                break;
            }
            *d++ = char(c.unicode());
        }
    }
    if (latin1) {
        linea.inicio = antes;
        linea.largo = qint32(texto.size());
    } else {
        m_latin1.resize(antes);
        linea.inicio = m_otros.size();
        m_otros.append(texto);
    }
    m_lineas.append(linea);
    return int(m_lineas.size()) - 1;
}

QString Lineas::texto(int fila) const
{
    const Linea &l = m_lineas.at(fila);
    if (l.largo < 0)
        return m_otros.at(l.inicio);
    return QString::fromLatin1(m_latin1.constData() + l.inicio, l.largo);
}

void Lineas::clear()
{
    m_lineas.clear();
    m_latin1.resize(0);
    m_otros.clear();
}

QStringList Lineas::textos() const
{
    QStringList t;
    t.reserve(size());
    for (int i = 0; i < size(); ++i)
        t << texto(i);
    return t;
}

bool operator==(const Lineas &a, const Lineas &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (a.dato(i) != b.dato(i) || a.texto(i) != b.texto(i)
            || a.texto(i).isNull() != b.texto(i).isNull())
            return false;
    return true;
}

char *toString(const Lineas &lineas)
{
    QByteArray t = "(";
    for (int i = 0; i < lineas.size(); ++i)
        t += (i ? ", \"" : "\"") + lineas.texto(i).toUtf8() + "\" " + QByteArray::number(lineas.dato(i));
    t += ')';
    char *r = new char[t.size() + 1];
    std::memcpy(r, t.constData(), t.size() + 1);
    return r;
}
