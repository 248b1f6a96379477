// Date functions and conversions of the embedded server: YEAR, MONTH, DAY, DATEADD, DATEDIFF,
// DATEPART, DATENAME, and CAST/CONVERT (written as MS_CONVERT by the dialect).
#include "db/FuncionesServidor.h"
#include "db/ValoresSqlite.h"

#include <QDate>
#include <algorithm>
#include <cmath>

using namespace ValoresSqlite;

namespace FuncionesServidor {
namespace {

const QString kFechaInvalida = QStringLiteral("Error de conversión al convertir la fecha y/u hora "
                                              "a partir de una cadena de caracteres.");

QDate DiaDe(const Momento& m) {
    return QDate(1900, 1, 1).addDays(m.dias);
}

// A value read as a date: a date text, or a number of days since 1900-01-01.
bool MomentoDe(sqlite3_context* ctx, sqlite3_value* v, Momento& m) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        m = Momento{sqlite3_value_int64(v), 0};
        return true;
    case SQLITE_FLOAT:
        m = Momento::DeMs(std::llround(sqlite3_value_double(v) * 86400000.0));
        return true;
    default:
        return LeeMomento(Vista(v), m, OrdenDe(ctx));
    }
}

// The date of an argument, or an error answered; false when the answer is given (NULL or error).
bool Argumento(sqlite3_context* ctx, sqlite3_value* v, Momento& m) {
    if (EsNulo(v)) {
        sqlite3_result_null(ctx);
        return false;
    }
    if (!MomentoDe(ctx, v, m)) {
        Error(ctx, kFechaInvalida);
        return false;
    }
    return true;
}

// The parts the date functions name, with their abbreviations.
enum class Parte {
    Anio,
    Trimestre,
    Mes,
    DiaDelAnio,
    Dia,
    Semana,
    DiaSemana,
    Hora,
    Minuto,
    Segundo,
    Milisegundo,
    SemanaIso,
    Ninguna
};

Parte LeeParte(const QString& nombre) {
    const QString n = nombre.trimmed().toLower();
    static const std::pair<const char*, Parte> partes[] = {{"year", Parte::Anio},
                                                           {"yy", Parte::Anio},
                                                           {"yyyy", Parte::Anio},
                                                           {"quarter", Parte::Trimestre},
                                                           {"qq", Parte::Trimestre},
                                                           {"q", Parte::Trimestre},
                                                           {"month", Parte::Mes},
                                                           {"mm", Parte::Mes},
                                                           {"m", Parte::Mes},
                                                           {"dayofyear", Parte::DiaDelAnio},
                                                           {"dy", Parte::DiaDelAnio},
                                                           {"y", Parte::DiaDelAnio},
                                                           {"day", Parte::Dia},
                                                           {"dd", Parte::Dia},
                                                           {"d", Parte::Dia},
                                                           {"week", Parte::Semana},
                                                           {"wk", Parte::Semana},
                                                           {"ww", Parte::Semana},
                                                           {"weekday", Parte::DiaSemana},
                                                           {"dw", Parte::DiaSemana},
                                                           {"w", Parte::DiaSemana},
                                                           {"hour", Parte::Hora},
                                                           {"hh", Parte::Hora},
                                                           {"minute", Parte::Minuto},
                                                           {"mi", Parte::Minuto},
                                                           {"n", Parte::Minuto},
                                                           {"second", Parte::Segundo},
                                                           {"ss", Parte::Segundo},
                                                           {"s", Parte::Segundo},
                                                           {"millisecond", Parte::Milisegundo},
                                                           {"ms", Parte::Milisegundo},
                                                           {"iso_week", Parte::SemanaIso},
                                                           {"isowk", Parte::SemanaIso},
                                                           {"isoww", Parte::SemanaIso}};
    for (const auto& [texto, parte] : partes)
        if (n == QLatin1String(texto))
            return parte;
    return Parte::Ninguna;
}

bool ParteDe(sqlite3_context* ctx, sqlite3_value* v, Parte& p) {
    p = LeeParte(Texto(v));
    if (p == Parte::Ninguna) {
        Error(ctx, QStringLiteral("'%1' no es una opción de fecha reconocida.").arg(Texto(v)));
        return false;
    }
    return true;
}

// The server's session language is Spanish: weeks start on Monday (DATEFIRST 1).
int DiaSemana(const QDate& d) {
    return d.dayOfWeek();
}

