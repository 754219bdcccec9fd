// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The text with everything outside printable ASCII as \uXXXX, for reports.
inline QByteArray legible(const QString &s)
{
    QByteArray r;
    for (const QChar c : s) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\')
            r += char(c.unicode());
        else
            r += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    }
    return r;
}
