#pragma once

// Finds the first place holding a disc of the collection and keeps it in
// unidadCD; when there is none, tells the reader and unloads the main window.
void BuscarUnidadCD();
