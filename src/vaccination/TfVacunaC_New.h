// The console of vaccination certificates of cycle 21 on: lists the certificates of a cycle and
// department (optionally a province) with per-row and overall totals by age band, exports the
// list, and adds, changes and deletes certificates through the entry form (edit and delete
// from the list's context menu).
#pragma once

#include "vaccination/ConsolaCertificados.h"

#include <QPointer>

class QMenu;
class PanelTotales;

class TfVacunaC_New : public ConsolaCertificados {
    Q_OBJECT
public:
    explicit TfVacunaC_New(QWidget* padre = nullptr);

    Grilla* UltimDBGrid1;
    QMenu* PopupMenu1;
    QAction* adicionarnuevoregistro1;
    QAction* sbEditar;
    QAction* sbEliminar;
    PanelTotales* pTotales;

protected:
    QStringList Lineas() const override;
    std::vector<DefColumna> Columnas() const override;
    QString Tabla() const override { return QStringLiteral("Ciclos"); }
    void MuestraTotales(ModeloGrilla& modelo) override;
    void AbreForma(std::uint8_t modo) override;
};

// The open console, if any (the lookup's entry form refreshes it after a save).
inline QPointer<TfVacunaC_New> fVacunaC_New;
