// The database login prompt shown when the connection opens and the INI file asks for it:
// the connection's name as the database, the user name filled in, an empty password.
#pragma once

#include <QDialog>

class QLineEdit;
class QLabel;

class TfIngreso : public QDialog {
    Q_OBJECT
public:
    TfIngreso(const QString& baseDatos, const QString& usuario, QWidget* padre = nullptr);
    QString Usuario() const;
    QString Clave() const;

    QLabel* lBaseDatos;
    QLineEdit* eUsuario;
    QLineEdit* eClave;
};
