// The list of movement guides: the statement with its filter lines, the grid's columns with
// their fill colours, the totals by species and the ownership rule of changes.
#pragma once

#include "common/ModeloGrilla.h"

#include <QStringList>
#include <array>
#include <optional>

// The filters of a run; an absent value means its check box is not checked.
struct FiltrosGuias {
    std::optional<QString> rubroOrigen;
    std::optional<QString> rubroDestino;
    QString distritalOrigen; // always applied
    std::optional<QString> provinciaOrigen;
    std::optional<QString> municipioOrigen;
    std::optional<QString> distritalDestino;
    std::optional<QString> provinciaDestino;
    std::optional<QString> municipioDestino;
    std::optional<QString> funcionario;
};

// The statement lines (date range as parameters :Inic and :Fina); filter values as quoted
// literals with their quotes doubled.
QStringList LineasConsultaGuias(const FiltrosGuias& filtros);

// The 53 grid columns in order, titled and coloured.
std::vector<DefColumna> ColumnasGuias();

struct TotalesGuias {
    std::array<qint64, 8> bov{};
    std::array<qint64, 8> bub{};
};
// Groups 1M..4H of bovine and bubaline guides (NULL as 0); other species and groups 0 never.
TotalesGuias SacarTotales(const ModeloGrilla& modelo);

// The message that refuses a change of a guide, or empty when the user may change it: only the
// official who issued it, inside his own department.
QString VerificaPropiedad(const QString& funcionario, const QString& distrital);
