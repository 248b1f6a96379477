// Statements of a T-SQL batch.
#include "db/LoteTsql.h"

#include "common/Errores.h"
#include "db/TokensTsql.h"

#include <initializer_list>

namespace DialectoSqlite {
namespace {

bool Es(const QString& palabra, std::initializer_list<const char*> lista) {
    for (const char* p : lista)
        if (palabra.compare(QLatin1String(p), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Keywords that open a statement of their own in T-SQL.
bool Inicial(const QString& p) {
    return Es(p, {"SELECT",   "INSERT", "UPDATE",   "DELETE",  "EXEC",  "EXECUTE", "CREATE",
                  "DROP",     "ALTER",  "TRUNCATE", "DECLARE", "SET",   "BEGIN",   "COMMIT",
                  "ROLLBACK", "SAVE",   "PRINT",    "IF",      "WHILE", "GRANT",   "REVOKE",
                  "DENY",     "USE",    "MERGE",    "WITH"});
}

// What has been read of the statement in progress: enough to tell a keyword that continues it
// ("INSERT INTO t SELECT", "UPDATE t SET", "UNION SELECT", "ON DELETE SET NULL") from one that
// begins the next.
struct Estado {
    QString primera;             // the statement's first word, upper case
    QString previa;              // the last word or symbol at the outer level
    QString antePrevia;          // the one before it
    int palabras = 0;            // significant tokens at the outer level
    bool conValores = false;     // INSERT: its VALUES, SELECT or EXEC has come
    bool conSet = false;         // UPDATE: its SET has come
    bool conDml = false;         // WITH: the statement after the common table expressions has come
    bool soloPuntoYComa = false; // MERGE, GRANT, REVOKE, DENY: only ";" ends them
    bool hastaElFin = false;     // a definition or a block: the rest of the batch

    bool Continua(const QString& p) const {
        if (soloPuntoYComa)
            return true;
        // SET NOCOUNT ON: the option's value ends it.
        if (primera == QLatin1String("SET") && Es(previa, {"ON", "OFF"}))
            return false;
        if (Es(previa, {"ON", "OR", "UNION", "ALL", "EXCEPT", "INTERSECT", "FOR"}))
            return true;
        if (Es(antePrevia, {"ON"}) && Es(previa, {"DELETE", "UPDATE"}))
            return true; // ON DELETE SET NULL
        if (primera == QLatin1String("WITH") && !conDml &&
            Es(p, {"SELECT", "INSERT", "UPDATE", "DELETE", "MERGE"}))
            return true;
        if (primera == QLatin1String("INSERT") && !conValores &&
            Es(p, {"SELECT", "EXEC", "EXECUTE"}))
            return true;
        if (primera == QLatin1String("UPDATE") && !conSet && Es(p, {"SET"}))
            return true;
        if (primera == QLatin1String("ALTER") && Es(p, {"ALTER", "DROP", "SET", "WITH"}))
            return true;
        if (p.compare(QLatin1String("WITH"), Qt::CaseInsensitive) == 0)
            return true; // a table hint or an option; a CTE needs the ";" before it
        return false;
    }

    void Lee(const QString& texto) {
        const QString p = texto.toUpper();
        if (palabras == 0) {
            primera = p;
            soloPuntoYComa = Es(p, {"MERGE", "GRANT", "REVOKE", "DENY"});
            hastaElFin = Es(p, {"IF", "WHILE"});
        } else if (palabras == 1 && primera == QLatin1String("BEGIN")) {
            hastaElFin = !Es(p, {"TRAN", "TRANSACTION", "DISTRIBUTED"});
        } else if (Es(primera, {"CREATE", "ALTER"}) &&
                   Es(p, {"PROCEDURE", "PROC", "VIEW", "FUNCTION", "TRIGGER"})) {
            hastaElFin = true;
        }
        if (primera == QLatin1String("INSERT") && Es(p, {"VALUES", "SELECT", "EXEC", "EXECUTE"}))
            conValores = true;
        if (primera == QLatin1String("UPDATE") && p == QLatin1String("SET"))
            conSet = true;
        if (primera == QLatin1String("WITH") && palabras > 0 &&
            Es(p, {"SELECT", "INSERT", "UPDATE", "DELETE", "MERGE"}))
            conDml = true;
        antePrevia = previa;
        previa = p;
        ++palabras;
    }
};

// The significant tokens of a statement at its outer level, parentheses as one "(" each.
QList<Token> Exteriores(const QList<Token>& tokens) {
    QList<Token> fuera;
    int nivel = 0;
    for (const Token& t : tokens) {
        if (t.tipo == Token::Espacio)
            continue;
        if (t.tipo == Token::Cierra) {
            nivel = nivel > 0 ? nivel - 1 : 0;
            continue;
        }
        if (nivel == 0)
            fuera.append(t);
        if (t.tipo == Token::Abre)
            ++nivel;
    }
    return fuera;
}

[[noreturn]] void Sintaxis(const QString& cerca, bool clave) {
    throw ErrorBaseDatos(
        clave ? QStringLiteral("Sintaxis incorrecta cerca de la palabra clave '%1'.").arg(cerca)
              : QStringLiteral("Sintaxis incorrecta cerca de '%1'.").arg(cerca));
}

QString primera(const QList<Token>& fuera) {
    return fuera.isEmpty() ? QString() : fuera[0].texto;
}

// SQLite's own functions, which the server does not have (it answers error 195).
bool FuncionSqlite(const QString& p) {
    return Es(p, {"IFNULL",
                  "SUBSTR",
                  "INSTR",
                  "LENGTH",
                  "STRFTIME",
                  "DATE",
                  "DATETIME",
                  "JULIANDAY",
                  "UNIXEPOCH",
                  "TIMEDIFF",
                  "PRINTF",
                  "TYPEOF",
                  "RANDOM",
                  "RANDOMBLOB",
                  "GROUP_CONCAT",
                  "TOTAL",
                  "GLOB",
                  "HEX",
                  "UNHEX",
                  "QUOTE",
                  "ZEROBLOB",
                  "CHANGES",
                  "TOTAL_CHANGES",
                  "LAST_INSERT_ROWID",
                  "SQLITE_VERSION",
                  "SQLITE_SOURCE_ID",
                  "LIKELY",
                  "UNLIKELY",
                  "LIKELIHOOD",
                  "LOAD_EXTENSION",
                  "SQLITE_COMPILEOPTION_USED",
                  "OCTET_LENGTH",
                  "JSON",
                  "JSON_EXTRACT",
                  "JSON_ARRAY",
                  "JSON_OBJECT"});
}

// Expressions of SQLite alone, refused as the server's parser refuses them: LIMIT, "||" and
// "==", GLOB and REGEXP, SQLite's functions, and TRUE or FALSE (column names to the server).
void RechazaExpresionesSqlite(const QList<Token>& todos) {
    QList<const Token*> t;
    for (const Token& k : todos)
        if (k.tipo != Token::Espacio)
            t.append(&k);
    for (qsizetype i = 0; i < t.size(); ++i) {
        const Token& k = *t[i];
        const Token* siguiente = i + 1 < t.size() ? t[i + 1] : nullptr;
        const QString cerca = siguiente ? siguiente->texto : k.texto;
        if (k.tipo == Token::Simbolo && k.texto == QLatin1String("||"))
            Sintaxis(QStringLiteral("|"), false);
        if (k.tipo == Token::Simbolo && k.texto == QLatin1String("=") && siguiente &&
            siguiente->tipo == Token::Simbolo && siguiente->texto == QLatin1String("="))
            Sintaxis(QStringLiteral("="), false);
        if (k.tipo != Token::Palabra)
            continue;
        if (Es(k.texto, {"LIMIT"}))
            Sintaxis(cerca, false);
        if (Es(k.texto, {"GLOB", "REGEXP"}))
            Sintaxis(k.texto, false);
        if (siguiente && siguiente->tipo == Token::Abre && FuncionSqlite(k.texto))
            throw ErrorBaseDatos(
                QString::fromUtf8("'%1' no es un nombre de función integrada reconocido.")
                    .arg(k.texto));
        if (Es(k.texto, {"TRUE", "FALSE"}))
            throw ErrorBaseDatos(
                QString::fromUtf8("El nombre de columna '%1' no es válido.").arg(k.texto));
    }
}

} // namespace

QStringList PartesLote(const QString& tsql) {
    const QList<Token> tokens = Tokeniza(tsql);
    QStringList partes;
    QString actual;
    Estado estado;
    int nivel = 0;
    auto cierra = [&] {
        const QString t = actual.trimmed();
        if (!t.isEmpty())
            partes << t;
        actual.clear();
        estado = Estado{};
    };
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        const Token& t = tokens[k];
        const bool fuera = nivel == 0 && !estado.hastaElFin;
        if (t.tipo == Token::Abre)
            ++nivel;
        else if (t.tipo == Token::Cierra && nivel > 0)
            --nivel;
        if (t.tipo == Token::Espacio) {
            actual += t.texto;
            continue;
        }
        if (fuera && t.tipo == Token::Simbolo && t.texto == QLatin1String(";")) {
            // "EXEC LogEntrada;1": the number of a numbered procedure, not the statement's end.
            const bool numerado = Es(estado.primera, {"EXEC", "EXECUTE"}) && estado.palabras == 2 &&
                                  k + 1 < tokens.size() && tokens[k + 1].tipo == Token::Numero;
            if (!numerado) {
                cierra();
                continue;
            }
        }
        if (fuera && t.tipo == Token::Palabra && estado.palabras > 0 && Inicial(t.texto) &&
            !estado.Continua(t.texto))
            cierra();
        actual += t.texto;
        if (nivel == 0 || (t.tipo == Token::Abre && nivel == 1))
            estado.Lee(t.tipo == Token::Palabra ? t.texto : QString());
    }
    cierra();
    return partes;
}

bool DeclaraVariables(const QString& tsql) {
    for (const Token& t : Tokeniza(tsql))
        if (t.tipo == Token::Palabra && Es(t.texto, {"DECLARE"}))
            return true;
    return false;
}

bool DevuelveFilas(const QString& sentencia) {
    for (const Token& t : Tokeniza(sentencia)) {
        if (t.tipo == Token::Espacio || t.tipo == Token::Abre)
            continue;
        return t.tipo == Token::Palabra && Es(t.texto, {"SELECT", "WITH"});
    }
    return false;
}

void RechazaFormasSqlite(const QString& sentencia) {
    // ON CONFLICT anywhere, a column's clause of SQLite's CREATE TABLE included.
    const QList<Token> todos = Tokeniza(sentencia);
    QString anterior;
    for (const Token& t : todos) {
        if (t.tipo == Token::Espacio)
            continue;
        if (t.tipo == Token::Palabra && Es(t.texto, {"CONFLICT"}) && Es(anterior, {"ON"}))
            Sintaxis(QStringLiteral("ON"), true);
        anterior = t.tipo == Token::Palabra ? t.texto : QString();
    }
    RechazaExpresionesSqlite(todos);
    const QList<Token> fuera = Exteriores(todos);
    if (fuera.isEmpty() || fuera[0].tipo != Token::Palabra)
        return;
    // A word the server does not know at a statement's start is read as a procedure's name.
    if (Es(primera(fuera), {"PRAGMA", "VACUUM", "REINDEX", "ANALYZE"}))
        throw ErrorBaseDatos(QString::fromUtf8("No se encontró el procedimiento almacenado '%1'.")
                                 .arg(fuera[0].texto));
    const QString& primera = fuera[0].texto;
    if (Es(primera, {"INSERT", "UPDATE"}) && fuera.size() > 1 && Es(fuera[1].texto, {"OR"}))
        Sintaxis(QStringLiteral("OR"), true);
    if (Es(primera, {"REPLACE"}) && fuera.size() > 1 && Es(fuera[1].texto, {"INTO"}))
        Sintaxis(QStringLiteral("INTO"), true);
    if (Es(primera, {"INSERT", "UPDATE", "DELETE", "WITH"}))
        for (const Token& t : fuera)
            if (t.tipo == Token::Palabra && Es(t.texto, {"RETURNING"}))
                Sintaxis(t.texto, false);
}

} // namespace DialectoSqlite

namespace DialectoSqlite {

std::optional<Aviso> LeeRaiserror(const QString& sentencia) {
    QList<Token> t;
    for (const Token& k : Tokeniza(sentencia))
        if (k.tipo != Token::Espacio)
            t.append(k);
    if (t.size() < 2 || !Es(t[0].texto, {"RAISERROR"}))
        return std::nullopt;
    if (t[1].tipo != Token::Abre)
        Sintaxis(t[1].texto, false);
    QStringList args;
    for (qsizetype i = 2; i < t.size() && t[i].tipo != Token::Cierra; ++i) {
        if (t[i].texto == QLatin1String(","))
            continue;
        QString v = t[i].texto;
        if (t[i].tipo == Token::Cadena)
            v = v.mid(1, v.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
        else if (t[i].texto == QLatin1String("-") && i + 1 < t.size())
            v = QLatin1Char('-') + t[++i].texto;
        args << v;
    }
    if (args.size() < 3)
        throw ErrorBaseDatos(QString::fromUtf8("La función RAISERROR requiere al menos 3 "
                                               "argumentos."));
    Aviso a;
    a.severidad = args[1].toInt();
    a.estado = args[2].toInt();
    // The values fill the message's %d, %i, %u and %s in order.
    const QString& formato = args[0];
    qsizetype siguiente = 3;
    for (qsizetype i = 0; i < formato.size(); ++i) {
        if (formato[i] == QLatin1Char('%') && i + 1 < formato.size()) {
            const QChar c = formato[i + 1];
            if (c == QLatin1Char('%')) {
                a.texto += QLatin1Char('%');
                ++i;
                continue;
            }
            if (QStringLiteral("disu").contains(c)) {
                a.texto += siguiente < args.size() ? args[siguiente++] : QStringLiteral("(null)");
                ++i;
                continue;
            }
        }
        a.texto += formato[i];
    }
    return a;
}

bool SetSinEfecto(const QString& sentencia) {
    QList<Token> t;
    for (const Token& k : Tokeniza(sentencia))
        if (k.tipo != Token::Espacio)
            t.append(k);
    return t.size() >= 3 && Es(t[0].texto, {"SET"}) &&
           Es(t[1].texto,
              {"NOCOUNT", "ANSI_NULLS", "ANSI_WARNINGS", "ANSI_PADDING", "ANSI_NULL_DFLT_ON",
               "ANSI_DEFAULTS", "QUOTED_IDENTIFIER", "CONCAT_NULL_YIELDS_NULL", "ARITHABORT",
               "NUMERIC_ROUNDABORT", "TEXTSIZE", "XACT_ABORT", "LOCK_TIMEOUT", "DEADLOCK_PRIORITY",
               "CURSOR_CLOSE_ON_COMMIT", "DATEFIRST", "STATISTICS"});
}

} // namespace DialectoSqlite
