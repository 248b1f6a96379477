// Transport registry lookup.
#include "guides/TfSearch.h"

#include "app/TdmDatos.h"
#include "common/Grilla.h"
#include "common/Iconos.h"
#include "common/Mensajes.h"
#include "common/Ventanas.h"
#include "db/Consulta.h"
#include "guides/Transporte.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

std::vector<DefColumna> Columnas() {
    const char* campos[][2] = {{"NroPlaca", "Placa"},
                               {"NombreSolicitante", "Propietario"},
                               {"TipoVehiculo", "Tipo"},
                               {"Marca", "Marca"},
                               {"SolicitudIdDistrital", "J.D."},
                               {"SolicitudEstado", "Estado"},
                               {"BajaFecha", "Fecha baja"}};
    std::vector<DefColumna> c;
    for (const auto& [campo, titulo] : campos)
        c.push_back(Columna(campo, titulo));
    c.back().formato = QStringLiteral("dd/MM/yyyy");
    // The search's other columns are read by the hand-back, not shown.
    for (const char* oculto : {"SolicitudNro", "BajaDe", "BajaMotivo"})
        c.push_back(ColumnaOculta(oculto));
    return c;
}

bool DeBaja(const ModeloGrilla& m, int f) {
    const int c = m.CampoPorNombre(QStringLiteral("BajaDe"));
    return c >= 0 && !m.EsNulo(f, c) && m.Valor(f, c).toInt() != 0;
}

} // namespace

TfSearch::TfSearch(ReceptorTransporte* receptor, QWidget* padre)
    : QDialog(padre), receptor_(receptor) {
    setObjectName(QStringLiteral("fSearch"));
    setWindowTitle(QStringLiteral("Buscar registro de transportadora"));
    eCriterio = new QLineEdit(this);
    eCriterio->setObjectName(QStringLiteral("eCriterio"));
    cbTipo = new QComboBox(this);
    cbTipo->setObjectName(QStringLiteral("cbTipo"));
    cbTipo->addItems({QStringLiteral("propietario"), QStringLiteral("nro. placa")});
    cbAnio = new QComboBox(this);
    cbAnio->setObjectName(QStringLiteral("cbAnio"));
    sbEjecutar = new QToolButton(this);
    sbEjecutar->setObjectName(QStringLiteral("sbEjecutar"));
    sbEjecutar->setIcon(Iconos::Icono(Iconos::Dibujo::Ejecutar));
    sbEjecutar->setToolTip(QStringLiteral("listar registros, ejecutar consulta"));
    sbEjecutar->setEnabled(false);
    sbInsertar = new QToolButton(this);
    sbInsertar->setObjectName(QStringLiteral("sbInsertar"));
    sbInsertar->setIcon(Iconos::Icono(Iconos::Dibujo::Insertar));
    sbInsertar->setToolTip(QString::fromUtf8("insertar nro. de placa en la guía"));
    sbInsertar->setEnabled(false);
    DBGrid1 = new Grilla(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->Modelo().Titula(Columnas());
    // Vehicles that cannot serve a guide read in red.
    DBGrid1->Modelo().FijaColorTextoFila(
        QStringLiteral("SolicitudEstado"), [](const ModeloGrilla& m, int f, int campo) {
            const QString estado = m.Valor(f, campo).toString();
            return estado == QLatin1String("S") || estado == QLatin1String("R") || DeBaja(m, f)
                       ? QColor(Qt::red)
                       : QColor(Qt::black);
        });
    auto* barra = new QStatusBar(this);
    StatusBar1 = new QLabel(QStringLiteral("0 registro(s) encontrado(s) ..."), barra);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    barra->addWidget(StatusBar1, 1);
    barra->setSizeGripEnabled(false);

    auto* explicacion = new QLabel(
        QString::fromUtf8("Especifique una porción del nro. de placa o del propietario para "
                          "realizar búsqueda"),
        this);
    explicacion->setWordWrap(true);
    auto* campos = new QFormLayout;
    campos->addRow(QString::fromUtf8("criterio de búsqueda"), eCriterio);
    campos->addRow(QString::fromUtf8("búsqueda por"), cbTipo);
    campos->addRow(QString::fromUtf8("Gestión"), cbAnio);
    auto* botones = new QVBoxLayout;
    botones->addWidget(sbEjecutar);
    botones->addWidget(sbInsertar);
    botones->addStretch();
    auto* arriba = new QHBoxLayout;
    arriba->addLayout(campos, 1);
    arriba->addLayout(botones);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(explicacion);
    todo->addLayout(arriba);
    todo->addWidget(DBGrid1, 1);
    todo->addWidget(barra);
    setTabOrder(eCriterio, cbTipo);
    setTabOrder(cbTipo, cbAnio);
    setTabOrder(cbAnio, sbEjecutar);
    setTabOrder(sbEjecutar, sbInsertar);
    setTabOrder(sbInsertar, DBGrid1);

    connect(eCriterio, &QLineEdit::textChanged, this, [this](const QString& t) {
        // More than 2 characters, blanks counted.
        sbEjecutar->setEnabled(t.size() > 2);
    });
    Ventanas::EnterPulsa(eCriterio, sbEjecutar);
    connect(sbEjecutar, &QToolButton::clicked, this, &TfSearch::ArmaSearching);
    connect(sbInsertar, &QToolButton::clicked, this, &TfSearch::sbInsertarClick);
    resize(720, 420);
}

void TfSearch::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    cbTipo->setCurrentIndex(0);
    eCriterio->setFocus();
    // The supervision years up to the server's current one.
    cbAnio->clear();
    cbAnio->addItems(AniosGestion(TdmDatos::Instancia()->qGestion()));
    cbAnio->setCurrentIndex(0);
}

void TfSearch::ArmaSearching() {
    Ventanas::CursorEspera espera;
    Consulta q;
    q.FijaSql(
        LineasTransporte(cbAnio->currentText(), cbTipo->currentIndex() == 1, eCriterio->text()));
    q.AbreEn(DBGrid1->Modelo(), Columnas());
    DBGrid1->AplicaColumnas();
    const int n = DBGrid1->Modelo().Filas();
    sbInsertar->setEnabled(n > 0);
    StatusBar1->setText(QStringLiteral("%1 registro(s) encontrado(s) ...").arg(n));
}

void TfSearch::sbInsertarClick() {
    const int f = DBGrid1->FilaActual();
    if (f < 0)
        return;
    const ModeloGrilla& m = DBGrid1->Modelo();
    auto v = [&](const char* campo) { return m.Valor(f, QLatin1String(campo)).toString(); };
    const QString rechazo = RechazoTransporte(DeBaja(m, f), v("SolicitudEstado"), v("BajaMotivo"));
    if (!rechazo.isEmpty()) {
        Mensajes::MuestraError(rechazo);
        return;
    }
    if (receptor_)
        receptor_->FijaTransporte(
            v("TipoVehiculo"),
            ConductorDeTransporte(v("SolicitudIdDistrital"), v("SolicitudNro"), v("NroPlaca")));
    accept();
}
