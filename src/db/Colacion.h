// The registry's text collation on the embedded database, as the server's case-insensitive,
// accent-sensitive Spanish collation compares: case folds for every letter, accents stay
// distinct but sort beside their letter, "ñ" is a letter of its own after "n", and trailing
// blanks do not count. Dates stored as text compare by the date they name, in any of the
// server's unambiguous literal forms.
#pragma once

#include <cstdint>
#include <string_view>

struct sqlite3;

namespace Colacion {

// Compares two UTF-8 texts: < 0, 0 or > 0.
int Compara(std::string_view a, std::string_view b);
// T-SQL LIKE: "%", "_", "[abc]", "[a-z]", "[^a]" and an optional escape character, with the
// collation's folding; trailing blanks of the value are ignored.
bool Parecido(std::string_view valor, std::string_view patron, char32_t escape = 0);

// Two dates as text: by the moment they name when both read as dates, else as bytes.
int ComparaFechas(std::string_view a, std::string_view b);
// Reads a date in the forms the registry accepts: 'YYYY-MM-DD[ HH:MM[:SS[.mmm]]]',
// 'YYYY-MM-DDTHH:MM:SS[.mmm]', 'YYYYMMDD[ HH:MM[:SS[.mmm]]]' and 'DD/MM/YYYY[ HH:MM[:SS]]'.
// Writes the stored form 'YYYY-MM-DD HH:MM:SS.mmm' (23 characters) into `canonica`.
bool LeeFecha(std::string_view texto, char (&canonica)[24]);

// Upper and lower case of every letter, not only ASCII.
void Mayusculas(std::string_view texto, std::string& salida);
void Minusculas(std::string_view texto, std::string& salida);

// Position (from 1) of `buscado` in `texto` from character `desde`, with the collation's
// folding; 0 when absent.
int Posicion(std::string_view buscado, std::string_view texto, int desde = 1);

// Registers the collations ESPANOL (texts) and FECHA (dates) and the functions like, upper and
// lower on a connection.
void Registra(sqlite3* bd);

} // namespace Colacion
