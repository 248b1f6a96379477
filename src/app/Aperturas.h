// Where the main window and the lookup open the registry's other windows. Each window is
// wired here when it is built; until then its command is present and does nothing.
#pragma once

#include <QString>
#include <cstdint>

// Certificate consoles: cycles 21 on, and before 21.
void AbreConsolaCertificadosVigentes();
void AbreConsolaCertificadosLegados();
// Registries of veterinarians and vaccine suppliers.
void AbreRegistroVeterinarios();
void AbreRegistroProveedores();
// The workbook import of legacy certificates.
void AbreImportacion();
// Guide console.
void AbreConsolaGuias();
// The free query console, for the developer account only (the menu offers it to no one else,
// and no other caller reaches it).
void AbreConsultaAvanzada();
// The movement history of a premises (modal).
void AbreHistorial();
// The guides-issued report: legacy categories or, with `grupos`, the age/sex groups (modal).
void AbreGuiasEmitidas(bool grupos);
// Vaccinated bovines per province in up to three cycles (child window, one instance).
void AbreEstadisticaProvincias();
// Entry forms for a new certificate with cycle and number preset (from the lookup).
void AbreAltaCertificadoVigente(const QString& ciclo, std::int32_t numero);
void AbreAltaCertificadoLegado(const QString& ciclo, std::int32_t numero);
// The session user's password change (modal), and the user list for administrators.
void AbreCambioContrasena();
void AbreUsuarios();
// The questions forum (child window, one instance).
void AbreForo();
// The support mail to the development team (child window, one instance).
void AbreCorreo();
