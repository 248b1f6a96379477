// Where the program prints: one of the workstation's printers or, last in the list, a PDF file
// the user names; the destination chosen in the program's print dialog serves the guides and
// the reports, with or without their preview.
#pragma once

#include <QStringList>

class Informe;

namespace DestinoImpresion {

// The workstation's printers, then "Archivo PDF".
QStringList Impresoras();
// The index of "Archivo PDF" in Impresoras().
inline int IndiceArchivoPdf() {
    return int(Impresoras().size()) - 1;
}

// Prints `informe` on destination `indice` of Impresoras() (a PDF's file is asked for); false
// when the user cancelled the file. A destination that cannot be opened raises ErrorArchivo.
bool Imprime(const Informe& informe, int indice);

} // namespace DestinoImpresion
