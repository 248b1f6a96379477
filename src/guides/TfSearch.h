// The transport registry lookup of the guide forms: finds a vehicle of one supervision year by
// a part of the owner's name or of the plate, refuses vehicles out of service or not approved,
// and hands the chosen one back to the form. Modal.
#pragma once

#include <QDialog>

class Grilla;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class ReceptorTransporte;

class TfSearch : public QDialog {
    Q_OBJECT
public:
    explicit TfSearch(ReceptorTransporte* receptor, QWidget* padre = nullptr);

    QLineEdit* eCriterio;
    QComboBox* cbTipo; // "propietario", "nro. placa"
    QComboBox* cbAnio; // supervision years, newest first
    QToolButton* sbEjecutar;
    QToolButton* sbInsertar;
    Grilla* DBGrid1;
    QLabel* StatusBar1;

public Q_SLOTS:
    void ArmaSearching();
    void sbInsertarClick();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    ReceptorTransporte* receptor_;
};
