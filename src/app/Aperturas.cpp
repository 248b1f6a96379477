// Opening the registry's windows from the main window and the lookup.
#include "app/Aperturas.h"

// The certificate consoles, the guide console and the certificate entry forms come with their
// own windows; these are the places that will open them.
void AbreConsolaCertificadosVigentes() {}
void AbreConsolaCertificadosLegados() {}
void AbreConsolaGuias() {}
void AbreAltaCertificadoVigente(const QString&, std::int32_t) {}
void AbreAltaCertificadoLegado(const QString&, std::int32_t) {}
