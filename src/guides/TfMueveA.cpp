// Bovine and buffalo guide entry form.
#include "guides/TfMueveA.h"

#include "app/Globales.h"
#include "common/Editores.h"
#include "common/Iconos.h"
#include "common/Mensajes.h"
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

QComboBox* Lista(QWidget* padre, const char* nombre, const QStringList& elementos = {}) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QLatin1String(nombre));
    c->addItems(elementos);
    c->setCurrentIndex(-1);
    return c;
}

QToolButton* Boton(QWidget* padre, const char* nombre, Iconos::Dibujo dibujo, const char* pista) {
    auto* b = new QToolButton(padre);
    b->setObjectName(QLatin1String(nombre));
    b->setIcon(Iconos::Icono(dibujo));
    b->setToolTip(QString::fromUtf8(pista));
    return b;
}

QCheckBox* Objetivo(QWidget* padre, const char* nombre, const char* texto) {
    auto* c = new QCheckBox(QString::fromUtf8(texto), padre);
    c->setObjectName(QLatin1String(nombre));
    c->setEnabled(false);
    return c;
}

QLabel* Visor(QWidget* padre, const char* nombre, const QString& texto) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QLatin1String(nombre));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(60);
    l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

void Selecciona(QComboBox* lista, const QString& clave) {
    lista->setCurrentIndex(lista->findData(clave));
}

} // namespace

