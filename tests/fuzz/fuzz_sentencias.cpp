// SPDX-License-Identifier: GPL-3.0-or-later
// Typed text inserted into a statement must stay a value: whatever the text,
// the statement is one SELECT with its literal closed where the builder closes
// it, and it finds exactly the row that holds that text. Keys likewise find
// exactly their row.
//
// Input: 4 bytes of key (little-endian int32), then the text, which is decoded
// both as UTF-8 and as UTF-16, as the program only ever inserts a QString.

#include "Legible.h"
#include "Colacion.h"
#include "Esquema.h"
#include "Sentencias.h"

#include <QByteArray>
#include <QString>

#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <variant>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

sqlite3 *g_db = nullptr;

[[noreturn]] void violado(const char *que, const QString &sentencia, const QString &texto = {})
{
    std::fprintf(stderr, "\n*** fuzz_sentencias: %s\nsentencia: %s\ntexto: %s\n", que,
                 legible(sentencia).constData(), legible(texto).constData());
    std::fflush(stderr);
    std::abort();
}

void ejecutar(const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(g_db, sql, nullptr, nullptr, &error) != SQLITE_OK)
        violado(error ? error : "sqlite3_exec", QString::fromUtf8(sql));
}

using Valor = std::variant<qint64, QByteArray>;

void insertar(const char *sql, std::initializer_list<Valor> valores)
{
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(g_db, sql, -1, &st, nullptr) != SQLITE_OK)
        violado(sqlite3_errmsg(g_db), QString::fromUtf8(sql));
    int n = 0;
    for (const Valor &v : valores) {
        ++n;
        if (const auto *numero = std::get_if<qint64>(&v))
            sqlite3_bind_int64(st, n, *numero);
        else {
            const QByteArray &t = std::get<QByteArray>(v);
            sqlite3_bind_text(st, n, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
    }
    if (sqlite3_step(st) != SQLITE_DONE)
        violado(sqlite3_errmsg(g_db), QString::fromUtf8(sql));
    sqlite3_finalize(st);
}

// Checks that a built statement is exactly one read-only statement whose text
// ends where the builder ended it, and prepares it.
sqlite3_stmt *preparar(const QString &sentencia, const QString &texto)
{
    const QByteArray utf8 = sentencia.toUtf8();
    // An unclosed literal would swallow the ';' and leave the text incomplete.
    if (!sqlite3_complete(QByteArray(utf8 + ';').constData()))
        violado("la sentencia no acaba fuera de un literal", sentencia, texto);
    sqlite3_stmt *st = nullptr;
    const char *resto = nullptr;
    if (sqlite3_prepare_v2(g_db, utf8.constData(), int(utf8.size()), &st, &resto) != SQLITE_OK
        || !st)
        violado(sqlite3_errmsg(g_db), sentencia, texto);
    if (resto != utf8.constData() + utf8.size())
        violado("queda texto tras la primera sentencia", sentencia, texto);
    if (!sqlite3_stmt_readonly(st))
        violado("la sentencia escribiría en el catálogo", sentencia, texto);
    return st;
}

// Runs a built statement and returns the values of its first column named `columna`.
std::vector<qint64> filas(const QString &sentencia, const char *columna, const QString &texto)
{
    sqlite3_stmt *st = preparar(sentencia, texto);
    int indice = -1;
    for (int i = 0; i < sqlite3_column_count(st) && indice < 0; ++i)
        if (sqlite3_stricmp(sqlite3_column_name(st, i), columna) == 0)
            indice = i;
    if (indice < 0)
        violado("falta la columna que el programa lee", sentencia, texto);
    std::vector<qint64> valores;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        valores.push_back(sqlite3_column_int64(st, indice));
    if (rc != SQLITE_DONE)
        violado(sqlite3_errmsg(g_db), sentencia, texto);
    sqlite3_finalize(st);
    return valores;
}

void esperar(const std::vector<qint64> &obtenidas, qint64 esperada, const QString &sentencia,
             const QString &texto)
{
    if (obtenidas.size() != 1 || obtenidas.front() != esperada) {
        QString detalle;
        for (const qint64 v : obtenidas)
            detalle += QString::number(v) + u' ';
        violado(qPrintable(u"no devuelve exactamente la fila %1 sino: %2"_s.arg(esperada).arg(
                    detalle)),
                sentencia, texto);
    }
}

// A value for the other row that the engine cannot take for the searched one.
QByteArray otroTexto(const QByteArray &literal)
{
    for (const char *candidato : {"otro", "x", "zz9"}) {
        if (Colacion::comparar(literal.constData(), int(literal.size()), candidato,
                               int(std::strlen(candidato)))
            != 0)
            return QByteArray(candidato);
    }
    return QByteArrayLiteral("distinto de todos");
}

// The text as a statement's UTF-8 can carry it: lone surrogate halves as
// U+FFFD; NULs kept or dropped.
QString comoUtf8(const QString &texto, bool conNul)
{
    QString r;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto[i].isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate()) {
            r += texto[i];
            r += texto[++i];
        } else if (texto[i].isSurrogate()) {
            r += QChar(QChar::ReplacementCharacter);
        } else if (conNul || texto[i] != u'\0') {
            r += texto[i];
        }
    }
    return r;
}

void comprobarCitar(const QString &texto)
{
    const QString citado = Sentencias::citar(texto);
    QString sinDoblar;
    for (qsizetype i = 0; i < citado.size(); ++i) {
        if (citado[i] == u'\0')
            violado("citar() deja un NUL", citado, texto);
        if (citado[i] == u'\'') {
            if (i + 1 >= citado.size() || citado[i + 1] != u'\'')
                violado("citar() deja una comilla sin doblar", citado, texto);
            ++i;
        }
        sinDoblar += citado[i];
    }
    // What the statement's UTF-8 would hold: lone surrogate halves as U+FFFD,
    // then no NUL.
    const QString esperado = comoUtf8(texto, false);
    if (sinDoblar != esperado)
        violado("citar() cambia el texto además de doblar comillas", citado, texto);
}

