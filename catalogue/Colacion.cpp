#include "Colacion.h"

#include <sqlite3.h>
#include <unicode/ucol.h>

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
    UErrorCode estado = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(c, a, lenA, b, lenB, &estado);
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

bool registrar(sqlite3 *db)
{
    return sqlite3_create_collation_v2(db, nombre, SQLITE_UTF8, nullptr, compararSqlite, nullptr)
           == SQLITE_OK;
}

} // namespace Colacion
