// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sentencias.h"

namespace Sentencias {

QString citar(const QString &texto)
{
    QString s;
    s.reserve(texto.size() + 8);
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c == u'\'') {
            s += QStringLiteral("''");
        } else if (c.isHighSurrogate() && i + 1 < texto.size() && texto.at(i + 1).isLowSurrogate()) {
            s += c;
            s += texto.at(++i);
        } else if (c.isSurrogate()) {
            // A lone half becomes U+FFFD here, as it would in the statement's UTF-8;
            // done first, so dropping a NUL below can never join two halves.
            s += QChar(QChar::ReplacementCharacter);
        } else if (c != u'\0') {
            // SQLite stops reading a statement at a NUL: drop it rather than cut the statement.
            s += c;
        }
    }
    return s;
}

QString gruposMaterias()
{
    return QStringLiteral("SELECT * FROM GruposMaterias");
}

QString materiasDeGrupo(const QString &grupo)
{
    return QStringLiteral("SELECT des_materia,id_materia FROM Materias WHERE id_grupo IN "
                          "(SELECT id_grupo FROM GruposMaterias WHERE des_grupo='")
           + citar(grupo) + QStringLiteral("') ORDER BY des_materia");
}

QString articulosDeMateria(qint64 idMateria)
{
    return QStringLiteral("select des_articulo,AutoresArticulos.id_articulo, "
                          "NumerosPorAños.des_añoNumero from AutoresArticulos, articulo_materia, "
                          "NumerosPorAños where  ((articulo_materia.id_materia=")
           + QString::number(idMateria)
           + QStringLiteral(") and (AutoresArticulos.id_articulo=articulo_materia.id_articulo) and "
                            "((AutoresArticulos.id_boletin) = (NumerosPorAños.id_boletin))) "
                            "order by des_articulo");
}

QString numerosEnOrden()
{
    return QStringLiteral(
        "Select id_boletin,des_añoNumero from NumerosPorAños order by orden_Añonumero");
}

QString articulosConTitulo(const QString &titulo)
{
    return QStringLiteral("SELECT des_articulo, id_articulo, NumerosPorAños.des_añoNumero From "
                          "AutoresArticulos, NumerosPorAños Where ((des_articulo= '")
           + citar(titulo) + QStringLiteral("')")
           + QStringLiteral("And ((AutoresArticulos.id_boletin) = (NumerosPorAños.id_boletin))) "
                            "order by des_articulo");
}

QString todosLosArticulos()
{
    return QStringLiteral("SELECT des_articulo, id_articulo, NumerosPorAños.des_añoNumero From "
                          "AutoresArticulos, NumerosPorAños Where ((AutoresArticulos.id_boletin) "
                          "= (NumerosPorAños.id_boletin)) order by des_articulo");
}

QString todosLosAutores()
{
    return QStringLiteral("select * from Autores order by autor");
}

QString autorConNombre(const QString &autor)
{
    return QStringLiteral("Select autor,id_autor from Autores where (autor='") + citar(autor)
           + QStringLiteral("' ) order by autor");
}

static QString principioArticulosDeAutor(qint64 idAutor)
{
    return QStringLiteral("SELECT des_articulo, AutoresArticulos.id_articulo, "
                          "NumerosPorAños.des_añoNumero From AutoresArticulos, NumerosPorAños, "
                          "RelacionAutorArticulo Where ((id_autor =")
           + QString::number(idAutor) + QStringLiteral(")")
           + QStringLiteral("And ((AutoresArticulos.id_boletin) = (NumerosPorAños.id_boletin)) And "
                            "(RelacionAutorArticulo.id_articulo = AutoresArticulos.id_articulo))");
}

QString articulosDeAutor(qint64 idAutor)
{
    return principioArticulosDeAutor(idAutor);
}

QString articulosDeAutorPorTitulo(qint64 idAutor)
{
    return principioArticulosDeAutor(idAutor) + QStringLiteral(" order by des_articulo");
}

QString discoYArchivo(const QString &tabla, const QString &columnaClave, qint64 clave)
{
    return QStringLiteral("Select * from ") + tabla
           + QStringLiteral(" as t, RelacionBoletinDisco as r where t.") + columnaClave
           + QStringLiteral("=") + QString::number(clave)
           + QStringLiteral(" and t.id_boletin=r.id_boletin");
}

} // namespace Sentencias
