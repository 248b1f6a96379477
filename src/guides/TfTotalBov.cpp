// Movable stock dialog of the bovine guides.
#include "guides/TfTotalBov.h"

#include "common/Editores.h"
#include "common/Mensajes.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The cells' names by column and row (group and sex), as the registry names them.
const char* const kNombres[4][9] = {{"vTerneros", "vVaquillas", "vTorillos", "vNovillos", "vToros",
                                     "vVacas", "vBueyes", "vBufalos", "vTotal"},
                                    {"iTerneros", "iVaquillas", "iTorillos", "iNovillos", "iToros",
                                     "iVacas", "iBueyes", "iBufalos", "iTotal"},
                                    {"dTerneros", "dVaquillas", "dTorillos", "dNovillos", "dToros",
                                     "dVacas", "dBueyes", "dBufalos", "dTotal"},
                                    {"eTerneros", "eVaquillas", "eTorillos", "eNovillos", "eToros",
                                     "eVacas", "eBueyes", "eBufalos", "eTotal"}};
const char* const kMovimientos[8] = {"mBOV_1M", "mBOV_1H", "mBOV_2M", "mBOV_2H",
                                     "mBOV_3M", "mBOV_3H", "mBOV_4M", "mBOV_4H"};

QLabel* Casilla(QWidget* padre, const QString& texto, bool numero) {
    auto* l = new QLabel(texto, padre);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(numero ? QFrame::Sunken : QFrame::Raised);
    l->setAlignment(numero ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
    l->setMinimumWidth(56);
    return l;
}

} // namespace

