// The questions forum "Preguntas más frecuentes": the questions listed by kind, an answer read,
// a new question asked and, with the right to answer, a question answered. Child window of the
// main frame, one instance; the list runs when asked for.
#pragma once

#include <QPointer>
#include <QWidget>

class Grilla;
class QButtonGroup;
class QComboBox;
class QLabel;
class QToolButton;

class TfForo : public QWidget {
    Q_OBJECT
public:
    explicit TfForo(QWidget* padre = nullptr);

    QToolButton* SpeedButton1; // list
    QToolButton* SpeedButton2; // new question
    QToolButton* sbResponde;
    QToolButton* sbMira;
    QButtonGroup* RadioGroup1; // TipoForo
    QLabel* lEtiqueta;
    QComboBox* cbServicio;
    QLabel* lMensaje;
    QLabel* Panel2;
    Grilla* UltimDBGrid1;

    void RefrescaConsultaListinga();
    void RadioGroup1Click(int tipo);
    void SpeedButton2Click();
    void sbRespondeClick();
    void sbMiraClick();

private:
    // A field of the list's current row.
    QVariant Actual(const char* campo) const;
};

inline QPointer<TfForo> fForo;
