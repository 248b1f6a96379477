// T-SQL on SQLite: statement rewriting and server functions.
#include "db/DialectoSqlite.h"

#include <QRegularExpression>
#include <QStringList>
#include <cstdint>
#include <sqlite3.h>
#include <string>

namespace DialectoSqlite {
namespace {

// ---- tokens ------------------------------------------------------------------------------

struct Token {
    enum Tipo { Palabra, Numero, Cadena, Parametro, Simbolo, Abre, Cierra, Espacio } tipo;
    QString texto;
};

QList<Token> Tokeniza(const QString& s) {
    QList<Token> t;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            qsizetype j = i;
            while (j < n && s[j].isSpace())
                ++j;
            t.append({Token::Espacio, s.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('\'')) {
            qsizetype j = i + 1;
            while (j < n) {
                if (s[j] == QLatin1Char('\'')) {
                    if (j + 1 < n && s[j + 1] == QLatin1Char('\'')) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            t.append({Token::Cadena, s.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('[') || c == QLatin1Char('"')) {
            const QChar fin = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"');
            qsizetype j = s.indexOf(fin, i + 1);
            j = j < 0 ? n : j + 1;
            t.append({Token::Palabra, s.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            qsizetype j = s.indexOf(QLatin1Char('\n'), i);
            j = j < 0 ? n : j;
            t.append({Token::Espacio, s.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char(':') && i + 1 < n &&
                   (s[i + 1].isLetter() || s[i + 1] == QLatin1Char('_'))) {
            qsizetype j = i + 1;
            while (j < n && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_')))
                ++j;
            t.append({Token::Parametro, s.mid(i, j - i)});
            i = j;
        } else if (c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('@') ||
                   c == QLatin1Char('#')) {
            qsizetype j = i;
            while (j < n && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_') ||
                             s[j] == QLatin1Char('.') || s[j] == QLatin1Char('@') ||
                             s[j] == QLatin1Char('#') || s[j] == QLatin1Char('$')))
                ++j;
            t.append({Token::Palabra, s.mid(i, j - i)});
            i = j;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && s[i + 1].isDigit())) {
            qsizetype j = i;
            while (j < n && (s[j].isDigit() || s[j] == QLatin1Char('.')))
                ++j;
            t.append({Token::Numero, s.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('(')) {
            t.append({Token::Abre, QStringLiteral("(")});
            ++i;
        } else if (c == QLatin1Char(')')) {
            t.append({Token::Cierra, QStringLiteral(")")});
            ++i;
        } else {
            // Two-character operators stay together.
            static const QStringList dobles{QStringLiteral("<="), QStringLiteral(">="),
                                            QStringLiteral("<>"), QStringLiteral("!="),
                                            QStringLiteral("||")};
            const QString par = s.mid(i, 2);
            if (dobles.contains(par)) {
                t.append({Token::Simbolo, par});
                i += 2;
            } else {
                t.append({Token::Simbolo, QString(c)});
                ++i;
            }
        }
    }
    return t;
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
        QStringLiteral("SELECT"), QStringLiteral("FROM"),    QStringLiteral("WHERE"),
        QStringLiteral("AND"),    QStringLiteral("OR"),      QStringLiteral("NOT"),
        QStringLiteral("AS"),     QStringLiteral("ON"),      QStringLiteral("JOIN"),
        QStringLiteral("LEFT"),   QStringLiteral("RIGHT"),   QStringLiteral("INNER"),
        QStringLiteral("OUTER"),  QStringLiteral("CROSS"),   QStringLiteral("GROUP"),
        QStringLiteral("ORDER"),  QStringLiteral("BY"),      QStringLiteral("HAVING"),
        QStringLiteral("UNION"),  QStringLiteral("ALL"),     QStringLiteral("CASE"),
        QStringLiteral("WHEN"),   QStringLiteral("THEN"),    QStringLiteral("ELSE"),
        QStringLiteral("END"),    QStringLiteral("BETWEEN"), QStringLiteral("IN"),
        QStringLiteral("LIKE"),   QStringLiteral("IS"),      QStringLiteral("NULL"),
        QStringLiteral("SET"),    QStringLiteral("VALUES"),  QStringLiteral("INTO"),
        QStringLiteral("UPDATE"), QStringLiteral("DELETE"),  QStringLiteral("INSERT"),
        QStringLiteral("ASC"),    QStringLiteral("DESC"),    QStringLiteral("DISTINCT"),
        QStringLiteral("TOP"),    QStringLiteral("EXISTS"),  QStringLiteral("ESCAPE")};
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

// Rewrites one level: inner groups first, CAST(GETDATE() AS INT), then every chain of terms
// joined by "+" and "-" becomes nested calls, "+" as MS_SUMA(a, b).
QList<Nodo> Reescribe(QList<Nodo> nodos) {
    // Functions whose names SQLite keeps for itself: ISNULL is a postfix operator there and
    // LEFT a join word, so calls to them go to functions of our own.
    for (qsizetype i = 0; i + 1 < nodos.size(); ++i) {
        if (!nodos[i + 1].grupo)
            continue;
        if (EsPalabra(nodos[i], "ISNULL"))
            nodos[i].token.texto = QStringLiteral("MS_ISNULL");
        else if (EsPalabra(nodos[i], "LEFT"))
            nodos[i].token.texto = QStringLiteral("MS_LEFT");
    }

    // CAST ( GETDATE() AS INT ) -> MS_DIA(GETDATE())
    for (qsizetype i = 0; i + 1 < nodos.size(); ++i) {
        if (!EsPalabra(nodos[i], "CAST") || !nodos[i + 1].grupo)
            continue;
        const QList<Nodo>& h = nodos[i + 1].hijos;
        if (h.size() == 4 && EsPalabra(h[0], "GETDATE") && h[1].grupo && h[1].hijos.isEmpty() &&
            EsPalabra(h[2], "AS") && EsPalabra(h[3], "INT")) {
            Nodo llamada;
            llamada.token = {Token::Palabra, QStringLiteral("MS_DIA(GETDATE())")};
            nodos[i] = llamada;
            nodos.removeAt(i + 1);
        }
    }
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
        // Collect one chain: term (op term)*
        QStringList terminos;
        QStringList operadores;
        QString actual;
        bool esperaOperando = true;
        bool trasPalabra = false;
        while (i < nodos.size() && !EsFrontera(nodos[i])) {
            const Nodo& n = nodos[i];
            const bool mas = EsSigno(n, "+"), menos = EsSigno(n, "-");
            if ((mas || menos) && !esperaOperando) {
                terminos << actual;
                operadores << n.token.texto;
                actual.clear();
                esperaOperando = true;
                trasPalabra = false;
                ++i;
                continue;
            }
            // A group right after a word is that word's argument list: no blank between.
            if (!actual.isEmpty() && !(n.grupo && trasPalabra))
                actual += QLatin1Char(' ');
            actual += EmiteNodo(n);
            // After a symbol ("*", "/", a unary sign) an operand is still awaited.
            esperaOperando = !n.grupo && n.token.tipo == Token::Simbolo;
            trasPalabra = !n.grupo && n.token.tipo == Token::Palabra;
            ++i;
        }
        terminos << actual;
        if (!operadores.contains(QStringLiteral("+"))) {
            QString texto = terminos[0];
            for (qsizetype k = 0; k < operadores.size(); ++k)
                texto += QLatin1Char(' ') + operadores[k] + QLatin1Char(' ') + terminos[k + 1];
            Nodo hoja;
            hoja.token = {Token::Palabra, texto};
            salida.append(hoja);
            continue;
        }
        if (!operadores.contains(QStringLiteral("-"))) {
            Nodo hoja;
            hoja.token = {Token::Palabra, QStringLiteral("MS_SUMA(") +
                                              terminos.join(QStringLiteral(", ")) +
                                              QLatin1Char(')')};
            salida.append(hoja);
            continue;
        }
        QString acumulado = terminos[0];
        for (qsizetype k = 0; k < operadores.size(); ++k) {
            if (operadores[k] == QLatin1String("+"))
                acumulado = QStringLiteral("MS_SUMA(") + acumulado + QStringLiteral(", ") +
                            terminos[k + 1] + QLatin1Char(')');
            else
                acumulado = QLatin1Char('(') + acumulado + QStringLiteral(" - ") + terminos[k + 1] +
                            QLatin1Char(')');
        }
        Nodo hoja;
        hoja.token = {Token::Palabra, acumulado};
        salida.append(hoja);
    }
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

// ---- server functions ----------------------------------------------------------------------

const Sesion* SesionDe(sqlite3_context* ctx) {
    return static_cast<const Sesion*>(sqlite3_user_data(ctx));
}

void ResultadoTexto(sqlite3_context* ctx, const QString& texto) {
    const QByteArray b = texto.toUtf8();
    sqlite3_result_text(ctx, b.constData(), int(b.size()), SQLITE_TRANSIENT);
}

QString TextoValor(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? QString::fromUtf8(p, sqlite3_value_bytes(v)) : QString();
}

QDateTime Ahora(const Sesion* s) {
    return s && s->reloj ? s->reloj() : QDateTime::currentDateTime();
}

void FnSuserSname(sqlite3_context* ctx, int, sqlite3_value**) {
    ResultadoTexto(ctx, SesionDe(ctx)->login);
}
void FnDbName(sqlite3_context* ctx, int, sqlite3_value**) {
    ResultadoTexto(ctx, SesionDe(ctx)->baseDatos);
}
void FnHostName(sqlite3_context* ctx, int, sqlite3_value**) {
    ResultadoTexto(ctx, SesionDe(ctx)->estacion);
}
void FnGetDate(sqlite3_context* ctx, int, sqlite3_value**) {
    ResultadoTexto(ctx, TextoFecha(Ahora(SesionDe(ctx))));
}
void FnIsMember(sqlite3_context* ctx, int, sqlite3_value** args) {
    const Sesion* s = SesionDe(ctx);
    const int r = s->esMiembro ? s->esMiembro(TextoValor(args[0])) : -1;
    if (r < 0)
        sqlite3_result_null(ctx);
    else
        sqlite3_result_int(ctx, r);
}
void FnIsNull(sqlite3_context* ctx, int, sqlite3_value** args) {
    sqlite3_result_value(ctx, sqlite3_value_type(args[0]) == SQLITE_NULL ? args[1] : args[0]);
}
void FnLeft(sqlite3_context* ctx, int, sqlite3_value** a) {
    if (sqlite3_value_type(a[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    ResultadoTexto(ctx, TextoValor(a[0]).left(qMax(0, sqlite3_value_int(a[1]))));
}
// LEN ignores trailing blanks, as the server does.
void FnLen(sqlite3_context* ctx, int, sqlite3_value** a) {
    if (sqlite3_value_type(a[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    QString t = TextoValor(a[0]);
    while (t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    sqlite3_result_int(ctx, int(t.size()));
}
void FnParteFecha(sqlite3_context* ctx, sqlite3_value* v, int parte) {
    if (sqlite3_value_type(v) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QDateTime f = FechaDeTexto(TextoValor(v));
    if (!f.isValid()) {
        sqlite3_result_error(ctx, "La conversión de la cadena de caracteres a fecha falló.", -1);
        return;
    }
    sqlite3_result_int(ctx, parte == 0   ? f.date().year()
                            : parte == 1 ? f.date().month()
                                         : f.date().day());
}
void FnYear(sqlite3_context* ctx, int, sqlite3_value** a) {
    FnParteFecha(ctx, a[0], 0);
}
void FnMonth(sqlite3_context* ctx, int, sqlite3_value** a) {
    FnParteFecha(ctx, a[0], 1);
}
void FnDay(sqlite3_context* ctx, int, sqlite3_value** a) {
    FnParteFecha(ctx, a[0], 2);
}
void FnDia(sqlite3_context* ctx, int, sqlite3_value** args) {
    const QDateTime f = FechaDeTexto(TextoValor(args[0]));
    if (!f.isValid())
        sqlite3_result_null(ctx);
    else
        sqlite3_result_int(ctx, DiaSqlServer(f));
}

bool EsFechaTexto(const QString& t) {
    static const QRegularExpression p(QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}"));
    return p.match(t).hasMatch();
}

// An operand of "+" while a chain is folded.
struct Operando {
    enum Tipo { Nulo, Entero, Real, Texto } tipo = Nulo;
    std::int64_t entero = 0;
    double real = 0;
    std::string texto; // UTF-8

    static Operando De(sqlite3_value* v) {
        Operando o;
        switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER:
            o.tipo = Entero;
            o.entero = sqlite3_value_int64(v);
            break;
        case SQLITE_FLOAT:
            o.tipo = Real;
            o.real = sqlite3_value_double(v);
            break;
        case SQLITE_NULL:
            break;
        default:
            o.tipo = Texto;
            o.texto.assign(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                           size_t(sqlite3_value_bytes(v)));
        }
        return o;
    }
    double ComoReal() const { return tipo == Entero ? double(entero) : real; }
};

// a + b as SQL Server reads it: NULL with anything is NULL; two texts join; a number with a
// number or with a text adds (the text converted, a conversion error otherwise); a date plus a
// number adds days. Returns false with `error` set on a conversion error.
bool Suma(Operando& a, const Operando& b, QString& error) {
    if (a.tipo == Operando::Nulo || b.tipo == Operando::Nulo) {
        a.tipo = Operando::Nulo;
        return true;
    }
    const bool textoA = a.tipo == Operando::Texto, textoB = b.tipo == Operando::Texto;
    if (textoA && textoB) {
        a.texto += b.texto;
        return true;
    }
    if (textoA != textoB) {
        const Operando& texto = textoA ? a : b;
        const Operando numero = textoA ? b : a;
        const QString t = QString::fromUtf8(texto.texto.data(), qsizetype(texto.texto.size()));
        if (EsFechaTexto(t)) {
            const QDateTime f = FechaDeTexto(t);
            a.tipo = Operando::Texto;
            a.texto = TextoFecha(f.addMSecs(qint64(numero.ComoReal() * 86400000.0))).toStdString();
            return true;
        }
        bool ok = false;
        const QString limpio = t.trimmed();
        if (numero.tipo == Operando::Entero) {
            const qlonglong n = limpio.toLongLong(&ok);
            if (ok) {
                a.tipo = Operando::Entero;
                a.entero = n + numero.entero;
                return true;
            }
        } else {
            const double d = limpio.toDouble(&ok);
            if (ok) {
                a.tipo = Operando::Real;
                a.real = d + numero.real;
                return true;
            }
        }
        error = QStringLiteral("Error de conversión al convertir el valor varchar '%1' al tipo de "
                               "datos int.")
                    .arg(t);
        return false;
    }
    if (a.tipo == Operando::Entero && b.tipo == Operando::Entero) {
        a.entero += b.entero;
    } else {
        a.real = a.ComoReal() + b.ComoReal();
        a.tipo = Operando::Real;
    }
    return true;
}

// MS_SUMA(a, b, ...): a chain of "+" folded from the left in one call.
void FnSuma(sqlite3_context* ctx, int n, sqlite3_value** args) {
    // The common case, integers only, without building operands.
    bool enteros = true;
    std::int64_t total = 0;
    for (int i = 0; i < n && enteros; ++i) {
        const int t = sqlite3_value_type(args[i]);
        if (t == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
        enteros = t == SQLITE_INTEGER;
        total += enteros ? sqlite3_value_int64(args[i]) : 0;
    }
    if (enteros) {
        sqlite3_result_int64(ctx, total);
        return;
    }
    Operando acumulado = Operando::De(args[0]);
    QString error;
    for (int i = 1; i < n; ++i) {
        if (!Suma(acumulado, Operando::De(args[i]), error)) {
            const QByteArray m = error.toUtf8();
            sqlite3_result_error(ctx, m.constData(), int(m.size()));
            return;
        }
        if (acumulado.tipo == Operando::Nulo)
            break;
    }
    switch (acumulado.tipo) {
    case Operando::Nulo:
        sqlite3_result_null(ctx);
        break;
    case Operando::Entero:
        sqlite3_result_int64(ctx, acumulado.entero);
        break;
    case Operando::Real:
        sqlite3_result_double(ctx, acumulado.real);
        break;
    case Operando::Texto:
        sqlite3_result_text(ctx, acumulado.texto.data(), int(acumulado.texto.size()),
                            SQLITE_TRANSIENT);
        break;
    }
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

QString Traduce(const QString& tsql) {
    const QList<Token> tokens = Tokeniza(tsql);
    qsizetype i = 0;
    const QList<Nodo> arbol = Agrupa(tokens, i);
    return Emite(Reescribe(arbol));
}

void Registra(sqlite3* bd, const Sesion* sesion) {
    void* datos = const_cast<Sesion*>(sesion);
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(bd, "SUSER_SNAME", 0, SQLITE_UTF8, datos, FnSuserSname, nullptr,
                            nullptr);
    sqlite3_create_function(bd, "DB_NAME", 0, SQLITE_UTF8, datos, FnDbName, nullptr, nullptr);
    sqlite3_create_function(bd, "HOST_NAME", 0, SQLITE_UTF8, datos, FnHostName, nullptr, nullptr);
    sqlite3_create_function(bd, "GETDATE", 0, SQLITE_UTF8, datos, FnGetDate, nullptr, nullptr);
    sqlite3_create_function(bd, "IS_MEMBER", 1, SQLITE_UTF8, datos, FnIsMember, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_ISNULL", 2, det, datos, FnIsNull, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_LEFT", 2, det, datos, FnLeft, nullptr, nullptr);
    sqlite3_create_function(bd, "LEN", 1, det, datos, FnLen, nullptr, nullptr);
    sqlite3_create_function(bd, "YEAR", 1, det, datos, FnYear, nullptr, nullptr);
    sqlite3_create_function(bd, "MONTH", 1, det, datos, FnMonth, nullptr, nullptr);
    sqlite3_create_function(bd, "DAY", 1, det, datos, FnDay, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_DIA", 1, det, datos, FnDia, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_SUMA", -1, det, datos, FnSuma, nullptr, nullptr);
}

QString TextoFecha(const QDateTime& fecha) {
    return fecha.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

QDateTime FechaDeTexto(const QString& texto) {
    const QString t = texto.trimmed();
    QDateTime f = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    if (!f.isValid())
        f = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!f.isValid())
        f = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!f.isValid())
        f = QDateTime::fromString(t, Qt::ISODateWithMs);
    if (!f.isValid()) {
        const QDate d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
        if (d.isValid())
            f = QDateTime(d, QTime(0, 0));
    }
    return f;
}

int DiaSqlServer(const QDateTime& fecha) {
    // SQL Server converts a datetime to int by rounding: from noon on it is the next day.
    const qint64 dias = QDate(1900, 1, 1).daysTo(fecha.date());
    return int(dias + (fecha.time().msecsSinceStartOfDay() >= 12 * 3600 * 1000 ? 1 : 0));
}

} // namespace DialectoSqlite
