// The forum's question editor: a new question (Modo 0), or the answer and rewording of the
// list's current question (Modo 1). Modal, made for each use.
#pragma once

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TfForoP : public QDialog {
    Q_OBJECT
public:
    explicit TfForoP(QWidget* padre = nullptr);

    int Modo = 0;       // 0 new question, 1 answer
    int IdPregunta = 0; // the question answered (Modo 1)

    QLabel* Label1;
    QLineEdit* ePregunta;
    QButtonGroup* RadioGroup1; // 0 technical, 1 about a service
    QLabel* lEtiqueta;
    QComboBox* cbServic;
    QLabel* lMensaje;
    QLabel* Label2;
    QPlainTextEdit* mRespuesta;
    QPushButton* BitBtn1; // Guardar
    QPushButton* BitBtn2; // Cancelar

    // Modo 1: the question as the list holds it, kind "T" or "S" with its service.
    void PreparaRespuesta(int id, const QString& pregunta, const QString& categoria,
                          const QString& servicio, const QString& respuesta);
    void RadioGroup1Click(int tipo);
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* evento) override;
};