TfMueveA::TfMueveA(ConsolaDeGuias* consola, QWidget* padre)
    : EntradaGuia(FormaGuia::Bovina, consola, padre) {
    setObjectName(QStringLiteral("fMueveA"));
    // Origin.
    cRubroO = Lista(this, "cRubroO",
                    {kPredio, QStringLiteral("Feria"), QStringLiteral("Remate"),
                     QStringLiteral("Embarcadero"), QStringLiteral("Potrero"),
                     QString::fromUtf8("Importación")});
    cDistritalO = Lista(this, "cDistritalO", Vocabulario::Distritales());
    cDistritalO->setMaxVisibleItems(9);
    cDistritalO->setEnabled(false);
    cProvinciaO = Lista(this, "cProvinciaO");
    cProvinciaO->setEnabled(false);
    cMunicipioO = Lista(this, "cMunicipioO");
    cMunicipioO->setEnabled(false);
    eCertificadoO = Editores::Campo(this, "eCertificadoO", 10, false, true);
    eCicloO = Editores::Campo(this, "eCicloO", 2, false);
    ePropietarioO = Editores::Campo(this, "ePropietarioO", 50);
    ePredioO = Editores::Campo(this, "ePredioO", 50);
    sbBuscaO = Boton(this, "sbBuscaO", Iconos::Dibujo::Lupa, "buscar certificado de vacunación");
    sbBuscaO->setEnabled(false);
    // Destination.
    cRubroD = Lista(this, "cRubroD",
                    {kPredio, QStringLiteral("Feria"), QStringLiteral("Remate"),
                     QStringLiteral("Matadero"), QStringLiteral("Consumo"),
                     QStringLiteral("Embarcadero"), QStringLiteral("Potrero")});
    cDistritalD = Lista(this, "cDistritalD", Vocabulario::Distritales());
    cDistritalD->setMaxVisibleItems(9);
    cProvinciaD = Lista(this, "cProvinciaD");
    cProvinciaD->setEnabled(false);
    cMunicipioD = Lista(this, "cMunicipioD");
    cMunicipioD->setEnabled(false);
    eCertificadoD = Editores::Campo(this, "eCertificadoD", 10, false, true);
    eCicloD = Editores::Campo(this, "eCicloD", 2, false);
    ePropietarioD = Editores::Campo(this, "ePropietarioD", 50);
    ePredioD = Editores::Campo(this, "ePredioD", 50);
    sbBuscaD = Boton(this, "sbBuscaD", Iconos::Dibujo::Lupa, "buscar certificado de vacunación");
    sbBuscaD->setEnabled(false);
    // Animals.
    sbEspecie = Boton(this, "sbEspecie", Iconos::Dibujo::Camion, "total de animales a movilizar");
    stTotalBov = Visor(this, "stTotalBov", QStringLiteral("0"));
    stEspecie = Visor(this, "stEspecie", QString());
    // Objectives.
    cRecri = Objetivo(this, "cRecri", "Recría");
    cEngor = Objetivo(this, "cEngor", "Engorde");
    cRepro = Objetivo(this, "cRepro", "Reproducción");
    cExpos = Objetivo(this, "cExpos", "Exposición");
    cFeria = Objetivo(this, "cFeria", "Feria, Mercado");
    cFaena = Objetivo(this, "cFaena", "Faena");
    cTrans = Objetivo(this, "cTrans", "Tránsito temporal");
    // Vaccination.
    eEnfermedad = Editores::Campo(this, "eEnfermedad", 50);
    eVacunacion = Editores::Campo(this, "eVacunacion", 15);
    eVeterinario = Editores::Campo(this, "eVeterinario", 50);
    eCertificados = Editores::Campo(this, "eCertificados", 30, false);
    SpeedButton3 =
        Boton(this, "SpeedButton3", Iconos::Dibujo::Insertar, "anotar certificados de vacunación");
    for (QLineEdit* e :
         {eCertificadoO, eCicloO, ePropietarioO, ePredioO, eCertificadoD, eCicloD, ePropietarioD,
          ePredioD, eEnfermedad, eVacunacion, eVeterinario, eCertificados})
        SoloLectura(e, true);

    // Layout: the places on the left, the movement's terms on the right.
    auto* origen = new QGroupBox(QStringLiteral("Origen"), this);
    auto* destino = new QGroupBox(QStringLiteral("Destino"), this);
    auto lugar = [](QGroupBox* g, QComboBox* rubro, QComboBox* dis, QComboBox* pro, QComboBox* mun,
                    QLineEdit* cer, QToolButton* busca, QLineEdit* ciclo, QLineEdit* prop,
                    QLineEdit* predio) {
        auto* f = new QFormLayout(g);
        f->addRow(QStringLiteral("Rubro"), rubro);
        auto* politica = new QHBoxLayout;
        politica->addWidget(dis);
        // Room for the longest names ("Andrés Ibáñez", "Puerto Suárez").
        pro->setMinimumWidth(170);
        mun->setMinimumWidth(170);
        politica->addWidget(pro, 2);
        politica->addWidget(mun, 2);
        f->addRow(QString::fromUtf8("Ubicación política"), politica);
        auto* certificado = new QHBoxLayout;
        certificado->addWidget(cer, 1);
        certificado->addWidget(busca);
        certificado->addWidget(new QLabel(QStringLiteral("Ciclo"), g));
        ciclo->setMaximumWidth(40);
        certificado->addWidget(ciclo);
        f->addRow(QStringLiteral("Certificado Nro."), certificado);
        f->addRow(QStringLiteral("Propietario (pater, mater, nombr)"), prop);
        f->addRow(QStringLiteral("Establecimiento"), predio);
    };
    lugar(origen, cRubroO, cDistritalO, cProvinciaO, cMunicipioO, eCertificadoO, sbBuscaO, eCicloO,
          ePropietarioO, ePredioO);
    lugar(destino, cRubroD, cDistritalD, cProvinciaD, cMunicipioD, eCertificadoD, sbBuscaD, eCicloD,
          ePropietarioD, ePredioD);

    auto* animales = new QGroupBox(QStringLiteral("Animales a movilizar"), this);
    auto* a = new QHBoxLayout(animales);
    a->addWidget(sbEspecie);
    a->addWidget(new QLabel(QStringLiteral("Total"), animales));
    a->addWidget(stTotalBov);
    a->addWidget(new QLabel(QStringLiteral("Especie"), animales));
    a->addWidget(stEspecie);
    a->addStretch();

    auto* objetivos = new QGroupBox(QStringLiteral("Objetivo del movimiento"), this);
    auto* o = new QGridLayout(objetivos);
    const auto casillas = Objetivos();
    for (int i = 0; i < 7; ++i)
        o->addWidget(casillas[size_t(i)], i / 4, i % 4);

    auto* vacuna = new QGroupBox(QString::fromUtf8("Datos de la vacunación"), this);
    auto* v = new QFormLayout(vacuna);
    v->addRow(QStringLiteral("Contra la enfermedad"), eEnfermedad);
    v->addRow(QString::fromUtf8("Fecha vacunación"), eVacunacion);
    v->addRow(QStringLiteral("Veterinario responsable"), eVeterinario);
    auto* otros = new QHBoxLayout;
    otros->addWidget(eCertificados, 1);
    otros->addWidget(SpeedButton3);
    v->addRow(QString::fromUtf8("Otros números de certificados de vacunación"), otros);

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(GrupoSolicitante());
    izquierda->addWidget(origen);
    izquierda->addWidget(destino);
    izquierda->addWidget(animales);
    auto* derecha = new QVBoxLayout;
    auto* numero = GrupoNumero();
    derecha->addWidget(numero);
    derecha->addWidget(GrupoTransporte());
    derecha->addWidget(GrupoAutorizacion());
    derecha->addWidget(vacuna);
    derecha->addWidget(objetivos);
    derecha->addWidget(GrupoComentario());
    derecha->addStretch();
    auto* columnas = new QHBoxLayout;
    columnas->addLayout(izquierda, 1);
    columnas->addLayout(derecha, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(columnas);
    todo->addLayout(botones);

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
        RefrescaProvincias(Lado::Origen);
        RefrescaMunicipios(Lado::Origen);
    });
    connect(cDistritalD, &QComboBox::activated, this, [this] {
        RefrescaProvincias(Lado::Destino);
        RefrescaMunicipios(Lado::Destino);
        RefrescaControlesRubroD();
    });
    connect(cProvinciaO, &QComboBox::activated, this, [this] { RefrescaMunicipios(Lado::Origen); });
    connect(cProvinciaD, &QComboBox::activated, this,
            [this] { RefrescaMunicipios(Lado::Destino); });
    connect(cRubroO, &QComboBox::activated, this, &TfMueveA::RefrescaControlesRubroO);
    connect(cRubroD, &QComboBox::activated, this, [this] {
        RefrescaControlesRubroD();
        RefrescaObjetivos();
    });
    eRuta->installEventFilter(this);
    connect(sbBuscaO, &QToolButton::clicked, this, &TfMueveA::sbBuscaOClick);
    connect(sbBuscaD, &QToolButton::clicked, this, &TfMueveA::sbBuscaDClick);
    connect(sbEspecie, &QToolButton::clicked, this, &TfMueveA::sbEspecieClick);
    connect(SpeedButton3, &QToolButton::clicked, this, &TfMueveA::SpeedButton3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TfMueveA::BitBtn1Click);
}

