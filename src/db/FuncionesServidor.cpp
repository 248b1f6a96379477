// Arithmetic, text and session functions of the embedded server.
#include "db/FuncionesServidor.h"

#include "db/Colacion.h"
#include "db/ValoresSqlite.h"

#include <QDate>
#include <cmath>

using namespace ValoresSqlite;

namespace FuncionesServidor {

Momento Momento::DeMs(std::int64_t total) {
    Momento m;
    m.dias = total >= 0 ? total / 86400000 : -((-total + 86399999) / 86400000);
    m.ms = int(total - m.dias * 86400000);
    return m;
}

bool LeeMomento(std::string_view texto, Momento& m, FechasTexto::Orden orden) {
    char c[24];
    if (!FechasTexto::LeeFecha(texto, c, orden))
        return false;
    const int a = std::atoi(c), mes = std::atoi(c + 5), d = std::atoi(c + 8);
    const int h = std::atoi(c + 11), mi = std::atoi(c + 14), s = std::atoi(c + 17);
    const int ms = std::atoi(c + 20);
    m.dias = QDate(1900, 1, 1).daysTo(QDate(a, mes, d));
    m.ms = ((h * 60 + mi) * 60 + s) * 1000 + ms;
    return true;
}

std::string TextoMomento(const Momento& m) {
    const QDate d = QDate(1900, 1, 1).addDays(m.dias);
    char c[32];
    std::snprintf(c, sizeof c, "%04d-%02d-%02d %02d:%02d:%02d.%03d", d.year(), d.month(), d.day(),
                  m.ms / 3600000, m.ms / 60000 % 60, m.ms / 1000 % 60, m.ms % 1000);
    return c;
}

namespace {

// ---- arithmetic ----------------------------------------------------------------------------

struct Operando {
    enum Tipo { Nulo, Entero, Real, Texto, Fecha } tipo = Nulo;
    std::int64_t entero = 0;
    double real = 0;
    std::string texto; // UTF-8
    Momento fecha;

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
            o.texto = std::string(Vista(v));
        }
        return o;
    }
    double ComoReal() const { return tipo == Entero ? double(entero) : real; }
    bool Numero() const { return tipo == Entero || tipo == Real; }
};

const char* NombreOperador(char op) {
    switch (op) {
    case '+':
        return "add";
    case '-':
        return "subtract";
    case '/':
        return "divide";
    default:
        return "modulo";
    }
}

QString TextoDeConversion(const Operando& texto, const char* tipo) {
    return QStringLiteral("Error de conversión al convertir el valor varchar '%1' al tipo de datos "
                          "%2.")
        .arg(QString::fromStdString(texto.texto), QLatin1String(tipo));
}

QString Desborde() {
    return QStringLiteral("Error de desbordamiento aritmético al convertir expression al tipo de "
                          "datos int.");
}

// A text beside a number: a date when it reads as one, else the number it holds.
bool ConvierteTexto(Operando& t, const Operando& numero, QString& error) {
    if (LeeMomento(t.texto, t.fecha)) {
        t.tipo = Operando::Fecha;
        return true;
    }
    if (numero.tipo == Operando::Entero || numero.tipo == Operando::Fecha) {
        if (EnteroDeTexto(t.texto, t.entero)) {
            t.tipo = Operando::Entero;
            return true;
        }
        error = TextoDeConversion(t, "int");
        return false;
    }
    if (RealDeTexto(t.texto, t.real)) {
        t.tipo = Operando::Real;
        return true;
    }
    error = TextoDeConversion(t, "float");
    return false;
}

