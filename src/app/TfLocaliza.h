// Which certificate to look up: the cycle and the certificate number.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TfLocaliza : public QDialog {
    Q_OBJECT
public:
    explicit TfLocaliza(QWidget* padre = nullptr);

    QLabel* Label1;
    QComboBox* cCiclo;
    QLabel* Label2;
    QLineEdit* eCertif;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

public Q_SLOTS:
    void BitBtn1Click();
    // "Cancelar", Esc and the close box alike: nothing to look up.
    void reject() override;

protected:
    void showEvent(QShowEvent* evento) override;
};
