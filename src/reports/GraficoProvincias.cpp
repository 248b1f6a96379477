// Statistics bar chart.
#include "reports/GraficoProvincias.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsItem>
#include <QGraphicsTextItem>
#include <QPainter>
#include <QValueAxis>

CarasBarra CarasProfundidad(const QRectF& f, double d) {
    const QPointF des(d, -d);
    CarasBarra c;
    c.arriba << f.topLeft() << f.topRight() << f.topRight() + des << f.topLeft() + des;
    c.costado << f.topRight() << f.bottomRight() << f.bottomRight() + des << f.topRight() + des;
    return c;
}

namespace {

const std::array<QColor, 3> kColores{QColor(255, 0, 0), QColor(0, 128, 0), QColor(255, 255, 0)};

// Qt Charts stacks its pieces by z: grid 2, axes 3, bar series 4. The faces go between, so
// the bars' fronts cover them.
constexpr double kZProfundidad = 3.5;

} // namespace

// The depth faces of every bar, drawn under the fronts.
class GraficoProvincias::Profundidad : public QGraphicsItem {
public:
    explicit Profundidad(GraficoProvincias& g, QGraphicsItem* padre) : QGraphicsItem(padre), g_(g) {
        setZValue(kZProfundidad);
    }
    QRectF boundingRect() const override { return g_.Chart1->rect(); }
    void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override {
        p->setRenderHint(QPainter::Antialiasing);
        for (size_t k = 0; k < kColores.size(); ++k) {
            const QColor& color = kColores[k];
            p->setPen(QPen(color.darker(170), 0.5));
            for (const QRectF& frente : g_.FrentesSerie(int(k))) {
                const CarasBarra c = CarasProfundidad(frente, Hondura(frente));
                p->setBrush(color.darker(115));
                p->drawPolygon(c.arriba);
                p->setBrush(color.darker(145));
                p->drawPolygon(c.costado);
            }
        }
    }
    static double Hondura(const QRectF& frente) { return std::min(12.0, frente.width() * 0.45); }
    void Actualiza() {
        prepareGeometryChange();
        update();
    }

private:
    GraficoProvincias& g_;
};

// A frame around the chart's own title (the chart has no frame of its own for it).
class GraficoProvincias::MarcoTitulo : public QGraphicsItem {
public:
    explicit MarcoTitulo(QChart& c) : QGraphicsItem(&c), c_(c) { setZValue(kZProfundidad); }
    QRectF boundingRect() const override { return Rect().adjusted(-1, -1, 1, 1); }
    void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override {
        if (c_.title().isEmpty())
            return;
        p->setPen(QPen(Qt::black, 1));
        p->setBrush(Qt::NoBrush);
        p->drawRect(Rect());
    }
    void Actualiza() {
        prepareGeometryChange();
        update();
    }

private:
    // Where the chart laid out its title text, with room around it.
    QRectF Rect() const {
        for (QGraphicsItem* hijo : c_.childItems())
            if (auto* t = dynamic_cast<QGraphicsTextItem*>(hijo);
                t && t->toPlainText() == c_.title() && !c_.title().isEmpty())
                return t->mapRectToParent(t->boundingRect()).adjusted(-6, -2, 6, 2);
        return {};
    }
    QChart& c_;
};