// a (op) b as SQL Server reads it: NULL with anything is NULL; two texts join with "+"; a
// number with a text converts the text; a date with a number counts days; division and
// modulo by zero are errors.
bool Opera(char op, Operando& a, Operando b, QString& error) {
    if (a.tipo == Operando::Nulo || b.tipo == Operando::Nulo) {
        a.tipo = Operando::Nulo;
        return true;
    }
    if (a.tipo == Operando::Texto && b.tipo == Operando::Texto) {
        if (op == '+') {
            a.texto += b.texto;
            return true;
        }
        error = QStringLiteral("Los tipos de datos varchar y varchar son incompatibles en el "
                               "operador %1.")
                    .arg(QLatin1String(NombreOperador(op)));
        return false;
    }
    if (a.tipo == Operando::Texto && !ConvierteTexto(a, b, error))
        return false;
    if (b.tipo == Operando::Texto && !ConvierteTexto(b, a, error))
        return false;
    if (a.tipo == Operando::Fecha || b.tipo == Operando::Fecha) {
        if (op != '+' && op != '-') {
            error = QStringLiteral("Los tipos de datos datetime e int son incompatibles en el "
                                   "operador %1.")
                        .arg(QLatin1String(NombreOperador(op)));
            return false;
        }
        auto ms = [](const Operando& o) {
            return o.tipo == Operando::Fecha
                       ? o.fecha.TotalMs()
                       : std::int64_t(std::llround(o.ComoReal() * 86400000.0));
        };
        const std::int64_t total = op == '+' ? ms(a) + ms(b) : ms(a) - ms(b);
        a.tipo = Operando::Fecha;
        a.fecha = Momento::DeMs(total);
        return true;
    }
    if (a.tipo == Operando::Entero && b.tipo == Operando::Entero) {
        std::int64_t r = 0;
        bool desborda = false;
        switch (op) {
        case '+':
            desborda = __builtin_add_overflow(a.entero, b.entero, &r);
            break;
        case '-':
            desborda = __builtin_sub_overflow(a.entero, b.entero, &r);
            break;
        default:
            if (b.entero == 0) {
                error = QStringLiteral("Error de división entre cero.");
                return false;
            }
            desborda = b.entero == -1 && a.entero == INT64_MIN;
            r = op == '/' ? a.entero / b.entero : a.entero % b.entero;
        }
        if (desborda) {
            error = Desborde();
            return false;
        }
        a.entero = r;
        return true;
    }
    const double x = a.ComoReal(), y = b.ComoReal();
    if ((op == '/' || op == '%') && y == 0.0) {
        error = QStringLiteral("Error de división entre cero.");
        return false;
    }
    a.tipo = Operando::Real;
    a.real = op == '+' ? x + y : op == '-' ? x - y : op == '/' ? x / y : std::fmod(x, y);
    return true;
}

void Responde(sqlite3_context* ctx, const Operando& o) {
    switch (o.tipo) {
    case Operando::Nulo:
        sqlite3_result_null(ctx);
        break;
    case Operando::Entero:
        sqlite3_result_int64(ctx, o.entero);
        break;
    case Operando::Real:
        sqlite3_result_double(ctx, o.real);
        break;
    case Operando::Texto:
        Resultado(ctx, std::string_view(o.texto));
        break;
    case Operando::Fecha:
        Resultado(ctx, std::string_view(TextoMomento(o.fecha)));
        break;
    }
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
        if (enteros && __builtin_add_overflow(total, sqlite3_value_int64(args[i]), &total)) {
            Error(ctx, Desborde());
            return;
        }
    }
    if (enteros) {
        sqlite3_result_int64(ctx, total);
        return;
    }
    Operando acumulado = Operando::De(args[0]);
    QString error;
    for (int i = 1; i < n && acumulado.tipo != Operando::Nulo; ++i) {
        if (!Opera('+', acumulado, Operando::De(args[i]), error)) {
            Error(ctx, error);
            return;
        }
    }
    Responde(ctx, acumulado);
}

void Binaria(sqlite3_context* ctx, char op, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_INTEGER &&
        sqlite3_value_type(args[1]) == SQLITE_INTEGER && op == '-') {
        std::int64_t r = 0;
        if (__builtin_sub_overflow(sqlite3_value_int64(args[0]), sqlite3_value_int64(args[1]), &r))
            Error(ctx, Desborde());
        else
            sqlite3_result_int64(ctx, r);
        return;
    }
    Operando a = Operando::De(args[0]);
    QString error;
    if (!Opera(op, a, Operando::De(args[1]), error)) {
        Error(ctx, error);
        return;
    }
    Responde(ctx, a);
}
void FnResta(sqlite3_context* ctx, int, sqlite3_value** a) {
    Binaria(ctx, '-', a);
}
void FnDivide(sqlite3_context* ctx, int, sqlite3_value** a) {
    Binaria(ctx, '/', a);
}
void FnModulo(sqlite3_context* ctx, int, sqlite3_value** a) {
    Binaria(ctx, '%', a);
}

// ---- text ----------------------------------------------------------------------------------

void FnIsNull(sqlite3_context* ctx, int, sqlite3_value** args) {
    sqlite3_result_value(ctx, EsNulo(args[0]) ? args[1] : args[0]);
}

