// Bovine and buffalo guide entry form.
#include "guides/TfMueveA.h"

#include "app/Globales.h"
#include "common/Editores.h"
#include "common/Iconos.h"
#include "common/Mensajes.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"
#include "db/Consulta.h"
#include "guides/TfTotalBov.h"
#include "vaccination/TfAgrega.h"
#include "vaccination/TfBuscar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kPredio = QStringLiteral("Predio");

QToolButton* Boton(QWidget* padre, const char* nombre, Iconos::Dibujo dibujo, const char* pista) {
    auto* b = new QToolButton(padre);
    b->setObjectName(QLatin1String(nombre));
    b->setIcon(Iconos::Icono(dibujo));
    b->setToolTip(QString::fromUtf8(pista));
    return b;
}

} // namespace

namespace {

RasgosEntrada Rasgos() {
    RasgosEntrada r;
    r.rubrosOrigen = {kPredio,
                      QStringLiteral("Feria"),
                      QStringLiteral("Remate"),
                      QStringLiteral("Embarcadero"),
                      QStringLiteral("Potrero"),
                      QString::fromUtf8("Importación")};
    r.rubrosDestino = {kPredio,
                       QStringLiteral("Feria"),
                       QStringLiteral("Remate"),
                       QStringLiteral("Matadero"),
                       QStringLiteral("Consumo"),
                       QStringLiteral("Embarcadero"),
                       QStringLiteral("Potrero")};
    r.municipiosOrdenados = true;
    return r;
}

} // namespace

