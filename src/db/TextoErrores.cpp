// Database error texts.
#include "db/TextoErrores.h"

#include <QRegularExpression>
#include <QSqlError>
#include <sqlite3.h>
#include <vector>

namespace {

QString Junta(const QString& explicacion, const QString& texto) {
    if (explicacion.isEmpty())
        return texto;
    return texto.isEmpty() ? explicacion : explicacion + QLatin1Char('\n') + texto;
}

// ODBC states and FreeTDS's texts of a connection that is lost or cannot be made.
bool Perdida(const QString& estado, const QString& texto) {
    static const char* const kTextos[] = {
        "Connection closed", "Communication link failure", "Unexpected EOF from the server",
        "Read from the server failed", "Write to the server failed"};
    if (estado.startsWith(QLatin1String("08")))
        return true;
    for (const char* t : kTextos)
        if (texto.contains(QLatin1String(t), Qt::CaseInsensitive))
            return true;
    return false;
}

// The sentence for a connection lost, not made or timed out.
QString ExplicacionOdbc(const QString& estado, const QString& texto) {
    if (Perdida(estado, texto))
        return QString::fromUtf8("Se perdió o no se pudo establecer la conexión con el servidor "
                                 "de la base de datos; revise la red y vuelva a intentarlo.");
    if (estado.startsWith(QLatin1String("HYT")) ||
        texto.contains(QLatin1String("Timeout expired"), Qt::CaseInsensitive))
        return QString::fromUtf8("El servidor de la base de datos no respondió a tiempo; vuelva a "
                                 "intentarlo en un momento.");
    return {};
}

// The words of SQLite's own English texts (its result codes' and its parser's).
bool DeSqlite(const QString& texto) {
    static const QRegularExpression ingles(
        QStringLiteral("^(no such|near \"|unrecognized token|incomplete input|misuse of|wrong "
                       "number of arguments|ambiguous column|not authorized|sub-select|SELECTs to "
                       "the left|\\d+(st|nd|rd|th) ORDER BY|table \\S+ already exists|index \\S+ "
                       "already exists|cannot |too many|interrupted|integer overflow|"
                       "(FOREIGN KEY|CHECK|UNIQUE|NOT NULL) constraint failed|database|disk I/O|"
                       "unable to|attempt to|file is not|out of memory|SQL logic error|query "
                       "aborted|datatype mismatch|string or blob too big|constraint failed|"
                       "authorization denied|bad parameter|column index|unknown|"
                       "a GROUP BY clause|aggregate functions|parser stack|recursive)"),
        QRegularExpression::CaseInsensitiveOption);
    return ingles.match(texto).hasMatch();
}

// An identifier as SQLite quotes it, without its table ("T.Col" is the column "Col").
QString Nombre(QString n) {
    n = n.trimmed();
    if (n.startsWith(QLatin1Char('"')) && n.endsWith(QLatin1Char('"')) && n.size() >= 2)
        n = n.mid(1, n.size() - 2);
    return n.mid(n.lastIndexOf(QLatin1Char('.')) + 1);
}

// SQLite's texts in the server's words (its Spanish messages): a refused key, a missing value,
// an unknown table, column or function, a syntax error. A text of SQLite's that has no
// counterpart becomes a plain Spanish sentence; the registry's own texts stay as they are.
QString TraduceSqlite(const QString& texto) {
    struct Regla {
        const char* patron;
        const char* espanol; // %1, %2: the pattern's captures
    };
    static const Regla kReglas[] = {
        {"^NOT NULL constraint failed: (\\w+)\\.(\\w+)",
         "No se puede insertar el valor NULL en la columna '%2', tabla '%1'. La columna no admite "
         "valores NULL."},
        {"^UNIQUE constraint failed: (\\w+)\\.(.*)$", ""},
        {"^no such table: (?:\\w+\\.)?(.+)$", "El nombre de objeto '%1' no es válido."},
        {"^no such column: (.+)$", "El nombre de columna '%1' no es válido."},
        {"^ambiguous column name: (.+)$", "El nombre de columna '%1' es ambiguo."},
        {"^no such function: (.+)$", "'%1' no es un nombre de función integrada reconocido."},
        {"^wrong number of arguments to function (\\w+)\\(\\)",
         "La función %1 no admite ese número de argumentos."},
        {"^near \"(.*)\": syntax error", "Sintaxis incorrecta cerca de '%1'."},
        {"^unrecognized token: \"(.*)\"", "Sintaxis incorrecta cerca de '%1'."},
        {"^incomplete input", "Sintaxis incorrecta: la instrucción está incompleta."},
        {"^misuse of aggregate(?: function)?:? (\\w+)",
         "No puede haber un agregado (%1) en esta parte de la instrucción."},
        {"^sub-select returns \\d+ columns",
         "Sólo se puede especificar una expresión en la lista de selección cuando la subconsulta "
         "no se especifica con EXISTS."},
        {"^SELECTs to the left and right of (\\w+)",
         "Todas las consultas combinadas mediante un operador UNION, INTERSECT o EXCEPT deben "
         "tener el mismo número de expresiones en sus listas de destino."},
        {"^\\d+(?:st|nd|rd|th) ORDER BY term out of range",
         "El número de posición de ORDER BY está fuera del intervalo de elementos de la lista de "
         "selección."},
        {"^(?:table|index) (\\S+) already exists",
         "Ya hay un objeto con el nombre '%1' en la base de datos."},
        {"^FOREIGN KEY constraint failed",
         "Instrucción en conflicto con la restricción FOREIGN KEY."},
        {"^CHECK constraint failed", "Instrucción en conflicto con la restricción CHECK."},
        {"^not authorized", "Se denegó el permiso para ejecutar la instrucción."},
        {"^interrupted", "Se canceló la instrucción."},
        {"^integer overflow",
         "Error de desbordamiento aritmético al convertir expression al tipo de datos bigint."},
        {"^no such savepoint: (\\w+)",
         "No se puede revertir %1. No se encontró ninguna transacción o punto de almacenamiento "
         "con ese nombre."},
    };
    // Compiled once: a session meets these texts again and again.
    static const std::vector<QRegularExpression> kPatrones = [] {
        std::vector<QRegularExpression> p;
        for (const Regla& r : kReglas)
            p.emplace_back(QString::fromLatin1(r.patron));
        return p;
    }();
    for (size_t k = 0; k < std::size(kReglas); ++k) {
        const Regla& r = kReglas[k];
        const auto m = kPatrones[k].match(texto);
        if (!m.hasMatch())
            continue;
        if (*r.espanol == 0) { // the key, naming its columns without the table
            return QStringLiteral("Infracción de la restricción PRIMARY KEY en la tabla '%1': no "
                                  "se puede insertar una clave duplicada (%2).")
                .arg(m.captured(1),
                     QString(m.captured(2)).remove(m.captured(1) + QLatin1Char('.')));
        }
        QString t = QString::fromUtf8(r.espanol);
        for (int k = 1; k <= m.lastCapturedIndex(); ++k)
            t.replace(QStringLiteral("%") + QString::number(k),
                      k == 1 && QByteArray(r.patron).contains("column") ? Nombre(m.captured(k))
                                                                        : m.captured(k));
        return t;
    }
    if (DeSqlite(texto))
        return QString::fromUtf8("El servidor embebido no pudo ejecutar la instrucción.");
    return texto;
}

// The driver's diagnostic records as QODBC joins them, "[FreeTDS][SQL Server]text ...": the
// texts without the driver's and server's tags, one per line. FreeTDS's own "Unable to connect
// to data source" goes when the server said why.
QString TextoOdbc(const QString& texto) {
    static const QRegularExpression etiquetas(QStringLiteral("\\s*(?:\\[[^\\[\\]]*\\])+"));
    QStringList registros;
    qsizetype desde = 0;
    for (auto it = etiquetas.globalMatch(texto); it.hasNext();) {
        const auto m = it.next();
        registros << texto.mid(desde, m.capturedStart() - desde).trimmed();
        desde = m.capturedEnd();
    }
    registros << texto.mid(desde).trimmed();
    registros.removeAll(QString());
    registros.removeDuplicates();
    if (registros.size() > 1)
        registros.removeAll(QStringLiteral("Unable to connect to data source"));
    return registros.join(QLatin1Char('\n'));
}

} // namespace

