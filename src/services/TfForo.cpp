// Questions forum list.
#include "services/TfForo.h"

#include "app/Globales.h"
#include "common/Grilla.h"
#include "common/Iconos.h"
#include "common/Mensajes.h"
#include "common/Ventanas.h"
#include "db/Consulta.h"
#include "services/Foro.h"
#include "services/TfForoP.h"
#include "services/TfForoV.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

std::vector<DefColumna> ColumnasForo() {
    std::vector<DefColumna> c{
        Columna("IdPregunta", "No.", 40, Qt::AlignCenter), Columna("Pregunta", "Pregunta", 420),
        Columna("Servicio", "Servicio", 150), Columna("PreguntadaPor", "Formulada por", 100),
        Columna("FechaPregunta", "Fecha", 130)};
    c.back().formato = QStringLiteral("dd/MM/yyyy HH:mm");
    for (const char* oculto : {"Categoria", "IdServicio", "RespondidaPor", "FechaRespuesta"}) {
        DefColumna d = Columna(oculto, "", 0);
        d.visible = false;
        c.push_back(d);
    }
    return c;
}

} // namespace

TfForo::TfForo(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("fForo"));
    setWindowTitle(QString::fromUtf8("Preguntas más frecuentes"));
    SpeedButton1 = Iconos::BotonHerramienta(this, "SpeedButton1", Iconos::Dibujo::Ejecutar,
                                            QString::fromUtf8("listar preguntas más frecuentes"));
    SpeedButton2 = Iconos::BotonHerramienta(
        this, "SpeedButton2", Iconos::Dibujo::Insertar,
        QString::fromUtf8("formular nueva pregunta acerca del sistema y procesos"));
    sbResponde = Iconos::BotonHerramienta(this, "sbResponde", Iconos::Dibujo::Editar,
                                          QString::fromUtf8("responder a la pregunta"));
    sbResponde->setEnabled(false);
    sbMira = Iconos::BotonHerramienta(this, "sbMira", Iconos::Dibujo::Lupa,
                                      QString::fromUtf8("ver respuesta de la pregunta"));
    sbMira->setEnabled(false);
    auto* grupo = new QGroupBox(QStringLiteral("Tipo de pregunta"), this);
    grupo->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1 = new QButtonGroup(this);
    auto* tipos = new QGridLayout(grupo);
    const char* textos[] = {"Todas las preguntas", "Tecnicas del sistema",
                            "Servicios y procedimientos", "Preguntas sin responder"};
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(QString::fromUtf8(textos[i]), grupo);
        RadioGroup1->addButton(r, i);
        tipos->addWidget(r, i % 2, i / 2);
    }
    lEtiqueta = new QLabel(QStringLiteral("Especifique el servicio"), this);
    lEtiqueta->setObjectName(QStringLiteral("lEtiqueta"));
    cbServicio = new QComboBox(this);
    cbServicio->setObjectName(QStringLiteral("cbServicio"));
    cbServicio->setMaxVisibleItems(15);
    cbServicio->setMinimumWidth(220);
    lMensaje = new QLabel(QStringLiteral("..."), this);
    lMensaje->setObjectName(QStringLiteral("lMensaje"));
    lMensaje->setWordWrap(true);
    Panel2 = new QLabel(QString::fromUtf8("despeja tus dudas formulando preguntas que servirán "
                                          "también para compartir experiencias con otros "
                                          "usuarios !!!"),
                        this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setWordWrap(true);
    Panel2->setStyleSheet(QStringLiteral("background: #1f4e8c; color: white; font-weight: bold; "
                                         "padding: 6px;"));
    UltimDBGrid1 = new Grilla(this);
    UltimDBGrid1->setObjectName(QStringLiteral("UltimDBGrid1"));
    UltimDBGrid1->Modelo().Titula(ColumnasForo());
    UltimDBGrid1->AplicaColumnas();
    // Questions still waiting for an answer are written in red.
    UltimDBGrid1->Modelo().FijaColorTextoFila(
        QStringLiteral("RespondidaPor"), [](const ModeloGrilla& m, int fila, int campo) {
            return m.Valor(fila, campo).toString().trimmed().isEmpty() ? QColor(Qt::red)
                                                                       : QColor(Qt::black);
        });

    auto* botones = new QHBoxLayout;
    for (QToolButton* b : {SpeedButton1, SpeedButton2, sbResponde, sbMira})
        botones->addWidget(b);
    botones->addStretch();
    auto* servicio = new QVBoxLayout;
    servicio->addWidget(lEtiqueta);
    servicio->addWidget(cbServicio);
    servicio->addWidget(lMensaje, 1);
    auto* filtros = new QHBoxLayout;
    filtros->addWidget(grupo);
    filtros->addLayout(servicio, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(botones);
    todo->addLayout(filtros);
    todo->addWidget(Panel2);
    todo->addWidget(UltimDBGrid1, 1);

    LlenaServicios(cbServicio);
    connect(RadioGroup1, &QButtonGroup::idClicked, this, &TfForo::RadioGroup1Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfForo::RefrescaConsultaListinga);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfForo::SpeedButton2Click);
    connect(sbResponde, &QToolButton::clicked, this, &TfForo::sbRespondeClick);
    connect(sbMira, &QToolButton::clicked, this, &TfForo::sbMiraClick);
    connect(UltimDBGrid1, &Grilla::doubleClicked, this, [this] {
        if (sbMira->isEnabled())
            sbMiraClick();
    });
    RadioGroup1->button(0)->setChecked(true);
    RadioGroup1Click(0);
    lMensaje->setText(QStringLiteral("..."));
    resize(900, 560);
}