TfMueveA::TfMueveA(ConsolaDeGuias* consola, QWidget* padre)
    : EntradaGuia(FormaGuia::Bovina, Rasgos(), consola, padre) {
    setObjectName(QStringLiteral("fMueveA"));
    // The origin district is the user's; the places of a premises come from the search.
    cDistritalO->setEnabled(false);
    for (QComboBox* c : {cProvinciaO, cMunicipioO, cProvinciaD, cMunicipioD})
        c->setEnabled(false);
    eCertificadoO = Editores::Campo(this, "eCertificadoO", 10, false, true);
    eCicloO = Editores::Campo(this, "eCicloO", 2, false);
    sbBuscaO = Boton(this, "sbBuscaO", Iconos::Dibujo::Lupa, "buscar certificado de vacunación");
    sbBuscaO->setEnabled(false);
    eCertificadoD = Editores::Campo(this, "eCertificadoD", 10, false, true);
    eCicloD = Editores::Campo(this, "eCicloD", 2, false);
    sbBuscaD = Boton(this, "sbBuscaD", Iconos::Dibujo::Lupa, "buscar certificado de vacunación");
    sbBuscaD->setEnabled(false);
    sbEspecie = Boton(this, "sbEspecie", Iconos::Dibujo::Camion, "total de animales a movilizar");
    stTotalBov = Visor(this, "stTotalBov", QStringLiteral("0"));
    eCertificados = Editores::Campo(this, "eCertificados", 30, false);
    SpeedButton3 =
        Boton(this, "SpeedButton3", Iconos::Dibujo::Insertar, "anotar certificados de vacunación");
    for (QLineEdit* e :
         {eCertificadoO, eCicloO, ePropietarioO, ePredioO, eCertificadoD, eCicloD, ePropietarioD,
          ePredioD, eEnfermedad, eVacunacion, eVeterinario, eCertificados})
        SoloLectura(e, true);

    // Layout: the places on the left, the movement's terms on the right.
    auto certificado = [this](QLineEdit* cer, QToolButton* busca, QLineEdit* ciclo) {
        auto* l = new QHBoxLayout;
        l->addWidget(cer, 1);
        l->addWidget(busca);
        l->addWidget(new QLabel(QStringLiteral("Ciclo"), this));
        ciclo->setMaximumWidth(40);
        l->addWidget(ciclo);
        return l;
    };
    const QString propietario = QStringLiteral("Propietario (pater, mater, nombr)");
    Distribuye(
        {GrupoSolicitante(),
         GrupoLugar(Lado::Origen, certificado(eCertificadoO, sbBuscaO, eCicloO), propietario),
         GrupoLugar(Lado::Destino, certificado(eCertificadoD, sbBuscaD, eCicloD), propietario),
         GrupoAnimales(sbEspecie, stTotalBov, QStringLiteral("Especie"))},
        {GrupoNumero(), GrupoTransporte(), GrupoAutorizacion(),
         GrupoVacuna(QString::fromUtf8("Otros números de certificados de vacunación"),
                     SpeedButton3),
         GrupoObjetivos(), GrupoComentario()});

    // Reading order: the left column top to bottom, then the right one.
    const QList<QWidget*> orden{
        eSolicitante,  eCarnet,      cRubroO,     cDistritalO,   cProvinciaO,  cMunicipioO,
        eCertificadoO, sbBuscaO,     eCicloO,     ePropietarioO, ePredioO,     cRubroD,
        cDistritalD,   cProvinciaD,  cMunicipioD, eCertificadoD, sbBuscaD,     eCicloD,
        ePropietarioD, ePredioD,     sbEspecie,   cMedio,        SpeedButton5, eConductor,
        eRuta,         eDado,        deFecha,     eEnfermedad,   eVacunacion,  eVeterinario,
        eCertificados, SpeedButton3, cRecri,      cEngor,        cRepro,       cExpos,
        cFeria,        cFaena,       cTrans,      eComenta,      BitBtn1,      BitBtn2};
    for (qsizetype i = 0; i + 1 < orden.size(); ++i)
        setTabOrder(orden[i], orden[i + 1]);

    connect(cDistritalO, &QComboBox::activated, this, [this] {
        RefrescaListaProvincias(Lado::Origen);
        RefrescaListaMunicipios(Lado::Origen);
    });
    // The bovine form also clears the destination's place when its district changes.
    connect(cDistritalD, &QComboBox::activated, this, [this] {
        RefrescaListaProvincias(Lado::Destino);
        RefrescaListaMunicipios(Lado::Destino);
        RefrescaControlesRubroD();
    });
    connect(cRubroO, &QComboBox::activated, this, &TfMueveA::RefrescaControlesRubroO);
    connect(cRubroD, &QComboBox::activated, this, [this] {
        RefrescaControlesRubroD();
        RefrescaObjetivos();
    });
    connect(sbBuscaO, &QToolButton::clicked, this, &TfMueveA::sbBuscaOClick);
    connect(sbBuscaD, &QToolButton::clicked, this, &TfMueveA::sbBuscaDClick);
    connect(sbEspecie, &QToolButton::clicked, this, &TfMueveA::sbEspecieClick);
    connect(SpeedButton3, &QToolButton::clicked, this, &TfMueveA::SpeedButton3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TfMueveA::BitBtn1Click);
}

void TfMueveA::showEvent(QShowEvent* evento) {
    setWindowTitle(Modo == 0 ? QString::fromUtf8("Añadir nuevo registro de GMA de bovinos")
                             : QStringLiteral("Modificar datos del registro de GMA de bovinos"));
    EntradaGuia::showEvent(evento);
}

// ---- openings ------------------------------------------------------------------------------

void TfMueveA::AbreNueva(const QString& especie) {
    IniciaNueva();
    stEspecie->setText(especie);
    stTotalBov->setText(QStringLiteral("0"));
    eCicloO->setText(CicloActual);
    cDistritalO->setCurrentIndex(cDistritalO->findText(IdDistrital));
    RefrescaListaProvincias(Lado::Origen);
    RefrescaListaMunicipios(Lado::Origen);
    CantidadesCategoria.fill(0);
    CantidadesGrupo.fill(0);
    distritoCargado_ = IdDistrital;
}