TfTotalBov::TfTotalBov(const OrigenExistencias& origen, QWidget* padre)
    : QDialog(padre), origen_(origen) {
    setObjectName(QStringLiteral("fTotalBov"));
    setWindowTitle(QStringLiteral("Total de animales a movilizar"));
    auto* rejilla = new QGridLayout;
    rejilla->setSpacing(2);
    rejilla->addWidget(Casilla(this, QStringLiteral("..."), false), 0, 0);
    rejilla->addWidget(Casilla(this, QStringLiteral("Grupos"), false), 1, 0);
    const char* titulos[] = {"VACUNADOS", "INGRESOS", "SALIDAS", "EXISTENTES", "MOVIMIENTO"};
    for (int t = 0; t < 5; ++t) {
        rejilla->addWidget(Casilla(this, QLatin1String(titulos[t]), false), 0, 1 + 2 * t, 1, 2);
        rejilla->addWidget(Casilla(this, QStringLiteral("Machos"), false), 1, 1 + 2 * t);
        rejilla->addWidget(Casilla(this, QStringLiteral("Hembras"), false), 1, 2 + 2 * t);
    }
    const char* grupos[] = {"< 12", "13 - 24", "25 - 36", "> 36"};
    for (int g = 0; g < 4; ++g)
        rejilla->addWidget(Casilla(this, QLatin1String(grupos[g]), false), 2 + g, 0);
    rejilla->addWidget(Casilla(this, QStringLiteral("TOTAL"), false), 6, 0);
    for (int c = 0; c < 4; ++c) {
        for (int f = 0; f < 9; ++f) {
            QLabel* l = Casilla(this, QStringLiteral("0"), true);
            l->setObjectName(QLatin1String(kNombres[c][f]));
            celdas_[size_t(c)][size_t(f)] = l;
            if (f < 8)
                rejilla->addWidget(l, 2 + f / 2, 1 + 2 * c + f % 2);
            else
                rejilla->addWidget(l, 6, 1 + 2 * c, 1, 2);
        }
    }
    for (int f = 0; f < 8; ++f) {
        auto* m = new QLineEdit(QStringLiteral("0"), this);
        m->setObjectName(QLatin1String(kMovimientos[f]));
        m->setMaxLength(3);
        m->setAlignment(Qt::AlignRight);
        m->setMaximumWidth(64);
        Editores::CantidadEditable(m);
        movimientos_[size_t(f)] = m;
        rejilla->addWidget(m, 2 + f / 2, 9 + f % 2);
        connect(m, &QLineEdit::textChanged, this, [this, f] { CambioMovimiento(f); });
    }
    mBovTotal = Casilla(this, QStringLiteral("0"), true);
    mBovTotal->setObjectName(QStringLiteral("mBovTotal"));
    rejilla->addWidget(mBovTotal, 6, 9, 1, 2);
    // The movement cells in reading order: by group, males before females.
    for (int f = 0; f + 1 < 8; ++f)
        setTabOrder(movimientos_[size_t(f)], movimientos_[size_t(f + 1)]);

    lCalcula = new QLabel(QStringLiteral("Calculando total vacunado ..."), this);
    lCalcula->setObjectName(QStringLiteral("lCalcula"));
    BitBtn1 = new QPushButton(QStringLiteral("Aceptar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setEnabled(false);
    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    setTabOrder(movimientos_[7], BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    auto* abajo = new QHBoxLayout;
    abajo->addWidget(lCalcula);
    abajo->addStretch(1); // the buttons keep their place once the progress text is gone
    abajo->addWidget(BitBtn1);
    abajo->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(rejilla);
    todo->addLayout(abajo);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    Ventanas::TamanoFijo(*this);
}

void TfTotalBov::paintEvent(QPaintEvent* evento) {
    QDialog::paintEvent(evento);
    // After the first painting, once the window is on the screen: a progress text repainted
    // before that would never be seen.
    if (!calculado_) {
        calculado_ = true;
        QMetaObject::invokeMethod(this, &TfTotalBov::FormActivate, Qt::QueuedConnection);
    }
}

void TfTotalBov::FormActivate() {
    calculado_ = true;
    movimientos_[0]->setFocus();
    LLenaValoresTotales(); // an error leaves here, "Aceptar" still disabled
}

int TfTotalBov::Valor(Columna columna, int fila) const {
    return celdas_[columna][size_t(fila)]->text().toInt();
}

void TfTotalBov::Pon(Columna columna, int fila, int valor) {
    celdas_[columna][size_t(fila)]->setText(QString::number(valor));
}

void TfTotalBov::PonColumna(Columna columna, const ConteoGrupos& conteo) {
    for (int f = 0; f < 8; ++f)
        Pon(columna, f, conteo[size_t(f)]);
    Pon(columna, 8, Suma(conteo));
}

void TfTotalBov::LLenaValoresTotales() {
    auto muestra = [this](const char* texto) {
        lCalcula->setText(QString::fromUtf8(texto));
        lCalcula->repaint();
    };
    if (EsPredio()) {
        Ventanas::CursorEspera espera;
        ConteoGrupos v{}, i{}, d{};
        if (!LeeVacunados(origen_.certificado, v)) {
            // Without the certificate's row the stock is unknown: no guide may leave against it.
            lCalcula->setText(QStringLiteral("No se pudo calcular el ganado existente."));
            Mensajes::MuestraError(TextoSinCertificado(origen_.certificado));
            return;
        }
        PonColumna(Vacunados, v);
        muestra("Calculando incremento de ganado ...");
        LeeMovidos(true, origen_.certificado, i);
        PonColumna(Ingresos, i);
        muestra("Calculando decremento de ganado ...");
        LeeMovidos(false, origen_.certificado, d);
        PonColumna(Salidas, d);
    }
    int total = 0;
    for (int f = 0; f < 8; ++f) {
        const int e = Valor(Vacunados, f) + Valor(Ingresos, f) - Valor(Salidas, f);
        Pon(Existentes, f, e);
        total += e;
    }
    Pon(Existentes, 8, total);
    lCalcula->hide();
    BitBtn1->setEnabled(true);
}

void TfTotalBov::CambioMovimiento(int fila) {
    // An emptied cell counts as 0 while it is typed; it shows "0" once it is left.
    QLineEdit* m = movimientos_[size_t(fila)];
    if (EsPredio()) {
        const int existe = Valor(Vacunados, fila) + Valor(Ingresos, fila) - Valor(Salidas, fila);
        if (!m->text().isEmpty()) {
            const int queda = existe - TextoAEntero(m->text());
            if (queda < 0) {
                Mensajes::MuestraError(QStringLiteral("No puede movilizar mas de lo que tiene!"));
                m->setText(QStringLiteral("0"));
            } else {
                Pon(Existentes, fila, queda);
            }
        } else {
            Pon(Existentes, fila, existe);
            int total = 0;
            for (int f = 0; f < 8; ++f)
                total += Valor(Existentes, f);
            Pon(Existentes, 8, total);
        }
    }
    int suma = 0;
    for (QLineEdit* c : movimientos_)
        suma += TextoAEntero(c->text());
    mBovTotal->setText(QString::number(suma > 0 ? suma : 0));
}

std::array<std::int32_t, 10> TfTotalBov::CantidadesGrupo() const {
    std::array<std::int32_t, 10> g{};
    for (int f = 0; f < 8; ++f)
        g[size_t(f + 2)] = TextoAEntero(movimientos_[size_t(f)]->text());
    return g;
}

QString TfTotalBov::Total() const {
    std::int32_t suma = 0;
    for (std::int32_t n : CantidadesGrupo())
        suma += n;
    return QString::number(suma);
}
