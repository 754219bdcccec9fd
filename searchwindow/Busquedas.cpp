// The four searches of the search window and the procedures they share.
#include "Acentos.h"
#include "CursorEspera.h"
#include "ErrorEjecucion.h"
#include "FormAutores.h"
#include "FormBusqueda.h"
#include "FormMaterias.h"
#include "LineasArticulo.h"
#include "Programa.h"
#include "Sentencias.h"

#include <QComboBox>
#include <QLineEdit>

#include <array>
#include <cstring>
#include <vector>

namespace {

const QString modoArticulos = QStringLiteral("articulos");
const QString modoCronologico = QStringLiteral("cronolog");
const QString modoMaterias = QStringLiteral("materias");

// Appends one line per remaining row: the text of one column, the key of another.
void anadirFilas(ListaDatos &lista, DataSource &ds, const QString &columnaTexto,
                 const QString &columnaClave)
{
    if (ds.isEOF())
        return;
    const int texto = columnaExigida(ds, columnaTexto);
    const int clave = columnaExigida(ds, columnaClave);
    while (!ds.isEOF()) {
        lista.AddItem(ds.texto(texto), claveDeLinea(ds.valor(clave)));
        exigir(ds.MoveNext(), ds);
    }
}

// The match lookup's test of one row, made on the catalogue's UTF-8 bytes
// without building a QString. It takes values whose characters all lie in
// Latin-1 (every Spanish title and name): each is lower-cased and folded
// through one table, then the prepared search text is looked for. Any other
// value is left undecided, for prepararTexto() and contieneTexto(), which stay
// the rule this test follows.
class PruebaCoincidencia final
{
public:
    enum class Resultado { No, Si, Indecisa };

    explicit PruebaCoincidencia(const QString &textoPreparado)
        : m_largoTexto(textoPreparado.size())
    {
        // Built from the rule itself, one character at a time; a character
        // whose prepared form were not one Latin-1 character would make its
        // values undecided. (QString::toLower maps each Latin-1 character alone,
        // with no regard to its neighbours.)
        for (int c = 0; c < 256; ++c) {
            const QString p = QuitarAcentos(QString(QChar(c)).toLower());
            m_tabla[std::size_t(c)] = p.size() == 1 && p.at(0).unicode() < 256
                                          ? char16_t(p.at(0).unicode())
                                          : sinTraduccion;
        }
        m_textoLatin1 = true;
        for (const QChar c : textoPreparado) {
            if (c.unicode() >= 256) {
                m_textoLatin1 = false;
                break;
            }
            m_texto.push_back(char(c.unicode()));
        }
    }

    Resultado probar(QByteArrayView valorUtf8)
    {
        if (m_valor.size() < std::size_t(valorUtf8.size()))
            m_valor.resize(std::size_t(valorUtf8.size()));
        const auto *p = reinterpret_cast<const uchar *>(valorUtf8.data());
        const auto *fin = p + valorUtf8.size();
        std::size_t n = 0; // characters (UTF-16 units) of the value as stored
        while (p < fin) {
            char16_t c;
            if (*p < 0x80) {
                c = *p++;
            } else if ((*p == 0xC2 || *p == 0xC3) && fin - p >= 2 && (p[1] & 0xC0) == 0x80) {
                c = char16_t((p[0] & 0x1F) << 6 | (p[1] & 0x3F));
                p += 2;
            } else {
                return Resultado::Indecisa;
            }
            const char16_t t = m_tabla[c];
            if (t == sinTraduccion)
                return Resultado::Indecisa;
            m_valor[n++] = char(t);
        }
        // A value shorter than the prepared text is passed over untouched.
        if (std::size_t(m_largoTexto) > n)
            return Resultado::No;
        // Lower-casing and folding keep blanks where they are: trim after them.
        std::size_t inicio = 0;
        while (inicio < n && m_valor[inicio] == ' ')
            ++inicio;
        while (n > inicio && m_valor[n - 1] == ' ')
            --n;
        if (inicio == n)
            return Resultado::No; // an empty value never matches
        // A Latin-1 value cannot hold a character beyond Latin-1.
        if (!m_textoLatin1)
            return Resultado::No;
        if (m_texto.empty())
            return Resultado::Si;
        // Only where the first character occurs can the text begin.
        const char *q = m_valor.data() + inicio;
        const char *const ultimo = m_valor.data() + n;
        const std::size_t resto = m_texto.size() - 1;
        while (std::size_t(ultimo - q) > resto) {
            q = static_cast<const char *>(
                std::memchr(q, m_texto[0], std::size_t(ultimo - q) - resto));
            if (!q)
                return Resultado::No;
            if (std::memcmp(q + 1, m_texto.data() + 1, resto) == 0)
                return Resultado::Si;
            ++q;
        }
        return Resultado::No;
    }

private:
    static constexpr char16_t sinTraduccion = 0xFFFF;