namespace {

// The system's sentence and SQLite's text: SQLite's own English words never follow it.
QString JuntaSqlite(const QString& explicacion, const QString& texto) {
    if (!explicacion.isEmpty() && DeSqlite(texto))
        return explicacion;
    return Junta(explicacion, TraduceSqlite(texto));
}

} // namespace

QString ExplicacionSqlite(int codigo) {
    switch (codigo & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QString::fromUtf8("La base de datos está ocupada por otro puesto o programa; "
                                 "espere un momento y vuelva a intentarlo.");
    case SQLITE_READONLY:
        return QString::fromUtf8("No se puede escribir en la base de datos: el archivo o su "
                                 "carpeta son de solo lectura para este usuario. Pida al "
                                 "administrador permiso de escritura.");
    case SQLITE_FULL:
        return QString::fromUtf8("El disco de la base de datos está lleno; libere espacio y "
                                 "vuelva a intentarlo.");
    case SQLITE_IOERR:
        return QString::fromUtf8("No se pudo leer o escribir el archivo de la base de datos "
                                 "(falla del disco o de la red); revíselos y vuelva a intentarlo.");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QString::fromUtf8("El archivo de la base de datos está dañado o no es una base de "
                                 "datos; avise al administrador para restaurarlo de una copia.");
    case SQLITE_CANTOPEN:
        return QString::fromUtf8("No se pudo abrir el archivo de la base de datos; revise que "
                                 "exista y que tenga permiso para usarlo.");
    default:
        return {};
    }
}

