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

using Abierto = Resultado<std::shared_ptr<Catalogo>>;

Catalogo::Espera g_espera;
int g_esperas = 0; // waits running, one inside another

// An open on a thread of its own. An open of the same file reached while it runs
// (from the events the wait lets through) waits for it instead of starting
// another; the first to see it done puts the catalogue in the cache.
struct Apertura
{
    std::shared_future<Abierto> futuro;
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

Resultado<Conexion> abrirSqlite(const QString &ruta)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    Conexion conexion(db);
    if (rc != SQLITE_OK)
        return Resultado<Conexion>::fallo(
            QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
    // A damaged file often opens fine and fails only at the first read: the
    // schema is read now, so that the reader hears about it when the catalogue
    // is opened.
    const Resultado<bool> propio = Esquema::esPropio(db);
    if (!propio)
        return propio;
    if (*propio)
        return conexion;
    conexion.reset();
    return CatalogoAjeno::copiar(ruta);
}

// The catalogue at `ruta`, or the reason (without the path).
Abierto crear(const QString &ruta)
{
    Resultado<Conexion> db =
        Resultado<Conexion>::fallo(QStringLiteral("no es un catálogo (ni SQLite ni Jet/Access)"));
    switch (Catalogo::formatoDe(ruta)) {
    case Catalogo::Formato::Sqlite:
        db = abrirSqlite(ruta);
        break;
    case Catalogo::Formato::Jet:
        db = JetImport::importar(ruta);
        break;
    case Catalogo::Formato::Desconocido:
        break;
    }
    if (!db)
        return db;
    if (!Colacion::registrar(db->get()))
        return Abierto::fallo(QString::fromUtf8(sqlite3_errmsg(db->get())));
    return std::make_shared<Catalogo>(*std::move(db), ruta);
}

} // namespace

Catalogo::Catalogo(Conexion db, QString ruta) : m_db(std::move(db)), m_ruta(std::move(ruta)) {}

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

Abierto Catalogo::abrir(const QString &ruta)
{
    const QString clave = QFileInfo(ruta).absoluteFilePath();
    if (auto abierto = cache().value(clave).lock())
        return abierto;

    const auto fallo = [&ruta](const QString &motivo) {
        return Abierto::fallo(
            QStringLiteral("No se puede abrir el catálogo «%1»: %2.").arg(ruta, motivo));
    };
    const QString motivo = motivoArchivo(ruta);
    if (!motivo.isEmpty())
        return fallo(motivo);
    if (!g_espera.mientras) {
        Abierto catalogo = crear(ruta);
        if (!catalogo)
            return fallo(catalogo.error());
        cache().insert(clave, *catalogo);
        return catalogo;
    }

    std::shared_ptr<Apertura> apertura = enCurso().value(clave);
    if (!apertura) {
        apertura = std::make_shared<Apertura>();
        apertura->futuro = std::async(std::launch::async, [ruta] { return crear(ruta); }).share();
        enCurso().insert(clave, apertura);
    }
    using namespace std::chrono;
    const auto inicio = steady_clock::now();
    ++g_esperas;
    while (apertura->futuro.wait_for(20ms) != std::future_status::ready)
        g_espera.mientras(duration_cast<milliseconds>(steady_clock::now() - inicio));
    if (--g_esperas == 0 && g_espera.fin)
        g_espera.fin();
    const Abierto &catalogo = apertura->futuro.get();
    if (!apertura->recogida) {
        apertura->recogida = true;
        enCurso().remove(clave);
        if (catalogo)
            cache().insert(clave, *catalogo);
    }
    return catalogo ? catalogo : fallo(catalogo.error());
}

void Catalogo::setEspera(Espera espera)
{
    g_espera = std::move(espera);
}

void Catalogo::olvidarTodos()
{
    cache().clear();
}