int Semana(const QDate& d) {
    const QDate primero(d.year(), 1, 1);
    return (primero.daysTo(d) + DiaSemana(primero) - 1) / 7 + 1;
}

int ValorParte(Parte p, const Momento& m) {
    const QDate d = DiaDe(m);
    switch (p) {
    case Parte::Anio:
        return d.year();
    case Parte::Trimestre:
        return (d.month() - 1) / 3 + 1;
    case Parte::Mes:
        return d.month();
    case Parte::DiaDelAnio:
        return d.dayOfYear();
    case Parte::Dia:
        return d.day();
    case Parte::Semana:
        return Semana(d);
    case Parte::DiaSemana:
        return DiaSemana(d);
    case Parte::Hora:
        return m.ms / 3600000;
    case Parte::Minuto:
        return m.ms / 60000 % 60;
    case Parte::Segundo:
        return m.ms / 1000 % 60;
    case Parte::Milisegundo:
        return m.ms % 1000;
    case Parte::SemanaIso:
        return d.weekNumber();
    case Parte::Ninguna:
        break;
    }
    return 0;
}

void FnParte(sqlite3_context* ctx, sqlite3_value* v, Parte p) {
    Momento m;
    if (Argumento(ctx, v, m))
        sqlite3_result_int(ctx, ValorParte(p, m));
}
void FnYear(sqlite3_context* ctx, int, sqlite3_value** a) {
    FnParte(ctx, a[0], Parte::Anio);
}
void FnMonth(sqlite3_context* ctx, int, sqlite3_value** a) {
    FnParte(ctx, a[0], Parte::Mes);
}
void FnDay(sqlite3_context* ctx, int, sqlite3_value** a) {
    FnParte(ctx, a[0], Parte::Dia);
}

void FnDatePart(sqlite3_context* ctx, int, sqlite3_value** a) {
    Parte p;
    if (ParteDe(ctx, a[0], p))
        FnParte(ctx, a[1], p);
}

const char* const kMeses[] = {"enero",      "febrero", "marzo",     "abril",
                              "mayo",       "junio",   "julio",     "agosto",
                              "septiembre", "octubre", "noviembre", "diciembre"};
const char* const kDias[] = {"lunes",   "martes", "miércoles", "jueves",
                             "viernes", "sábado", "domingo"};

void FnDateName(sqlite3_context* ctx, int, sqlite3_value** a) {
    Parte p;
    Momento m;
    if (!ParteDe(ctx, a[0], p) || !Argumento(ctx, a[1], m))
        return;
    const QDate d = DiaDe(m);
    if (p == Parte::Mes)
        Resultado(ctx, QString::fromUtf8(kMeses[d.month() - 1]));
    else if (p == Parte::DiaSemana)
        Resultado(ctx, QString::fromUtf8(kDias[d.dayOfWeek() - 1]));
    else
        Resultado(ctx, QString::number(ValorParte(p, m)));
}