void TfMueveA::AbreEdicion(const DatosGuia& g) {
    Modo = 1;
    eNro->setText(QString::number(g.nroGuia));
    LlenaSolicitante(g);
    LlenaLugar(Lado::Origen, g);
    eCertificadoO->setText(g.oriCertificado);
    eCicloO->setText(g.oriCiclo);
    LlenaLugar(Lado::Destino, g);
    eCertificadoD->setText(g.desCertificado);
    eCicloD->setText(g.desCiclo);
    CantidadesGrupo = g.cantidadesGrupo;
    CantidadesCategoria = g.cantidadesCategoria;
    stTotalBov->setText(TotalBovino(g));
    RefrescaObjetivos();
    FijaObjetivos(g.objetivos); // the hatchery's has no box here
    LlenaAutorizacion(g, false);
    distritoCargado_ = g.oriIdDistrital;
}

void TfMueveA::AbreDuplicado(const DatosGuia& g) {
    IniciaNueva();
    stTotalBov->setText(QStringLiteral("0"));
    CantidadesCategoria.fill(0);
    CantidadesGrupo.fill(0);
    LlenaSolicitante(g);
    LlenaLugar(Lado::Origen, g);
    eCertificadoO->setText(g.oriCertificado);
    eCicloO->setText(g.oriCiclo);
    LlenaLugar(Lado::Destino, g, true);
    eCertificadoD->setText(g.desCertificado);
    eCicloD->setText(g.desCiclo);
    FijaObjetivos(g.objetivos);
    LlenaAutorizacion(g, true);
    distritoCargado_ = g.oriIdDistrital;
}

QString TfMueveA::TotalBovino(const DatosGuia& g) {
    // A guide of the old scheme holds its animals in the eight categories and none in the
    // groups: its total is theirs, so the form neither shows 0 nor refuses it for that.
    const QString grupos = TotalGrupos(g);
    if (grupos != QLatin1String("0"))
        return grupos;
    std::int32_t total = 0;
    for (std::int32_t n : g.cantidadesCategoria)
        total += n;
    return QString::number(total);
}

// ---- lists ---------------------------------------------------------------------------------

void TfMueveA::ReglasRubro(Lado lado) {
    if (lado == Lado::Origen)
        RefrescaControlesRubroO();
    else
        RefrescaControlesRubroD();
}

void TfMueveA::RefrescaMunicipios(ReceptorBusqueda::Lado lado) {
    RefrescaListaMunicipios(lado);
}

// ---- rules ---------------------------------------------------------------------------------

void TfMueveA::RefrescaControlesRubroO() {
    const QString r = cRubroO->currentText();
    const bool predio = r == kPredio;
    const bool importacion = r == QString::fromUtf8("Importación");
    if (cRubroO->currentIndex() >= 0) {
        sbBuscaO->setEnabled(!importacion);
        for (QLineEdit* e : {ePropietarioO, ePredioO}) {
            SoloLectura(e, predio);
            e->clear();
        }
        cProvinciaO->setEnabled(!predio);
        cMunicipioO->setEnabled(!predio);
        if (!importacion) {
            SoloLectura(eCertificadoO, true);
            SoloLectura(eCicloO, true);
        }
        for (QLineEdit* e : {eEnfermedad, eVacunacion, eVeterinario})
            SoloLectura(e, predio);
    }
    eCertificadoO->clear();
    cProvinciaO->setCurrentIndex(-1);
    cMunicipioO->setCurrentIndex(-1);
    for (QLineEdit* e : {eEnfermedad, eVacunacion, eVeterinario, eCertificados})
        e->clear();
}

