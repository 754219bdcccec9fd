// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

// The small modal window "Leyendo el catálogo..." with a busy bar, shown while a
// catalogue opens slowly (a Jet file read, another tool's catalogue copied).
namespace VentanaEspera {

// After this long the window appears; a catalogue that opens sooner shows none.
inline constexpr std::chrono::milliseconds retraso{330};

// Makes every later catalogue open wait with this window. From the start of an
// open until its end the program's windows take no input (a click then is
// dropped, never queued for later) and keep painting; the window goes once the
// catalogue is open or has failed.
void instalar();

} // namespace VentanaEspera
