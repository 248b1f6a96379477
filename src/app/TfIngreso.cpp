// Database login prompt.
#include "app/TfIngreso.h"
#include "common/Ventanas.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfIngreso::TfIngreso(const QString& baseDatos, const QString& usuario, QWidget* padre)
    : QDialog(padre), lBaseDatos(new QLabel(baseDatos, this)),
      eUsuario(new QLineEdit(usuario, this)), eClave(new QLineEdit(this)) {
    setObjectName(QStringLiteral("fIngreso"));
    setWindowTitle(QStringLiteral("Ingreso a la base de datos"));
    lBaseDatos->setObjectName(QStringLiteral("lBaseDatos"));
    eUsuario->setObjectName(QStringLiteral("eUsuario"));
    eClave->setObjectName(QStringLiteral("eClave"));
    eClave->setEchoMode(QLineEdit::Password);

    auto* formulario = new QFormLayout;
    formulario->addRow(QStringLiteral("Base de datos:"), lBaseDatos);
    formulario->addRow(QStringLiteral("Usuario:"), eUsuario);
    formulario->addRow(QString::fromUtf8("Contraseña:"), eClave);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(formulario);
    todo->addWidget(botones);
    Ventanas::TamanoFijo(*this, QSize(320, 0));
    // The password is what is usually missing.
    (usuario.isEmpty() ? eUsuario : eClave)->setFocus();
}

QString TfIngreso::Usuario() const {
    return eUsuario->text();
}
QString TfIngreso::Clave() const {
    return eClave->text();
}
