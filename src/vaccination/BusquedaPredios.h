// The premises search's statements: the certificates of one cycle and department found by
// premises name, owner name or certificate number, in table Ciclos (cycles after 20) or in the
// legacy table Vacunaciones (cycle 20), with the same field names for both.
#pragma once

#include <QStringList>

enum class TipoBusqueda { Predio = 0, Propietario = 1, Certificado = 2 };

// The statement lines; the criterion is trimmed and its quotes doubled, a certificate number
// must be a whole number (ErrorConversion otherwise, before any statement exists).
QStringList LineasBusqueda(bool legado, const QString& ciclo, const QString& distrital,
                           TipoBusqueda tipo, const QString& criterio);

// What a search of this cycle does: the legacy table, the current one, or nothing (cycles 13
// to 19, or no cycle chosen).
enum class TablaBusqueda { Ninguna, Legado, Vigente };
TablaBusqueda TablaDeCiclo(const QString& ciclo);
