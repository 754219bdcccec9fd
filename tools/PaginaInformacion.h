// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Coleccion;

// The information page that goes on both discs as html/Informacion.html: what
// the collection holds and how to search and read it. UTF-8 HTML with its CSS.
namespace PaginaInformacion {

QString html(const Coleccion &coleccion);

} // namespace PaginaInformacion
