// Count dialog of the other-species guides.
#include "guides/TfTotalOtrB.h"

#include "common/Editores.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfTotalOtrB::TfTotalOtrB(const std::array<std::int32_t, 10>& cantidades, QWidget* padre)
    : QDialog(padre) {
    setObjectName(QStringLiteral("fTotalOtrB"));
    setWindowTitle(QStringLiteral("Total de animales a movilizar"));
    auto* rejilla = new QGridLayout;
    rejilla->addWidget(new QLabel(QStringLiteral("Machos"), this), 0, 1, Qt::AlignCenter);
    rejilla->addWidget(new QLabel(QStringLiteral("Hembras"), this), 0, 2, Qt::AlignCenter);
    const char* grupos[] = {"< 6", "7 - 12", "13 - 24", "25 - 36", "> 36"};
    for (int i = 0; i < 10; ++i) {
        // Other species' counts have no key filter of their own; only digits make a count.
        auto* c = new QLineEdit(QString::number(cantidades[size_t(i)]), this);
        c->setObjectName(QStringLiteral("mOTR_%1%2").arg(i / 2).arg(i % 2 ? 'H' : 'M'));
        c->setMaxLength(3);
        c->setAlignment(Qt::AlignRight);
        Editores::SoloDigitos(c);
        celdas_[size_t(i)] = c;
        rejilla->addWidget(c, 1 + i / 2, 1 + i % 2);
        connect(c, &QLineEdit::textChanged, this, &TfTotalOtrB::Suma);
    }
    for (int g = 0; g < 5; ++g)
        rejilla->addWidget(new QLabel(QLatin1String(grupos[g]), this), 1 + g, 0);
    rejilla->addWidget(new QLabel(QStringLiteral("TOTAL"), this), 6, 0);
    eOTR_Total = new QLabel(this);
    eOTR_Total->setObjectName(QStringLiteral("eOTR_Total"));
    eOTR_Total->setFrameShape(QFrame::Panel);
    eOTR_Total->setFrameShadow(QFrame::Sunken);
    eOTR_Total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rejilla->addWidget(eOTR_Total, 6, 1, 1, 2);
    BitBtn1 = new QPushButton(QStringLiteral("Volver"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (int i = 0; i + 1 < 10; ++i)
        setTabOrder(celdas_[size_t(i)], celdas_[size_t(i + 1)]);
    setTabOrder(celdas_[9], BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(rejilla);
    todo->addLayout(botones);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    Suma();
    Ventanas::TamanoFijo(*this);
}

void TfTotalOtrB::Suma() {
    eOTR_Total->setText(Total());
}

std::array<std::int32_t, 10> TfTotalOtrB::CantidadesGrupo() const {
    std::array<std::int32_t, 10> c{};
    for (size_t i = 0; i < c.size(); ++i)
        c[i] = TextoAEntero(celdas_[i]->text());
    return c;
}

QString TfTotalOtrB::Total() const {
    std::int32_t suma = 0;
    for (std::int32_t n : CantidadesGrupo())
        suma += n;
    return QString::number(suma);
}
