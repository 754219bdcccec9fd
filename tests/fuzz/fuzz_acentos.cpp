// SPDX-License-Identifier: GPL-3.0-or-later
// Accent folding and the match test, against properties that hold for every
// text: QuitarAcentos maps the five acute vowels and nothing else; prepararTexto
// is lower-case, trim of U+0020 and folding, and is idempotent; contieneTexto
// finds a text wherever it was put, whatever its case or acute accents there,
// and agrees with a plain first-character scan.
//
// Input: a byte that picks the case/accent variant, two bytes that cut the rest
// into x, t and y; the rest is read once as UTF-8 and once as UTF-16.

#include "Legible.h"
#include "Acentos.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

[[noreturn]] void violado(const char *que, const QString &a, const QString &b = {})
{
    std::fprintf(stderr, "\n*** fuzz_acentos: %s\n  a: \"%s\"\n  b: \"%s\"\n", que,
                 legible(a).constData(), legible(b).constData());
    std::fflush(stderr);
    std::abort();
}

// The folding table, written out again so that the check does not share code
// with what it checks.
char16_t plano(char16_t c)
{
    switch (c) {
    case u'á': return u'a';
    case u'é': return u'e';
    case u'í': return u'i';
    case u'ó': return u'o';
    case u'ú': return u'u';
    default: return c;
    }
}

// Another spelling of a character that prepares to the same one: the case of a
// letter of A-Z or of ñ changed, or an acute accent put on or taken off.
char16_t variante(char16_t c)
{
    static constexpr char16_t ciclos[][4] = {
        {u'a', u'á', u'A', u'Á'}, {u'e', u'é', u'E', u'É'}, {u'i', u'í', u'I', u'Í'},
        {u'o', u'ó', u'O', u'Ó'}, {u'u', u'ú', u'U', u'Ú'},
    };
    for (const auto &ciclo : ciclos)
        for (int i = 0; i < 4; ++i)
            if (ciclo[i] == c)
                return ciclo[(i + 1) % 4];
    if (c == u'ñ')
        return u'Ñ';
    if (c == u'Ñ')
        return u'ñ';
    if (c >= u'a' && c <= u'z')
        return char16_t(c - u'a' + u'A');
    if (c >= u'A' && c <= u'Z')
        return char16_t(c - u'A' + u'a');
    return c;
}

// The match test as the lookup describes it: walk the occurrences of the
// text's first character and compare from each.
bool buscarPorPrimera(const QString &valor, const QString &texto)
{
    if (valor.isEmpty())
        return false;
    if (texto.isEmpty())
        return true;
    for (qsizetype pos = valor.indexOf(texto.front()); pos >= 0 && texto.size() <= valor.size() - pos;
         pos = valor.indexOf(texto.front(), pos + 1)) {
        if (QStringView(valor).mid(pos, texto.size()) == texto)
            return true;
    }
    return false;
}

void comprobarQuitar(const QString &s)
{
    const QString r = QuitarAcentos(s);
    if (r.size() != s.size())
        violado("QuitarAcentos cambia la longitud", s, r);
    for (qsizetype i = 0; i < s.size(); ++i)
        if (r[i].unicode() != plano(s[i].unicode()))
            violado("QuitarAcentos cambia un carácter que no debe o no cambia uno de los cinco",
                    s, r);
    if (QuitarAcentos(r) != r)
        violado("QuitarAcentos no es idempotente", s, r);
}

void comprobarPreparar(const QString &s)
{
    const QString p = prepararTexto(s);
    if (p.startsWith(u' ') || p.endsWith(u' '))
        violado("prepararTexto deja espacios en un extremo", s, p);
    if (prepararTexto(p) != p)
        violado("prepararTexto no es idempotente", p, prepararTexto(p));

    QString referencia = s.toLower();
    while (referencia.startsWith(u' '))
        referencia.remove(0, 1);
    while (referencia.endsWith(u' '))
        referencia.chop(1);
    for (QChar &c : referencia)
        c = QChar(plano(c.unicode()));
    if (p != referencia)
        violado("prepararTexto no es minúsculas, recorte de U+0020 y plegado", s, p);
}

// No half of a surrogate pair stands alone. Only UTF-16 input can break this.
bool bienFormado(const QString &s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (s[i].isSurrogate())
            return false;
    }
    return true;
}

void comprobarBusqueda(const QString &x, const QString &t, const QString &y, uint8_t semilla)
{
    const QString pt = prepararTexto(t);

    // Whatever is around it, a text is found where it was put, in any spelling
    // that prepares the same.
    QString escrito = t;
    uint32_t azar = semilla * 2654435761u + 1;
    for (QChar &c : escrito) {
        azar = azar * 1103515245u + 12345u;
        if (azar & 0x10000)
            c = QChar(variante(c.unicode()));
    }
    const QString v = x + escrito + y;
    // Lone surrogates are left out: QString::toLower() turns them into U+FFFD only
    // after it has changed some earlier character, so their fate depends on what
    // precedes them (and halves that meet at a cut would make a new character).
    // The catalogue's text comes through QString::fromUtf8 and never has them.
    if (bienFormado(x) && bienFormado(escrito) && bienFormado(y)) {
        const QString pv = prepararTexto(v);
        const bool esperado = pt.isEmpty() ? !pv.isEmpty() : true;
        if (contieneTexto(pv, pt) != esperado)
            violado("contieneTexto no halla un texto que está", pv, pt);
    }

    // And it agrees with the first-character scan on any pair of texts.
    for (const QString &valor : {x + y, x + t + y, y + x}) {
        const QString pv = prepararTexto(valor);
        if (contieneTexto(pv, pt) != buscarPorPrimera(pv, pt))
            violado("contieneTexto no coincide con la búsqueda por primer carácter", pv, pt);
    }
}

void comprobarTodo(const QString &s, const QString &x, const QString &t, const QString &y,
                   uint8_t semilla)
{
    comprobarQuitar(s);
    comprobarPreparar(s);
    comprobarPreparar(t);
    comprobarBusqueda(x, t, y, semilla);
}

QString desdeUtf16(const uint8_t *p, size_t bytes)
{
    QString s(qsizetype(bytes / 2), Qt::Uninitialized);
    std::memcpy(s.data(), p, size_t(s.size()) * 2);
    return s;
}

QString desdeUtf8(const uint8_t *p, size_t bytes)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(p), qsizetype(bytes));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t largo)
{
    if (largo < 3)
        return 0;
    const uint8_t semilla = datos[0];
    const uint8_t corte1 = datos[1];
    const uint8_t corte2 = datos[2];
    const uint8_t *p = datos + 3;
    const size_t n = largo - 3;

    size_t a = n * corte1 / 255;
    size_t b = a + (n - a) * corte2 / 255;
    comprobarTodo(desdeUtf8(p, n), desdeUtf8(p, a), desdeUtf8(p + a, b - a),
                  desdeUtf8(p + b, n - b), semilla);
    a &= ~size_t(1);
    b &= ~size_t(1);
    comprobarTodo(desdeUtf16(p, n), desdeUtf16(p, a), desdeUtf16(p + a, b - a),
                  desdeUtf16(p + b, n - b), semilla);
    return 0;
}
