// The four searches of the search window and the procedures they share.
#include "Acentos.h"
#include "ErrorEjecucion.h"
#include "FormAutores.h"
#include "FormBusqueda.h"
#include "FormMaterias.h"
#include "LineasArticulo.h"
#include "Programa.h"
#include "Sentencias.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

const QString modoArticulos = QStringLiteral("articulos");
const QString modoCronologico = QStringLiteral("cronolog");
const QString modoMaterias = QStringLiteral("materias");

int columna(DataSource &ds, const QString &nombre)
{
    const int i = ds.indiceCampo(nombre);
    if (i < 0)
        exigir(ds.Fields(nombre).has_value(), ds);
    return i;
}

// Appends one line per remaining row: the text of one column, the key of another.
void anadirFilas(ListaDatos &lista, DataSource &ds, const QString &columnaTexto,
                 const QString &columnaClave)
{
    if (ds.isEOF())
        return;
    const int texto = columna(ds, columnaTexto);
    const int clave = columna(ds, columnaClave);
    while (!ds.isEOF()) {
        lista.AddItem(ds.texto(texto), claveDeLinea(ds.valor(clave)));
        exigir(ds.MoveNext(), ds);
    }
}

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
            m_columnas.autor = comparada = columna(DataConsulta, QStringLiteral("autor"));
            m_columnas.idAutor = columna(DataConsulta, QStringLiteral("id_autor"));
        } else {
            m_columnas.titulo = comparada = columna(DataConsulta, QStringLiteral("des_articulo"));
            m_columnas.numero = columna(DataConsulta, QStringLiteral("des_añoNumero"));
            m_columnas.idArticulo = columna(DataConsulta, QStringLiteral("id_articulo"));
        }
    }
    while (!DataConsulta.isEOF()) {
        if (!DataConsulta.esNulo(comparada))
            Comprobar_Coincidencia(DataConsulta.texto(comparada), textoPreparado);
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
    hayResultados = false;
    DataConsulta.setRecordSource(Sentencias::numerosEnOrden());
    VisualizarConsulta(modoCronologico);
    busquedaCronologica = true;
}