std::array<QCheckBox*, 7> TfMueveA::Objetivos() const {
    return {cRecri, cEngor, cRepro, cExpos, cFeria, cFaena, cTrans};
}

void TfMueveA::showEvent(QShowEvent* evento) {
    setWindowTitle(Modo == 0 ? QString::fromUtf8("Añadir nuevo registro de GMA de bovinos")
                             : QStringLiteral("Modificar datos del registro de GMA de bovinos"));
    EntradaGuia::showEvent(evento);
}

bool TfMueveA::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == eRuta && evento->type() == QEvent::FocusIn)
        ColocaRutaAutorizada();
    return EntradaGuia::eventFilter(objeto, evento);
}

// ---- openings ------------------------------------------------------------------------------

void TfMueveA::AbreNueva(const QString& especie) {
    IniciaNueva();
    stEspecie->setText(especie);
    stTotalBov->setText(QStringLiteral("0"));
    eCicloO->setText(CicloActual);
    cDistritalO->setCurrentIndex(cDistritalO->findText(IdDistrital));
    RefrescaProvincias(Lado::Origen);
    RefrescaMunicipios(Lado::Origen);
    CantidadesCategoria.fill(0);
    CantidadesGrupo.fill(0);
    distritoCargado_ = IdDistrital;
}