// Statements 2, 5 and 8 with the text as group, title and author name.
void comprobarTexto(const QString &texto)
{
    comprobarCitar(texto);
    const QByteArray guardado = comoUtf8(texto, true).toUtf8();
    // SQLite compares with the literal, which has lost its NULs in citar().
    const QString sinNul = comoUtf8(texto, false);
    const QByteArray otro = otroTexto(sinNul.toUtf8());

    ejecutar("SAVEPOINT t");
    insertar("INSERT INTO GruposMaterias VALUES (?, ?)", {qint64(1), guardado});
    insertar("INSERT INTO GruposMaterias VALUES (?, ?)", {qint64(2), otro});
    insertar("INSERT INTO Materias VALUES (10, 'primera', 1)", {});
    insertar("INSERT INTO Materias VALUES (20, 'segunda', 2)", {});
    QString s = Sentencias::materiasDeGrupo(texto);
    esperar(filas(s, "id_materia", texto), 10, s, texto);

    insertar("INSERT INTO NumerosPorAños VALUES (1, 'Año 1', 1)", {});
    insertar("INSERT INTO AutoresArticulos VALUES (?, ?, 1)", {qint64(101), guardado});
    insertar("INSERT INTO AutoresArticulos VALUES (?, ?, 1)", {qint64(102), otro});
    s = Sentencias::articulosConTitulo(texto);
    esperar(filas(s, "id_articulo", texto), 101, s, texto);

    insertar("INSERT INTO Autores VALUES (?, ?)", {qint64(1), guardado});
    insertar("INSERT INTO Autores VALUES (?, ?)", {qint64(2), otro});
    s = Sentencias::autorConNombre(texto);
    esperar(filas(s, "id_autor", texto), 1, s, texto);
    ejecutar("ROLLBACK TO t; RELEASE t");
}

// Statements 3, 9, 10, 11 and 12 with the key; the other row's key differs by one bit.
void comprobarClave(qint32 clave)
{
    const qint64 k = clave;
    const qint64 otra = qint64(clave ^ 1);
    const QString texto = QString::number(clave);
    ejecutar("SAVEPOINT k");
    insertar("INSERT INTO NumerosPorAños VALUES (1, 'Año 1', 1)", {});
    insertar("INSERT INTO AutoresArticulos VALUES (101, 'primero', 1)", {});
    insertar("INSERT INTO AutoresArticulos VALUES (102, 'segundo', 1)", {});
    insertar("INSERT INTO articulo_materia VALUES (?, 101)", {k});
    insertar("INSERT INTO articulo_materia VALUES (?, 102)", {otra});
    insertar("INSERT INTO RelacionAutorArticulo VALUES (?, 101)", {k});
    insertar("INSERT INTO RelacionAutorArticulo VALUES (?, 102)", {otra});
    QString s = Sentencias::articulosDeMateria(k);
    esperar(filas(s, "id_articulo", texto), 101, s, texto);
    s = Sentencias::articulosDeAutor(k);
    esperar(filas(s, "id_articulo", texto), 101, s, texto);
    s = Sentencias::articulosDeAutorPorTitulo(k);
    esperar(filas(s, "id_articulo", texto), 101, s, texto);
    ejecutar("ROLLBACK TO k; RELEASE k");

    ejecutar("SAVEPOINT k");
    insertar("INSERT INTO NumerosPorAños VALUES (?, 'Año 1', 1)", {k});
    insertar("INSERT INTO NumerosPorAños VALUES (?, 'Año 2', 2)", {otra});
    insertar("INSERT INTO RelacionBoletinDisco VALUES (?, 1, 'uno')", {k});
    insertar("INSERT INTO RelacionBoletinDisco VALUES (?, 2, 'dos')", {otra});
    s = Sentencias::discoYArchivo(u"NumerosPorAños"_s, u"id_boletin"_s, k);
    esperar(filas(s, "id_boletin", texto), k, s, texto);
    insertar("INSERT INTO AutoresArticulos VALUES (?, 'primero', ?)", {k, k});
    insertar("INSERT INTO AutoresArticulos VALUES (?, 'segundo', ?)", {otra, otra});
    s = Sentencias::discoYArchivo(u"AutoresArticulos"_s, u"id_articulo"_s, k);
    esperar(filas(s, "id_articulo", texto), k, s, texto);
    ejecutar("ROLLBACK TO k; RELEASE k");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    if (sqlite3_open(":memory:", &g_db) != SQLITE_OK || !Colacion::registrar(g_db)
        || !Esquema::crearTablas(g_db) || !Esquema::crearIndices(g_db))
        violado("no se puede crear el catálogo en memoria", {});
    // The constant statements: each must prepare as it stands on the schema.
    for (const QString &s : {Sentencias::gruposMaterias(), Sentencias::numerosEnOrden(),
                             Sentencias::todosLosArticulos(), Sentencias::todosLosAutores()})
        sqlite3_finalize(preparar(s, {}));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t largo)
{
    qint32 clave = 0;
    if (largo >= 4) {
        std::memcpy(&clave, datos, 4);
        datos += 4;
        largo -= 4;
    }
    comprobarClave(clave);

    comprobarTexto(QString::fromUtf8(reinterpret_cast<const char *>(datos), qsizetype(largo)));
    QString utf16(qsizetype(largo / 2), Qt::Uninitialized);
    std::memcpy(utf16.data(), datos, size_t(utf16.size()) * 2);
    comprobarTexto(utf16);
    return 0;
}
