// The password change of the session's database login: the program's rules first, then the
// server's sp_password and the next due date; three failed changes in one opening lock the
// account and end the program. Modal, a borderless coloured box.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The program's rules, in the order they are checked; the first that applies decides.
enum class ReglaClave {
    Valida,
    UsuarioEspecial, // sa, invitado, guest in any case: nothing is changed
    NoCoinciden,     // new password and confirmation differ (case counts)
    Corta,           // 4 characters or fewer
    Prohibida,       // "48213"
};
ReglaClave RevisaClave(const QString& usuario, const QString& nueva, const QString& confirma);

class TfContrasena : public QDialog {
    Q_OBJECT
public:
    explicit TfContrasena(QWidget* padre = nullptr);

    QLabel* Label5;
    QLineEdit* eUsuario;
    QLineEdit* eAntigua;
    QLineEdit* eNueva;
    QLineEdit* eConfirma;
    QPushButton* bbCambia;
    QPushButton* bbNada;
    // Failed server-side changes since this opening.
    int ContadorFallos = 0;

    void bbCambiaClick();

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    // Runs the change and the due date; false (with the error shown) when either fails.
    bool CambiaEnServidor();
    void Bloquea();
};