    std::array<char16_t, 256> m_tabla{};
    qsizetype m_largoTexto = 0;
    bool m_textoLatin1 = false;
    std::vector<char> m_texto; // the prepared text in Latin-1
    std::vector<char> m_valor; // the row's prepared value in Latin-1
};

} // namespace

void FormBusqueda::VisualizarConsulta(const QString &campoMostrar)
{
    refrescar(DataConsulta);
    if (campoMostrar == modoArticulos || campoMostrar == modoCronologico) {
        const bool articulos = campoMostrar == modoArticulos;
        ListaArtic->campoLista = articulos ? QStringLiteral("des_articulo")
                                           : QStringLiteral("des_añoNumero");
        ListaArtic->Clear();
        ListaArtic->Refresh();
        if (articulos)
            anadirArticulos(*ListaArtic, DataConsulta);
        else
            anadirFilas(*ListaArtic, DataConsulta, QStringLiteral("des_añoNumero"),
                        QStringLiteral("id_boletin"));
        ListaArtic->Refresh();
    } else if (campoMostrar == modoMaterias) {
        ListaDatos &lista = *Instancia<FormMaterias>::get().ListaMaterias;
        lista.campoLista = QStringLiteral("des_materia");
        lista.Clear();
        lista.Refresh();
        anadirFilas(lista, DataConsulta, QStringLiteral("des_materia"),
                    QStringLiteral("id_materia"));
        lista.Refresh();
    }
    // While a subject list is on show, the article lines its pick will bring must
    // find the flag set.
    if (ListaArtic->ListCount() > 0
        || Instancia<FormMaterias>::get().ListaMaterias->campoLista == QStringLiteral("des_materia"))
        hayResultados = true;
}

void FormBusqueda::Buscar_Coincidencias(const QString &campoTexto)
{
    const bool autores = campoTexto != QStringLiteral("TextTitulo");
    textoBuscado = autores ? TextAutor->text() : TextTitulo->text();
    campoBuscado = campoTexto;
    const QString textoPreparado = prepararTexto(textoBuscado);

    DataConsulta.setRecordSource(autores ? Sentencias::todosLosAutores()
                                         : Sentencias::todosLosArticulos());
    refrescar(DataConsulta);
    m_columnas = {};
    int comparada = -1;
    if (!DataConsulta.isEOF()) {
        if (autores) {
            m_columnas.autor = comparada = columnaExigida(DataConsulta, QStringLiteral("autor"));
            m_columnas.idAutor = columnaExigida(DataConsulta, QStringLiteral("id_autor"));
        } else {
            m_columnas.titulo = comparada = columnaExigida(DataConsulta, QStringLiteral("des_articulo"));
            m_columnas.numero = columnaExigida(DataConsulta, QStringLiteral("des_añoNumero"));
            m_columnas.idArticulo = columnaExigida(DataConsulta, QStringLiteral("id_articulo"));
        }
    }
    // Rows the quick test decides are listed here just as Comprobar_Coincidencia
    // lists them; the others go through it.
    PruebaCoincidencia prueba(textoPreparado);
    const bool enAutores = campoBuscado == QStringLiteral("TextAutor");
    ListaDatos *listaAutores = nullptr;
    while (!DataConsulta.isEOF()) {
        if (!DataConsulta.esNulo(comparada)) {
            const QByteArrayView valor = DataConsulta.utf8(comparada);
            switch (prueba.probar(valor)) {
            case PruebaCoincidencia::Resultado::No:
                break;
            case PruebaCoincidencia::Resultado::Indecisa:
                Comprobar_Coincidencia(DataConsulta.texto(comparada), textoPreparado);
                break;
            case PruebaCoincidencia::Resultado::Si:
                if (enAutores) {
                    if (!listaAutores)
                        listaAutores = Instancia<FormAutores>::get().ListaAutores;
                    listaAutores->AddItem(QString::fromUtf8(valor),
                                          claveDeLinea(DataConsulta.valor(m_columnas.idAutor)));
                } else {
                    // The article line (LineasArticulo.h), from the row's bytes.
                    ListaArtic->AddItem(
                        DataConsulta.textoUnido(comparada, u". ", m_columnas.numero),
                        claveDeLinea(DataConsulta.valor(m_columnas.idArticulo)));
                    ListaArtic->campoLista = QStringLiteral("des_articulo");
                }
                break;
            }
        }
        exigir(DataConsulta.MoveNext(), DataConsulta);
    }

    if (autores) {
        ListaDatos &lista = *Instancia<FormAutores>::get().ListaAutores;
        lista.Refresh();
        if (lista.ListCount() > 0) {
            hayResultados = true;
        } else {
            lista.AddItem(QStringLiteral("No se encuentra ningún autor con : ") + textoBuscado, 0);
            lista.AddItem(QString(), 0);
            lista.AddItem(QStringLiteral("Hacer clic sobre esta linea para volver"), 0);
            lista.Refresh();
        }
    } else {
        ListaArtic->Refresh();
        if (ListaArtic->ListCount() > 0) {
            hayResultados = true;
        } else {
            ListaArtic->AddItem(QStringLiteral("No se han encontrado documentos"), 0);
            ListaArtic->Refresh();
        }
    }
}

