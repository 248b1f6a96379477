// Other-species guide entry form.
#include "guides/TfMueveB.h"

#include "app/Globales.h"
#include "common/Editores.h"
#include "common/Iconos.h"
#include "common/Mensajes.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"
#include "guides/TfTotalOtrB.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

RasgosEntrada Rasgos() {
    RasgosEntrada r;
    r.rubrosOrigen = {QStringLiteral("Predio"),        QStringLiteral("Feria"),
                      QStringLiteral("Remate"),        QStringLiteral("Embarcadero"),
                      QStringLiteral("Potrero"),       QStringLiteral("Incubadora"),
                      QString::fromUtf8("Importación")};
    r.rubrosDestino = {QStringLiteral("Predio"),  QStringLiteral("Feria"),
                       QStringLiteral("Remate"),  QStringLiteral("Matadero"),
                       QStringLiteral("Consumo"), QStringLiteral("Embarcadero"),
                       QStringLiteral("Potrero"), QStringLiteral("Incubadora")};
    r.incubadora = true;
    return r;
}

} // namespace

QIcon IconoEspecie(const QString& especie) {
    // Six pictures, drawn by the program: a disc of the species' colour with its code.
    static const struct {
        const char* codigo;
        QColor color;
    } dibujos[] = {{"EQU", QColor(139, 90, 43)},   {"SUI", QColor(236, 130, 160)},
                   {"CAP", QColor(150, 150, 110)}, {"GAL", QColor(230, 170, 30)},
                   {"CAM", QColor(200, 160, 100)}, {"OVI", QColor(170, 170, 190)}};
    for (const auto& d : dibujos) {
        if (especie != QLatin1String(d.codigo))
            continue;
        QPixmap p(32, 32);
        p.fill(Qt::transparent);
        QPainter pintor(&p);
        pintor.setRenderHint(QPainter::Antialiasing);
        pintor.setBrush(d.color);
        pintor.setPen(d.color.darker(150));
        pintor.drawEllipse(1, 1, 30, 30);
        QFont letra = pintor.font();
        letra.setPixelSize(10);
        letra.setBold(true);
        pintor.setFont(letra);
        pintor.setPen(Qt::black);
        pintor.drawText(p.rect(), Qt::AlignCenter, especie);
        return QIcon(p);
    }
    return {};
}

TfMueveB::TfMueveB(ConsolaDeGuias* consola, QWidget* padre)
    : EntradaGuia(FormaGuia::Otras, Rasgos(), consola, padre) {
    setObjectName(QStringLiteral("fMueveB"));
    cMunicipioO->setMaxVisibleItems(15);
    eCertificados = Editores::Campo(this, "eCertificados", 30);
    sbBoton = new QToolButton(this);
    sbBoton->setObjectName(QStringLiteral("sbBoton"));
    sbBoton->setToolTip(QStringLiteral("total de animales a movilizar"));
    sbBoton->setIconSize(QSize(32, 32));
    sbBoton->setMinimumSize(40, 40);
    stTotal = Visor(this, "stTotal", QStringLiteral("0"));

    const QString propietario = QStringLiteral("Propietario (paterno, materno, nombres)");
    Distribuye({GrupoSolicitante(), GrupoLugar(Lado::Origen, nullptr, propietario),
                GrupoLugar(Lado::Destino, nullptr, propietario),
                GrupoAnimales(sbBoton, stTotal, QStringLiteral("Esp."))},
               {GrupoNumero(), GrupoTransporte(), GrupoAutorizacion(),
                GrupoVacuna(QStringLiteral("Certificado Nro."), nullptr), GrupoObjetivos(),
                GrupoComentario()});
    // Reading order: the left column top to bottom, then the right one.
    QList<QWidget*> orden{eSolicitante, eCarnet,       cRubroO,       cDistritalO,  cProvinciaO,
                          cMunicipioO,  ePropietarioO, ePredioO,      cRubroD,      cDistritalD,
                          cProvinciaD,  cMunicipioD,   ePropietarioD, ePredioD,     sbBoton,
                          cMedio,       SpeedButton5,  eConductor,    eRuta,        eDado,
                          deFecha,      eEnfermedad,   eVacunacion,   eVeterinario, eCertificados};
    for (QCheckBox* c : Objetivos())
        orden << c;
    orden << eComenta << BitBtn1 << BitBtn2;
    for (qsizetype i = 0; i + 1 < orden.size(); ++i)
        setTabOrder(orden[i], orden[i + 1]);

    for (const Lado lado : {Lado::Origen, Lado::Destino}) {
        QComboBox* distrital = lado == Lado::Origen ? cDistritalO : cDistritalD;
        connect(distrital, &QComboBox::activated, this, [this, lado] {
            RefrescaListaProvincias(lado);
            RefrescaListaMunicipios(lado);
        });
    }
    connect(cRubroD, &QComboBox::activated, this, [this] {
        RefrescaControlesRubroD();
        RefrescaObjetivos();
    });
    connect(sbBoton, &QToolButton::clicked, this, &TfMueveB::sbBotonClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TfMueveB::BitBtn1Click);
}

