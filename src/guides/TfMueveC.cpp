// Movement guide console.
#include "guides/TfMueveC.h"

#include "app/Globales.h"
#include "common/Editores.h"
#include "common/Errores.h"
#include "common/Exportacion.h"
#include "common/Grilla.h"
#include "common/Mensajes.h"
#include "common/PanelTotales.h"
#include "common/RellenoGeografia.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"
#include "db/Consulta.h"
#include "guides/ConsultaGuias.h"
#include "guides/EntregaGuias.h"
#include "guides/ImpresionGuia.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QCheckBox* Casilla(QWidget* padre, const char* nombre, const QString& titulo) {
    auto* c = new QCheckBox(titulo, padre);
    c->setObjectName(QString::fromLatin1(nombre));
    return c;
}

QComboBox* Lista(QWidget* padre, const char* nombre, const QStringList& items = {}) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nombre));
    c->addItems(items);
    c->setMaxVisibleItems(15);
    c->setMinimumWidth(150);
    return c;
}

std::optional<QString> Si(bool marcado, const QString& valor) {
    return marcado ? std::optional<QString>(valor) : std::nullopt;
}

} // namespace

TfMueveC::TfMueveC(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("fMueveC"));
    setWindowTitle(QString::fromUtf8("Guías de Movimiento Animal"));

    auto* arriba = new QWidget(this);
    // The two sides of a movement, built alike.
    auto lado = [&](const QString& titulo, const QString& tituloRubro, const QStringList& rubros,
                    const QString& tituloDistrital, const char* const nombres[8],
                    QCheckBox*& cRubro, QComboBox*& cbRubro, QCheckBox*& cDistrital,
                    QComboBox*& cbDistrital, QCheckBox*& cProvincia, QComboBox*& cbProvincias,
                    QCheckBox*& cMunicipio, QComboBox*& cbMunicipios) {
        auto* grupo = new QGroupBox(titulo, arriba);
        cRubro = Casilla(grupo, nombres[0], tituloRubro);
        cbRubro = Lista(grupo, nombres[1], rubros);
        cDistrital = Casilla(grupo, nombres[2], tituloDistrital);
        cbDistrital = Lista(grupo, nombres[3], Vocabulario::Distritales());
        cbDistrital->setMaxVisibleItems(9);
        cProvincia = Casilla(grupo, nombres[4], QStringLiteral("Provincia"));
        cbProvincias = Lista(grupo, nombres[5]);
        cMunicipio = Casilla(grupo, nombres[6], QStringLiteral("Municipio"));
        cbMunicipios = Lista(grupo, nombres[7]);
        auto* rejilla = new QGridLayout(grupo);
        const std::pair<QWidget*, QWidget*> filas[] = {{cRubro, cbRubro},
                                                       {cDistrital, cbDistrital},
                                                       {cProvincia, cbProvincias},
                                                       {cMunicipio, cbMunicipios}};
        for (int f = 0; f < 4; ++f) {
            rejilla->addWidget(filas[f].first, f, 0);
            rejilla->addWidget(filas[f].second, f, 1);
        }
        return grupo;
    };
    static const char* const nombresO[] = {"cRubroO",      "cbRubroO",     "cDistritalO",
                                           "cbDistritalO", "cProvinciaO",  "cbProvinciasO",
                                           "cMunicipioO",  "cbMunicipiosO"};
    static const char* const nombresD[] = {"cRubroD",      "cbRubroD",     "cDistritalD",
                                           "cbDistritalD", "cProvinciaD",  "cbprovinciasD",
                                           "cMunicipioD",  "cbMunicipiosD"};
    QGroupBox* gOrigen =
        lado(QStringLiteral("Origen"), QStringLiteral("Especificar rubro de origen"),
             {QStringLiteral("Predio"), QStringLiteral("Feria"), QStringLiteral("Remate"),
              QStringLiteral("Embarcadero"), QStringLiteral("Potrero"),
              QString::fromUtf8("Importación"), QStringLiteral("Incubadora")},
             QStringLiteral("Especificar distrital origen"), nombresO, cRubroO, cbRubroO,
             cDistritalO, cbDistritalO, cProvinciaO, cbProvinciasO, cMunicipioO, cbMunicipiosO);
    QGroupBox* gDestino =
        lado(QStringLiteral("Destino"), QStringLiteral("Especificar rubro destino"),
             {QStringLiteral("Predio"), QStringLiteral("Feria"), QStringLiteral("Remate"),
              QStringLiteral("Matadero"), QStringLiteral("Consumo"), QStringLiteral("Potrero"),
              QStringLiteral("Embarcadero"), QStringLiteral("Incubadora")},
             QStringLiteral("Especificar distrital destino"), nombresD, cRubroD, cbRubroD,
             cDistritalD, cbDistritalD, cProvinciaD, cbprovinciasD, cMunicipioD, cbMunicipiosD);

    auto* derecha = new QWidget(arriba);
    deDesde = new EditorFecha(derecha, true);
    deDesde->setObjectName(QStringLiteral("deDesde"));
    deHasta = new EditorFecha(derecha, true);
    deHasta->setObjectName(QStringLiteral("deHasta"));
    cUsuarios =
        Casilla(derecha, "cUsuarios", QString::fromUtf8("Especificar responsable de emisión"));
    cbUsuarios = Lista(derecha, "cbUsuarios");
    sbEjecutar = BotonConsola(derecha, "sbEjecutar", Iconos::Dibujo::Ejecutar,
                              QStringLiteral("listar registros, ejecutar consulta"));
    sbInsertar = BotonConsola(
        derecha, "sbInsertar", Iconos::Dibujo::Insertar,
        QString::fromUtf8("agregar nuevo registro de guía para bovinos y otras especies"));
    sbEditar = BotonConsola(derecha, "sbEditar", Iconos::Dibujo::Editar,
                            QString::fromUtf8("modificar datos de la guía"));
    sbEliminar = BotonConsola(derecha, "sbEliminar", Iconos::Dibujo::Eliminar,
                              QString::fromUtf8("eliminar guía"));
    sbImprimir = BotonConsola(derecha, "sbImprimir", Iconos::Dibujo::Imprimir,
                              QString::fromUtf8("imprimir guía"));
    sbDuplicar = BotonConsola(derecha, "sbDuplicar", Iconos::Dibujo::Duplicar,
                              QString::fromUtf8("duplicar guía"));
    sbExportar = BotonConsola(derecha, "sbExportar", Iconos::Dibujo::Exportar,
                              QStringLiteral("exportar a MS-Excel"));
    lTotali = new QLabel(QStringLiteral("0 registros"), derecha);
    lTotali->setObjectName(QStringLiteral("lTotali"));
    QFont negrita = lTotali->font();
    negrita.setBold(true);
    lTotali->setFont(negrita);
    auto* lr = new QGridLayout(derecha);
    lr->addWidget(new QLabel(QStringLiteral("Emitidas desde"), derecha), 0, 0);
    lr->addWidget(deDesde, 0, 1);
    lr->addWidget(new QLabel(QStringLiteral("Hasta"), derecha), 0, 2);
    lr->addWidget(deHasta, 0, 3);
    // The official on a line of its own, the list only as wide as a login needs.
    lr->addWidget(cUsuarios, 1, 0, 1, 4);
    lr->addWidget(cbUsuarios, 2, 0, 1, 2);
    cbUsuarios->setMinimumContentsLength(14);
    cbUsuarios->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* botones = new QHBoxLayout;
    for (QToolButton* b :
         {sbEjecutar, sbInsertar, sbEditar, sbEliminar, sbImprimir, sbDuplicar, sbExportar})
        botones->addWidget(b);
    botones->addStretch();
    lr->addLayout(botones, 3, 0, 1, 4);
    lr->addWidget(lTotali, 4, 0, 1, 4);
    lr->setColumnStretch(4, 1);
    auto* fila = new QHBoxLayout(arriba);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->addWidget(gOrigen);
    fila->addWidget(gDestino);
    fila->addWidget(derecha, 1);

    dbGrid1 = new Grilla(this);
    dbGrid1->Modelo().Titula(ColumnasGuias());
    dbGrid1->setObjectName(QStringLiteral("dbGrid1"));
    // Guides written by the other-species form (legacy counts NULL) read in blue.
    // Other-species guides (no legacy bovine counts) in blue.
    dbGrid1->Modelo().FijaColorTextoFila(
        QStringLiteral("BOV_Terneros"), [](const ModeloGrilla& m, int f, int campo) {
            return m.EsNulo(f, campo) ? QColor(Qt::blue) : QColor(Qt::black);
        });
    pTotales = new PanelTotales(
        {QStringLiteral("< 12 (M)"), QStringLiteral("< 12 (H)"), QStringLiteral("13-24 (M)"),
         QStringLiteral("13-24 (H)"), QStringLiteral("25-36 (M)"), QStringLiteral("25-36 (H)"),
         QStringLiteral("> 36 (M)"), QStringLiteral("> 36 (H)"), QStringLiteral("TOTAL BOV")},
        QColor(192, 220, 192), QColor(166, 202, 240), this);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(2, 2, 2, 2);
    todo->addWidget(arriba);
    todo->addWidget(dbGrid1, 1);
    todo->addWidget(pTotales);

    // Creation, in its order.
    deDesde->setDate(QDate::currentDate());
    deHasta->setDate(QDate::currentDate());
    cbRubroO->setCurrentIndex(0);
    cbRubroD->setCurrentIndex(0);
    cbDistritalD->setCurrentIndex(0);
    cUsuarios->setEnabled(PSi_GMA_MiraOtras);
    cbUsuarios->setEnabled(PSi_GMA_MiraOtras);
    cUsuarios->setChecked(true);
    origen_ = new RellenoGeografia(cbDistritalO, cbProvinciasO, cbMunicipiosO,
                                   RellenoGeografia::Ordinarias(), this);
    destino_ = new RellenoGeografia(cbDistritalD, cbprovinciasD, cbMunicipiosD,
                                    RellenoGeografia::Ordinarias(), this);
    {
        const QSignalBlocker b(cbDistritalO);
        cbDistritalO->setCurrentIndex(cbDistritalO->findText(IdDistrital));
    }
    cDistritalO->setChecked(true);
    cDistritalO->setEnabled(false);
    llenaUsuarios();
    origen_->RefrescaProvincias();
    origen_->RefrescaMunicipios();
    destino_->RefrescaProvincias();
    destino_->RefrescaMunicipios();

    for (QCheckBox* c : {cRubroO, cRubroD, cUsuarios, cMunicipioO, cMunicipioD, cProvinciaO,
                         cProvinciaD, cDistritalD})
        connect(c, &QCheckBox::toggled, this, &TfMueveC::ActualizaFiltros);
    connect(sbEjecutar, &QToolButton::clicked, this, &TfMueveC::sbEjecutarClick);
    connect(sbEliminar, &QToolButton::clicked, this, &TfMueveC::sbEliminarClick);
    connect(sbInsertar, &QToolButton::clicked, this, [this] { CreaGMA(*this); });
    connect(sbEditar, &QToolButton::clicked, this, [this] { EditaGMA(*this); });
    connect(sbDuplicar, &QToolButton::clicked, this, [this] { DuplicaGMA(*this); });
    connect(sbExportar, &QToolButton::clicked, this, &TfMueveC::sbExportarClick);
    connect(sbImprimir, &QToolButton::clicked, this, &TfMueveC::sbImprimirClick);
    connect(dbGrid1, &Grilla::FilaCambiada, this, [this] { ActualizaComandos(); });
    ActualizaFiltros();
    sbImprimir->setEnabled(false);
    sbExportar->setEnabled(false);
    ActualizaComandos();
    resize(1240, 660);
}

