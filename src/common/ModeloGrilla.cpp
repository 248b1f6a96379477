// Columnar grid model: filling, display texts, sorting.
#include "common/ModeloGrilla.h"

#include <QRegularExpression>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

constexpr std::int64_t kMsDia = 86'400'000;
const std::int64_t kDiaCero = QDate(1, 1, 1).toJulianDay();

bool EsNumerico(TipoCampo t) { return t == TipoCampo::Entero || t == TipoCampo::Real; }

void AgregaEnteroTexto(std::string& s, std::int64_t v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    s.append(buf, r.ptr);
}

void AgregaDosDigitos(std::string& s, int v) {
    s.push_back(char('0' + (v / 10) % 10));
    s.push_back(char('0' + v % 10));
}

// Numbers with an optional "#,##0.00"-style format: grouping by "," and fixed decimals.
void FormateaNumero(std::string& s, double v, bool esEntero, std::int64_t entero,
                    const QString& formato) {
    if (formato.isEmpty()) {
        if (esEntero) {
            AgregaEnteroTexto(s, entero);
        } else {
            char buf[32];
            int n = std::snprintf(buf, sizeof buf, "%.15g", v);
            s.append(buf, size_t(n));
        }
        return;
    }
    const qsizetype punto = formato.indexOf(QLatin1Char('.'));
    const int decimales = punto < 0 ? 0 : int(formato.mid(punto + 1).count(QLatin1Char('0')));
    const bool agrupa = formato.left(punto < 0 ? formato.size() : punto).contains(QLatin1Char(','));
    char buf[64];
    int n = esEntero && decimales == 0
                ? std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(entero))
                : std::snprintf(buf, sizeof buf, "%.*f", decimales, esEntero ? double(entero) : v);
    std::string_view num(buf, size_t(n));
    if (!agrupa) {
        s.append(num);
        return;
    }
    size_t inicio = num.front() == '-' ? 1 : 0;
    size_t finEntero = num.find('.');
    if (finEntero == std::string_view::npos)
        finEntero = num.size();
    s.append(num.substr(0, inicio));
    for (size_t i = inicio; i < finEntero; ++i) {
        s.push_back(num[i]);
        const size_t quedan = finEntero - i - 1;
        if (quedan > 0 && quedan % 3 == 0)
            s.push_back(',');
    }
    s.append(num.substr(finEntero));
}

void FormateaFecha(std::string& s, std::int64_t ms, const QString& formato) {
    const QDate fecha = QDate::fromJulianDay(kDiaCero + ms / kMsDia);
    const std::int64_t enDia = ms % kMsDia;
    const int hora = int(enDia / 3'600'000), minuto = int(enDia / 60'000 % 60),
              segundo = int(enDia / 1000 % 60), mili = int(enDia % 1000);
    // Without a format: the date, and the time of day only when there is one.
    const QString f = !formato.isEmpty() ? formato
                      : enDia == 0      ? QStringLiteral("dd/MM/yyyy")
                                        : QStringLiteral("dd/MM/yyyy HH:mm:ss");
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f[i];
        qsizetype j = i;
        while (j < f.size() && f[j] == c)
            ++j;
        const auto n = j - i;
        switch (c.unicode()) {
        case 'd':
            n >= 2 ? AgregaDosDigitos(s, fecha.day()) : AgregaEnteroTexto(s, fecha.day());
            break;
        case 'M':
            n >= 2 ? AgregaDosDigitos(s, fecha.month()) : AgregaEnteroTexto(s, fecha.month());
            break;
        case 'y':
            if (n >= 4) {
                AgregaDosDigitos(s, fecha.year() / 100);
                AgregaDosDigitos(s, fecha.year() % 100);
            } else {
                AgregaDosDigitos(s, fecha.year() % 100);
            }
            break;
        case 'H':
        case 'h':
            n >= 2 ? AgregaDosDigitos(s, hora) : AgregaEnteroTexto(s, hora);
            break;
        case 'm':
            n >= 2 ? AgregaDosDigitos(s, minuto) : AgregaEnteroTexto(s, minuto);
            break;
        case 's':
            n >= 2 ? AgregaDosDigitos(s, segundo) : AgregaEnteroTexto(s, segundo);
            break;
        case 'z':
            s.push_back(char('0' + mili / 100));
            AgregaDosDigitos(s, mili % 100);
            break;
        default: {
            const QByteArray literal = f.mid(i, n).toUtf8();
            s.append(literal.constData(), size_t(literal.size()));
        }
        }
        i = j;
    }
}

