// Premises search window.
#include "vaccination/TfBuscar.h"

#include "common/Grilla.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"
#include "db/Consulta.h"
#include "vaccination/BusquedaPredios.h"
#include "vaccination/ReceptorBusqueda.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const QString kPistaPredio = QString::fromUtf8(
    "Especifique en el criterio al menos 3 letras que identifiquen el nombre de la cabaña");
const QString kPistaPropietario = QStringLiteral(
    "Especifique en el criterio al menos 3 letras que identifiquen el nombre del propietario");

std::vector<DefColumna> Columnas() {
    std::vector<DefColumna> c(5);
    c[0].campo = QStringLiteral("NombreCabana");
    c[0].titulo = QStringLiteral("Nombre del establecimiento");
    c[0].fondo = QColor(255, 255, 210);
    c[1].campo = QStringLiteral("NombreGanadero");
    c[1].titulo = QStringLiteral("Propietario");
    c[2].campo = QStringLiteral("NombreProvincia");
    c[2].titulo = QStringLiteral("Provincia");
    c[3].campo = QStringLiteral("Localidad");
    c[3].titulo = QStringLiteral("Localidad");
    c[4].campo = QStringLiteral("CodigoCatastro");
    c[4].titulo = QString::fromUtf8("Código catastro");
    return c;
}

} // namespace

