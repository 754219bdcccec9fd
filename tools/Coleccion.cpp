// SPDX-License-Identifier: GPL-3.0-or-later
#include "Coleccion.h"

#include "Azar.h"
#include "CasosDemo.h"
#include "Redactor.h"
#include "Vocabulario.h"

#include <QSet>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Each part of the collection draws from its own stream (see Azar::derivado).
enum Flujo : std::uint64_t {
    flujoNumeros = 1,
    flujoAutores = 2,
    flujoBloques = 3,
    flujoArticulos = 1'000'000'000,
    flujoRelleno = 3'000'000'000,
};

// Articles whose first authors are shuffled together: about two years of the
// bulletin, so that an author's articles lie close in time.
constexpr int tamBloque = 256;

// So many articles per issue, on average, at the default size.
constexpr int articulosPorNumero = 24;

std::uint64_t mezclar(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// A permutation of [0, n), n <= 256, chosen by the key: a four-round Feistel
// network over eight bits, walked until it lands inside the range.
int permutar(int x, int n, std::uint64_t clave)
{
    do {
        unsigned izq = unsigned(x) >> 4;
        unsigned der = unsigned(x) & 15u;
        for (unsigned r = 0; r < 4; ++r) {
            const unsigned f = unsigned(mezclar(clave + r * 16 + der)) & 15u;
            const unsigned nuevo = izq ^ f;
            izq = der;
            der = nuevo;
        }
        x = int(izq << 4 | der);
    } while (x >= n);
    return x;
}

// The noun phrase a fixed title's page talks about: the first of its subject.
int objetoDeMateria(int tema, int materia)
{
    const auto objetos = Vocabulario::temas()[std::size_t(tema)].objetos;
    for (int i = 0; i < int(objetos.size()); ++i)
        if (objetos[std::size_t(i)].materia == materia)
            return i;
    return 0;
}

} // namespace

QString NumeroDemo::etiqueta() const
{
    return u"Año %1 - Nº %2"_s.arg(anio).arg(numero);
}

QString NumeroDemo::archivo() const
{
    return u"%1_%2"_s.arg(anio).arg(numero, 2, 10, QChar(u'0'));
}

int NumeroDemo::orden() const
{
    return anio * 100 + numero;
}

Coleccion::Coleccion(std::uint64_t semilla, int articulos)
    : m_semilla(semilla), m_totalArticulos(std::max(articulos, minimoArticulos))
{
    // Titles get more specific from ten thousand articles on, fully so at a million.
    m_detalle = std::clamp(std::log10(m_totalArticulos / 10000.0) / 2, 0.0, 1.0);
    planificarGrupos();
    planificarAutores();
    planificarNumeros();
}

void Coleccion::planificarGrupos()
{
    const auto temas = Vocabulario::temas();
    struct Base
    {
        int tema;
        int materia;
    };
    std::vector<Base> bases;
    m_materiasDeTema.resize(temas.size());
    for (int t = 0; t < int(temas.size()); ++t) {
        const auto &tema = temas[std::size_t(t)];
        m_grupos.push_back({t + 1, tema.grupo.toString()});
        m_materiasDeTema[std::size_t(t)].resize(tema.materias.size());
        for (int m = 0; m < int(tema.materias.size()); ++m) {
            const int id = int(m_materias.size()) + 1;
            m_materias.push_back({id, t + 1, tema.materias[std::size_t(m)].toString()});
            m_materiasDeTema[std::size_t(t)][std::size_t(m)].push_back(id);
            bases.push_back({t, m});
        }
    }
    m_grupos.push_back({int(temas.size()) + 1, CasosDemo::grupoSinMaterias.toString()});

    // About a hundred articles per subject: beyond the themes' own subjects, a
    // big catalogue splits them by aspect and by region.
    const auto calificadores = Vocabulario::calificadores();
    const int maximo = int(bases.size() * (1 + calificadores.size()));
    const int total = std::clamp(m_totalArticulos / 100, int(bases.size()), maximo);
    for (int d = 0; int(m_materias.size()) < total; ++d) {
        const Base &b = bases[std::size_t(d) % bases.size()];
        const auto &tema = temas[std::size_t(b.tema)];
        const int id = int(m_materias.size()) + 1;
        m_materias.push_back({id, b.tema + 1,
                              tema.materias[std::size_t(b.materia)].toString() + u": "_s
                                  + calificadores[std::size_t(d) / bases.size()].toString()});
        m_materiasDeTema[std::size_t(b.tema)][std::size_t(b.materia)].push_back(id);
    }
}

