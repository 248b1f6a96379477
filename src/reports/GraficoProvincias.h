// The bar chart of the statistics window: one series per chosen cycle (red, green, yellow),
// one category per province, a framed bold title, the legend, value marks on demand and a
// depth effect for "3D". Qt Charts draws flat bars only; the depth is our own item drawn
// under the bars: each bar gets a darker top and right face, offset up and to the right, so
// a neighbour's front face hides the side it covers, as in a drawn 3D chart.
#pragma once

#include <QChartView>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <array>
#include <vector>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QChart;
class QValueAxis;

// The two faces that give a bar's front rectangle its depth of `d` pixels.
struct CarasBarra {
    QPolygonF arriba, costado;
};
CarasBarra CarasProfundidad(const QRectF& frente, double d);

class GraficoProvincias : public QChartView {
    Q_OBJECT
public:
    explicit GraficoProvincias(QWidget* padre = nullptr);

    QChart* Chart1;
    std::array<QBarSet*, 3> Series; // Series1, Series2, Series3
    QBarSeries* barras;
    QBarCategoryAxis* ejeProvincias;
    QValueAxis* ejeCantidad;

    void FijaTitulo(const QString& titulo);
    void FijaTituloSerie(int serie, const QString& titulo);
    // Removes every bar and sets the categories for the next drawing.
    void Limpia(const QStringList& categorias);
    // Appends a category after the drawing began; the series already drawn get `previos` for
    // it (one value per series drawn so far).
    void AgregaCategoria(const QString& categoria, const std::vector<int>& previos);
    void AgregaBarra(int serie, int valor);

    void MuestraEtiquetas(bool visibles);
    void Fija3D(bool profundidad);
    bool Es3D() const { return profundidad_; }
    // The front rectangles of a series' bars as drawn now, in chart coordinates.
    std::vector<QRectF> FrentesSerie(int serie) const;
    // The chart as a bitmap on white, at the view's size.
    QImage Imagen();

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void Reajusta();
    class Profundidad; // the depth faces under the bars
    class MarcoTitulo; // the frame around the title
    bool profundidad_ = true;
    Profundidad* caras_;
    MarcoTitulo* marco_;
};
