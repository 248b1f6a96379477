// The bottom panel of the consoles: bovine and bubaline totals by age band and sex, a row each,
// with the total of the row at the end.
#pragma once

#include "common/Iconos.h"

#include <QWidget>
#include <array>

class QLabel;

class PanelTotales : public QWidget {
    Q_OBJECT
public:
    // `titulos`: the eight band titles and the total's; colours of the two rows (invalid: none).
    PanelTotales(const QStringList& titulos, const QColor& colorBovinos,
                 const QColor& colorBubalinos, QWidget* padre = nullptr);
    // Shows the eight sums of each row and their totals.
    void Muestra(const std::array<qint64, 8>& bovinos, const std::array<qint64, 8>& bubalinos);

    std::array<QLabel*, 9> stBOV; // 1m, 1h ... 4h, then the total
    std::array<QLabel*, 9> stBUB;
};

// A tool button of the consoles' command panels.
class QToolButton* BotonConsola(QWidget* padre, const char* nombre, Iconos::Dibujo dibujo,
                                const QString& pista);
// A filter control's colour: white while its check box is checked, silver otherwise.
void ColoreaFiltro(QWidget* control, bool activo);
