// The movement history of a premises: the statement of the guides that took animals out of its
// certificate or brought them in, in one cycle, and the printed report of that list.
#pragma once

#include "reports/Informe.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// Line by line as the registry writes it; up to cycle 20 every species with the category
// totals, from 21 on the bovine guides with their group totals. The certificate must be a
// whole number (it goes into the statement as a literal); anything else raises ErrorConversion.
QStringList LineasHistorial(const QString& certificado, const QString& ciclo);

struct FilaHistorial {
    QString nroGuia;
    QDate fecha;
    QString oriEstablecimiento, oriDistrital, oriMunicipio;
    QString desEstablecimiento, desDistrital, desMunicipio;
    QVariant total; // NULL prints empty
};

struct CabeceraHistorial {
    QString predio, ubicacion, propietario, ciclo;
};

// Runs the statement into rows.
std::vector<FilaHistorial> LeeHistorial(const QString& certificado, const QString& ciclo);

// The report "REGISTRO DE MOVIMIENTO DE GANADO BOVINO [Ingresos y Egresos]" on Letter paper,
// at the registry's millimetre positions; `servicio` heads it.
Informe InformeHistorial(const CabeceraHistorial& cabecera, const std::vector<FilaHistorial>& filas,
                         const QString& servicio, const QDate& hoy);
