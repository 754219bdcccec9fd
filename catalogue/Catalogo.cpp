// SPDX-License-Identifier: GPL-3.0-or-later
#include "Catalogo.h"

#include "CatalogoAjeno.h"
#include "Colacion.h"
#include "Esquema.h"
#include "JetImport.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sqlite3.h>

#include <future>

namespace {

Catalogo::Espera g_espera;
int g_esperas = 0; // waits running, one inside another

// An open on a thread of its own. An open of the same file reached while it runs
// (from the events the wait lets through) waits for it instead of starting
// another; the first to see it done makes the catalogue.
struct Apertura
{
    std::shared_future<sqlite3 *> futuro;
    QString motivo; // written by the thread, read once the future is ready
    std::shared_ptr<Catalogo> catalogo;
    bool recogida = false;
};

QHash<QString, std::shared_ptr<Apertura>> &enCurso()
{
    static QHash<QString, std::shared_ptr<Apertura>> a;
    return a;
}

QHash<QString, std::weak_ptr<Catalogo>> &cache()
{
    static QHash<QString, std::weak_ptr<Catalogo>> c;
    return c;
}

QString motivoArchivo(const QString &ruta)
{
    const QFileInfo info(ruta);
    if (!info.exists())
        return QStringLiteral("el archivo no existe");
    if (info.isDir())
        return QStringLiteral("es una carpeta, no un archivo");
    if (!info.isReadable())
        return QStringLiteral("no se puede leer el archivo");
    return {};
}

sqlite3 *abrirSqlite(const QString &ruta, QString *motivo)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        *motivo = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        return nullptr;
    }
    // A damaged file often opens fine and fails only at the first read: the
    // schema is read now, so that the reader hears about it when the catalogue
    // is opened.
    bool propio = false;
    if (!Esquema::esPropio(db, &propio, motivo)) {
        sqlite3_close(db);
        return nullptr;
    }
    if (propio)
        return db;
    sqlite3_close(db);
    return CatalogoAjeno::copiar(ruta, motivo);
}

sqlite3 *abrirArchivo(const QString &ruta, QString *motivo)
{
    sqlite3 *db = nullptr;
    switch (Catalogo::formatoDe(ruta)) {
    case Catalogo::Formato::Sqlite:
        db = abrirSqlite(ruta, motivo);
        break;
    case Catalogo::Formato::Jet:
        db = JetImport::importar(ruta, motivo);
        break;
    case Catalogo::Formato::Desconocido:
        *motivo = QStringLiteral("no es un catálogo (ni SQLite ni Jet/Access)");
        break;
    }
    if (db && !Colacion::registrar(db)) {
        *motivo = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        db = nullptr;
    }
    return db;
}

} // namespace

Catalogo::Catalogo(sqlite3 *db, QString ruta) : m_db(db), m_ruta(std::move(ruta)) {}

Catalogo::~Catalogo()
{
    sqlite3_close_v2(m_db);
}

Catalogo::Formato Catalogo::formatoDe(const QString &ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return Formato::Desconocido;
    const QByteArray cabecera = f.read(32);
    if (cabecera.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return Formato::Sqlite;
    const QByteArray firma = cabecera.mid(4, 15);
    if (firma == "Standard Jet DB" || firma == "Standard ACE DB")
        return Formato::Jet;
    return Formato::Desconocido;
}

std::shared_ptr<Catalogo> Catalogo::abrir(const QString &ruta, QString *error)
{
    const QString clave = QFileInfo(ruta).absoluteFilePath();
    if (auto abierto = cache().value(clave).lock())
        return abierto;

    const auto fallo = [&ruta, error](const QString &motivo) {
        if (error)
            *error = QStringLiteral("No se puede abrir el catálogo «%1»: %2.").arg(ruta, motivo);
        return std::shared_ptr<Catalogo>();
    };
    QString motivo = motivoArchivo(ruta);
    if (!motivo.isEmpty())
        return fallo(motivo);
    if (!g_espera.mientras) {
        sqlite3 *db = abrirArchivo(ruta, &motivo);
        if (!db)
            return fallo(motivo);
        auto catalogo = std::make_shared<Catalogo>(db, ruta);
        cache().insert(clave, catalogo);
        return catalogo;
    }

    std::shared_ptr<Apertura> apertura = enCurso().value(clave);
    if (!apertura) {
        apertura = std::make_shared<Apertura>();
        apertura->futuro = std::async(std::launch::async, [ruta, a = apertura.get()] {
                               return abrirArchivo(ruta, &a->motivo);
                           }).share();
        enCurso().insert(clave, apertura);
    }
    using namespace std::chrono;
    const auto inicio = steady_clock::now();
    ++g_esperas;
    while (apertura->futuro.wait_for(20ms) != std::future_status::ready)
        g_espera.mientras(duration_cast<milliseconds>(steady_clock::now() - inicio));
    if (--g_esperas == 0 && g_espera.fin)
        g_espera.fin();
    if (!apertura->recogida) {
        apertura->recogida = true;
        enCurso().remove(clave);
        if (sqlite3 *db = apertura->futuro.get()) {
            apertura->catalogo = std::make_shared<Catalogo>(db, ruta);
            cache().insert(clave, apertura->catalogo);
        }
    }
    return apertura->catalogo ? apertura->catalogo : fallo(apertura->motivo);
}

void Catalogo::setEspera(Espera espera)
{
    g_espera = std::move(espera);
}

void Catalogo::olvidarTodos()
{
    cache().clear();
}
