// Certificate lookup.
#include "app/LocalizaCertificado.h"

#include "app/Aperturas.h"
#include "app/Globales.h"
#include "common/Mensajes.h"
#include "db/Consulta.h"

namespace {

// Asks whether to add the missing certificate; true on OK.
bool OfreceAlta() {
    return Mensajes::Pregunta(
        QString::fromUtf8("Certificado inexistente !\nDesea agregar un nuevo certificado con ese "
                          "número ?"),
        QString::fromUtf8("Resultado de la búsqueda"), Mensajes::Icono::Alto);
}

void FijaClave(Consulta& q) {
    q.Entero(QStringLiteral("ElCer"), CertificadoLocalizado);
    q.Texto(QStringLiteral("ElCic"), CicloLocalizado, 3);
}

} // namespace

void BuscaCertificado() {
    Consulta qBuscan(
        {QStringLiteral(
             "SELECT V.CertificadoNro, V.NombreCabana, V.IdDistrital, P.NombreProvincia,"),
         QStringLiteral(
             "       (V.Paterno+' '+ISNULL(V.Materno,'')+' '+V.Nombres) AS NombreGanadero,"),
         QStringLiteral("       (V.Terneros + V.Vaquillas + V.Torillos + V.Novillos + V.Vacas +"),
         QStringLiteral("        V.Toros + V.Bueyes + V.Bufalos) AS Total,"),
         QStringLiteral("        ModificadoPor"), QStringLiteral("FROM Vacunaciones V"),
         QStringLiteral("JOIN Provincias P ON(P.Idprovincia=V.IdProvincia AND "
                        "P.IdDistrital=V.IdDistrital)"),
         QStringLiteral("WHERE CertificadoNro = :ElCer"), QStringLiteral("AND IdCiclo = :ElCic")});
    FijaClave(qBuscan);
    qBuscan.Abre();
    if (!qBuscan.Vacia()) {
        auto t = [&](const char* campo) { return qBuscan.TextoCampo(QString::fromLatin1(campo)); };
        MuestraInformacion(
            QStringLiteral("Certificado Nro: ") + t("CertificadoNro") +
            QStringLiteral("\nPredio: ") + t("NombreCabana") + QStringLiteral("\nDe: ") +
            t("NombreGanadero") + QStringLiteral("\nEn: ") + t("IdDistrital") +
            QStringLiteral(" - ") + t("NombreProvincia") + QStringLiteral("\nReses vacunadas: ") +
            t("Total") + QStringLiteral("\n\nRegistro modificado por: ") + t("ModificadoPor"));
    } else if (OfreceAlta()) {
        AbreAltaCertificadoLegado(CicloLocalizado, CertificadoLocalizado);
    }
    qBuscan.Cierra();
}

void BuscaCertificado_New() {
    Consulta qBuscan_New(
        {QStringLiteral("SELECT C.CertificadoNro, C.Predio_Cabana, C.Predio_IdDistrital, "
                        "P.NombreProvincia,"),
         QStringLiteral("       (C.Prop_Paterno+' '+ISNULL(C.Prop_Materno,'')+' '+C.Prop_Nombres) "
                        "AS NombreGanadero,"),
         QStringLiteral("        Registro_Por"), QStringLiteral("FROM Ciclos C"),
         QStringLiteral("JOIN Provincias P ON(P.Idprovincia=C.Predio_IdProvincia AND "
                        "P.IdDistrital=C.Predio_IdDistrital)"),
         QStringLiteral("WHERE CertificadoNro = :ElCer"), QStringLiteral("AND IdCiclo = :ElCic")});
    FijaClave(qBuscan_New);
    qBuscan_New.Abre();
    if (!qBuscan_New.Vacia()) {
        auto t = [&](const char* campo) {
            return qBuscan_New.TextoCampo(QString::fromLatin1(campo));
        };
        MuestraInformacion(QStringLiteral("Certificado Nro: ") + t("CertificadoNro") +
                           QStringLiteral("\nPredio: ") + t("Predio_Cabana") +
                           QStringLiteral("\nDe: ") + t("NombreGanadero") +
                           QStringLiteral("\nEn: ") + t("Predio_IdDistrital") +
                           QStringLiteral(" - ") + t("NombreProvincia") +
                           QStringLiteral("\nRegistrado por: ") + t("Registro_Por"));
    } else if (OfreceAlta()) {
        AbreAltaCertificadoVigente(CicloLocalizado, CertificadoLocalizado);
    }
    qBuscan_New.Cierra();
}
