// Running a client's requests on the embedded session of the TDS test server.
#include "apoyo/TdsEjecucion.h"

#include "common/Errores.h"
#include "common/ModeloGrilla.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "db/DialectoSqlite.h"
#include "db/FechasTexto.h"
#include "db/FuncionesServidor.h"
#include "db/LoteTsql.h"
#include "db/ServidorEmbebido.h"
#include "db/TextoErrores.h"

#include <QDateTime>
#include <QRegularExpression>
#include <sqlite3.h>
#include <sys/socket.h>

using namespace Tds;

namespace {

constexpr int kCargaPaquete = 4096 - 8;

// sp_executesql and the prepared-statement procedures, by the numbers FreeTDS sends.
enum : int { kExecuteSql = 10, kPrepare = 11, kExecute = 12, kPrepExec = 13, kUnprepare = 15 };

// "@P1 VARCHAR(7),@P2 INT": the values' names in order.
QStringList NombresDeclarados(const QString& declaracion) {
    static const QRegularExpression nombre(QStringLiteral("(?:^|,)\\s*@(\\w+)"));
    QStringList nombres;
    for (auto it = nombre.globalMatch(declaracion); it.hasNext();)
        nombres << it.next().captured(1);
    return nombres;
}

// "@name" of a value becomes ":name", the program's placeholders; quoted text, bracketed
// names and "@@" functions are left alone.
QString Marcadores(const QString& sql, const std::vector<ValorRpc>& valores) {
    QString r;
    r.reserve(sql.size());
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('[') || c == QLatin1Char('"')) {
            const QChar cierre = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            const qsizetype fin = sql.indexOf(cierre, i + 1);
            const qsizetype hasta = fin < 0 ? sql.size() : fin + 1;
            r += sql.mid(i, hasta - i);
            i = hasta - 1;
            continue;
        }
        if (c == QLatin1Char('@') && (i == 0 || sql[i - 1] != QLatin1Char('@')) &&
            i + 1 < sql.size() && sql[i + 1] != QLatin1Char('@')) {
            qsizetype j = i + 1;
            while (j < sql.size() && (sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_')))
                ++j;
            const QString nombre = sql.mid(i + 1, j - i - 1);
            const bool esValor = std::any_of(valores.begin(), valores.end(), [&](const auto& v) {
                return v.nombre.compare(nombre, Qt::CaseInsensitive) == 0;
            });
            if (esValor) {
                r += QLatin1Char(':') + nombre;
                i = j - 1;
                continue;
            }
        }
        r += c;
    }
    return r;
}

// Whether statements follow (more than blanks and semicolons).
bool HayMas(const char* cola) {
    for (; *cola; ++cola)
        if (!isspace(static_cast<unsigned char>(*cola)) && *cola != ';')
            return true;
    return false;
}

const ValorRpc* ValorDe(const std::vector<ValorRpc>& valores, const QString& nombre) {
    for (const ValorRpc& v : valores)
        if (v.nombre.compare(nombre, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}

TipoParametro TipoDe(ClaseValor c) {
    switch (c) {
    case ClaseValor::Entero:
        return TipoParametro::Entero;
    case ClaseValor::Real:
        return TipoParametro::Real;
    case ClaseValor::Fecha:
        return TipoParametro::FechaHora;
    case ClaseValor::Bit:
        return TipoParametro::Bit;
    case ClaseValor::Texto:
        break;
    }
    return TipoParametro::Texto;
}

void Vincula(sqlite3_stmt* st, const std::vector<ValorRpc>& valores) {
    for (int i = 1; i <= sqlite3_bind_parameter_count(st); ++i) {
        const char* marca = sqlite3_bind_parameter_name(st, i);
        const ValorRpc* v = marca ? ValorDe(valores, QString::fromUtf8(marca + 1)) : nullptr;
        if (!v || v->valor.isNull()) {
            sqlite3_bind_null(st, i);
            continue;
        }
        switch (v->clase) {
        case ClaseValor::Entero:
        case ClaseValor::Bit:
            sqlite3_bind_int64(st, i, v->valor.toLongLong());
            break;
        case ClaseValor::Real:
            sqlite3_bind_double(st, i, v->valor.toDouble());
            break;
        case ClaseValor::Fecha:
        case ClaseValor::Texto: {
            const QByteArray t =
                (v->clase == ClaseValor::Fecha ? DialectoSqlite::TextoFecha(v->valor.toDateTime())
                                               : v->valor.toString())
                    .toUtf8();
            sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
}

// A column's type from the schema's declaration; false for an expression, decided by values.
bool TipoDeclarado(const char* declaracion, TipoColumna& tipo) {
    const QByteArray d = QByteArray(declaracion).toUpper();
    if (d.isEmpty())
        return false;
    if (d == "DATE")
        tipo = TipoColumna::FechaSola;
    else if (d.contains("DATE") || d.contains("TIME"))
        tipo = TipoColumna::Fecha;
    else if (d.startsWith("DEC") || d.startsWith("NUMERIC"))
        tipo = TipoColumna::Decimal;
    else if (d.contains("BIT"))
        tipo = TipoColumna::Bit;
    else if (d.contains("TINYINT"))
        tipo = TipoColumna::Entero1;
    else if (d.contains("SMALLINT"))
        tipo = TipoColumna::Entero2;
    else if (d.contains("BIGINT"))
        tipo = TipoColumna::Entero8;
    else if (d.contains("INT"))
        tipo = TipoColumna::Entero4;
    else if (d.contains("FLOA") || d.contains("REAL") || d.contains("DOUB") ||
             d.contains("MONEY") || d.contains("DEC") || d.contains("NUM"))
        tipo = TipoColumna::Real;
    else if (d.startsWith("N"))
        tipo = TipoColumna::NVarchar;
    else if (d.contains("TEXT"))
        tipo = TipoColumna::Texto;
    else
        tipo = TipoColumna::Varchar;
    return true;
}

bool TipoPorValor(sqlite3_stmt* st, int c, TipoColumna& tipo, int& escala) {
    // A converted value's own type, which SQLite keeps as another.
    const unsigned subtipo = sqlite3_value_subtype(sqlite3_column_value(st, c));
    if (sqlite3_column_type(st, c) != SQLITE_NULL) {
        if (subtipo == FuncionesServidor::kSubtipoFecha) {
            tipo = TipoColumna::FechaSola;
            return true;
        }
        if (subtipo == FuncionesServidor::kSubtipoTexto) {
            tipo = TipoColumna::Varchar;
            return true;
        }
        if (subtipo == FuncionesServidor::kSubtipoBit) {
            tipo = TipoColumna::Bit;
            return true;
        }
        if (subtipo >= FuncionesServidor::kSubtipoDecimal &&
            subtipo <= FuncionesServidor::kSubtipoDecimal + 38) {
            tipo = TipoColumna::Decimal;
            escala = int(subtipo - FuncionesServidor::kSubtipoDecimal);
            return true;
        }
    }
    switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(st, c);
        tipo = v == qint32(v) ? TipoColumna::Entero4 : TipoColumna::Entero8;
        return true;
    }
    case SQLITE_FLOAT:
        tipo = TipoColumna::Real;
        return true;
    case SQLITE_TEXT: {
        std::int64_t ms = 0;
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
        tipo = MilisegundosDeTextoIso(std::string_view(t, size_t(sqlite3_column_bytes(st, c))), ms)
                   ? TipoColumna::Fecha
                   : TipoColumna::NVarchar;
        return true;
    }
    default:
        return false;
    }
}

QVariant ValorSqlite(sqlite3_stmt* st, int c) {
    switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(st, c));
    case SQLITE_FLOAT:
        return sqlite3_column_double(st, c);
    case SQLITE_NULL:
        return {};
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                                 sqlite3_column_bytes(st, c));
    }
}

// The value as its column's type carries it.
QVariant Ajusta(TipoColumna tipo, const QVariant& v) {
    if (v.isNull())
        return v;
    if (tipo == TipoColumna::Fecha || tipo == TipoColumna::FechaSola)
        return v.typeId() == QMetaType::QString
                   ? QVariant(DialectoSqlite::FechaDeTexto(v.toString()))
                   : QVariant();
    return v;
}

// SQL Server's number and class for the embedded server's texts.
std::pair<int, int> NumeroError(const QString& texto) {
    const int numero = NumeroErrorServidor(texto);
    switch (numero) {
    case 2627:
    case 229:
        return {numero, 14};
    case 102:
    case 156:
    case 195:
        return {numero, 15};
    default:
        return {numero, 16};
    }
}

} // namespace