void TfMueveC::ActualizaFiltros() {
    // Unchecking a side's province also unchecks its municipality.
    if (!cProvinciaO->isChecked())
        cMunicipioO->setChecked(false);
    if (!cProvinciaD->isChecked())
        cMunicipioD->setChecked(false);
    cMunicipioO->setEnabled(cProvinciaO->isChecked());
    cMunicipioD->setEnabled(cProvinciaD->isChecked());
    const std::pair<QCheckBox*, QWidget*> pares[] = {
        {cRubroO, cbRubroO},          {cRubroD, cbRubroD},          {cUsuarios, cbUsuarios},
        {cMunicipioO, cbMunicipiosO}, {cMunicipioD, cbMunicipiosD}, {cProvinciaO, cbProvinciasO},
        {cProvinciaD, cbprovinciasD}};
    for (auto [casilla, control] : pares) {
        control->setEnabled(casilla->isChecked() && (casilla != cUsuarios || PSi_GMA_MiraOtras));
        ColoreaFiltro(control, casilla->isChecked());
    }
    cbDistritalD->setEnabled(cDistritalD->isChecked());
}

void TfMueveC::ActualizaComandos() {
    // Deleting is for users holding the delete right, on a current guide; inserting for users
    // who issue guides, and editing and duplicating for them on a current guide.
    const bool fila = dbGrid1->FilaActual() >= 0;
    sbEliminar->setEnabled(PSi_GMA_Elimina && fila);
    sbInsertar->setEnabled(PSi_GMA_Escribe);
    sbEditar->setEnabled(PSi_GMA_Escribe && fila);
    // Only a bovine or a pig guide has a form that makes its duplicate.
    const QString especie = fila ? Actual(QStringLiteral("Especie")).toString() : QString();
    const bool duplicable = especie == QLatin1String("BOV") || especie == QLatin1String("SUI");
    sbDuplicar->setEnabled(PSi_GMA_Escribe && duplicable);
    sbDuplicar->setToolTip(fila && !duplicable
                               ? QString::fromUtf8("Las guías de %1 no se duplican: solo las de "
                                                   "bovinos y porcinos.")
                                     .arg(especie)
                               : QString::fromUtf8("duplicar guía"));
}

