// The import of legacy certificates from a workbook: sheet "Listado", rows from 7 until the
// first empty column A, each row inserted into Vacunaciones on its own; the rows the database
// refuses are listed and the import goes on. "Solo verificar" runs the same inserts inside one
// transaction and rolls it back, so the list shows exactly what a real run would refuse and
// nothing is written.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

class TfImpor : public QDialog {
    Q_OBJECT
public:
    explicit TfImpor(QWidget* padre = nullptr);

    QLineEdit* eArchivo;
    QToolButton* SpeedButton1;
    QComboBox* cbVeter; // key IdCarnet
    QCheckBox* cVeter;
    QComboBox* cbCiclo;
    QComboBox* cbDistrital;
    QCheckBox* cSoloVerificar;
    QPlainTextEdit* Memo1;
    QProgressBar* pbAvance;
    QLabel* lPredio; // the premises of the row being imported
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

public Q_SLOTS:
    void BitBtn1Click();
    void SpeedButton1Click();

private:
    void cVeterClick();
    friend struct ImportaFilas;
};
