#include "Catalogo.h"

#include "Colacion.h"
#include "JetImport.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sqlite3.h>

namespace {

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
    // A damaged file often opens fine and fails only at the first read: read the
    // schema now so that the reader hears about it when the catalogue is opened.
    char *err = nullptr;
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, &err)
        != SQLITE_OK) {
        *motivo = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
        sqlite3_close(db);
        return nullptr;
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

    QString motivo = motivoArchivo(ruta);
    sqlite3 *db = nullptr;
    if (motivo.isEmpty()) {
        switch (formatoDe(ruta)) {
        case Formato::Sqlite:
            db = abrirSqlite(ruta, &motivo);
            break;
        case Formato::Jet:
            db = JetImport::importar(ruta, &motivo);
            break;
        case Formato::Desconocido:
            motivo = QStringLiteral("no es un catálogo (ni SQLite ni Jet/Access)");
            break;
        }
    }
    if (db && !Colacion::registrar(db)) {
        motivo = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        db = nullptr;
    }
    if (!db) {
        if (error)
            *error = QStringLiteral("No se puede abrir el catálogo «%1»: %2.").arg(ruta, motivo);
        return nullptr;
    }
    auto catalogo = std::make_shared<Catalogo>(db, ruta);
    cache().insert(clave, catalogo);
    return catalogo;
}

void Catalogo::olvidarTodos()
{
    cache().clear();
}
