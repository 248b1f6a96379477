// Certificate lookup dialog.
#include "app/TfLocaliza.h"

#include "app/Globales.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

TfLocaliza::TfLocaliza(QWidget* padre)
    : QDialog(padre), Label1(new QLabel(QString::fromUtf8("Ciclo vacunación"), this)),
      cCiclo(new QComboBox(this)), Label2(new QLabel(QStringLiteral("Nro. Certificado"), this)),
      eCertif(new QLineEdit(this)), BitBtn1(new QPushButton(QStringLiteral("Localizar"), this)),
      BitBtn2(new QPushButton(QStringLiteral("Cancelar"), this)) {
    setObjectName(QStringLiteral("fLocaliza"));
    setWindowTitle(QString::fromUtf8("Localizar certificado de vacunación"));
    cCiclo->setObjectName(QStringLiteral("cCiclo"));
    eCertif->setObjectName(QStringLiteral("eCertif"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    cCiclo->addItems(Vocabulario::CiclosLocalizacion());
    // The current cycle is preselected when listed; "25" is not, so nothing is.
    cCiclo->setCurrentIndex(cCiclo->findText(CicloActual));
    // Digits only (and backspace).
    eCertif->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), eCertif));
    BitBtn1->setEnabled(false);
    BitBtn1->setDefault(true);
    connect(eCertif, &QLineEdit::textChanged, this,
            [this](const QString& t) { BitBtn1->setEnabled(!t.isEmpty()); });
    connect(BitBtn1, &QPushButton::clicked, this, &TfLocaliza::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfLocaliza::reject);

    auto* rejilla = new QGridLayout;
    rejilla->addWidget(Label1, 0, 0);
    rejilla->addWidget(cCiclo, 0, 1);
    rejilla->addWidget(Label2, 1, 0);
    rejilla->addWidget(eCertif, 1, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(rejilla);
    todo->addLayout(botones);
    setTabOrder(cCiclo, eCertif);
    setTabOrder(eCertif, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    Ventanas::TamanoFijo(*this, QSize(300, 0));
}

void TfLocaliza::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    eCertif->setFocus();
}

void TfLocaliza::BitBtn1Click() {
    // The number first: a value beyond 32 bits stops here with the conversion error.
    const std::int32_t numero = TextoAEntero(eCertif->text());
    CicloLocalizado = cCiclo->currentIndex() < 0 ? QString() : cCiclo->currentText();
    CertificadoLocalizado = numero;
    accept();
}

void TfLocaliza::reject() {
    CicloLocalizado = QStringLiteral("0");
    QDialog::reject();
}
