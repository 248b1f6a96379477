// The semicolon-delimited export of a grid, and the save-as wrapper that every console uses.
#pragma once

#include <QString>

class Grilla;

// Writes the grid's visible columns, title line first, to `archivo` (Windows-1252, CR LF,
// replacing the file). Raises ErrorArchivo when the file cannot be written; the cursor and
// the grid's painting are restored in every case. Nothing is written without a data set.
void ExportaGrillaCSV(Grilla& grilla, const QString& archivo);

// Asks for the file ("Guardar como", *.csv), exports, and tells where the file was saved.
// Cancelling does nothing; a write failure propagates and no success message is shown.
void ExportaConDialogo(Grilla& grilla);
