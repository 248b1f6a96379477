// The registry's schema files, the creation of an empty embedded database and the upgrade of
// one made by an earlier version of the program.
#pragma once

#include <QString>

class QSqlDatabase;
struct sqlite3;

namespace Esquema {

// The schema version this program writes into the file (PRAGMA user_version). Files of
// version 0 to 2 come from earlier versions and are upgraded on first open.
inline constexpr int kVersion = 4;

// The text of a schema file: "moravel.sqlite.sql" or "moravel.mssql.sql".
QString Texto(const QString& archivo);
// Creates an empty registry database (schema and server tables) at `ruta`; refuses to
// overwrite an existing file. The file is readable and writable by its owner only.
void CreaBaseEmbebida(const QString& ruta);

// Makes a connection able to use the registry's tables: the collations, the server functions
// and the type checks (the session's functions answer as the database owner until a session
// starts). Every connection to the file needs it, the program's and any tool's.
void PreparaConexion(sqlite3* bd);
void PreparaConexion(const QSqlDatabase& bd);

// Brings a file of an earlier version up to kVersion in one transaction: versions that only
// added indexes get them in place; otherwise every table is rebuilt from the current schema
// with its rows copied by column name. Raises ErrorBaseDatos when it
// cannot (the file is left as it was) and for a file of a newer version.
void Actualiza(sqlite3* bd);

// The triggers that refuse a value of the wrong type or size in any column of the registry's
// tables, made from the columns' declared types.
void CreaVerificaciones(sqlite3* bd);

} // namespace Esquema
