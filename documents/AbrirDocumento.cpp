// SPDX-License-Identifier: GPL-3.0-or-later
#include "AbrirDocumento.h"

#include "CursorEspera.h"
#include "Disco.h"
#include "Mensajes.h"
#include "PanelDocumento.h"
#include "Programa.h"
#include "Sentencias.h"
#include "VentanaBusqueda.h"
#include "frmBrowser.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace AbrirDocumento {

bool esDisco1(const QVariant &disco)
{
    switch (disco.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return disco.toDouble() == 1.0;
    case QMetaType::QString:
        return disco.toString() == u"1";
    default:
        return false;
    }
}

frmBrowser *abrirVisor(const QString &ruta, qint32 clave, const QString &titulo)
{
    const CursorEspera espera; // the document loads inside Form_Load
    auto *visor = new frmBrowser;
    visor->StartingAddress = ruta;
    visor->brwWebBrowser->abrirEnArticulo(titulo);
    visor->Form_Load();
    visor->setWindowTitle(QString::number(clave));
    visor->show();
    return visor;
}

} // namespace AbrirDocumento

namespace {

// The name the disc's listing gives for `marca`; a place that cannot be listed
// (no disc, unreadable) leaves the name as it was.
void mirarDisco(const QString &marca, QString &nombre)
{
    if (const std::optional<QString> listado = Disco::nombreArchivo(unidadCD, marca))
        nombre = *listado;
}

} // namespace

void ListaArtic_Click(VentanaBusqueda &busqueda)
{
    if (!VentanaBusqueda::hayResultados || !busqueda.ListaArtic)
        return;
    const ListaDatos &lista = *busqueda.ListaArtic;
    const int indice = lista.ListIndex();
    if (indice < 0)
        return;
    const qint32 clave = lista.ItemData(indice);

    QString sentencia;
    switch (lista.campoLista) {
    case TipoLista::Numeros:
        sentencia = Sentencias::discoYArchivoDeNumero(clave);
        break;
    case TipoLista::Articulos:
        sentencia = Sentencias::discoYArchivoDeArticulo(clave);
        break;
    case TipoLista::Ninguna:
    case TipoLista::Materias:
        return;
    }

    // Opening a line skips what fails, without a word: a catalogue that cannot
    // be queried ends the click quietly, and a missing disc row (below) is read
    // as disc 1 with no file.
    bool hayFilas = false;
    if (!busqueda.consultarArchivo(sentencia, hayFilas).ok())
        return;
    DataSource &datos = busqueda.DataArchivo;
    // Both values are read now, before a prompt lets other handlers run. With no
    // disc row neither can be read: the issue is looked for on disc 1 and the
    // viewer opens with no address.
    const Resultado<QVariant> disco = datos.Fields(u"disco"_s);
    const Resultado<QVariant> archivo = datos.Fields(u"loc_añoNumero"_s);
    const bool esArticulo = lista.campoLista == TipoLista::Articulos;
    const QString titulo =
        esArticulo ? datos.Fields(u"des_articulo"_s).value_or(QVariant()).toString() : QString();
    const bool disco1 = !disco || AbrirDocumento::esDisco1(*disco);
    const QString marca = disco1 ? u"Tirvosk.dat"_s : u"Tirvosk2.dat"_s;
    const QString aviso = disco1 ? u"Introduzca el CD 1"_s : u"Introduzca el CD 2"_s;

    QString nombre;
    mirarDisco(marca, nombre);
    if (nombre != marca) {
        if (!MsgBoxAceptarCancelar(aviso))
            return;
        // The name is tested before each pass, so the first OK is followed by the
        // same prompt before the disc is looked at again.
        while (nombre != marca) {
            if (!MsgBoxAceptarCancelar(aviso))
                return;
            mirarDisco(marca, nombre);
        }
    }

    QString ruta;
    if (archivo)
        ruta = Disco::rutaEnImagenes(unidadCD, archivo->toString() + u".pdf"_s);
    AbrirDocumento::abrirVisor(ruta, clave, titulo);
}
