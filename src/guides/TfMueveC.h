// The movement guide console: lists the guides issued in a date range, filtered by origin and
// destination and by the issuing official, with totals of bovines and bubalines by age group;
// prints, exports and deletes the current guide.
#pragma once

#include "guides/ConsultaGuias.h"
#include "guides/RegistroGuia.h"

#include <QPointer>
#include <QWidget>

class EditorFecha;
class Grilla;
class PanelTotales;
class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;
class RellenoGeografia;

class TfMueveC : public QWidget, public ConsolaDeGuias {
    Q_OBJECT
public:
    explicit TfMueveC(QWidget* padre = nullptr);

    // Origin.
    QCheckBox* cRubroO;
    QComboBox* cbRubroO;
    QCheckBox* cDistritalO;
    QComboBox* cbDistritalO;
    QCheckBox* cProvinciaO;
    QComboBox* cbProvinciasO;
    QCheckBox* cMunicipioO;
    QComboBox* cbMunicipiosO;
    // Destination.
    QCheckBox* cRubroD;
    QComboBox* cbRubroD;
    QCheckBox* cDistritalD;
    QComboBox* cbDistritalD;
    QCheckBox* cProvinciaD;
    QComboBox* cbprovinciasD;
    QCheckBox* cMunicipioD;
    QComboBox* cbMunicipiosD;
    // Dates, official, commands.
    EditorFecha* deDesde;
    EditorFecha* deHasta;
    QCheckBox* cUsuarios;
    QComboBox* cbUsuarios;
    QToolButton* sbEjecutar;
    QToolButton* sbInsertar;
    QToolButton* sbEditar;
    QToolButton* sbEliminar;
    QToolButton* sbImprimir;
    QToolButton* sbDuplicar;
    QToolButton* sbExportar;
    QLabel* lTotali;
    Grilla* dbGrid1;
    PanelTotales* pTotales;

    // The filters as the check boxes and lists stand.
    FiltrosGuias Filtros() const;
    void ArmaConsultaGuias();
    void llenaUsuarios();
    // The current guide's value of a field (NULL without a current row).
    QVariant Actual(const QString& campo) const;

    // The entry forms' hand-back after a save.
    void ReestableceControles() override;
    void Ejecuta() override { sbEjecutarClick(); }
    bool Localiza(std::int32_t nroGuia, const QString& distrital) override;

public Q_SLOTS:
    void sbEjecutarClick();
    void sbEliminarClick();
    void sbExportarClick();
    void sbImprimirClick();

private:
    void ActualizaFiltros();
    void ActualizaComandos();

    RellenoGeografia* origen_;
    RellenoGeografia* destino_;
};

// The open console, if any.
inline QPointer<TfMueveC> fMueveC;
