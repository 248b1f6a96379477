// Question editor.
#include "services/TfForoP.h"

#include "common/Errores.h"
#include "common/Mensajes.h"
#include "services/Foro.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfForoP::TfForoP(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("fForoP"));
    Label1 = new QLabel(QStringLiteral("Formule su pregunta"), this);
    ePregunta = new QLineEdit(this);
    ePregunta->setObjectName(QStringLiteral("ePregunta"));
    ePregunta->setMaxLength(150);
    auto* grupo = new QGroupBox(QStringLiteral("Tipo de pregunta"), this);
    grupo->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1 = new QButtonGroup(this);
    auto* filaTipo = new QVBoxLayout(grupo);
    const char* tipos[] = {"Tecnicas del sistema", "Servicios y procedimientos"};
    for (int i = 0; i < 2; ++i) {
        auto* r = new QRadioButton(QString::fromUtf8(tipos[i]), grupo);
        RadioGroup1->addButton(r, i);
        filaTipo->addWidget(r);
    }
    lEtiqueta = new QLabel(QStringLiteral("Especifique el servicio"), this);
    lEtiqueta->setObjectName(QStringLiteral("lEtiqueta"));
    cbServic = new QComboBox(this);
    cbServic->setObjectName(QStringLiteral("cbServic"));
    cbServic->setMinimumWidth(220);
    lMensaje = new QLabel(this);
    lMensaje->setObjectName(QStringLiteral("lMensaje"));
    lMensaje->setWordWrap(true);
    Label2 = new QLabel(QStringLiteral("Respuesta"), this);
    mRespuesta = new QPlainTextEdit(this);
    mRespuesta->setObjectName(QStringLiteral("mRespuesta"));
    mRespuesta->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BitBtn1 = new QPushButton(QStringLiteral("Guardar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);

    auto* servicio = new QVBoxLayout;
    servicio->addWidget(lEtiqueta);
    servicio->addWidget(cbServic);
    servicio->addWidget(lMensaje, 1);
    auto* medio = new QHBoxLayout;
    medio->addWidget(grupo);
    medio->addLayout(servicio, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Label1);
    todo->addWidget(ePregunta);
    todo->addLayout(medio);
    todo->addWidget(Label2);
    todo->addWidget(mRespuesta, 1);
    todo->addLayout(botones);

    LlenaServicios(cbServic);
    connect(RadioGroup1, &QButtonGroup::idClicked, this, &TfForoP::RadioGroup1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TfForoP::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    RadioGroup1->button(0)->setChecked(true);
    RadioGroup1Click(0);
    resize(560, 420);
}

void TfForoP::showEvent(QShowEvent* evento) {
    setWindowTitle(Modo == 0 ? QStringLiteral("Formular nueva pregunta")
                             : QStringLiteral("Responder a la pregunta"));
    // A new question has no answer yet: its area stays out of view.
    Label2->setVisible(Modo == 1);
    mRespuesta->setVisible(Modo == 1);
    if (Modo == 0)
        resize(width(), minimumSizeHint().height());
    QDialog::showEvent(evento);
}

void TfForoP::PreparaRespuesta(int id, const QString& pregunta, const QString& categoria,
                               const QString& servicio, const QString& respuesta) {
    Modo = 1;
    IdPregunta = id;
    ePregunta->setText(pregunta);
    mRespuesta->setPlainText(respuesta);
    const bool deServicio = categoria == QLatin1String("S");
    RadioGroup1->button(deServicio ? 1 : 0)->setChecked(true);
    HabilitaServicio(lEtiqueta, cbServic, deServicio);
    lMensaje->setText(deServicio ? ExplicacionServicios() : ExplicacionTecnicas());
    cbServic->setCurrentIndex(deServicio ? cbServic->findData(servicio) : -1);
}

void TfForoP::RadioGroup1Click(int tipo) {
    const bool deServicio = tipo == 1;
    HabilitaServicio(lEtiqueta, cbServic, deServicio);
    lMensaje->setText(deServicio ? ExplicacionServicios() : ExplicacionTecnicas());
    if (deServicio && cbServic->currentIndex() < 0 && cbServic->count() > 0)
        cbServic->setCurrentIndex(0);
}

void TfForoP::BitBtn1Click() {
    PreguntaForo p;
    p.pregunta = ePregunta->text();
    p.deServicio = RadioGroup1->checkedId() == 1;
    p.servicio = cbServic->currentData().toString();
    if (p.pregunta.trimmed().isEmpty()) {
        MuestraError(QStringLiteral("Debe escribir su pregunta !"));
        return;
    }
    if (p.deServicio && p.servicio.isEmpty()) {
        MuestraError(QStringLiteral("Especifique el servicio de su pregunta !"));
        return;
    }
    try {
        if (Modo == 0) {
            InsertaNuevaPregunta(p);
            MuestraInformacion(QString::fromUtf8("Su pregunta ha sido enviada, en breve recibirá "
                                                 "una respuesta!\nGracias por su colaboración..."));
        } else {
            ResponderPregunta(IdPregunta, p, mRespuesta->toPlainText());
        }
    } catch (const ErrorTarvelion& e) {
        // The editor stays open with what was typed, so nothing is lost; Guardar tries again
        // (a new question then takes the next free number).
        MuestraError(QStringLiteral("Error al intentar guardar el registro !\n") + e.Texto() +
                     QStringLiteral("\n\npor favor verifique ..."));
        return;
    }
    accept();
}
