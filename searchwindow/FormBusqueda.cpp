// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormBusqueda.h"

#include "AbrirDocumento.h"
#include "BotonImagen.h"
#include "Consultas.h"
#include "CursorEspera.h"
#include "FormAutores.h"
#include "FormMaterias.h"
#include "ListaDatos.h"
#include "Mensajes.h"
#include "Programa.h"
#include "Recursos.h"
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

    connect(BotonTitulo, &QAbstractButton::clicked, this, &FormBusqueda::BotonTitulo_Click);
    connect(BotonAutor, &QAbstractButton::clicked, this, &FormBusqueda::BotonAutor_Click);
    connect(BotonMateria, &QAbstractButton::clicked, this, &FormBusqueda::BotonMateria_Click);
    connect(BotonBusCron, &QAbstractButton::clicked, this, &FormBusqueda::BotonBusCron_Click);
    connect(BotonSalir, &QAbstractButton::clicked, this, &FormBusqueda::BotonSalir_Click);
    connect(ListaArtic, &ListaDatos::Click, this, &FormBusqueda::ListaArtic_Click);
}

void FormBusqueda::Form_Load()
{
    apuntarCatalogo(Programa::rutaCatalogo());
    // The pickers are loaded with the window, hidden until a search needs them.
    Instancia<FormAutores>::get();
    Instancia<FormMaterias>::get();
}

void FormBusqueda::apuntarCatalogo(const QString &ruta)
{
    for (DataSource *ds : {&DataConsulta, &DataArchivo, &DataMateria})
        ds->setDatabaseName(ruta);
}

Resultado<> FormBusqueda::refrescarGrupos()
{
    const Resultado<QStringList> grupos = Consultas::gruposDeMaterias(DataMateria);
    if (!grupos)
        return grupos;
    const QString elegido = Materias->currentText();
    Materias->clear();
    Materias->addItems(*grupos);
    // The combo is narrow; its drop-down list shows the groups' names whole.
    Materias->view()->setMinimumWidth(Materias->view()->sizeHintForColumn(0) + 24);
    // A refresh keeps the reader's choice when the group is still there.
    Materias->setCurrentIndex(elegido.isEmpty() ? -1 : Materias->findText(elegido));
    return {};
}

Resultado<bool> FormBusqueda::listarArticulos(const QString &sentencia)
{
    Resultado<std::optional<Lineas>> lineas = Consultas::articulosDe(DataArchivo, sentencia);
    if (!lineas)
        return lineas;
    if (!*lineas)
        return false;
    ListaArtic->campoLista = TipoLista::Articulos;
    ListaArtic->mostrar(std::move(**lineas));
    programa().hayResultados = true;
    return true;
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

// Opening a line skips what fails, without a word: a catalogue that cannot be
// queried ends the click quietly.
void FormBusqueda::ListaArtic_Click()
{
    if (!programa().hayResultados)
        return;
    const int indice = ListaArtic->ListIndex();
    if (indice < 0)
        return;
    const qint32 clave = ListaArtic->ItemData(indice);
    const Resultado<std::optional<AbrirDocumento::Ejemplar>> ejemplar =
        AbrirDocumento::ejemplar(DataArchivo, ListaArtic->campoLista, clave);
    if (ejemplar && *ejemplar)
        AbrirDocumento::abrir(**ejemplar, clave);
}

void FormBusqueda::mostrar(Resultado<Respuesta> respuesta)
{
    if (informar(respuesta))
        mostrar(*std::move(respuesta));
}

void FormBusqueda::mostrar(Respuesta r)
{
    if (r.articulos)
        ListaArtic->mostrar(std::move(*r.articulos));
    if (r.tipo)
        ListaArtic->campoLista = *r.tipo;
    if (r.autores || r.conAutores) {
        FormAutores &autores = Instancia<FormAutores>::get();
        if (r.autores)
            autores.mostrarAutores(std::move(*r.autores));
        if (r.conAutores)
            autores.mostrarJuntoA(*this);
    }
    if (r.materias || r.conMaterias) {
        FormMaterias &materias = Instancia<FormMaterias>::get();
        if (r.conMaterias)
            materias.mostrarJuntoA(*this);
        if (r.materias && r.materiasElegibles)
            materias.mostrarMaterias(std::move(*r.materias));
        else if (r.materias)
            materias.vaciar();
    }
    programa().hayResultados = r.hayResultados;
    programa().busquedaCronologica = r.cronologica;
}

static bool materiasElegidas()
{
    return Instancia<FormMaterias>::get().muestraMaterias();
}

Resultado<> FormBusqueda::VisualizarConsulta(ModoLista modo)
{
    return mostrarParte(Consultas::visualizar(DataConsulta, modo, materiasElegidas()));
}

Resultado<> FormBusqueda::Buscar_Coincidencias(CampoBuscado campo, const QString &texto)
{
    return mostrarParte(Consultas::coincidentes(DataConsulta, campo, texto));
}

// A step of a search, called on its own: it only ever sets the flag (a search
// clears it before it runs) and leaves the kind of the last search as it was.
Resultado<> FormBusqueda::mostrarParte(Resultado<Respuesta> respuesta)
{
    if (!respuesta)
        return respuesta;
    const bool habia = programa().hayResultados;
    const bool cronologica = programa().busquedaCronologica;
    mostrar(*std::move(respuesta));
    programa().hayResultados = programa().hayResultados || habia;
    programa().busquedaCronologica = cronologica;
    return {};
}

void FormBusqueda::BotonTitulo_Click()
{
    const CursorEspera espera;
    programa().hayResultados = false;
    mostrar(Consultas::porTitulo(DataConsulta, TextTitulo->text(), materiasElegidas()));
}

void FormBusqueda::BotonAutor_Click()
{
    const CursorEspera espera;
    programa().hayResultados = false;
    mostrar(Consultas::porAutor(DataConsulta, TextAutor->text(), materiasElegidas()));
}

void FormBusqueda::BotonMateria_Click()
{
    const CursorEspera espera;
    programa().hayResultados = false;
    mostrar(Consultas::porMateria(DataConsulta, Materias->currentText()));
}

void FormBusqueda::BotonBusCron_Click()
{
    const CursorEspera espera;
    programa().hayResultados = false;
    mostrar(Consultas::cronologica(DataConsulta, materiasElegidas()));
}
