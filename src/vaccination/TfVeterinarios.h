// The registry of veterinarians and technical staff (table Veterinarios), keyed by the identity
// card the user types.
#pragma once

#include "vaccination/VentanaRegistro.h"

#include <QPointer>

class QComboBox;
class QLineEdit;

class TfVeterinarios : public VentanaRegistro {
    Q_OBJECT
public:
    explicit TfVeterinarios(QWidget* padre = nullptr);

    QLineEdit* DBEdit1;     // IdCarnet
    QLineEdit* DBEdit2;     // Paterno
    QLineEdit* DBEdit3;     // Materno
    QLineEdit* DBEdit4;     // Nombres
    QComboBox* DBComboBox1; // Sexo
    QComboBox* DBComboBox3; // IdDistrital

    void ActualizaListaVeterinarios() { RefrescaLista(); }
};

inline QPointer<TfVeterinarios> fVeterinarios;