void FormateaLogico(std::string& s, bool v, const QString& formato) {
    if (formato.contains(QLatin1Char(';'))) {
        const QByteArray t = formato.section(QLatin1Char(';'), v ? 0 : 1, v ? 0 : 1).toUtf8();
        s.append(t.constData(), size_t(t.size()));
    } else {
        s.append(v ? "True" : "False");
    }
}

// Sort key of a text: upper case with the accents of Spanish folded onto their letter, and
// "Ñ" after "N", so the order reads as the database's case-insensitive collation.
std::string ClaveOrden(std::string_view utf8) {
    std::string clave;
    clave.reserve(utf8.size());
    bool ascii = std::all_of(utf8.begin(), utf8.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        for (char c : utf8)
            clave.push_back(c >= 'a' && c <= 'z' ? char(c - 32) : c);
        return clave;
    }
    const QString texto = QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toUpper();
    for (QChar q : texto) {
        switch (q.unicode()) {
        case u'Á': case u'À': case u'Â': case u'Ä': clave.push_back('A'); break;
        case u'É': case u'È': case u'Ê': case u'Ë': clave.push_back('E'); break;
        case u'Í': case u'Ì': case u'Î': case u'Ï': clave.push_back('I'); break;
        case u'Ó': case u'Ò': case u'Ô': case u'Ö': clave.push_back('O'); break;
        case u'Ú': case u'Ù': case u'Û': case u'Ü': clave.push_back('U'); break;
        case u'Ñ': clave.append("N~"); break;
        default: {
            const QByteArray b = QString(q).toUtf8();
            clave.append(b.constData(), size_t(b.size()));
        }
        }
    }
    return clave;
}

const QRegularExpression& PatronFecha() {
    static const QRegularExpression patron(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}( \\d{2}:\\d{2}(:\\d{2}(\\.\\d{1,3})?)?)?$"));
    return patron;
}

QDateTime FechaDeTexto(const QString& t) {
    QDateTime f = QDateTime::fromString(t, Qt::ISODateWithMs);
    if (!f.isValid())
        f = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    if (!f.isValid())
        f = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!f.isValid())
        f = QDateTime(QDate::fromString(t.left(10), Qt::ISODate), QTime(0, 0));
    return f;
}

} // namespace

std::int64_t MilisegundosDeFecha(const QDateTime& fecha) {
    return (fecha.date().toJulianDay() - kDiaCero) * kMsDia + fecha.time().msecsSinceStartOfDay();
}

QDateTime FechaDeMilisegundos(std::int64_t ms) {
    return QDateTime(QDate::fromJulianDay(kDiaCero + ms / kMsDia),
                     QTime::fromMSecsSinceStartOfDay(int(ms % kMsDia)));
}

std::string_view ModeloGrilla::Datos::Cadena(int fila) const {
    const std::uint64_t inicio = fila == 0 ? 0 : fin[size_t(fila) - 1];
    return std::string_view(texto).substr(inicio, fin[size_t(fila)] - inicio);
}

ModeloGrilla::ModeloGrilla(QObject* padre) : QAbstractTableModel(padre) {}

void ModeloGrilla::Inicia(const QStringList& campos, const std::vector<TipoCampo>& tipos) {
    beginResetModel();
    datos_.clear();
    datos_.resize(size_t(campos.size()));
    for (qsizetype i = 0; i < campos.size(); ++i) {
        datos_[size_t(i)].nombre = campos[i];
        if (size_t(i) < tipos.size()) {
            datos_[size_t(i)].tipo = tipos[size_t(i)];
            datos_[size_t(i)].tipoFijado = true;
        }
    }
    orden_.clear();
    activo_ = false;
    ultimaColumnaOrdenada_ = -1;
    endResetModel();
}

void ModeloGrilla::AgregaNulo(int campo) {
    Datos& d = datos_[size_t(campo)];
    d.nulo.push_back(1);
    if (!d.tipoFijado)
        return;
    switch (d.tipo) {
    case TipoCampo::Texto:
        d.fin.push_back(d.texto.size());
        break;
    case TipoCampo::Real:
        d.reales.push_back(0);
        break;
    default:
        d.enteros.push_back(0);
    }
}

