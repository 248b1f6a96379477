// The statistics window "Reporte estadístico según provincias": vaccinated bovines of one
// department per province in up to three cycles, as a table of totals and a bar chart with one
// coloured series per cycle. Child window of the main frame, one instance; nothing is queried
// until the chart is asked for.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

class GraficoProvincias;
class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;
class QToolButton;

class TfEstadisP : public QWidget {
    Q_OBJECT
public:
    explicit TfEstadisP(QWidget* padre = nullptr);

    QComboBox* cDistrital;
    QComboBox *cb1, *cb2, *cb3;
    QTableWidget* sgTotal;
    QLabel *stSerie1, *stSerie2, *stSerie3;
    GraficoProvincias* Chart1;
    QCheckBox* cEtiquetas;
    QCheckBox* c3D;
    QToolButton* SpeedButton1; // draw
    QToolButton* SpeedButton2; // copy

    void ColocaProvincias();
    void LimpiaGrid();
    void ColocaTitulosSeries();
    void SpeedButton1Click();
    void SpeedButton2Click();

    // The row that gathers totals of province codes outside the department's names.
    static QString TextoSinProvincia();

private:
    void DibujaSerie(int serie);
    // The "Sin provincia" row, added at the bottom the first time a series needs it.
    int FilaSinProvincia(int serie);
    QString Celda(int fila, int columna) const;
    void FijaCelda(int fila, int columna, const QString& texto);

    std::array<QComboBox*, 3> ciclos_;
    std::array<QLabel*, 3> totales_;
    int provincias_ = 0;
};

inline QPointer<TfEstadisP> fEstadisP;
