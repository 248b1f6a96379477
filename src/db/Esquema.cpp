// Schema files and creation of the embedded database.
#include "db/Esquema.h"

#include "common/Errores.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QUuid>
#include <sqlite3.h>

namespace Esquema {

QString Texto(const QString& archivo) {
    QFile f(QStringLiteral(":/sql/") + archivo);
    if (!f.open(QIODevice::ReadOnly))
        throw ErrorArchivo(QStringLiteral("No se encuentra el esquema %1.").arg(archivo));
    return QString::fromUtf8(f.readAll());
}

void CreaBaseEmbebida(const QString& ruta) {
    if (QFileInfo::exists(ruta))
        throw ErrorArchivo(QStringLiteral("El archivo %1 ya existe.").arg(ruta));
    const QString nombre = QStringLiteral("esquema-") + QUuid::createUuid().toString();
    QString error;
    {
        QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        bd.setDatabaseName(ruta);
        if (!bd.open()) {
            error = bd.lastError().text();
        } else {
            const QVariant manejador = bd.driver()->handle();
            auto* h = *static_cast<sqlite3* const*>(manejador.constData());
            const QByteArray script = Texto(QStringLiteral("moravel.sqlite.sql")).toUtf8();
            char* mensaje = nullptr;
            if (sqlite3_exec(h, "PRAGMA journal_mode=WAL;", nullptr, nullptr, &mensaje) !=
                    SQLITE_OK ||
                sqlite3_exec(h, script.constData(), nullptr, nullptr, &mensaje) != SQLITE_OK) {
                error = QString::fromUtf8(mensaje ? mensaje : "error");
                sqlite3_free(mensaje);
            }
            bd.close();
        }
    }
    QSqlDatabase::removeDatabase(nombre);
    if (!error.isEmpty()) {
        QFile::remove(ruta);
        throw ErrorBaseDatos(error);
    }
}

} // namespace Esquema
