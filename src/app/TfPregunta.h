// Which register schema: certificates of cycle 21 or later, or of earlier cycles.
#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

class TfPregunta : public QDialog {
    Q_OBJECT
public:
    explicit TfPregunta(QWidget* padre = nullptr);

    QGroupBox* rgCuando;
    QButtonGroup* grupo;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

public Q_SLOTS:
    void BitBtn1Click();
};
