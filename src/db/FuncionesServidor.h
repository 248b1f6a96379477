// The server's functions on the embedded database, as SQL Server answers them: arithmetic with
// its rules for texts, dates and division by zero, conversions (CAST, CONVERT), the date
// functions, the text functions, the session's functions, and the type check of each written
// value.
#pragma once

#include "db/DialectoSqlite.h"
#include "db/FechasTexto.h"

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;

namespace FuncionesServidor {

// A date-time as the server counts it: days since 1900-01-01 and milliseconds into the day.
struct Momento {
    std::int64_t dias = 0;
    int ms = 0;
    std::int64_t TotalMs() const { return dias * 86400000 + ms; }
    static Momento DeMs(std::int64_t total);
};
bool LeeMomento(std::string_view texto, Momento& m,
                FechasTexto::Orden orden = FechasTexto::Orden::Dmy);
std::string TextoMomento(const Momento& m);

// The server's type of a converted value that SQLite stores as another (a DATE as text, a BIT
// as an integer, a DECIMAL as a real), carried as the value's subtype for a reader of the
// result such as a TDS server; a decimal's subtype adds its scale.
inline constexpr unsigned kSubtipoFecha = 'D';
inline constexpr unsigned kSubtipoBit = 'B';
inline constexpr unsigned kSubtipoTexto = 'T';
inline constexpr unsigned kSubtipoDecimal = 100;

// The functions that need no session.
void RegistraBase(sqlite3* bd);
// SUSER_SNAME, DB_NAME, HOST_NAME, GETDATE and IS_MEMBER of a session; false when SQLite
// refused (a statement of the connection still running).
bool RegistraSesion(sqlite3* bd, const DialectoSqlite::Sesion* sesion);

} // namespace FuncionesServidor
