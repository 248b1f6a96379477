// Certificate console, cycles 21 on.
#include "vaccination/TfVacunaC_New.h"

#include "app/Globales.h"
#include "common/Errores.h"
#include "common/Exportacion.h"
#include "common/Grilla.h"
#include "common/Mensajes.h"
#include "common/PanelTotales.h"
#include "common/RellenoGeografia.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"
#include "db/Consulta.h"
#include "vaccination/ConsultaVacunas.h"
#include "vaccination/TfVacunaA_New.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TfVacunaC_New::TfVacunaC_New(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("fVacunaC_New"));
    setWindowTitle(QStringLiteral("Reporte de vacunaciones"));

    // Top panel: filters and commands.
    auto* arriba = new QWidget(this);
    arriba->setObjectName(QStringLiteral("PanelSuperior"));
    arriba->setAutoFillBackground(true);
    cbCiclo = new QComboBox(arriba);
    cbCiclo->setObjectName(QStringLiteral("cbCiclo"));
    cbCiclo->addItems({QStringLiteral("25"), QStringLiteral("24"), QStringLiteral("23"),
                       QStringLiteral("22"), QStringLiteral("21")});
    cbDistrital = new QComboBox(arriba);
    cbDistrital->setObjectName(QStringLiteral("cbDistrital"));
    cbDistrital->addItems(Vocabulario::Distritales());
    cProvincias = new QCheckBox(QStringLiteral("Especificar provincia"), arriba);
    cProvincias->setObjectName(QStringLiteral("cProvincias"));
    dbProvincias = new QComboBox(arriba);
    dbProvincias->setObjectName(QStringLiteral("dbProvincias"));
    dbProvincias->setMaxVisibleItems(15);
    dbProvincias->setMinimumWidth(180);
    sbEjecutar = BotonConsola(arriba, "sbEjecutar", Iconos::Dibujo::Ejecutar,
                              QStringLiteral("listar registros, ejecutar consulta"));
    sbInsertar = BotonConsola(arriba, "sbInsertar", Iconos::Dibujo::Insertar,
                              QStringLiteral("agregar nuevo certificado"));
    sbExportar = BotonConsola(arriba, "sbExportar", Iconos::Dibujo::Exportar,
                              QStringLiteral("exportar a MS-Excel"));
    lTotal = new QLabel(QStringLiteral("0 registros encontados ..."), arriba);
    lTotal->setObjectName(QStringLiteral("lTotal"));
    auto* filtros = new QGridLayout(arriba);
    filtros->addWidget(new QLabel(QString::fromUtf8("Especificar ciclo de vacunación"), arriba), 0,
                       0);
    filtros->addWidget(cbCiclo, 1, 0);
    filtros->addWidget(new QLabel(QStringLiteral("Especificar distrital"), arriba), 0, 1);
    filtros->addWidget(cbDistrital, 1, 1);
    filtros->addWidget(cProvincias, 0, 2);
    filtros->addWidget(dbProvincias, 1, 2);
    filtros->addWidget(sbEjecutar, 0, 3, 2, 1);
    filtros->addWidget(sbInsertar, 0, 4, 2, 1);
    filtros->addWidget(sbExportar, 0, 5, 2, 1);
    filtros->addWidget(lTotal, 0, 6, 2, 1);
    filtros->setColumnStretch(6, 1);

    // Centre: the list, with its context menu.
    UltimDBGrid1 = new Grilla(this);
    UltimDBGrid1->Modelo().Titula(ColumnasVacunas());
    UltimDBGrid1->setObjectName(QStringLiteral("UltimDBGrid1"));
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    adicionarnuevoregistro1 = PopupMenu1->addAction(QStringLiteral("adicionar nuevo registro"));
    adicionarnuevoregistro1->setObjectName(QStringLiteral("adicionarnuevoregistro1"));
    sbEditar = PopupMenu1->addAction(QStringLiteral("modificar datos del registro"));
    sbEditar->setObjectName(QStringLiteral("sbEditar"));
    sbEliminar = PopupMenu1->addAction(QStringLiteral("eliminar registro"));
    sbEliminar->setObjectName(QStringLiteral("sbEliminar"));
    UltimDBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(UltimDBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        PopupMenu1->popup(UltimDBGrid1->viewport()->mapToGlobal(p));
    });

    // Bottom panel: totals by age band.
    pTotales = new PanelTotales(
        {QStringLiteral("< 12 (m)"), QStringLiteral("< 12 (h)"), QStringLiteral("13-24 (m)"),
         QStringLiteral("13-24 (h)"), QStringLiteral("25-36 (m)"), QStringLiteral("25-36 (h)"),
         QStringLiteral("> 36 (m)"), QStringLiteral("> 36 (h)"), QStringLiteral("TOTAL BOV")},
        QColor(), QColor(), this);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(2, 2, 2, 2);
    todo->addWidget(arriba);
    todo->addWidget(UltimDBGrid1, 1);
    todo->addWidget(pTotales);

    // Creation: first cycle, the user's department, its provinces; no list yet.
    cbCiclo->setCurrentIndex(0);
    geografia_ = new RellenoGeografia(cbDistrital, dbProvincias, nullptr,
                                      RellenoGeografia::Ordinarias(), this);
    geografia_->FijaDistrital(IdDistrital);
    cProvinciasClick();

    connect(cProvincias, &QCheckBox::clicked, this, &TfVacunaC_New::cProvinciasClick);
    connect(sbEjecutar, &QToolButton::clicked, this, &TfVacunaC_New::sbEjecutarClick);
    connect(sbInsertar, &QToolButton::clicked, this, &TfVacunaC_New::sbInsertarClick);
    connect(adicionarnuevoregistro1, &QAction::triggered, this, &TfVacunaC_New::sbInsertarClick);
    connect(sbEditar, &QAction::triggered, this, &TfVacunaC_New::sbEditarClick);
    connect(sbEliminar, &QAction::triggered, this, &TfVacunaC_New::sbEliminarClick);
    connect(sbExportar, &QToolButton::clicked, this, &TfVacunaC_New::sbExportarClick);
    connect(UltimDBGrid1, &Grilla::FilaCambiada, this, [this] { ActualizaComandos(); });
    sbExportar->setEnabled(false);
    ActualizaComandos();
    resize(1000, 560);
}

