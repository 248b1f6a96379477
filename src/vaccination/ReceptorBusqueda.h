// What the premises search hands back to the form that opened it: the bovine guide form (its
// origin or destination premises) or the movement history (its premises). The search drives
// the steps in their order — the province set, the municipality list reloaded, then the
// municipality set — and knows no concrete form.
#pragma once

#include <QString>

class ReceptorBusqueda {
public:
    // The fields a hand-back fills, named as the openers name them.
    enum class Campo {
        // Origin of a guide (mode 0).
        CertificadoO,
        CicloO,
        PropietarioO,
        PredioO,
        ProvinciaO, // by key
        MunicipioO, // by key
        Certificados,
        Enfermedad,
        Vacunacion,
        Veterinario,
        // Destination of a guide (mode 1).
        CertificadoD,
        PropietarioD,
        PredioD,
        ProvinciaD,
        MunicipioD,
        CicloD,
        // Premises of the movement history (mode 3).
        Certif,
        Predio,
        Propietario,
        Ubicacion
    };
    enum class Lado { Origen, Destino };

    virtual ~ReceptorBusqueda() = default;
    // The guide's origin kind ("Predio", "Feria", ...); the movement history has none.
    virtual QString RubroOrigen() const { return {}; }
    virtual void Fija(Campo campo, const QString& valor) = 0;
    virtual void RefrescaMunicipios(Lado lado) = 0;
};
