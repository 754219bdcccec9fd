// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct sqlite3;

// The libmdb side of a Jet import: reads every user table of an .mdb file into a
// new in-memory SQLite database, with the collation registered and the indexes of
// the program's statements built. libmdb is not to be trusted with a damaged
// file, so JetImport runs this only in a process of its own (boletin-jet), which
// it can abandon.
namespace JetLector {

// Returns the database, or nullptr and sets *motivo to a Spanish reason.
sqlite3 *leer(const QByteArray &rutaNativa, QString *motivo);

// The reason given for a file found damaged, with what was found.
QString danado(const QString &detalle);

// The reading process's answer on descriptor `fdRespuesta`: a kind byte, a 64-bit
// length in this machine's order, then that many bytes.
inline constexpr int fdRespuesta = 3;
inline constexpr char envioBase = 'B';   // the serialised database
inline constexpr char envioMotivo = 'M'; // a Spanish reason why the file cannot be read
inline constexpr size_t largoCabecera = 1 + sizeof(quint64);
inline constexpr quint64 maximoMotivo = 64 * 1024;

// Writes one answer; async-signal-safe (a forked child may use it before exec).
bool enviar(int fd, char tipo, const void *datos, quint64 largo, quint64 anunciado);

// The reading process: boletin-jet RUTA [SIMULACION]. Reads RUTA and answers on
// fdRespuesta; libmdb's complaints go to stdout and stderr. SIMULACION (a number
// of JetImport::Simulacion) makes it misbehave instead, for tests.
int principal(int argc, char **argv);

} // namespace JetLector
