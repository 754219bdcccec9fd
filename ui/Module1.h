// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Finds the first place holding a disc of the collection and keeps it in
// unidadCD. False when there is none (unidadCD is left as it was); the main
// window then tells the reader and unloads.
bool BuscarUnidadCD();
