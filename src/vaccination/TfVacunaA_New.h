// The entry form of a vaccination certificate of cycle 21 on: shown blank to add a certificate
// or filled from the console's current row to change it; checks the form in its order and
// writes the Ciclos row.
#pragma once

#include "vaccination/FormaCertificado.h"

#include <array>
#include <cstdint>

class EditorFecha;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class RellenoGeografia;
class ConsolaDeCertificados;

class TfVacunaA_New : public FormaCertificado {
    Q_OBJECT
public:
    explicit TfVacunaA_New(QWidget* padre = nullptr);

    // Openers' presets.
    void SeleccionaCiclo(const QString& ciclo);
    void FijaNumero(std::int32_t numero);
    // "Registrado por" the session user, modified today.
    void PreparaRegistro();
    // Copies the console's current row, in the order the province and municipality lists need.
    void CargaDesde(const ConsolaDeCertificados& consola);

    QString Verifica() const override;

    // Establishment.
    QLineEdit* ePredio;
    QLineEdit* eCodigo;
    QComboBox* cbDistrital;
    QComboBox* dbProvincias;
    QComboBox* dbMunicipios;
    QLineEdit* eLocalidad;
    // Owner.
    QLineEdit* eCarnet;
    QLineEdit* ePaterno;
    QLineEdit* eMaterno;
    QLineEdit* eNombres;
    QLineEdit* eResponsable;
    // Vaccine.
    QSpinBox* ceDosis;
    QLineEdit* eLaboratorio;
    QLineEdit* eSerie;
    QLineEdit* ePartida;
    QLineEdit* eProcedencia;
    QLineEdit* eExpiracion;
    EditorFecha* deCompra;
    QLineEdit* eProveedor;
    QLineEdit* eComprador;
    QLineEdit* eDireccion;
    // Cycle and animals.
    QComboBox* cbCiclo;
    QLineEdit* eNro;
    QLineEdit* eNroAV;
    QLineEdit* eVacunador;
    std::array<QLineEdit*, 8> eBOV; // 1M, 1H, 2M, 2H, 3M, 3H, 4M, 4H
    std::array<QLineEdit*, 8> eBUB;
    QLineEdit* ceBOV_TotalM;
    QLineEdit* ceBOV_TotalH;
    QLineEdit* ceBOV_Total;
    QLineEdit* ceBUB_TotalM;
    QLineEdit* ceBUB_TotalH;
    QLineEdit* ceBUB_Total;
    // Certification.
    EditorFecha* deFechaVacuna;
    EditorFecha* deFechaCertifica;
    QCheckBox* cCiclo;
    QCheckBox* cAsistida;
    QCheckBox* cFiscalizada;
    QCheckBox* cCompulsiva;
    // Database record.
    QLineEdit* eDueno;
    EditorFecha* deActua;

private:
    void CalculaTotales();
    class Consulta ParametrosComunes(const QStringList& sentencia) const;
    QString Ciclo() const override;
    QString Numero() const override;
    QString Predio() const override;
    void Inserta() override;
    void Edita(const QString& cicloAnterior, const QVariant& numeroAnterior) override;
    QString FallaEdicion(const ErrorTarvelion& e) const override;

    RellenoGeografia* geografia_;
};
