// The certificate forms' save protocol.
#include "vaccination/FormaCertificado.h"

#include "common/Errores.h"
#include "common/Mensajes.h"
#include "common/Utilidades.h"
#include "vaccination/ConsolaDeCertificados.h"

#include <QPushButton>

FormaCertificado::FormaCertificado(QWidget* padre) : QDialog(padre) {
    BitBtn1 = new QPushButton(QStringLiteral("Guardar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    connect(BitBtn1, &QPushButton::clicked, this, &FormaCertificado::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

RellenoGeografia::Sentencias FormaCertificado::SentenciasGeografia() {
    return {
        {QStringLiteral("select *"), QStringLiteral("from provincias"),
         QStringLiteral("where IdDistrital = :LaDis"), QStringLiteral("order by NombreProvincia")},
        {QStringLiteral("select *"), QStringLiteral("from Municipios"),
         QStringLiteral("where IdDistrital = :LaDis"), QStringLiteral("and IdProvincia = :LaPro"),
         QStringLiteral("order by NombreMunicipio")}};
}

void FormaCertificado::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    setWindowTitle(Modo == 0 ? QString::fromUtf8("Añadir nuevo registro")
                             : QStringLiteral("Modificar datos del registro"));
}

QString FormaCertificado::FallaInsercion(const ErrorTarvelion& e) const {
    return QStringLiteral("No se ha podido insertar el registro !\n") + e.Texto();
}

void FormaCertificado::BitBtn1Click() {
    const QString falla = Verifica();
    if (!falla.isEmpty()) {
        Mensajes::MuestraError(falla);
        return;
    }
    if (Modo == 0) {
        try {
            Inserta();
        } catch (const ErrorBaseDatos& e) {
            Mensajes::MuestraError(FallaInsercion(e));
            return;
        }
        if (consola_)
            consola_->ArmaConsultaVacunas();
        else
            Mensajes::MuestraInformacion(QString::fromUtf8("Se agregó el certificado Nro. ") +
                                         Numero() + QStringLiteral(" de ") + Predio() +
                                         QStringLiteral(" a la base de datos"));
        accept();
        return;
    }
    if (!consola_)
        throw ErrorBaseDatos(QStringLiteral("La consola de certificados no está abierta."));
    try {
        Edita(consola_->Actual(QStringLiteral("IdCiclo")).toString(),
              consola_->Actual(QStringLiteral("CertificadoNro")));
    } catch (const ErrorBaseDatos& e) {
        Mensajes::MuestraError(FallaEdicion(e));
        return;
    }
    consola_->ArmaConsultaVacunas();
    consola_->Localiza(Ciclo(), int(TextoAEntero(Numero())));
    accept();
}
