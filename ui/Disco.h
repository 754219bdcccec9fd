// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// Listing a place the way the program looks at a disc. Names on a disc may come
// in either letter case, so folders are found whatever their case; the file
// name returned is the one stored, for the caller to compare exactly.
namespace Disco {

// The entry of `carpeta` named `nombre` in any letter case (its path), or empty.
QString buscar(const QString &carpeta, const QString &nombre);

// Name (no folder) of the first ordinary file of the place's "Imagenes" folder
// whose name begins with `prefijo` (letter case ignored, as a pattern with a
// trailing wildcard), or "" when none. nullopt: the place cannot be listed (it
// does not exist, is not a folder or cannot be read).
std::optional<QString> primerNombre(const QString &lugar, const QString &prefijo);

// Stored name of the file `nombre` (any letter case) in the place's "Imagenes"
// folder, or "" when absent; nullopt when the place cannot be listed.
std::optional<QString> nombreArchivo(const QString &lugar, const QString &nombre);

// lugar + "/imagenes/" + archivo, each name found in its stored letter case when
// it exists (the path as built otherwise).
QString rutaEnImagenes(const QString &lugar, const QString &archivo);

} // namespace Disco
