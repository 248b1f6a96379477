// A workbook read without any office program: .xlsx and .ods (a zip of XML parts) and .xls
// (FreeXL). One sheet is read, found by its name, and its rows are handed over one by one with
// every cell in its own type: number, date, text, logical or empty. A date is the day and time
// the sheet shows, in no time zone (UTC), so that no zone's daylight-saving change at midnight
// can move or lose it. The reader knows no window and no database.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

namespace LibroCalculo {

struct Celda {
    enum Tipo { Vacia, Numero, Fecha, Texto, Logico } tipo = Vacia;
    double numero = 0;
    QDateTime fecha;
    QString texto;
    bool logico = false;
    // The cell as a text: a number without needless decimals, a date as dd/MM/yyyy.
    QString ComoTexto() const;
};

// Receives the rows of the sheet.
class Lector {
public:
    virtual ~Lector() = default;
    // Row `fila` (from 1) with its cells by column (column A is 0); the rows and cells the
    // file leaves out are empty. False stops the reading.
    virtual bool Fila(int fila, const std::vector<Celda>& celdas) = 0;
    // Progress, `leidas` of `total`: the row reached of the rows the sheet says it has, or, for
    // a sheet that does not say, the kilobytes read of the sheet's part; it ends at `total`.
    virtual void Progreso(int leidas, int total) {
        (void)leidas;
        (void)total;
    }
};

// Reads sheet `hoja` of the workbook at `ruta`. A missing file, a file that is no workbook of
// a known kind, a damaged one, or one without that sheet raises ErrorArchivo with a Spanish
// text.
void LeeHoja(const QString& ruta, const QString& hoja, Lector& lector);

// Excel's day number of a date (1900 system) as a date and time.
QDateTime FechaDeSerie(double serie, bool sistema1904 = false);
// Whether a number format code shows a date or time ("dd/mm/yyyy", "[$-409]d-mmm;@" ...).
bool FormatoDeFecha(const QString& codigo);

} // namespace LibroCalculo