void Coleccion::planificarAutores()
{
    const int total = std::max(20, (m_totalArticulos + 1) / 3);
    // The last few authors, the bulletin's latest, get ids beyond 16 bits,
    // leaving a gap below CasosDemo::idAutorAlto.
    const int altos = std::max(3, total / 50);
    const int bajos = std::min(total - altos, 32000);
    const int gemeloA = 2;
    const int gemeloB = total - 2;
    m_autorSinArticulos = bajos / 2;

    Azar azar = Azar::derivado(m_semilla, flujoAutores);
    const auto apellidos = Vocabulario::apellidos();
    const auto nombres = Vocabulario::nombres();
    QSet<QString> usados{CasosDemo::autorRepetido.toString(),
                         CasosDemo::autorSinArticulos.toString()};
    usados.reserve(total);
    m_autores.reserve(std::size_t(total));
    for (int k = 0; k < total; ++k) {
        const int id = k < bajos ? k + 1 : CasosDemo::idAutorAlto + (k - bajos);
        if (k == gemeloA || k == gemeloB) {
            m_autores.push_back({id, CasosDemo::autorRepetido.toString()});
            continue;
        }
        if (k == m_autorSinArticulos) {
            m_autores.push_back({id, CasosDemo::autorSinArticulos.toString()});
            continue;
        }
        const bool comun = k % 10 == 1;
        QString nombre;
        for (int intento = 0;; ++intento) {
            const QStringView primero = comun && intento < 20 ? CasosDemo::apellidoComun
                                                               : azar.elegir(apellidos);
            const QStringView segundo = azar.elegir(apellidos);
            if (segundo == primero)
                continue;
            nombre = primero.toString() + u' ' + segundo.toString() + u", "_s
                     + azar.elegir(nombres).toString();
            // Huge catalogues run out of single given names: add a second one.
            if (intento > 40)
                nombre += u' ' + azar.elegir(nombres).toString();
            if (!usados.contains(nombre))
                break;
        }
        usados.insert(nombre);
        m_autores.push_back({id, nombre});
    }
}

void Coleccion::planificarNumeros()
{
    Azar azar = Azar::derivado(m_semilla, flujoNumeros);
    const int anios = ultimoAnio - primerAnio + 1;
    const int porAnioMedio = anios * articulosPorNumero;
    const int porAnio =
        std::clamp((m_totalArticulos + porAnioMedio / 2) / porAnioMedio, 1, 52);
    const int variacion = porAnio >= 2 ? std::max(1, porAnio / 5) : 0;
    for (int anio = primerAnio; anio <= ultimoAnio; ++anio) {
        const int cuantos = std::clamp(porAnio + azar.entre(-variacion, variacion), 1, 99);
        for (int n = 1; n <= cuantos; ++n) {
            NumeroDemo numero;
            numero.anio = anio;
            numero.numero = n;
            numero.disco = anio < CasosDemo::primerAnioDisco2 ? 1 : 2;
            numero.discoComoTexto =
                anio >= CasosDemo::discoTextoDesde && anio <= CasosDemo::discoTextoHasta;
            m_numeros.push_back(numero);
        }
    }

    // Issue ids were given as issues came to be catalogued, not in date order.
    std::vector<int> ids(m_numeros.size());
    for (std::size_t i = 0; i < ids.size(); ++i)
        ids[i] = int(i) + 1;
    azar.barajar(ids);

    // Every issue holds at least one article; the rest are shared out unevenly.
    std::vector<std::int64_t> pesos(m_numeros.size());
    std::int64_t suma = 0;
    for (auto &p : pesos)
        suma += (p = azar.entre(60, 140));
    const std::int64_t resto = m_totalArticulos - std::int64_t(m_numeros.size());
    std::int64_t acumulado = 0;
    int siguiente = 0;
    for (std::size_t i = 0; i < m_numeros.size(); ++i) {
        const std::int64_t antes = resto * acumulado / suma;
        acumulado += pesos[i];
        const std::int64_t despues = resto * acumulado / suma;
        NumeroDemo &n = m_numeros[i];
        n.id = ids[i];
        n.primerArticulo = siguiente;
        n.articulos = 1 + int(despues - antes);
        siguiente += n.articulos;
    }
}

