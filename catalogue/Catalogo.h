#pragma once

#include <QString>

#include <memory>

struct sqlite3;

// One open catalogue: an SQLite connection, read-only. A Jet (.mdb) file is read
// whole into an in-memory database the first time it is opened; every data source
// naming the same file then shares that connection.
class Catalogo final
{
public:
    enum class Formato { Desconocido, Sqlite, Jet };

    // Returns the open catalogue, or nullptr and sets *error to a Spanish text
    // that names the file and the reason.
    static std::shared_ptr<Catalogo> abrir(const QString &ruta, QString *error);

    // Forgets every cached catalogue, so the next abrir() reads the file again.
    static void olvidarTodos();

    // What the first bytes of the file say it is.
    static Formato formatoDe(const QString &ruta);

    explicit Catalogo(sqlite3 *db, QString ruta);
    ~Catalogo();
    Catalogo(const Catalogo &) = delete;
    Catalogo &operator=(const Catalogo &) = delete;

    sqlite3 *conexion() const { return m_db; }
    const QString &ruta() const { return m_ruta; }

private:
    sqlite3 *m_db = nullptr;
    QString m_ruta;
};