void TfMueveC::llenaUsuarios() {
    cbUsuarios->clear();
    Consulta q({QStringLiteral("select IdUsuario"), QStringLiteral("from usuarios"),
                QStringLiteral("order by IdUsuario")});
    q.Abre();
    for (q.Primero(); !q.Eof(); q.Siguiente())
        cbUsuarios->addItem(q.TextoCampo(QStringLiteral("IdUsuario")));
    q.Cierra();
    cbUsuarios->setCurrentIndex(cbUsuarios->findText(UsuarioBase));
}

FiltrosGuias TfMueveC::Filtros() const {
    FiltrosGuias f;
    f.rubroOrigen = Si(cRubroO->isChecked(), cbRubroO->currentText());
    f.rubroDestino = Si(cRubroD->isChecked(), cbRubroD->currentText());
    f.distritalOrigen = cbDistritalO->currentText();
    f.provinciaOrigen = Si(cProvinciaO->isChecked(), origen_->IdProvincia());
    f.municipioOrigen = Si(cMunicipioO->isChecked(), origen_->IdMunicipio());
    f.distritalDestino = Si(cDistritalD->isChecked(), cbDistritalD->currentText());
    f.provinciaDestino = Si(cProvinciaD->isChecked(), destino_->IdProvincia());
    f.municipioDestino = Si(cMunicipioD->isChecked(), destino_->IdMunicipio());
    f.funcionario = Si(cUsuarios->isChecked(),
                       cbUsuarios->currentIndex() < 0 ? QString() : cbUsuarios->currentText());
    return f;
}

