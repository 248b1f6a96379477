// Opening the registry's windows from the main window and the lookup.
#include "app/Aperturas.h"

#include "app/Globales.h"
#include "common/Mensajes.h"
#include "common/Ventanas.h"
#include "guides/TfMueveC.h"
#include "reports/TfAvanzada.h"
#include "reports/TfEstadisP.h"
#include "reports/TfGuias.h"
#include "reports/TfHisto.h"
#include "services/TfContrasena.h"
#include "services/TfCorreo.h"
#include "services/TfForo.h"
#include "services/TfUsuarios.h"
#include "vaccination/TfImpor.h"
#include "vaccination/TfProvee.h"
#include "vaccination/TfVacunaA.h"
#include "vaccination/TfVacunaA_New.h"
#include "vaccination/TfVacunaC.h"
#include "vaccination/TfVacunaC_New.h"
#include "vaccination/TfVeterinarios.h"

void AbreConsolaCertificadosVigentes() {
    Ventanas::AbreUnica(fVacunaC_New);
}

void AbreAltaCertificadoVigente(const QString& ciclo, std::int32_t numero) {
    TfVacunaA_New forma;
    forma.Modo = 0;
    forma.FijaConsola(fVacunaC_New); // an open console shows the new certificate
    forma.SeleccionaCiclo(ciclo);
    forma.FijaNumero(numero);
    forma.PreparaRegistro();
    Ventanas::MuestraModal(forma);
}

void AbreRegistroVeterinarios() {
    Ventanas::AbreUnica(fVeterinarios);
}

void AbreRegistroProveedores() {
    Ventanas::AbreUnica(fProvee);
}

void AbreImportacion() {
    TfImpor forma;
    Ventanas::MuestraModal(forma);
}

void AbreConsolaGuias() {
    Ventanas::AbreUnica(fMueveC);
}

void AbreGuiasEmitidas(bool grupos) {
    if (grupos) {
        TfGuias21 reporte;
        Ventanas::MuestraModal(reporte);
    } else {
        TfGuias reporte;
        Ventanas::MuestraModal(reporte);
    }
}

void AbreHistorial() {
    TfHisto historial;
    Ventanas::MuestraModal(historial);
}

void AbreEstadisticaProvincias() {
    Ventanas::AbreUnica(fEstadisP);
}

void AbreConsultaAvanzada() {
    if (UsuarioBase != QLatin1String(kCuentaDesarrollador)) {
        MuestraError(QString::fromUtf8(
            "La consulta avanzada a la base de datos es solo para la cuenta de sistemas."));
        return;
    }
    Ventanas::AbreUnica(fAvanzada);
}

void AbreConsolaCertificadosLegados() {
    Ventanas::AbreUnica(fVacunaC);
}

void AbreAltaCertificadoLegado(const QString& ciclo, std::int32_t numero) {
    TfVacunaA forma;
    forma.Modo = 0;
    forma.FijaConsola(fVacunaC); // an open console shows the new certificate
    forma.SeleccionaCiclo(ciclo);
    forma.FijaNumero(numero);
    Ventanas::MuestraModal(forma);
}

void AbreCambioContrasena() {
    // Each opening counts its own failures.
    TfContrasena contrasena;
    Ventanas::MuestraModal(contrasena);
}

void AbreUsuarios() {
    // The menu offers it to administrators only; no other caller reaches it either.
    if (!Sis_AdministraUsuarios) {
        MuestraError(QStringLiteral("La lista de usuarios es solo para quienes los administran."));
        return;
    }
    Ventanas::AbreUnica(fUsuarios);
}

void AbreForo() {
    Ventanas::AbreUnica(fForo);
}

void AbreCorreo() {
    const bool nueva = !fCorreo;
    Ventanas::AbreUnica(fCorreo);
    // Opened centred on the main frame.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(fCorreo->parentWidget()); sub && nueva)
        if (QMdiArea* marco = Ventanas::Marco())
            sub->move((marco->viewport()->width() - sub->width()) / 2,
                      (marco->viewport()->height() - sub->height()) / 2);
}
