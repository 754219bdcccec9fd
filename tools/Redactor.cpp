// SPDX-License-Identifier: GPL-3.0-or-later
#include "Redactor.h"

#include "Azar.h"
#include "Vocabulario.h"

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace Redactor {
namespace {

int elegirTema(Azar &azar)
{
    const auto temas = Vocabulario::temas();
    int total = 0;
    for (const auto &t : temas)
        total += t.peso;
    int r = static_cast<int>(azar.menorQue(static_cast<std::uint64_t>(total)));
    for (int i = 0; i < int(temas.size()); ++i) {
        r -= temas[std::size_t(i)].peso;
        if (r < 0)
            return i;
    }
    return 0;
}

// A noun phrase of the theme that existed by that year (the oldest ones always
// do). With `pareja`, another one of the same subject, or -1 if there is none.
int elegirObjeto(Azar &azar, const Vocabulario::Tema &tema, int anio, int pareja = -1)
{
    std::vector<int> posibles;
    posibles.reserve(tema.objetos.size());
    for (int i = 0; i < int(tema.objetos.size()); ++i) {
        const auto &o = tema.objetos[std::size_t(i)];
        if (o.desde <= anio
            && (pareja < 0
                || (i != pareja && o.materia == tema.objetos[std::size_t(pareja)].materia)))
            posibles.push_back(i);
    }
    if (posibles.empty())
        return -1;
    return posibles[std::size_t(azar.menorQue(posibles.size()))];
}

QStringView elegirLugar(Azar &azar, int anio)
{
    const auto lugares = Vocabulario::lugares();
    for (;;) {
        const auto &l = azar.elegir(lugares);
        if (l.desde <= anio && anio <= l.hasta)
            return l.texto;
    }
}

// Replaces the placeholders that every kind of phrase may hold.
void rellenar(QString &s, Azar &azar, int anio)
{
    if (s.contains(u"{L}"))
        s.replace(u"{L}"_s, elegirLugar(azar, anio).toString());
    if (s.contains(u"{A}")) {
        const int desde = anio - azar.entre(12, 60);
        s.replace(u"{A}"_s, QString::number(desde));
        if (s.contains(u"{Y}")) {
            const int hasta = anio - azar.entre(1, std::min(10, anio - desde - 1));
            s.replace(u"{Y}"_s, QString::number(hasta));
        }
    }
    if (s.contains(u"{N}"))
        s.replace(u"{N}"_s, QString::number(azar.entre(3, 40) * 5));
    if (s.contains(u"{D}")) {
        static constexpr int lapsos[] = {5, 10, 15, 20, 25, 30, 40, 50};
        s.replace(u"{D}"_s, QString::number(azar.elegir(lapsos)));
    }
}

QString subtitulo(Azar &azar, bool sinLugar)
{
    for (;;) {
        const QStringView sub = azar.elegir(Vocabulario::subtitulos());
        if (!sinLugar || !sub.contains(u"{L}"))
            return sub.toString();
    }
}

// Many titles name a place, a period or carry a subtitle. The more detail, the
// more of them do and the more specific they get: a catalogue of a million
// titles must stay mostly free of repeats, a small one reads better plainer.
void ampliar(QString &s, Azar &azar, double detalle, bool conPeriodo, bool lugarAlFinal,
             bool admiteSubtitulo)
{
    const double pLugar = 0.35 + 0.55 * detalle;
    if (s.endsWith(u'?')) {
        if (!s.contains(u"{L}") && azar.probabilidad(pLugar))
            s.insert(s.size() - 1, u" en {L}"_s);
        return;
    }
    if (lugarAlFinal && !s.contains(u"{L}")) {
        const double r = azar.real();
        if (r < pLugar) {
            s += u" en {L}"_s;
        } else if (conPeriodo && r < pLugar + 0.15) {
            s += u" ({A}-{Y})"_s;
        } else if (admiteSubtitulo && r < pLugar + 0.35) {
            s += u": "_s + subtitulo(azar, false);
            admiteSubtitulo = false;
        }
    }
    if (admiteSubtitulo && azar.probabilidad(0.6 * detalle))
        s += u": "_s + subtitulo(azar, s.contains(u"{L}"));
}

} // namespace

QString pulir(QString s)
{
    s.replace(u" de el "_s, u" del "_s);
    s.replace(u" a el "_s, u" al "_s);
    int i = 0;
    while (i < s.size() && (s.at(i) == u'¿' || s.at(i) == u'¡'))
        ++i;
    if (i < s.size())
        s[i] = s.at(i).toUpper();
    return s;
}

Titulo titulo(Azar &azar, int anio, double detalle)
{
    Titulo t;
    t.tema = elegirTema(azar);
    const auto &tema = Vocabulario::temas()[std::size_t(t.tema)];
    t.objeto = elegirObjeto(azar, tema, anio);
    t.materia = tema.objetos[std::size_t(t.objeto)].materia;

    QString s;
    bool admiteSubtitulo = true;
    bool lugarAlFinal = true; // not after a subtitle
    // Periods suit the history theme's titles, but not a figure's: they would
    // rarely match the figure's life.
    bool conPeriodo = t.tema == Vocabulario::temaHistoria();
    const double forma = azar.real();
    if (t.tema == Vocabulario::temaHistoria() && forma < 0.2) {
        conPeriodo = false;
        s = azar.elegir(Vocabulario::sobreFiguras()).toString();
        s.replace(u"{P}"_s, azar.elegir(Vocabulario::figuras()).toString());
        t.materia = Vocabulario::materiaBiografias();
    } else if (t.tema == Vocabulario::temaDerecho() && forma < 0.2) {
        std::vector<Vocabulario::Ley> vigentes;
        for (const auto &ley : Vocabulario::leyes())
            if (ley.anio < anio)
                vigentes.push_back(ley);
        const auto &ley = vigentes[std::size_t(azar.menorQue(vigentes.size()))];
        s = azar.elegir(Vocabulario::sobreLeyes()).toString();
        s.replace(u"{Ley}"_s, ley.nombre.toString());
        s.replace(u"{Y}"_s, QString::number(ley.anio));
        t.materia = ley.materia;
    } else if (forma < 0.40) {
        s = azar.elegir(Vocabulario::aperturas()).toString() + u" {O}"_s;
    } else if (forma < 0.60) {
        const QString sub = subtitulo(azar, false);
        const bool lugar = !sub.contains(u"{L}") && azar.probabilidad(0.2 + 0.7 * detalle);
        s = (lugar ? u"{O} en {L}: "_s : u"{O}: "_s) + sub;
        admiteSubtitulo = false;
        lugarAlFinal = false;
    } else if (forma < 0.85) {
        s = azar.elegir(Vocabulario::conLugar()).toString();
    } else if (forma < 0.91) {
        s = azar.elegir(Vocabulario::preguntas()).toString();
    } else if (forma < 0.94) {
        s = azar.elegir(Vocabulario::reiteraciones()).toString() + u": {O}"_s;
        admiteSubtitulo = false;
    } else {
        // Two phrases go together only when they share a subject.
        const int otro = elegirObjeto(azar, tema, anio, t.objeto);
        s = otro < 0 ? azar.elegir(Vocabulario::aperturas()).toString() + u" {O}"_s
                     : u"{O} y "_s + tema.objetos[std::size_t(otro)].texto.toString();
    }
    if (s.contains(u"{O2}")) {
        const int otro = elegirObjeto(azar, tema, anio, t.objeto);
        if (otro < 0)
            s.remove(u" y {O2}"_s);
        else
            s.replace(u"{O2}"_s, tema.objetos[std::size_t(otro)].texto.toString());
    }
    ampliar(s, azar, detalle, conPeriodo, lugarAlFinal, admiteSubtitulo && !s.contains(u':'));
    s.replace(u"{O}"_s, tema.objetos[std::size_t(t.objeto)].texto.toString());
    rellenar(s, azar, anio);
    t.texto = pulir(s);
    return t;
}

QStringList parrafos(Azar &azar, int anio, int tema, int objeto)
{
    const auto frases = Vocabulario::frases();
    const QString sujeto =
        Vocabulario::temas()[std::size_t(tema)].objetos[std::size_t(objeto)].texto.toString();
    std::vector<bool> usada(frases.size(), false);
    QStringList resultado;
    for (int p = 0; p < 2; ++p) {
        QStringList oraciones;
        const int cuantas = azar.entre(3, 5);
        while (oraciones.size() < cuantas) {
            const auto i = std::size_t(azar.menorQue(frases.size()));
            if (usada[i])
                continue;
            usada[i] = true;
            QString f = frases[i].toString();
            f.replace(u"{O}"_s, sujeto);
            rellenar(f, azar, anio);
            oraciones << pulir(f);
        }
        resultado << oraciones.join(u' ');
    }
    return resultado;
}

} // namespace Redactor
