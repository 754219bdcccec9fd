// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

#include <span>

// The words the demo collection is written with: themes of the bulletin, the
// phrases its titles are built from, places, people and names. Placeholders in
// the phrases: {O} and {O2} a theme's noun phrase, {L} a place, {A} a year
// before the issue's, {P} a historical figure, {N} a number, {D} a span of years.
namespace Vocabulario {

// A noun phrase with its article ("el puente colgante"), the core of a title.
struct Objeto
{
    QStringView texto;
    int materia = 0; // index of its subject in the theme
    int desde = 0;   // first year an article could deal with it
};

// One subject group of the catalogue and what its articles talk about.
struct Tema
{
    QStringView grupo;
    std::span<const QStringView> materias;
    std::span<const Objeto> objetos;
    int peso = 1; // share of the bulletin's articles
};

struct Lugar
{
    QStringView texto;
    int desde = 0;
    int hasta = 9999;
};

// A law the law theme's titles comment on.
struct Ley
{
    QStringView nombre; // "Expropiación Forzosa"
    int anio = 0;
    int materia = 0; // subject in the law theme
};

std::span<const Tema> temas();
// Index in temas() of the history theme (figures) and of the law theme (laws).
int temaHistoria();
int temaDerecho();
int materiaBiografias(); // subject of the history theme that figures go under

std::span<const QStringView> aperturas();     // "Notas sobre" + {O}
std::span<const QStringView> subtitulos();    // "{O}: " + subtitle
std::span<const QStringView> preguntas();     // whole titles with {O}
std::span<const QStringView> reiteraciones(); // "Paso a paso" (a word twice)
std::span<const QStringView> conLugar();      // whole titles with {O} and {L}
std::span<const QStringView> sobreFiguras();  // whole titles with {P}
std::span<const QStringView> sobreLeyes();    // whole titles with {Ley} and {Y}
std::span<const Lugar> lugares();
std::span<const QStringView> figuras();
std::span<const Ley> leyes();

// Qualifiers that split a subject when a big catalogue needs more of them.
std::span<const QStringView> calificadores();

std::span<const QStringView> apellidos();
std::span<const QStringView> nombres();

// Sentences of the filler text on each article's page.
std::span<const QStringView> frases();

} // namespace Vocabulario