void TfMueveA::AbreEdicion(const DatosGuia& g) {
    Modo = 1;
    eNro->setText(QString::number(g.nroGuia));
    stEspecie->setText(g.especie);
    eSolicitante->setText(g.solicitanteNombre);
    eCarnet->setText(g.solicitanteCarnet);
    cRubroO->setCurrentIndex(cRubroO->findText(g.oriRubro));
    cDistritalO->setCurrentIndex(cDistritalO->findText(g.oriIdDistrital));
    RefrescaProvincias(Lado::Origen);
    RefrescaControlesRubroO();
    Selecciona(cProvinciaO, g.oriIdProvincia);
    RefrescaMunicipios(Lado::Origen);
    Selecciona(cMunicipioO, g.oriIdMunicipio);
    ePredioO->setText(g.oriEstablecimiento);
    ePropietarioO->setText(g.oriPropietario);
    eCertificadoO->setText(g.oriCertificado);
    eCicloO->setText(g.oriCiclo);
    cRubroD->setCurrentIndex(cRubroD->findText(g.desRubro));
    cDistritalD->setCurrentIndex(cDistritalD->findText(g.desIdDistrital));
    RefrescaProvincias(Lado::Destino);
    RefrescaControlesRubroD();
    Selecciona(cProvinciaD, g.desIdProvincia);
    RefrescaMunicipios(Lado::Destino);
    Selecciona(cMunicipioD, g.desIdMunicipio);
    ePredioD->setText(g.desEstablecimiento);
    ePropietarioD->setText(g.desPropietario);
    eCertificadoD->setText(g.desCertificado);
    eCicloD->setText(g.desCiclo);
    CantidadesGrupo = g.cantidadesGrupo;
    std::int32_t total = 0;
    for (std::int32_t n : g.cantidadesGrupo)
        total += n;
    stTotalBov->setText(QString::number(total));
    RefrescaObjetivos();
    const auto casillas = Objetivos();
    // The stored objectives in column order; the hatchery's (7th) has no box here.
    const size_t columna[] = {0, 1, 2, 3, 4, 5, 7};
    for (size_t i = 0; i < casillas.size(); ++i)
        casillas[i]->setChecked(g.objetivos[columna[i]]);
    cMedio->setCurrentIndex(cMedio->findText(g.medioTransporte));
    eConductor->setText(g.medioConductor);
    eRuta->setText(g.autorizaRuta);
    eDado->setText(g.autorizaDadoEn);
    deFecha->setDate(g.autorizaFecha);
    eEnfermedad->setText(g.vacunaEnfermedad);
    eVacunacion->setText(g.vacunaFecha);
    eVeterinario->setText(g.vacunaMedico);
    eCertificados->setText(g.vacunaCertificados);
    eComenta->setText(g.comentarios);
    distritoCargado_ = g.oriIdDistrital;
}

// ---- lists ---------------------------------------------------------------------------------

void TfMueveA::RefrescaProvincias(Lado lado) {
    const bool o = lado == Lado::Origen;
    Consulta q({QStringLiteral("SELECT *"), QStringLiteral("FROM provincias"),
                QStringLiteral("WHERE IdDistrital = :LaDis%1").arg(o ? 'O' : 'D')});
    q.Texto(QStringLiteral("LaDis%1").arg(o ? 'O' : 'D'),
            (o ? cDistritalO : cDistritalD)->currentText(), 3);
    Editores::LlenaLista(o ? cProvinciaO : cProvinciaD, q, "IdProvincia", "NombreProvincia");
}

