// T-SQL on SQLite: statement rewriting and server functions.
#include "db/DialectoSqlite.h"

#include "db/Colacion.h"
#include "db/FuncionesServidor.h"
#include "db/LoteTsql.h"
#include "db/TokensTsql.h"

#include "common/Errores.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <sqlite3.h>
#include <string>

namespace DialectoSqlite {
namespace {

// The columns the schema declares SMALLINT (lower case), when no other table has a column of
// the same name of another type.
QSet<QString> ColumnasCortas() {
    QFile f(QStringLiteral(":/sql/moravel.sqlite.sql"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression columna(QStringLiteral("^\\s+(\\w+)\\s+([A-Z]+)"),
                                            QRegularExpression::MultilineOption);
    QSet<QString> cortas, otras;
    for (auto it = columna.globalMatch(QString::fromUtf8(f.readAll())); it.hasNext();) {
        const auto m = it.next();
        (m.captured(2) == QLatin1String("SMALLINT") ? cortas : otras) << m.captured(1).toLower();
    }
    return cortas.subtract(otras);
}

// ---- expression tree: groups in parentheses ------------------------------------------------

struct Nodo {
    Token token;        // for a leaf
    bool grupo = false; // "(" hijos ")"
    QList<Nodo> hijos;
};

QList<Nodo> Agrupa(const QList<Token>& tokens, qsizetype& i) {
    QList<Nodo> nodos;
    while (i < tokens.size()) {
        const Token& t = tokens[i];
        if (t.tipo == Token::Espacio) {
            ++i;
            continue;
        }
        if (t.tipo == Token::Cierra) {
            ++i;
            return nodos;
        }
        ++i;
        Nodo nodo;
        nodo.token = t;
        if (t.tipo == Token::Abre) {
            nodo.grupo = true;
            nodo.hijos = Agrupa(tokens, i);
        }
        nodos.append(nodo);
    }
    return nodos;
}

bool EsPalabra(const Nodo& n, const char* palabra) {
    return !n.grupo && n.token.tipo == Token::Palabra &&
           n.token.texto.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
}

// Words that end an arithmetic expression (clauses, logic, comparisons).
bool EsFrontera(const Nodo& n) {
    if (n.grupo)
        return false;
    if (n.token.tipo == Token::Simbolo) {
        static const QStringList ops{
            QStringLiteral("="),  QStringLiteral("<"),  QStringLiteral(">"),  QStringLiteral("<="),
            QStringLiteral(">="), QStringLiteral("<>"), QStringLiteral("!="), QStringLiteral(","),
            QStringLiteral(";"),  QStringLiteral("||")};
        return ops.contains(n.token.texto);
    }
    if (n.token.tipo != Token::Palabra)
        return false;
    static const QStringList claves{
        QStringLiteral("SELECT"),  QStringLiteral("FROM"),    QStringLiteral("WHERE"),
        QStringLiteral("AND"),     QStringLiteral("OR"),      QStringLiteral("NOT"),
        QStringLiteral("AS"),      QStringLiteral("ON"),      QStringLiteral("JOIN"),
        QStringLiteral("LEFT"),    QStringLiteral("RIGHT"),   QStringLiteral("INNER"),
        QStringLiteral("OUTER"),   QStringLiteral("CROSS"),   QStringLiteral("GROUP"),
        QStringLiteral("ORDER"),   QStringLiteral("BY"),      QStringLiteral("HAVING"),
        QStringLiteral("UNION"),   QStringLiteral("ALL"),     QStringLiteral("CASE"),
        QStringLiteral("WHEN"),    QStringLiteral("THEN"),    QStringLiteral("ELSE"),
        QStringLiteral("END"),     QStringLiteral("BETWEEN"), QStringLiteral("IN"),
        QStringLiteral("LIKE"),    QStringLiteral("IS"),      QStringLiteral("NULL"),
        QStringLiteral("SET"),     QStringLiteral("VALUES"),  QStringLiteral("INTO"),
        QStringLiteral("UPDATE"),  QStringLiteral("DELETE"),  QStringLiteral("INSERT"),
        QStringLiteral("ASC"),     QStringLiteral("DESC"),    QStringLiteral("DISTINCT"),
        QStringLiteral("TOP"),     QStringLiteral("EXISTS"),  QStringLiteral("ESCAPE"),
        QStringLiteral("COLLATE"), QStringLiteral("LIMIT"),   QStringLiteral("OFFSET")};
    // NULL is an operand, not a frontier.
    if (n.token.texto.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
        return false;
    for (const QString& c : claves)
        if (n.token.texto.compare(c, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString Emite(const QList<Nodo>& nodos);

QString EmiteNodo(const Nodo& n) {
    if (!n.grupo)
        return n.token.texto;
    return QLatin1Char('(') + Emite(n.hijos) + QLatin1Char(')');
}

bool EsSigno(const Nodo& n, const char* s) {
    return !n.grupo && n.token.tipo == Token::Simbolo && n.token.texto == QLatin1String(s);
}

Nodo Hoja(Token::Tipo tipo, const QString& texto) {
    Nodo n;
    n.token = {tipo, texto};
    return n;
}

QString Citado(const QString& texto) {
    return QLatin1Char('\'') + QString(texto).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

// The position of the first "," at the top of an argument list, or -1.
qsizetype Coma(const QList<Nodo>& h) {
    for (qsizetype k = 0; k < h.size(); ++k)
        if (EsSigno(h[k], ","))
            return k;
    return -1;
}

// Calls whose T-SQL form SQLite does not read: the type or date part written as a word becomes
// a text argument of a function of our own.
void ReescribeLlamadas(QList<Nodo>& nodos) {
    for (qsizetype i = 0; i + 1 < nodos.size(); ++i) {
        if (!nodos[i + 1].grupo || nodos[i].grupo || nodos[i].token.tipo != Token::Palabra)
            continue;
        QList<Nodo>& h = nodos[i + 1].hijos;
        // ISNULL is a postfix operator in SQLite and LEFT and RIGHT are join words.
        if (EsPalabra(nodos[i], "ISNULL")) {
            nodos[i].token.texto = QStringLiteral("MS_ISNULL");
        } else if (EsPalabra(nodos[i], "LEFT")) {
            nodos[i].token.texto = QStringLiteral("MS_LEFT");
        } else if (EsPalabra(nodos[i], "RIGHT")) {
            nodos[i].token.texto = QStringLiteral("MS_RIGHT");
        } else if (EsPalabra(nodos[i], "CAST")) {
            // CAST(value AS type) -> MS_CONVERT('type', value)
            qsizetype as = -1;
            for (qsizetype k = 0; k < h.size(); ++k)
                if (EsPalabra(h[k], "AS"))
                    as = k;
            if (as <= 0)
                continue;
            QList<Nodo> args{Hoja(Token::Cadena, Citado(Emite(h.mid(as + 1)))),
                             Hoja(Token::Simbolo, QStringLiteral(","))};
            args += h.mid(0, as);
            h = args;
            nodos[i].token.texto = QStringLiteral("MS_CONVERT");
        } else if (EsPalabra(nodos[i], "CONVERT")) {
            // CONVERT(type, value[, style]) -> MS_CONVERT('type', value[, style])
            const qsizetype coma = Coma(h);
            if (coma <= 0)
                continue;
            QList<Nodo> args{Hoja(Token::Cadena, Citado(Emite(h.mid(0, coma))))};
            args += h.mid(coma);
            h = args;
            nodos[i].token.texto = QStringLiteral("MS_CONVERT");
        } else {
            for (const char* f : {"DATEADD", "DATEDIFF", "DATEPART", "DATENAME"}) {
                if (!EsPalabra(nodos[i], f) || h.isEmpty() || h[0].grupo ||
                    h[0].token.tipo != Token::Palabra)
                    continue;
                h[0] = Hoja(Token::Cadena, Citado(h[0].token.texto));
                nodos[i].token.texto = QStringLiteral("MS_") + QLatin1String(f);
                break;
            }
        }
    }
}

// SELECT [DISTINCT] TOP n ... -> SELECT [DISTINCT] ... LIMIT n, at the end of the statement.
void ReescribeTop(QList<Nodo>& nodos) {
    for (qsizetype i = 0; i < nodos.size(); ++i) {
        if (!EsPalabra(nodos[i], "SELECT"))
            continue;
        qsizetype j = i + 1;
        if (j < nodos.size() && (EsPalabra(nodos[j], "DISTINCT") || EsPalabra(nodos[j], "ALL")))
            ++j;
        if (j + 1 >= nodos.size() || !EsPalabra(nodos[j], "TOP"))
            continue;
        const QString limite = EmiteNodo(nodos[j + 1]);
        nodos.remove(j, 2);
        qsizetype fin = j;
        while (fin < nodos.size() && !EsSigno(nodos[fin], ";"))
            ++fin;
        nodos.insert(fin, Hoja(Token::Palabra, QStringLiteral("LIMIT")));
        nodos.insert(fin + 1, Hoja(Token::Palabra, limite));
    }
}

// ORDER BY of an expression or of an expression's alias sorts in the Spanish collation, as a
// column of text does by its own.
void ReescribeOrden(QList<Nodo>& nodos) {
    QStringList alias;
    for (qsizetype i = 0; i + 1 < nodos.size(); ++i)
        if (EsPalabra(nodos[i], "AS") && !nodos[i + 1].grupo)
            alias << nodos[i + 1].token.texto.toLower();
    for (qsizetype i = 0; i + 1 < nodos.size(); ++i) {
        if (!EsPalabra(nodos[i], "ORDER") || !EsPalabra(nodos[i + 1], "BY"))
            continue;
        qsizetype k = i + 2;
        while (k < nodos.size()) {
            const qsizetype desde = k;
            while (k < nodos.size() && !EsSigno(nodos[k], ",") && !EsSigno(nodos[k], ";") &&
                   !EsPalabra(nodos[k], "ASC") && !EsPalabra(nodos[k], "DESC") &&
                   !EsPalabra(nodos[k], "LIMIT") && !EsPalabra(nodos[k], "COLLATE") &&
                   !EsPalabra(nodos[k], "UNION"))
                ++k;
            const QList<Nodo> termino = nodos.mid(desde, k - desde);
            const bool columna = termino.size() == 1 && !termino[0].grupo &&
                                 (termino[0].token.tipo == Token::Numero ||
                                  termino[0].token.texto.contains(QLatin1Char('.')) ||
                                  !alias.contains(termino[0].token.texto.toLower()));
            if (!termino.isEmpty() && !columna && !EsPalabra(nodos.value(k), "COLLATE")) {
                nodos.insert(k, Hoja(Token::Palabra, QStringLiteral("COLLATE")));
                nodos.insert(k + 1, Hoja(Token::Palabra, QStringLiteral("ESPANOL")));
                k += 2;
            }
            while (k < nodos.size() && !EsSigno(nodos[k], ",") && !EsSigno(nodos[k], ";") &&
                   !EsPalabra(nodos[k], "LIMIT") && !EsPalabra(nodos[k], "UNION"))
                ++k;
            if (k < nodos.size() && EsSigno(nodos[k], ",")) {
                ++k;
                continue;
            }
            break;
        }
    }
}

// One term of a "+"/"-" chain: its "/" and "%" become calls that refuse a zero divisor, folded
// from the left with "*" as SQL Server groups them.
QString EmiteTermino(const QList<Nodo>& ns) {
    QString acumulado, actual, pendiente;
    bool esperaOperando = true;
    bool trasPalabra = false;
    auto pliega = [&] {
        return (pendiente == QLatin1String("/") ? QStringLiteral("MS_DIVIDE(")
                                                : QStringLiteral("MS_MODULO(")) +
               acumulado + QStringLiteral(", ") + actual + QLatin1Char(')');
    };
    for (const Nodo& n : ns) {
        const bool divide = EsSigno(n, "/") || EsSigno(n, "%");
        if (divide && !esperaOperando) {
            acumulado = pendiente.isEmpty() ? actual : pliega();
            pendiente = n.token.texto;
            actual.clear();
            esperaOperando = true;
            trasPalabra = false;
            continue;
        }
        if (EsSigno(n, "*") && !esperaOperando && !pendiente.isEmpty()) {
            actual = pliega();
            pendiente.clear();
        }
        // A group right after a word is that word's argument list: no blank between.
        if (!actual.isEmpty() && !(n.grupo && trasPalabra))
            actual += QLatin1Char(' ');
        actual += EmiteNodo(n);
        // After a symbol ("*", a unary sign) an operand is still awaited; "T.*" is no product.
        esperaOperando = !n.grupo && n.token.tipo == Token::Simbolo;
        trasPalabra = !n.grupo && n.token.tipo == Token::Palabra;
        if (trasPalabra && n.token.texto.endsWith(QLatin1Char('.')))
            esperaOperando = true;
    }
    return pendiente.isEmpty() ? actual : pliega();
}

// Whether every term of a sum is a column the schema declares SMALLINT: the server adds two
// SMALLINTs as a SMALLINT, and a result past 32,767 is its arithmetic overflow.
bool SonCortos(const QStringList& terminos) {
    static const QSet<QString> cortos = ColumnasCortas();
    for (const QString& t : terminos) {
        const QString nombre = t.mid(t.lastIndexOf(QLatin1Char('.')) + 1).toLower();
        if (!cortos.contains(nombre))
            return false;
    }
    return true;
}

// Rewrites one level: the calls, TOP and ORDER BY, inner groups, then every chain of terms
// joined by "+" and "-" becomes nested calls, "+" as MS_SUMA(a, b, ...) and "-" as
// MS_RESTA(a, b), so that texts, dates and NULL follow the server's rules.
// Table hints, "FROM Ciclos WITH (UPDLOCK, HOLDLOCK)": SQL Server's locks, which the embedded
// database takes by its own transactions (a write transaction holds the file's writer lock).
void QuitaSugerencias(QList<Nodo>& nodos) {
    static const QStringList kSugerencias{
        QStringLiteral("NOLOCK"),         QStringLiteral("UPDLOCK"),
        QStringLiteral("HOLDLOCK"),       QStringLiteral("ROWLOCK"),
        QStringLiteral("XLOCK"),          QStringLiteral("PAGLOCK"),
        QStringLiteral("TABLOCK"),        QStringLiteral("TABLOCKX"),
        QStringLiteral("READPAST"),       QStringLiteral("NOWAIT"),
        QStringLiteral("SERIALIZABLE"),   QStringLiteral("READCOMMITTED"),
        QStringLiteral("REPEATABLEREAD"), QStringLiteral("READUNCOMMITTED")};
    for (qsizetype i = 0; i + 1 < nodos.size(); ++i) {
        if (!EsPalabra(nodos[i], "WITH") || !nodos[i + 1].grupo || nodos[i + 1].hijos.isEmpty())
            continue;
        bool sugerencias = true;
        for (const Nodo& h : nodos[i + 1].hijos)
            sugerencias =
                sugerencias && !h.grupo &&
                (EsSigno(h, ",") || (h.token.tipo == Token::Palabra &&
                                     kSugerencias.contains(h.token.texto, Qt::CaseInsensitive)));
        if (sugerencias)
            nodos.remove(i, 2);
    }
}

// ORDER BY … OFFSET m ROWS [FETCH NEXT n ROWS ONLY] -> ORDER BY … LIMIT n OFFSET m. The server
// takes OFFSET only after an ORDER BY and never beside TOP.
void ReescribeDesplazamiento(QList<Nodo>& nodos) {
    auto sintaxis = [](const QString& cerca) {
        throw ErrorBaseDatos(QStringLiteral("Sintaxis incorrecta cerca de '%1'.").arg(cerca));
    };
    bool orden = false, top = false;
    for (qsizetype i = 0; i < nodos.size(); ++i) {
        if (EsPalabra(nodos[i], "ORDER"))
            orden = true;
        if (EsPalabra(nodos[i], "TOP"))
            top = true;
        if (EsPalabra(nodos[i], "SELECT") || EsPalabra(nodos[i], "UNION"))
            orden = false;
        if (!EsPalabra(nodos[i], "OFFSET"))
            continue;
        if (!orden || i + 2 >= nodos.size() ||
            !(EsPalabra(nodos[i + 2], "ROWS") || EsPalabra(nodos[i + 2], "ROW")))
            sintaxis(QStringLiteral("OFFSET"));
        if (top)
            throw ErrorBaseDatos(QString::fromUtf8(
                "No se puede usar una cláusula TOP en la misma consulta que OFFSET."));
        const Nodo desde = nodos[i + 1];
        QString limite = QStringLiteral("-1");
        qsizetype fin = i + 3;
        if (fin < nodos.size() && EsPalabra(nodos[fin], "FETCH")) {
            if (fin + 4 >= nodos.size() ||
                !(EsPalabra(nodos[fin + 1], "NEXT") || EsPalabra(nodos[fin + 1], "FIRST")) ||
                !(EsPalabra(nodos[fin + 3], "ROWS") || EsPalabra(nodos[fin + 3], "ROW")) ||
                !EsPalabra(nodos[fin + 4], "ONLY"))
                sintaxis(QStringLiteral("FETCH"));
            limite = EmiteNodo(nodos[fin + 2]);
            fin += 5;
        }
        nodos.remove(i, fin - i);
        nodos.insert(i, Hoja(Token::Palabra, QStringLiteral("LIMIT")));
        nodos.insert(i + 1, Hoja(Token::Palabra, limite));
        nodos.insert(i + 2, Hoja(Token::Palabra, QStringLiteral("OFFSET")));
        nodos.insert(i + 3, desde);
        i += 3;
    }
}

// The server's variables and niladic functions: @@VERSION, @@SPID, @@TRANCOUNT… become
// MS_VARIABLE('name'); CURRENT_USER and SESSION_USER are USER_NAME(), SYSTEM_USER SUSER_SNAME().
void ReescribeVariables(QList<Nodo>& nodos) {
    for (qsizetype i = 0; i < nodos.size(); ++i) {
        Nodo& n = nodos[i];
        if (n.grupo || n.token.tipo != Token::Palabra)
            continue;
        const bool llamada = i + 1 < nodos.size() && nodos[i + 1].grupo;
        if (n.token.texto.startsWith(QLatin1String("@@")))
            n.token.texto =
                QStringLiteral("MS_VARIABLE(%1)").arg(Citado(n.token.texto.mid(2).toUpper()));
        else if (!llamada && (EsPalabra(n, "CURRENT_USER") || EsPalabra(n, "SESSION_USER")))
            n.token.texto = QStringLiteral("USER_NAME()");
        else if (!llamada && EsPalabra(n, "SYSTEM_USER"))
            n.token.texto = QStringLiteral("SUSER_SNAME()");
    }
}

// The server compares texts in the database's collation, a literal with another literal or
// with an expression as much as with a column: a literal compared with anything but a column
// (which keeps its own collation, the dates' included) takes the Spanish one.
void ColacionDeLiterales(QList<Nodo>& nodos) {
    static const QRegularExpression literal(QStringLiteral("^'(?:[^']|'')*'$"));
    static const QRegularExpression columna(
        QStringLiteral("^(?:[A-Za-z_#][\\w#$@]*|\\[[^\\]]*\\])(?:\\.(?:[A-Za-z_#][\\w#$@]*|"
                       "\\[[^\\]]*\\]))*$"));
    auto esLiteral = [&](const Nodo& n) {
        return !n.grupo && literal.match(n.token.texto).hasMatch();
    };
    auto esColumna = [&](const Nodo& n) {
        return !n.grupo && n.token.tipo == Token::Palabra &&
               columna.match(n.token.texto).hasMatch();
    };
    static const QStringList comparaciones{
        QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("!="), QStringLiteral("<"),
        QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">=")};
    for (qsizetype i = 1; i + 1 < nodos.size(); ++i) {
        if (nodos[i].grupo || nodos[i].token.tipo != Token::Simbolo ||
            !comparaciones.contains(nodos[i].token.texto))
            continue;
        for (const qsizetype lado : {i - 1, i + 1}) {
            const qsizetype otro = lado == i - 1 ? i + 1 : i - 1;
            if (esLiteral(nodos[lado]) && !esColumna(nodos[otro])) {
                nodos[lado].token.texto += QStringLiteral(" COLLATE ESPANOL");
                break;
            }
        }
    }
}

QList<Nodo> Reescribe(QList<Nodo> nodos) {
    QuitaSugerencias(nodos);
    ReescribeVariables(nodos);
    ReescribeDesplazamiento(nodos);
    ReescribeLlamadas(nodos);
    ReescribeTop(nodos);
    ReescribeOrden(nodos);
    for (Nodo& n : nodos)
        if (n.grupo)
            n.hijos = Reescribe(n.hijos);

    // Split into operands: an operand is a run of nodes up to "+", "-" (binary) or a frontier.
    QList<Nodo> salida;
    qsizetype i = 0;
    while (i < nodos.size()) {
        if (EsFrontera(nodos[i])) {
            salida.append(nodos[i++]);
            continue;
        }
        QList<QList<Nodo>> terminos{{}};
        QStringList operadores;
        bool esperaOperando = true;
        while (i < nodos.size() && !EsFrontera(nodos[i])) {
            const Nodo& n = nodos[i];
            const bool signo = EsSigno(n, "+") || EsSigno(n, "-");
            if (signo && !esperaOperando) {
                terminos.append(QList<Nodo>());
                operadores << n.token.texto;
                esperaOperando = true;
                ++i;
                continue;
            }
            terminos.last().append(n);
            esperaOperando = !n.grupo && n.token.tipo == Token::Simbolo;
            if (!n.grupo && n.token.tipo == Token::Palabra &&
                n.token.texto.endsWith(QLatin1Char('.')))
                esperaOperando = true;
            ++i;
        }
        QStringList textos;
        for (const QList<Nodo>& t : terminos)
            textos << EmiteTermino(t);
        QString acumulado;
        if (!operadores.isEmpty() && !operadores.contains(QStringLiteral("-"))) {
            acumulado =
                QStringLiteral("MS_SUMA(") + textos.join(QStringLiteral(", ")) + QLatin1Char(')');
        } else {
            acumulado = textos[0];
            for (qsizetype k = 0; k < operadores.size(); ++k)
                acumulado = (operadores[k] == QLatin1String("+") ? QStringLiteral("MS_SUMA(")
                                                                 : QStringLiteral("MS_RESTA(")) +
                            acumulado + QStringLiteral(", ") + textos[k + 1] + QLatin1Char(')');
        }
        if (!operadores.isEmpty() && SonCortos(textos))
            acumulado = QStringLiteral("MS_CORTO(") + acumulado + QLatin1Char(')');
        salida.append(Hoja(Token::Palabra, acumulado));
    }
    ColacionDeLiterales(salida);
    return salida;
}

QString Emite(const QList<Nodo>& nodos) {
    QString s;
    for (qsizetype i = 0; i < nodos.size(); ++i) {
        const Nodo& n = nodos[i];
        const bool llamada = n.grupo && i > 0 && !nodos[i - 1].grupo &&
                             nodos[i - 1].token.tipo == Token::Palabra && !EsFrontera(nodos[i - 1]);
        if (i > 0 && !llamada)
            s += QLatin1Char(' ');
        s += EmiteNodo(n);
    }
    return s;
}

} // namespace

QStringList NombresParametros(const QString& sql) {
    QStringList nombres;
    for (const Token& t : Tokeniza(sql))
        if (t.tipo == Token::Parametro)
            nombres << t.texto.mid(1);
    return nombres;
}

std::optional<Llamada> LeeExec(const QString& sql) {
    QList<Token> t;
    for (const Token& k : Tokeniza(sql))
        if (k.tipo != Token::Espacio)
            t.append(k);
    if (t.isEmpty() || t[0].tipo != Token::Palabra ||
        (t[0].texto.compare(QLatin1String("EXEC"), Qt::CaseInsensitive) != 0 &&
         t[0].texto.compare(QLatin1String("EXECUTE"), Qt::CaseInsensitive) != 0))
        return std::nullopt;
    if (t.size() < 2 || t[1].tipo != Token::Palabra)
        return std::nullopt;
    Llamada llamada;
    llamada.procedimiento = t[1].texto;
    qsizetype i = 2;
    // A numbered procedure: "LogEntrada;1".
    if (i + 1 < t.size() && t[i].texto == QLatin1String(";") && t[i + 1].tipo == Token::Numero) {
        llamada.procedimiento += QLatin1Char(';') + t[i + 1].texto;
        i += 2;
    }
    for (; i < t.size(); ++i) {
        const Token& k = t[i];
        if (k.texto == QLatin1String(",") || k.texto == QLatin1String(";"))
            continue;
        Llamada::Argumento a;
        if (k.tipo == Token::Parametro)
            a.parametro = k.texto.mid(1);
        else if (k.tipo == Token::Cadena)
            a.literal = k.texto.mid(1, k.texto.size() - 2)
                            .replace(QStringLiteral("''"), QStringLiteral("'"));
        else if (k.tipo == Token::Numero)
            a.literal = k.texto.toLongLong();
        else if (k.texto.compare(QLatin1String("NULL"), Qt::CaseInsensitive) != 0)
            a.literal = k.texto;
        llamada.argumentos.append(a);
    }
    return llamada;
}

namespace {

QString TraduceSentencia(const QString& tsql) {
    // RAISERROR: an error from severity 11 on; a notice below, which changes nothing. A session
    // option the embedded server has no use for changes nothing either.
    if (const auto aviso = LeeRaiserror(tsql))
        return aviso->severidad >= 11
                   ? QStringLiteral("SELECT MS_RAISERROR(%1)").arg(Citado(aviso->texto))
                   : QStringLiteral("SELECT 1 WHERE 0");
    if (SetSinEfecto(tsql))
        return QStringLiteral("SELECT 1 WHERE 0");
    RechazaFormasSqlite(tsql);
    const QList<Token> tokens = Tokeniza(tsql);
    qsizetype i = 0;
    const QList<Nodo> arbol = Agrupa(tokens, i);
    return Emite(Reescribe(arbol));
}

} // namespace

QString Traduce(const QString& tsql) {
    // A batch of several statements: each on its own, joined with the ";" SQLite needs.
    const QStringList partes = PartesLote(tsql);
    if (partes.size() <= 1)
        return TraduceSentencia(tsql);
    QStringList traducidas;
    for (const QString& p : partes)
        traducidas << TraduceSentencia(p);
    return traducidas.join(QStringLiteral(";\n"));
}

void RegistraBase(sqlite3* bd) {
    // Until a session starts, the server's functions answer as the database owner's.
    static const Sesion duena = [] {
        Sesion s;
        s.login = QStringLiteral("dbo");
        s.esMiembro = [](const QString& rol) {
            return rol.compare(QLatin1String("db_owner"), Qt::CaseInsensitive) == 0 ? 1 : 0;
        };
        return s;
    }();
    Colacion::Registra(bd, &duena.ordenFecha);
    FuncionesServidor::RegistraBase(bd);
    FuncionesServidor::RegistraSesion(bd, &duena);
}

bool Registra(sqlite3* bd, const Sesion* sesion) {
    Colacion::Registra(bd, &sesion->ordenFecha);
    FuncionesServidor::RegistraBase(bd);
    return FuncionesServidor::RegistraSesion(bd, sesion);
}

QString TextoFecha(const QDateTime& valor) {
    if (!valor.isValid())
        return {};
    // Kept as the server's DATETIME keeps it, in steps of 1/300 s.
    const int ms = valor.time().msec();
    const int redondeado = int(FechasTexto::RedondeaMs(ms));
    const QDateTime fecha = redondeado == ms ? valor : valor.addMSecs(redondeado - ms);
    // Written by hand: a statement run row after row binds one for every row.
    const QDate d = fecha.date();
    const QTime t = fecha.time();
    char c[32];
    const int n = std::snprintf(c, sizeof c, "%04d-%02d-%02d %02d:%02d:%02d.%03d", d.year(),
                                d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
    return QString::fromLatin1(c, n);
}

QDateTime FechaDeTexto(const QString& texto) {
    char c[24];
    const QByteArray t = texto.toUtf8();
    if (FechasTexto::LeeFecha(std::string_view(t.constData(), size_t(t.size())), c))
        return QDateTime::fromString(QString::fromLatin1(c, 23),
                                     QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    return QDateTime::fromString(texto.trimmed(), Qt::ISODateWithMs);
}

int DiaSqlServer(const QDateTime& fecha) {
    // SQL Server converts a datetime to int by rounding: from noon on it is the next day.
    const qint64 dias = QDate(1900, 1, 1).daysTo(fecha.date());
    return int(dias + (fecha.time().msecsSinceStartOfDay() >= 12 * 3600 * 1000 ? 1 : 0));
}

} // namespace DialectoSqlite
