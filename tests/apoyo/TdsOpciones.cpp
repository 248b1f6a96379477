// The statements the TDS test server answers by itself, as SQL Server does: the session's
// options (SET), USE, RAISERROR, and the driver's question for its data types.
#include "apoyo/TdsEjecucion.h"

#include "db/Conexion.h"
#include "db/FechasTexto.h"
#include "db/LoteTsql.h"
#include "db/ServidorEmbebido.h"

#include <QRegularExpression>

using namespace Tds;

bool EjecutorTds::Opcion(const QString& sql, bool enProc, bool siguen) {
    static const QRegularExpression opcion(QStringLiteral("^SET\\s+(\\w+)\\s+(.*?)\\s*;?$"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression uso(QStringLiteral("^USE\\s+\\[?(\\w+)\\]?\\s*;?$"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (const auto m = uso.match(sql); m.hasMatch()) {
        const QString base = m.captured(1);
        if (base.compare(QStringLiteral("Moravel"), Qt::CaseInsensitive) != 0) {
            Falla(QStringLiteral("La base de datos '%1' no existe. Asegúrese de que el nombre se "
                                 "ha escrito correctamente.")
                      .arg(base),
                  enProc);
            return true;
        }
        CambioEntorno(salida_.e, 1, QStringLiteral("Moravel"), QStringLiteral("Moravel"));
        FinSentencia(enProc, 0, 0, siguen);
        return true;
    }
    if (const auto aviso = DialectoSqlite::LeeRaiserror(sql)) {
        if (aviso->severidad >= 11) {
            Error(salida_.e, 50000, aviso->severidad, aviso->texto, aviso->estado);
            FinSentencia(enProc, kConError, 0, siguen);
            fallo_ = true;
        } else {
            Aviso(salida_.e, 50000, aviso->severidad, aviso->texto, aviso->estado);
            FinSentencia(enProc, 0, 0, siguen);
        }
        return true;
    }
    const auto m = opcion.match(sql);
    if (!m.hasMatch() || m.captured(1).startsWith(QLatin1Char('@')))
        return false;
    const QString nombre = m.captured(1).toUpper();
    const QString valor = m.captured(2).trimmed();
    if (nombre == QLatin1String("IMPLICIT_TRANSACTIONS")) {
        implicitas_ = valor.compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0;
    } else if (nombre == QLatin1String("DATEFORMAT")) {
        FechasTexto::Orden orden;
        const QByteArray v = valor.toLatin1();
        if (!FechasTexto::LeeOrden(std::string_view(v.constData(), size_t(v.size())), orden)) {
            Falla(QStringLiteral("'%1' no es una opción de DATEFORMAT reconocida.").arg(valor),
                  enProc);
            return true;
        }
        conexion_.Servidor()->FijaOrdenFecha(orden);
    } else if (nombre == QLatin1String("LANGUAGE")) {
        // The language sets the order of day and month, as on the server.
        const QString idioma = QString(valor)
                                   .remove(QLatin1Char('\''))
                                   .remove(QLatin1Char('['))
                                   .remove(QLatin1Char(']'))
                                   .toLower();
        if (idioma == QLatin1String("us_english") || idioma == QLatin1String("english"))
            conexion_.Servidor()->FijaOrdenFecha(FechasTexto::Orden::Mdy);
        else if (idioma == QString::fromUtf8("español") || idioma == QLatin1String("spanish"))
            conexion_.Servidor()->FijaOrdenFecha(FechasTexto::Orden::Dmy);
        else {
            Falla(QStringLiteral("'%1' no es un idioma reconocido.").arg(valor), enProc);
            return true;
        }
    } else if (!DialectoSqlite::SetSinEfecto(sql) && nombre != QLatin1String("TRANSACTION") &&
               nombre != QLatin1String("ROWCOUNT")) {
        Falla(QStringLiteral("'%1' no es una opción SET reconocida.").arg(m.captured(1)), enProc);
        return true;
    }
    // A SET has no DONE of its own unless it ends the batch, as on the server.
    if (!siguen && !enProc)
        FinSentencia(enProc, 0, 0, siguen);
    return true;
}

bool EjecutorTds::TiposDeDatos(const QString& sql, bool enProc, bool siguen) {
    // The driver's SQLGetTypeInfo: the client reads the date-time type's precision from it
    // (23 keeps milliseconds on the values it binds). Only the date-time types are listed.
    static const QRegularExpression tipos(
        QStringLiteral("^(EXEC\\s+)?sp_datatype_info(_100)?\\s+(-?\\d+)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = tipos.match(sql);
    if (!m.hasMatch())
        return false;
    const int pedido = m.captured(3).toInt();
    using T = TipoColumna;
    const QStringList nombres = {QStringLiteral("TYPE_NAME"),
                                 QStringLiteral("DATA_TYPE"),
                                 QStringLiteral("PRECISION"),
                                 QStringLiteral("LITERAL_PREFIX"),
                                 QStringLiteral("LITERAL_SUFFIX"),
                                 QStringLiteral("CREATE_PARAMS"),
                                 QStringLiteral("NULLABLE"),
                                 QStringLiteral("CASE_SENSITIVE"),
                                 QStringLiteral("SEARCHABLE"),
                                 QStringLiteral("UNSIGNED_ATTRIBUTE"),
                                 QStringLiteral("MONEY"),
                                 QStringLiteral("AUTO_INCREMENT"),
                                 QStringLiteral("LOCAL_TYPE_NAME"),
                                 QStringLiteral("MINIMUM_SCALE"),
                                 QStringLiteral("MAXIMUM_SCALE"),
                                 QStringLiteral("SQL_DATA_TYPE"),
                                 QStringLiteral("SQL_DATETIME_SUB"),
                                 QStringLiteral("NUM_PREC_RADIX"),
                                 QStringLiteral("INTERVAL_PRECISION"),
                                 QStringLiteral("USERTYPE")};
    const std::vector<T> columnas = {T::Varchar, T::Entero2, T::Entero4, T::Varchar, T::Varchar,
                                     T::Varchar, T::Entero2, T::Entero2, T::Entero2, T::Entero2,
                                     T::Entero2, T::Entero2, T::Varchar, T::Entero2, T::Entero2,
                                     T::Entero2, T::Entero2, T::Entero4, T::Entero2, T::Entero2};
    Metadatos(salida_.e, nombres, columnas);
    quint64 filas = 0;
    if (pedido == 11 || pedido == 93 || pedido == 0) {
        const QVariant n;
        const QVariantList fila = {QStringLiteral("datetime"),
                                   pedido == 0 ? 93 : pedido,
                                   23,
                                   QStringLiteral("'"),
                                   QStringLiteral("'"),
                                   n,
                                   1,
                                   0,
                                   3,
                                   n,
                                   0,
                                   n,
                                   QStringLiteral("datetime"),
                                   3,
                                   3,
                                   9,
                                   3,
                                   n,
                                   n,
                                   12};
        salida_.e.U8(kFila);
        for (size_t c = 0; c < columnas.size(); ++c)
            Valor(salida_.e, columnas[c], fila[qsizetype(c)]);
        ++filas;
    }
    FinSentencia(enProc, kConCuenta, filas, siguen);
    return true;
}
