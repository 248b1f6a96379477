// Modal entry point and the main frame reference.
#include "common/Ventanas.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

#include <QDialog>
#include <QFontMetrics>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

namespace {

class FiltroEnter : public QObject {
public:
    FiltroEnter(QAbstractButton* boton, QObject* padre) : QObject(padre), boton_(boton) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) {
                if (boton_->isEnabled())
                    boton_->click();
                return true;
            }
        }
        return QObject::eventFilter(o, e);
    }

private:
    QAbstractButton* boton_;
};

} // namespace

namespace Ventanas {

void EnterPulsa(QWidget* campo, QAbstractButton* boton) {
    campo->installEventFilter(new FiltroEnter(boton, campo));
}
namespace {
Manejador& Actual() {
    static Manejador manejador;
    return manejador;
}
QPointer<QMdiArea>& MarcoActual() {
    static QPointer<QMdiArea> marco;
    return marco;
}
} // namespace

int MuestraModal(QDialog& dialogo) {
    if (Actual())
        return Actual()(dialogo);
    return dialogo.exec();
}

Manejador InstalaManejador(Manejador manejador) {
    Manejador anterior = Actual();
    Actual() = std::move(manejador);
    return anterior;
}

void TamanoFijo(QDialog& dialogo, QSize minimo) {
    QSize tamano = dialogo.sizeHint().expandedTo(minimo);
    // The caption, the icon and the title bar's buttons.
    QFont titulo = dialogo.font();
    titulo.setBold(true);
    const int caption = QFontMetrics(titulo).horizontalAdvance(dialogo.windowTitle()) + 110;
    tamano.setWidth(std::max(tamano.width(), caption));
    dialogo.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialogo.setFixedSize(tamano);
}

void AjustaAlMarco(QMdiSubWindow& sub, QSize contenido) {
    const QMargins marco = sub.contentsMargins();
    const int barra = sub.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &sub);
    QSize total(contenido.width() + marco.left() + marco.right(),
                contenido.height() + marco.top() + marco.bottom() + barra);
    if (QMdiArea* area = Marco())
        if (area->viewport()->width() > 0)
            total = total.boundedTo(area->viewport()->size());
    sub.resize(total);
}

void FijaMarco(QMdiArea* marco) {
    MarcoActual() = marco;
}
QMdiArea* Marco() {
    return MarcoActual();
}

CursorEspera::CursorEspera() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

CursorEspera::~CursorEspera() {
    QApplication::restoreOverrideCursor();
}

} // namespace Ventanas
