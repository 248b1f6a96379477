// The premises search: finds the certificates of a cycle and department by premises name,
// owner or certificate number, and hands the chosen one back to the form that opened it. A
// normal window, one at most, reused by the next opener and closed after a hand-back.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>

class Grilla;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ReceptorBusqueda;

class TfBuscar : public QWidget {
    Q_OBJECT
public:
    explicit TfBuscar(QWidget* padre = nullptr);

    // 0 = origin premises of a bovine guide, 1 = its destination, 3 = the movement history.
    std::uint8_t ModoBusqueda = 0;
    // The form the choice goes back to; set by the opener with the mode.
    void FijaReceptor(ReceptorBusqueda* receptor) { receptor_ = receptor; }
    // Presets by the opener: the cycle and department items (none when not listed).
    void SeleccionaCiclo(const QString& ciclo);
    void SeleccionaDistrital(const QString& distrital);

    QLineEdit* eBuscar;
    QComboBox* cbTipo;
    QComboBox* cDistrital;
    QComboBox* eCiclo;
    QPushButton* bbBuscar;
    QPushButton* bbInsertar;
    Grilla* DBGrid1;
    QLabel* StatusBar1;

public Q_SLOTS:
    void bbBuscarClick();
    void bbInsertarClick();

private:
    void cbTipoClick();
    ReceptorBusqueda* receptor_ = nullptr;
};

inline QPointer<TfBuscar> fBuscar;

// Opens the search (or brings the open one forward) for a form: mode and receiver set.
TfBuscar* AbreBusqueda(QWidget* padre, std::uint8_t modo, ReceptorBusqueda* receptor);
