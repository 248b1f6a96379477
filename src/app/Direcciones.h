// The registry's addresses on the network, kept in one place: the system's web page (also the
// folder of the manual download) and the support team's mail.
#pragma once

inline constexpr const char* kPaginaWeb = "http://moravel.sanidad.local/vrk";
inline constexpr const char* kCorreoSoporte = "soporte.sistemas@moravel.sanidad.local";