void TfForo::RadioGroup1Click(int tipo) {
    const auto t = TipoForo(tipo);
    HabilitaServicio(lEtiqueta, cbServicio, t == TipoForo::Servicios);
    switch (t) {
    case TipoForo::Todas:
        lMensaje->clear();
        break;
    case TipoForo::Tecnicas:
        lMensaje->setText(ExplicacionTecnicas());
        break;
    case TipoForo::Servicios:
        lMensaje->setText(ExplicacionServicios());
        break;
    case TipoForo::SinResponder:
        lMensaje->setText(ExplicacionSinResponder());
        break;
    }
}

void TfForo::RefrescaConsultaListinga() {
    Ventanas::CursorEspera espera;
    sbResponde->setEnabled(false);
    sbMira->setEnabled(false);
    Consulta q;
    q.FijaSql(
        LineasListaForo(TipoForo(RadioGroup1->checkedId()), cbServicio->currentData().toString()));
    q.AbreEn(UltimDBGrid1->Modelo(), ColumnasForo());
    UltimDBGrid1->AplicaColumnas();
    const bool hay = UltimDBGrid1->Modelo().Filas() > 0;
    sbResponde->setEnabled(hay && Sis_RespondeForo);
    sbMira->setEnabled(hay);
}

QVariant TfForo::Actual(const char* campo) const {
    const int fila = UltimDBGrid1->FilaActual();
    if (fila < 0)
        return {};
    return UltimDBGrid1->Modelo().Valor(fila, QString::fromLatin1(campo));
}

void TfForo::SpeedButton2Click() {
    TfForoP editor(this);
    editor.Modo = 0;
    Ventanas::MuestraModal(editor);
}

void TfForo::sbRespondeClick() {
    if (UltimDBGrid1->FilaActual() < 0)
        return;
    const int id = Actual("IdPregunta").toInt();
    TfForoP editor(this);
    editor.PreparaRespuesta(id, Actual("Pregunta").toString(), Actual("Categoria").toString(),
                            Actual("IdServicio").toString(), LaRespuesta(id));
    Ventanas::MuestraModal(editor);
}

void TfForo::sbMiraClick() {
    if (UltimDBGrid1->FilaActual() < 0)
        return;
    if (Actual("RespondidaPor").toString().trimmed().isEmpty()) {
        MuestraError(QString::fromUtf8("Esta pregunta aún no ha sido respondida !"));
        return;
    }
    TfForoV visor(this);
    visor.mPregunta->setPlainText(Actual("Pregunta").toString());
    visor.mRespuesta->setPlainText(LaRespuesta(Actual("IdPregunta").toInt()));
    visor.lRespondida->setText(
        QStringLiteral("RESPONDIDA POR: ") + Actual("RespondidaPor").toString() +
        QStringLiteral(", EN FECHA: ") +
        Actual("FechaRespuesta").toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    Ventanas::MuestraModal(visor);
}
