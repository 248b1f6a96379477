// Test support: the registry rows that the guide tests need, written straight to the file.
#pragma once

#include "apoyo/BaseDePrueba.h"
#include "guides/RegistroGuia.h"

#include <QList>
#include <QString>
#include <array>

// A certificate of cycle `ciclo` in SCZ province 01, municipality 02, with its bovine and
// buffalo counts (group 1M .. 4H).
void CertificadoCiclo(BaseDePrueba& b, const QString& ciclo, int nro, const QString& predio,
                      const std::array<int, 8>& bovinos = {},
                      const std::array<int, 8>& bufalos = {});

// A legacy certificate (cycles up to 20) of `dis`, `pro`, municipality 01, supplier AAA; the
// eight category counts from calves to buffaloes, a count < 0 being NULL.
void CertificadoLegado(BaseDePrueba& b, const QString& ciclo, int nro, const QString& predio,
                       const QString& dis, const QString& pro, const QList<int>& animales,
                       const QString& vacunador = QStringLiteral("222"));

// A stored guide of `especie` taking animals out of one certificate and cycle and into another
// (an empty certificate is NULL), groups 1M .. 4H.
void GuiaGuardada(BaseDePrueba& b, int nro, const QString& distrital, const QString& especie,
                  const QString& oriCertificado, const QString& oriCiclo,
                  const QString& desCertificado, const QString& desCiclo,
                  const std::array<int, 8>& grupos);

class QComboBox;
class TfMueveA;

// Chooses an item as the user does, so that the list's handler runs.
void Elige(QComboBox* lista, const QString& texto);

// Fills a new bovine guide form up to its save: origin premises LA ESPERANZA (certificate 500
// of cycle 25, which the test database must hold) through the premises search, destination a
// fair in Warnes, the fair objective, the first means of transport, an applicant with SQL text,
// and 3 males under 12 through the stock dialog. False when a step did not happen.
bool LlenaGuiaBovina(TfMueveA& forma);

// A guide console that records what a save asks of it: "filtros", "lista", "nro/district".
struct ConsolaGrabada : ConsolaDeGuias {
    QStringList pasos;
    void ReestableceControles() override { pasos << QStringLiteral("filtros"); }
    void Ejecuta() override { pasos << QStringLiteral("lista"); }
    bool Localiza(std::int32_t nro, const QString& dis) override {
        pasos << QStringLiteral("%1/%2").arg(nro).arg(dis);
        return true;
    }
};
