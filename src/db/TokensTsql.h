// The words, texts, parameters and symbols of a T-SQL statement, as the dialect and the batch
// reader see it: quoted texts, bracketed names and comments are one token each.
#pragma once

#include <QList>
#include <QString>

namespace DialectoSqlite {

struct Token {
    enum Tipo { Palabra, Numero, Cadena, Parametro, Simbolo, Abre, Cierra, Espacio } tipo;
    QString texto;
};

// The tokens of `s`; blanks and comments are kept (as Espacio) so that the text can be rebuilt.
QList<Token> Tokeniza(const QString& s);

} // namespace DialectoSqlite
