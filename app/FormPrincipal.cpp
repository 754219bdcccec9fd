// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormPrincipal.h"

#include "BotonImagen.h"
#include "CursorEspera.h"
#include "Disco.h"
#include "Mensajes.h"
#include "Module1.h"
#include "Programa.h"
#include "Recursos.h"
#include "VentanaBusqueda.h"

#include <QApplication>
#include <QProcess>
#include <QProcessEnvironment>


FormPrincipal::FormPrincipal(QWidget *parent) : VentanaPrincipal(parent)
{
    setObjectName(QStringLiteral("FormPrincipal"));
    setWindowTitle(QStringLiteral(" Boletín de VELTRA (1950-2000)"));
    setWindowIcon(Recursos::icono());
    setTamanoCliente(766, 551);
    setFondo(Recursos::imagen(QStringLiteral("principal")));

    auto boton = [this](const char *nombre, const QString &imagen, const QString &accesible,
                        const QRect &lugar) {
        auto *b = new BotonImagen(Recursos::imagen(imagen), accesible, this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setGeometry(lugar);
        return b;
    };
    // Created in tab order: Comenzar, Información, Salir.
    BotonComenzar = boton("BotonComenzar", QStringLiteral("boton_comenzar"),
                          QStringLiteral("Comenzar"), {504, 440, 97, 33});
    BotonInform = boton("BotonInform", QStringLiteral("boton_informacion"),
                        QStringLiteral("Información"), {376, 440, 97, 33});
    BotonSalir = boton("BotonSalir", QStringLiteral("boton_salir"), QStringLiteral("Salir"),
                       {632, 440, 97, 33});
    setTabOrder(BotonComenzar, BotonInform);
    setTabOrder(BotonInform, BotonSalir);

    connect(BotonComenzar, &QAbstractButton::clicked, this, &FormPrincipal::BotonComenzar_Click);
    connect(BotonInform, &QAbstractButton::clicked, this, &FormPrincipal::BotonInform_Click);
    connect(BotonSalir, &QAbstractButton::clicked, this, &FormPrincipal::BotonSalir_Click);
}

// The object's final release: "run" = "no" again, unless the exit button ended
// the program, which runs no further handler.
FormPrincipal::~FormPrincipal()
{
    if (!m_terminando)
        Programa::escribirAjuste(QStringLiteral("run"), QStringLiteral("no"));
}

void FormPrincipal::Form_Load()
{
    Programa::escribirAjuste(QStringLiteral("a"), Programa::carpetaInstalacion());
    Programa::escribirAjuste(QStringLiteral("run"), QStringLiteral("si"));
    if (!BuscarUnidadCD()) {
        MsgBox(QStringLiteral("Introduzca el CD de VELTRA\ny vuelva a ejecutar el programa"));
        Unload();
    }
}

void FormPrincipal::Form_Unload()
{
    Programa::escribirAjuste(QStringLiteral("run"), QStringLiteral("no"));
}

void FormPrincipal::showEvent(QShowEvent *event)
{
    VentanaPrincipal::showEvent(event);
    BotonComenzar->setFocus();
}

void FormPrincipal::BotonComenzar_Click()
{
    // The first use opens the catalogue: a Jet file is read whole.
    const CursorEspera espera;
    VentanaBusqueda &busqueda = Instancia<VentanaBusqueda>::get();
    busqueda.show();
    busqueda.raise();
    busqueda.activateWindow();
    informar(busqueda.refrescarGrupos());
}

void FormPrincipal::BotonInform_Click()
{
    // The page's path is the one argument; no shell sees it, so no quoting is needed.
    QString navegador = QProcessEnvironment::systemEnvironment().value(
        QStringLiteral("BOLETIN_NAVEGADOR"), QStringLiteral("xdg-open"));
    const QString html = Disco::buscar(programa().unidadCD, QStringLiteral("html"));
    QString pagina = programa().unidadCD + QStringLiteral("/html/Informacion.html");
    if (!html.isEmpty()) {
        const QString encontrada = Disco::buscar(html, QStringLiteral("Informacion.html"));
        pagina = encontrada.isEmpty() ? html + QStringLiteral("/Informacion.html") : encontrada;
    }
    static const QString aviso =
        QStringLiteral("Para poder ver el documento, instale el navegador Explorer ");
    // xdg-open can start and then find nothing to open the page with (status 3:
    // no such tool, 4: it failed): that too is a browser that could not start.
    // Its end is watched, never waited for. The process has no parent and no
    // pipes, so a browser that stays open is not killed when this program ends.
    auto *proceso = new QProcess;
    proceso->setProgram(navegador);
    proceso->setArguments({pagina});
    proceso->setProcessChannelMode(QProcess::ForwardedChannels);
    proceso->setStandardInputFile(QProcess::nullDevice());
    connect(proceso, &QProcess::finished, proceso,
            [proceso](int salida, QProcess::ExitStatus estado) {
                proceso->deleteLater();
                if (estado == QProcess::NormalExit && (salida == 3 || salida == 4))
                    MsgBox(aviso);
            });
    proceso->start();
    if (!proceso->waitForStarted()) {
        delete proceso;
        MsgBox(aviso);
    }
}

void FormPrincipal::BotonSalir_Click()
{
    Unload();
    m_terminando = true;
    if (terminar)
        terminar();
    else
        QCoreApplication::exit(0);
}
