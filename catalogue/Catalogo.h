// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conexion.h"
#include "Resultado.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

// One open catalogue: an SQLite connection, read-only. A Jet (.mdb) file, or an
// SQLite file whose tables another tool declared, is read whole into an in-memory
// database the first time it is opened; every data source naming the same file
// then shares that connection.
class Catalogo final
{
public:
    enum class Formato { Desconocido, Sqlite, Jet };

    // The open catalogue, or a Spanish text that names the file and the reason.
    static Resultado<std::shared_ptr<Catalogo>> abrir(const QString &ruta);

    // How the opening thread waits for a catalogue to open. When set, abrir()
    // opens on a thread of its own and meanwhile calls `mientras` every few
    // hundredths of a second with the time gone by (an interface keeps its
    // windows alive there), then `fin` once the catalogue is open or has failed.
    // Unset (the default), abrir() just blocks.
    struct Espera
    {
        std::function<void(std::chrono::milliseconds transcurrido)> mientras;
        std::function<void()> fin;
    };
    static void setEspera(Espera espera);

    // Forgets every cached catalogue, so the next abrir() reads the file again.
    static void olvidarTodos();

    // What the first bytes of the file say it is.
    static Formato formatoDe(const QString &ruta);

    explicit Catalogo(Conexion db, QString ruta);
    Catalogo(const Catalogo &) = delete;
    Catalogo &operator=(const Catalogo &) = delete;

    sqlite3 *conexion() const { return m_db.get(); }
    const QString &ruta() const { return m_ruta; }

private:
    Conexion m_db;
    QString m_ruta;
};
