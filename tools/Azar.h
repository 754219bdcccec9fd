// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <utility>

// A small seeded generator (splitmix64). The demo collection must come out the
// same for the same seed on every machine and library, so nothing here touches
// <random>'s distributions, whose results the standard leaves to each library.
class Azar final
{
public:
    explicit Azar(std::uint64_t semilla) : m_estado(semilla) {}

    // An independent stream for one part of the collection: the part draws from
    // its own stream, so adding draws elsewhere does not shift its values.
    static Azar derivado(std::uint64_t semilla, std::uint64_t flujo)
    {
        Azar a(semilla ^ (flujo * 0xD1B54A32D192ED03ULL));
        a.siguiente();
        return a;
    }

    std::uint64_t siguiente()
    {
        std::uint64_t z = (m_estado += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, n); n > 0. The multiply-shift keeps the bias far below
    // anything a demo could show.
    std::uint64_t menorQue(std::uint64_t n)
    {
        return static_cast<std::uint64_t>((static_cast<unsigned __int128>(siguiente()) * n) >> 64);
    }

    // Uniform in [desde, hasta], both included.
    int entre(int desde, int hasta)
    {
        return desde + static_cast<int>(menorQue(static_cast<std::uint64_t>(hasta - desde) + 1));
    }

    // Uniform in [0, 1).
    double real() { return static_cast<double>(siguiente() >> 11) * 0x1.0p-53; }

    // True with the given probability.
    bool probabilidad(double p) { return real() < p; }

    template <typename T>
    const T &elegir(std::span<const T> opciones)
    {
        return opciones[static_cast<std::size_t>(menorQue(opciones.size()))];
    }

    template <typename T, std::size_t N>
    const T &elegir(const T (&opciones)[N])
    {
        return opciones[static_cast<std::size_t>(menorQue(N))];
    }

    // Fisher-Yates over any random-access range.
    template <typename Rango>
    void barajar(Rango &r)
    {
        for (std::size_t i = std::size(r); i > 1; --i)
            std::swap(r[i - 1], r[static_cast<std::size_t>(menorQue(i))]);
    }

private:
    std::uint64_t m_estado = 0;
};
