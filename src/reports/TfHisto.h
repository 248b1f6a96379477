// The movement history of one premises in one cycle: the premises chosen through the premises
// search, then the list of the bovine guides that took animals out of its certificate or
// brought them in, previewed as the printed report. Modal.
#pragma once

#include "vaccination/ReceptorBusqueda.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

class TfHisto : public QDialog, public ReceptorBusqueda {
    Q_OBJECT
public:
    explicit TfHisto(QWidget* padre = nullptr);

    QComboBox* cCiclo; // 25 ... 12
    QComboBox* cJD;    // BEN, SCZ
    QToolButton* SpeedButton3;
    QLineEdit* ePredio;
    QLineEdit* eCertif;
    QLineEdit* ePropi;
    QLineEdit* eUbica;
    QPushButton* BitBtn1; // "Cancelar"
    QPushButton* BitBtn2; // "Vista previa"

    void SpeedButton3Click();
    void BitBtn2Click();

    // The premises search's hand-back (mode 3).
    void Fija(Campo campo, const QString& valor) override;
    void RefrescaMunicipios(Lado) override {}
};

// The name of the animal-health service at the head of the registry's reports: the INI's
// [INFORMES] Servicio, or the default.
QString NombreServicio();
