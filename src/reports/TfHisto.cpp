// Movement history dialog.
#include "reports/TfHisto.h"

#include "app/Configuracion.h"
#include "app/Globales.h"
#include "common/Editores.h"
#include "common/Mensajes.h"
#include "common/Ventanas.h"
#include "reports/DestinoImpresion.h"
#include "reports/Historial.h"
#include "vaccination/BusquedaPredios.h"
#include "vaccination/TfBuscar.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

QString NombreServicio() {
    const QString porDefecto =
        QString::fromUtf8("SERVICIO NACIONAL DE SANIDAD ANIMAL - JEFATURA DISTRITAL");
    if (ArchivoIni.isEmpty())
        return porDefecto;
    return ArchivoConfiguracion(ArchivoIni)
        .Texto(QStringLiteral("INFORMES"), QStringLiteral("Servicio"), porDefecto);
}

TfHisto::TfHisto(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("fHisto"));
    setWindowTitle(QStringLiteral("Historial del movimiento de ganado"));
    cCiclo = new QComboBox(this);
    cCiclo->setObjectName(QStringLiteral("cCiclo"));
    for (int c = 25; c >= 12; --c)
        cCiclo->addItem(QString::number(c));
    cCiclo->setCurrentIndex(cCiclo->findText(CicloActual));
    cJD = new QComboBox(this);
    cJD->setObjectName(QStringLiteral("cJD"));
    cJD->addItems({QStringLiteral("BEN"), QStringLiteral("SCZ")});
    cJD->setCurrentIndex(0);
    SpeedButton3 = new QToolButton(this);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setText(QStringLiteral("..."));
    SpeedButton3->setToolTip(QStringLiteral("buscar predio"));
    auto soloLectura = [this](const char* nombre) {
        QLineEdit* e = Editores::Campo(this, nombre, 120, false);
        e->setReadOnly(true);
        return e;
    };
    ePredio = soloLectura("ePredio");
    eCertif = soloLectura("eCertif");
    ePropi = soloLectura("ePropi");
    eUbica = soloLectura("eUbica");
    BitBtn1 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    BitBtn2 = new QPushButton(QStringLiteral("Vista previa"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setDefault(true);

    auto* f = new QFormLayout;
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(cCiclo);
    arriba->addWidget(new QLabel(QStringLiteral("JD"), this));
    arriba->addWidget(cJD);
    arriba->addWidget(SpeedButton3);
    arriba->addStretch();
    f->addRow(QStringLiteral("Ciclo"), arriba);
    f->addRow(QStringLiteral("Establecimiento ganadero"), ePredio);
    f->addRow(QStringLiteral("Nro. Certificado"), eCertif);
    f->addRow(QStringLiteral("Propietario"), ePropi);
    f->addRow(QString::fromUtf8("Ubicación geográfica"), eUbica);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtn2);
    botones->addWidget(BitBtn1);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(f);
    todo->addLayout(botones);
    connect(SpeedButton3, &QToolButton::clicked, this, &TfHisto::SpeedButton3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn2, &QPushButton::clicked, this, &TfHisto::BitBtn2Click);
    resize(520, sizeHint().height());
}

void TfHisto::SpeedButton3Click() {
    // The search serves cycle 20 (the earlier register) and the cycles above it.
    if (TablaDeCiclo(cCiclo->currentText()) == TablaBusqueda::Ninguna) {
        MuestraError(QString::fromUtf8("Los certificados del ciclo %1 no se pueden buscar: el "
                                       "historial de movimientos se consulta desde el ciclo 20.")
                         .arg(cCiclo->currentText()));
        return;
    }
    TfBuscar* b = AbreBusqueda(this, 3, this);
    b->SeleccionaCiclo(cCiclo->currentText());
    b->SeleccionaDistrital(cJD->currentText());
}

void TfHisto::Fija(Campo campo, const QString& valor) {
    switch (campo) {
    case Campo::Certif:
        eCertif->setText(valor);
        break;
    case Campo::Predio:
        ePredio->setText(valor);
        break;
    case Campo::Propietario:
        ePropi->setText(valor);
        break;
    case Campo::Ubicacion:
        eUbica->setText(valor);
        break;
    default:
        break;
    }
}

void TfHisto::BitBtn2Click() {
    // The dialog ends either way, as the registry's does.
    struct Cierra {
        TfHisto* d;
        ~Cierra() { d->accept(); }
    } cierra{this};
    if (ePredio->text().isEmpty()) {
        MuestraError(QStringLiteral("Debe seleccionar un establecimiento ganadero !"));
        return;
    }
    const QString ciclo = cCiclo->currentText();
    std::vector<FilaHistorial> filas;
    {
        Ventanas::CursorEspera espera;
        filas = LeeHistorial(eCertif->text(), ciclo);
    }
    const Informe informe =
        InformeHistorial({ePredio->text(), eUbica->text(), ePropi->text(),
                          QStringLiteral("Corresponde al ") + ciclo + QStringLiteral(" avo ciclo")},
                         filas, NombreServicio(), QDate::currentDate());
    // Its print command prints where the program's print dialog says.
    informe.VistaPrevia(this, [&] { return DestinoImpresion::Imprime(informe, IndiceImpresora); });
}
