// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormBusqueda.h"

#include "AbrirDocumento.h"
#include "BotonImagen.h"
#include "CursorEspera.h"
#include "FormAutores.h"
#include "FormMaterias.h"
#include "Mensajes.h"
#include "Programa.h"
#include "Recursos.h"
#include "Sentencias.h"
#include "VentanaPrincipal.h"

#include <QComboBox>
#include <QAbstractItemView>
#include <QLineEdit>

FormBusqueda::FormBusqueda(QWidget *parent) : VentanaBusqueda(parent)
{
    setObjectName(QStringLiteral("FormBusqueda"));
    setWindowTitle(QStringLiteral(" Boletín de VELTRA (1990-2000)"));
    setWindowIcon(Recursos::icono());
    setTamanoCliente(776, 559);
    setFondo(Recursos::imagen(QStringLiteral("busqueda")));

    const QPixmap buscar = Recursos::imagen(QStringLiteral("boton_buscar"));
    auto boton = [this](const char *nombre, const QPixmap &cara, const QString &accesible,
                        const QRect &lugar) {
        auto *b = new BotonImagen(cara, accesible, this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setGeometry(lugar);
        return b;
    };
    const QFont letra = ListaDatos::letra(font());
    auto texto = [this, &letra](const char *nombre, const QString &accesible, const QRect &lugar) {
        auto *t = new QLineEdit(this);
        t->setObjectName(QString::fromLatin1(nombre));
        t->setAccessibleName(accesible);
        t->setFont(letra);
        t->setMaxLength(1 << 20); // a pasted text is searched whole, not cut at 32767
        t->setGeometry(lugar);
        return t;
    };

    // Created in tab order.
    BotonSalir = boton("BotonSalir", Recursos::imagen(QStringLiteral("boton_volver")),
                       QStringLiteral("Volver"), {712, 528, 49, 25});
    BotonBusCron = boton("BotonBusCron", buscar, QStringLiteral("Consulta cronológica"),
                         {208, 176, 65, 25});
    ListaArtic = new ListaDatos(this);
    ListaArtic->setObjectName(QStringLiteral("ListaArtic"));
    ListaArtic->setAccessibleName(QStringLiteral("Artículos encontrados"));
    ListaArtic->setGeometry(16, 376, 745, 147);
    BotonAutor = boton("BotonAutor", buscar, QStringLiteral("Buscar por autor"), {632, 176, 65, 25});
    TextAutor = texto("TextAutor", QStringLiteral("Autor"), {376, 176, 225, 27});
    TextTitulo = texto("TextTitulo", QStringLiteral("Título"), {376, 288, 225, 27});
    BotonTitulo = boton("BotonTitulo", buscar, QStringLiteral("Buscar por título"),
                        {632, 288, 65, 25});
    Materias = new QComboBox(this);
    Materias->setObjectName(QStringLiteral("Materias"));
    Materias->setAccessibleName(QStringLiteral("Grupo de materias"));
    Materias->setGeometry(24, 288, 145, 24);
    BotonMateria = boton("BotonMateria", buscar, QStringLiteral("Buscar por materia"),
                         {208, 288, 65, 25});
    const QList<QWidget *> orden{BotonSalir, BotonBusCron, ListaArtic, BotonAutor, TextAutor,
                                 TextTitulo, BotonTitulo, Materias, BotonMateria};
    for (qsizetype i = 1; i < orden.size(); ++i)
        setTabOrder(orden[i - 1], orden[i]);

    DataMateria.setRecordSource(Sentencias::tablaGruposMaterias);
    DataMateria.setAlRefrescar([this] { llenarMaterias(); });

    connect(BotonTitulo, &QAbstractButton::clicked, this, &FormBusqueda::BotonTitulo_Click);
    connect(BotonAutor, &QAbstractButton::clicked, this, &FormBusqueda::BotonAutor_Click);
    connect(BotonMateria, &QAbstractButton::clicked, this, &FormBusqueda::BotonMateria_Click);
    connect(BotonBusCron, &QAbstractButton::clicked, this, &FormBusqueda::BotonBusCron_Click);
    connect(BotonSalir, &QAbstractButton::clicked, this, &FormBusqueda::BotonSalir_Click);
    connect(ListaArtic, &ListaDatos::Click, this, &FormBusqueda::ListaArtic_Click);
}

void FormBusqueda::Form_Load()
{
    const QString catalogo = Programa::rutaCatalogo();
    Instancia<FormAutores>::get().apuntarCatalogo(catalogo);
    DataArchivo.setDatabaseName(catalogo);
    DataConsulta.setDatabaseName(catalogo);
    Data1.setDatabaseName(catalogo);
    DataMateria.setDatabaseName(catalogo);
    Instancia<FormMaterias>::get().apuntarCatalogo(catalogo);
}

void FormBusqueda::llenarMaterias()
{
    const QString elegido = Materias->currentText();
    Materias->clear();
    const Resultado<int> grupo = DataMateria.columna(QStringLiteral("des_grupo"));
    Resultado<> r = grupo;
    while (r.ok() && !DataMateria.isEOF()) {
        Materias->addItem(DataMateria.texto(*grupo));
        r = DataMateria.MoveNext();
    }
    // Runs inside DataMateria's refresh, whoever asked for it: the reader is
    // told here, and the combo keeps the groups read so far.
    informar(r);
    // The combo is narrow; its drop-down list shows the groups' names whole.
    Materias->view()->setMinimumWidth(Materias->view()->sizeHintForColumn(0) + 24);
    // A refresh keeps the reader's choice when the group is still there.
    Materias->setCurrentIndex(elegido.isEmpty() ? -1 : Materias->findText(elegido));
}

void FormBusqueda::BotonSalir_Click()
{
    if (VentanaPrincipal *principal = Instancia<VentanaPrincipal>::cargar()) {
        principal->show();
        principal->raise();
        principal->activateWindow();
    }
    Instancia<FormAutores>::Unload();
    Unload();
}

void FormBusqueda::Form_Unload()
{
    Instancia<FormAutores>::Unload();
    Instancia<FormMaterias>::Unload();
}

void FormBusqueda::ListaArtic_Click()
{
    ::ListaArtic_Click(*this);
}

Resultado<> FormBusqueda::VisualizarConsulta(ModoLista modo)
{
    if (Resultado<> r = DataConsulta.Refresh(); !r.ok())
        return r;
    Resultado<> r;
    if (modo == ModoLista::Materias) {
        r = Instancia<FormMaterias>::get().mostrarMaterias(DataConsulta);
    } else {
        ListaArtic->campoLista =
            modo == ModoLista::Articulos ? TipoLista::Articulos : TipoLista::Numeros;
        ListaArtic->Clear();
        ListaArtic->Refresh();
        r = anadirLineas(*ListaArtic, DataConsulta, modo);
        ListaArtic->Refresh();
    }
    if (!r.ok())
        return r;
    // While a subject list is on show, the article lines its pick will bring must
    // find the flag set.
    if (ListaArtic->ListCount() > 0 || Instancia<FormMaterias>::get().muestraMaterias())
        hayResultados = true;
    return r;
}

Resultado<> FormBusqueda::Buscar_Coincidencias(CampoBuscado campo, const QString &texto)
{
    textoBuscado = texto;
    campoBuscado = campo;
    const bool autores = campo == CampoBuscado::Autor;
    ListaDatos &lista = autores ? *Instancia<FormAutores>::get().ListaAutores : *ListaArtic;
    qsizetype encontradas = 0;
    if (Resultado<> r = buscarCoincidencias(DataConsulta, campo, texto, lista, encontradas);
        !r.ok())
        return r;
    if (!autores && encontradas > 0)
        ListaArtic->campoLista = TipoLista::Articulos;
    lista.Refresh();
    if (lista.ListCount() > 0) {
        hayResultados = true;
    } else if (autores) {
        lista.AddItem(QStringLiteral("No se encuentra ningún autor con : ") + texto, 0);
        lista.AddItem(QString(), 0);
        lista.AddItem(QStringLiteral("Hacer clic sobre esta linea para volver"), 0);
        lista.Refresh();
    } else {
        lista.AddItem(QStringLiteral("No se han encontrado documentos"), 0);
        lista.Refresh();
    }
    return {};
}

void FormBusqueda::BotonTitulo_Click()
{
    const CursorEspera espera;
    hayResultados = false;
    const QString texto = TextTitulo->text();
    DataConsulta.setRecordSource(Sentencias::articulosConTitulo(texto));
    if (!informar(DataConsulta.Refresh()))
        return;
    const qint64 cuenta = DataConsulta.RecordCount();
    ListaArtic->Clear();
    if (cuenta == 1) {
        if (!informar(VisualizarConsulta(ModoLista::Articulos)))
            return;
    } else if (!texto.isEmpty()) {
        if (!informar(Buscar_Coincidencias(CampoBuscado::Titulo, texto)))
            return;
    } else {
        ListaArtic->AddItem(QStringLiteral("Introducir texto"), 0);
    }
    busquedaCronologica = false;
}

void FormBusqueda::BotonAutor_Click()
{
    const CursorEspera espera;
    hayResultados = false;
    const QString texto = TextAutor->text();
    DataConsulta.setRecordSource(Sentencias::autorConNombre(texto));
    if (!informar(DataConsulta.Refresh()))
        return;
    const qint64 cuenta = DataConsulta.RecordCount();
    FormAutores &autores = Instancia<FormAutores>::get();
    autores.ListaAutores->Clear();
    ListaArtic->Clear();
    if (cuenta == 1) {
        // The identifier goes in whole: an author above 32767 lists its own articles.
        const Resultado<QVariant> idAutor = DataConsulta.Fields(QStringLiteral("id_autor"));
        if (!informar(idAutor))
            return;
        DataConsulta.setRecordSource(Sentencias::articulosDeAutor(idAutor->toLongLong()));
        if (!informar(DataConsulta.Refresh()))
            return;
        if (DataConsulta.RecordCount() != 0 && !informar(VisualizarConsulta(ModoLista::Articulos)))
            return;
    } else if (!texto.isEmpty()) {
        if (!informar(Buscar_Coincidencias(CampoBuscado::Autor, texto)))
            return;
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
    if (!informar(DataConsulta.Refresh()))
        return;
    FormMaterias &materias = Instancia<FormMaterias>::get();
    materias.ListaMaterias->Clear();
    ListaArtic->Clear();
    if (!grupo.isEmpty()) {
        materias.mostrarJuntoA(*this);
        if (!informar(VisualizarConsulta(ModoLista::Materias)))
            return;
    } else {
        ListaArtic->AddItem(QStringLiteral("Debe seleccionar una materia de la lista"), 0);
    }
    busquedaCronologica = false;
}

void FormBusqueda::BotonBusCron_Click()
{
    const CursorEspera espera;
    hayResultados = false;
    DataConsulta.setRecordSource(Sentencias::numerosEnOrden());
    if (!informar(VisualizarConsulta(ModoLista::Cronologico)))
        return;
    busquedaCronologica = true;
}
