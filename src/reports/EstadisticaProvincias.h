// Vaccinated bovines per province of a department in one cycle: the departments and short
// province names the statistics window offers, the two statements (cycles above 20 on Ciclos,
// up to 20 on the legacy Vacunaciones) and where each province's total lands in the table.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// "BEN" ... "LPZ" in the window's order; CHU has no name list and is not offered.
const QStringList& DepartamentosEstadistica();
// Short names of a department's provinces: the name of province code r is element r - 1.
// Empty for a department not offered.
QStringList NombresProvincias(const QString& departamento);

// Whether a cycle is counted in Ciclos (above 20) rather than in Vacunaciones.
bool CicloVigente(const QString& ciclo);
// The statement for the cycle, line by line as the registry writes it; `ElCic` and `LaDis`
// are its parameters.
QStringList LineasTotalesProvincia(const QString& ciclo);

struct TotalProvincia {
    QString idProvincia;
    QVariant total; // NULL when one of the summed columns has no value in any certificate
};
// Runs the cycle's statement for the department, in province-code order.
std::vector<TotalProvincia> LeeTotalesProvincia(const QString& ciclo, const QString& departamento);

// The table row (1 .. provincias) of a province code read as an integer, or 0 when the code
// is 0, not a number or beyond the department's names: those totals go to "Sin provincia".
int FilaProvincia(const QString& idProvincia, int provincias);
