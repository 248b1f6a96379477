// "Enviar mail al equipo de desarrollo": the user's reply address, subject and text sent by
// SMTP with the machine and session facts ahead of it. Child window of the main frame, one
// instance; the typed texts stay after a send.
#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

class TfCorreo : public QWidget {
    Q_OBJECT
public:
    explicit TfCorreo(QWidget* padre = nullptr);

    QLabel* Label1;
    QLineEdit* eDireccion;
    QLineEdit* eAsunto;
    QPlainTextEdit* eComentario;
    QProgressBar* RxGIF; // runs while the mail goes out
    QLabel* lEstado;
    QPushButton* BitBtn1; // Enviar
    QPushButton* BitBtn2; // Cerrar

    void BitBtn1Click();

private:
    void Estado(const QString& texto);
};

inline QPointer<TfCorreo> fCorreo;
