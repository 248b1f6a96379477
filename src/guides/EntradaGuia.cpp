// Shared part of the guide entry forms.
#include "guides/EntradaGuia.h"

#include "app/Globales.h"
#include "common/Editores.h"
#include "common/Iconos.h"
#include "common/Mensajes.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"
#include "db/Consulta.h"
#include "guides/TfSearch.h"

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

QCheckBox* Objetivo(QWidget* padre, const char* nombre, const char* texto) {
    auto* c = new QCheckBox(QString::fromUtf8(texto), padre);
    c->setObjectName(QLatin1String(nombre));
    c->setEnabled(false);
    return c;
}

} // namespace

QComboBox* EntradaGuia::Lista(QWidget* padre, const char* nombre, const QStringList& elementos) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QLatin1String(nombre));
    c->addItems(elementos);
    c->setCurrentIndex(-1);
    return c;
}

QLabel* EntradaGuia::Visor(QWidget* padre, const char* nombre, const QString& texto) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QLatin1String(nombre));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(60);
    l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

void EntradaGuia::Selecciona(QComboBox* lista, const QString& clave) {
    lista->setCurrentIndex(lista->findData(clave));
}

EntradaGuia::EntradaGuia(FormaGuia forma, const RasgosEntrada& rasgos, ConsolaDeGuias* consola,
                         QWidget* padre)
    : QDialog(padre), forma_(forma), rasgos_(rasgos), consola_(consola) {
    cRubroO = Lista(this, "cRubroO", rasgos.rubrosOrigen);
    cDistritalO = Lista(this, "cDistritalO", Vocabulario::Distritales());
    cDistritalO->setMaxVisibleItems(9);
    cProvinciaO = Lista(this, "cProvinciaO");
    cMunicipioO = Lista(this, "cMunicipioO");
    ePropietarioO = Editores::Campo(this, "ePropietarioO", 50);
    ePredioO = Editores::Campo(this, "ePredioO", 50);
    cRubroD = Lista(this, "cRubroD", rasgos.rubrosDestino);
    cDistritalD = Lista(this, "cDistritalD", Vocabulario::Distritales());
    cDistritalD->setMaxVisibleItems(9);
    cProvinciaD = Lista(this, "cProvinciaD");
    cMunicipioD = Lista(this, "cMunicipioD");
    ePropietarioD = Editores::Campo(this, "ePropietarioD", 50);
    ePredioD = Editores::Campo(this, "ePredioD", 50);
    for (QComboBox* c : {cProvinciaO, cMunicipioO, cProvinciaD, cMunicipioD})
        c->setMinimumWidth(170); // room for "Andrés Ibáñez", "Puerto Suárez"
    stEspecie = Visor(this, "stEspecie", QString());
    cRecri = Objetivo(this, "cRecri", "Recría");
    cEngor = Objetivo(this, "cEngor", "Engorde");
    cRepro = Objetivo(this, "cRepro", "Reproducción");
    cExpos = Objetivo(this, "cExpos", "Exposición");
    cFeria = Objetivo(this, "cFeria", "Feria, Mercado");
    cFaena = Objetivo(this, "cFaena", "Faena");
    cTrans = Objetivo(this, "cTrans", "Tránsito temporal");
    if (rasgos.incubadora)
        cIncub = Objetivo(this, "cIncub", "Incubadora");
    eEnfermedad = Editores::Campo(this, "eEnfermedad", 50);
    eVacunacion = Editores::Campo(this, "eVacunacion", 15);
    eVeterinario = Editores::Campo(this, "eVeterinario", 50);
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
    // The lists of each side follow its district and province.
    connect(cProvinciaO, &QComboBox::activated, this,
            [this] { RefrescaListaMunicipios(Lado::Origen); });
    connect(cProvinciaD, &QComboBox::activated, this,
            [this] { RefrescaListaMunicipios(Lado::Destino); });
    eRuta->installEventFilter(this);
}

