// Consoles' totals panel and command helpers.
#include "common/PanelTotales.h"

#include <QGridLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <numeric>

PanelTotales::PanelTotales(const QStringList& titulos, const QColor& colorBovinos,
                           const QColor& colorBubalinos, QWidget* padre)
    : QWidget(padre) {
    auto* rejilla = new QGridLayout(this);
    rejilla->setContentsMargins(4, 2, 4, 2);
    rejilla->addWidget(new QLabel(QStringLiteral("Bovinos"), this), 1, 0);
    rejilla->addWidget(new QLabel(QStringLiteral("Bubalinos"), this), 2, 0);
    const char* sufijos[] = {"1m", "1h", "2m", "2h", "3m", "3h", "4m", "4h", "Total"};
    for (int i = 0; i < 9; ++i) {
        rejilla->addWidget(new QLabel(titulos.value(i), this), 0, i + 1, Qt::AlignRight);
        for (auto [fila, lista, prefijo, color] :
             {std::tuple{1, &stBOV, "stBOV_", colorBovinos},
              std::tuple{2, &stBUB, "stBUB_", colorBubalinos}}) {
            auto* l = new QLabel(QStringLiteral("0"), this);
            l->setObjectName(QString::fromLatin1(prefijo) + QString::fromLatin1(sufijos[i]));
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l->setFrameShape(QFrame::StyledPanel);
            l->setMinimumWidth(70);
            if (color.isValid()) {
                l->setAutoFillBackground(true);
                QPalette p = l->palette();
                p.setColor(QPalette::Window, color);
                l->setPalette(p);
            }
            (*lista)[size_t(i)] = l;
            rejilla->addWidget(l, fila, i + 1);
        }
    }
    rejilla->setColumnStretch(10, 1);
}

void PanelTotales::Muestra(const std::array<qint64, 8>& bov, const std::array<qint64, 8>& bub) {
    for (size_t i = 0; i < 8; ++i) {
        stBOV[i]->setText(QString::number(bov[i]));
        stBUB[i]->setText(QString::number(bub[i]));
    }
    stBOV[8]->setText(QString::number(std::accumulate(bov.begin(), bov.end(), qint64(0))));
    stBUB[8]->setText(QString::number(std::accumulate(bub.begin(), bub.end(), qint64(0))));
}

QToolButton* BotonConsola(QWidget* padre, const char* nombre, Iconos::Dibujo dibujo,
                          const QString& pista) {
    auto* b = new QToolButton(padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setIcon(Iconos::Icono(dibujo));
    b->setIconSize(QSize(24, 24));
    b->setToolTip(pista);
    b->setAutoRaise(true);
    return b;
}

void ColoreaFiltro(QWidget* control, bool activo) {
    QPalette p = control->palette();
    p.setColor(QPalette::Base, activo ? QColor(Qt::white) : QColor(192, 192, 192));
    p.setColor(QPalette::Button, activo ? QColor(Qt::white) : QColor(192, 192, 192));
    control->setPalette(p);
}
