// The data module and the session start.
#include "app/TdmDatos.h"

#include "app/Configuracion.h"

namespace {
TdmDatos* instancia = nullptr;
}

TdmDatos::TdmDatos(QObject* padre) : QObject(padre) {
    instancia = this;
}

TdmDatos::~TdmDatos() {
    if (instancia == this)
        instancia = nullptr;
}

TdmDatos* TdmDatos::Instancia() {
    return instancia;
}

void TdmDatos::DataModuleCreate() {
    LeeConfiguracion();
}

QString TdmDatos::TituloCompleto() {
    return QStringLiteral("TELMARO - Registro de Vacunación y Tránsito de Ganado");
}
