// The query object on both backends.
#include "db/Consulta.h"

#include "common/Errores.h"
#include "common/Texto1252.h"
#include "db/Conexion.h"
#include "db/DialectoSqlite.h"
#include "db/LoteTsql.h"
#include "db/ServidorEmbebido.h"
#include "db/TextoErrores.h"
#include "db/TokensTsql.h"

#include <QLibrary>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <cmath>
#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>

namespace {

QMetaType TipoQt(TipoParametro t) {
    switch (t) {
    case TipoParametro::Texto:
        return QMetaType::fromType<QString>();
    case TipoParametro::Entero:
        return QMetaType::fromType<int>();
    case TipoParametro::EnteroCorto:
        return QMetaType::fromType<short>();
    case TipoParametro::FechaHora:
        return QMetaType::fromType<QDateTime>();
    case TipoParametro::Bit:
        return QMetaType::fromType<bool>();
    case TipoParametro::Real:
        return QMetaType::fromType<double>();
    }
    return {};
}

// SQL Server's statement is cancelled by the driver when it has not answered within
// `segundos`; Qt's ODBC driver has no setting for it, so it goes on the statement's handle.
// The call is taken from the driver manager Qt's driver loaded, never linked into the
// program: a driver manager in the program's global symbols would stand in for the FreeTDS
// driver's own functions when the driver calls them, and the driver fails.
void LimitaEspera(const QSqlQuery& q, int segundos) {
    using FijaAtributo = SQLRETURN (*)(SQLHSTMT, SQLINTEGER, SQLPOINTER, SQLINTEGER);
    static const auto fija = reinterpret_cast<FijaAtributo>(
        QLibrary::resolve(QStringLiteral("odbc"), 2, "SQLSetStmtAttr"));
    const QVariant manejador = q.result() ? q.result()->handle() : QVariant();
    if (!fija || segundos <= 0 || manejador.metaType() != QMetaType::fromType<SQLHANDLE>())
        return;
    SQLHANDLE sentencia = *static_cast<const SQLHANDLE*>(manejador.constData());
    if (sentencia)
        fija(sentencia, SQL_ATTR_QUERY_TIMEOUT,
             reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(segundos)), 0);
}

} // namespace

namespace {

// The parameters as SQLite names them in the statement.
QList<QByteArray> Marcas(const QStringList& nombres) {
    QList<QByteArray> m;
    m.reserve(nombres.size());
    for (const QString& n : nombres)
        m << (QLatin1Char(':') + n).toUtf8();
    return m;
}

} // namespace

