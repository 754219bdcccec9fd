// SPDX-License-Identifier: GPL-3.0-or-later
#include "JetEnvio.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

bool escribirTodo(int fd, const void *datos, size_t largo)
{
    const auto *p = static_cast<const char *>(datos);
    while (largo > 0) {
        const ssize_t n = ::write(fd, p, largo);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        largo -= size_t(n);
    }
    return true;
}

} // namespace

namespace JetEnvio {

bool enviar(int fd, char tipo, const void *datos, quint64 largo, quint64 anunciado)
{
    char cabecera[largoCabecera];
    cabecera[0] = tipo;
    std::memcpy(cabecera + 1, &anunciado, sizeof anunciado);
    return escribirTodo(fd, cabecera, sizeof cabecera) && escribirTodo(fd, datos, largo);
}

QString danado(const QString &detalle)
{
    return QStringLiteral("el archivo está dañado (%1)").arg(detalle);
}

} // namespace JetEnvio
