#include "FormBusqueda.h"

#include "AbrirDocumento.h"
#include "BotonImagen.h"
#include "ErrorEjecucion.h"
#include "FormAutores.h"
#include "FormMaterias.h"
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
    QFont letra = font();
    letra.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    letra.setPointSizeF(9);
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

    connect(BotonTitulo, &QAbstractButton::clicked, this, protegido([this] { BotonTitulo_Click(); }));
    connect(BotonAutor, &QAbstractButton::clicked, this, protegido([this] { BotonAutor_Click(); }));
    connect(BotonMateria, &QAbstractButton::clicked, this,
            protegido([this] { BotonMateria_Click(); }));
    connect(BotonBusCron, &QAbstractButton::clicked, this,
            protegido([this] { BotonBusCron_Click(); }));
    connect(BotonSalir, &QAbstractButton::clicked, this, [this] { BotonSalir_Click(); });
    connect(ListaArtic, &ListaDatos::Click, this, [this] { ListaArtic_Click(); });
}

void FormBusqueda::Form_Load()
{
    const QString catalogo = Programa::rutaCatalogo();
    Instancia<FormAutores>::get().DataAutores.setDatabaseName(catalogo);
    DataArchivo.setDatabaseName(catalogo);
    DataConsulta.setDatabaseName(catalogo);
    Data1.setDatabaseName(catalogo);
    DataMateria.setDatabaseName(catalogo);
    Instancia<FormMaterias>::get().DataMaterias.setDatabaseName(catalogo);
}

void FormBusqueda::llenarMaterias()
{
    const QString elegido = Materias->currentText();
    Materias->clear();
    const int grupo = columnaExigida(DataMateria, QStringLiteral("des_grupo"));
    while (!DataMateria.isEOF()) {
        Materias->addItem(DataMateria.texto(grupo));
        exigir(DataMateria.MoveNext(), DataMateria);
    }
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