bool EntradaGuia::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == eRuta && evento->type() == QEvent::FocusIn)
        ColocaRutaAutorizada();
    return QDialog::eventFilter(objeto, evento);
}

void EntradaGuia::RefrescaListaProvincias(Lado lado) {
    const bool o = lado == Lado::Origen;
    const QChar x = o ? QLatin1Char('O') : QLatin1Char('D');
    Consulta q({QStringLiteral("SELECT *"), QStringLiteral("FROM provincias"),
                QStringLiteral("WHERE IdDistrital = :LaDis%1").arg(x)});
    q.Texto(QStringLiteral("LaDis%1").arg(x), (o ? cDistritalO : cDistritalD)->currentText(), 3);
    Editores::LlenaLista(o ? cProvinciaO : cProvinciaD, q, "IdProvincia", "NombreProvincia");
}

void EntradaGuia::RefrescaListaMunicipios(Lado lado) {
    const bool o = lado == Lado::Origen;
    const QChar x = o ? QLatin1Char('O') : QLatin1Char('D');
    // The bovine form lists them by name; the other-species form as the table holds them.
    QStringList l{QStringLiteral("SELECT *"), QStringLiteral("FROM Municipios")};
    if (rasgos_.municipiosOrdenados)
        l << QStringLiteral("WHERE IdDistrital = :LaDis%1").arg(x)
          << QStringLiteral("AND IdProvincia = :LaPro%1").arg(x)
          << QStringLiteral("ORDER BY NombreMunicipio");
    else
        l << QStringLiteral("WHERE IdDistrital = :LaDis%1 And IdProvincia = :LaPro%1").arg(x);
    Consulta q;
    q.FijaSql(l);
    q.Texto(QStringLiteral("LaDis%1").arg(x), (o ? cDistritalO : cDistritalD)->currentText(), 3);
    const QComboBox* provincia = o ? cProvinciaO : cProvinciaD;
    // No province selected: no municipality.
    if (provincia->currentIndex() < 0)
        q.Nulo(QStringLiteral("LaPro%1").arg(x), TipoParametro::Texto);
    else
        q.Texto(QStringLiteral("LaPro%1").arg(x), provincia->currentData().toString(), 2);
    Editores::LlenaLista(o ? cMunicipioO : cMunicipioD, q, "IdMunicipio", "NombreMunicipio");
}

std::vector<QCheckBox*> EntradaGuia::Objetivos() const {
    std::vector<QCheckBox*> c{cRecri, cEngor, cRepro, cExpos, cFeria, cFaena, cTrans};
    if (cIncub)
        c.push_back(cIncub);
    return c;
}

void EntradaGuia::RefrescaObjetivos() {
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
    if (cIncub)
        cIncub->setEnabled(es({"Incubadora"}));
}

// The boxes' columns: Cria, Engorde, Reproduccion, Exposicion, Feria, Faena, Transito (7) and
// Incubacion (6).
namespace {
constexpr size_t kColumnaObjetivo[] = {0, 1, 2, 3, 4, 5, 7, 6};
}

void EntradaGuia::FijaObjetivos(const std::array<bool, 8>& objetivos) {
    const auto casillas = Objetivos();
    for (size_t i = 0; i < casillas.size(); ++i)
        casillas[i]->setChecked(objetivos[kColumnaObjetivo[i]]);
}

void EntradaGuia::LlenaLugar(Lado lado, const DatosGuia& g, bool reiniciaObjetivos) {
    const bool o = lado == Lado::Origen;
    QComboBox* rubro = o ? cRubroO : cRubroD;
    QComboBox* distrital = o ? cDistritalO : cDistritalD;
    rubro->setCurrentIndex(rubro->findText(o ? g.oriRubro : g.desRubro));
    distrital->setCurrentIndex(distrital->findText(o ? g.oriIdDistrital : g.desIdDistrital));
    RefrescaListaProvincias(lado);
    ReglasRubro(lado);
    if (reiniciaObjetivos && !o)
        RefrescaObjetivos();
    Selecciona(o ? cProvinciaO : cProvinciaD, o ? g.oriIdProvincia : g.desIdProvincia);
    RefrescaListaMunicipios(lado);
    Selecciona(o ? cMunicipioO : cMunicipioD, o ? g.oriIdMunicipio : g.desIdMunicipio);
    (o ? ePredioO : ePredioD)->setText(o ? g.oriEstablecimiento : g.desEstablecimiento);
    (o ? ePropietarioO : ePropietarioD)->setText(o ? g.oriPropietario : g.desPropietario);
}

