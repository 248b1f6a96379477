// Print dialog.
#include "guides/TfImprimir.h"

#include "app/Globales.h"
#include "common/Editores.h"
#include "common/Mensajes.h"
#include "common/PanelTotales.h"
#include "common/Ventanas.h"
#include "reports/DestinoImpresion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

QStringList TfImprimir::Impresoras() {
    return DestinoImpresion::Impresoras();
}

int TfImprimir::IndiceArchivoPdf() {
    return DestinoImpresion::IndiceArchivoPdf();
}

TfImprimir::TfImprimir(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("fImprimir"));
    setWindowTitle(QString::fromUtf8("Impresión de certificados y formularios"));
    ImpresionAceptada = false;

    RadioGroup1 = new QGroupBox(QString::fromUtf8("Tipo de impresión"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    tipo = new QButtonGroup(this);
    auto* prueba = new QRadioButton(QStringLiteral("De prueba"), RadioGroup1);
    prueba->setObjectName(QStringLiteral("rbPrueba"));
    auto* final = new QRadioButton(QStringLiteral("Al Certificado"), RadioGroup1);
    final->setObjectName(QStringLiteral("rbCertificado"));
    tipo->addButton(prueba, 0);
    tipo->addButton(final, 1);
    lPrueba = new QLabel(QStringLiteral("Solo para probar posición de impresión"), RadioGroup1);
    lFinal = new QLabel(QString::fromUtf8("Introduzca número preimpreso del certificado\no "
                                          "formulario original: (sin ceros por delante)."),
                        RadioGroup1);
    eFinal = new QLineEdit(RadioGroup1);
    eFinal->setObjectName(QStringLiteral("eFinal"));
    eFinal->setMaxLength(10);
    Editores::SoloDigitos(eFinal);
    auto* gTipo = new QGridLayout(RadioGroup1);
    gTipo->addWidget(prueba, 0, 0);
    gTipo->addWidget(lPrueba, 0, 1);
    gTipo->addWidget(final, 1, 0);
    gTipo->addWidget(lFinal, 1, 1);
    gTipo->addWidget(eFinal, 2, 1);

    auto* opciones = new QGroupBox(QString::fromUtf8("Opciones de impresión"), this);
    cbPrevia = new QCheckBox(QString::fromUtf8("Vista previa de impresión"), opciones);
    cbPrevia->setObjectName(QStringLiteral("cbPrevia"));
    lCopias = new QLabel(QString::fromUtf8("Número de copias"), opciones);
    eCopias = new QSpinBox(opciones);
    eCopias->setObjectName(QStringLiteral("eCopias"));
    eCopias->setRange(1, 9);
    auto* gOp = new QGridLayout(opciones);
    gOp->addWidget(cbPrevia, 0, 0, 1, 2);
    gOp->addWidget(lCopias, 1, 0);
    gOp->addWidget(eCopias, 1, 1);

    auto* destino = new QGroupBox(QStringLiteral("Impresora de destino"), this);
    cbPrinters = new QComboBox(destino);
    cbPrinters->setObjectName(QStringLiteral("cbPrinters"));
    cbPrinters->addItems(Impresoras());
    const int actual = cbPrinters->findText(QPrinterInfo::defaultPrinterName());
    cbPrinters->setCurrentIndex(actual >= 0 ? actual : 0);
    cbUltimo = new QCheckBox(
        QString::fromUtf8("Imprimir en el último modelo de membretado (Resolución Nacional)"),
        destino);
    cbUltimo->setObjectName(QStringLiteral("cbUltimo"));
    cbUltimo2 = new QCheckBox(
        QString::fromUtf8("Imprimir en la sengunda versión del último modelo de membretado"),
        destino);
    cbUltimo2->setObjectName(QStringLiteral("cbUltimo2"));
    auto* vDes = new QVBoxLayout(destino);
    vDes->addWidget(cbPrinters);
    vDes->addWidget(cbUltimo);
    vDes->addWidget(cbUltimo2);
    vDes->addWidget(new QLabel(QString::fromUtf8("(Resolución Nacional) "), destino));
    connect(cbUltimo, &QCheckBox::toggled, this, [this](bool m) {
        if (m)
            cbUltimo2->setChecked(false);
    });
    connect(cbUltimo2, &QCheckBox::toggled, this, [this](bool m) {
        if (m)
            cbUltimo->setChecked(false);
    });

    BitBtn1 = new QPushButton(QStringLiteral("Imprimir"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setEnabled(false);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    connect(BitBtn1, &QPushButton::clicked, this, &TfImprimir::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(tipo, &QButtonGroup::idClicked, this, &TfImprimir::RadioGroup1Click);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(RadioGroup1);
    todo->addWidget(opciones);
    todo->addWidget(destino);
    todo->addLayout(botones);

    // No type chosen yet: both sides off.
    lPrueba->setEnabled(false);
    lFinal->setEnabled(false);
    eFinal->setEnabled(false);
    ColoreaFiltro(eFinal, false);
    cbPrevia->setEnabled(false);
    lCopias->setEnabled(false);
    eCopias->setEnabled(false);
    Ventanas::TamanoFijo(*this);
}

void TfImprimir::RadioGroup1Click(int indice) {
    const bool prueba = indice == 0;
    lPrueba->setEnabled(prueba);
    lFinal->setEnabled(!prueba);
    eFinal->setEnabled(!prueba);
    ColoreaFiltro(eFinal, !prueba);
    cbPrevia->setEnabled(prueba);
    cbPrevia->setChecked(prueba);
    lCopias->setEnabled(!prueba);
    eCopias->setEnabled(!prueba);
    eCopias->setValue(1);
    BitBtn1->setEnabled(true);
}

void TfImprimir::BitBtn1Click() {
    if (tipo->checkedId() == 1) {
        bool ok = false;
        const qlonglong numero = eFinal->text().toLongLong(&ok);
        if (!ok || numero > INT32_MAX) {
            Mensajes::MensajePlano(
                QString::fromUtf8("Debe escribir el número correlativo de certificado !"));
            return;
        }
        NumeroFormulario = std::int32_t(numero);
    } else {
        NumeroFormulario = 0;
    }
    ImpresionAlCertificado = tipo->checkedId() == 1;
    ImpresionAceptada = true;
    IndiceImpresora = std::uint8_t(std::max(0, cbPrinters->currentIndex()));
    VistaPrevia = cbPrevia->isChecked();
    UltimoModelo2 = cbUltimo2->isChecked();
    accept();
}
