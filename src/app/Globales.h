// The session globals: process-wide values set at start-up and session start and read by every
// window. Nothing else in the program is global but the one-instance window references.
#pragma once

#include <QString>
#include <cstdint>

// Start-up.
inline QString CarpetaSistema;
inline QString ArchivoIni;
inline QString CicloActual;

// Connection settings read from the INI file.
inline QString Servidor;
inline QString BaseDatos;
inline QString Usuario;
inline QString Password;
inline bool Dialogo = true;

// Profile of the session user.
inline QString UsuarioBase;
inline QString NombreBase;
inline QString Paterno;
inline QString Materno;
inline QString Nombres;
inline QString IdDistrital;
inline QString Localidad;

// Rights, from database-role membership.
inline bool Sis_AdministraUsuarios = false;
inline bool Sis_RespondeForo = false;
inline bool PSi_Ciclos_Escribe = false;
inline bool PSi_GMA_Escribe = false;
inline bool PSi_GMA_MiraOtras = false;
// Deleting guides; the profile query reads this role too.
inline bool PSi_GMA_Elimina = false;

// The developer's login and workstation, kept out of the entry log.
inline constexpr const char* kCuentaDesarrollador = "sistemas";
inline constexpr const char* kEquipoDesarrollador = "ANS-DESARROLLO";

// Dialog results.
inline QString EspecieMovilizar;
inline QString CicloLocalizado;
inline std::int32_t CertificadoLocalizado = 0;
inline std::uint8_t TipoRegistro = 255;
inline std::int32_t NumeroFormulario = 0;
// Print dialog results.
inline bool ImpresionAceptada = false;
// "Al Certificado" was chosen: the page goes on a numbered form whose number the guide keeps
// (even 0); a test print never touches the guide's number.
inline bool ImpresionAlCertificado = false;
inline std::uint8_t IndiceImpresora = 0;
inline bool VistaPrevia = false;
inline bool UltimoModelo2 = false;

// Set when a step of the session asks the application to end (refused login, update).
inline bool TerminacionSolicitada = false;

// Clears the profile and every right (a failed session start leaves them so).
inline void LimpiaPerfil() {
    UsuarioBase.clear();
    NombreBase.clear();
    Paterno.clear();
    Materno.clear();
    Nombres.clear();
    IdDistrital.clear();
    Localidad.clear();
    Sis_AdministraUsuarios = Sis_RespondeForo = PSi_Ciclos_Escribe = PSi_GMA_Escribe =
        PSi_GMA_MiraOtras = PSi_GMA_Elimina = false;
}
