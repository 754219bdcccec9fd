// SPDX-License-Identifier: GPL-3.0-or-later
#include "Busquedas.h"

#include "Acentos.h"
#include "DataSource.h"
#include "Latin1.h"
#include "Sentencias.h"

#include <QVariant>

#include <cstring>
#include <limits>

namespace {

constexpr QStringView separador = u". ";

Resultado<Lineas> articulos(DataSource &ds)
{
    Lineas lineas;
    if (ds.isEOF())
        return lineas;
    const Resultado<int> titulo = ds.columna(QStringLiteral("des_articulo"));
    if (!titulo)
        return titulo;
    const Resultado<int> numero = ds.columna(QStringLiteral("des_añoNumero"));
    if (!numero)
        return numero;
    const Resultado<int> id = ds.columna(QStringLiteral("id_articulo"));
    if (!id)
        return id;
    while (!ds.isEOF()) {
        // The same line as lineaArticulo(), straight from the row's bytes.
        lineas.anadir(ds.textoUnido(*titulo, separador, *numero), claveDeLinea(ds.valor(*id)));
        if (Resultado<> r = ds.MoveNext(); !r)
            return r;
    }
    return lineas;
}

// One line per remaining row: the text of one column, the key of another.
Resultado<Lineas> filas(DataSource &ds, const QString &columnaTexto, const QString &columnaClave)
{
    Lineas lineas;
    if (ds.isEOF())
        return lineas;
    const Resultado<int> texto = ds.columna(columnaTexto);
    if (!texto)
        return texto;
    const Resultado<int> clave = ds.columna(columnaClave);
    if (!clave)
        return clave;
    while (!ds.isEOF()) {
        lineas.anadir(ds.texto(*texto), claveDeLinea(ds.valor(*clave)));
        if (Resultado<> r = ds.MoveNext(); !r)
            return r;
    }
    return lineas;
}

} // namespace

QString lineaArticulo(const QString &titulo, const QString &numero)
{
    QString linea;
    linea.reserve(titulo.size() + separador.size() + numero.size());
    linea += titulo;
    linea += separador;
    linea += numero;
    return linea;
}

qint32 claveDeLinea(const QVariant &valor)
{
    bool ok = false;
    const qint64 v = valor.toLongLong(&ok);
    if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(v);
}

Resultado<Lineas> lineasDe(DataSource &ds, ModoLista modo)
{
    switch (modo) {
    case ModoLista::Articulos:
        return articulos(ds);
    case ModoLista::Cronologico:
        return filas(ds, QStringLiteral("des_añoNumero"), QStringLiteral("id_boletin"));
    case ModoLista::Materias:
        return filas(ds, QStringLiteral("des_materia"), QStringLiteral("id_materia"));
    }
    return Lineas();
}

Coincidencia::Coincidencia(const QString &texto) : m_textoPreparado(prepararTexto(texto))
{
    // Built from the rule itself, one character at a time; a character whose
    // prepared form is not one Latin-1 character leaves its values undecided.
    // (QString::toLower maps each Latin-1 character alone, with no regard to
    // its neighbours.)
    for (int c = 0; c < 256; ++c) {
        const QString p = QuitarAcentos(QString(QChar(c)).toLower());
        m_tabla[std::size_t(c)] = p.size() == 1 && p.at(0).unicode() < 256
                                      ? char16_t(p.at(0).unicode())
                                      : sinTraduccion;
    }
    m_textoLatin1 = true;
    for (const QChar c : std::as_const(m_textoPreparado)) {
        if (c.unicode() >= 256) {
            m_textoLatin1 = false;
            break;
        }
        m_texto.push_back(char(c.unicode()));
    }
}

bool Coincidencia::contiene(const QString &valor) const
{
    // A value shorter than the prepared text is passed over untouched.
    return m_textoPreparado.size() <= valor.size()
           && contieneTexto(prepararTexto(valor), m_textoPreparado);
}

bool Coincidencia::contiene(QByteArrayView valorUtf8)
{
    if (valorUtf8.isNull())
        return false;
    switch (probar(valorUtf8)) {
    case Veredicto::Si:
        return true;
    case Veredicto::No:
        return false;
    case Veredicto::Indecisa:
        break;
    }
    return contiene(QString::fromUtf8(valorUtf8));
}

Coincidencia::Veredicto Coincidencia::probar(QByteArrayView valorUtf8)
{
    if (m_valor.size() < std::size_t(valorUtf8.size()))
        m_valor.resize(std::size_t(valorUtf8.size()));
    std::size_t n = 0; // characters (UTF-16 units) of the value as stored
    const bool latin1 = porCaracterLatin1(valorUtf8, [this, &n](char16_t c) {
        const char16_t t = m_tabla[c];
        if (t == sinTraduccion)
            return false;
        m_valor[n++] = char(t);
        return true;
    });
    if (!latin1)
        return Veredicto::Indecisa;
    if (std::size_t(m_textoPreparado.size()) > n)
        return Veredicto::No;
    // Lower-casing and folding keep blanks where they are: trim after them.
    std::size_t inicio = 0;
    while (inicio < n && m_valor[inicio] == ' ')
        ++inicio;
    while (n > inicio && m_valor[n - 1] == ' ')
        --n;
    if (inicio == n)
        return Veredicto::No; // an empty value never matches
    // A Latin-1 value cannot hold a character beyond Latin-1.
    if (!m_textoLatin1)
        return Veredicto::No;
    if (m_texto.empty())
        return Veredicto::Si;
    // Only where the first character occurs can the text begin.
    const char *q = m_valor.data() + inicio;
    const char *const ultimo = m_valor.data() + n;
    const std::size_t resto = m_texto.size() - 1;
    while (std::size_t(ultimo - q) > resto) {
        q = static_cast<const char *>(std::memchr(q, m_texto[0], std::size_t(ultimo - q) - resto));
        if (!q)
            return Veredicto::No;
        if (std::memcmp(q + 1, m_texto.data() + 1, resto) == 0)
            return Veredicto::Si;
        ++q;
    }
    return Veredicto::No;
}

Resultado<Lineas> coincidencias(DataSource &ds, CampoBuscado campo, const QString &texto)
{
    Lineas lineas;
    const bool autores = campo == CampoBuscado::Autor;
    ds.setRecordSource(autores ? Sentencias::todosLosAutores() : Sentencias::todosLosArticulos());
    if (Resultado<> r = ds.Refresh(); !r)
        return r;
    if (ds.isEOF())
        return lineas;
    const Resultado<int> comparada =
        ds.columna(autores ? QStringLiteral("autor") : QStringLiteral("des_articulo"));
    if (!comparada)
        return comparada;
    const Resultado<int> numero =
        autores ? Resultado<int>(-1) : ds.columna(QStringLiteral("des_añoNumero"));
    if (!numero)
        return numero;
    const Resultado<int> clave =
        ds.columna(autores ? QStringLiteral("id_autor") : QStringLiteral("id_articulo"));
    if (!clave)
        return clave;

    Coincidencia coincidencia(texto);
    while (!ds.isEOF()) {
        if (!ds.esNulo(*comparada) && coincidencia.contiene(ds.utf8(*comparada))) {
            // The article line (lineaArticulo) made from the row's bytes.
            lineas.anadir(autores ? ds.texto(*comparada)
                                  : ds.textoUnido(*comparada, separador, *numero),
                          claveDeLinea(ds.valor(*clave)));
        }
        if (Resultado<> paso = ds.MoveNext(); !paso)
            return paso;
    }
    return lineas;
}
