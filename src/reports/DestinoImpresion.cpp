// The program's print destinations.
#include "reports/DestinoImpresion.h"

#include "common/Dialogos.h"
#include "reports/Informe.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace DestinoImpresion {

QStringList Impresoras() {
    QStringList lista = QPrinterInfo::availablePrinterNames();
    lista << QStringLiteral("Archivo PDF");
    return lista;
}

bool Imprime(const Informe& informe, int indice) {
    QPrinter impresora(QPrinter::HighResolution);
    if (indice >= IndiceArchivoPdf()) {
        const QString archivo =
            Dialogos::GuardarComo({QStringLiteral("Guardar como"), QStringLiteral("pdf"),
                                   QStringLiteral("Documento PDF (.pdf)|*.pdf")});
        if (archivo.isEmpty())
            return false;
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(archivo);
    } else {
        impresora.setPrinterName(Impresoras().value(indice));
    }
    informe.Imprime(impresora);
    return true;
}

} // namespace DestinoImpresion