void ModeloGrilla::AgregaTexto(int campo, std::string_view utf8) {
    Datos& d = datos_[size_t(campo)];
    d.nulo.push_back(0);
    d.texto.append(utf8);
    d.fin.push_back(d.texto.size());
}

void ModeloGrilla::AgregaEntero(int campo, std::int64_t valor) {
    Datos& d = datos_[size_t(campo)];
    d.nulo.push_back(0);
    d.enteros.push_back(valor);
}

void ModeloGrilla::AgregaReal(int campo, double valor) {
    Datos& d = datos_[size_t(campo)];
    d.nulo.push_back(0);
    d.reales.push_back(valor);
}

void ModeloGrilla::AgregaFecha(int campo, const QDateTime& valor) {
    AgregaEntero(campo, MilisegundosDeFecha(valor));
}

void ModeloGrilla::AgregaLogico(int campo, bool valor) { AgregaEntero(campo, valor ? 1 : 0); }

void ModeloGrilla::AgregaVariante(int campo, const QVariant& valor) {
    Datos& d = datos_[size_t(campo)];
    if (valor.isNull()) {
        AgregaNulo(campo);
        return;
    }
    if (!d.tipoFijado) {
        // The first value decides the kind of a field whose declared type says nothing.
        switch (valor.metaType().id()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            d.tipo = TipoCampo::Entero;
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            d.tipo = TipoCampo::Real;
            break;
        case QMetaType::Bool:
            d.tipo = TipoCampo::Logico;
            break;
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            d.tipo = TipoCampo::Fecha;
            break;
        default:
            d.tipo = PatronFecha().match(valor.toString()).hasMatch() ? TipoCampo::Fecha
                                                                       : TipoCampo::Texto;
        }
        d.tipoFijado = true;
        // Earlier NULLs get their place in the typed vector.
        const size_t previas = d.nulo.size();
        if (d.tipo == TipoCampo::Texto)
            d.fin.assign(previas, 0);
        else if (d.tipo == TipoCampo::Real)
            d.reales.assign(previas, 0);
        else
            d.enteros.assign(previas, 0);
    }
    switch (d.tipo) {
    case TipoCampo::Texto: {
        const QByteArray b = valor.toString().toUtf8();
        AgregaTexto(campo, std::string_view(b.constData(), size_t(b.size())));
        break;
    }
    case TipoCampo::Entero:
    case TipoCampo::Logico:
        AgregaEntero(campo, valor.toLongLong());
        break;
    case TipoCampo::Real:
        AgregaReal(campo, valor.toDouble());
        break;
    case TipoCampo::Fecha: {
        QDateTime f = valor.metaType().id() == QMetaType::QDateTime ? valor.toDateTime()
                      : valor.metaType().id() == QMetaType::QDate
                          ? QDateTime(valor.toDate(), QTime(0, 0))
                          : FechaDeTexto(valor.toString());
        if (f.isValid())
            AgregaFecha(campo, f);
        else
            AgregaNulo(campo);
        break;
    }
    }
}

void ModeloGrilla::Carga(QSqlQuery& consulta, const std::vector<DefColumna>& columnas) {
    const QSqlRecord registro = consulta.record();
    QStringList nombres;
    for (int i = 0; i < registro.count(); ++i)
        nombres << registro.fieldName(i);
    Inicia(nombres, {});
    // Declared types that say something fix the field's kind; text is decided by the values.
    for (int i = 0; i < registro.count(); ++i) {
        Datos& d = datos_[size_t(i)];
        switch (registro.field(i).metaType().id()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UInt:
            d.tipo = TipoCampo::Entero;
            d.tipoFijado = true;
            break;
        case QMetaType::Double:
            d.tipo = TipoCampo::Real;
            d.tipoFijado = true;
            break;
        case QMetaType::Bool:
            d.tipo = TipoCampo::Logico;
            d.tipoFijado = true;
            break;
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            d.tipo = TipoCampo::Fecha;
            d.tipoFijado = true;
            break;
        default:
            break;
        }
    }
    while (consulta.next())
        for (int i = 0; i < registro.count(); ++i)
            AgregaVariante(i, consulta.value(i));
    // The result is read to its end and the statement finished at once.
    consulta.finish();
    Publica(columnas);
}