void TfMueveA::RefrescaControlesRubroD() {
    const QString r = cRubroD->currentText();
    if (cRubroD->currentIndex() >= 0) {
        sbBuscaD->setEnabled(r == kPredio);
        for (QLineEdit* e : {ePropietarioD, ePredioD}) {
            SoloLectura(e, false);
            e->clear();
        }
        cProvinciaD->setEnabled(true);
        cMunicipioD->setEnabled(true);
        if (r == QLatin1String("Consumo")) {
            SoloLectura(ePropietarioD, true);
            ePropietarioD->setText(QStringLiteral("-"));
            SoloLectura(ePredioD, true);
            ePredioD->setText(QStringLiteral("C O N S U M O"));
        }
    }
    eCertificadoD->clear();
    eCicloD->clear();
    cProvinciaD->setCurrentIndex(-1);
    cMunicipioD->setCurrentIndex(-1);
}

// ---- buttons -------------------------------------------------------------------------------

void TfMueveA::sbBuscaOClick() {
    if (cDistritalO->currentIndex() < 0) {
        MuestraError(QStringLiteral("Debe seleccionar una distrital de origen antes de buscar un "
                                    "predio"));
        return;
    }
    TfBuscar* b = AbreBusqueda(this, 0, this);
    b->SeleccionaCiclo(CicloActual);
    b->SeleccionaDistrital(cDistritalO->currentText());
    b->cDistrital->setEnabled(cRubroO->currentText() != kPredio);
}

void TfMueveA::sbBuscaDClick() {
    if (cDistritalD->currentIndex() < 0) {
        MuestraError(QStringLiteral("Debe seleccionar una distrital de destino antes de buscar un "
                                    "predio"));
        return;
    }
    TfBuscar* b = AbreBusqueda(this, 1, this);
    b->SeleccionaCiclo(CicloActual);
    b->SeleccionaDistrital(cDistritalD->currentText());
    b->cDistrital->setEnabled(false);
}

void TfMueveA::sbEspecieClick() {
    if (cRubroO->currentIndex() < 0) {
        MuestraError(QString::fromUtf8(
            "Debe especificar el rubro de origen antes de realizar esta operación !"));
        cRubroO->setFocus();
        return;
    }
    if (cRubroO->currentText() == kPredio && eCertificadoO->text().isEmpty()) {
        MuestraError(QString::fromUtf8(
            "Ha especificado como rubro de origen un predio, \rpor tanto, debe especificar el "
            "certificado de vacunación del predio\rantes de realizar esta operación"));
        return;
    }
    // An edit gives back what the stored guide took.
    const GuiaExcluida propia =
        Modo == 1 ? GuiaExcluida{eNro->text().toInt(), distritoCargado_} : GuiaExcluida{};
    TfTotalBov total({cRubroO->currentText(),
                      {eCertificadoO->text(), eCicloO->text(), stEspecie->text(), propia}},
                     this);
    if (Ventanas::MuestraModal(total) == QDialog::Accepted) {
        CantidadesGrupo = total.CantidadesGrupo();
        stTotalBov->setText(total.Total());
    }
}

void TfMueveA::SpeedButton3Click() {
    TfAgrega agrega(eCertificados, this);
    Ventanas::MuestraModal(agrega);
}

// ---- the search's hand-back ----------------------------------------------------------------

QString TfMueveA::RubroOrigen() const {
    return cRubroO->currentText();
}

