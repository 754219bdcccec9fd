// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

// Settings of the Jet import. Change them before importing, from the thread that
// imports.
namespace JetImport {

// Zero: the limit grows with the file's size (a few seconds for a small file,
// over a minute for a million articles).
inline constexpr std::chrono::milliseconds limitePorDefecto{0};

// How long the reading of one file may take before its process is killed and the
// import fails; limitePorDefecto to let the file's size decide.
void setLimite(std::chrono::milliseconds limite);
std::chrono::milliseconds limite();

// For tests of the containment: the reading process of every later import
// misbehaves as told, instead of reading the file. Only the tests' build of
// the reader (boletin-jet-prueba) does; the installed one refuses to.
enum class Simulacion {
    Ninguna,
    Colgarse,      // never answers
    Estrellarse,   // dies by SIGSEGV
    SalirConError, // exits with a code other than 0, saying nothing
    CortarEnvio,   // announces a database and sends only part of it
};
void setSimulacion(Simulacion simulacion);

} // namespace JetImport
