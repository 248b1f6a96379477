// Schema files, creation and upgrade of the embedded database.
#include "db/Esquema.h"

#include "common/Errores.h"
#include "db/DialectoSqlite.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QStringList>
#include <sqlite3.h>

namespace Esquema {
namespace {

// Runs a script; raises with SQLite's text.
void Corre(sqlite3* h, const QString& sql) {
    char* mensaje = nullptr;
    if (sqlite3_exec(h, sql.toUtf8().constData(), nullptr, nullptr, &mensaje) != SQLITE_OK) {
        const QString texto = QString::fromUtf8(mensaje ? mensaje : sqlite3_errmsg(h));
        sqlite3_free(mensaje);
        throw ErrorBaseDatos(texto);
    }
}

// The rows of a statement, each as its texts.
QList<QStringList> Filas(sqlite3* h, const QString& sql) {
    QList<QStringList> filas;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        throw ErrorBaseDatos(QString::fromUtf8(sqlite3_errmsg(h)));
    while (sqlite3_step(st) == SQLITE_ROW) {
        QStringList fila;
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            fila << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
        filas << fila;
    }
    sqlite3_finalize(st);
    return filas;
}

QStringList Columna(sqlite3* h, const QString& sql, int columna = 0) {
    QStringList valores;
    for (const QStringList& fila : Filas(h, sql))
        valores << fila.value(columna);
    return valores;
}

int VersionDe(sqlite3* h) {
    const QStringList v = Columna(h, QStringLiteral("PRAGMA user_version"));
    return v.isEmpty() ? 0 : v[0].toInt();
}

QStringList Tablas(sqlite3* h) {
    return Columna(h, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                     "name NOT LIKE 'sqlite%' ORDER BY name"));
}

// Whether a declared type is one the checks know (the rest is not checked).
bool Verificable(const QString& tipo) {
    const QString t = tipo.toUpper();
    return t.startsWith(QLatin1String("VARCHAR(")) || t.startsWith(QLatin1String("CHAR(")) ||
           t == QLatin1String("INT") || t == QLatin1String("SMALLINT") ||
           t == QLatin1String("BIT") || t.startsWith(QLatin1String("DATETIME"));
}

// A date written in another literal form ('20261201', '01/12/2026', ISO 8601 with "T") or with
// milliseconds the server's DATETIME cannot hold is stored again in the one form every reader
// and comparison agrees on. SQLite cannot change a row before it is written, so this runs after
// the write, and only for a row that needs it.
void CreaNormalizacionFechas(sqlite3* h, const QString& tabla, const QStringList& columnas) {
    QStringList cuando, asigna;
    for (const QString& c : columnas) {
        cuando << QStringLiteral("MS_NOCANONICA(NEW.%1)").arg(c);
        asigna << QStringLiteral("%1 = MS_FECHA(%1)").arg(c);
    }
    const QString cuerpo =
        QStringLiteral("WHEN %1 BEGIN UPDATE %2 SET %3 WHERE rowid = NEW.rowid; "
                       "END;")
            .arg(cuando.join(QStringLiteral(" OR ")), tabla, asigna.join(QStringLiteral(", ")));
    Corre(h, QStringLiteral("DROP TRIGGER IF EXISTS TN_%1_Alta;\n"
                            "CREATE TRIGGER TN_%1_Alta AFTER INSERT ON %1 %2\n"
                            "DROP TRIGGER IF EXISTS TN_%1_Cambio;\n"
                            "CREATE TRIGGER TN_%1_Cambio AFTER UPDATE OF %3 ON %1 %2")
                 .arg(tabla, cuerpo, columnas.join(QStringLiteral(", "))));
}

} // namespace

QString Texto(const QString& archivo) {
    QFile f(QStringLiteral(":/sql/") + archivo);
    if (!f.open(QIODevice::ReadOnly))
        throw ErrorArchivo(QStringLiteral("No se encuentra el esquema %1.").arg(archivo));
    return QString::fromUtf8(f.readAll());
}

void PreparaConexion(sqlite3* bd) {
    DialectoSqlite::RegistraBase(bd);
}

void PreparaConexion(const QSqlDatabase& bd) {
    const QVariant manejador = bd.driver()->handle();
    PreparaConexion(*static_cast<sqlite3* const*>(manejador.constData()));
}

void CreaVerificaciones(sqlite3* h) {
    for (const QString& tabla : Tablas(h)) {
        if (tabla.startsWith(QLatin1String("Srv")))
            continue;
        QStringList llamadas, fechas;
        for (const QStringList& c : Filas(h, QStringLiteral("PRAGMA table_info(%1)").arg(tabla))) {
            if (Verificable(c[2])) // cid, name, type, ...
                llamadas
                    << QStringLiteral("MS_VALIDA('%1', '%2', '%3', NEW.%2)").arg(tabla, c[1], c[2]);
            if (c[2].startsWith(QLatin1String("DATETIME"), Qt::CaseInsensitive))
                fechas << c[1];
        }
        if (!fechas.isEmpty())
            CreaNormalizacionFechas(h, tabla, fechas);
        if (llamadas.isEmpty())
            continue;
        const QString cuerpo = QStringLiteral("BEGIN SELECT ") +
                               llamadas.join(QStringLiteral(",\n    ")) + QStringLiteral("; END;");
        Corre(h, QStringLiteral("DROP TRIGGER IF EXISTS TV_%1_Alta;\n"
                                "CREATE TRIGGER TV_%1_Alta BEFORE INSERT ON %1 %2\n"
                                "DROP TRIGGER IF EXISTS TV_%1_Cambio;\n"
                                "CREATE TRIGGER TV_%1_Cambio BEFORE UPDATE ON %1 %2")
                     .arg(tabla, cuerpo));
    }
}

