// The registry's text collation on the embedded database, as the server's case-insensitive,
// accent-sensitive Spanish collation compares: case folds for every letter, accents stay
// distinct but sort beside their letter, "ñ" is a letter of its own after "n", and trailing
// blanks do not count. Dates stored as text compare by the date they name.
#pragma once

#include "db/FechasTexto.h"

#include <cstdint>
#include <string_view>

struct sqlite3;

namespace Colacion {

// Compares two UTF-8 texts: < 0, 0 or > 0.
int Compara(std::string_view a, std::string_view b);
// T-SQL LIKE: "%", "_", "[abc]", "[a-z]", "[^a]" and an optional escape character, with the
// collation's folding; trailing blanks of the value are ignored.
bool Parecido(std::string_view valor, std::string_view patron, char32_t escape = 0);

// Upper and lower case of every letter, not only ASCII.
void Mayusculas(std::string_view texto, std::string& salida);
void Minusculas(std::string_view texto, std::string& salida);

// Position (from 1) of `buscado` in `texto` from character `desde`, with the collation's
// folding; 0 when absent.
int Posicion(std::string_view buscado, std::string_view texto, int desde = 1);

// Registers the collations ESPANOL (texts) and FECHA (dates, literals read in the order
// `ordenFecha` points to, the session's) and the functions like, upper and lower.
void Registra(sqlite3* bd, const FechasTexto::Orden* ordenFecha);

} // namespace Colacion
