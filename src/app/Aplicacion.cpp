// The application object and the application-level error handler.
#include "app/Aplicacion.h"

#include "common/Errores.h"
#include "common/Mensajes.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
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

void FijaIdiomaDelSistema() {
    qputenv("LC_ALL", "es_MX.UTF-8");
}

void FijaIdioma() {
    // Qt's own dialogs and buttons in Spanish (the save and open dialogs, the print preview, the
    // calendar), from the translations Debian installs beside Qt.
    static QTranslator traduccion;
    if (traduccion.isEmpty() && traduccion.load(QStringLiteral("qtbase_es"),
                                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traduccion);
    // Names of months and days in Spanish while every number keeps "." as its decimal
    // separator: the Spanish of Mexico writes numbers that way. The C library's numeric
    // conversions stay on "." as well, so spin boxes, printed amounts and parsed numbers agree
    // on every workstation whatever its regional settings.
    std::setlocale(LC_NUMERIC, "C");
    QLocale espanol(QLocale::Spanish, QLocale::Mexico);
    espanol.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(espanol);
}
