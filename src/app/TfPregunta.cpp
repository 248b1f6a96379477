// Register-schema question.
#include "app/TfPregunta.h"

#include "app/Globales.h"
#include "common/Ventanas.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfPregunta::TfPregunta(QWidget* padre)
    : QDialog(padre), rgCuando(new QGroupBox(QStringLiteral(" Tipo de registro "), this)),
      grupo(new QButtonGroup(this)), BitBtn1(new QPushButton(QStringLiteral("Aceptar"), this)),
      BitBtn2(new QPushButton(QStringLiteral("Cancelar"), this)) {
    setObjectName(QStringLiteral("fPregunta"));
    setWindowTitle(QString::fromUtf8("Según ciclo de vacunación"));
    rgCuando->setObjectName(QStringLiteral("rgCuando"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    TipoRegistro = 255;

    auto* opciones = new QVBoxLayout(rgCuando);
    const QString items[] = {QStringLiteral("21 avo ciclo o posterior"),
                             QStringLiteral("antes del 21 avo ciclo")};
    for (int i = 0; i < 2; ++i) {
        auto* r = new QRadioButton(items[i], rgCuando);
        r->setObjectName(QStringLiteral("rgCuando%1").arg(i));
        grupo->addButton(r, i);
        opciones->addWidget(r);
    }
    grupo->button(0)->setChecked(true);
    // The first choice has the focus: the arrows move between the choices, Enter accepts.
    grupo->button(0)->setFocus();
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TfPregunta::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(rgCuando);
    todo->addLayout(botones);
    Ventanas::TamanoFijo(*this, QSize(280, 0));
}

void TfPregunta::BitBtn1Click() {
    TipoRegistro = std::uint8_t(grupo->checkedId());
    accept();
}