void TfVacunaC_New::cProvinciasClick() {
    dbProvincias->setEnabled(cProvincias->isChecked());
    QPalette paleta = dbProvincias->palette();
    paleta.setColor(QPalette::Base,
                    cProvincias->isChecked() ? Qt::white : palette().color(QPalette::Window));
    dbProvincias->setPalette(paleta);
}

void TfVacunaC_New::ActualizaComandos() {
    // Writing certificates is for users with the cycles right; a reader only looks.
    sbInsertar->setEnabled(PSi_Ciclos_Escribe);
    adicionarnuevoregistro1->setEnabled(PSi_Ciclos_Escribe);
    const bool hayFila = UltimDBGrid1->FilaActual() >= 0;
    sbEditar->setEnabled(PSi_Ciclos_Escribe && hayFila);
    sbEliminar->setEnabled(PSi_Ciclos_Escribe && hayFila);
}

void TfVacunaC_New::ArmaConsultaVacunas() {
    UltimDBGrid1->Modelo().Vacia();
    Consulta qLista;
    qLista.FijaSql(LineasConsultaVacunas(cbCiclo->currentText(), cbDistrital->currentText(),
                                         cProvincias->isChecked()
                                             ? std::optional<QString>(geografia_->IdProvincia())
                                             : std::nullopt));
    ModeloGrilla& modelo = UltimDBGrid1->Modelo();
    qLista.AbreEn(modelo, ColumnasVacunas());
    AgregaTotalesPorFila(modelo);
    lTotal->setText(QStringLiteral("%1 registros encontrados").arg(modelo.Filas()));
    sbExportar->setEnabled(modelo.Filas() > 0);
    const TotalesVacunas t = SacaTotales(modelo);
    pTotales->Muestra(t.bov, t.bub);
    ActualizaComandos();
}

bool TfVacunaC_New::Localiza(const QString& ciclo, int numero) {
    return UltimDBGrid1->Localiza({QStringLiteral("IdCiclo"), QStringLiteral("CertificadoNro")},
                                  {ciclo, numero});
}

QVariant TfVacunaC_New::Actual(const QString& campo) const {
    const int f = UltimDBGrid1->FilaActual();
    return f < 0 ? QVariant() : UltimDBGrid1->Modelo().Valor(f, campo);
}

void TfVacunaC_New::sbEjecutarClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restaura {
        ~Restaura() { QApplication::restoreOverrideCursor(); }
    } restaura;
    ArmaConsultaVacunas();
}

void TfVacunaC_New::sbInsertarClick() {
    TfVacunaA_New forma(this);
    forma.Modo = 0;
    forma.SeleccionaCiclo(CicloActual);
    forma.PreparaRegistro();
    Ventanas::MuestraModal(forma);
}

void TfVacunaC_New::sbEditarClick() {
    if (UltimDBGrid1->FilaActual() < 0)
        return;
    TfVacunaA_New forma(this);
    forma.Modo = 1;
    forma.CargaDesde(*this);
    forma.PreparaRegistro();
    Ventanas::MuestraModal(forma);
}

void TfVacunaC_New::sbEliminarClick() {
    if (UltimDBGrid1->FilaActual() < 0)
        return;
    const QString ciclo = Actual(QStringLiteral("IdCiclo")).toString();
    const QVariant numero = Actual(QStringLiteral("CertificadoNro"));
    if (!Mensajes::Pregunta(QStringLiteral("Eliminar el certificado Nro: ") + numero.toString() +
                                QStringLiteral(" ?"),
                            QStringLiteral("Eliminar")))
        return;
    Consulta cElimina({QStringLiteral("DELETE FROM Ciclos"),
                       QStringLiteral("WHERE IdCiclo = :ElCic"),
                       QStringLiteral("AND CertificadoNro = :ElCer")});
    cElimina.Texto(QStringLiteral("ElCic"), ciclo, 3);
    cElimina.Entero(QStringLiteral("ElCer"), numero);
    try {
        cElimina.Ejecuta();
    } catch (const ErrorTarvelion&) {
        MuestraError(QStringLiteral("No se ha podido eliminar el registro!"));
        return;
    }
    ArmaConsultaVacunas();
}

void TfVacunaC_New::sbExportarClick() {
    ExportaConDialogo(*UltimDBGrid1);
}
