// Read-only data grid of the registry's windows: a table view over a ModeloGrilla, sorted by
// clicking a column title, columns titled and hidden as the model's column table says, fast
// with a million rows (fixed row height, no per-row measuring).
#pragma once

#include "common/ModeloGrilla.h"

#include <QTableView>

class Grilla : public QTableView {
    Q_OBJECT
public:
    explicit Grilla(QWidget* padre = nullptr);

    ModeloGrilla& Modelo() { return *modelo_; }
    const ModeloGrilla& Modelo() const { return *modelo_; }
    // Applies the model's column table: visibility, and widths on the first fill with rows
    // (title and content of the first rows) or when the columns change; later runs keep the
    // widths the user left.
    void AplicaColumnas();
    // Source row of the current row, -1 when there is none.
    int FilaActual() const;
    void IrAPrimera();
    // Makes the row whose key fields equal the values current; false when it is not listed.
    bool Localiza(const QStringList& campos, const QVariantList& valores);

Q_SIGNALS:
    void FilaCambiada(int filaOrigen);

private:
    // The width of a column for its title and the texts of its first rows.
    int AnchoNatural(int columna) const;

    ModeloGrilla* modelo_;
    bool medida_ = false; // widths taken from rows once
    QStringList titulos_; // the column set the widths belong to
};
