// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>

// What the Jet reading process (boletin-jet) and JetImport, which starts it,
// both know: how the answer travels, and the words for a damaged file. No
// libmdb here: JetImport runs in the program.
namespace JetEnvio {

// The reading process's answer on descriptor `fdRespuesta`: a kind byte, a 64-bit
// length in this machine's order, then that many bytes.
inline constexpr int fdRespuesta = 3;
inline constexpr char envioBase = 'B';   // the serialised database
inline constexpr char envioMotivo = 'M'; // a Spanish reason why the file cannot be read
inline constexpr size_t largoCabecera = 1 + sizeof(quint64);
inline constexpr quint64 maximoMotivo = 64 * 1024;

// Writes one answer; async-signal-safe (a forked child may use it before exec).
bool enviar(int fd, char tipo, const void *datos, quint64 largo, quint64 anunciado);

// The reason given for a file found damaged, with what was found.
QString danado(const QString &detalle);

} // namespace JetEnvio