void TfMueveB::showEvent(QShowEvent* evento) {
    setWindowTitle(Modo == 0 ? QString::fromUtf8("Añadir nuevo registro de otras especies")
                             : QStringLiteral("Modificar datos del registro de otras especies"));
    sbBoton->setIcon(IconoEspecie(stEspecie->text()));
    EntradaGuia::showEvent(evento);
}

void TfMueveB::AbreNueva(const QString& especie) {
    IniciaNueva();
    stEspecie->setText(especie);
    stTotal->setText(QStringLiteral("0"));
    cDistritalO->setCurrentIndex(cDistritalO->findText(IdDistrital));
    RefrescaListaProvincias(Lado::Origen);
    RefrescaListaMunicipios(Lado::Origen);
    CantidadesGrupo.fill(0);
    distritoCargado_ = IdDistrital;
}

void TfMueveB::AbreEdicion(const DatosGuia& g) {
    Modo = 1;
    eNro->setText(QString::number(g.nroGuia));
    LlenaSolicitante(g);
    LlenaLugar(Lado::Origen, g);
    cDistritalO->setEnabled(false); // the guide's key
    LlenaLugar(Lado::Destino, g);
    CantidadesGrupo = g.cantidadesGrupo;
    stTotal->setText(TotalGrupos(g));
    RefrescaObjetivos();
    FijaObjetivos(g.objetivos);
    LlenaAutorizacion(g, false);
    distritoCargado_ = g.oriIdDistrital;
}

void TfMueveB::AbreDuplicado(const DatosGuia& g) {
    IniciaNueva();
    stTotal->setText(QStringLiteral("0"));
    CantidadesGrupo.fill(0);
    LlenaSolicitante(g);
    LlenaLugar(Lado::Origen, g);
    LlenaLugar(Lado::Destino, g, true);
    std::array<bool, 8> objetivos = g.objetivos;
    objetivos[6] = false; // the hatchery objective is not carried into a duplicate
    FijaObjetivos(objetivos);
    LlenaAutorizacion(g, true);
    distritoCargado_ = g.oriIdDistrital;
}

void TfMueveB::ReglasRubro(Lado lado) {
    // The origin's kind has no rules of its own here.
    if (lado == Lado::Destino)
        RefrescaControlesRubroD();
}

void TfMueveB::RefrescaControlesRubroD() {
    for (QLineEdit* e : {ePropietarioD, ePredioD}) {
        SoloLectura(e, false);
        e->clear();
    }
    if (cRubroD->currentText() == QLatin1String("Consumo")) {
        SoloLectura(ePropietarioD, true);
        SoloLectura(ePredioD, true);
        ePredioD->setText(QStringLiteral("C O N S U M O"));
    }
}

void TfMueveB::sbBotonClick() {
    TfTotalOtrB cuenta(CantidadesGrupo, this);
    if (Ventanas::MuestraModal(cuenta) == QDialog::Accepted) {
        CantidadesGrupo = cuenta.CantidadesGrupo();
        stTotal->setText(cuenta.Total());
    }
}

QString TfMueveB::Revisa() const {
    if (ePredioO->text().isEmpty())
        return QStringLiteral("Debe especificar un predio de Origen !");
    if (ePredioD->text().isEmpty())
        return QStringLiteral("Debe especificar un predio de Destino !");
    if (cMedio->currentIndex() < 0 || eConductor->text().isEmpty())
        return QStringLiteral("Debe especificar el medio de transporte y conductor !");
    if (eSolicitante->text().isEmpty())
        return QStringLiteral("Debe especificar el nombre del solicitante !");
    if (cProvinciaO->currentIndex() < 0 || cProvinciaD->currentIndex() < 0)
        return QStringLiteral("Debe especificar las provincias !");
    if (cMunicipioO->currentIndex() < 0 || cMunicipioD->currentIndex() < 0)
        return QStringLiteral("Debe especificar municipios !");
    if (stTotal->text() == QLatin1String("0"))
        return QStringLiteral("Debe especificar la cantidad de animales a movilizar !");
    bool objetivo = false;
    for (const QCheckBox* c : Objetivos())
        objetivo = objetivo || c->isChecked();
    if (!objetivo)
        return QStringLiteral("Debe especificar el objetivo del movimiento !");
    return {};
}

void TfMueveB::BitBtn1Click() {
    const QString rechazo = Revisa();
    if (!rechazo.isEmpty()) {
        MuestraError(rechazo);
        return;
    }
    DatosGuia g;
    g.nroGuia = eNro->text().toInt();
    g.cantidadesGrupo = CantidadesGrupo;
    LeeComunes(g);
    Guarda(g, distritoCargado_);
}
