// Database error texts.
#include "db/TextoErrores.h"

#include <QRegularExpression>
#include <QSqlError>
#include <sqlite3.h>

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

// SQLite's texts of a refused key or a missing value, in the server's words.
QString TraduceRestriccion(const QString& texto) {
    static const QRegularExpression nulo(
        QStringLiteral("^NOT NULL constraint failed: (\\w+)\\.(\\w+)"));
    static const QRegularExpression clave(
        QStringLiteral("^UNIQUE constraint failed: (\\w+)\\.(.*)$"));
    if (const auto m = nulo.match(texto); m.hasMatch())
        return QStringLiteral("No se puede insertar el valor NULL en la columna '%1', tabla '%2'. "
                              "La columna no admite valores NULL.")
            .arg(m.captured(2), m.captured(1));
    if (const auto m = clave.match(texto); m.hasMatch())
        return QStringLiteral("Infracción de la restricción PRIMARY KEY en la tabla '%1': no se "
                              "puede insertar una clave duplicada (%2).")
            .arg(m.captured(1), QString(m.captured(2)).remove(m.captured(1) + QLatin1Char('.')));
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
    return Junta(ExplicacionSqlite(codigo), TraduceRestriccion(texto.trimmed()));
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
        return Junta(ExplicacionSqlite(n), TraduceRestriccion(texto));
    return Junta(ExplicacionOdbc(codigo, texto + QLatin1Char(' ') + error.driverText()),
                 TextoOdbc(texto));
}
