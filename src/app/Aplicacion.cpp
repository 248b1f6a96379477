// The application object and the application-level error handler.
#include "app/Aplicacion.h"

#include "common/Errores.h"
#include "common/Mensajes.h"

#include <QLocale>
#include <clocale>

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(argc, argv) {}

bool Aplicacion::notify(QObject* receptor, QEvent* evento) {
    try {
        return QApplication::notify(receptor, evento);
    } catch (...) {
        ManejaExcepcion(std::current_exception());
        return false;
    }
}

void ManejaExcepcion(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const AccionAbandonada&) {
        // The action was abandoned on purpose; nothing is shown.
    } catch (const ErrorTarvelion& e) {
        MuestraError(e.Texto());
    } catch (const std::exception& e) {
        MuestraError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        MuestraError(QStringLiteral("Error desconocido"));
    }
}

void ComoManejador(const std::function<void()>& accion) {
    try {
        accion();
    } catch (...) {
        ManejaExcepcion(std::current_exception());
    }
}

void FijaSeparadorDecimal() {
    // The C library's numeric conversions and Qt's default locale both use ".", so spin boxes,
    // printed amounts and parsed numbers agree on every workstation.
    std::setlocale(LC_NUMERIC, "C");
    QLocale c(QLocale::C);
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(c);
}
