// An answered question of the forum: the question, its answer and who answered it when.
// Modal, made for each use.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TfForoV : public QDialog {
    Q_OBJECT
public:
    explicit TfForoV(QWidget* padre = nullptr);

    QPlainTextEdit* mPregunta;
    QPlainTextEdit* mRespuesta;
    QLabel* lRespondida;
    QPushButton* BitBtn1;
};
