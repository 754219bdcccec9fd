// SPDX-License-Identifier: GPL-3.0-or-later
#include "Colacion.h"

#include <sqlite3.h>
#include <unicode/ucol.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Secondary strength: accents count, letter case does not, as the catalogue's
// original engine compared text.
UCollator *colador()
{
    static UCollator *const c = [] {
        UErrorCode estado = U_ZERO_ERROR;
        UCollator *nuevo = ucol_open("es", &estado);
        if (U_FAILURE(estado))
            return static_cast<UCollator *>(nullptr);
        ucol_setStrength(nuevo, UCOL_SECONDARY);
        return nuevo;
    }();
    return c;
}

int compararIcu(UCollator *c, const char *a, int lenA, const char *b, int lenB)
{
    UErrorCode estado = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(c, a, lenA, b, lenB, &estado);
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

// Sorting builds indexes with millions of comparisons, and most are settled by
// the first letter that differs. For the characters of Spanish text (printable
// ASCII and the Latin-1 letters), each of which the collation gives exactly one
// primary weight, their rank among those weights settles such a comparison
// without ICU; anything else, and texts equal at the primary level (told apart
// by their accents), go to ICU. 0: not one of those characters.
using Rangos = std::array<std::uint16_t, 256>;

const Rangos &rangos()
{
    static const Rangos r = [] {
        Rangos r{};
        UErrorCode estado = U_ZERO_ERROR;
        UCollator *primario = ucol_open("es", &estado);
        if (U_FAILURE(estado))
            return r;
        ucol_setStrength(primario, UCOL_PRIMARY);
        std::vector<char16_t> letras;
        for (char16_t c = 0x20; c < 0x7f; ++c)
            letras.push_back(c);
        // Not Æ, Ð, ×, Þ, ß, æ, ð, ÷, þ: expansions, or not letters.
        for (char16_t c = 0xc0; c <= 0xff; ++c)
            if (c != 0xc6 && c != 0xd0 && c != 0xd7 && c != 0xde && c != 0xdf && c != 0xe6
                && c != 0xf0 && c != 0xf7 && c != 0xfe)
                letras.push_back(c);
        const auto comparar = [primario](char16_t x, char16_t y) {
            return ucol_strcoll(primario, reinterpret_cast<const UChar *>(&x), 1,
                                reinterpret_cast<const UChar *>(&y), 1);
        };
        std::stable_sort(letras.begin(), letras.end(),
                         [&](char16_t x, char16_t y) { return comparar(x, y) == UCOL_LESS; });
        const char16_t vacio = 0;
        std::uint16_t rango = 0;
        for (size_t i = 0; i < letras.size(); ++i) {
            // An ignorable character has no weight to rank.
            if (ucol_strcoll(primario, reinterpret_cast<const UChar *>(&letras[i]), 1,
                             reinterpret_cast<const UChar *>(&vacio), 0)
                == UCOL_EQUAL)
                continue;
            if (rango == 0 || comparar(letras[i - 1], letras[i]) != UCOL_EQUAL)
                ++rango;
            r[letras[i]] = rango;
        }
        ucol_close(primario);
        return r;
    }();
    return r;
}

// The next character of `p` as a Latin-1 code point, or -1 past the end, or 256
// for anything else.
inline int siguiente(const unsigned char *&p, const unsigned char *fin)
{
    if (p == fin)
        return -1;
    const unsigned char b = *p;
    if (b < 0x80) {
        ++p;
        return b;
    }
    if ((b == 0xc2 || b == 0xc3) && fin - p >= 2 && (p[1] & 0xc0) == 0x80) {
        p += 2;
        return (b & 0x1f) << 6 | (p[-1] & 0x3f);
    }
    return 256;
}

// Whether every byte of `x` is printable ASCII (0x20 to 0x7e).
inline bool imprimibles(std::uint64_t x)
{
    constexpr std::uint64_t unos = 0x0101010101010101;
    constexpr std::uint64_t altos = 0x8080808080808080;
    const bool menor = ((x - unos * 0x20) & ~x & altos) != 0;
    const std::uint64_t del = x ^ (unos * 0x7f);
    return (x & altos) == 0 && !menor && ((del - unos) & ~del & altos) == 0;
}

// How many leading bytes `a` and `b` share that the loop below would only
// walk through: whole characters, the same in both, each with a weight. In a
// sort the texts compared are neighbours, often alike for dozens of bytes.
size_t comunes(const Rangos &r, const unsigned char *a, const unsigned char *b, size_t n)
{
    // Printable ASCII all has a weight (checked where the ranks are made).
    static const bool asciiConRango = [&r] {
        for (int c = 0x20; c < 0x7f; ++c)
            if (r[c] == 0)
                return false;
        return true;
    }();
    if (!asciiConRango)
        return 0;
    size_t i = 0;
    for (;;) {
        while (i + 8 <= n) {
            std::uint64_t x = 0;
            std::uint64_t y = 0;
            std::memcpy(&x, a + i, 8);
            std::memcpy(&y, b + i, 8);
            if (x != y || !imprimibles(x))
                break;
            i += 8;
        }
        if (i >= n || a[i] != b[i])
            return i;
        const unsigned char c = a[i];
        if (c >= 0x20 && c < 0x7f) {
            ++i;
            continue;
        }
        if ((c == 0xc2 || c == 0xc3) && i + 1 < n && a[i + 1] == b[i + 1]
            && (a[i + 1] & 0xc0) == 0x80 && r[(c & 0x1f) << 6 | (a[i + 1] & 0x3f)] != 0) {
            i += 2;
            continue;
        }
        return i;
    }
}

// -2: not settled here.
int compararRapido(const char *a, int lenA, const char *b, int lenB)
{
    const Rangos &r = rangos();
    auto *pa = reinterpret_cast<const unsigned char *>(a);
    auto *pb = reinterpret_cast<const unsigned char *>(b);
    const auto *finA = pa + lenA;
    const auto *finB = pb + lenB;
    const size_t saltados = comunes(r, pa, pb, size_t(std::min(lenA, lenB)));
    pa += saltados;
    pb += saltados;
    for (;;) {
        const int ca = siguiente(pa, finA);
        const int cb = siguiente(pb, finB);
        if (ca == 256 || cb == 256)
            return -2;
        if (ca < 0 || cb < 0) {
            if (ca < 0 && cb < 0)
                return -2; // equal at the primary level
            // A prefix comes first, when what follows it weighs something.
            const int resto = ca < 0 ? cb : ca;
            if (r[resto] == 0)
                return -2;
            return ca < 0 ? -1 : 1;
        }
        const std::uint16_t ra = r[ca];
        const std::uint16_t rb = r[cb];
        if (ra == 0 || rb == 0)
            return -2;
        if (ra != rb) {
            // A combining mark next could make another letter of this one (N
            // and a tilde are Ñ): only a Latin-1 character next, or the end,
            // leaves it as it is.
            const auto *sa = pa;
            const auto *sb = pb;
            if (siguiente(sa, finA) == 256 || siguiente(sb, finB) == 256)
                return -2;
            return ra < rb ? -1 : 1;
        }
    }
}

int compararSqlite(void *, int lenA, const void *a, int lenB, const void *b)
{
    return Colacion::comparar(static_cast<const char *>(a), lenA, static_cast<const char *>(b),
                              lenB);
}

} // namespace

namespace Colacion {

int comparar(const char *a, int lenA, const char *b, int lenB)
{
    UCollator *c = colador();
    if (!c) {
        const int n = lenA < lenB ? lenA : lenB;
        for (int i = 0; i < n; ++i)
            if (a[i] != b[i])
                return static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
        return lenA - lenB;
    }
    // The same bytes are equal in any collation; ICU would walk them twice to say so.
    if (lenA == lenB && std::memcmp(a, b, size_t(lenA)) == 0)
        return 0;
    const int rapido = compararRapido(a, lenA, b, lenB);
    return rapido != -2 ? rapido : compararIcu(c, a, lenA, b, lenB);
}

bool registrar(sqlite3 *db)
{
    return sqlite3_create_collation_v2(db, nombre, SQLITE_UTF8, nullptr, compararSqlite, nullptr)
           == SQLITE_OK;
}

} // namespace Colacion