void SalidaTds::Envia(bool fin) {
    if (fin && cortaSinResponder) {
        cortaSinResponder = false;
        ::shutdown(socket_, SHUT_RDWR);
        throw CorteTds{};
    }
    qsizetype desde = 0;
    while (e.b.size() - desde > kCargaPaquete || (fin && desde < e.b.size()) ||
           (fin && e.b.isEmpty() && desde == 0)) {
        const QByteArray parte = e.b.mid(desde, kCargaPaquete);
        desde += parte.size();
        const bool ultimo = fin && desde >= e.b.size();
        const int largo = int(parte.size()) + 8;
        const char h[8] = {char(kRespuesta),
                           char(ultimo ? 1 : 0),
                           char(largo >> 8),
                           char(largo & 0xff),
                           0,
                           0,
                           char(numero_++),
                           0};
        QByteArray paquete(h, 8);
        paquete += parte;
        ::send(socket_, paquete.constData(), size_t(paquete.size()), MSG_NOSIGNAL);
        if (ultimo || parte.isEmpty())
            break;
    }
    e.b.remove(0, desde);
    if (fin)
        numero_ = 1;
}

void SalidaTds::FilaEscrita() {
    if (filasHastaCorte < 0)
        return;
    if (filasHastaCorte-- > 0)
        return;
    Envia(false);
    ::shutdown(socket_, SHUT_RDWR);
    throw CorteTds{};
}

