// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

struct GrupoDemo
{
    int id = 0;
    QString nombre;
};

struct MateriaDemo
{
    int id = 0;
    int grupo = 0; // id_grupo
    QString nombre;
};

struct AutorDemo
{
    int id = 0;
    QString nombre; // "Apellido Apellido, Nombre"
};

struct NumeroDemo
{
    int id = 0;     // id_boletin
    int anio = 0;
    int numero = 0; // within its year, from 1
    int disco = 1;
    bool discoComoTexto = false;
    int primerArticulo = 0; // index of its first article; articles go in issue order
    int articulos = 0;

    QString etiqueta() const; // "Año 1975 - Nº 3"
    QString archivo() const;  // "1975_03", the PDF's name without ".pdf"
    int orden() const;        // 197503
};

struct ArticuloDemo
{
    int id = 0;
    QString titulo;
    std::vector<int> autores;  // indices into Coleccion::autores(), first author first
    std::vector<int> materias; // id_materia
    int tema = 0;              // what its filler text talks about
    int objeto = 0;
};

// The whole demo collection as a plan: groups, subjects, authors and issues are
// held; an issue's articles are worked out when asked for, each from its own
// random stream, so a catalogue of a million articles never sits in memory and
// the same seed and size always give the same collection.
class Coleccion final
{
public:
    static constexpr int primerAnio = 1950;
    static constexpr int ultimoAnio = 2000;
    static constexpr int minimoArticulos = 100;
    static constexpr int articulosPorDefecto = 6000;

    // articulos >= minimoArticulos.
    Coleccion(std::uint64_t semilla, int articulos);

    std::uint64_t semilla() const { return m_semilla; }
    int totalArticulos() const { return m_totalArticulos; }
    const std::vector<GrupoDemo> &grupos() const { return m_grupos; }
    const std::vector<MateriaDemo> &materias() const { return m_materias; }
    const std::vector<AutorDemo> &autores() const { return m_autores; }
    // In chronological order.
    const std::vector<NumeroDemo> &numeros() const { return m_numeros; }

    // The articles of an issue, the same every time it is asked for.
    std::vector<ArticuloDemo> articulosDe(const NumeroDemo &numero) const;

    // Two paragraphs of text for an article's page.
    QStringList relleno(const ArticuloDemo &articulo, int anio) const;

private:
    void planificarGrupos();
    void planificarAutores();
    void planificarNumeros();
    ArticuloDemo articulo(int indice, int anio) const;
    int primerAutor(int indice) const;
    int autorDePosicion(int posicion) const;

    std::uint64_t m_semilla = 0;
    int m_totalArticulos = 0;
    double m_detalle = 0; // see Redactor::titulo()
    std::vector<GrupoDemo> m_grupos;
    std::vector<MateriaDemo> m_materias;
    // id_materia of each subject of each theme: the theme's own subject first,
    // then the ones a big catalogue splits it into.
    std::vector<std::vector<std::vector<int>>> m_materiasDeTema;
    std::vector<AutorDemo> m_autores;
    int m_autorSinArticulos = 0; // index kept out of every article
    std::vector<NumeroDemo> m_numeros;
};
