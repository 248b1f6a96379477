// The registry's schema files and the creation of an empty embedded database.
#pragma once

#include <QString>

namespace Esquema {

// The text of a schema file: "moravel.sqlite.sql" or "moravel.mssql.sql".
QString Texto(const QString& archivo);
// Creates an empty registry database (schema and server tables) at `ruta`; refuses to
// overwrite an existing file.
void CreaBaseEmbebida(const QString& ruta);

} // namespace Esquema
