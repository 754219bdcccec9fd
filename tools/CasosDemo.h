// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// Rows every demo collection holds, whatever its seed and size, because the
// searches must cope with them. Tests look for them by these values.
namespace CasosDemo {

// Two authors (different id_autor) with the very same name.
inline constexpr QStringView autorRepetido = u"Fernández Núñez, José Luis";
// An author no article is related to.
inline constexpr QStringView autorSinArticulos = u"Ordóñez Lacasa, María Begoña";
// First surname of about one author in ten, on top of chance.
inline constexpr QStringView apellidoComun = u"García";
// A subject group with no subjects.
inline constexpr QStringView grupoSinMaterias = u"Miscelánea";
// A title two articles share exactly.
inline constexpr QStringView tituloRepetido = u"Carta abierta a los lectores";
// A title with a word in it twice.
inline constexpr QStringView tituloPalabraDoble =
    u"Paso a paso: la electrificación de los ferrocarriles de vía estrecha";

// Titles put at fixed places of the collection (the article at porMil thousandths
// of the whole), so that every collection holds an apostrophe, ü and each capital
// with an acute accent. tema and materia say where they are classified.
struct TituloFijo
{
    QStringView titulo;
    int tema = 0;
    int materia = 0;
    int porMil = 0;
};
inline constexpr TituloFijo titulosFijos[] = {
    {u"Eugeni d'Ors y la arquitectura de la ciudad", 3, 2, 100},
    {u"Índice general de autores y materias", 7, 4, 200},
    {u"Ávila, Écija y Úbeda: tres ciudades ante el tráfico", 1, 5, 250},
    {tituloRepetido, 7, 2, 333},
    {tituloPalabraDoble, 1, 0, 500},
    {tituloRepetido, 7, 2, 667},
    {u"Órganos consultivos de la Administración: el Consejo de Obras Públicas", 3, 4, 750},
    // The last issue's: the Spanish Antarctic base dates from 1988.
    {u"Una base en la Antártida: hielo, viento y pingüinos", 5, 3, 998},
};

// Issues of these years store disco as the text '1' instead of the number 1,
// as a catalogue typed in by hand may.
inline constexpr int discoTextoDesde = 1960;
inline constexpr int discoTextoHasta = 1964;
// First year on disc 2; earlier issues are on disc 1.
inline constexpr int primerAnioDisco2 = 1980;
// Authors from this index on get ids from idAutorAlto up, beyond 16 bits.
inline constexpr int idAutorAlto = 40001;

// Issues whose articles run over several pages each (two to four), so that an
// article's heading stands on one of them and its title, small, heads the
// rest; and one issue scanned, its pages pictures with no text in them. Each
// is the given issue of its year, where the year has that many.
struct NumeroFijo
{
    int anio = 0;
    int numero = 0;
};
inline constexpr NumeroFijo numerosLargos[] = {{1955, 2}, {1975, 2}, {1995, 2}};
inline constexpr NumeroFijo numeroEscaneado = {1970, 2};

} // namespace CasosDemo
