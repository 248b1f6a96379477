// The console of vaccination certificates of cycle 21 on: lists the certificates of a cycle and
// department (optionally a province) with per-row and overall totals by age band, exports the
// list, and adds, changes and deletes certificates through the entry form.
#pragma once

#include <QPointer>
#include <QWidget>

class Grilla;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QAction;
class QToolButton;
class PanelTotales;
class RellenoGeografia;

class TfVacunaC_New : public QWidget {
    Q_OBJECT
public:
    explicit TfVacunaC_New(QWidget* padre = nullptr);

    QComboBox* cbCiclo;
    QComboBox* cbDistrital;
    QCheckBox* cProvincias;
    QComboBox* dbProvincias;
    QToolButton* sbEjecutar;
    QToolButton* sbInsertar;
    QToolButton* sbExportar;
    QLabel* lTotal;
    Grilla* UltimDBGrid1;
    QMenu* PopupMenu1;
    QAction* adicionarnuevoregistro1;
    QAction* sbEditar;
    QAction* sbEliminar;
    PanelTotales* pTotales;

    // Builds and runs the list, then the count line, the export state and the totals.
    void ArmaConsultaVacunas();
    // Moves to the certificate with this key; false when it is not listed.
    bool Localiza(const QString& ciclo, int numero);
    // The current row's value of a field (NULL without a current row).
    QVariant Actual(const QString& campo) const;

public Q_SLOTS:
    void sbEjecutarClick();
    void sbInsertarClick();
    void sbEditarClick();
    void sbEliminarClick();
    void sbExportarClick();

private:
    void cProvinciasClick();
    void ActualizaComandos();

    RellenoGeografia* geografia_;
};

// The open console, if any (the entry form refreshes it after a save).
inline QPointer<TfVacunaC_New> fVacunaC_New;
