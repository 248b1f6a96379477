// Certificate console, cycles 21 on.
#include "vaccination/TfVacunaC_New.h"

#include "app/Globales.h"
#include "common/Grilla.h"
#include "common/PanelTotales.h"
#include "common/RellenoGeografia.h"
#include "common/Ventanas.h"
#include "vaccination/ConsultaVacunas.h"
#include "vaccination/TfVacunaA_New.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QToolButton>

TfVacunaC_New::TfVacunaC_New(QWidget* padre)
    : ConsolaCertificados(QStringLiteral("fVacunaC_New"), QStringLiteral("UltimDBGrid1"),
                          {QStringLiteral("25"), QStringLiteral("24"), QStringLiteral("23"),
                           QStringLiteral("22"), QStringLiteral("21")},
                          padre) {
    UltimDBGrid1 = Lista();
    // Edit and delete live in the list's context menu.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    adicionarnuevoregistro1 = PopupMenu1->addAction(QStringLiteral("adicionar nuevo registro"));
    adicionarnuevoregistro1->setObjectName(QStringLiteral("adicionarnuevoregistro1"));
    sbEditar = AccionEditar();
    sbEditar->setObjectName(QStringLiteral("sbEditar"));
    sbEliminar = AccionEliminar();
    sbEliminar->setObjectName(QStringLiteral("sbEliminar"));
    PopupMenu1->addAction(sbEditar);
    PopupMenu1->addAction(sbEliminar);
    UltimDBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(UltimDBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        PopupMenu1->popup(UltimDBGrid1->viewport()->mapToGlobal(p));
    });
    connect(adicionarnuevoregistro1, &QAction::triggered, this, &TfVacunaC_New::sbInsertarClick);
    // Bottom panel: totals by age band.
    pTotales = new PanelTotales(
        {QStringLiteral("< 12 (m)"), QStringLiteral("< 12 (h)"), QStringLiteral("13-24 (m)"),
         QStringLiteral("13-24 (h)"), QStringLiteral("25-36 (m)"), QStringLiteral("25-36 (h)"),
         QStringLiteral("> 36 (m)"), QStringLiteral("> 36 (h)"), QStringLiteral("TOTAL BOV")},
        QColor(), QColor(), this);
    // Creation: the first cycle, the user's department, its provinces; no list yet.
    Inicia(pTotales, cbCiclo->itemText(0));
    adicionarnuevoregistro1->setEnabled(PSi_Ciclos_Escribe);
    resize(1000, 560);
}

QStringList TfVacunaC_New::Lineas() const {
    return LineasConsultaVacunas(cbCiclo->currentText(), cbDistrital->currentText(),
                                 cProvincias->isChecked()
                                     ? std::optional<QString>(Geografia()->IdProvincia())
                                     : std::nullopt);
}

std::vector<DefColumna> TfVacunaC_New::Columnas() const {
    return ColumnasVacunas();
}

void TfVacunaC_New::MuestraTotales(ModeloGrilla& modelo) {
    AgregaTotalesPorFila(modelo);
    const TotalesVacunas t = SacaTotales(modelo);
    pTotales->Muestra(t.bov, t.bub);
}

void TfVacunaC_New::AbreForma(std::uint8_t modo) {
    TfVacunaA_New forma(this);
    forma.Modo = modo;
    forma.FijaConsola(this);
    if (modo == 0)
        forma.SeleccionaCiclo(CicloActual);
    else
        forma.CargaDesde(*this);
    forma.PreparaRegistro();
    Ventanas::MuestraModal(forma);
}
