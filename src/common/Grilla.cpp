// The grid view.
#include "common/Grilla.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <algorithm>

Grilla::Grilla(QWidget* padre) : QTableView(padre), modelo_(new ModeloGrilla(this)) {
    setModel(modelo_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setAlternatingRowColors(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int columna) {
        const int actual = FilaActual();
        modelo_->OrdenaPorClic(columna);
        // The same record stays current after sorting.
        for (int i = 0; actual >= 0 && i < modelo_->Filas(); ++i)
            if (modelo_->FilaOrigen(i) == actual) {
                setCurrentIndex(
                    modelo_->index(i, currentIndex().column() < 0 ? 0 : currentIndex().column()));
                break;
            }
    });
    connect(modelo_, &QAbstractItemModel::modelReset, this, [this] {
        AplicaColumnas();
        if (modelo_->Filas() > 0)
            IrAPrimera();
        Q_EMIT FilaCambiada(FilaActual());
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex&, const QModelIndex&) { Q_EMIT FilaCambiada(FilaActual()); });
}

void Grilla::AplicaColumnas() {
    const auto& columnas = modelo_->Columnas();
    QStringList titulos;
    for (size_t i = 0; i < columnas.size(); ++i)
        titulos << modelo_->Titulo(int(i));
    const bool nuevas = titulos != titulos_;
    const bool conFilas = modelo_->Filas() > 0;
    const bool mide = nuevas || (conFilas && !medida_);
    titulos_ = titulos;
    if (nuevas)
        medida_ = false;
    for (size_t i = 0; i < columnas.size(); ++i) {
        setColumnHidden(int(i), !columnas[i].visible);
        if (mide)
            setColumnWidth(int(i),
                           columnas[i].ancho > 0 ? columnas[i].ancho : AnchoNatural(int(i)));
    }
    if (mide && conFilas)
        medida_ = true;
}

int Grilla::AnchoNatural(int columna) const {
    constexpr int kFilasMedidas = 200, kMaximo = 360;
    const QFontMetrics letras = fontMetrics();
    const QFontMetrics cabecera(horizontalHeader()->font());
    int ancho = cabecera.horizontalAdvance(modelo_->Titulo(columna)) + 18;
    const int filas = std::min(modelo_->Filas(), kFilasMedidas);
    for (int f = 0; f < filas && ancho < kMaximo; ++f)
        ancho = std::max(ancho, letras.horizontalAdvance(modelo_->Texto(f, columna)) + 12);
    return std::clamp(ancho, 40, kMaximo);
}

int Grilla::FilaActual() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? modelo_->FilaOrigen(i.row()) : -1;
}

void Grilla::IrAPrimera() {
    if (modelo_->Filas() > 0 && modelo_->columnCount() > 0)
        setCurrentIndex(modelo_->index(0, 0));
}

bool Grilla::Localiza(const QStringList& campos, const QVariantList& valores) {
    const int fila = modelo_->Busca(campos, valores);
    if (fila >= 0)
        setCurrentIndex(modelo_->index(fila, 0));
    return fila >= 0;
}
