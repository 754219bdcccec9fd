// SPDX-License-Identifier: GPL-3.0-or-later
#include "Acentos.h"

QString QuitarAcentos(const QString &texto)
{
    QString r = texto;
    for (QChar &c : r) {
        switch (c.unicode()) {
        case 0x00E1: c = u'a'; break;
        case 0x00E9: c = u'e'; break;
        case 0x00ED: c = u'i'; break;
        case 0x00F3: c = u'o'; break;
        case 0x00FA: c = u'u'; break;
        default: break;
        }
    }
    return r;
}

QString prepararTexto(const QString &texto)
{
    const QString minusculas = texto.toLower();
    qsizetype inicio = 0;
    qsizetype fin = minusculas.size();
    while (inicio < fin && minusculas.at(inicio) == u' ')
        ++inicio;
    while (fin > inicio && minusculas.at(fin - 1) == u' ')
        --fin;
    return QuitarAcentos(minusculas.mid(inicio, fin - inicio));
}

bool contieneTexto(const QString &valorPreparado, const QString &textoPreparado)
{
    if (valorPreparado.isEmpty())
        return false;
    return valorPreparado.contains(textoPreparado);
}