GraficoProvincias::GraficoProvincias(QWidget* padre) : QChartView(padre) {
    setObjectName(QStringLiteral("Chart1"));
    Chart1 = new QChart;
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setBackgroundBrush(Qt::white);
    Chart1->setBackgroundRoundness(0);
    QFont negrita = Chart1->titleFont();
    negrita.setBold(true);
    negrita.setPointSize(10);
    Chart1->setTitleFont(negrita);
    barras = new QBarSeries;
    barras->setLabelsVisible(false);
    barras->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    barras->setLabelsFormat(QStringLiteral("@value"));
    // Upright, so the values of neighbouring bars do not run into each other.
    barras->setLabelsAngle(-90);
    for (size_t k = 0; k < Series.size(); ++k) {
        Series[k] = new QBarSet(QString());
        Series[k]->setObjectName(QStringLiteral("Series%1").arg(k + 1));
        Series[k]->setColor(kColores[k]);
        Series[k]->setBorderColor(kColores[k].darker(170));
        Series[k]->setLabelColor(Qt::black);
        QFont chica = Series[k]->labelFont();
        chica.setPointSize(7);
        Series[k]->setLabelFont(chica);
        barras->append(Series[k]);
    }
    Chart1->addSeries(barras);
    ejeProvincias = new QBarCategoryAxis;
    // The province names stand upright under their bars, whole.
    ejeProvincias->setLabelsAngle(-90);
    ejeCantidad = new QValueAxis;
    ejeCantidad->setLabelFormat(QStringLiteral("%d"));
    ejeCantidad->setRange(0, 10);
    Chart1->addAxis(ejeProvincias, Qt::AlignBottom);
    Chart1->addAxis(ejeCantidad, Qt::AlignLeft);
    barras->attachAxis(ejeProvincias);
    barras->attachAxis(ejeCantidad);
    Chart1->legend()->setVisible(true);
    Chart1->legend()->setAlignment(Qt::AlignRight);
    Chart1->setAnimationOptions(QChart::NoAnimation);
    caras_ = new Profundidad(*this, Chart1);
    marco_ = new MarcoTitulo(*Chart1);
    setChart(Chart1);
    setRenderHint(QPainter::Antialiasing);
    setBackgroundBrush(Qt::white);
    connect(Chart1, &QChart::plotAreaChanged, this, [this] { Reajusta(); });
}

void GraficoProvincias::FijaTitulo(const QString& titulo) {
    Chart1->setTitle(titulo);
    Reajusta();
}

void GraficoProvincias::FijaTituloSerie(int serie, const QString& titulo) {
    Series[size_t(serie)]->setLabel(titulo);
}

void GraficoProvincias::Limpia(const QStringList& categorias) {
    for (QBarSet* s : Series)
        s->remove(0, int(s->count()));
    ejeProvincias->clear();
    ejeProvincias->append(categorias);
    ejeCantidad->setRange(0, 10);
    Reajusta();
}

void GraficoProvincias::AgregaCategoria(const QString& categoria, const std::vector<int>& previos) {
    ejeProvincias->append(categoria);
    for (size_t k = 0; k < previos.size() && k < Series.size(); ++k)
        Series[k]->append(previos[k]);
    Reajusta();
}

void GraficoProvincias::AgregaBarra(int serie, int valor) {
    Series[size_t(serie)]->append(valor);
    if (valor > ejeCantidad->max()) {
        ejeCantidad->setRange(0, valor * 1.1);
        ejeCantidad->applyNiceNumbers();
    }
    Reajusta();
}

void GraficoProvincias::MuestraEtiquetas(bool visibles) {
    barras->setLabelsVisible(visibles);
}

void GraficoProvincias::Fija3D(bool profundidad) {
    profundidad_ = profundidad;
    caras_->setVisible(profundidad);
}

std::vector<QRectF> GraficoProvincias::FrentesSerie(int j) const {
    // Qt Charts places bar j of n at category i over [i - w/2 + j·w/n, i - w/2 + (j+1)·w/n].
    std::vector<QRectF> frentes;
    const double w = barras->barWidth();
    const int n = int(Series.size());
    const QBarSet* s = Series[size_t(j)];
    for (int i = 0; i < s->count(); ++i) {
        const double x0 = i - w / 2 + j * w / n;
        const QPointF a = Chart1->mapToPosition(QPointF(x0, s->at(i)), barras);
        const QPointF b = Chart1->mapToPosition(QPointF(x0 + w / n, 0), barras);
        frentes.push_back(QRectF(a, b).normalized());
    }
    return frentes;
}

QImage GraficoProvincias::Imagen() {
    QImage imagen(viewport()->size(), QImage::Format_RGB32);
    imagen.fill(Qt::white);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    render(&p, QRectF(imagen.rect()), viewport()->rect());
    return imagen;
}

void GraficoProvincias::resizeEvent(QResizeEvent* evento) {
    QChartView::resizeEvent(evento);
    Reajusta();
}

void GraficoProvincias::Reajusta() {
    caras_->Actualiza();
    marco_->Actualiza();
}
