// Makes the program's T-SQL statements run unchanged on the embedded SQLite database: the
// server functions the statements use, "+" with SQL Server's meaning (text joins, numbers add,
// NULL gives NULL), SQL Server's day number for CAST(date AS INT), and dates kept as
// 'YYYY-MM-DD HH:MM:SS.zzz' text so that comparing and ordering them is right.
#pragma once

#include "db/FechasTexto.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

struct sqlite3;

namespace DialectoSqlite {

// The session facts the server functions answer with.
struct Sesion {
    QString login;     // SUSER_SNAME()
    QString baseDatos; // DB_NAME()
    QString estacion;  // HOST_NAME()
    // IS_MEMBER(role): 1 member, 0 not a member, -1 the role does not exist (NULL).
    std::function<int(const QString& rol)> esMiembro;
    // The clock of the server (tests may fix it); empty means the system clock.
    std::function<QDateTime()> reloj;
    // @@SPID.
    int proceso = 51;
    // SET DATEFORMAT: how a text date 'nn/nn/yyyy' is read (the offices write day first).
    FechasTexto::Orden ordenFecha = FechasTexto::Orden::Dmy;
};

// Rewrites a T-SQL statement for SQLite: "+", "-", "/" and "%" become calls that decide by the
// operands' values; CAST, CONVERT, DATEADD, DATEDIFF, DATEPART, DATENAME, ISNULL, LEFT and
// RIGHT become functions of our own; TOP n becomes LIMIT n; N'...' a plain text; ORDER BY of
// an expression sorts in the Spanish collation. Everything else is kept. A batch of several
// statements comes back as SQLite statements joined by ";". A write form of SQLite alone
// raises ErrorBaseDatos with SQL Server's syntax error.
QString Traduce(const QString& tsql);

// The ":Name" placeholders of a statement, in order of appearance (quoted text skipped).
QStringList NombresParametros(const QString& sql);

// An EXEC statement: the procedure and its arguments, each a parameter name (":x" without the
// colon) or a literal value.
struct Llamada {
    QString procedimiento;
    struct Argumento {
        QString parametro; // empty for a literal
        QVariant literal;
    };
    QList<Argumento> argumentos;
};
std::optional<Llamada> LeeExec(const QString& sql);

// Registers the collations and the server functions on an open SQLite handle; `sesion` must
// outlive the handle's use (the connection keeps it). False when SQLite refused because a
// statement of the connection was still running.
bool Registra(sqlite3* bd, const Sesion* sesion);
// The same before any session (creating the schema, fixtures, the admin tool): the session's
// functions answer as the database owner.
void RegistraBase(sqlite3* bd);

// Date-time as the embedded database stores it.
QString TextoFecha(const QDateTime& fecha);
QDateTime FechaDeTexto(const QString& texto);
// SQL Server's day number of a date-time: days since 1900-01-01, rounded to the nearest day.
int DiaSqlServer(const QDateTime& fecha);

} // namespace DialectoSqlite
