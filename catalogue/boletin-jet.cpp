// SPDX-License-Identifier: GPL-3.0-or-later
// The Jet reading process, started afresh by JetImport for every import:
// boletin-jet RUTA. The tests' build (BOLETIN_JET_SIMULACION) also takes
// RUTA SIMULACION, a number of JetImport::Simulacion, and misbehaves as told
// instead of reading; the installed reader refuses any other argument.
#include "JetLector.h"

#ifdef BOLETIN_JET_SIMULACION
#include "JetAjustes.h"
#include "JetEnvio.h"

#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace {

JetImport::Simulacion g_simulacion = JetImport::Simulacion::Ninguna;

// Run once the process is set up as for a reading, so that a crash is a crash.
void simular()
{
    using JetImport::Simulacion;
    switch (g_simulacion) {
    case Simulacion::Ninguna:
        break;
    case Simulacion::Colgarse:
        for (;;)
            pause();
    case Simulacion::Estrellarse:
        raise(SIGSEGV);
        _exit(0);
    case Simulacion::SalirConError:
        _exit(3);
    case Simulacion::CortarEnvio: {
        const char parte[16] = {};
        JetEnvio::enviar(JetEnvio::fdRespuesta, JetEnvio::envioBase, parte, sizeof parte, 4096);
        _exit(0);
    }
    }
}

} // namespace
#endif

int main(int argc, char **argv)
{
#ifdef BOLETIN_JET_SIMULACION
    if (argc == 3) {
        g_simulacion = JetImport::Simulacion(std::atoi(argv[2]));
        return JetLector::principal(argv[1], simular);
    }
#endif
    if (argc != 2)
        return 2;
    return JetLector::principal(argv[1]);
}
