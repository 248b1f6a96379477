// The console of legacy vaccination certificates (table Vacunaciones, cycles up to 20): lists
// a cycle and department with optional filters by province, supplier, vaccinator and herd
// size, totals the eight animal categories, exports the list, and adds, changes and deletes
// certificates through the legacy entry form (changes only within the user's department).
#pragma once

#include "vaccination/ConsolaCertificados.h"
#include "vaccination/ConsultaVacunasLegado.h"

#include <QPointer>
#include <array>

class TfVacunaC : public ConsolaCertificados {
    Q_OBJECT
public:
    explicit TfVacunaC(QWidget* padre = nullptr);

    QCheckBox* cProveedor;
    QComboBox* cbProveedor; // key IdVeterinaria
    QCheckBox* cVacunador;
    QComboBox* cbVacunador; // key IdCarnet
    QCheckBox* cCategoria;
    QComboBox* cbCategoria;
    QToolButton* sbEditar;
    QToolButton* sbEliminar;
    Grilla* dbGrid1;
    // stTern, stVaqu, stTori, stNovi, stVaca, stToro, stBuey, stBufa, stTota.
    std::array<QLabel*, 9> stTotales;

    // The filters as the check boxes and lists stand.
    FiltrosLegado Filtros() const;

protected:
    QStringList Lineas() const override;
    std::vector<DefColumna> Columnas() const override;
    QString Tabla() const override { return QStringLiteral("Vacunaciones"); }
    void MuestraTotales(ModeloGrilla& modelo) override;
    void AbreForma(std::uint8_t modo) override;
    bool PuedeCambiar() const override;
    bool ConfirmaEjecucion() override;
};

inline QPointer<TfVacunaC> fVacunaC;
