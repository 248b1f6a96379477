// Dates written as text, as the server reads them: the forms it accepts in a date-time literal,
// the session's order of day and month for the forms that need one (SET DATEFORMAT), the
// stored form of the embedded database ('YYYY-MM-DD HH:MM:SS.mmm') and the precision of the
// server's DATETIME, which keeps time in steps of 1/300 s.
#pragma once

#include <cstdint>
#include <string_view>

namespace FechasTexto {

// The order of day and month in 'nn/nn/yyyy' (also with "-" or "."), as SET DATEFORMAT sets
// it: "dmy" is how the offices write dates, "mdy" a server's default in English.
enum class Orden : char { Dmy, Mdy, Ymd };
// "dmy", "mdy", "ymd" (any case); false for another text.
bool LeeOrden(std::string_view texto, Orden& orden);

// Reads a date-time in the server's literal forms:
//   'YYYYMMDD[ hh:mm[:ss[.fff]]]', 'YYYY-MM-DDThh:mm[:ss[.fff]]' (the same whatever the order),
//   'YYYY-MM-DD[ time]' and 'YYYY/MM/DD[ time]' (year, month, day),
//   'nn/nn/YYYY[ time]' with "/", "-" or ".", day and month in the session's order,
// where the time is 'h[h]:mm[:ss[.fff|:fff]]' with an optional AM or PM. Writes the stored form
// (23 characters) into `canonica`; false when the text is no date or a date out of the
// server's range (1753 to 9999).
bool LeeFecha(std::string_view texto, char (&canonica)[24], Orden orden = Orden::Dmy);

// Whether a text is in the stored form with a time the server's DATETIME can hold.
bool EsCanonica(std::string_view texto);

// Two dates as text: by the moment they name when both read as dates, else as bytes.
int ComparaFechas(std::string_view a, std::string_view b, Orden orden = Orden::Dmy);

// Milliseconds since midnight rounded as the server's DATETIME stores them (to 1/300 s: .998
// becomes .997, .999 the next second); the result may reach 86,400,000 (the next day).
std::int64_t RedondeaMs(std::int64_t ms);

} // namespace FechasTexto
