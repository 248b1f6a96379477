// Certificate numbers of a guide.
#include "vaccination/TfAgrega.h"

#include "common/Editores.h"
#include "common/Mensajes.h"
#include "common/PanelTotales.h"
#include "common/Ventanas.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfAgrega::TfAgrega(QLineEdit* certificados, QWidget* padre)
    : QDialog(padre), certificados_(certificados) {
    setObjectName(QStringLiteral("fAgrega"));
    setWindowTitle(QString::fromUtf8("Agregar un número de certificado de vacunación"));
    Label1 = new QLabel(QString::fromUtf8("Ingrese un número de certificado"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont negrita = Label1->font();
    negrita.setBold(true);
    Label1->setFont(negrita);
    eNumero = Editores::Campo(this, "eNumero", 7, false, true);
    eNumero->setFont(negrita);
    auto* RadioGroup1 = new QGroupBox(QStringLiteral("Agregar"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    rgUnico = new QRadioButton(QString::fromUtf8("Como único número de certificado"), RadioGroup1);
    rgAnexar = new QRadioButton(QString::fromUtf8("Anexar este número a la lista"), RadioGroup1);
    rgBorrar = new QRadioButton(QStringLiteral("Borrar campo"), RadioGroup1);
    auto* grupo = new QButtonGroup(this);
    grupo->addButton(rgUnico, 0);
    grupo->addButton(rgAnexar, 1);
    grupo->addButton(rgBorrar, 2);
    rgUnico->setChecked(true);
    auto* r = new QVBoxLayout(RadioGroup1);
    r->addWidget(rgUnico);
    r->addWidget(rgAnexar);
    r->addWidget(rgBorrar);
    BitBtn1 = new QPushButton(QStringLiteral("Agregar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Label1);
    todo->addWidget(eNumero);
    todo->addWidget(RadioGroup1);
    todo->addLayout(botones);
    connect(grupo, &QButtonGroup::idClicked, this, &TfAgrega::RadioGroup1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TfAgrega::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    RadioGroup1Click();
    Ventanas::TamanoFijo(*this);
}

void TfAgrega::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    eNumero->setFocus();
}

void TfAgrega::RadioGroup1Click() {
    const bool borrar = rgBorrar->isChecked();
    Label1->setEnabled(!borrar);
    eNumero->setEnabled(!borrar);
    ColoreaFiltro(eNumero, !borrar);
    BitBtn1->setText(borrar ? QStringLiteral("Borrar") : QStringLiteral("Agregar"));
    Label1->setText(borrar ? QStringLiteral("Borrar campo")
                    : rgAnexar->isChecked()
                        ? QString::fromUtf8("Ingrese otro número de certificado")
                        : QString::fromUtf8("Ingrese un número de certificado"));
    if (!borrar)
        eNumero->setFocus();
}

void TfAgrega::BitBtn1Click() {
    if (!rgBorrar->isChecked() && eNumero->text().trimmed().isEmpty()) {
        Mensajes::MuestraError(QString::fromUtf8("Debe especificar un número válido !"));
        return;
    }
    const QString numero = eNumero->text() + QStringLiteral(", ");
    if (rgUnico->isChecked())
        certificados_->setText(numero);
    else if (rgAnexar->isChecked())
        certificados_->setText(certificados_->text() + numero);
    else
        certificados_->clear();
    accept();
}
