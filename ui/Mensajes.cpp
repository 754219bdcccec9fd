// SPDX-License-Identifier: GPL-3.0-or-later
#include "Mensajes.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>

namespace {

class MensajesQt final : public Mensajes
{
public:
    Boton mostrar(const QString &texto, bool conCancelar) override
    {
        QMessageBox caja(QMessageBox::NoIcon, tituloPrograma, texto,
                         conCancelar ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                         QApplication::activeWindow());
        caja.setDefaultButton(QMessageBox::Ok);
        if (conCancelar)
            caja.setEscapeButton(QMessageBox::Cancel);
        // A box shown while a handler works waits for the reader: no wait cursor.
        const bool espera = QGuiApplication::overrideCursor() != nullptr;
        if (espera)
            QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
        const int boton = caja.exec();
        if (espera)
            QGuiApplication::restoreOverrideCursor();
        return boton == QMessageBox::Ok ? Boton::Aceptar : Boton::Cancelar;
    }
};

Mensajes *&instalado()
{
    static Mensajes *m = nullptr;
    return m;
}

} // namespace

Mensajes &Mensajes::actual()
{
    static MensajesQt porDefecto;
    Mensajes *m = instalado();
    return m ? *m : porDefecto;
}

void Mensajes::instalar(Mensajes *m)
{
    instalado() = m;
}

void MsgBox(const QString &texto)
{
    Mensajes::actual().mostrar(texto, false);
}

bool informar(const Resultado<> &r)
{
    if (!r.ok())
        MsgBox(r.error());
    return r.ok();
}

bool MsgBoxAceptarCancelar(const QString &texto)
{
    return Mensajes::actual().mostrar(texto, true) == Mensajes::Boton::Aceptar;
}
