// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Lineas.h"
#include "Resultado.h"

#include <QByteArrayView>
#include <QString>

#include <array>
#include <vector>

class DataSource;
class QVariant;

// The field of the search window a match lookup searches.
enum class CampoBuscado { Titulo, Autor };

// How the result list presentation shows a query's rows: article lines, issue
// lines (chronological browsing), or subjects in the subject picker.
enum class ModoLista { Articulos, Cronologico, Materias };

// What a list's lines stand for, which tells the click on a line what its item
// value identifies. Ninguna: nothing filled it with selectable lines.
enum class TipoLista { Ninguna, Articulos, Numeros, Materias };

// The article line every list of articles shows: the title, ". ", then the
// issue's label; a null value adds nothing. Its item value is the article's id.
QString lineaArticulo(const QString &titulo, const QString &numero);

// A key read from the catalogue as the 32-bit item value of a line; null, text
// that is no number, or a value out of range give 0, which is never a key.
qint32 claveDeLinea(const QVariant &valor);

// One line per remaining row of `ds`'s current result, as `modo` shows them:
// article lines (des_articulo, des_añoNumero, id_articulo), issue labels keyed
// by id_boletin, or subjects keyed by id_materia.
Resultado<Lineas> lineasDe(DataSource &ds, ModoLista modo);

// The match lookup's test: does a value contain the search text, both
// lower-cased, stripped of surrounding blanks and folded (Acentos.h)? Made on
// the catalogue's UTF-8 bytes without building a QString for the values whose
// characters all lie in Latin-1 (every Spanish title and name); any other value
// takes prepararTexto() and contieneTexto(), which stay the rule.
class Coincidencia final
{
public:
    explicit Coincidencia(const QString &texto);

    // `valorUtf8` as the catalogue holds it; a null value never matches.
    bool contiene(QByteArrayView valorUtf8);
    bool contiene(const QString &valor) const;

private:
    enum class Veredicto { No, Si, Indecisa };
    Veredicto probar(QByteArrayView valorUtf8);

    static constexpr char16_t sinTraduccion = 0xFFFF;

    QString m_textoPreparado;
    std::array<char16_t, 256> m_tabla{};
    bool m_textoLatin1 = false;
    std::vector<char> m_texto; // the prepared text in Latin-1
    std::vector<char> m_valor; // the value being tested, prepared, in Latin-1
};

// The match lookup: runs on `ds` the statement over every title (with its
// issue) or every author, and gives, in the statement's order, a line for each
// whose text contains `texto` (Coincidencia): an article line keyed by
// id_articulo, or the author's name keyed by id_autor.
Resultado<Lineas> coincidencias(DataSource &ds, CampoBuscado campo, const QString &texto);
