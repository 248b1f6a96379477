// Legacy certificate console.
#include "vaccination/TfVacunaC.h"

#include "app/Globales.h"
#include "common/Editores.h"
#include "common/Grilla.h"
#include "common/Mensajes.h"
#include "common/PanelTotales.h"
#include "common/RellenoGeografia.h"
#include "common/Ventanas.h"
#include "db/Consulta.h"
#include "vaccination/TfVacunaA.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

namespace {

// A filter list of a registry, its first row preselected.
void LlenaLista(QComboBox* cb, const QStringList& sentencia, const char* clave, const char* texto) {
    Editores::LlenaLista(cb, sentencia, clave, texto);
    cb->setCurrentIndex(cb->count() > 0 ? 0 : -1);
}

QComboBox* ListaFiltro(QWidget* padre, const char* nombre) {
    auto* cb = new QComboBox(padre);
    cb->setObjectName(QLatin1String(nombre));
    cb->setMaxVisibleItems(15);
    cb->setMinimumWidth(160);
    return cb;
}

QCheckBox* Casilla(QWidget* padre, const char* nombre, const QString& texto) {
    auto* c = new QCheckBox(texto, padre);
    c->setObjectName(QLatin1String(nombre));
    return c;
}

} // namespace

TfVacunaC::TfVacunaC(QWidget* padre)
    : ConsolaCertificados(QStringLiteral("fVacunaC"), QStringLiteral("dbGrid1"),
                          {QStringLiteral("20"), QStringLiteral("19"), QStringLiteral("18"),
                           QStringLiteral("17"), QStringLiteral("16"), QStringLiteral("15"),
                           QStringLiteral("14"), QStringLiteral("13"), QStringLiteral("12"),
                           QStringLiteral("11")},
                          padre) {
    dbGrid1 = Lista();
    QWidget* arriba = cbCiclo->parentWidget();
    cProveedor = Casilla(arriba, "cProveedor", QStringLiteral("Especificar proveedor"));
    cbProveedor = ListaFiltro(arriba, "cbProveedor");
    LlenaLista(cbProveedor,
               {QStringLiteral("select IdVeterinaria, IdDistrital, NombreVeterinaria"),
                QStringLiteral("from veterinarias"), QStringLiteral("order by NombreVeterinaria")},
               "IdVeterinaria", "NombreVeterinaria");
    cVacunador = Casilla(arriba, "cVacunador", QStringLiteral("Especificar vacunador"));
    cbVacunador = ListaFiltro(arriba, "cbVacunador");
    LlenaLista(cbVacunador,
               {QStringLiteral("select IdCarnet, IdDistrital,"),
                QStringLiteral("       (Paterno+' '+ISNULL(Materno,'')+' '+Nombres) AS "
                               "NombreVacunador"),
                QStringLiteral("from veterinarios"),
                QStringLiteral("order by Paterno, Materno, Nombres")},
               "IdCarnet", "NombreVacunador");
    cCategoria = Casilla(arriba, "cCategoria", QString::fromUtf8("Especificar categorización"));
    cbCategoria = ListaFiltro(arriba, "cbCategoria");
    cbCategoria->addItems(CategoriasTamano());
    cbCategoria->setCurrentIndex(0);
    AgregaFiltro(cProveedor, cbProveedor);
    AgregaFiltro(cVacunador, cbVacunador);
    AgregaFiltro(cCategoria, cbCategoria);

    // Edit and delete are tool buttons here (no context menu), following the shared commands.
    sbEditar = BotonConsola(arriba, "sbEditar", Iconos::Dibujo::Editar,
                            QStringLiteral("modificar datos del certificado"));
    sbEliminar = BotonConsola(arriba, "sbEliminar", Iconos::Dibujo::Eliminar,
                              QStringLiteral("eliminar certificado"));
    AgregaBoton(sbEditar);
    AgregaBoton(sbEliminar);
    connect(sbEditar, &QToolButton::clicked, AccionEditar(), &QAction::trigger);
    connect(sbEliminar, &QToolButton::clicked, AccionEliminar(), &QAction::trigger);
    connect(AccionEditar(), &QAction::changed, this,
            [this] { sbEditar->setEnabled(AccionEditar()->isEnabled()); });
    connect(AccionEliminar(), &QAction::changed, this,
            [this] { sbEliminar->setEnabled(AccionEliminar()->isEnabled()); });

    // Bottom panel: the sums of the eight categories and their total.
    auto* abajo = new QWidget(this);
    abajo->setObjectName(QStringLiteral("PanelInferior"));
    auto* g = new QGridLayout(abajo);
    const char* nombres[] = {"stTern", "stVaqu", "stTori", "stNovi", "stVaca",
                             "stToro", "stBuey", "stBufa", "stTota"};
    const QString titulos[] = {
        QStringLiteral("Terneros"), QStringLiteral("Vaquillas"),  QStringLiteral("Torillos"),
        QStringLiteral("Novillos"), QStringLiteral("Vacas"),      QStringLiteral("Toros"),
        QStringLiteral("Bueyes"),   QString::fromUtf8("Búfalos"), QStringLiteral("TOTAL")};
    for (int i = 0; i < 9; ++i) {
        auto* titulo = new QLabel(titulos[i], abajo);
        titulo->setAlignment(Qt::AlignCenter);
        stTotales[size_t(i)] = new QLabel(QStringLiteral("0"), abajo);
        stTotales[size_t(i)]->setObjectName(QLatin1String(nombres[i]));
        stTotales[size_t(i)]->setAlignment(Qt::AlignCenter);
        stTotales[size_t(i)]->setFrameShape(QFrame::Panel);
        stTotales[size_t(i)]->setFrameShadow(QFrame::Sunken);
        g->addWidget(titulo, 0, i);
        g->addWidget(stTotales[size_t(i)], 1, i);
    }

    // Creation: the cycle equal to the current one (none while it is above 20), the user's
    // department with its provinces, the province filter on.
    cProvincias->setChecked(true);
    Inicia(abajo, CicloActual);
    for (const auto& [casilla, lista] : {std::pair<QCheckBox*, QComboBox*>{cProveedor, cbProveedor},
                                         {cVacunador, cbVacunador},
                                         {cCategoria, cbCategoria}}) {
        auto sigue = [casilla = casilla, lista = lista] {
            lista->setEnabled(casilla->isChecked());
            ColoreaFiltro(lista, casilla->isChecked());
        };
        connect(casilla, &QCheckBox::toggled, this, sigue);
        sigue();
    }
    sbEditar->setEnabled(AccionEditar()->isEnabled());
    sbEliminar->setEnabled(AccionEliminar()->isEnabled());
    resize(1100, 580);
}

