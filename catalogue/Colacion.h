// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct sqlite3;

namespace Colacion {

// Name of the collation every text column of a catalogue is declared with.
inline constexpr const char *nombre = "es";

// Registers the Spanish collation on a connection: letter case ignored, accented
// vowels beside their plain vowel, ñ after n. Every connection that compares or
// sorts a catalogue's text columns needs it, or SQLite reports "no such collation
// sequence". Returns false when SQLite refuses it.
bool registrar(sqlite3 *db);

// Compares two UTF-8 texts the way the collation does (<0, 0, >0).
int comparar(const char *a, int lenA, const char *b, int lenB);

} // namespace Colacion
