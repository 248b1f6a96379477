// Shared part of the guide entry forms.
#include "guides/EntradaGuia.h"

#include "app/Globales.h"
#include "common/Editores.h"
#include "common/Iconos.h"
#include "common/Ventanas.h"
#include "guides/TfSearch.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

EntradaGuia::EntradaGuia(FormaGuia forma, ConsolaDeGuias* consola, QWidget* padre)
    : QDialog(padre), forma_(forma), consola_(consola) {
    eSolicitante = Editores::Campo(this, "eSolicitante", 40);
    eCarnet = Editores::Campo(this, "eCarnet", 12);
    cMedio = new QComboBox(this);
    cMedio->setObjectName(QStringLiteral("cMedio"));
    cMedio->addItems({QString::fromUtf8("Camión"), QStringLiteral("Tren"), QStringLiteral("Barco"),
                      QStringLiteral("Arreo"), QString::fromUtf8("Aéreo")});
    cMedio->setCurrentIndex(-1);
    eConductor = Editores::Campo(this, "eConductor", 30);
    eConductor->setEnabled(false); // filled by the program
    SpeedButton5 = new QToolButton(this);
    SpeedButton5->setObjectName(QStringLiteral("SpeedButton5"));
    SpeedButton5->setIcon(Iconos::Icono(Iconos::Dibujo::Lupa));
    SpeedButton5->setToolTip(QStringLiteral("buscar registro de transportadora"));
    eRuta = Editores::Campo(this, "eRuta", 50);
    eDado = Editores::Campo(this, "eDado", 15);
    eDado->setEnabled(false);
    deFecha = new EditorFecha(this, true);
    deFecha->setObjectName(QStringLiteral("deFecha"));
    eNro = Editores::Campo(this, "eNro", 10, false);
    SoloLectura(eNro, true);
    eComenta = Editores::Campo(this, "eComenta", 50);
    // A typed ";" becomes ",": the comment is written into ";"-separated exports.
    connect(eComenta, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (t.contains(QLatin1Char(';'))) {
            const int cursor = eComenta->cursorPosition();
            eComenta->setText(QString(t).replace(QLatin1Char(';'), QLatin1Char(',')));
            eComenta->setCursorPosition(cursor);
        }
    });
    BitBtn1 = new QPushButton(QStringLiteral("Guardar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(SpeedButton5, &QToolButton::clicked, this, &EntradaGuia::SpeedButton5Click);
}

QGroupBox* EntradaGuia::GrupoSolicitante() {
    auto* g = new QGroupBox(QStringLiteral("Solicitante"), this);
    auto* f = new QFormLayout(g);
    f->addRow(QStringLiteral("Solicitante"), eSolicitante);
    f->addRow(QStringLiteral("C. I."), eCarnet);
    return g;
}

QGroupBox* EntradaGuia::GrupoTransporte() {
    auto* g = new QGroupBox(QStringLiteral("Medio de transporte"), this);
    auto* f = new QFormLayout(g);
    auto* medio = new QHBoxLayout;
    medio->addWidget(cMedio, 1);
    medio->addWidget(SpeedButton5);
    f->addRow(QStringLiteral("Medio "), medio);
    f->addRow(QString::fromUtf8("Nro. Placa  y/ó Registro vehículo"), eConductor);
    return g;
}

QGroupBox* EntradaGuia::GrupoAutorizacion() {
    auto* g = new QGroupBox(QString::fromUtf8("Autorización de movimiento"), this);
    auto* f = new QFormLayout(g);
    f->addRow(QStringLiteral("Ruta autorizada"), eRuta);
    auto* lugar = new QHBoxLayout;
    lugar->addWidget(eDado, 1);
    lugar->addWidget(new QLabel(QStringLiteral("Fecha"), g));
    lugar->addWidget(deFecha);
    f->addRow(QStringLiteral("Es dado en"), lugar);
    return g;
}

QGroupBox* EntradaGuia::GrupoNumero() {
    auto* g = new QGroupBox(QString::fromUtf8("Nro. Guía"), this);
    auto* l = new QHBoxLayout(g);
    l->addWidget(eNro);
    return g;
}

QGroupBox* EntradaGuia::GrupoComentario() {
    auto* g = new QGroupBox(QStringLiteral("Comentarios respecto a esta GMA"), this);
    auto* l = new QHBoxLayout(g);
    l->addWidget(eComenta);
    return g;
}

void EntradaGuia::SoloLectura(QLineEdit* campo, bool soloLectura) {
    campo->setReadOnly(soloLectura);
    QPalette p = campo->palette();
    p.setColor(QPalette::Base,
               soloLectura ? campo->palette().color(QPalette::Button) : QColor(Qt::white));
    campo->setPalette(p);
}

void EntradaGuia::IniciaNueva() {
    Modo = 0;
    deFecha->setDate(QDate::currentDate());
    eConductor->setText(QString::fromUtf8("SUJETO A INSPECCIÓN EN P.C."));
    eDado->setText(Localidad);
}

void EntradaGuia::LlenaComunes(const DatosGuia& g) {
    eSolicitante->setText(g.solicitanteNombre);
    eCarnet->setText(g.solicitanteCarnet);
    cMedio->setCurrentIndex(cMedio->findText(g.medioTransporte));
    eConductor->setText(g.medioConductor);
    eRuta->setText(g.autorizaRuta);
    eDado->setText(g.autorizaDadoEn);
    deFecha->setDate(g.autorizaFecha);
    eComenta->setText(g.comentarios);
}

void EntradaGuia::LeeComunes(DatosGuia& g) const {
    g.solicitanteNombre = eSolicitante->text();
    g.solicitanteCarnet = eCarnet->text();
    g.medioTransporte = cMedio->currentText();
    g.medioConductor = eConductor->text();
    g.autorizaRuta = eRuta->text();
    g.autorizaDadoEn = eDado->text();
    g.autorizaFecha = deFecha->date();
    g.funcionario = UsuarioBase;
    g.comentarios = eComenta->text();
}

void EntradaGuia::FijaTransporte(const QString& tipo, const QString& conductor) {
    cMedio->setCurrentIndex(cMedio->findText(tipo));
    eConductor->setText(conductor);
}

void EntradaGuia::SpeedButton5Click() {
    TfSearch busqueda(this, this);
    Ventanas::MuestraModal(busqueda);
}

bool EntradaGuia::Guarda(DatosGuia& guia, const QString& distritoCargado) {
    Ventanas::CursorEspera espera;
    if (!GuardarGuia(forma_, Modo == 0, guia, distritoCargado, consola_))
        return false;
    eNro->setText(QString::number(guia.nroGuia));
    accept();
    return true;
}
