// What a premises can still move under its vaccination certificate: the animals vaccinated on
// the certificate in its cycle, plus those earlier guides brought in under that certificate and
// cycle, minus those they took out — by bovine age group and sex, for one species.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The eight cells of a stock column, group 1 to 4, males then females of each group.
using ConteoGrupos = std::array<int, 8>;

// The statements as the registry writes them: vaccinated (BOV or BUB columns of Ciclos),
// brought in (destination) and taken out (origin) by the stored guides.
QStringList LineasVacunados(bool bufalos);
QStringList LineasMovidos(bool ingresos);

// Runs a statement with the certificate (`ElCer` from its text, blank being 0), the cycle and,
// for the guides, the species. The vaccinated count returns false when the certificate and
// cycle have no row in Ciclos; database errors raise ErrorBaseDatos.
bool LeeVacunados(const QString& certificado, const QString& ciclo, const QString& especie,
                  ConteoGrupos& conteo);
void LeeMovidos(bool ingresos, const QString& certificado, const QString& ciclo,
                const QString& especie, ConteoGrupos& conteo);

int Suma(const ConteoGrupos& c);
