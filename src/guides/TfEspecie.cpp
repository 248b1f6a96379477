// Species picker.
#include "guides/TfEspecie.h"

#include "app/Globales.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfEspecie::TfEspecie(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("fEspecie"));
    setWindowTitle(QStringLiteral("Especie a movilizar"));
    auto* grupo = new QGroupBox(QStringLiteral("Especie"), this);
    grupo->setObjectName(QStringLiteral("rgEspecie"));
    auto* rejilla = new QGridLayout(grupo);
    auto* botones = new QButtonGroup(this);
    int i = 0;
    for (const Vocabulario::Especie& e : Vocabulario::Especies()) {
        auto* r = new QRadioButton(e.nombreLista, grupo);
        r->setObjectName(QStringLiteral("rg") + e.codigo);
        botones->addButton(r, i);
        rejilla->addWidget(r, i % 6, i / 6);
        rgEspecie << r;
        ++i;
    }
    rgEspecie.first()->setChecked(true);
    BitBtn1 = new QPushButton(QStringLiteral("Crear GMA"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto* abajo = new QHBoxLayout;
    abajo->addStretch();
    abajo->addWidget(BitBtn1);
    abajo->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(grupo);
    todo->addLayout(abajo);
    connect(BitBtn1, &QPushButton::clicked, this, &TfEspecie::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    Ventanas::TamanoFijo(*this);
}

void TfEspecie::BitBtn1Click() {
    for (QRadioButton* r : rgEspecie)
        if (r->isChecked())
            EspecieMovilizar = Vocabulario::CodigoEspecie(r->text());
    accept();
}

FormaDeEspecie FormaParaEspecie(const QString& codigo) {
    const Vocabulario::Especie* e = Vocabulario::BuscaEspecie(codigo);
    if (!e || codigo.trimmed().isEmpty())
        return FormaDeEspecie::Ninguna;
    return e->clase == Vocabulario::ClaseEspecie::Bovina ? FormaDeEspecie::Bovina
                                                         : FormaDeEspecie::Otras;
}
