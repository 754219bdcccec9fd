// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A whole number as Spanish text writes it: a full stop between thousands
// from five digits on ("6000", "333.333", "1.000.000").
inline QString cifra(qint64 n)
{
    QString s = QString::number(n < 0 ? -n : n);
    if (s.size() > 4)
        for (auto i = s.size() - 3; i > 0; i -= 3)
            s.insert(i, u'.');
    return n < 0 ? u'-' + s : s;
}
