// The list of certificates of cycle 21 on (table Ciclos) for one cycle and department, and
// optionally one province: the statement, the grid's columns and the totals by age band.
#pragma once

#include "common/ModeloGrilla.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The statement lines: the fixed lines, then one line per filter, the values written as
// quoted literals with their quotes doubled.
QStringList LineasConsultaVacunas(const QString& ciclo, const QString& distrital,
                                  const std::optional<QString>& provincia);

// The 44 grid columns, in order, with their titles.
std::vector<DefColumna> ColumnasVacunas();

// Adds the per-row totals BOV_Total and BUB_Total (NULL counts as 0) to a loaded list.
void AgregaTotalesPorFila(ModeloGrilla& modelo);

struct TotalesVacunas {
    std::array<qint64, 8> bov{};
    std::array<qint64, 8> bub{};
    qint64 TotalBov() const;
    qint64 TotalBub() const;
};
// Sums of the sixteen counts over every row of the list (NULL as 0).
TotalesVacunas SacaTotales(const ModeloGrilla& modelo);
