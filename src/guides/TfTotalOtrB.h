// The animals an other-species guide moves: ten counts by age group and sex with their total,
// no stock limit. Opened preloaded with the form's counts; "Volver" hands them back.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

class TfTotalOtrB : public QDialog {
    Q_OBJECT
public:
    explicit TfTotalOtrB(const std::array<std::int32_t, 10>& cantidades, QWidget* padre = nullptr);

    // mOTR_0M, mOTR_0H, ... mOTR_4H.
    QLineEdit* Cantidad(int i) const { return celdas_[size_t(i)]; }
    QLabel* eOTR_Total;
    QPushButton* BitBtn1; // "Volver"
    QPushButton* BitBtn2; // "Cancelar"

    std::array<std::int32_t, 10> CantidadesGrupo() const;
    QString Total() const;

private:
    void Suma();
    std::array<QLineEdit*, 10> celdas_{};
};