QString TextoErrorSqlite(int codigo, const QString& texto) {
    return JuntaSqlite(ExplicacionSqlite(codigo), texto.trimmed());
}

namespace {

// The database's own text of an error (the driver's when the database said nothing).
QString TextoPropio(const QSqlError& error) {
    const QString base = error.databaseText().trimmed();
    return base.isEmpty() ? error.text().trimmed() : base;
}

// ODBC's texts carry the driver's tags ("[FreeTDS][SQL Server]…") and its code is the
// server's error number; SQLite's texts have no tags and its code is its result code.
bool DeOdbc(const QString& texto) {
    return texto.startsWith(QLatin1Char('['));
}

} // namespace

bool ConexionPerdida(const QSqlError& error) {
    const QString texto = TextoPropio(error);
    return DeOdbc(texto) &&
           Perdida(error.nativeErrorCode(), texto + QLatin1Char(' ') + error.driverText());
}

QString TextoErrorBase(const QSqlError& error) {
    const QString texto = TextoPropio(error);
    const QString codigo = error.nativeErrorCode().trimmed();
    bool numerico = false;
    const int n = codigo.toInt(&numerico);
    if (numerico && !DeOdbc(texto))
        return JuntaSqlite(ExplicacionSqlite(n), texto);
    return Junta(ExplicacionOdbc(codigo, texto + QLatin1Char(' ') + error.driverText()),
                 TextoOdbc(texto));
}

int NumeroErrorServidor(const QString& texto) {
    struct Numero {
        const char* comienzo;
        int numero;
    };
    // The server's numbers for its texts (the first line of a text decides).
    static const Numero kNumeros[] = {
        {"Sintaxis incorrecta cerca de la palabra clave", 156},
        {"Sintaxis incorrecta", 102},
        {"El nombre de objeto", 208},
        {"El nombre de columna '", 207},
        {"Debe declarar la variable escalar", 137},
        {"'", 195}, // "'X' no es un nombre de función integrada reconocido."
        {"La función ", 174},
        {"Infracción de la restricción PRIMARY KEY", 2627},
        {"No se puede insertar el valor NULL", 515},
        {"Se denegó el permiso", 229},
        {"Error de desbordamiento aritmético", 8115},
        {"Error de conversión al convertir la fecha", 241},
        {"La conversión del tipo de datos varchar en datetime", 242},
        {"Error de conversión al convertir el valor", 245},
        {"Error al convertir el tipo de datos", 8114},
        {"Los datos de cadena o binarios se truncarían", 2628},
        {"Se encontró un error de división entre cero", 8134},
        {"Instrucción en conflicto con la restricción", 547},
        {"Ya hay un objeto con el nombre", 2714},
        {"No se encontró el procedimiento almacenado", 2812},
        {"La solicitud COMMIT TRANSACTION", 3902},
        {"La solicitud ROLLBACK TRANSACTION", 3903},
        {"No se puede emitir SAVE TRANSACTION", 628},
        {"La base de datos '", 911},
        {"Sólo se puede especificar una expresión", 116},
        {"Todas las consultas combinadas", 205},
        {"El número de posición de ORDER BY", 108},
        {"No puede haber un agregado", 147},
        {"No se puede revertir", 6401},
        {"Se canceló la instrucción", 3617},
    };
    const QString primera = texto.section(QLatin1Char('\n'), 0, 0);
    for (const Numero& n : kNumeros) {
        const QString c = QString::fromUtf8(n.comienzo);
        if (!primera.startsWith(c))
            continue;
        if (n.numero == 195 && !primera.contains(QString::fromUtf8("no es un nombre de función")))
            continue;
        return n.numero;
    }
    return 50000;
}
