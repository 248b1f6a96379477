// Modal entry point and the main frame reference.
#include "common/Ventanas.h"

#include <QDialog>

namespace Ventanas {
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

void FijaMarco(QMdiArea* marco) {
    MarcoActual() = marco;
}
QMdiArea* Marco() {
    return MarcoActual();
}

} // namespace Ventanas
