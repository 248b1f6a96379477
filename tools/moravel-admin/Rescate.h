// The administrator's answer to a damaged database file: the full check of the file, and a
// new file with every row that can still be read from the damaged one.
#pragma once

#include <QString>

// Prints what PRAGMA integrity_check finds; 0 when the file is sound, 1 when it is damaged.
int RevisaArchivo(const QString& ruta);

// Creates `nueva` with the registry's schema and copies into it, table by table in key order
// and without the damaged file's indexes, each row that can be read; a damaged stretch is
// stepped over. Prints what was copied and what was lost; 0 when nothing was lost.
int RescataArchivo(const QString& danada, const QString& nueva);
