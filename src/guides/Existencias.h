// What a premises can still move under its vaccination certificate: the animals vaccinated on
// the certificate in its cycle, plus those earlier guides brought in under that certificate and
// cycle, minus those they took out — by bovine age group and sex, for one species. The stock
// dialog shows it; the save of a guide checks it again, inside the write's transaction.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class Conexion;

// The eight cells of a stock column, group 1 to 4, males then females of each group.
using ConteoGrupos = std::array<int, 8>;

// The stored guide whose own counts the stock leaves out: the guide being edited gives back
// what it took (none for a new guide).
struct GuiaExcluida {
    std::int32_t nroGuia = 0;
    QString distrital;
    bool Hay() const { return nroGuia > 0; }
};

// The certificate, cycle and species a stock is asked for.
struct CertificadoExistencias {
    QString certificado; // the form's text; blank is 0
    QString ciclo;
    QString especie; // "BOV" or "BUB"
    GuiaExcluida excluida;
};

// The statements as the registry writes them: vaccinated (BOV or BUB columns of Ciclos),
// brought in (destination) and taken out (origin) by the stored guides; with `excluyeGuia` the
// guide :LaGuia of :LaDist is left out. With `bloquea` the certificate's row is read with
// UPDLOCK, HOLDLOCK: inside a transaction, a second session reading it so waits for the first.
QStringList LineasVacunados(bool bufalos, bool bloquea = false);
QStringList LineasMovidos(bool ingresos, bool excluyeGuia = false);

// Runs a statement with the certificate (`ElCer` from its text, blank being 0), the cycle and,
// for the guides, the species. The vaccinated count returns false when the certificate and
// cycle have no row in Ciclos; database errors raise ErrorBaseDatos. Without a connection the
// session's is used.
bool LeeVacunados(const CertificadoExistencias& c, ConteoGrupos& conteo,
                  Conexion* conexion = nullptr, bool bloquea = false);
void LeeMovidos(bool ingresos, const CertificadoExistencias& c, ConteoGrupos& conteo,
                Conexion* conexion = nullptr);

// The refusal of a certificate that has no row in Ciclos: its stock cannot be known.
QString TextoSinCertificado(const CertificadoExistencias& c);

// The save's check of a guide's groups (Grupo_0M .. Grupo_4H) against the stock: empty when
// every group fits, otherwise the stock dialog's refusal naming the first group that does not.
// Its first read locks the certificate's row until the caller's transaction ends.
QString ExcesoExistencias(const CertificadoExistencias& c,
                          const std::array<std::int32_t, 10>& grupos, Conexion* conexion = nullptr);

int Suma(const ConteoGrupos& c);