void ModeloGrilla::Publica(const std::vector<DefColumna>& columnas) {
    beginResetModel();
    size_t filas = datos_.empty() ? 0 : datos_.front().nulo.size();
    for (Datos& d : datos_) {
        if (!d.tipoFijado) {
            d.tipo = TipoCampo::Texto;
            d.tipoFijado = true;
            d.fin.assign(d.nulo.size(), 0);
        }
        filas = std::min(filas, d.nulo.size());
    }
    orden_.resize(filas);
    for (size_t i = 0; i < filas; ++i)
        orden_[i] = int(i);
    ArmaColumnas(columnas);
    activo_ = true;
    ultimaColumnaOrdenada_ = -1;
    endResetModel();
}

void ModeloGrilla::Vacia() {
    beginResetModel();
    datos_.clear();
    columnas_.clear();
    campoDeColumna_.clear();
    orden_.clear();
    activo_ = false;
    endResetModel();
}

void ModeloGrilla::ArmaColumnas(const std::vector<DefColumna>& columnas) {
    columnas_.clear();
    campoDeColumna_.clear();
    if (columnas.empty()) {
        for (const Datos& d : datos_) {
            DefColumna c;
            c.campo = d.nombre;
            columnas_.push_back(c);
        }
    } else {
        columnas_ = columnas;
    }
    for (const DefColumna& c : columnas_)
        campoDeColumna_.push_back(CampoPorNombre(c.campo));
}

