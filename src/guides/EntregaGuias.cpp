// Guide console hand-off to the entry forms.
#include "guides/EntregaGuias.h"

#include "app/Globales.h"
#include "common/Mensajes.h"
#include "common/Ventanas.h"
#include "guides/ConsultaGuias.h"
#include "guides/TfEspecie.h"
#include "guides/TfMueveA.h"
#include "guides/TfMueveB.h"
#include "guides/TfMueveC.h"

#include <memory>

namespace {

// Shows a form of one kind, one at a time, and releases it when it closes.
template <class Forma, class Prepara>
void Muestra(QPointer<Forma>& unica, TfMueveC& consola, Prepara prepara) {
    auto forma = std::make_unique<Forma>(&consola, &consola);
    unica = forma.get();
    prepara(*forma);
    Ventanas::MuestraModal(*forma);
}

// The console's current guide, read whole by its key; false (and nothing shown) without one.
bool GuiaActual(TfMueveC& consola, DatosGuia& guia) {
    const QVariant nro = consola.Actual(QStringLiteral("NroGuia"));
    if (nro.isNull())
        return false;
    return LeeGuia(std::int32_t(nro.toInt()),
                   consola.Actual(QStringLiteral("Ori_IdDistrital")).toString(), guia);
}

const QString kOtraDistrital = QString::fromUtf8(
    "Ud. no puede efectuar esta operación porque el registro es de otra distrital !");

} // namespace

void CreaGMA(TfMueveC& consola) {
    EspecieMovilizar.clear();
    {
        TfEspecie especie(&consola);
        Ventanas::MuestraModal(especie);
    }
    const QString codigo = EspecieMovilizar;
    switch (FormaParaEspecie(codigo)) {
    case FormaDeEspecie::Bovina:
        Muestra(fMueveA, consola, [&](TfMueveA& f) { f.AbreNueva(codigo); });
        break;
    case FormaDeEspecie::Otras:
        Muestra(fMueveB, consola, [&](TfMueveB& f) { f.AbreNueva(codigo); });
        break;
    case FormaDeEspecie::Ninguna:
        break; // the picker was cancelled
    }
}

void EditaGMA(TfMueveC& consola) {
    const QString falla =
        VerificaPropiedad(consola.Actual(QStringLiteral("Autoriza_Funcionario")).toString(),
                          consola.Actual(QStringLiteral("Ori_IdDistrital")).toString());
    if (!falla.isEmpty()) {
        MuestraError(falla);
        return;
    }
    DatosGuia guia;
    if (!GuiaActual(consola, guia))
        return;
    switch (FormaParaEspecie(guia.especie)) {
    case FormaDeEspecie::Bovina:
        Muestra(fMueveA, consola, [&](TfMueveA& f) { f.AbreEdicion(guia); });
        break;
    case FormaDeEspecie::Otras:
        Muestra(fMueveB, consola, [&](TfMueveB& f) { f.AbreEdicion(guia); });
        break;
    case FormaDeEspecie::Ninguna:
        break;
    }
}

void DuplicaGMA(TfMueveC& consola) {
    // Any official of the district may duplicate a guide of the district.
    if (consola.Actual(QStringLiteral("Ori_IdDistrital")).toString() != IdDistrital) {
        MuestraError(kOtraDistrital);
        return;
    }
    DatosGuia guia;
    if (!GuiaActual(consola, guia))
        return;
    if (guia.especie == QLatin1String("BOV"))
        Muestra(fMueveA, consola, [&](TfMueveA& f) { f.AbreDuplicado(guia); });
    else if (guia.especie == QLatin1String("SUI"))
        Muestra(fMueveB, consola, [&](TfMueveB& f) { f.AbreDuplicado(guia); });
}