QString LiteralSql(const QString& valor) {
    return QLatin1Char('\'') + QString(valor).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

Consulta::Consulta(Conexion* conexion) : conexion_(conexion ? conexion : Conexion::Principal()) {}

Consulta::Consulta(std::initializer_list<QString> lineas, Conexion* conexion) : Consulta(conexion) {
    for (const QString& l : lineas)
        lineas_ << l;
}

void Consulta::Limpia() {
    Cierra();
    lineas_.clear();
}

void Consulta::Agrega(const QString& linea) {
    lineas_ << linea;
}

void Consulta::FijaSql(const QStringList& lineas) {
    Cierra();
    lineas_ = lineas;
}

void Consulta::Parametro(const QString& nombre, TipoParametro tipo, const QVariant& valor,
                         int tamano) {
    if (const qsizetype i = IndiceParametro(nombre); i >= 0) {
        parametros_[size_t(i)].second = Param{tipo, valor, tamano};
        return;
    }
    indiceParametros_.insert(nombre, qsizetype(parametros_.size()));
    parametros_.emplace_back(nombre, Param{tipo, valor, tamano});
}

qsizetype Consulta::IndiceParametro(const QString& nombre) const {
    if (const auto it = indiceParametros_.constFind(nombre); it != indiceParametros_.cend())
        return *it;
    for (size_t k = 0; k < parametros_.size(); ++k)
        if (QString::compare(parametros_[k].first, nombre, Qt::CaseInsensitive) == 0) {
            indiceParametros_.insert(nombre, qsizetype(k));
            return qsizetype(k);
        }
    return -1;
}

void Consulta::Texto(const QString& nombre, const QString& valor, int tamano) {
    // A text is always a text, an empty one too; NULL is asked for with Nulo.
    Parametro(nombre, TipoParametro::Texto, QVariant(valor.isNull() ? QStringLiteral("") : valor),
              tamano);
}
void Consulta::Entero(const QString& n, const QVariant& v) {
    Parametro(n, TipoParametro::Entero, v);
}
void Consulta::EnteroCorto(const QString& n, const QVariant& v) {
    Parametro(n, TipoParametro::EnteroCorto, v);
}
void Consulta::FechaHora(const QString& n, const QVariant& v) {
    Parametro(n, TipoParametro::FechaHora, v);
}
void Consulta::Bit(const QString& n, const QVariant& v) {
    Parametro(n, TipoParametro::Bit, v);
}
void Consulta::Real(const QString& n, const QVariant& v) {
    Parametro(n, TipoParametro::Real, v);
}
void Consulta::Nulo(const QString& n, TipoParametro t) {
    Parametro(n, t, QVariant());
}

QVariant Consulta::ValorParametro(const QString& nombre, bool embebida) const {
    const qsizetype i = IndiceParametro(nombre);
    if (i < 0)
        throw ErrorBaseDatos(QStringLiteral("No se asignó un valor al parámetro %1.").arg(nombre));
    const Param& p = parametros_[size_t(i)].second;
    if (p.valor.isNull())
        return embebida ? QVariant() : QVariant(TipoQt(p.tipo));
    switch (p.tipo) {
    case TipoParametro::Texto: {
        const QString t = p.valor.toString();
        if (p.tamano > 0 && t.size() > p.tamano) {
            // The value is quoted short, and in one substitution so that a "%1" typed by the
            // user stays as typed.
            const QString cita = t.size() > 40 ? t.left(40) + QString::fromUtf8("…") : t;
            throw ErrorBaseDatos(
                QStringLiteral("El valor del parámetro %1 (\"%2\") excede los %3 caracteres "
                               "permitidos.")
                    .arg(nombre, cita, QString::number(p.tamano)));
        }
        // SQL Server keeps the registry's texts in Windows-1252 columns. The driver cannot
        // convert a character beyond that page and leaves the connection unusable after
        // trying, so such a value is refused here, naming what cannot be kept.
        if (!embebida) {
            const QString fuera = Texto1252::FueraDePagina(t);
            if (!fuera.isEmpty())
                throw ErrorBaseDatos(
                    QString::fromUtf8("El valor del parámetro %1 tiene caracteres que la base de "
                                      "datos no puede guardar: %2")
                        .arg(nombre, fuera.left(20)));
        }
        return t;
    }
    case TipoParametro::Entero:
    case TipoParametro::EnteroCorto: {
        bool ok = false;
        const qlonglong n = p.valor.toLongLong(&ok);
        const qlonglong limite = p.tipo == TipoParametro::EnteroCorto ? 32767 : 2147483647;
        // A text that is no whole number (a fraction included) is refused, never rounded.
        const bool fraccion = p.valor.metaType().id() == QMetaType::Double &&
                              p.valor.toDouble() != std::trunc(p.valor.toDouble());
        if (!ok || fraccion)
            throw ErrorBaseDatos(
                QString::fromUtf8("El valor \"%1\" del parámetro %2 no es un número entero.")
                    .arg(p.valor.toString().left(40), nombre));
        if (n > limite || n < -limite - 1)
            throw ErrorBaseDatos(QStringLiteral("El valor %1 no cabe en el parámetro %2.")
                                     .arg(p.valor.toString(), nombre));
        return embebida ? QVariant(n) : QVariant(int(n));
    }
    case TipoParametro::FechaHora: {
        // A day alone is written without a trip through the local time zone.
        if (embebida && p.valor.metaType().id() == QMetaType::QDate)
            return p.valor.toDate().toString(QStringLiteral("yyyy-MM-dd 00:00:00.000"));
        QDateTime f = p.valor.metaType().id() == QMetaType::QDate
                          ? QDateTime(p.valor.toDate(), QTime(0, 0))
                          : p.valor.toDateTime();
        return embebida ? QVariant(DialectoSqlite::TextoFecha(f)) : QVariant(f);
    }
    case TipoParametro::Bit:
        return embebida ? QVariant(p.valor.toBool() ? 1 : 0) : QVariant(p.valor.toBool());
    case TipoParametro::Real:
        return p.valor.toDouble();
    }
    return p.valor;
}

namespace {

// SQL Server keeps the registry's texts in Windows-1252 and turns a character of a statement's
// text beyond that page into "?", so a filter or a search would quietly find nothing: such a
// text is refused here, as a value is.
void RevisaLiterales(const QString& sql) {
    for (const DialectoSqlite::Token& t : DialectoSqlite::Tokeniza(sql)) {
        if (t.tipo != DialectoSqlite::Token::Cadena)
            continue;
        const QString fuera = Texto1252::FueraDePagina(t.texto);
        if (!fuera.isEmpty())
            throw ErrorBaseDatos(
                QString::fromUtf8("El texto %1 de la instrucción tiene caracteres que la base de "
                                  "datos no puede guardar ni buscar: %2")
                    .arg(t.texto.left(42), fuera.left(20)));
    }
}

} // namespace

QSqlQuery Consulta::Prepara() {
    if (!conexion_)
        throw ErrorBaseDatos(QStringLiteral("No hay conexión con la base de datos."));
    conexion_->AseguraAbierta();
    const bool embebida = conexion_->Embebida();
    if (conexion_->Servidor())
        conexion_->Servidor()->TomaDenegacion();
    const QString original = TextoSql();

    auto valorDe = [&](const QString& nombre) { return ValorParametro(nombre, embebida); };

    QSqlDatabase bd = conexion_->Bd();
    QSqlQuery q(bd);
    q.setForwardOnly(true);
    if (embebida) {
        // A stored procedure is run by the embedded server.
        if (const auto llamada = DialectoSqlite::LeeExec(original)) {
            QVariantList argumentos;
            for (const auto& a : llamada->argumentos)
                argumentos << (a.parametro.isEmpty() ? a.literal : valorDe(a.parametro));
            conexion_->Servidor()->EjecutaProcedimiento(llamada->procedimiento, argumentos);
            return q;
        }
    }
    const QString sql = embebida ? DialectoSqlite::Traduce(original) : original;
    if (!embebida)
        RevisaLiterales(original);
    if (!q.prepare(sql))
        throw Falla(q.lastError());
    if (!embebida)
        LimitaEspera(q, conexion_->esperaConsulta);
    const QStringList nombres = DialectoSqlite::NombresParametros(sql);
    QStringList vistos;
    for (const QString& n : nombres) {
        if (vistos.contains(n, Qt::CaseInsensitive))
            continue;
        vistos << n;
        q.bindValue(QLatin1Char(':') + n, valorDe(n));
    }
    if (!q.exec())
        throw Falla(q.lastError());
    return q;
}

void Consulta::Abre() {
    Cierra();
    if (CorreLote(Filas::Propias))
        return;
    QSqlQuery q = Prepara();
    const QSqlRecord registro = q.record();
    for (int i = 0; i < registro.count(); ++i)
        campos_ << registro.fieldName(i);
    while (q.next()) {
        QVariantList fila;
        fila.reserve(registro.count());
        for (int i = 0; i < registro.count(); ++i)
            fila << q.value(i);
        filas_.push_back(std::move(fila));
    }
    // A fetch that fails half-way is an error, never the end of the rows.
    if (q.lastError().isValid()) {
        const ErrorBaseDatos e = Falla(q.lastError());
        Cierra();
        throw e;
    }
    if (!conexion_->Embebida()) {
        try {
            TerminaLote(q);
        } catch (const ErrorBaseDatos&) {
            Cierra();
            throw;
        }
    }
    q.finish();
    activa_ = true;
    fila_ = 0;
}

int Consulta::Ejecuta() {
    Cierra();
    if (int afectadas = 0; CorreLote(Filas::Ninguna, nullptr, {}, &afectadas))
        return afectadas;
    if (conexion_ && conexion_->Embebida()) {
        // Inside a transaction nothing lasts before its commit, which checks the file itself.
        sqlite3* bd = conexion_->Manejador();
        if (!bd || sqlite3_get_autocommit(bd))
            conexion_->VerificaArchivo();
        if (!Traducida().procedimiento) {
            conexion_->EsperaRevision(); // no write to a file that may be damaged
            return EjecutaEmbebida();
        }
    }
    QSqlQuery q = Prepara();
    const int afectadas = q.isActive() ? q.numRowsAffected() : 0;
    if (q.isActive() && !conexion_->Embebida())
        TerminaLote(q);
    q.finish();
    return afectadas;
}

const Consulta::Traduccion& Consulta::Traducida() {
    const QString original = TextoSql();
    if (traduccion_.sql.isEmpty() || traduccion_.original != original) {
        const QString sql = DialectoSqlite::Traduce(original);
        const QStringList nombres = DialectoSqlite::NombresParametros(sql);
        traduccion_ = {original,
                       sql.toUtf8(),
                       nombres,
                       Marcas(nombres),
                       DialectoSqlite::LeeExec(original).has_value(),
                       nullptr,
                       {}};
    }
    return traduccion_;
}

void Consulta::Vincula(sqlite3_stmt* st, const QStringList& nombres,
                       const QList<QByteArray>& marcas, std::vector<int>* indices) const {
    // The positions of the names in a statement kept prepared are looked up once.
    const bool conocidos = indices && indices->size() == size_t(nombres.size());
    if (indices && !conocidos) {
        indices->clear();
        for (const QByteArray& m : marcas)
            indices->push_back(sqlite3_bind_parameter_index(st, m.constData()));
    }
    for (qsizetype k = 0; k < nombres.size(); ++k) {
        const QString& n = nombres[k];
        const int i = indices ? (*indices)[size_t(k)]
                              : sqlite3_bind_parameter_index(st, marcas[k].constData());
        if (i <= 0)
            continue;
        const QVariant v = ValorParametro(n, true);
        if (v.isNull())
            sqlite3_bind_null(st, i);
        else if (v.metaType().id() == QMetaType::Double)
            sqlite3_bind_double(st, i, v.toDouble());
        else if (v.metaType().id() == QMetaType::QString) {
            const QByteArray t = v.toString().toUtf8();
            sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        } else
            sqlite3_bind_int64(st, i, v.toLongLong());
    }
}

// A statement without rows to keep, run on a statement the connection keeps prepared.
int Consulta::EjecutaEmbebida() {
    conexion_->AseguraAbierta();
    const Traduccion& t = Traducida();
    sqlite3* bd = conexion_->Manejador();
    if (conexion_->Servidor())
        conexion_->Servidor()->TomaDenegacion();
    sqlite3_stmt* st = conexion_->Preparada(t.sql);
    auto falla = [&] {
        return ErrorBaseDatos(TextoFalla(
            TextoErrorSqlite(sqlite3_extended_errcode(bd), QString::fromUtf8(sqlite3_errmsg(bd)))));
    };
    if (!st)
        throw falla();
    struct Fin {
        sqlite3_stmt* st;
        ~Fin() {
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
        }
    } fin{st};
    if (traduccion_.preparada != st) {
        traduccion_.preparada = st;
        traduccion_.indices.clear();
    }
    Vincula(st, t.nombres, t.marcas, &traduccion_.indices);
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(st);
    if (rc != SQLITE_DONE)
        throw falla();
    return sqlite3_changes(bd);
}

void Consulta::AbreEn(ModeloGrilla& modelo, const std::vector<DefColumna>& columnas) {
    Cierra();
    if (!conexion_)
        throw ErrorBaseDatos(QStringLiteral("No hay conexión con la base de datos."));
    conexion_->AseguraAbierta();
    if (CorreLote(Filas::Modelo, &modelo, columnas))
        return;
    if (conexion_->Embebida()) {
        conexion_->EsperaRevision(); // a list is trusted whole: not from a damaged file
        AbreEnEmbebida(modelo, columnas);
        return;
    }
    QSqlQuery q = Prepara();
    if (!modelo.Carga(q, columnas)) {
        const ErrorBaseDatos e = Falla(q.lastError());
        modelo.Vacia();
        throw e;
    }
    try {
        TerminaLote(q);
    } catch (const ErrorBaseDatos&) {
        modelo.Vacia();
        throw;
    }
}

namespace {

// What a batch had done when one of its statements failed.
QString AntesDeLaFalla(int hechas) {
    return hechas == 1 ? QString::fromUtf8("Se ejecutó la sentencia 1 del lote; la sentencia 2 "
                                           "falló y las siguientes no se ejecutaron.")
                       : QString::fromUtf8("Se ejecutaron las sentencias 1 a %1 del lote; la "
                                           "sentencia %2 falló y las siguientes no se ejecutaron.")
                             .arg(hechas)
                             .arg(hechas + 1);
}

} // namespace

bool Consulta::CorreLote(Filas filas, ModeloGrilla* modelo, const std::vector<DefColumna>& columnas,
                         int* afectadas) {
    if (!conexion_)
        return false;
    // The reading is kept while the text stays the same: a statement run row after row is
    // read once.
    const QString texto = TextoSql();
    if (lote_.texto != texto || lote_.partes.isEmpty()) {
        lote_.texto = texto;
        lote_.partes = DialectoSqlite::PartesLote(texto);
        if (lote_.partes.isEmpty())
            lote_.partes = QStringList{texto};
        lote_.declara = lote_.partes.size() > 1 && DialectoSqlite::DeclaraVariables(texto);
    }
    const QStringList partes = lote_.partes;
    if (partes.size() <= 1)
        return false;
    // Variables live for one batch on SQL Server: a batch that declares them goes whole.
    if (!conexion_->Embebida() && lote_.declara)
        return false;
    bool tomadas = filas == Filas::Ninguna; // the rows asked for have been read
    int total = 0;
    for (qsizetype k = 0; k < partes.size(); ++k) {
        Consulta parte(conexion_);
        parte.lineas_ = QStringList{partes[k]};
        parte.parametros_ = parametros_;
        parte.indiceParametros_ = indiceParametros_;
        try {
            if (!tomadas && DialectoSqlite::DevuelveFilas(partes[k])) {
                tomadas = true;
                if (filas == Filas::Modelo) {
                    parte.AbreEn(*modelo, columnas);
                } else {
                    parte.Abre();
                    campos_ = parte.campos_;
                    filas_ = std::move(parte.filas_);
                }
            } else {
                total += parte.Ejecuta();
            }
        } catch (const ErrorBaseDatos& e) {
            // No result of a batch that did not run whole.
            Cierra();
            if (modelo)
                modelo->Vacia();
            if (k == 0)
                throw;
            throw ErrorBaseDatos(e.Texto() + QLatin1Char('\n') + AntesDeLaFalla(int(k)));
        }
    }
    if (filas == Filas::Modelo && !tomadas)
        modelo->Vacia();
    if (filas == Filas::Propias) {
        activa_ = true;
        fila_ = 0;
    }
    if (afectadas)
        *afectadas = total;
    return true;
}

void Consulta::TerminaLote(QSqlQuery& q) {
    int hechas = 1;
    while (q.nextResult())
        ++hechas;
    if (q.lastError().isValid())
        throw ErrorBaseDatos(Falla(q.lastError()).Texto() + QLatin1Char('\n') +
                             AntesDeLaFalla(hechas));
}

void Consulta::AbreEnEmbebida(ModeloGrilla& modelo, const std::vector<DefColumna>& columnas) {
    const QByteArray sql = DialectoSqlite::Traduce(TextoSql()).toUtf8();
    const QVariant manejador = conexion_->Bd().driver()->handle();
    sqlite3* bd = *static_cast<sqlite3* const*>(manejador.constData());
    sqlite3_stmt* st = nullptr;
    if (conexion_->Servidor())
        conexion_->Servidor()->TomaDenegacion();
    if (sqlite3_prepare_v2(bd, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
        throw ErrorBaseDatos(TextoFalla(
            TextoErrorSqlite(sqlite3_extended_errcode(bd), QString::fromUtf8(sqlite3_errmsg(bd)))));
    struct Fin {
        sqlite3_stmt* st;
        ~Fin() { sqlite3_finalize(st); }
    } fin{st};
    const QStringList parametros = DialectoSqlite::NombresParametros(QString::fromUtf8(sql));
    Vincula(st, parametros, Marcas(parametros));

    const int n = sqlite3_column_count(st);
    QStringList nombres;
    std::vector<TipoCampo> tipos(size_t(n), TipoCampo::Texto);
    std::vector<bool> decidido(size_t(n), false);
    for (int c = 0; c < n; ++c) {
        nombres << QString::fromUtf8(sqlite3_column_name(st, c));
        const QByteArray decl = QByteArray(sqlite3_column_decltype(st, c)).toUpper();
        if (decl.isEmpty())
            continue;
        decidido[size_t(c)] = true;
        if (decl.contains("INT") || decl.contains("BIT"))
            tipos[size_t(c)] = TipoCampo::Entero;
        else if (decl.contains("DATE"))
            tipos[size_t(c)] = TipoCampo::Fecha;
        else if (decl.contains("REAL") || decl.contains("FLOA") || decl.contains("DOUB"))
            tipos[size_t(c)] = TipoCampo::Real;
    }
    int rc = sqlite3_step(st);
    // Expressions have no declared type: the first row's values decide.
    for (int c = 0; c < n && rc == SQLITE_ROW; ++c) {
        if (decidido[size_t(c)])
            continue;
        switch (sqlite3_column_type(st, c)) {
        case SQLITE_INTEGER:
            tipos[size_t(c)] = TipoCampo::Entero;
            break;
        case SQLITE_FLOAT:
            tipos[size_t(c)] = TipoCampo::Real;
            break;
        case SQLITE_TEXT: {
            std::int64_t ms = 0;
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            if (MilisegundosDeTextoIso(std::string_view(t, size_t(sqlite3_column_bytes(st, c))),
                                       ms))
                tipos[size_t(c)] = TipoCampo::Fecha;
            break;
        }
        default:
            break;
        }
    }
    modelo.Inicia(nombres, tipos);
    while (rc == SQLITE_ROW) {
        for (int c = 0; c < n; ++c) {
            const int t = sqlite3_column_type(st, c);
            if (t == SQLITE_NULL) {
                modelo.AgregaNulo(c);
                continue;
            }
            switch (tipos[size_t(c)]) {
            case TipoCampo::Texto: {
                const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                modelo.AgregaTexto(c, std::string_view(p, size_t(sqlite3_column_bytes(st, c))));
                break;
            }
            case TipoCampo::Entero:
            case TipoCampo::Logico:
                modelo.AgregaEntero(c, sqlite3_column_int64(st, c));
                break;
            case TipoCampo::Real:
                modelo.AgregaReal(c, sqlite3_column_double(st, c));
                break;
            case TipoCampo::Fecha: {
                const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                std::int64_t ms = 0;
                if (MilisegundosDeTextoIso(std::string_view(p, size_t(sqlite3_column_bytes(st, c))),
                                           ms))
                    modelo.AgregaFechaMs(c, ms);
                else
                    modelo.AgregaNulo(c);
                break;
            }
            }
        }
        rc = sqlite3_step(st);
    }
    if (rc != SQLITE_DONE) {
        // No partial list: the grid is left empty and the error raised.
        const QString texto = TextoFalla(
            TextoErrorSqlite(sqlite3_extended_errcode(bd), QString::fromUtf8(sqlite3_errmsg(bd))));
        modelo.Vacia();
        throw ErrorBaseDatos(texto);
    }
    modelo.Publica(columnas);
}

ErrorBaseDatos Consulta::Falla(const QSqlError& error) const {
    // A connection to SQL Server that is gone is made again by the next query.
    if (conexion_ && !conexion_->Embebida() && ConexionPerdida(error))
        conexion_->MarcaPerdida();
    return ErrorBaseDatos(TextoFalla(TextoErrorBase(error)));
}

QString Consulta::TextoFalla(const QString& texto) const {
    // A statement the session's grants refused: the server's own words, not SQLite's.
    if (conexion_ && conexion_->Servidor()) {
        const QString denegado = conexion_->Servidor()->TomaDenegacion();
        if (!denegado.isEmpty())
            return denegado;
    }
    return texto;
}

void Consulta::Cierra() {
    campos_.clear();
    filas_.clear();
    fila_ = 0;
    activa_ = false;
}

int Consulta::IndiceCampo(const QString& nombre) const {
    for (qsizetype i = 0; i < campos_.size(); ++i)
        if (campos_[i].compare(nombre, Qt::CaseInsensitive) == 0)
            return int(i);
    throw ErrorBaseDatos(QStringLiteral("No se encontró el campo '%1'.").arg(nombre));
}

QVariant Consulta::Campo(const QString& nombre) const {
    const int i = IndiceCampo(nombre);
    if (Eof())
        return {};
    return filas_[size_t(fila_)][i];
}

bool Consulta::EsNulo(const QString& nombre) const {
    return Campo(nombre).isNull();
}

QString Consulta::TextoCampo(const QString& nombre) const {
    const QVariant v = Campo(nombre);
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    if (v.metaType().id() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

qint64 Consulta::EnteroCampo(const QString& nombre) const {
    return Campo(nombre).toLongLong();
}

double Consulta::RealCampo(const QString& nombre) const {
    return Campo(nombre).toDouble();
}

QDateTime Consulta::FechaCampo(const QString& nombre) const {
    const QVariant v = Campo(nombre);
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime();
    return DialectoSqlite::FechaDeTexto(v.toString());
}

bool Consulta::Localiza(const QStringList& campos, const QVariantList& valores) {
    std::vector<int> indices;
    for (const QString& c : campos)
        indices.push_back(IndiceCampo(c));
    for (size_t f = 0; f < filas_.size(); ++f) {
        bool igual = true;
        for (size_t k = 0; k < indices.size() && igual; ++k) {
            const QVariant& v = filas_[f][indices[k]];
            const QVariant& buscado = valores[qsizetype(k)];
            if (v.metaType().id() == QMetaType::QString ||
                buscado.metaType().id() == QMetaType::QString)
                igual = v.toString().compare(buscado.toString(), Qt::CaseInsensitive) == 0;
            else
                igual = v == buscado;
        }
        if (igual) {
            fila_ = int(f);
            return true;
        }
    }
    return false;
}