int ModeloGrilla::CampoPorNombre(const QString& campo) const {
    for (size_t i = 0; i < datos_.size(); ++i)
        if (datos_[i].nombre.compare(campo, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

bool ModeloGrilla::EsNulo(int fila, int campo) const {
    return campo < 0 || datos_[size_t(campo)].nulo[size_t(fila)] != 0;
}

QVariant ModeloGrilla::Valor(int fila, int campo) const {
    if (EsNulo(fila, campo))
        return {};
    const Datos& d = datos_[size_t(campo)];
    switch (d.tipo) {
    case TipoCampo::Texto: {
        const auto c = d.Cadena(fila);
        return QString::fromUtf8(c.data(), qsizetype(c.size()));
    }
    case TipoCampo::Entero:
        return QVariant(qlonglong(d.enteros[size_t(fila)]));
    case TipoCampo::Logico:
        return QVariant(d.enteros[size_t(fila)] != 0);
    case TipoCampo::Real:
        return d.reales[size_t(fila)];
    case TipoCampo::Fecha:
        return FechaDeMilisegundos(d.enteros[size_t(fila)]);
    }
    return {};
}

QVariant ModeloGrilla::Valor(int fila, const QString& campo) const {
    return Valor(fila, CampoPorNombre(campo));
}

std::int64_t ModeloGrilla::Entero(int fila, int campo) const {
    if (EsNulo(fila, campo))
        return 0;
    const Datos& d = datos_[size_t(campo)];
    if (d.tipo == TipoCampo::Real)
        return std::int64_t(d.reales[size_t(fila)]);
    if (d.tipo == TipoCampo::Texto)
        return Valor(fila, campo).toLongLong();
    return d.enteros[size_t(fila)];
}

double ModeloGrilla::Real(int fila, int campo) const {
    if (EsNulo(fila, campo))
        return 0;
    const Datos& d = datos_[size_t(campo)];
    if (d.tipo == TipoCampo::Real)
        return d.reales[size_t(fila)];
    return double(Entero(fila, campo));
}

void ModeloGrilla::TextoCelda(int fila, int columna, std::string& s) const {
    const int campo = campoDeColumna_[size_t(columna)];
    if (campo < 0 || EsNulo(fila, campo))
        return;
    const Datos& d = datos_[size_t(campo)];
    const QString& formato = columnas_[size_t(columna)].formato;
    switch (d.tipo) {
    case TipoCampo::Texto:
        s.append(d.Cadena(fila));
        break;
    case TipoCampo::Entero:
        // A bit column shown with a "Sí;No" style format.
        if (formato.contains(QLatin1Char(';')))
            FormateaLogico(s, d.enteros[size_t(fila)] != 0, formato);
        else
            FormateaNumero(s, 0, true, d.enteros[size_t(fila)], formato);
        break;
    case TipoCampo::Real:
        FormateaNumero(s, d.reales[size_t(fila)], false, 0, formato);
        break;
    case TipoCampo::Fecha:
        FormateaFecha(s, d.enteros[size_t(fila)], formato);
        break;
    case TipoCampo::Logico:
        FormateaLogico(s, d.enteros[size_t(fila)] != 0, formato);
        break;
    }
}

QString ModeloGrilla::Texto(int filaVista, int columna) const {
    std::string s;
    TextoCelda(FilaOrigen(filaVista), columna, s);
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString ModeloGrilla::Titulo(int columna) const {
    const DefColumna& c = columnas_[size_t(columna)];
    return c.titulo.isEmpty() ? c.campo : c.titulo;
}

std::vector<std::string> ModeloGrilla::ClavesTexto(int campo) const {
    const Datos& d = datos_[size_t(campo)];
    std::vector<std::string> claves(d.nulo.size());
    for (size_t i = 0; i < claves.size(); ++i)
        if (!d.nulo[i])
            claves[i] = ClaveOrden(d.Cadena(int(i)));
    return claves;
}

void ModeloGrilla::Ordena(int columna, bool ascendente) {
    const int campo = campoDeColumna_[size_t(columna)];
    if (campo < 0)
        return;
    const Datos& d = datos_[size_t(campo)];
    beginResetModel();
    // "a before b" for ascending; descending compares the other way round, which keeps equal
    // rows in their current order (stable) in both directions.
    auto ordena = [&](auto menor) {
        auto compara = [&](int a, int b) {
            const bool na = d.nulo[size_t(a)] != 0, nb = d.nulo[size_t(b)] != 0;
            if (na || nb)
                return ascendente ? (na && !nb) : (nb && !na);
            return ascendente ? menor(a, b) : menor(b, a);
        };
        std::stable_sort(orden_.begin(), orden_.end(), compara);
    };
    if (d.tipo == TipoCampo::Texto) {
        const auto claves = ClavesTexto(campo);
        ordena([&](int a, int b) { return claves[size_t(a)] < claves[size_t(b)]; });
    } else if (d.tipo == TipoCampo::Real) {
        ordena([&](int a, int b) { return d.reales[size_t(a)] < d.reales[size_t(b)]; });
    } else {
        ordena([&](int a, int b) { return d.enteros[size_t(a)] < d.enteros[size_t(b)]; });
    }
    ultimaColumnaOrdenada_ = columna;
    ultimaAscendente_ = ascendente;
    endResetModel();
}

void ModeloGrilla::OrdenaPorClic(int columna) {
    const bool ascendente = !(columna == ultimaColumnaOrdenada_ && ultimaAscendente_);
    Ordena(columna, ascendente);
}

int ModeloGrilla::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : Filas();
}

int ModeloGrilla::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : int(columnas_.size());
}

QVariant ModeloGrilla::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid())
        return {};
    const int columna = indice.column();
    const DefColumna& c = columnas_[size_t(columna)];
    switch (rol) {
    case Qt::DisplayRole:
        return Texto(indice.row(), columna);
    case Qt::TextAlignmentRole: {
        if (c.alineacion)
            return QVariant::fromValue(c.alineacion | Qt::AlignVCenter);
        const int campo = campoDeColumna_[size_t(columna)];
        const bool numero = campo >= 0 && EsNumerico(datos_[size_t(campo)].tipo) &&
                            !c.formato.contains(QLatin1Char(';'));
        return QVariant::fromValue((numero ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    case Qt::BackgroundRole: {
        if (colorFila_) {
            const QColor color = colorFila_(*this, FilaOrigen(indice.row()));
            if (color.isValid())
                return color;
        }
        return c.fondo.isValid() ? QVariant(c.fondo) : QVariant();
    }
    case Qt::ForegroundRole:
        return c.texto.isValid() ? QVariant(c.texto) : QVariant();
    default:
        return {};
    }
}

QVariant ModeloGrilla::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole && seccion >= 0 &&
        size_t(seccion) < columnas_.size())
        return Titulo(seccion);
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}
