// The entry form of a legacy vaccination certificate (table Vacunaciones, cycles before 21):
// the herd by eight animal categories, the supplier and the vaccinator chosen from their
// registries, optional coordinates, and the server stamping who changed the row and when.
#pragma once

#include "vaccination/FormaCertificado.h"

#include <array>

class EditorFecha;
class QComboBox;
class QLineEdit;
class RellenoGeografia;

class TfVacunaA : public FormaCertificado {
    Q_OBJECT
public:
    explicit TfVacunaA(QWidget* padre = nullptr);

    // Openers' presets.
    void SeleccionaCiclo(const QString& ciclo);
    void FijaNumero(std::int32_t numero);
    // Copies the console's current row, in the order the province and municipality lists need.
    void CargaDesde(const ConsolaDeCertificados& consola);

    QString Verifica() const override;

    // Cycle.
    QComboBox* dbProveedor; // key IdVeterinaria
    QComboBox* cbCiclo;
    QLineEdit* eCertificado;
    // Owner.
    QLineEdit* eCarnet;
    QLineEdit* ePaterno;
    QLineEdit* eMaterno;
    QLineEdit* eNombres;
    // Animals: Terneros, Vaquillas, Torillos, Novillos, Vacas, Toros, Bueyes, Bufalos.
    std::array<QLineEdit*, 8> eAnimales;
    QLineEdit* eTotal;
    // Certification.
    QComboBox* dbVeterinario; // key IdCarnet
    EditorFecha* deFechaVacuna;
    EditorFecha* deFechaCertifica;
    // Vaccine.
    QLineEdit* eDosis;
    QLineEdit* eLaboratorio;
    QLineEdit* eSerie;
    QLineEdit* ePartida;
    QLineEdit* eProcedencia;
    QLineEdit* eExpiracion;
    // Establishment.
    QLineEdit* ePredio;
    QLineEdit* eCatastro;
    QComboBox* cbDistrital;
    QComboBox* dbProvincias;
    QComboBox* dbMunicipios;
    QLineEdit* eLocalidad;
    // Georeference.
    QLineEdit* eLatitud;
    QLineEdit* eLongitud;

protected:
    QString Ciclo() const override;
    QString Numero() const override;
    QString Predio() const override;
    void Inserta() override;
    void Edita(const QString& cicloAnterior, const QVariant& numeroAnterior) override;
    QString FallaEdicion(const ErrorTarvelion& e) const override;

private:
    void CalculaTotal();
    // The 33 values the insert and the update share.
    void FijaParametros(class Consulta& q) const;

    RellenoGeografia* geografia_;
};
