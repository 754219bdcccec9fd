// SPDX-License-Identifier: GPL-3.0-or-later
#include "Disco.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool legible(const QString &lugar)
{
    const QFileInfo info(lugar);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

} // namespace

namespace Disco {

QString buscar(const QString &carpeta, const QString &nombre)
{
    QDir dir(carpeta);
    if (QFileInfo::exists(dir.filePath(nombre)))
        return dir.filePath(nombre);
    const QStringList entradas = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                               | QDir::NoDotAndDotDot);
    for (const QString &e : entradas)
        if (e.compare(nombre, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return {};
}

std::optional<QString> primerNombre(const QString &lugar, const QString &prefijo)
{
    if (!legible(lugar))
        return std::nullopt;
    const QString imagenes = buscar(lugar, QStringLiteral("Imagenes"));
    if (imagenes.isEmpty())
        return QString();
    QDir dir(imagenes);
    if (!dir.isReadable())
        return std::nullopt;
    const QStringList nombres = dir.entryList({prefijo + u'*'}, QDir::Files | QDir::Hidden,
                                              QDir::Name | QDir::IgnoreCase);
    return nombres.isEmpty() ? QString() : nombres.first();
}

std::optional<QString> nombreArchivo(const QString &lugar, const QString &nombre)
{
    if (!legible(lugar))
        return std::nullopt;
    const QString imagenes = buscar(lugar, QStringLiteral("imagenes"));
    if (imagenes.isEmpty())
        return QString();
    const QString ruta = buscar(imagenes, nombre);
    if (ruta.isEmpty() || !QFileInfo(ruta).isFile())
        return QString();
    return QFileInfo(ruta).fileName();
}

QString rutaEnImagenes(const QString &lugar, const QString &archivo)
{
    const QString imagenes = buscar(lugar, QStringLiteral("imagenes"));
    if (imagenes.isEmpty())
        return lugar + QStringLiteral("/imagenes/") + archivo;
    const QString ruta = buscar(imagenes, archivo);
    return ruta.isEmpty() ? imagenes + u'/' + archivo : ruta;
}

} // namespace Disco