bool EjecutorTds::EnTransaccion() const {
    sqlite3* bd = conexion_.Manejador();
    return bd && sqlite3_get_autocommit(bd) == 0;
}

void EjecutorTds::Sqlite(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(conexion_.Manejador(), sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString texto = QString::fromUtf8(error ? error : "");
        sqlite3_free(error);
        throw ErrorBaseDatos(texto);
    }
}

void EjecutorTds::Comienza() {
    Sqlite("BEGIN");
    sentenciasEnTransaccion_ = 0;
}

void EjecutorTds::BloqueaSiPide(const QString& sql) {
    // SQL Server's UPDLOCK or XLOCK holds the rows read until the transaction ends, and a second
    // session asking for them waits. SQLite locks the whole file: a transaction that has not run
    // anything yet takes the writer lock now (waiting for another session's), which orders the
    // two sessions the same way. Later in a transaction the hint cannot be honoured here.
    static const QRegularExpression bloqueo(QStringLiteral("\\b(UPDLOCK|XLOCK|TABLOCKX)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (EnTransaccion() && sentenciasEnTransaccion_ == 0 && bloqueo.match(sql).hasMatch()) {
        Sqlite("ROLLBACK");
        Sqlite("BEGIN IMMEDIATE");
    }
    ++sentenciasEnTransaccion_;
}

void EjecutorTds::IniciaImplicita() {
    if (implicitas_ && !EnTransaccion()) {
        Comienza();
        CambioTransaccion(salida_.e, 8, ++descriptor_);
    }
}

void EjecutorTds::FinSentencia(bool enProc, int estado, quint64 filas, bool siguen) {
    // Inside a procedure the DONEPROC follows, so a statement's end always says "more".
    Hecho(salida_.e, enProc ? kHechoEnProc : kHecho, estado | (enProc || siguen ? kMas : 0), filas);
}

void EjecutorTds::Falla(const QString& texto, bool enProc) {
    fallo_ = true;
    const auto [numero, clase] = NumeroError(texto);
    Error(salida_.e, numero, clase, texto);
    FinSentencia(enProc, kConError, 0);
}

void EjecutorTds::Lote(const QString& sql) {
    if (antesDeEjecutar && antesDeEjecutar(sql)) {
        Hecho(salida_.e, kHecho, kAtendida, 0);
        return;
    }
    try {
        Ejecuta(sql.trimmed(), {}, false);
    } catch (const Cancelada&) {
    }
}

bool EjecutorTds::ControlTransaccion(const QString& sql, bool enProc, bool siguen) {
    static const QRegularExpression inicio(QStringLiteral("^BEGIN\\s+TRAN(SACTION)?\\s*;?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fin(
        QStringLiteral("^(IF\\s+@@TRANCOUNT\\s*>\\s*0\\s+)?(COMMIT|ROLLBACK)(\\s+(TRAN|TRANSACTION|"
                       "WORK))?\\s*;?$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression punto(
        QStringLiteral("^(SAVE|ROLLBACK)\\s+TRAN(SACTION)?\\s+(\\w+)\\s*;?$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression cuenta(QStringLiteral("^SELECT\\s+@@TRANCOUNT\\s*;?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (inicio.match(sql).hasMatch()) {
        if (!EnTransaccion()) {
            Comienza();
            CambioTransaccion(salida_.e, 8, ++descriptor_);
        }
    } else if (const auto m = fin.match(sql); m.hasMatch()) {
        const bool confirma =
            m.captured(2).compare(QLatin1String("COMMIT"), Qt::CaseInsensitive) == 0;
        if (EnTransaccion()) {
            Sqlite(confirma ? "COMMIT" : "ROLLBACK");
            CambioTransaccion(salida_.e, confirma ? 9 : 10, descriptor_);
        } else if (m.captured(1).isEmpty()) {
            // The server speaks Spanish, as the embedded server it stands on.
            Falla(QStringLiteral("La solicitud %1 TRANSACTION no tiene la correspondiente BEGIN "
                                 "TRANSACTION.")
                      .arg(confirma ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK")),
                  enProc);
            return true;
        }
    } else if (const auto m = punto.match(sql); m.hasMatch()) {
        if (!EnTransaccion()) {
            Falla(QString::fromUtf8("No se puede emitir SAVE TRANSACTION cuando no hay ninguna "
                                    "transacción activa."),
                  enProc);
            return true;
        }
        const bool guarda = m.captured(1).compare(QLatin1String("SAVE"), Qt::CaseInsensitive) == 0;
        Sqlite(QStringLiteral("%1 \"%2\"")
                   .arg(guarda ? QStringLiteral("SAVEPOINT") : QStringLiteral("ROLLBACK TO"),
                        m.captured(3))
                   .toUtf8()
                   .constData());
    } else if (cuenta.match(sql).hasMatch()) {
        Metadatos(salida_.e, {QString()}, {TipoColumna::Entero4});
        salida_.e.U8(kFila);
        Valor(salida_.e, TipoColumna::Entero4, qint64(EnTransaccion() ? 1 : 0));
        FinSentencia(enProc, kConCuenta, 1, siguen);
        return true;
    } else {
        return false;
    }
    FinSentencia(enProc, 0, 0, siguen);
    return true;
}

int EjecutorTds::Resultado(sqlite3_stmt* st, int rc, quint64& filas) {
    // The types: declared columns by the schema, expressions by their first value that is not
    // NULL (rows are held back until every column is known).
    const int n = sqlite3_column_count(st);
    std::vector<TipoColumna> tipos(size_t(n), TipoColumna::NVarchar);
    std::vector<bool> conocido(size_t(n), false);
    std::vector<int> escalas(size_t(n), 0);
    QStringList nombres;
    for (int c = 0; c < n; ++c) {
        nombres << QString::fromUtf8(sqlite3_column_name(st, c));
        conocido[size_t(c)] = TipoDeclarado(sqlite3_column_decltype(st, c), tipos[size_t(c)]);
    }
    auto lee = [&] {
        QVariantList fila;
        fila.reserve(n);
        for (int c = 0; c < n; ++c) {
            if (!conocido[size_t(c)])
                conocido[size_t(c)] = TipoPorValor(st, c, tipos[size_t(c)], escalas[size_t(c)]);
            fila << ValorSqlite(st, c);
        }
        return fila;
    };
    std::vector<QVariantList> retenidas;
    while (rc == SQLITE_ROW && std::count(conocido.begin(), conocido.end(), false) > 0) {
        retenidas.push_back(lee());
        rc = sqlite3_step(st);
    }
    Metadatos(salida_.e, nombres, tipos, escalas);
    auto escribe = [&](const QVariantList& fila) {
        salida_.e.U8(kFila);
        for (int c = 0; c < n; ++c)
            Valor(salida_.e, tipos[size_t(c)], Ajusta(tipos[size_t(c)], fila[c]),
                  escalas[size_t(c)]);
        ++filas;
        salida_.FilaEscrita();
        if (salida_.e.b.size() > 8 * kCargaPaquete)
            salida_.Envia(false);
    };
    for (const QVariantList& fila : retenidas)
        escribe(fila);
    for (; rc == SQLITE_ROW; rc = sqlite3_step(st))
        escribe(lee());
    return rc;
}

bool EjecutorTds::Ejecuta(const QString& texto, const std::vector<ValorRpc>& valores, bool enProc) {
    // The batch statement by statement, as the server reads it: a ";" is not needed between
    // them, and a batch stops at its first failed statement.
    const QString sql = Marcadores(texto, valores);
    QStringList partes;
    try {
        partes = DialectoSqlite::PartesLote(sql);
    } catch (const ErrorTarvelion& e) {
        Falla(e.Texto(), enProc);
        return false;
    }
    if (partes.isEmpty()) {
        FinSentencia(enProc, 0, 0);
        return true;
    }
    for (qsizetype i = 0; i < partes.size(); ++i)
        if (!EjecutaUna(partes[i], valores, enProc, i + 1 < partes.size()))
            return false;
    return true;
}

int EjecutorTds::Progreso(void* datos) {
    // An attention that has arrived while the statement runs interrupts it.
    auto* yo = static_cast<EjecutorTds*>(datos);
    unsigned char h[8];
    const ssize_t n = ::recv(yo->salida_.Socket(), h, sizeof h, MSG_PEEK | MSG_DONTWAIT);
    if (n >= 1 && h[0] == kAtencion) {
        yo->cancelada_ = true;
        return 1;
    }
    return 0;
}

bool EjecutorTds::EjecutaUna(const QString& sql, const std::vector<ValorRpc>& valores, bool enProc,
                             bool siguen) {
    fallo_ = false;
    try {
        if (Opcion(sql, enProc, siguen) || ControlTransaccion(sql, enProc, siguen) ||
            TiposDeDatos(sql, enProc, siguen))
            return !fallo_;
        IniciaImplicita();
        BloqueaSiPide(sql);
        if (const auto llamada = DialectoSqlite::LeeExec(sql)) {
            // A stored procedure runs on the embedded server, its values bound by name.
            Consulta q({sql}, &conexion_);
            for (const ValorRpc& v : valores)
                q.Parametro(v.nombre, TipoDe(v.clase), v.valor);
            q.Ejecuta();
            FinSentencia(enProc, 0, 0, siguen);
            return true;
        }
        bool nada = true;
        const QByteArray todo = DialectoSqlite::Traduce(sql).toUtf8();
        const char* resto = todo.constData();
        sqlite3* bd = conexion_.Manejador();
        cancelada_ = false;
        sqlite3_progress_handler(bd, 20000, &EjecutorTds::Progreso, this);
        struct SinProgreso {
            sqlite3* bd;
            ~SinProgreso() { sqlite3_progress_handler(bd, 0, nullptr, nullptr); }
        } sinProgreso{bd};
        while (*resto) {
            sqlite3_stmt* st = nullptr;
            const char* cola = nullptr;
            conexion_.Servidor()->TomaDenegacion();
            auto falla = [&] {
                const QString denegado = conexion_.Servidor()->TomaDenegacion();
                return ErrorBaseDatos(
                    !denegado.isEmpty() ? denegado
                                        : TextoErrorSqlite(sqlite3_extended_errcode(bd),
                                                           QString::fromUtf8(sqlite3_errmsg(bd))));
            };
            if (sqlite3_prepare_v2(bd, resto, -1, &st, &cola) != SQLITE_OK)
                throw falla();
            resto = cola;
            if (!st)
                continue; // blanks or a comment after the last statement
            struct Fin {
                sqlite3_stmt* st;
                ~Fin() { sqlite3_finalize(st); }
            } fin{st};
            Vincula(st, valores);
            nada = false;
            int rc = sqlite3_step(st);
            quint64 filas = 0;
            if (sqlite3_column_count(st) == 0) {
                while (rc == SQLITE_ROW)
                    rc = sqlite3_step(st);
                filas = quint64(sqlite3_changes(bd));
            } else {
                rc = Resultado(st, rc, filas);
            }
            if (rc == SQLITE_INTERRUPT && cancelada_) {
                // The rest of the answer is dropped; the attention is read and acknowledged.
                quint8 tipo = 0;
                QByteArray datos;
                LeeMensaje(salida_.Socket(), tipo, datos);
                salida_.e.b.clear();
                Hecho(salida_.e, kHecho, kAtendida, 0);
                throw Cancelada{};
            }
            if (rc != SQLITE_DONE)
                throw falla();
            FinSentencia(enProc, kConCuenta, filas, siguen || HayMas(cola));
        }
        if (nada)
            FinSentencia(enProc, 0, 0, siguen);
        return true;
    } catch (const ErrorTarvelion& e) {
        Falla(e.Texto(), enProc);
        return false;
    }
}

void EjecutorTds::Llamada(const Rpc& rpc) {
    try {
        LlamadaCancelable(rpc);
    } catch (const Cancelada&) {
    }
}

void EjecutorTds::LlamadaCancelable(const Rpc& rpc) {
    auto texto = [&](size_t i) {
        return i < rpc.valores.size() ? rpc.valores[i].valor.toString() : QString();
    };
    // The values after the fixed ones, named by the declaration.
    auto valores = [&](size_t desde, const QStringList& nombres) {
        std::vector<ValorRpc> v(rpc.valores.begin() +
                                    qsizetype(std::min(desde, rpc.valores.size())),
                                rpc.valores.end());
        for (size_t k = 0; k < v.size() && k < size_t(nombres.size()); ++k)
            if (v[k].nombre.isEmpty())
                v[k].nombre = nombres[qsizetype(k)];
        return v;
    };
    int manejador = 0;
    bool conManejador = false;
    QString cancelable = rpc.procedimiento == kExecuteSql ? texto(0)
                         : rpc.procedimiento == kPrepExec ? texto(2)
                                                          : QString();
    if (rpc.procedimiento == kExecute && !rpc.valores.empty())
        if (const auto it = preparadas_.find(rpc.valores[0].valor.toInt()); it != preparadas_.end())
            cancelable = it->second.sql;
    if (antesDeEjecutar && !cancelable.isEmpty() && antesDeEjecutar(cancelable)) {
        Hecho(salida_.e, kHechoProc, kAtendida, 0);
        return;
    }
    bool bien = true;
    switch (rpc.procedimiento) {
    case kExecuteSql:
        bien = Ejecuta(texto(0), valores(2, NombresDeclarados(texto(1))), true);
        break;
    case kPrepare:
    case kPrepExec: {
        manejador = siguienteManejador_++;
        conManejador = true;
        preparadas_[manejador] = {texto(2), NombresDeclarados(texto(1))};
        if (rpc.procedimiento == kPrepExec)
            bien = Ejecuta(texto(2), valores(3, preparadas_[manejador].nombres), true);
        break;
    }
    case kExecute: {
        const auto it = preparadas_.find(rpc.valores.empty() ? 0 : rpc.valores[0].valor.toInt());
        if (it == preparadas_.end()) {
            Falla(QString::fromUtf8(
                      "No se encontró la instrucción preparada con el identificador %1.")
                      .arg(texto(0)),
                  true);
            bien = false;
        } else {
            bien = Ejecuta(it->second.sql, valores(1, it->second.nombres), true);
        }
        break;
    }
    case kUnprepare:
        preparadas_.erase(rpc.valores.empty() ? 0 : rpc.valores[0].valor.toInt());
        break;
    default:
        if (!rpc.nombre.isEmpty()) {
            // A procedure called by name: its values in order, by name when they have one.
            QStringList argumentos;
            std::vector<ValorRpc> v = rpc.valores;
            for (size_t k = 0; k < v.size(); ++k) {
                if (v[k].nombre.isEmpty()) {
                    v[k].nombre = QStringLiteral("V%1").arg(k + 1);
                    argumentos << QLatin1Char('@') + v[k].nombre;
                } else {
                    argumentos << QStringLiteral("@%1=@%1").arg(v[k].nombre);
                }
            }
            bien = Ejecuta(QStringLiteral("EXEC %1 %2").arg(rpc.nombre, argumentos.join(u',')), v,
                           true);
        } else {
            Falla(QStringLiteral("El servidor de prueba no atiende el procedimiento %1.")
                      .arg(rpc.procedimiento),
                  true);
            bien = false;
        }
    }
    Escritor& e = salida_.e;
    e.U8(kRetornoEstado);
    e.U32(bien ? 0 : quint32(-6));
    if (conManejador)
        ValorRetornoEntero(e, 0, rpc.valores.empty() ? QString() : rpc.valores[0].nombre,
                           manejador);
    Hecho(e, kHechoProc, bien ? 0 : kConError, 0);
}

void EjecutorTds::Transaccion(const QByteArray& datos) {
    Lector l(datos, FinCabeceras(datos));
    const int pedido = l.U16();
    try {
        switch (pedido) {
        case 5: // begin
            if (!EnTransaccion()) {
                Comienza();
                CambioTransaccion(salida_.e, 8, ++descriptor_);
            }
            break;
        case 7:   // commit
        case 8: { // rollback
            l.BVarchar();
            const bool otra = l.U8() & 0x01;
            if (EnTransaccion()) {
                Sqlite(pedido == 7 ? "COMMIT" : "ROLLBACK");
                CambioTransaccion(salida_.e, pedido == 7 ? 9 : 10, descriptor_);
            }
            if (otra) {
                Comienza();
                CambioTransaccion(salida_.e, 8, ++descriptor_);
            }
            break;
        }
        default:
            Falla(QStringLiteral("El servidor de prueba no atiende el pedido de transacción %1.")
                      .arg(pedido),
                  false);
            return;
        }
    } catch (const ErrorTarvelion& e) {
        Falla(e.Texto(), false);
        return;
    }
    Hecho(salida_.e, kHecho, 0, 0);
}