void TfMueveC::ArmaConsultaGuias() {
    ModeloGrilla& modelo = dbGrid1->Modelo();
    modelo.Vacia();
    Consulta qGuias;
    qGuias.FijaSql(LineasConsultaGuias(Filtros()));
    qGuias.FechaHora(QStringLiteral("Inic"), QDateTime(deDesde->date(), QTime(0, 0)));
    qGuias.FechaHora(QStringLiteral("Fina"), QDateTime(deHasta->date(), QTime(0, 0)));
    qGuias.AbreEn(modelo, ColumnasGuias());
    lTotali->setText(QStringLiteral("%1 registros(s)").arg(modelo.Filas()));
    sbImprimir->setEnabled(modelo.Filas() > 0);
    sbExportar->setEnabled(modelo.Filas() > 0);
    const TotalesGuias t = SacarTotales(modelo);
    pTotales->Muestra(t.bov, t.bub);
    ActualizaComandos();
}

void TfMueveC::sbEjecutarClick() {
    Ventanas::CursorEspera espera;
    ArmaConsultaGuias();
}

QVariant TfMueveC::Actual(const QString& campo) const {
    const int f = dbGrid1->FilaActual();
    return f < 0 ? QVariant() : dbGrid1->Modelo().Valor(f, campo);
}

