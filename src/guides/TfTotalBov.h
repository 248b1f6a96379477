// The animals a bovine or buffalo guide moves, per age group and sex. For an origin "Predio"
// it works out what the premises can still move under its certificate (vaccinated + brought
// in - taken out by earlier guides) and refuses a movement above it, group by group; for any
// other origin it only collects the counts. Modal; its opener takes the counts on "Aceptar".
#pragma once

#include "guides/Existencias.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

// The values the dialog reads from the bovine form: the origin rubro (cRubroO) and the
// certificate (eCertificadoO, eCicloO, stEspecie), with the guide being edited left out.
struct OrigenExistencias {
    QString rubro;
    CertificadoExistencias certificado;
};

class TfTotalBov : public QDialog {
    Q_OBJECT
public:
    enum Columna { Vacunados, Ingresos, Salidas, Existentes };

    explicit TfTotalBov(const OrigenExistencias& origen, QWidget* padre = nullptr);

    // A display cell (group and sex 0..7, 8 the total) and a movement cell (0..7).
    QLabel* Celda(Columna columna, int fila) const { return celdas_[columna][size_t(fila)]; }
    QLineEdit* Movimiento(int fila) const { return movimientos_[size_t(fila)]; }
    QLabel* mBovTotal;
    QLabel* lCalcula;
    QPushButton* BitBtn1; // "Aceptar"
    QPushButton* BitBtn2; // "Cancelar"

    // The computation on showing: the stock cells, then "Aceptar" enabled. An error leaves the
    // progress text and "Aceptar" disabled.
    void FormActivate();
    void LLenaValoresTotales();

    // What "Aceptar" hands back: groups 0M..4H (group 0 always 0) and the total's text.
    std::array<std::int32_t, 10> CantidadesGrupo() const;
    QString Total() const;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    void CambioMovimiento(int fila);
    bool EsPredio() const { return origen_.rubro == QLatin1String("Predio"); }
    int Valor(Columna columna, int fila) const;
    void Pon(Columna columna, int fila, int valor);
    void PonColumna(Columna columna, const ConteoGrupos& conteo);

    OrigenExistencias origen_;
    std::array<std::array<QLabel*, 9>, 4> celdas_{};
    std::array<QLineEdit*, 8> movimientos_{};
    bool calculado_ = false;
};
