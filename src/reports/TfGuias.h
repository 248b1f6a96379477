// The guides-issued report's dialog: a date range and a district, then the report's preview.
// TfGuias counts the legacy categories of every guide, TfGuias21 the age/sex groups of the
// bovine guides; everything else is one piece. Modal.
#pragma once

#include "reports/GuiasEmitidas.h"

#include <QDialog>

class EditorFecha;
class QCheckBox;
class QComboBox;
class QPushButton;

class TfGuias : public QDialog {
    Q_OBJECT
public:
    explicit TfGuias(QWidget* padre = nullptr) : TfGuias(VarianteGuias::Categorias, padre) {}

    EditorFecha* deDesde;
    EditorFecha* deHasta;
    QCheckBox* cJD;
    QComboBox* cbJD; // BEN, SCZ, PDO, CBB, ORU, LPZ, TJA, PTS, CHU
    QPushButton* BitBtn1;

    // The report as "Ver reporte" builds it.
    Informe Reporte() const;
    void BitBtn1Click();

protected:
    TfGuias(VarianteGuias variante, QWidget* padre);

private:
    VarianteGuias variante_;
};

class TfGuias21 : public TfGuias {
    Q_OBJECT
public:
    explicit TfGuias21(QWidget* padre = nullptr) : TfGuias(VarianteGuias::Grupos, padre) {}
};
