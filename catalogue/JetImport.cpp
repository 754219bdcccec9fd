#include "JetImport.h"

namespace JetImport {

sqlite3 *importar(const QString &, QString *motivo)
{
    *motivo = QStringLiteral("los archivos Jet aún no se pueden leer");
    return nullptr;
}

} // namespace JetImport
