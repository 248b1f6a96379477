// The query object on both backends.
#include "db/Consulta.h"

#include "common/Errores.h"
#include "db/Conexion.h"
#include "db/DialectoSqlite.h"
#include "db/ServidorEmbebido.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QString TextoError(const QSqlError& e) {
    const QString base = e.databaseText().trimmed();
    return base.isEmpty() ? e.text().trimmed() : base;
}

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

} // namespace

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
    parametros_[nombre.toUpper()] = Param{tipo, valor, tamano};
}

void Consulta::Texto(const QString& nombre, const QString& valor, int tamano) {
    Parametro(nombre, TipoParametro::Texto, valor.isNull() ? QVariant() : QVariant(valor), tamano);
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

QSqlQuery Consulta::Prepara() {
    if (!conexion_)
        throw ErrorBaseDatos(QStringLiteral("No hay conexión con la base de datos."));
    conexion_->AseguraAbierta();
    const bool embebida = conexion_->Embebida();
    const QString original = TextoSql();

    auto valorDe = [&](const QString& nombre) -> QVariant {
        const auto it = parametros_.find(nombre.toUpper());
        if (it == parametros_.end())
            throw ErrorBaseDatos(
                QStringLiteral("No se asignó un valor al parámetro %1.").arg(nombre));
        const Param& p = it->second;
        if (p.valor.isNull())
            return embebida ? QVariant() : QVariant(TipoQt(p.tipo));
        switch (p.tipo) {
        case TipoParametro::Texto: {
            const QString t = p.valor.toString();
            if (p.tamano > 0 && t.size() > p.tamano)
                throw ErrorBaseDatos(
                    QStringLiteral("El valor del parámetro %1 (\"%2\") excede los %3 caracteres "
                                   "permitidos.")
                        .arg(nombre, t)
                        .arg(p.tamano));
            return t;
        }
        case TipoParametro::Entero:
        case TipoParametro::EnteroCorto: {
            bool ok = false;
            const qlonglong n = p.valor.toLongLong(&ok);
            const qlonglong limite = p.tipo == TipoParametro::EnteroCorto ? 32767 : 2147483647;
            if (!ok || n > limite || n < -limite - 1)
                throw ErrorBaseDatos(QStringLiteral("El valor %1 no cabe en el parámetro %2.")
                                         .arg(p.valor.toString(), nombre));
            return embebida ? QVariant(n) : QVariant(int(n));
        }
        case TipoParametro::FechaHora: {
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
    };

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
    if (!q.prepare(sql))
        throw ErrorBaseDatos(TextoError(q.lastError()));
    const QStringList nombres = DialectoSqlite::NombresParametros(sql);
    QStringList vistos;
    for (const QString& n : nombres) {
        if (vistos.contains(n, Qt::CaseInsensitive))
            continue;
        vistos << n;
        q.bindValue(QLatin1Char(':') + n, valorDe(n));
    }
    if (!q.exec())
        throw ErrorBaseDatos(TextoError(q.lastError()));
    return q;
}

void Consulta::Abre() {
    Cierra();
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
    q.finish();
    activa_ = true;
    fila_ = 0;
}

int Consulta::Ejecuta() {
    Cierra();
    QSqlQuery q = Prepara();
    const int afectadas = q.isActive() ? q.numRowsAffected() : 0;
    q.finish();
    return afectadas;
}

void Consulta::AbreEn(ModeloGrilla& modelo, const std::vector<DefColumna>& columnas) {
    Cierra();
    QSqlQuery q = Prepara();
    modelo.Carga(q, columnas);
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