void FnDateAdd(sqlite3_context* ctx, int, sqlite3_value** a) {
    Parte p;
    Momento m;
    if (!ParteDe(ctx, a[0], p))
        return;
    if (EsNulo(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    if (!Argumento(ctx, a[2], m))
        return;
    const std::int64_t n = sqlite3_value_int64(a[1]);
    const QDate d = DiaDe(m);
    std::int64_t ms = 0;
    QDate nueva = d;
    switch (p) {
    case Parte::Anio:
        nueva = d.addYears(int(n));
        break;
    case Parte::Trimestre:
        nueva = d.addMonths(int(n * 3));
        break;
    case Parte::Mes:
        nueva = d.addMonths(int(n));
        break;
    case Parte::Semana:
    case Parte::SemanaIso:
        nueva = d.addDays(n * 7);
        break;
    case Parte::Dia:
    case Parte::DiaDelAnio:
    case Parte::DiaSemana:
        nueva = d.addDays(n);
        break;
    case Parte::Hora:
        ms = n * 3600000;
        break;
    case Parte::Minuto:
        ms = n * 60000;
        break;
    case Parte::Segundo:
        ms = n * 1000;
        break;
    case Parte::Milisegundo:
        ms = n;
        break;
    case Parte::Ninguna:
        break;
    }
    Momento r{QDate(1900, 1, 1).daysTo(nueva), m.ms};
    r = Momento::DeMs(r.TotalMs() + ms);
    if (DiaDe(r).year() < 1753 || DiaDe(r).year() > 9999) {
        Error(ctx, QStringLiteral("Se produjo un desbordamiento al agregar un valor a una columna "
                                  "de tipo datetime."));
        return;
    }
    Resultado(ctx, std::string_view(TextoMomento(r)));
}

// DATEDIFF counts the boundaries of the part crossed between the two dates.
void FnDateDiff(sqlite3_context* ctx, int, sqlite3_value** a) {
    Parte p;
    Momento x, y;
    if (!ParteDe(ctx, a[0], p) || !Argumento(ctx, a[1], x) || !Argumento(ctx, a[2], y))
        return;
    const QDate dx = DiaDe(x), dy = DiaDe(y);
    std::int64_t r = 0;
    auto semanas = [](std::int64_t dias) { // Sunday boundaries; 1900-01-01 was a Monday
        return dias + 1 >= 0 ? (dias + 1) / 7 : -((-(dias + 1) + 6) / 7);
    };
    switch (p) {
    case Parte::Anio:
        r = dy.year() - dx.year();
        break;
    case Parte::Trimestre:
        r = (dy.year() - dx.year()) * 4 + (dy.month() - 1) / 3 - (dx.month() - 1) / 3;
        break;
    case Parte::Mes:
        r = (dy.year() - dx.year()) * 12 + dy.month() - dx.month();
        break;
    case Parte::Semana:
    case Parte::SemanaIso:
        r = semanas(y.dias) - semanas(x.dias);
        break;
    case Parte::Dia:
    case Parte::DiaDelAnio:
    case Parte::DiaSemana:
        r = y.dias - x.dias;
        break;
    case Parte::Hora:
        r = (y.dias * 24 + y.ms / 3600000) - (x.dias * 24 + x.ms / 3600000);
        break;
    case Parte::Minuto:
        r = (y.dias * 1440 + y.ms / 60000) - (x.dias * 1440 + x.ms / 60000);
        break;
    case Parte::Segundo:
        r = (y.dias * 86400 + y.ms / 1000) - (x.dias * 86400 + x.ms / 1000);
        break;
    case Parte::Milisegundo:
        r = y.TotalMs() - x.TotalMs();
        break;
    case Parte::Ninguna:
        break;
    }
    sqlite3_result_int64(ctx, r);
}

// ---- CAST and CONVERT ----------------------------------------------------------------------

struct TipoDestino {
    QString nombre; // lower case
    int largo = -1; // the (n) of a text type, -1 when not given
    int escala = -1;
};

TipoDestino LeeTipo(const QString& texto) {
    TipoDestino t;
    const QString s = texto.simplified().toLower();
    const qsizetype abre = s.indexOf(QLatin1Char('('));
    t.nombre = (abre < 0 ? s : s.left(abre)).trimmed();
    if (abre >= 0) {
        const QStringList n =
            s.mid(abre + 1).remove(QLatin1Char(')')).split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (!n.isEmpty())
            t.largo = n[0].trimmed() == QLatin1String("max") ? 0x7FFFFFFF : n[0].trimmed().toInt();
        if (n.size() > 1)
            t.escala = n[1].trimmed().toInt();
    }
    return t;
}

bool EsDeTipo(const QString& n, std::initializer_list<const char*> nombres) {
    for (const char* x : nombres)
        if (n == QLatin1String(x))
            return true;
    return false;
}

// A date as text in one of the server's CONVERT styles (the default one otherwise).
QString FechaConEstilo(const Momento& m, int estilo) {
    const QDate d = DiaDe(m);
    const int h = m.ms / 3600000, mi = m.ms / 60000 % 60, s = m.ms / 1000 % 60, ms = m.ms % 1000;
    const bool siglo = estilo >= 100;
    const QString anio = siglo ? QString::number(d.year())
                               : QStringLiteral("%1").arg(d.year() % 100, 2, 10, QChar('0'));
    auto dos = [](int x) { return QStringLiteral("%1").arg(x, 2, 10, QLatin1Char('0')); };
    const QString hora = dos(h) + QLatin1Char(':') + dos(mi) + QLatin1Char(':') + dos(s);
    switch (estilo % 100) {
    case 1:
        return dos(d.month()) + QLatin1Char('/') + dos(d.day()) + QLatin1Char('/') + anio;
    case 3:
        return dos(d.day()) + QLatin1Char('/') + dos(d.month()) + QLatin1Char('/') + anio;
    case 4:
        return dos(d.day()) + QLatin1Char('.') + dos(d.month()) + QLatin1Char('.') + anio;
    case 5:
        return dos(d.day()) + QLatin1Char('-') + dos(d.month()) + QLatin1Char('-') + anio;
    case 8:
        return hora;
    case 10:
        return dos(d.month()) + QLatin1Char('-') + dos(d.day()) + QLatin1Char('-') + anio;
    case 11:
        return anio + QLatin1Char('/') + dos(d.month()) + QLatin1Char('/') + dos(d.day());
    case 12:
        return anio + dos(d.month()) + dos(d.day());
    case 20:
        return d.toString(QStringLiteral("yyyy-MM-dd ")) + hora;
    case 21:
        return d.toString(QStringLiteral("yyyy-MM-dd ")) + hora + QLatin1Char('.') +
               QStringLiteral("%1").arg(ms, 3, 10, QLatin1Char('0'));
    case 23:
        return d.toString(QStringLiteral("yyyy-MM-dd"));
    case 26:
        return d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('T') + hora +
               QLatin1Char('.') + QStringLiteral("%1").arg(ms, 3, 10, QLatin1Char('0'));
    default: {
        static const char* const cortos[] = {"Ene", "Feb", "Mar", "Abr", "May", "Jun",
                                             "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};
        const int h12 = h % 12 == 0 ? 12 : h % 12;
        return QStringLiteral("%1 %2 %3 %4:%5%6")
            .arg(QLatin1String(cortos[d.month() - 1]))
            .arg(d.day(), 2, 10, QLatin1Char(' '))
            .arg(d.year())
            .arg(h12, 2, 10, QLatin1Char(' '))
            .arg(dos(mi), h < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
    }
    }
}

bool PareceFecha(std::string_view s) {
    return s.size() >= 10 && s[4] == '-' && s[7] == '-';
}

// MS_CONVERT(type, value[, style]): CAST(value AS type) and CONVERT(type, value, style).
void FnConvert(sqlite3_context* ctx, int n, sqlite3_value** a) {
    const TipoDestino tipo = LeeTipo(Texto(a[0]));
    sqlite3_value* v = a[1];
    if (EsNulo(v)) {
        sqlite3_result_null(ctx);
        return;
    }
    const int estilo = n == 3 && !EsNulo(a[2]) ? sqlite3_value_int(a[2]) : 0;
    const int clase = sqlite3_value_type(v);
    const QString& nombre = tipo.nombre;
    if (EsDeTipo(nombre, {"int", "integer", "smallint", "tinyint", "bigint"})) {
        std::int64_t r = 0;
        Momento m;
        if (clase == SQLITE_INTEGER) {
            r = sqlite3_value_int64(v);
        } else if (clase == SQLITE_FLOAT) {
            r = std::int64_t(std::trunc(sqlite3_value_double(v)));
        } else if (PareceFecha(Vista(v)) && LeeMomento(Vista(v), m, OrdenDe(ctx))) {
            // A date becomes its day number, rounded: from noon on it is the next day.
            r = m.dias + (m.ms >= 12 * 3600000 ? 1 : 0);
        } else if (!EnteroDeTexto(Vista(v), r)) {
            Error(ctx, QStringLiteral("Error de conversión al convertir el valor varchar '%1' al "
                                      "tipo de datos %2.")
                           .arg(Texto(v), nombre));
            return;
        }
        const std::int64_t limite = nombre == QLatin1String("smallint")  ? 32767
                                    : nombre == QLatin1String("tinyint") ? 255
                                    : nombre == QLatin1String("bigint")  ? INT64_MAX
                                                                         : 2147483647;
        const std::int64_t minimo = nombre == QLatin1String("tinyint") ? 0 : -limite - 1;
        if (r > limite || r < minimo) {
            Error(ctx, QStringLiteral("Error de desbordamiento aritmético al convertir expression "
                                      "al tipo de datos %1.")
                           .arg(nombre));
            return;
        }
        sqlite3_result_int64(ctx, r);
    } else if (nombre == QLatin1String("bit")) {
        if (clase == SQLITE_INTEGER || clase == SQLITE_FLOAT) {
            sqlite3_result_int(ctx, sqlite3_value_double(v) != 0.0 ? 1 : 0);
            sqlite3_result_subtype(ctx, kSubtipoBit);
            return;
        }
        const QString t = Texto(v).trimmed().toLower();
        std::int64_t x = 0;
        if (t == QLatin1String("true") || t == QLatin1String("false"))
            x = t == QLatin1String("true") ? 1 : 0;
        else if (!EnteroDeTexto(Vista(v), x)) {
            Error(ctx, QStringLiteral("Error de conversión al convertir el valor varchar '%1' al "
                                      "tipo de datos bit.")
                           .arg(Texto(v)));
            return;
        }
        sqlite3_result_int(ctx, x != 0 ? 1 : 0);
        sqlite3_result_subtype(ctx, kSubtipoBit);
    } else if (EsDeTipo(nombre, {"datetime", "smalldatetime", "date", "datetime2"})) {
        // A text's style names the order of day and month (101 mm/dd/yyyy, 103 dd/mm/yyyy…);
        // without one it is the session's.
        Momento m;
        const int e = estilo % 100;
        const bool conEstilo =
            clase == SQLITE_TEXT && (e == 1 || e == 10 || e == 3 || e == 4 || e == 5);
        const bool leida = conEstilo ? LeeMomento(Vista(v), m,
                                                  e == 1 || e == 10 ? FechasTexto::Orden::Mdy
                                                                    : FechasTexto::Orden::Dmy)
                                     : MomentoDe(ctx, v, m);
        if (!leida) {
            Error(ctx, kFechaInvalida);
            return;
        }
        if (nombre == QLatin1String("date"))
            m.ms = 0;
        Resultado(ctx, std::string_view(TextoMomento(m)));
        if (nombre == QLatin1String("date"))
            sqlite3_result_subtype(ctx, kSubtipoFecha);
    } else if (EsDeTipo(nombre, {"varchar", "nvarchar", "char", "nchar", "text", "ntext"})) {
        QString t;
        Momento m;
        if (clase == SQLITE_TEXT && PareceFecha(Vista(v)) && LeeMomento(Vista(v), m, OrdenDe(ctx)))
            t = FechaConEstilo(m, estilo);
        else if (clase == SQLITE_FLOAT)
            t = QString::number(sqlite3_value_double(v), 'g', 15);
        else
            t = Texto(v);
        const int largo = tipo.largo >= 0                       ? tipo.largo
                          : EsDeTipo(nombre, {"text", "ntext"}) ? 0x7FFFFFFF
                                                                : 30;
        t = t.left(largo);
        if (EsDeTipo(nombre, {"char", "nchar"}) && t.size() < largo)
            t = t.leftJustified(largo, QLatin1Char(' '));
        Resultado(ctx, t);
        sqlite3_result_subtype(ctx, kSubtipoTexto); // a text, even when it reads as a date
    } else if (EsDeTipo(nombre, {"decimal", "numeric", "float", "real", "money"})) {
        double d = 0;
        if (clase == SQLITE_INTEGER || clase == SQLITE_FLOAT) {
            d = sqlite3_value_double(v);
        } else if (!RealDeTexto(Vista(v), d)) {
            Error(ctx,
                  QStringLiteral("Error al convertir el tipo de datos varchar a %1.").arg(nombre));
            return;
        }
        const bool exacto = EsDeTipo(nombre, {"decimal", "numeric"});
        if (tipo.escala >= 0 || exacto) {
            const double f = std::pow(10.0, tipo.escala < 0 ? 0 : tipo.escala);
            d = std::round(d * f) / f;
        }
        sqlite3_result_double(ctx, d);
        if (exacto)
            sqlite3_result_subtype(ctx, kSubtipoDecimal + unsigned(std::clamp(tipo.escala, 0, 38)));
    } else {
        Error(ctx, QStringLiteral("El tipo de datos '%1' no se admite en CAST ni en CONVERT.")
                       .arg(Texto(a[0])));
    }
}

} // namespace

void RegistraFecha(sqlite3* bd, const FechasTexto::Orden* orden) {
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    void* datos = const_cast<FechasTexto::Orden*>(orden);
    sqlite3_create_function(bd, "YEAR", 1, det, datos, FnYear, nullptr, nullptr);
    sqlite3_create_function(bd, "MONTH", 1, det, datos, FnMonth, nullptr, nullptr);
    sqlite3_create_function(bd, "DAY", 1, det, datos, FnDay, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_DATEPART", 2, det, datos, FnDatePart, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_DATENAME", 2, det, datos, FnDateName, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_DATEADD", 3, det, datos, FnDateAdd, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_DATEDIFF", 3, det, datos, FnDateDiff, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_CONVERT", 2, det, datos, FnConvert, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_CONVERT", 3, det, datos, FnConvert, nullptr, nullptr);
}

} // namespace FuncionesServidor
