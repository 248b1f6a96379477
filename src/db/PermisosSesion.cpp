// The session's grants checked by SQLite's authorizer.
#include "db/PermisosSesion.h"

#include <sqlite3.h>

bool ServidorEmbebido::Permisos::Concede(const QString& permiso, const QString& tabla,
                                         const QString& columna) const {
    const auto it = concedidos.constFind(permiso + QLatin1Char(' ') + tabla.toLower());
    if (it == concedidos.constEnd())
        return false;
    return it->isEmpty() || columna.isEmpty() || it->contains(columna, Qt::CaseInsensitive);
}

int ServidorEmbebido::Permisos::Autoriza(void* datos, int accion, const char* a, const char* b,
                                         const char* base, const char* disparador) {
    auto* p = static_cast<Permisos*>(datos);
    // The server's own work and the schema's triggers (their own checks) are not the session's.
    if (p->interno > 0 || disparador)
        return SQLITE_OK;
    const QString tabla = QString::fromUtf8(a ? a : "");
    const QString columna = QString::fromUtf8(b ? b : "");
    auto niega = [&](const QString& texto) {
        p->denegacion = texto;
        return SQLITE_DENY;
    };
    auto Estructura = [&] {
        return QStringLiteral("Se denegó el permiso para cambiar la estructura de la base de "
                              "datos '%1' o para unir otra base de datos a la sesión.")
            .arg(p->baseDatos);
    };
    auto tablaSegun = [&](const char* permiso) {
        if (base && qstrcmp(base, "temp") == 0)
            return SQLITE_OK; // the session's own temporary tables
        const bool catalogo = tabla.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
        if (catalogo && qstrcmp(permiso, "SELECT") == 0)
            return SQLITE_OK;
        // A write to the catalog is a DROP or CREATE on its way: said as a change of structure,
        // not by the catalog's name, which no session knows.
        if (catalogo)
            return niega(Estructura());
        const bool servidor = tabla.startsWith(QLatin1String("Srv"), Qt::CaseInsensitive);
        if (!catalogo && !servidor &&
            (p->duena || p->Concede(QLatin1String(permiso), tabla, columna)))
            return SQLITE_OK;
        return niega(QStringLiteral("Se denegó el permiso %1 en el objeto '%2', base de datos "
                                    "'%3', esquema 'dbo'.")
                         .arg(QLatin1String(permiso), tabla, p->baseDatos));
    };
    switch (accion) {
    case SQLITE_SELECT:
    case SQLITE_TRANSACTION:
    case SQLITE_SAVEPOINT:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
    case SQLITE_CREATE_TEMP_TABLE:
    case SQLITE_DROP_TEMP_TABLE:
    case SQLITE_CREATE_TEMP_INDEX:
    case SQLITE_DROP_TEMP_INDEX:
        return SQLITE_OK;
    case SQLITE_READ:
        return tablaSegun("SELECT");
    case SQLITE_INSERT:
        return tablaSegun("INSERT");
    case SQLITE_UPDATE:
        return tablaSegun("UPDATE");
    case SQLITE_DELETE:
        return tablaSegun("DELETE");
    case SQLITE_PRAGMA: {
        // Reading a table's description (the driver asks for it); nothing that changes the file.
        static const QStringList lectura{
            QStringLiteral("table_info"),  QStringLiteral("table_xinfo"),
            QStringLiteral("index_list"),  QStringLiteral("index_info"),
            QStringLiteral("index_xinfo"), QStringLiteral("foreign_key_list")};
        if (!b && lectura.contains(tabla.toLower()))
            return SQLITE_OK;
        return niega(QStringLiteral("Se denegó el permiso para ejecutar PRAGMA %1 en la base de "
                                    "datos '%2'.")
                         .arg(tabla, p->baseDatos));
    }
    default:
        return niega(Estructura());
    }
}
