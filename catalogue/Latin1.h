// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

// Walks UTF-8 text made of ASCII and two-byte sequences of the Latin-1 range
// (all Spanish text), handing each character to `f`. Stops and returns false at
// any other byte, or when `f` returns false, so that the caller can take the
// slow road (QString::fromUtf8) for the rest.
template <class F>
inline bool porCaracterLatin1(QByteArrayView utf8, F &&f)
{
    const auto *p = reinterpret_cast<const uchar *>(utf8.data());
    const auto *fin = p + utf8.size();
    while (p < fin) {
        const uchar b = *p;
        char16_t c;
        if (b < 0x80) {
            c = b;
            ++p;
        } else if ((b == 0xC2 || b == 0xC3) && fin - p >= 2 && (p[1] & 0xC0) == 0x80) {
            c = char16_t((b & 0x1F) << 6 | (p[1] & 0x3F));
            p += 2;
        } else {
            return false;
        }
        if (!f(c))
            return false;
    }
    return true;
}
