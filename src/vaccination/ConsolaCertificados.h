// What the two certificate consoles share: the cycle, department and province filters, the
// run, insert and export commands with the count line, the list, the rights (insert for
// PSi_Ciclos_Escribe, edit and delete also only while a row is current), the delete question
// and the re-run after it, the export, and the current row for the entry forms. Each console
// gives its statement, columns, totals, its extra filters and commands, and its entry form.
#pragma once

#include "common/ModeloGrilla.h"
#include "vaccination/ConsolaDeCertificados.h"

#include <QWidget>

class Grilla;
class QAction;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QToolButton;
class RellenoGeografia;

class ConsolaCertificados : public QWidget, public ConsolaDeCertificados {
    Q_OBJECT
public:
    QComboBox* cbCiclo;
    QComboBox* cbDistrital;
    QCheckBox* cProvincias;
    QComboBox* dbProvincias;
    QToolButton* sbEjecutar;
    QToolButton* sbInsertar;
    QToolButton* sbExportar;
    QLabel* lTotal;

    QVariant Actual(const QString& campo) const override;
    void ArmaConsultaVacunas() override;
    bool Localiza(const QString& ciclo, int numero) override;

public Q_SLOTS:
    void sbEjecutarClick();
    void sbInsertarClick();
    void sbEditarClick();
    void sbEliminarClick();
    void sbExportarClick();

protected:
    ConsolaCertificados(const QString& nombre, const QString& nombreGrilla,
                        const QStringList& ciclos, QWidget* padre);

    Grilla* Lista() const { return lista_; }
    RellenoGeografia* Geografia() const { return geografia_; }
    QAction* AccionEditar() const { return editar_; }
    QAction* AccionEliminar() const { return eliminar_; }
    // Before Inicia: a further filter (its check box over its control) and a further command.
    void AgregaFiltro(QWidget* arriba, QWidget* control);
    void AgregaBoton(QToolButton* boton);
    // Lays the window out with its bottom panel and presets the filters: the cycle equal to
    // `ciclo` (none when it is not listed), the user's department and its provinces.
    void Inicia(QWidget* panelInferior, const QString& ciclo);
    void ActualizaComandos();

    // The differences of each console.
    virtual QStringList Lineas() const = 0;
    virtual std::vector<DefColumna> Columnas() const = 0;
    virtual QString Tabla() const = 0; // "Ciclos" or "Vacunaciones"
    virtual void MuestraTotales(ModeloGrilla& modelo) = 0;
    // The form for a new certificate (modo 0) or the current row (modo 1), shown modally.
    virtual void AbreForma(std::uint8_t modo) = 0;
    // Whether the current row may be changed; shows why not. Every row by default.
    virtual bool PuedeCambiar() const { return true; }
    // Whether a run may go ahead (a console may ask first).
    virtual bool ConfirmaEjecucion() { return true; }

private:
    void cProvinciasClick();

    Grilla* lista_;
    QGridLayout* filtros_;
    int extras_ = 0; // further filters laid out
    QList<QToolButton*> botones_;
    RellenoGeografia* geografia_;
    QAction* editar_;
    QAction* eliminar_;
};
