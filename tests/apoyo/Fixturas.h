// Test support: the registry rows that the guide tests need, written straight to the file.
#pragma once

#include "apoyo/BaseDePrueba.h"

#include <QString>
#include <array>

// A certificate of cycle `ciclo` in SCZ province 01, municipality 02, with its bovine and
// buffalo counts (group 1M .. 4H).
void CertificadoCiclo(BaseDePrueba& b, const QString& ciclo, int nro, const QString& predio,
                      const std::array<int, 8>& bovinos = {},
                      const std::array<int, 8>& bufalos = {});

// A stored guide of `especie` taking animals out of one certificate and cycle and into another
// (an empty certificate is NULL), groups 1M .. 4H.
void GuiaGuardada(BaseDePrueba& b, int nro, const QString& distrital, const QString& especie,
                  const QString& oriCertificado, const QString& oriCiclo,
                  const QString& desCertificado, const QString& desCiclo,
                  const std::array<int, 8>& grupos);
