// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every benchmark program shares: a clock that several processes can
// compare, the process's peak memory, the median of a few runs, and the one
// result line that bench/medir.sh collects into its table.

#include <QFile>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace Medida {

// CLOCK_MONOTONIC is one clock for the whole machine: a parent may read it
// before starting a child, and the child compare it with its own reading.
inline qint64 ahoraNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

inline double msDesde(qint64 inicioNs)
{
    return double(ahoraNs() - inicioNs) / 1e6;
}

// CPU time of the whole process (every thread), from its start. On a machine
// shared with builds it moves far less than the wall clock, so a change's
// effect shows through the noise.
inline qint64 cpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// High-water mark of the resident set (VmHWM), in KiB: the most memory this
// process has held at any moment so far. -1 where /proc is not there.
inline qint64 picoKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &linea : f.readAll().split('\n'))
        if (linea.startsWith("VmHWM:"))
            return linea.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

inline double mediana(QList<double> v)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The runs of one case: wall time, CPU time, and a second wall time of the same
// runs where the case has one (the list view laid out and painted).
struct Serie
{
    QList<double> ms;
    QList<double> cpu;
    QList<double> vista;
};

// One line per measured case, tab-separated, for medir.sh:
// RESULTADO caso tamaño filas mediana_ms min_ms max_ms pico_MiB vista_ms cpu_ms
// A median that was not measured is printed as -1.
inline void resultado(const QString &caso, const QString &tamano, qint64 filas, const Serie &s)
{
    const auto [mn, mx] = std::minmax_element(s.ms.begin(), s.ms.end());
    const auto o = [](const QList<double> &v) { return v.isEmpty() ? -1.0 : mediana(v); };
    std::printf("RESULTADO\t%s\t%s\t%lld\t%.1f\t%.1f\t%.1f\t%.0f\t%.1f\t%.1f\n",
                caso.toUtf8().constData(), tamano.toUtf8().constData(),
                static_cast<long long>(filas), o(s.ms), s.ms.isEmpty() ? 0 : *mn,
                s.ms.isEmpty() ? 0 : *mx, double(picoKiB()) / 1024.0, o(s.vista), o(s.cpu));
    std::fflush(stdout);
}

// Each run's figure on stderr, for whoever wants more than the median.
inline void vuelta(const QString &caso, int i, double ms)
{
    std::fprintf(stderr, "  %s vuelta %d: %.1f ms\n", caso.toUtf8().constData(), i + 1, ms);
}

} // namespace Medida