void CreaBaseEmbebida(const QString& ruta) {
    if (QFileInfo::exists(ruta))
        throw ErrorArchivo(QStringLiteral("El archivo %1 ya existe.").arg(ruta));
    sqlite3* h = nullptr;
    QString error;
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(h));
    } else {
        try {
            // SQLite makes the file on its first write; it becomes its owner's alone (set by its
            // path: nothing but SQLite opens it) before the schema is written, and the working
            // files take the same permissions.
            Corre(h, QStringLiteral("PRAGMA user_version = 0;"));
            if (!QFile::setPermissions(ruta, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
                throw ErrorBaseDatos(
                    QStringLiteral("No se pudo reservar el archivo %1 a su dueño.").arg(ruta));
            PreparaConexion(h);
            Corre(h, QStringLiteral("PRAGMA journal_mode=WAL;"));
            Corre(h, QStringLiteral("BEGIN;"));
            Corre(h, Texto(QStringLiteral("moravel.sqlite.sql")));
            CreaVerificaciones(h);
            Corre(h, QStringLiteral("PRAGMA user_version = %1; COMMIT;").arg(kVersion));
        } catch (const ErrorBaseDatos& e) {
            error = e.Texto();
        }
    }
    sqlite3_close(h);
    if (!error.isEmpty()) {
        QFile::remove(ruta);
        throw ErrorBaseDatos(error);
    }
}

// From version 2 on, each version's change is only new indexes or new checks the program adds
// from the declarations (element v - 2 takes a file from version v to v + 1; the checks are
// made anew on every step); a change to a table's columns would go back to a rebuild.
constexpr const char* kSoloIndices[] = {
    "CREATE INDEX IF NOT EXISTS IX_Guias_DestinoFecha ON Guias (Des_IdDistrital, "
    "Autoriza_Fecha);",
    "", // version 4: dates in other literal forms are stored in the one form
};
static_assert(std::size(kSoloIndices) == size_t(kVersion - 2));

void Actualiza(sqlite3* h) {
    if (VersionDe(h) == kVersion)
        return;
    Corre(h, QStringLiteral("BEGIN IMMEDIATE;"));
    try {
        // Another office may have upgraded it while this one waited for the lock.
        const int version = VersionDe(h);
        if (version > kVersion)
            throw ErrorBaseDatos(
                QStringLiteral("La base de datos es de una versión más nueva del programa "
                               "(esquema %1; este programa conoce hasta el %2). Instale la "
                               "versión actual del programa.")
                    .arg(version)
                    .arg(kVersion));
        if (version >= 2 && version < kVersion) {
            // Steps that only added indexes or checks: made in place, the tables and rows
            // untouched.
            for (int v = version; v < kVersion; ++v)
                Corre(h, QString::fromLatin1(kSoloIndices[size_t(v - 2)]));
            CreaVerificaciones(h);
            Corre(h, QStringLiteral("PRAGMA user_version = %1;").arg(kVersion));
        } else if (version < kVersion) {
            const QStringList antiguas = Tablas(h);
            const QString sufijo = QStringLiteral("__v%1").arg(version);
            // Indexes and triggers go with their tables; the schema makes them anew.
            for (const QStringList& o :
                 Filas(h, QStringLiteral("SELECT type, name FROM sqlite_master WHERE type IN "
                                         "('index', 'trigger') AND sql IS NOT NULL")))
                Corre(h, QStringLiteral("DROP %1 %2;").arg(o[0].toUpper(), o[1]));
            for (const QString& t : antiguas)
                Corre(h, QStringLiteral("ALTER TABLE %1 RENAME TO %1%2;").arg(t, sufijo));
            Corre(h, Texto(QStringLiteral("moravel.sqlite.sql")));
            const QStringList nuevas = Tablas(h);
            for (const QString& t : antiguas) {
                if (!nuevas.contains(t))
                    continue; // a table the program no longer has keeps its old name
                const QStringList de =
                    Columna(h, QStringLiteral("PRAGMA table_info(%1%2)").arg(t, sufijo), 1);
                QStringList comunes;
                for (const QString& c :
                     Columna(h, QStringLiteral("PRAGMA table_info(%1)").arg(t), 1))
                    if (de.contains(c, Qt::CaseInsensitive))
                        comunes << c;
                // The seeded roles and grants are the schema's own: kept once.
                const bool semilla =
                    t == QLatin1String("SrvRoles") || t == QLatin1String("SrvPermisos");
                Corre(h, QStringLiteral("INSERT %1INTO %2 (%3) SELECT %3 FROM %2%4; DROP TABLE "
                                        "%2%4;")
                             .arg(semilla ? QStringLiteral("OR IGNORE ") : QString(), t,
                                  comunes.join(QStringLiteral(", ")), sufijo));
            }
            CreaVerificaciones(h);
            Corre(h, QStringLiteral("PRAGMA user_version = %1;").arg(kVersion));
        }
        Corre(h, QStringLiteral("COMMIT;"));
    } catch (const ErrorBaseDatos& e) {
        sqlite3_exec(h, "ROLLBACK;", nullptr, nullptr, nullptr);
        throw ErrorBaseDatos(
            QStringLiteral("No se pudo actualizar la base de datos a la versión de este programa; "
                           "el archivo quedó como estaba. %1")
                .arg(e.Texto()));
    }
}

} // namespace Esquema
