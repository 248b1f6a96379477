// Start-up of the program.
#include "app/Arranque.h"

#include "app/Aplicacion.h"
#include "app/Globales.h"
#include "app/InstanciaUnica.h"
#include "app/TdmDatos.h"
#include "app/TfPrinc.h"
#include "common/Mensajes.h"
#include "common/Utilidades.h"

#include <QDir>

namespace Arranque {

void PreparaProceso() {
    // Without TZ the C library looks at /etc/localtime again on every local-time conversion,
    // and SQL Server's dates arrive as local date-times: about ten file checks per row of a
    // guide list. Naming the system's zone file reads it once.
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
    CarpetaSistema = CarpetaActual();
    FijaIdioma();
    CicloActual = QStringLiteral("25");
    ArchivoIni =
        CarpetaSistema +
        (CarpetaSistema.endsWith(QDir::separator()) ? QString() : QString(QDir::separator())) +
        QStringLiteral("Tarvelion.ini");
}

bool EsUnicaInstancia() {
    // Kept for the life of the process; the system frees it at exit.
    static InstanciaUnica guardia(QStringLiteral("Tarvelion"));
    if (guardia.Adquiere())
        return true;
    Mensajes::MensajePlano(QStringLiteral("Ya existe una instancia de este programa en ejecución"));
    return false;
}

std::unique_ptr<TdmDatos>
CreaModuloDatos(const std::function<std::unique_ptr<TdmDatos>()>& fabrica) {
    std::unique_ptr<TdmDatos> modulo = fabrica ? fabrica() : std::make_unique<TdmDatos>();
    try {
        modulo->DataModuleCreate();
    } catch (...) {
        LimpiaPerfil();
        ManejaExcepcion(std::current_exception());
    }
    return modulo;
}

std::unique_ptr<TfPrinc> CreaVentanaPrincipal() {
    auto ventana = std::make_unique<TfPrinc>();
    ventana->showMaximized();
    return ventana;
}

void SolicitaTerminacion() {
    TerminacionSolicitada = true;
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

int EjecutaPrograma(int argc, char** argv) {
    // Qt's file and print dialogs show dates by the system's locale: Spanish, whatever the
    // workstation's language, set before Qt reads it.
    FijaIdiomaDelSistema();
    // The application object comes first: every later step may need to show a box.
    Aplicacion app(argc, argv);
    PreparaProceso();
    if (!EsUnicaInstancia())
        return 0;
    QApplication::setApplicationName(QStringLiteral("Tarvelion"));
    auto modulo = CreaModuloDatos();
    auto ventana = CreaVentanaPrincipal();
    if (TerminacionSolicitada)
        return 0;
    return QApplication::exec();
}

} // namespace Arranque