void TfMueveA::Fija(Campo campo, const QString& valor) {
    switch (campo) {
    case Campo::CertificadoO:
        eCertificadoO->setText(valor);
        break;
    case Campo::CicloO:
        eCicloO->setText(valor);
        break;
    case Campo::PropietarioO:
        ePropietarioO->setText(valor);
        break;
    case Campo::PredioO:
        ePredioO->setText(valor);
        break;
    case Campo::ProvinciaO:
        Selecciona(cProvinciaO, valor);
        break;
    case Campo::MunicipioO:
        Selecciona(cMunicipioO, valor);
        break;
    case Campo::Certificados:
        eCertificados->setText(valor);
        break;
    case Campo::Enfermedad:
        eEnfermedad->setText(valor);
        break;
    case Campo::Vacunacion:
        eVacunacion->setText(valor);
        break;
    case Campo::Veterinario:
        eVeterinario->setText(valor);
        break;
    case Campo::CertificadoD:
        eCertificadoD->setText(valor);
        break;
    case Campo::PropietarioD:
        ePropietarioD->setText(valor);
        break;
    case Campo::PredioD:
        ePredioD->setText(valor);
        break;
    case Campo::ProvinciaD:
        Selecciona(cProvinciaD, valor);
        break;
    case Campo::MunicipioD:
        Selecciona(cMunicipioD, valor);
        break;
    case Campo::CicloD:
        eCicloD->setText(valor);
        break;
    default:
        break; // the movement history's fields
    }
}

// ---- save ----------------------------------------------------------------------------------

QString TfMueveA::Revisa() const {
    const bool predios = cRubroO->currentText().startsWith(QLatin1Char('P')) &&
                         cRubroD->currentText().startsWith(QLatin1Char('P'));
    if (predios && !eCertificadoO->text().isEmpty() && !eCertificadoD->text().isEmpty() &&
        eCertificadoO->text() == eCertificadoD->text())
        return QStringLiteral("Origen y Destino NO deben ser iguales en el número de certificado!");
    if (eVacunacion->text().isEmpty() || eEnfermedad->text().isEmpty() ||
        eVeterinario->text().isEmpty())
        return QString::fromUtf8("Debe especificar los \"datos de la vacunación\" ...\r( utilice "
                                 "el botón de localización de certificado de vacunación de "
                                 "origen )");
    if (ePredioO->text().isEmpty())
        return QStringLiteral("Debe especificar un predio de Origen !");
    if (ePredioD->text().isEmpty())
        return QStringLiteral("Debe especificar un predio de Destino !");
    bool objetivo = false;
    for (const QCheckBox* c : Objetivos())
        objetivo = objetivo || c->isChecked();
    if (!objetivo)
        return QStringLiteral("Debe especificar el objetivo del movimiento !");
    if (cMedio->currentIndex() < 0 || eConductor->text().isEmpty())
        return QStringLiteral("Debe especificar el medio de transporte y conductor !");
    if (eSolicitante->text().isEmpty())
        return QStringLiteral("Debe especificar el nombre del solicitante !");
    if (cProvinciaO->currentIndex() < 0 || cProvinciaD->currentIndex() < 0)
        return QStringLiteral("Debe especificar las provincias !");
    if (cMunicipioO->currentIndex() < 0 || cMunicipioD->currentIndex() < 0)
        return QStringLiteral("Debe especificar los municipios !");
    if (stTotalBov->text() == QLatin1String("0"))
        return QStringLiteral("Debe especificar la cantidad de ganado a movilizar !");
    if (cRubroD->currentIndex() < 0)
        return QStringLiteral("Debe especificar el rubro de destino !");
    if (eCertificadoO->text().isEmpty() && eCertificados->text().isEmpty())
        return QString::fromUtf8("Debe especificar número(s) de certificado(s) de vacunación !");
    return {};
}

DatosGuia TfMueveA::Datos() const {
    DatosGuia g;
    g.nroGuia = eNro->text().toInt();
    g.oriCertificado = eCertificadoO->text();
    g.oriCiclo = eCicloO->text();
    g.desCertificado = eCertificadoD->text();
    g.desCiclo = eCicloD->text();
    g.cantidadesCategoria = CantidadesCategoria;
    g.cantidadesGrupo = CantidadesGrupo;
    LeeComunes(g);
    return g;
}

void TfMueveA::BitBtn1Click() {
    const QString rechazo = Revisa();
    if (!rechazo.isEmpty()) {
        MuestraError(rechazo);
        return;
    }
    DatosGuia g = Datos();
    Guarda(g, distritoCargado_);
}
