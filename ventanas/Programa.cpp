// SPDX-License-Identifier: GPL-3.0-or-later
#include "Programa.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStorageInfo>

#include <algorithm>
#include <optional>

QString unidadCD;
bool busquedaCronologica = false;

namespace {

QString &carpetaFijada()
{
    static QString c;
    return c;
}

std::optional<QStringList> &lugaresFijados()
{
    static std::optional<QStringList> l;
    return l;
}

} // namespace

namespace Programa {

QString carpetaInstalacion()
{
    return carpetaFijada().isEmpty() ? QCoreApplication::applicationDirPath() : carpetaFijada();
}

void setCarpetaInstalacion(const QString &carpeta)
{
    carpetaFijada() = carpeta;
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
    if (lugaresFijados())
        return lugaresFijados()->mid(0, 26);
    return lugaresMontados();
}

void setLugares(const QStringList &lugares)
{
    lugaresFijados() = lugares;
}

void escribirAjuste(const QString &clave, const QString &valor)
{
    QSettings ajustes(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("boletin"),
                      QStringLiteral("boletin"));
    ajustes.beginGroup(QStringLiteral("instalacion"));
    ajustes.setValue(clave, valor);
}

} // namespace Programa
