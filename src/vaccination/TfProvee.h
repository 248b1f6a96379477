// The registry of vaccine-supplying firms (table Veterinarias), keyed by a three-character code
// drawn when a row is inserted.
#pragma once

#include "vaccination/VentanaRegistro.h"

#include <QPointer>
#include <functional>

class QComboBox;
class QLineEdit;

class TfProvee : public VentanaRegistro {
    Q_OBJECT
public:
    explicit TfProvee(QWidget* padre = nullptr);

    QLineEdit* DBEdit1;     // NombreVeterinaria
    QLineEdit* DBEdit2;     // Direccion
    QLineEdit* DBEdit3;     // Telefonos
    QComboBox* DBComboBox1; // IdDistrital

    void RefrescaListaVeterinarias() { RefrescaLista(); }
    // Draws the key of a new supplier: CadenaAleatoria(3) (tests draw their own).
    std::function<QString()> generaClave;
};

inline QPointer<TfProvee> fProvee;
