// The print dialog of a guide: a test print or a print on the numbered form (with the number
// pre-printed on it), the printer, preview and the stationery model. Its answers go to the
// session globals.
#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TfImprimir : public QDialog {
    Q_OBJECT
public:
    explicit TfImprimir(QWidget* padre = nullptr);

    // The printers offered: the installed ones, then a PDF file (offices without a driver for
    // the form printer still get a document).
    static QStringList Impresoras();
    static int IndiceArchivoPdf();

    QGroupBox* RadioGroup1;
    QButtonGroup* tipo;
    QLabel* lPrueba;
    QLabel* lFinal;
    QLineEdit* eFinal;
    QCheckBox* cbPrevia;
    QLabel* lCopias;
    QSpinBox* eCopias;
    QComboBox* cbPrinters;
    QCheckBox* cbUltimo;
    QCheckBox* cbUltimo2;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

public Q_SLOTS:
    void RadioGroup1Click(int indice);
    void BitBtn1Click();
};