TfBuscar::TfBuscar(QWidget* padre) : QWidget(padre, Qt::Window) {
    setObjectName(QStringLiteral("fBuscar"));
    setWindowTitle(QStringLiteral("Buscar registro de establecimiento"));
    setAttribute(Qt::WA_DeleteOnClose);
    eBuscar = new QLineEdit(this);
    eBuscar->setObjectName(QStringLiteral("eBuscar"));
    eBuscar->setMaxLength(15);
    cbTipo = new QComboBox(this);
    cbTipo->setObjectName(QStringLiteral("cbTipo"));
    cbTipo->addItems({QStringLiteral("Nombre del predio"), QStringLiteral("Propietario del predio"),
                      QString::fromUtf8("Nro. Certificado vacunación")});
    cDistrital = new QComboBox(this);
    cDistrital->setObjectName(QStringLiteral("cDistrital"));
    cDistrital->addItems(Vocabulario::Distritales());
    eCiclo = new QComboBox(this);
    eCiclo->setObjectName(QStringLiteral("eCiclo"));
    for (int c = 25; c >= 13; --c)
        eCiclo->addItem(QString::number(c));
    bbBuscar = new QPushButton(QStringLiteral("Buscar"), this);
    bbBuscar->setObjectName(QStringLiteral("bbBuscar"));
    bbBuscar->setToolTip(QStringLiteral("buscar registro"));
    bbBuscar->setEnabled(false);
    bbInsertar = new QPushButton(QStringLiteral("Insertar"), this);
    bbInsertar->setObjectName(QStringLiteral("bbInsertar"));
    bbInsertar->setToolTip(QStringLiteral("seleccionar predio como destino"));
    bbInsertar->setEnabled(false);
    DBGrid1 = new Grilla(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->Modelo().Titula(Columnas());
    auto* barra = new QStatusBar(this);
    StatusBar1 = new QLabel(kPistaPredio, barra);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    barra->addWidget(StatusBar1, 1);
    barra->setSizeGripEnabled(false);

    auto* criterios = new QFormLayout;
    criterios->addRow(QString::fromUtf8("Criterio de búsqueda"), eBuscar);
    criterios->addRow(QStringLiteral("Buscar por"), cbTipo);
    auto* lugar = new QFormLayout;
    lugar->addRow(QStringLiteral("Distrital"), cDistrital);
    lugar->addRow(QStringLiteral("Ciclo"), eCiclo);
    auto* botones = new QVBoxLayout;
    botones->addWidget(bbBuscar);
    botones->addWidget(bbInsertar);
    auto* arriba = new QHBoxLayout;
    arriba->addLayout(criterios, 2);
    arriba->addLayout(lugar, 1);
    arriba->addLayout(botones);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(arriba);
    todo->addWidget(DBGrid1, 1);
    todo->addWidget(barra);
    setTabOrder(eBuscar, cbTipo);
    setTabOrder(cbTipo, cDistrital);
    setTabOrder(cDistrital, eCiclo);
    setTabOrder(eCiclo, bbBuscar);
    setTabOrder(bbBuscar, bbInsertar);

    cbTipo->setCurrentIndex(0);
    connect(cbTipo, &QComboBox::activated, this, &TfBuscar::cbTipoClick);
    connect(eBuscar, &QLineEdit::textChanged, this, [this](const QString& t) {
        // Whatever the kind, at least 3 characters once trimmed.
        bbBuscar->setEnabled(t.trimmed().size() > 2);
    });
    Ventanas::EnterPulsa(eBuscar, bbBuscar);
    connect(bbBuscar, &QPushButton::clicked, this, &TfBuscar::bbBuscarClick);
    connect(bbInsertar, &QPushButton::clicked, this, &TfBuscar::bbInsertarClick);
    // A double-click on a premises is "Insertar".
    connect(DBGrid1, &QTableView::doubleClicked, this, [this] {
        if (bbInsertar->isEnabled())
            bbInsertarClick();
    });
    resize(760, 420);
}

void TfBuscar::SeleccionaCiclo(const QString& ciclo) {
    eCiclo->setCurrentIndex(eCiclo->findText(ciclo));
}

void TfBuscar::SeleccionaDistrital(const QString& distrital) {
    cDistrital->setCurrentIndex(cDistrital->findText(distrital));
}

void TfBuscar::cbTipoClick() {
    if (cbTipo->currentIndex() == 0)
        StatusBar1->setText(kPistaPredio);
    else if (cbTipo->currentIndex() == 1)
        StatusBar1->setText(kPistaPropietario);
    eBuscar->setFocus();
}

void TfBuscar::bbBuscarClick() {
    const TablaBusqueda tabla = TablaDeCiclo(eCiclo->currentText());
    if (tabla == TablaBusqueda::Ninguna) {
        // The list offers these cycles, but their certificates cannot be searched here.
        StatusBar1->setText(eCiclo->currentIndex() < 0
                                ? QStringLiteral("Elija un ciclo para buscar.")
                                : QStringLiteral("Los certificados del ciclo %1 no se pueden "
                                                 "buscar: elija el ciclo 20 o uno posterior.")
                                      .arg(eCiclo->currentText()));
        return;
    }
    // The statement is built (and a certificate number checked) before anything changes, so a
    // failure leaves the status line and the buttons as they were.
    Consulta qBuscar;
    qBuscar.FijaSql(LineasBusqueda(tabla == TablaBusqueda::Legado, eCiclo->currentText(),
                                   cDistrital->currentText(), TipoBusqueda(cbTipo->currentIndex()),
                                   eBuscar->text()));
    Ventanas::CursorEspera espera;
    qBuscar.AbreEn(DBGrid1->Modelo(), Columnas());
    DBGrid1->AplicaColumnas();
    const int n = DBGrid1->Modelo().Filas();
    bbInsertar->setEnabled(n > 0);
    StatusBar1->setText(QStringLiteral("%1 registro(s) encontrado(s) ...").arg(n));
}

void TfBuscar::bbInsertarClick() {
    const int f = DBGrid1->FilaActual();
    if (f < 0 || !receptor_)
        return;
    const ModeloGrilla& m = DBGrid1->Modelo();
    auto v = [&](const char* campo) { return m.Valor(f, QLatin1String(campo)).toString(); };
    using C = ReceptorBusqueda::Campo;
    ReceptorBusqueda& r = *receptor_;
    switch (ModoBusqueda) {
    case 0:
        if (r.RubroOrigen() == QLatin1String("Predio")) {
            r.Fija(C::CertificadoO, v("CertificadoNro"));
            r.Fija(C::CicloO, v("IdCiclo"));
            r.Fija(C::PropietarioO, v("NombreGanadero"));
            r.Fija(C::PredioO, v("NombreCabana"));
            r.Fija(C::ProvinciaO, v("IdProvincia"));
            r.RefrescaMunicipios(ReceptorBusqueda::Lado::Origen);
            r.Fija(C::MunicipioO, v("IdMunicipio"));
        } else {
            r.Fija(C::Certificados, v("CertificadoNro") + QStringLiteral(" [") + v("IdCiclo") +
                                        QStringLiteral(" avo Ciclo], "));
        }
        r.Fija(C::Enfermedad, QStringLiteral("FIEBRE AFTOSA"));
        r.Fija(C::Vacunacion, m.Valor(f, QStringLiteral("FechaVacunacion"))
                                  .toDateTime()
                                  .toString(QStringLiteral("dd/MM/yyyy")));
        r.Fija(C::Veterinario, QStringLiteral("M.V.Z. ") + v("NombreVacunador"));
        break;
    case 1:
        r.Fija(C::CertificadoD, v("CertificadoNro"));
        r.Fija(C::PropietarioD, v("NombreGanadero"));
        r.Fija(C::PredioD, v("NombreCabana"));
        r.Fija(C::ProvinciaD, v("IdProvincia"));
        r.RefrescaMunicipios(ReceptorBusqueda::Lado::Destino);
        r.Fija(C::MunicipioD, v("IdMunicipio"));
        r.Fija(C::CicloD, eCiclo->currentText());
        break;
    case 3:
        r.Fija(C::Certif, v("CertificadoNro"));
        r.Fija(C::Predio, v("NombreCabana"));
        r.Fija(C::Propietario, v("NombreGanadero"));
        r.Fija(C::Ubicacion,
               cDistrital->currentText() + QStringLiteral(" - ") + v("NombreMunicipio"));
        break;
    default:
        break;
    }
    close();
}

TfBuscar* AbreBusqueda(QWidget* padre, std::uint8_t modo, ReceptorBusqueda* receptor) {
    // One window at most; it belongs to its opener, so it never outlives the form it writes to.
    if (fBuscar && fBuscar->parentWidget() != padre)
        delete fBuscar.data();
    if (!fBuscar)
        fBuscar = new TfBuscar(padre);
    fBuscar->ModoBusqueda = modo;
    fBuscar->FijaReceptor(receptor);
    fBuscar->show();
    fBuscar->raise();
    fBuscar->activateWindow();
    return fBuscar;
}
