// The legacy certificates (table Vacunaciones, cycles before 21): the console's statement with
// its filter lines, the grid's columns, the totals by animal category, the herd size classes,
// and the coordinate rule of the entry form.
#pragma once

#include "common/ModeloGrilla.h"

#include <QStringList>
#include <array>
#include <optional>

// The filters of a run; an absent value means its check box is not checked.
struct FiltrosLegado {
    QString ciclo;
    QString distrital;
    std::optional<QString> provincia;
    std::optional<QString> proveedor; // IdVeterinaria
    std::optional<QString> vacunador; // IdCarnet
    std::optional<int> categoria;     // 0 small ... 3 firms
};

// The four herd size classes, as the console lists them.
QStringList CategoriasTamano();

// The statement lines; every value is written as a quoted literal with its quotes doubled.
QStringList LineasConsultaLegado(const FiltrosLegado& filtros);

// The 30 grid columns in order, dates as "DD/MM/YY".
std::vector<DefColumna> ColumnasLegado();

// Sums of the eight categories over every row (NULL as 0), then their total.
std::array<qint64, 9> SacaTotalesLegado(const ModeloGrilla& modelo);

// A latitude or longitude as the form accepts it: empty, or a minus sign first, the point in
// the fourth place and nine characters in all ("-14.76342").
bool CoordenadaValida(const QString& texto);
