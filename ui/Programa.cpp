// SPDX-License-Identifier: GPL-3.0-or-later
#include "Programa.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStorageInfo>

#include <algorithm>
#include <optional>

EstadoPrograma &programa()
{
    static EstadoPrograma estado;
    return estado;
}

namespace Programa {

QString carpetaInstalacion()
{
    const QString &fijada = programa().carpetaInstalacion;
    return fijada.isEmpty() ? QCoreApplication::applicationDirPath() : fijada;
}

void setCarpetaInstalacion(const QString &carpeta)
{
    programa().carpetaInstalacion = carpeta;
}

QString rutaCatalogo()
{
    return carpetaInstalacion() + QStringLiteral("/boletin.mdb");
}

QStringList lugaresMontados()
{
    QStringList l;
    const auto volumenes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &v : volumenes) {
        const QString raiz = v.rootPath();
        const QByteArray tipo = v.fileSystemType();
        if (raiz.startsWith(QStringLiteral("/media/")) || raiz.startsWith(QStringLiteral("/run/media/"))
            || raiz.startsWith(QStringLiteral("/mnt/")) || tipo == "iso9660" || tipo == "udf")
            l << raiz;
    }
    std::sort(l.begin(), l.end());
    l.removeDuplicates();
    return l.mid(0, 26);
}

QStringList lugares()
{
    if (programa().lugares)
        return programa().lugares->mid(0, 26);
    return lugaresMontados();
}

void setLugares(const QStringList &lugares)
{
    programa().lugares = lugares;
}

void escribirAjuste(const QString &clave, const QString &valor)
{
    QSettings ajustes(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("boletin"),
                      QStringLiteral("boletin"));
    ajustes.beginGroup(QStringLiteral("instalacion"));
    ajustes.setValue(clave, valor);
}

} // namespace Programa
