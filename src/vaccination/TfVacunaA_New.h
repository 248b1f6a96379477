// The entry form of a vaccination certificate of cycle 21 on: shown blank to add a certificate
// or filled from the console's current row to change it; checks the form in its order and
// writes the Ciclos row.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class EditorFecha;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class RellenoGeografia;
class TfVacunaC_New;

class TfVacunaA_New : public QDialog {
    Q_OBJECT
public:
    explicit TfVacunaA_New(QWidget* padre = nullptr);

    // 0 = new certificate, 1 = change of the console's current row; set by the opener.
    std::uint8_t Modo = 0;

    // Openers' presets.
    void SeleccionaCiclo(const QString& ciclo);
    void FijaNumero(std::int32_t numero);
    // "Registrado por" the session user, modified today.
    void PreparaRegistro();
    // Copies the console's current row, in the order the province and municipality lists need.
    void CargaDesde(const TfVacunaC_New& consola);

    // The first failing check's message, empty when the form may be saved.
    QString Verifica() const;

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
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

public Q_SLOTS:
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void CalculaTotales();
    class Consulta ParametrosComunes(const QStringList& sentencia) const;
    void InsertarRegistroVacuna();
    void EditarRegistroVacuna();

    RellenoGeografia* geografia_;
};
