// The transport registry ("RTA") as the guide forms read it: the supervision years offered,
// the vehicle search statement, the refusals of a vehicle and what a chosen one writes into a
// guide.
#pragma once

#include <QString>
#include <QStringList>

// Years from `actual` down to 2012, newest first (only `actual` when it is 2012 or earlier).
QStringList AniosGestion(int actual);

// The search, line by line as the registry writes it; the criterion as typed (not trimmed)
// inside a quoted literal with its quotes doubled.
QStringList LineasTransporte(const QString& anio, bool porPlaca, const QString& criterio);

// Why a vehicle cannot serve a guide (out of service first, then not approved); empty when it
// can.
QString RechazoTransporte(bool deBaja, const QString& estado, const QString& motivo);

// A vehicle's registration as the guide's driver field shows it.
QString ConductorDeTransporte(const QString& distrital, const QString& solicitud,
                              const QString& placa);

// The item of `medios` that is the registry's vehicle type `tipo`, compared as the registry
// compares texts (no regard to case or to blanks around it: "CAMIÓN" is "Camión"); -1 when none.
int MedioDeTipo(const QStringList& medios, const QString& tipo);

// What a chosen vehicle hands back to the guide form that opened the lookup.
class ReceptorTransporte {
public:
    virtual ~ReceptorTransporte() = default;
    // `tipo` selects the means of transport (none when it is not one of the list's items).
    virtual void FijaTransporte(const QString& tipo, const QString& conductor) = 0;
};
