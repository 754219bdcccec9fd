// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataSource.h"

#include "Catalogo.h"
#include "Latin1.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

// A record source without blanks or punctuation is a table name.
bool esNombreDeTabla(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s)
        if (!c.isLetterOrNumber() && c != u'_')
            return false;
    return true;
}

// Decodes `utf8` into `destino` when it is Latin-1 text (Latin1.h) and returns
// the end; nullptr otherwise. `destino` has room for one unit per byte.
char16_t *latin1(QByteArrayView utf8, char16_t *destino)
{
    const bool ok = porCaracterLatin1(utf8, [&destino](char16_t c) {
        *destino++ = c;
        return true;
    });
    return ok ? destino : nullptr;
}

} // namespace

DataSource::~DataSource()
{
    cerrarResultado();
}

void DataSource::setDatabaseName(const QString &ruta)
{
    cerrarResultado();
    m_catalogo.reset();
    m_databaseName = ruta;
}

void DataSource::cerrarResultado()
{
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    m_columnas.clear();
    m_eof = true;
    m_alcanzadas = 0;
}

Resultado<> DataSource::Refresh()
{
    using R = Resultado<>;
    cerrarResultado();
    if (!m_catalogo) {
        if (m_databaseName.isEmpty())
            return R::fallo(QStringLiteral("No se ha indicado el catálogo."));
        auto abierto = Catalogo::abrir(m_databaseName);
        if (!abierto)
            return abierto;
        m_catalogo = *std::move(abierto);
    }
    const QString sentencia = esNombreDeTabla(m_recordSource)
                                  ? QStringLiteral("SELECT * FROM ") + m_recordSource
                                  : m_recordSource;
    const QByteArray utf8 = sentencia.toUtf8();
    sqlite3 *db = m_catalogo->conexion();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr)
        != SQLITE_OK) {
        m_stmt = nullptr;
        return R::fallo(QStringLiteral("Error en la consulta al catálogo «%1»: %2.\nConsulta: %3")
                         .arg(m_databaseName, QString::fromUtf8(sqlite3_errmsg(db)), sentencia));
    }
    if (!m_stmt) // only a comment or blanks
        return R::fallo(QStringLiteral("La consulta está vacía."));
    if (!sqlite3_stmt_readonly(m_stmt)) {
        cerrarResultado();
        return R::fallo(QStringLiteral("El catálogo solo se lee; la consulta quería cambiarlo."));
    }
    const int n = sqlite3_column_count(m_stmt);
    for (int i = 0; i < n; ++i) {
        const QString nombre = QString::fromUtf8(sqlite3_column_name(m_stmt, i)).toLower();
        if (!m_columnas.contains(nombre)) // "Select *" over a join repeats names: keep the first
            m_columnas.insert(nombre, i);
    }
    m_eof = false;
    if (R r = MoveNext(); !r.ok())
        return r;
    return {};
}

Resultado<> DataSource::MoveNext()
{
    if (m_eof || !m_stmt)
        return {};
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        ++m_alcanzadas;
        return {};
    }
    m_eof = true;
    if (rc == SQLITE_DONE)
        return {};
    return Resultado<>::fallo(QStringLiteral("Error al leer el catálogo «%1»: %2.")
                     .arg(m_databaseName,
                          QString::fromUtf8(sqlite3_errmsg(m_catalogo->conexion()))));
}

int DataSource::indiceCampo(const QString &nombre) const
{
    return m_columnas.value(nombre.toLower(), -1);
}

bool DataSource::esNulo(int indice) const
{
    return sqlite3_column_type(m_stmt, indice) == SQLITE_NULL;
}

QString DataSource::texto(int indice) const
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, indice));
    if (!p)
        return {};
    return QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, indice));
}

QByteArrayView DataSource::utf8(int indice) const
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, indice));
    if (!p)
        return {};
    return QByteArrayView(p, sqlite3_column_bytes(m_stmt, indice));
}

QString DataSource::textoUnido(int primera, QStringView medio, int segunda) const
{
    const QByteArrayView a = utf8(primera);
    const QByteArrayView b = utf8(segunda);
    // Valid UTF-8 decodes the same alone or joined, so Latin-1 text can go
    // straight into the one buffer; anything else takes QString's decoder.
    QString r(a.size() + medio.size() + b.size(), Qt::Uninitialized);
    auto *d = reinterpret_cast<char16_t *>(r.data());
    d = latin1(a, d);
    if (d) {
        d = std::copy(medio.utf16(), medio.utf16() + medio.size(), d);
        d = latin1(b, d);
    }
    if (!d) {
        r = texto(primera);
        r += medio;
        r += texto(segunda);
        return r;
    }
    r.truncate(d - reinterpret_cast<char16_t *>(r.data()));
    return r;
}

QVariant DataSource::valor(int indice) const
{
    switch (sqlite3_column_type(m_stmt, indice)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, indice)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, indice));
    case SQLITE_TEXT:
        return QVariant(texto(indice));
    case SQLITE_BLOB: {
        const auto *p = static_cast<const char *>(sqlite3_column_blob(m_stmt, indice));
        return QVariant(QByteArray(p, sqlite3_column_bytes(m_stmt, indice)));
    }
    default:
        return {};
    }
}

QString DataSource::sinFilaActual() const
{
    return QStringLiteral("No hay ninguna fila actual en el catálogo «%1».").arg(m_databaseName);
}

// A result past its last row still has its columns.
Resultado<int> DataSource::columna(const QString &nombre) const
{
    if (const int i = indiceCampo(nombre); i >= 0)
        return i;
    if (m_eof || !m_stmt)
        return Resultado<int>::fallo(sinFilaActual());
    return Resultado<int>::fallo(
        QStringLiteral("El catálogo «%1» no tiene la columna «%2» en esta consulta.")
            .arg(m_databaseName, nombre));
}

Resultado<QVariant> DataSource::Fields(const QString &nombre) const
{
    if (m_eof || !m_stmt)
        return Resultado<QVariant>::fallo(sinFilaActual());
    const Resultado<int> i = columna(nombre);
    if (!i.ok())
        return i;
    return valor(*i);
}