void TfMueveA::RefrescaMunicipios(Lado lado) {
    const bool o = lado == Lado::Origen;
    const QChar x = o ? QLatin1Char('O') : QLatin1Char('D');
    Consulta q({QStringLiteral("SELECT *"), QStringLiteral("FROM Municipios"),
                QStringLiteral("WHERE IdDistrital = :LaDis%1").arg(x),
                QStringLiteral("AND IdProvincia = :LaPro%1").arg(x),
                QStringLiteral("ORDER BY NombreMunicipio")});
    q.Texto(QStringLiteral("LaDis%1").arg(x), (o ? cDistritalO : cDistritalD)->currentText(), 3);
    const QComboBox* provincia = o ? cProvinciaO : cProvinciaD;
    // No province selected: no municipality.
    if (provincia->currentIndex() < 0)
        q.Nulo(QStringLiteral("LaPro%1").arg(x), TipoParametro::Texto);
    else
        q.Texto(QStringLiteral("LaPro%1").arg(x), provincia->currentData().toString(), 2);
    Editores::LlenaLista(o ? cMunicipioO : cMunicipioD, q, "IdMunicipio", "NombreMunicipio");
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

void TfMueveA::RefrescaObjetivos() {
    const QString r = cRubroD->currentText();
    auto es = [&](std::initializer_list<const char*> rubros) {
        for (const char* x : rubros)
            if (r == QLatin1String(x))
                return true;
        return false;
    };
    for (QCheckBox* c : Objetivos())
        c->setChecked(false);
    const bool cria = es({"Predio", "Embarcadero", "Potrero"});
    cRecri->setEnabled(cria);
    cEngor->setEnabled(cria);
    cRepro->setEnabled(cria);
    cExpos->setEnabled(es({"Feria", "Remate"}));
    cFeria->setEnabled(es({"Feria", "Remate"}));
    cTrans->setEnabled(es({"Embarcadero", "Potrero"}));
    cFaena->setEnabled(es({"Matadero", "Consumo"}));
}

void TfMueveA::ColocaRutaAutorizada() {
    const QString o = cMunicipioO->currentText();
    const QString d = cMunicipioD->currentText();
    eRuta->setText(o.trimmed() != d.trimmed() ? o + QStringLiteral(" - ") + d
                                              : o + QStringLiteral(" - ") + ePredioD->text());
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
    TfTotalBov total(
        {cRubroO->currentText(), stEspecie->text(), eCertificadoO->text(), eCicloO->text()}, this);
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
    g.especie = stEspecie->text();
    g.oriCertificado = eCertificadoO->text();
    g.oriCiclo = eCicloO->text();
    g.oriRubro = cRubroO->currentText();
    g.oriEstablecimiento = ePredioO->text();
    g.oriPropietario = ePropietarioO->text();
    g.oriIdDistrital = cDistritalO->currentText();
    g.oriIdProvincia = cProvinciaO->currentData().toString();
    g.oriIdMunicipio = cMunicipioO->currentData().toString();
    g.desCertificado = eCertificadoD->text();
    g.desCiclo = eCicloD->text();
    g.desRubro = cRubroD->currentText();
    g.desEstablecimiento = ePredioD->text();
    g.desPropietario = ePropietarioD->text();
    g.desIdDistrital = cDistritalD->currentText();
    g.desIdProvincia = cProvinciaD->currentData().toString();
    g.desIdMunicipio = cMunicipioD->currentData().toString();
    g.cantidadesCategoria = CantidadesCategoria;
    g.cantidadesGrupo = CantidadesGrupo;
    const auto casillas = Objetivos();
    const size_t columna[] = {0, 1, 2, 3, 4, 5, 7};
    for (size_t i = 0; i < casillas.size(); ++i)
        g.objetivos[columna[i]] = casillas[i]->isChecked();
    g.vacunaEnfermedad = eEnfermedad->text();
    g.vacunaFecha = eVacunacion->text();
    g.vacunaMedico = eVeterinario->text();
    g.vacunaCertificados = eCertificados->text();
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
