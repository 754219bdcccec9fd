// SPDX-License-Identifier: GPL-3.0-or-later
#include "AbrirDocumento.h"

#include "CursorEspera.h"
#include "Disco.h"
#include "Mensajes.h"
#include "Programa.h"
#include "Sentencias.h"
#include "DataSource.h"
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
    visor->abrir(ruta, titulo);
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
    if (const std::optional<QString> listado = Disco::nombreArchivo(programa().unidadCD, marca))
        nombre = *listado;
}

} // namespace

namespace AbrirDocumento {

Resultado<std::optional<Ejemplar>> ejemplar(DataSource &archivo, TipoLista tipo, qint32 clave)
{
    QString sentencia;
    switch (tipo) {
    case TipoLista::Numeros:
        sentencia = Sentencias::discoYArchivoDeNumero(clave);
        break;
    case TipoLista::Articulos:
        sentencia = Sentencias::discoYArchivoDeArticulo(clave);
        break;
    case TipoLista::Ninguna:
    case TipoLista::Materias:
        return std::optional<Ejemplar>();
    }
    archivo.setRecordSource(sentencia);
    if (Resultado<> r = archivo.Refresh(); !r)
        return r;
    // A missing disc row is read as disc 1 with no file.
    const Resultado<QVariant> disco = archivo.Fields(u"disco"_s);
    const Resultado<QVariant> nombre = archivo.Fields(u"loc_añoNumero"_s);
    Ejemplar e;
    e.disco1 = !disco || esDisco1(*disco);
    if (nombre)
        e.archivo = nombre->toString();
    if (tipo == TipoLista::Articulos)
        e.titulo = archivo.Fields(u"des_articulo"_s).value_or(QVariant()).toString();
    return std::optional<Ejemplar>(std::move(e));
}

void abrir(const Ejemplar &ejemplar, qint32 clave)
{
    const QString marca = ejemplar.disco1 ? u"Tirvosk.dat"_s : u"Tirvosk2.dat"_s;
    const QString aviso = ejemplar.disco1 ? u"Introduzca el CD 1"_s : u"Introduzca el CD 2"_s;

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
    if (ejemplar.archivo)
        ruta = Disco::rutaEnImagenes(programa().unidadCD, *ejemplar.archivo + u".pdf"_s);
    abrirVisor(ruta, clave, ejemplar.titulo);
}

} // namespace AbrirDocumento