int Coleccion::autorDePosicion(int posicion) const
{
    return posicion < m_autorSinArticulos ? posicion : posicion + 1;
}

// Every author but one is the first author of some article: article positions,
// shuffled within their block, are mapped onto the authors in order.
int Coleccion::primerAutor(int indice) const
{
    const int bloque = indice / tamBloque;
    const int inicio = bloque * tamBloque;
    const int n = std::min(tamBloque, m_totalArticulos - inicio);
    const std::uint64_t clave = mezclar(m_semilla ^ mezclar(flujoBloques + std::uint64_t(bloque)));
    const std::int64_t barajado = inicio + permutar(indice - inicio, n, clave);
    const std::int64_t posiciones = std::int64_t(m_autores.size()) - 1;
    return autorDePosicion(int(barajado * posiciones / m_totalArticulos));
}

ArticuloDemo Coleccion::articulo(int indice, int anio) const
{
    Azar azar = Azar::derivado(m_semilla, flujoArticulos + std::uint64_t(indice));
    Redactor::Titulo t = Redactor::titulo(azar, anio, m_detalle);

    for (const CasosDemo::TituloFijo &fijo : CasosDemo::titulosFijos) {
        if (indice == int(std::int64_t(m_totalArticulos) * fijo.porMil / 1000)) {
            t.texto = fijo.titulo.toString();
            t.tema = fijo.tema;
            t.materia = fijo.materia;
            t.objeto = objetoDeMateria(t.tema, t.materia);
        }
    }

    ArticuloDemo a;
    a.id = indice + 1;
    a.titulo = t.texto;
    a.tema = t.tema;
    a.objeto = t.objeto;

    const auto &propias = m_materiasDeTema[std::size_t(t.tema)][std::size_t(t.materia)];
    a.materias.push_back(propias[std::size_t(azar.menorQue(propias.size()))]);
    if (azar.probabilidad(0.25)) {
        const int otra = int(azar.menorQue(m_materias.size())) + 1;
        if (otra != a.materias.front())
            a.materias.push_back(otra);
    }

    const int primero = primerAutor(indice);
    a.autores.push_back(primero);
    const double r = azar.real();
    const int coautores = r < 0.08 ? 2 : r < 0.38 ? 1 : 0;
    const int posiciones = int(m_autores.size()) - 1;
    const int posPrimero = primero < m_autorSinArticulos ? primero : primero - 1;
    for (int c = 0; c < coautores; ++c) {
        // Mostly a colleague of the same years, now and then anyone.
        const int pos = azar.probabilidad(0.7)
                            ? std::clamp(posPrimero + azar.entre(-40, 40), 0, posiciones - 1)
                            : int(azar.menorQue(std::uint64_t(posiciones)));
        const int autor = autorDePosicion(pos);
        if (std::find(a.autores.begin(), a.autores.end(), autor) == a.autores.end())
            a.autores.push_back(autor);
    }
    return a;
}

std::vector<ArticuloDemo> Coleccion::articulosDe(const NumeroDemo &numero) const
{
    std::vector<ArticuloDemo> resultado;
    resultado.reserve(std::size_t(numero.articulos));
    for (int i = 0; i < numero.articulos; ++i)
        resultado.push_back(articulo(numero.primerArticulo + i, numero.anio));
    return resultado;
}

QStringList Coleccion::relleno(const ArticuloDemo &articulo, int anio) const
{
    Azar azar = Azar::derivado(m_semilla, flujoRelleno + std::uint64_t(articulo.id));
    return Redactor::parrafos(azar, anio, articulo.tema, articulo.objeto);
}