QString EntradaGuia::TotalGrupos(const DatosGuia& g) {
    std::int32_t total = 0;
    for (std::int32_t n : g.cantidadesGrupo)
        total += n;
    return QString::number(total);
}

void EntradaGuia::ColocaRutaAutorizada() {
    const QString o = cMunicipioO->currentText();
    const QString d = cMunicipioD->currentText();
    eRuta->setText(o.trimmed() != d.trimmed() ? o + QStringLiteral(" - ") + d
                                              : o + QStringLiteral(" - ") + ePredioD->text());
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

QGroupBox* EntradaGuia::GrupoLugar(Lado lado, QLayout* certificado,
                                   const QString& etiquetaPropietario) {
    const bool o = lado == Lado::Origen;
    auto* g = new QGroupBox(o ? QStringLiteral("Origen") : QStringLiteral("Destino"), this);
    auto* f = new QFormLayout(g);
    f->addRow(QStringLiteral("Rubro"), o ? cRubroO : cRubroD);
    auto* politica = new QHBoxLayout;
    politica->addWidget(o ? cDistritalO : cDistritalD);
    politica->addWidget(o ? cProvinciaO : cProvinciaD, 2);
    politica->addWidget(o ? cMunicipioO : cMunicipioD, 2);
    f->addRow(QString::fromUtf8("Ubicación política"), politica);
    if (certificado)
        f->addRow(QStringLiteral("Certificado Nro."), certificado);
    f->addRow(etiquetaPropietario, o ? ePropietarioO : ePropietarioD);
    f->addRow(QStringLiteral("Establecimiento"), o ? ePredioO : ePredioD);
    return g;
}

QGroupBox* EntradaGuia::GrupoAnimales(QToolButton* boton, QLabel* total,
                                      const QString& etiquetaEspecie) {
    auto* g = new QGroupBox(QStringLiteral("Animales a movilizar"), this);
    auto* a = new QHBoxLayout(g);
    a->addWidget(boton);
    a->addWidget(new QLabel(QStringLiteral("Total"), g));
    a->addWidget(total);
    a->addWidget(new QLabel(etiquetaEspecie, g));
    a->addWidget(stEspecie);
    a->addStretch();
    return g;
}

QGroupBox* EntradaGuia::GrupoObjetivos() {
    auto* g = new QGroupBox(QStringLiteral("Objetivo del movimiento"), this);
    auto* o = new QGridLayout(g);
    const auto casillas = Objetivos();
    for (size_t i = 0; i < casillas.size(); ++i)
        o->addWidget(casillas[i], int(i / 4), int(i % 4));
    return g;
}

QGroupBox* EntradaGuia::GrupoVacuna(const QString& etiquetaCertificados, QWidget* boton) {
    auto* g = new QGroupBox(QString::fromUtf8("Datos de la vacunación"), this);
    auto* v = new QFormLayout(g);
    v->addRow(QStringLiteral("Contra la enfermedad"), eEnfermedad);
    v->addRow(QString::fromUtf8("Fecha vacunación"), eVacunacion);
    v->addRow(QStringLiteral("Veterinario responsable"), eVeterinario);
    auto* otros = new QHBoxLayout;
    otros->addWidget(eCertificados, 1);
    if (boton)
        otros->addWidget(boton);
    v->addRow(etiquetaCertificados, otros);
    return g;
}

void EntradaGuia::Distribuye(const QList<QWidget*>& izquierda, const QList<QWidget*>& derecha) {
    auto* i = new QVBoxLayout;
    for (QWidget* w : izquierda)
        i->addWidget(w);
    auto* d = new QVBoxLayout;
    for (QWidget* w : derecha)
        d->addWidget(w);
    d->addStretch();
    auto* columnas = new QHBoxLayout;
    columnas->addLayout(i, 1);
    columnas->addLayout(d, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(columnas);
    todo->addLayout(botones);
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

void EntradaGuia::LeeComunes(DatosGuia& g) const {
    g.especie = stEspecie->text();
    g.oriRubro = cRubroO->currentText();
    g.oriEstablecimiento = ePredioO->text();
    g.oriPropietario = ePropietarioO->text();
    g.oriIdDistrital = cDistritalO->currentText();
    g.oriIdProvincia = cProvinciaO->currentData().toString();
    g.oriIdMunicipio = cMunicipioO->currentData().toString();
    g.desRubro = cRubroD->currentText();
    g.desEstablecimiento = ePredioD->text();
    g.desPropietario = ePropietarioD->text();
    g.desIdDistrital = cDistritalD->currentText();
    g.desIdProvincia = cProvinciaD->currentData().toString();
    g.desIdMunicipio = cMunicipioD->currentData().toString();
    const auto casillas = Objetivos();
    for (size_t i = 0; i < casillas.size(); ++i)
        g.objetivos[kColumnaObjetivo[i]] = casillas[i]->isChecked();
    g.vacunaEnfermedad = eEnfermedad->text();
    g.vacunaFecha = eVacunacion->text();
    g.vacunaMedico = eVeterinario->text();
    g.vacunaCertificados = eCertificados->text();
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
    QStringList medios;
    for (int i = 0; i < cMedio->count(); ++i)
        medios << cMedio->itemText(i);
    const int medio = MedioDeTipo(medios, tipo);
    cMedio->setCurrentIndex(medio);
    eConductor->setText(conductor);
    if (medio < 0)
        Mensajes::MuestraInformacion(
            QString::fromUtf8("El tipo de vehículo \"%1\" no es uno de los medios de la guía (%2): "
                              "elija el medio de transporte.")
                .arg(tipo.trimmed(), medios.join(QStringLiteral(", "))));
}

void EntradaGuia::SpeedButton5Click() {
    TfSearch busqueda(this, this);
    Ventanas::MuestraModal(busqueda);
}

bool EntradaGuia::Guarda(DatosGuia& guia, const QString& distritoCargado) {
    Ventanas::CursorEspera espera;
    const bool guardada = GuardarGuia(forma_, Modo == 0, guia, distritoCargado, consola_);
    // A bovine guide shows the number it was saved under, or tried when the insert was refused
    // (none when the numbering itself failed). A new other-species guide is numbered and stored
    // in one step: its number is not shown.
    if (forma_ == FormaGuia::Bovina && guia.nroGuia > 0)
        eNro->setText(QString::number(guia.nroGuia));
    if (!guardada)
        return false;
    accept();
    return true;
}

void EntradaGuia::LlenaSolicitante(const DatosGuia& g) {
    stEspecie->setText(g.especie);
    eSolicitante->setText(g.solicitanteNombre);
    eCarnet->setText(g.solicitanteCarnet);
}

void EntradaGuia::LlenaAutorizacion(const DatosGuia& g, bool duplicado) {
    cMedio->setCurrentIndex(cMedio->findText(g.medioTransporte));
    eConductor->setText(g.medioConductor);
    eRuta->setText(g.autorizaRuta);
    eDado->setText(duplicado ? CapitalDepartamento(IdDistrital) : g.autorizaDadoEn);
    deFecha->setDate(duplicado ? QDate::currentDate() : g.autorizaFecha);
    eEnfermedad->setText(g.vacunaEnfermedad);
    eVacunacion->setText(g.vacunaFecha);
    eVeterinario->setText(g.vacunaMedico);
    eCertificados->setText(g.vacunaCertificados);
    if (!duplicado)
        eComenta->setText(g.comentarios);
}
