// What a certificate's entry form needs of the console that opened it: read the current row,
// run the list again and land on a key. Both certificate consoles offer it, so a form knows
// no concrete console.
#pragma once

#include <QString>
#include <QVariant>

class ConsolaDeCertificados {
public:
    virtual ~ConsolaDeCertificados() = default;
    // The current row's value of a field (NULL without a current row).
    virtual QVariant Actual(const QString& campo) const = 0;
    // Builds and runs the list again.
    virtual void ArmaConsultaVacunas() = 0;
    // Moves to the certificate with this key; false when it is not listed.
    virtual bool Localiza(const QString& ciclo, int numero) = 0;
};
