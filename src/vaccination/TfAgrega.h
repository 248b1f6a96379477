// The list of vaccination certificate numbers of a bovine guide: replaces it with one number,
// appends a number, or clears it. Modal; writes into the list field its opener gives.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TfAgrega : public QDialog {
    Q_OBJECT
public:
    // `certificados`: the guide form's list field that the choice writes into.
    explicit TfAgrega(QLineEdit* certificados, QWidget* padre = nullptr);

    QLabel* Label1;
    QLineEdit* eNumero;
    QRadioButton* rgUnico;  // "Como único número de certificado"
    QRadioButton* rgAnexar; // "Anexar este número a la lista"
    QRadioButton* rgBorrar; // "Borrar campo"
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

public Q_SLOTS:
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void RadioGroup1Click();
    QLineEdit* certificados_;
};
