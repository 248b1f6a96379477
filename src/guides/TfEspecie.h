// The species picker shown before a new guide: its answer, the species code in
// EspecieMovilizar, decides which entry form opens. Modal.
#pragma once

#include <QDialog>
#include <QList>

class QPushButton;
class QRadioButton;

class TfEspecie : public QDialog {
    Q_OBJECT
public:
    explicit TfEspecie(QWidget* padre = nullptr);

    QList<QRadioButton*> rgEspecie; // "Bovinos" ... "Equidos", the first selected
    QPushButton* BitBtn1;           // "Crear GMA"
    QPushButton* BitBtn2;           // "Cancelar"

    void BitBtn1Click();
};

// The entry form a species code opens.
enum class FormaDeEspecie { Ninguna, Bovina, Otras };
FormaDeEspecie FormaParaEspecie(const QString& codigo);
