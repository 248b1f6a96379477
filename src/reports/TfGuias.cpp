// Guides-issued report dialog.
#include "reports/TfGuias.h"

#include "app/Globales.h"
#include "common/Editores.h"
#include "common/Ventanas.h"
#include "reports/DestinoImpresion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfGuias::TfGuias(VarianteGuias variante, QWidget* padre) : QDialog(padre), variante_(variante) {
    const bool grupos = variante == VarianteGuias::Grupos;
    setObjectName(grupos ? QStringLiteral("fGuias21") : QStringLiteral("fGuias"));
    setWindowTitle(grupos
                       ? QString::fromUtf8("Reporte estadístico sobre nuevas guías de movimiento")
                       : QString::fromUtf8("Reporte estadístico sobre guías de movimiento"));
    deDesde = new EditorFecha(this, true);
    deDesde->setObjectName(QStringLiteral("deDesde"));
    deDesde->setDate(QDate::currentDate().addDays(-30));
    deHasta = new EditorFecha(this, true);
    deHasta->setObjectName(QStringLiteral("deHasta"));
    deHasta->setDate(QDate::currentDate());
    cJD = new QCheckBox(QStringLiteral("Especificar Jefatura Ditrital"), this);
    cJD->setObjectName(QStringLiteral("cJD"));
    cJD->setChecked(true);
    cJD->setEnabled(false);
    cbJD = new QComboBox(this);
    cbJD->setObjectName(QStringLiteral("cbJD"));
    cbJD->addItems({QStringLiteral("BEN"), QStringLiteral("SCZ"), QStringLiteral("PDO"),
                    QStringLiteral("CBB"), QStringLiteral("ORU"), QStringLiteral("LPZ"),
                    QStringLiteral("TJA"), QStringLiteral("PTS"), QStringLiteral("CHU")});
    cbJD->setCurrentIndex(0);
    BitBtn1 = new QPushButton(QStringLiteral("Ver reporte"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    auto* r = new QGridLayout(this);
    r->addWidget(
        new QLabel(QStringLiteral("Desde el                                 hasta el"), this), 0, 0,
        1, 2);
    r->addWidget(deDesde, 1, 0);
    r->addWidget(deHasta, 1, 1);
    r->addWidget(cJD, 2, 0);
    r->addWidget(cbJD, 2, 1);
    r->addWidget(BitBtn1, 3, 1);
    connect(cJD, &QCheckBox::toggled, cbJD, &QWidget::setEnabled);
    connect(BitBtn1, &QPushButton::clicked, this, &TfGuias::BitBtn1Click);
    Ventanas::TamanoFijo(*this);
}

Informe TfGuias::Reporte() const {
    Ventanas::CursorEspera espera;
    const QString d = cbJD->currentText();
    const SumasRubros origen =
        LeeGuiasEmitidas(variante_, true, d, deDesde->date(), deHasta->date());
    const SumasRubros destino =
        LeeGuiasEmitidas(variante_, false, d, deDesde->date(), deHasta->date());
    const QString etiqueta = QStringLiteral("GUIAS EMITIDAS DESDE EL ") + deDesde->Campo()->text() +
                             QStringLiteral(" AL ") + deHasta->Campo()->text() +
                             QStringLiteral("\nDISTRITAL : ") + d;
    return InformeGuiasEmitidas(variante_, etiqueta, origen, destino, LeeTextosInforme());
}

void TfGuias::BitBtn1Click() {
    const Informe informe = Reporte();
    // The dialog stays open for another run; the preview prints where the print dialog says.
    informe.VistaPrevia(this, [&] { return DestinoImpresion::Imprime(informe, IndiceImpresora); });
}