FiltrosLegado TfVacunaC::Filtros() const {
    FiltrosLegado f;
    f.ciclo = cbCiclo->currentText();
    f.distrital = cbDistrital->currentText();
    if (cProvincias->isChecked())
        f.provincia = Geografia()->IdProvincia();
    if (cProveedor->isChecked())
        f.proveedor = cbProveedor->currentData().toString();
    if (cVacunador->isChecked())
        f.vacunador = cbVacunador->currentData().toString();
    if (cCategoria->isChecked())
        f.categoria = cbCategoria->currentIndex();
    return f;
}

QStringList TfVacunaC::Lineas() const {
    return LineasConsultaLegado(Filtros());
}

std::vector<DefColumna> TfVacunaC::Columnas() const {
    return ColumnasLegado();
}

void TfVacunaC::MuestraTotales(ModeloGrilla& modelo) {
    const std::array<qint64, 9> t = SacaTotalesLegado(modelo);
    for (size_t i = 0; i < 9; ++i)
        stTotales[i]->setText(QString::number(t[i]));
}

bool TfVacunaC::ConfirmaEjecucion() {
    if (cProvincias->isChecked())
        return true;
    return Mensajes::Pregunta(
        QString::fromUtf8("Está intentando listar los certificados de vacunación de toda una "
                          "distrital!\nesto puede llevar algunos minutos. Desea continuar?"),
        QStringLiteral("Pregunta"));
}

bool TfVacunaC::PuedeCambiar() const {
    if (Actual(QStringLiteral("IdDistrital")).toString() == IdDistrital)
        return true;
    Mensajes::MuestraError(QString::fromUtf8(
        "Ud. no puede efectuar esta operación porque el registro es de otra distrital !"));
    return false;
}

void TfVacunaC::AbreForma(std::uint8_t modo) {
    TfVacunaA forma(this);
    forma.Modo = modo;
    forma.FijaConsola(this);
    if (modo == 0)
        forma.SeleccionaCiclo(CicloActual);
    else
        forma.CargaDesde(*this);
    Ventanas::MuestraModal(forma);
}
