// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Busquedas.h"
#include "Lineas.h"
#include "Resultado.h"

#include <optional>

class DataSource;

// What a search of the search window brings, for the window to show: the lines
// of its result list and of a picker, what they stand for, and whether a click
// on them opens anything. Fields left unset leave what they stand for as it is.
struct Respuesta
{
    std::optional<Lineas> articulos; // the result list's lines, in place of its own
    std::optional<TipoLista> tipo;   // what the result list's lines stand for
    std::optional<Lineas> autores;   // the author picker's lines
    std::optional<Lineas> materias;  // the subject picker's lines
    bool materiasElegibles = false;  // they are subjects to pick, not just emptied
    bool conAutores = false;         // the author picker comes up beside the window
    bool conMaterias = false;        // the subject picker does
    bool hayResultados = false;      // a click on a result line opens its issue
    bool cronologica = false;        // the search was the chronological one

    friend bool operator==(const Respuesta &, const Respuesta &) = default;
};

// Each search button of the search window, on the data source it queries. A
// failure changes nothing: the window shows the reason. `materiasElegidas`:
// the subject picker lists subjects, so the article lines a pick brings must
// find the flag set.
namespace Consultas {

// The statement `consulta` holds, its rows shown as `modo` says.
Resultado<Respuesta> visualizar(DataSource &consulta, ModoLista modo, bool materiasElegidas);
// The title as written, else the match lookup over every title.
Resultado<Respuesta> porTitulo(DataSource &consulta, const QString &texto, bool materiasElegidas);
// The match lookup for `texto` in every title (into the result list) or every
// author (into the author picker), with the message lines when nothing matched.
Resultado<Respuesta> coincidentes(DataSource &consulta, CampoBuscado campo, const QString &texto);
// The author's articles when one author is named exactly, else the match
// lookup over every author, into the author picker.
Resultado<Respuesta> porAutor(DataSource &consulta, const QString &texto, bool materiasElegidas);
// The subjects of the group, into the subject picker.
Resultado<Respuesta> porMateria(DataSource &consulta, const QString &grupo);
// Every issue in chronological order.
Resultado<Respuesta> cronologica(DataSource &consulta, bool materiasElegidas);

// A pick in a picker: the article lines of `sentencia`'s rows, run on
// `archivo`; nullopt when it has none.
Resultado<std::optional<Lineas>> articulosDe(DataSource &archivo, const QString &sentencia);

// The subject groups the group list offers.
Resultado<QStringList> gruposDeMaterias(DataSource &grupos);

} // namespace Consultas