void FnLeft(sqlite3_context* ctx, int, sqlite3_value** a) {
    if (EsNulo(a[0]) || EsNulo(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    Resultado(ctx, Texto(a[0]).left(qMax(0, sqlite3_value_int(a[1]))));
}

void FnRight(sqlite3_context* ctx, int, sqlite3_value** a) {
    if (EsNulo(a[0]) || EsNulo(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    Resultado(ctx, Texto(a[0]).right(qMax(0, sqlite3_value_int(a[1]))));
}

// LEN ignores trailing blanks, as the server does.
void FnLen(sqlite3_context* ctx, int, sqlite3_value** a) {
    if (EsNulo(a[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    QString t = Texto(a[0]);
    while (t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    sqlite3_result_int(ctx, int(t.size()));
}

// CHARINDEX(sought, text[, start]) with the collation's folding.
void FnCharIndex(sqlite3_context* ctx, int n, sqlite3_value** a) {
    if (EsNulo(a[0]) || EsNulo(a[1]) || (n == 3 && EsNulo(a[2]))) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int(
        ctx, Colacion::Posicion(Vista(a[0]), Vista(a[1]), n == 3 ? sqlite3_value_int(a[2]) : 1));
}

// REPLICATE(text, n): NULL for a negative count; at most 8000 characters, as a varchar holds.
// MS_CORTO(sum): a sum of SMALLINT columns is a SMALLINT on the server.
void FnCorto(sqlite3_context* ctx, int, sqlite3_value** a) {
    if (sqlite3_value_type(a[0]) == SQLITE_INTEGER) {
        const std::int64_t n = sqlite3_value_int64(a[0]);
        if (n > 32767 || n < -32768) {
            Error(ctx, QStringLiteral("Error de desbordamiento aritmético al convertir expression "
                                      "al tipo de datos smallint."));
            return;
        }
    }
    sqlite3_result_value(ctx, a[0]);
}

void FnReplicate(sqlite3_context* ctx, int, sqlite3_value** a) {
    if (EsNulo(a[0]) || EsNulo(a[1]) || sqlite3_value_int64(a[1]) < 0) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString t = Texto(a[0]);
    const qint64 veces = sqlite3_value_int64(a[1]);
    if (t.isEmpty()) {
        Resultado(ctx, QString());
        return;
    }
    const qint64 limite = qMin<qint64>(veces, 8000 / t.size() + 1);
    Resultado(ctx, t.repeated(limite).left(8000));
}

// ---- session -------------------------------------------------------------------------------

const DialectoSqlite::Sesion* SesionDe(sqlite3_context* ctx) {
    return static_cast<const DialectoSqlite::Sesion*>(sqlite3_user_data(ctx));
}

void FnSuserSname(sqlite3_context* ctx, int, sqlite3_value**) {
    Resultado(ctx, SesionDe(ctx)->login);
}
void FnDbName(sqlite3_context* ctx, int, sqlite3_value**) {
    Resultado(ctx, SesionDe(ctx)->baseDatos);
}
void FnHostName(sqlite3_context* ctx, int, sqlite3_value**) {
    Resultado(ctx, SesionDe(ctx)->estacion);
}
void FnGetDate(sqlite3_context* ctx, int, sqlite3_value**) {
    const DialectoSqlite::Sesion* s = SesionDe(ctx);
    Resultado(ctx,
              DialectoSqlite::TextoFecha(s->reloj ? s->reloj() : QDateTime::currentDateTime()));
}
// USER_NAME(): the database user, "dbo" for the database's owner.
void FnUserName(sqlite3_context* ctx, int, sqlite3_value**) {
    const DialectoSqlite::Sesion* s = SesionDe(ctx);
    const bool duena = s->esMiembro && s->esMiembro(QStringLiteral("db_owner")) == 1;
    Resultado(ctx, duena ? QStringLiteral("dbo") : s->login);
}

// MS_VARIABLE(name): the server's @@ variables the registry's people ask for.
void FnVariable(sqlite3_context* ctx, int, sqlite3_value** a) {
    const DialectoSqlite::Sesion* s = SesionDe(ctx);
    const QString nombre = Texto(a[0]);
    sqlite3* bd = sqlite3_context_db_handle(ctx);
    if (nombre == QLatin1String("VERSION"))
        Resultado(ctx, QStringLiteral("Servidor embebido de Moravel (SQLite %1), que atiende el "
                                      "T-SQL del registro")
                           .arg(QLatin1String(sqlite3_libversion())));
    else if (nombre == QLatin1String("SPID"))
        sqlite3_result_int(ctx, s->proceso);
    else if (nombre == QLatin1String("TRANCOUNT"))
        sqlite3_result_int(ctx, sqlite3_get_autocommit(bd) ? 0 : 1);
    else if (nombre == QLatin1String("ROWCOUNT"))
        sqlite3_result_int64(ctx, sqlite3_changes64(bd));
    else if (nombre == QLatin1String("SERVERNAME"))
        Resultado(ctx, s->estacion);
    else if (nombre == QLatin1String("DATEFIRST"))
        sqlite3_result_int(ctx, 7);
    else if (nombre == QLatin1String("MAX_PRECISION"))
        sqlite3_result_int(ctx, 38);
    else
        Error(ctx, QStringLiteral("Debe declarar la variable escalar \"@@%1\".").arg(nombre));
}

void FnIsMember(sqlite3_context* ctx, int, sqlite3_value** args) {
    const DialectoSqlite::Sesion* s = SesionDe(ctx);
    const int r = s->esMiembro ? s->esMiembro(Texto(args[0])) : -1;
    if (r < 0)
        sqlite3_result_null(ctx);
    else
        sqlite3_result_int(ctx, r);
}

} // namespace

void RegistraFecha(sqlite3* bd, const FechasTexto::Orden* orden);
void RegistraTipos(sqlite3* bd, const FechasTexto::Orden* orden);

void RegistraBase(sqlite3* bd) {
    // Before a session, text dates are read as the offices write them.
    static const FechasTexto::Orden kOficinas = FechasTexto::Orden::Dmy;
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(bd, "MS_SUMA", -1, det, nullptr, FnSuma, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_RESTA", 2, det, nullptr, FnResta, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_DIVIDE", 2, det, nullptr, FnDivide, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_MODULO", 2, det, nullptr, FnModulo, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_ISNULL", 2, det, nullptr, FnIsNull, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_LEFT", 2, det, nullptr, FnLeft, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_RIGHT", 2, det, nullptr, FnRight, nullptr, nullptr);
    sqlite3_create_function(bd, "LEN", 1, det, nullptr, FnLen, nullptr, nullptr);
    sqlite3_create_function(bd, "CHARINDEX", 2, det, nullptr, FnCharIndex, nullptr, nullptr);
    sqlite3_create_function(bd, "CHARINDEX", 3, det, nullptr, FnCharIndex, nullptr, nullptr);
    sqlite3_create_function(bd, "REPLICATE", 2, det, nullptr, FnReplicate, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_CORTO", 1, det, nullptr, FnCorto, nullptr, nullptr);
    sqlite3_create_function(
        bd, "MS_RAISERROR", 1, SQLITE_UTF8, nullptr,
        [](sqlite3_context* ctx, int, sqlite3_value** a) { Error(ctx, Texto(a[0])); }, nullptr,
        nullptr);
    // A text in double quotes is a name to the server, never a text.
    sqlite3_db_config(bd, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    RegistraFecha(bd, &kOficinas);
    RegistraTipos(bd, &kOficinas);
}

bool RegistraSesion(sqlite3* bd, const DialectoSqlite::Sesion* sesion) {
    void* datos = const_cast<DialectoSqlite::Sesion*>(sesion);
    using Fn = void (*)(sqlite3_context*, int, sqlite3_value**);
    const std::pair<const char*, Fn> sin[] = {{"SUSER_SNAME", FnSuserSname},
                                              {"DB_NAME", FnDbName},
                                              {"HOST_NAME", FnHostName},
                                              {"GETDATE", FnGetDate},
                                              {"USER_NAME", FnUserName}};
    // The date functions and the written values' checks read text dates in the session's order.
    RegistraFecha(bd, &sesion->ordenFecha);
    RegistraTipos(bd, &sesion->ordenFecha);
    bool ok = true;
    for (const auto& [nombre, fn] : sin)
        ok = sqlite3_create_function(bd, nombre, 0, SQLITE_UTF8, datos, fn, nullptr, nullptr) ==
                 SQLITE_OK &&
             ok;
    ok = sqlite3_create_function(bd, "MS_VARIABLE", 1, SQLITE_UTF8, datos, FnVariable, nullptr,
                                 nullptr) == SQLITE_OK &&
         ok;
    return sqlite3_create_function(bd, "IS_MEMBER", 1, SQLITE_UTF8, datos, FnIsMember, nullptr,
                                   nullptr) == SQLITE_OK &&
           ok;
}

} // namespace FuncionesServidor
