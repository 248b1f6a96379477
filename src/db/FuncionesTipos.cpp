// The type check of written values on the embedded database: MS_VALIDA(table, column, type,
// value), called by the schema's triggers for every column of every row written, refuses what
// SQL Server refuses (a text longer than its column, a number outside its type, a bit other
// than 0 or 1, a text that is no number or no date) with an error naming the column; MS_FECHA
// gives a date the stored form.
#include "db/FuncionesServidor.h"
#include "db/ValoresSqlite.h"

#include <cmath>

using namespace ValoresSqlite;

namespace FuncionesServidor {
namespace {

enum class Clase { Texto, Entero, Corto, Bit, Fecha, Otro };

struct Tipo {
    Clase clase = Clase::Otro;
    int largo = -1;
};

// "VARCHAR(20)", "CHAR(3)", "INT", "SMALLINT", "BIT", "DATETIME TEXT"...
Tipo LeeTipo(std::string_view s) {
    Tipo t;
    std::string n;
    size_t i = 0;
    for (; i < s.size() && s[i] != '(' && s[i] != ' '; ++i)
        n += char(std::toupper(static_cast<unsigned char>(s[i])));
    const size_t abre = s.find('(');
    if (abre != std::string_view::npos)
        t.largo = std::atoi(std::string(s.substr(abre + 1)).c_str());
    if (n == "VARCHAR" || n == "CHAR" || n == "NVARCHAR" || n == "NCHAR")
        t.clase = t.largo > 0 ? Clase::Texto : Clase::Otro;
    else if (n == "INT" || n == "INTEGER")
        t.clase = Clase::Entero;
    else if (n == "SMALLINT")
        t.clase = Clase::Corto;
    else if (n == "BIT")
        t.clase = Clase::Bit;
    else if (n == "DATETIME")
        t.clase = Clase::Fecha;
    return t;
}

QString Donde(sqlite3_value** a) {
    return QStringLiteral("(tabla '%1', columna '%2')").arg(Texto(a[0]), Texto(a[1]));
}

// The whole number a value holds, whatever its storage class; false when it holds none.
bool Entero(sqlite3_value* v, std::int64_t& n) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        n = sqlite3_value_int64(v);
        return true;
    case SQLITE_FLOAT: {
        const double d = sqlite3_value_double(v);
        if (d != std::trunc(d) || std::fabs(d) > 9.2e18)
            return false;
        n = std::int64_t(d);
        return true;
    }
    default:
        return EnteroDeTexto(Vista(v), n);
    }
}

// MS_FECHA(value): a date text in the stored form, rounded to the server's precision; any other
// value as it is (MS_VALIDA has refused what is no date).
void FnFecha(sqlite3_context* ctx, int, sqlite3_value** a) {
    char canonica[24];
    if (sqlite3_value_type(a[0]) == SQLITE_TEXT &&
        FechasTexto::LeeFecha(Vista(a[0]), canonica, OrdenDe(ctx)))
        Resultado(ctx, std::string_view(canonica, 23));
    else
        sqlite3_result_value(ctx, a[0]);
}

// MS_NOCANONICA(value): whether a date column's text is not yet in the stored form.
void FnNoCanonica(sqlite3_context* ctx, int, sqlite3_value** a) {
    sqlite3_result_int(ctx, sqlite3_value_type(a[0]) == SQLITE_TEXT &&
                                !FechasTexto::EsCanonica(Vista(a[0])));
}

void FnValida(sqlite3_context* ctx, int, sqlite3_value** a) {
    sqlite3_value* v = a[3];
    if (EsNulo(v)) {
        sqlite3_result_int(ctx, 1);
        return;
    }
    const Tipo tipo = LeeTipo(Vista(a[2]));
    switch (tipo.clase) {
    case Clase::Texto: {
        // Trailing blanks beyond the size are dropped by the server without an error.
        QString t = Texto(v);
        while (t.size() > tipo.largo && t.endsWith(QLatin1Char(' ')))
            t.chop(1);
        if (t.size() > tipo.largo) {
            Error(ctx, QStringLiteral("Los datos de cadena o binarios se truncarían en la tabla "
                                      "'%1', columna '%2'. Valor truncado: '%3'.")
                           .arg(Texto(a[0]), Texto(a[1]), t.left(tipo.largo)));
            return;
        }
        break;
    }
    case Clase::Entero:
    case Clase::Corto:
    case Clase::Bit: {
        std::int64_t n = 0;
        const char* nombre = tipo.clase == Clase::Entero  ? "int"
                             : tipo.clase == Clase::Corto ? "smallint"
                                                          : "bit";
        if (!Entero(v, n)) {
            const char* de = sqlite3_value_type(v) == SQLITE_FLOAT ? "numeric" : "varchar";
            Error(ctx, QStringLiteral("Error de conversión al convertir el valor %1 '%2' al tipo "
                                      "de datos %3 %4.")
                           .arg(QLatin1String(de), Texto(v), QLatin1String(nombre), Donde(a)));
            return;
        }
        const std::int64_t limite = tipo.clase == Clase::Entero  ? 2147483647
                                    : tipo.clase == Clase::Corto ? 32767
                                                                 : 1;
        const std::int64_t minimo = tipo.clase == Clase::Bit ? 0 : -limite - 1;
        if (n > limite || n < minimo) {
            if (tipo.clase == Clase::Bit)
                Error(ctx, QStringLiteral("El valor %1 no es válido para el tipo de datos bit %2: "
                                          "se admite 0 o 1.")
                               .arg(n)
                               .arg(Donde(a)));
            else
                Error(ctx,
                      QStringLiteral("Error de desbordamiento aritmético para el tipo de datos "
                                     "%1, valor = %2 %3.")
                          .arg(QLatin1String(nombre))
                          .arg(n)
                          .arg(Donde(a)));
            return;
        }
        break;
    }
    case Clase::Fecha: {
        // Any literal form the server reads, in the session's order; the schema's triggers then
        // store it in the one form every reader and comparison agrees on (MS_FECHA).
        char canonica[24];
        if (sqlite3_value_type(v) != SQLITE_TEXT ||
            !FechasTexto::LeeFecha(Vista(v), canonica, OrdenDe(ctx))) {
            Error(ctx, QStringLiteral("Error de conversión al convertir la fecha y/u hora a partir "
                                      "de una cadena de caracteres: '%1' %2.")
                           .arg(Texto(v), Donde(a)));
            return;
        }
        break;
    }
    case Clase::Otro:
        break;
    }
    sqlite3_result_int(ctx, 1);
}

} // namespace

void RegistraTipos(sqlite3* bd, const FechasTexto::Orden* orden) {
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    void* datos = const_cast<FechasTexto::Orden*>(orden);
    sqlite3_create_function(bd, "MS_VALIDA", 4, det, datos, FnValida, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_FECHA", 1, det, datos, FnFecha, nullptr, nullptr);
    sqlite3_create_function(bd, "MS_NOCANONICA", 1, det, nullptr, FnNoCanonica, nullptr, nullptr);
}

} // namespace FuncionesServidor
