// The database files this process has open through SQLite. Nothing else may open them, nor
// their "-wal", "-shm" and "-journal" beside them: closing any descriptor of a file drops every
// lock the process holds on it, and the next station would then take the file as unused. Every
// file dialog and every reader asks here, by name, before it opens anything.
#pragma once

#include <QString>

namespace ArchivosDeLaBase {

// A database file opened (or closed) by an embedded connection.
void Registra(const QString& ruta);
void Retira(const QString& ruta);

// Whether `ruta` is one of those files or one beside them, under any name: a relative path,
// a link or another hard link to the same file. Decided without opening it.
bool Es(const QString& ruta);

// The refusal when `ruta` is one of them (raises ErrorArchivo): `para` says what the file was
// chosen for, as "leerlo como libro de cálculo".
void Rechaza(const QString& ruta, const QString& para);

} // namespace ArchivosDeLaBase