bool TfMueveC::Localiza(std::int32_t nroGuia, const QString& distrital) {
    return dbGrid1->Localiza({QStringLiteral("NroGuia"), QStringLiteral("Ori_IdDistrital")},
                             {nroGuia, distrital});
}

void TfMueveC::ReestableceControles() {
    deDesde->setDate(QDate::currentDate());
    deHasta->setDate(QDate::currentDate());
    for (QCheckBox* c :
         {cRubroO, cProvinciaO, cMunicipioO, cRubroD, cDistritalD, cProvinciaD, cMunicipioD})
        c->setChecked(false);
    cUsuarios->setChecked(true);
    cbUsuarios->setCurrentIndex(cbUsuarios->findText(UsuarioBase));
}

void TfMueveC::sbEliminarClick() {
    if (dbGrid1->FilaActual() < 0)
        return;
    const QString falla =
        VerificaPropiedad(Actual(QStringLiteral("Autoriza_Funcionario")).toString(),
                          Actual(QStringLiteral("Ori_IdDistrital")).toString());
    if (!falla.isEmpty()) {
        MuestraError(falla);
        return;
    }
    const QVariant nro = Actual(QStringLiteral("NroGuia"));
    if (!Mensajes::Pregunta(QString::fromUtf8("Seguro de eliminar la guía nro. ") + nro.toString(),
                            QStringLiteral("Eliminar")))
        return;
    Consulta cElimina({QStringLiteral("DELETE FROM Guias"),
                       QStringLiteral("WHERE NroGuia = :LaGuia"),
                       QStringLiteral("AND Ori_IdDistrital = :LaDist")});
    cElimina.Entero(QStringLiteral("LaGuia"), nro);
    cElimina.Texto(QStringLiteral("LaDist"), Actual(QStringLiteral("Ori_IdDistrital")).toString(),
                   3);
    try {
        cElimina.Ejecuta();
    } catch (const ErrorBaseDatos& e) {
        MuestraError(QStringLiteral("No se ha podido eliminar el registro !\n") + e.Texto());
        return;
    }
    sbEjecutarClick();
}

void TfMueveC::sbExportarClick() {
    ExportaConDialogo(*dbGrid1);
}

void TfMueveC::sbImprimirClick() {
    if (dbGrid1->FilaActual() < 0)
        return;
    ImprimeGuia([this](const QString& campo) { return Actual(campo); });
}
