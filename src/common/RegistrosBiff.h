// Whether an Excel 97-2003 workbook's records can be read whole. The xls library reads on past
// a record whose length is damaged and hands back a sheet with some of its cells, or none,
// without a word; this walks the workbook stream inside the compound file itself, record by
// record, so that such a sheet is refused instead of imported in part.
#pragma once

#include <QString>

namespace RegistrosBiff {

// Empty when every record of the workbook stream has a length BIFF allows, the records run
// from one BOF to its EOF for each part and end where the stream's data ends; otherwise what
// is wrong, in Spanish. Reads the file (bounded by its size), never writes it.
QString Revisa(const QString& ruta);

} // namespace RegistrosBiff
