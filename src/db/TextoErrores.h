// The text of a database error as an office user reads it. Errors of the system underneath
// (the file busy, read-only or full, a damaged file, a lost connection) get one Spanish sentence
// saying what happened and what to do, followed by the database's own text; every other error
// (the registry's own messages, a refused key, a syntax error) is the database's text alone.
#pragma once

#include <QString>

class QSqlError;

// A QSqlError of either backend (SQLite result codes or ODBC states).
QString TextoErrorBase(const QSqlError& error);
// Whether an ODBC error says the connection to SQL Server is gone (dropped, reset, closed).
bool ConexionPerdida(const QSqlError& error);
// An error of a direct SQLite call: its result code and message.
QString TextoErrorSqlite(int codigo, const QString& texto);
// The Spanish sentence for a SQLite result code (primary or extended), empty when the code is
// not one of the system's.
QString ExplicacionSqlite(int codigo);
// SQL Server's error number for one of its texts as the embedded server writes them (the
// registry's own messages, raised as RAISERROR does, are 50000).
int NumeroErrorServidor(const QString& texto);
