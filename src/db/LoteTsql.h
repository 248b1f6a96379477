// A T-SQL batch as the server reads it: the statements it holds, whether or not a ";" ends
// each one, and the write forms that only SQLite knows, which SQL Server's parser refuses.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace DialectoSqlite {

// The statements of a batch in order, each without its ";". A ";" ends a statement, and so does
// a keyword that can only begin the next one ("UPDATE a … UPDATE b", on one line or two). A
// procedure, view, function or trigger definition, an IF or WHILE and a BEGIN … END block take
// the rest of the batch, as the server requires of them. Blank statements are dropped.
QStringList PartesLote(const QString& tsql);

// Whether the batch declares variables (DECLARE), which live only as long as the batch.
bool DeclaraVariables(const QString& tsql);

// Whether the statement's first word makes it return rows (SELECT, or WITH before one).
bool DevuelveFilas(const QString& sentencia);

// Raises ErrorBaseDatos with SQL Server's error when a statement uses a form of SQLite alone:
// the write forms INSERT OR …, UPDATE OR …, REPLACE INTO, ON CONFLICT, RETURNING (on the
// embedded file they would go around the rights and the keys the registry relies on), LIMIT,
// "||", "==", GLOB, REGEXP, TRUE, FALSE, SQLite's own functions and statements (PRAGMA …), so
// that a statement that runs on the file runs the same on SQL Server.
void RechazaFormasSqlite(const QString& sentencia);

// RAISERROR ('text', severity, state[, values…]): the message with its %d, %i, %u and %s filled
// in order; a severity up to 10 is a notice, from 11 on an error (number 50000).
struct Aviso {
    QString texto;
    int severidad = 16;
    int estado = 1;
};
std::optional<Aviso> LeeRaiserror(const QString& sentencia);

// A SET of a session option that changes nothing the embedded server does (NOCOUNT, ANSI_…,
// QUOTED_IDENTIFIER, TEXTSIZE, XACT_ABORT…).
bool SetSinEfecto(const QString& sentencia);

} // namespace DialectoSqlite