// `valor` is the compared column of DataConsulta's current row, never null here.
void FormBusqueda::Comprobar_Coincidencia(const QString &valor, const QString &textoPreparado)
{
    if (textoPreparado.size() > valor.size())
        return;
    if (!contieneTexto(prepararTexto(valor), textoPreparado))
        return;
    if (campoBuscado == QStringLiteral("TextAutor")) {
        Instancia<FormAutores>::get().ListaAutores->AddItem(
            valor, claveDeLinea(DataConsulta.valor(m_columnas.idAutor)));
    } else {
        ListaArtic->AddItem(lineaArticulo(valor, DataConsulta.texto(m_columnas.numero)),
                            claveDeLinea(DataConsulta.valor(m_columnas.idArticulo)));
        ListaArtic->campoLista = QStringLiteral("des_articulo");
    }
}

void FormBusqueda::BotonTitulo_Click()
{
    const CursorEspera espera;
    hayResultados = false;
    DataConsulta.setRecordSource(Sentencias::articulosConTitulo(TextTitulo->text()));
    refrescar(DataConsulta);
    const qint64 cuenta = DataConsulta.RecordCount();
    ListaArtic->Clear();
    if (cuenta == 1)
        VisualizarConsulta(modoArticulos);
    else if (!TextTitulo->text().isEmpty())
        Buscar_Coincidencias(QStringLiteral("TextTitulo"));
    else
        ListaArtic->AddItem(QStringLiteral("Introducir texto"), 0);
    busquedaCronologica = false;
}

void FormBusqueda::BotonAutor_Click()
{
    const CursorEspera espera;
    hayResultados = false;
    DataConsulta.setRecordSource(Sentencias::autorConNombre(TextAutor->text()));
    refrescar(DataConsulta);
    const qint64 cuenta = DataConsulta.RecordCount();
    Instancia<FormAutores>::get().ListaAutores->Clear();
    ListaArtic->Clear();
    if (cuenta == 1) {
        // The identifier goes in whole: an author above 32767 lists its own articles.
        const qint64 idAutor = campo(DataConsulta, QStringLiteral("id_autor")).toLongLong();
        DataConsulta.setRecordSource(Sentencias::articulosDeAutor(idAutor));
        refrescar(DataConsulta);
        if (DataConsulta.RecordCount() != 0)
            VisualizarConsulta(modoArticulos);
    } else if (!TextAutor->text().isEmpty()) {
        FormAutores &autores = Instancia<FormAutores>::get();
        Buscar_Coincidencias(QStringLiteral("TextAutor"));
        autores.mostrarJuntoA(*this);
    } else {
        ListaArtic->AddItem(QStringLiteral("Introducir texto"), 0);
    }
    busquedaCronologica = false;
}

void FormBusqueda::BotonMateria_Click()
{
    const CursorEspera espera;
    hayResultados = false;
    const QString grupo = Materias->currentText();
    DataConsulta.setRecordSource(Sentencias::materiasDeGrupo(grupo));
    refrescar(DataConsulta);
    FormMaterias &materias = Instancia<FormMaterias>::get();
    materias.ListaMaterias->Clear();
    ListaArtic->Clear();
    if (!grupo.isEmpty()) {
        materias.mostrarJuntoA(*this);
        VisualizarConsulta(modoMaterias);
    } else {
        ListaArtic->Clear();
        ListaArtic->AddItem(QStringLiteral("Debe seleccionar una materia de la lista"), 0);
    }
    busquedaCronologica = false;
}

void FormBusqueda::BotonBusCron_Click()
{
    const CursorEspera espera;
    hayResultados = false;
    DataConsulta.setRecordSource(Sentencias::numerosEnOrden());
    VisualizarConsulta(modoCronologico);
    busquedaCronologica = true;
}
