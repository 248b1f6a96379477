// Columnar grid model: filling, display texts, sorting.
#include "common/ModeloGrilla.h"

#include <QFont>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <new>
#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

constexpr std::int64_t kMsDia = 86'400'000;
const std::int64_t kDiaCero = QDate(1, 1, 1).toJulianDay();

bool EsNumerico(TipoCampo t) {
    return t == TipoCampo::Entero || t == TipoCampo::Real;
}

void AgregaEnteroTexto(std::string& s, std::int64_t v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    s.append(buf, r.ptr);
}

void AgregaDosDigitos(std::string& s, int v) {
    s.push_back(char('0' + (v / 10) % 10));
    s.push_back(char('0' + v % 10));
}

// Civil date of a day count from 0001-01-01 (proleptic Gregorian), without QDate.
void FechaCivil(std::int64_t dias, int& anio, int& mes, int& dia) {
    // Days from 0000-03-01, then the era algorithm on 400-year cycles.
    const std::int64_t z = dias + 306;
    const std::int64_t era = z / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    dia = int(doy - (153 * mp + 2) / 5 + 1);
    mes = int(mp < 10 ? mp + 3 : mp - 9);
    anio = int(yoe + era * 400 + (mes <= 2 ? 1 : 0));
}

void FormateaEntero(std::string& s, std::int64_t v, int decimales, bool agrupa) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v < 0 ? -v : v);
    if (v < 0)
        s.push_back('-');
    const size_t n = size_t(r.ptr - buf);
    for (size_t i = 0; i < n; ++i) {
        s.push_back(buf[i]);
        const size_t quedan = n - i - 1;
        if (agrupa && quedan > 0 && quedan % 3 == 0)
            s.push_back(',');
    }
    if (decimales > 0) {
        s.push_back('.');
        s.append(size_t(decimales), '0');
    }
}

void FormateaReal(std::string& s, double v, bool conFormato, int decimales, bool agrupa) {
    char buf[64];
    if (!conFormato) {
        auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
        s.append(buf, r.ptr);
        return;
    }
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimales);
    std::string_view num(buf, size_t(r.ptr - buf));
    const size_t inicio = num.front() == '-' ? 1 : 0;
    size_t finEntero = num.find('.');
    if (finEntero == std::string_view::npos)
        finEntero = num.size();
    s.append(num.substr(0, inicio));
    for (size_t i = inicio; i < finEntero; ++i) {
        s.push_back(num[i]);
        const size_t quedan = finEntero - i - 1;
        if (agrupa && quedan > 0 && quedan % 3 == 0)
            s.push_back(',');
    }
    s.append(num.substr(finEntero));
}

void FormateaFecha(std::string& s, std::int64_t ms, const std::string& patron) {
    const std::int64_t enDia = ms % kMsDia;
    int anio = 0, mes = 0, dia = 0;
    FechaCivil(ms / kMsDia, anio, mes, dia);
    const int hora = int(enDia / 3'600'000), minuto = int(enDia / 60'000 % 60),
              segundo = int(enDia / 1000 % 60), mili = int(enDia % 1000);
    // Without a format: the date, and the time of day only when there is one.
    static const std::string soloFecha = "dd/MM/yyyy", conHora = "dd/MM/yyyy HH:mm:ss";
    const std::string& f = !patron.empty() ? patron : enDia == 0 ? soloFecha : conHora;
    for (size_t i = 0; i < f.size();) {
        const char c = f[i];
        size_t j = i;
        while (j < f.size() && f[j] == c)
            ++j;
        const size_t n = j - i;
        switch (c) {
        case 'd':
            n >= 2 ? AgregaDosDigitos(s, dia) : AgregaEnteroTexto(s, dia);
            break;
        case 'M':
            n >= 2 ? AgregaDosDigitos(s, mes) : AgregaEnteroTexto(s, mes);
            break;
        case 'y':
            if (n >= 4)
                AgregaDosDigitos(s, anio / 100);
            AgregaDosDigitos(s, anio % 100);
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
        default:
            s.append(f, i, n);
        }
        i = j;
    }
}

// Sort key of a text: upper case with the accents of Spanish folded onto their letter, and
// "Ñ" after "N", so the order reads as the database's case-insensitive collation.
void AgregaClaveOrden(std::string& clave, std::string_view utf8) {
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            clave.push_back(b >= 'a' && b <= 'z' ? char(b - 32) : char(b));
            continue;
        }
        // Latin-1 letters arrive as C3 xx; fold them onto their base letter.
        if (b == 0xC3 && i + 1 < utf8.size()) {
            const unsigned char l = static_cast<unsigned char>(utf8[i + 1]) + 0x40;
            const char* base = nullptr;
            switch (l) {
            case 0xC0:
            case 0xC1:
            case 0xC2:
            case 0xC4:
            case 0xE0:
            case 0xE1:
            case 0xE2:
            case 0xE4:
                base = "A";
                break;
            case 0xC8:
            case 0xC9:
            case 0xCA:
            case 0xCB:
            case 0xE8:
            case 0xE9:
            case 0xEA:
            case 0xEB:
                base = "E";
                break;
            case 0xCC:
            case 0xCD:
            case 0xCE:
            case 0xCF:
            case 0xEC:
            case 0xED:
            case 0xEE:
            case 0xEF:
                base = "I";
                break;
            case 0xD2:
            case 0xD3:
            case 0xD4:
            case 0xD6:
            case 0xF2:
            case 0xF3:
            case 0xF4:
            case 0xF6:
                base = "O";
                break;
            case 0xD9:
            case 0xDA:
            case 0xDB:
            case 0xDC:
            case 0xF9:
            case 0xFA:
            case 0xFB:
            case 0xFC:
                base = "U";
                break;
            case 0xD1:
            case 0xF1:
                base = "N~"; // after every other N
                break;
            default:
                break;
            }
            if (base) {
                clave.append(base);
                ++i;
                continue;
            }
        }
        clave.push_back(char(b));
    }
}

// The first eight bytes of a key as a big-endian number: most comparisons end there.
std::uint64_t Prefijo(std::string_view clave) {
    std::uint64_t p = 0;
    for (size_t i = 0; i < 8; ++i)
        p = (p << 8) | (i < clave.size() ? static_cast<unsigned char>(clave[i]) : 0u);
    return p;
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

void* ReservaGrande(std::size_t bytes) {
    constexpr std::size_t kPagina = 2u << 20;
    if (bytes < 2 * kPagina) {
        void* p = std::malloc(bytes ? bytes : 1);
        if (!p)
            throw std::bad_alloc();
        return p;
    }
    const std::size_t redondeado = (bytes + kPagina - 1) / kPagina * kPagina;
    void* p = std::aligned_alloc(kPagina, redondeado);
    if (!p)
        throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(p, redondeado, MADV_HUGEPAGE);
#endif
    return p;
}

void LiberaGrande(void* p, std::size_t) noexcept {
    std::free(p);
}

bool MilisegundosDeTextoIso(std::string_view t, std::int64_t& ms) {
    const size_t n = t.size();
    if (n < 10 || t[4] != '-' || t[7] != '-')
        return false;
    auto num = [&](size_t desde, int largo, int& valor) {
        valor = 0;
        for (int k = 0; k < largo; ++k) {
            const char c = t[desde + size_t(k)];
            if (c < '0' || c > '9')
                return false;
            valor = valor * 10 + (c - '0');
        }
        return true;
    };
    int anio, mes, dia, hora = 0, minuto = 0, segundo = 0, mili = 0;
    if (!num(0, 4, anio) || !num(5, 2, mes) || !num(8, 2, dia))
        return false;
    if (n >= 16 && !(num(11, 2, hora) && num(14, 2, minuto)))
        return false;
    if (n >= 19 && !num(17, 2, segundo))
        return false;
    if (n >= 23 && !num(20, 3, mili))
        return false;
    const QDate fecha(anio, mes, dia);
    if (!fecha.isValid())
        return false;
    ms = (fecha.toJulianDay() - kDiaCero) * kMsDia +
         ((std::int64_t(hora) * 60 + minuto) * 60 + segundo) * 1000 + mili;
    return true;
}

std::int64_t MilisegundosDeFecha(const QDateTime& fecha) {
    return (fecha.date().toJulianDay() - kDiaCero) * kMsDia + fecha.time().msecsSinceStartOfDay();
}

QDateTime FechaDeMilisegundos(std::int64_t ms) {
    return QDateTime(QDate::fromJulianDay(kDiaCero + ms / kMsDia),
                     QTime::fromMSecsSinceStartOfDay(int(ms % kMsDia)));
}

std::string_view ModeloGrilla::Datos::Cadena(int fila) const {
    const std::uint64_t inicio = fila == 0 ? 0 : fin[size_t(fila) - 1];
    return std::string_view(texto.data() + inicio, fin[size_t(fila)] - inicio);
}

ModeloGrilla::ModeloGrilla(QObject* padre) : QAbstractTableModel(padre) {}

void ModeloGrilla::Datos::Limpia() {
    nulo.clear();
    enteros.clear();
    reales.clear();
    texto.clear();
    fin.clear();
}

void ModeloGrilla::Datos::LiberaSobrantes() {
    if (tipo != TipoCampo::Texto) {
        texto = {};
        fin = {};
    }
    if (tipo != TipoCampo::Real)
        reales = {};
    if (tipo == TipoCampo::Texto || tipo == TipoCampo::Real)
        enteros = {};
}

void ModeloGrilla::GuardaBloques() {
    for (Datos& d : datos_) {
        d.Limpia();
        reserva_.push_back(std::move(d));
    }
    datos_.clear();
}

void ModeloGrilla::Inicia(const QStringList& campos, const std::vector<TipoCampo>& tipos) {
    beginResetModel();
    GuardaBloques();
    datos_.resize(size_t(campos.size()));
    for (qsizetype i = 0; i < campos.size(); ++i) {
        if (size_t(i) < reserva_.size()) {
            datos_[size_t(i)] = std::move(reserva_[size_t(i)]);
            datos_[size_t(i)].tipoFijado = false;
            datos_[size_t(i)].tipo = TipoCampo::Texto;
        }
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

void ModeloGrilla::AgregaFechaMs(int campo, std::int64_t ms) {
    AgregaEntero(campo, ms);
}

void ModeloGrilla::Reserva(int filas) {
    for (Datos& d : datos_) {
        d.nulo.reserve(size_t(filas));
        if (!d.tipoFijado)
            continue;
        if (d.tipo == TipoCampo::Texto)
            d.fin.reserve(size_t(filas));
        else if (d.tipo == TipoCampo::Real)
            d.reales.reserve(size_t(filas));
        else
            d.enteros.reserve(size_t(filas));
    }
}

void ModeloGrilla::AgregaLogico(int campo, bool valor) {
    AgregaEntero(campo, valor ? 1 : 0);
}

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
        // Dates of the embedded database come as text in one shape: read without QDateTime.
        std::int64_t ms = 0;
        if (valor.metaType().id() == QMetaType::QString &&
            MilisegundosDeTextoIso(valor.toString().toLatin1().toStdString(), ms)) {
            AgregaFechaMs(campo, ms);
            break;
        }
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

bool ModeloGrilla::Carga(QSqlQuery& consulta, const std::vector<DefColumna>& columnas) {
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
    if (consulta.lastError().isValid())
        return false;
    // The result is read to its end and the statement finished at once.
    consulta.finish();
    Publica(columnas);
    return true;
}

void ModeloGrilla::Publica(const std::vector<DefColumna>& columnas) {
    beginResetModel();
    reserva_.clear();
    size_t filas = datos_.empty() ? 0 : datos_.front().nulo.size();
    for (Datos& d : datos_) {
        if (!d.tipoFijado) {
            d.tipo = TipoCampo::Texto;
            d.tipoFijado = true;
            d.fin.assign(d.nulo.size(), 0);
        }
        d.LiberaSobrantes();
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

void ModeloGrilla::AgregaCampoCalculado(const QString& nombre,
                                        const std::function<std::int64_t(int)>& calculo) {
    const size_t filas = datos_.empty() ? 0 : datos_.front().nulo.size();
    Datos d;
    d.nombre = nombre;
    d.tipo = TipoCampo::Entero;
    d.tipoFijado = true;
    d.nulo.assign(filas, 0);
    d.enteros.resize(filas);
    for (size_t i = 0; i < filas; ++i)
        d.enteros[i] = calculo(int(i));
    beginResetModel();
    datos_.push_back(std::move(d));
    const std::vector<DefColumna> columnas = columnas_;
    ArmaColumnas(columnas);
    endResetModel();
}

void ModeloGrilla::Vacia() {
    beginResetModel();
    GuardaBloques();
    columnas_.clear();
    campoDeColumna_.clear();
    formatos_.clear();
    orden_.clear();
    activo_ = false;
    endResetModel();
}

void ModeloGrilla::Titula(const std::vector<DefColumna>& columnas) {
    beginResetModel();
    datos_.clear();
    orden_.clear();
    activo_ = false;
    ArmaColumnas(columnas);
    endResetModel();
}

QVariant ModeloGrilla::Coloreo::Color(const ModeloGrilla& m, int filaOrigen) const {
    if (!funcion || campo < 0)
        return {};
    const QColor color = funcion(m, filaOrigen, campo);
    return color.isValid() ? QVariant(color) : QVariant();
}

void ModeloGrilla::FijaColorFila(const QString& campo, ColorFila funcion) {
    colorFila_ = {campo, CampoPorNombre(campo), std::move(funcion)};
}

void ModeloGrilla::FijaColorTextoFila(const QString& campo, ColorFila funcion) {
    colorTextoFila_ = {campo, CampoPorNombre(campo), std::move(funcion)};
}

void ModeloGrilla::ArmaColumnas(const std::vector<DefColumna>& columnas) {
    // The colour hooks' fields, in this data set.
    colorFila_.campo = CampoPorNombre(colorFila_.nombre);
    colorTextoFila_.campo = CampoPorNombre(colorTextoFila_.nombre);
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
    formatos_.clear();
    for (const DefColumna& c : columnas_) {
        campoDeColumna_.push_back(CampoPorNombre(c.campo));
        Formato f;
        if (c.formato.contains(QLatin1Char(';'))) {
            f.logico = true;
            f.verdadero = c.formato.section(QLatin1Char(';'), 0, 0).toStdString();
            f.falso = c.formato.section(QLatin1Char(';'), 1, 1).toStdString();
        } else if (c.formato.contains(QLatin1Char('0')) || c.formato.contains(QLatin1Char('#'))) {
            const qsizetype punto = c.formato.indexOf(QLatin1Char('.'));
            f.conFormato = true;
            f.decimales = punto < 0 ? 0 : int(c.formato.mid(punto + 1).count(QLatin1Char('0')));
            f.agrupa =
                c.formato.left(punto < 0 ? c.formato.size() : punto).contains(QLatin1Char(','));
        } else {
            f.fecha = c.formato.toStdString();
        }
        formatos_.push_back(std::move(f));
    }
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

void ModeloGrilla::FormateaEntero64(std::string& s, TipoCampo tipo, const Formato& f,
                                    std::int64_t v) {
    if (tipo == TipoCampo::Fecha)
        FormateaFecha(s, v, f.fecha);
    else if (f.logico || tipo == TipoCampo::Logico) // a bit column with a "Sí;No" style format
        s.append(v != 0 ? f.verdadero : f.falso);
    else
        FormateaEntero(s, v, f.decimales, f.agrupa);
}

void ModeloGrilla::TextoCelda(int fila, int columna, std::string& s) const {
    const int campo = campoDeColumna_[size_t(columna)];
    if (campo < 0 || EsNulo(fila, campo))
        return;
    const Datos& d = datos_[size_t(campo)];
    const Formato& f = formatos_[size_t(columna)];
    switch (d.tipo) {
    case TipoCampo::Texto:
        s.append(d.Cadena(fila));
        break;
    case TipoCampo::Real:
        FormateaReal(s, d.reales[size_t(fila)], f.conFormato, f.decimales, f.agrupa);
        break;
    default:
        FormateaEntero64(s, d.tipo, f, d.enteros[size_t(fila)]);
    }
}

void ModeloGrilla::TextosColumna(int columna, const int* filas, int n, std::string& s,
                                 std::vector<std::uint32_t>& fin) const {
    fin.clear();
    const int campo = campoDeColumna_[size_t(columna)];
    if (campo < 0) {
        fin.assign(size_t(n), std::uint32_t(s.size()));
        return;
    }
    const Datos& d = datos_[size_t(campo)];
    const Formato& f = formatos_[size_t(columna)];
    std::vector<std::uint8_t> nulos(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        nulos[size_t(i)] = d.nulo[size_t(filas[i])];
    if (d.tipo == TipoCampo::Texto) {
        std::vector<std::uint64_t> inicio(static_cast<size_t>(n)), final(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const auto r = size_t(filas[i]);
            inicio[size_t(i)] = r == 0 ? 0 : d.fin[r - 1];
            final[size_t(i)] = d.fin[r];
        }
        constexpr int kAdelanto = 16;
        for (int i = 0; i < n; ++i) {
            if (i + kAdelanto < n)
                __builtin_prefetch(d.texto.data() + inicio[size_t(i + kAdelanto)]);
            s.append(d.texto.data() + inicio[size_t(i)], final[size_t(i)] - inicio[size_t(i)]);
            fin.push_back(std::uint32_t(s.size()));
        }
        return;
    }
    if (d.tipo == TipoCampo::Real) {
        std::vector<double> valores(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            valores[size_t(i)] = d.reales[size_t(filas[i])];
        for (int i = 0; i < n; ++i) {
            if (!nulos[size_t(i)])
                FormateaReal(s, valores[size_t(i)], f.conFormato, f.decimales, f.agrupa);
            fin.push_back(std::uint32_t(s.size()));
        }
        return;
    }
    std::vector<std::int64_t> valores(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        valores[size_t(i)] = d.enteros[size_t(filas[i])];
    for (int i = 0; i < n; ++i) {
        if (!nulos[size_t(i)])
            FormateaEntero64(s, d.tipo, f, valores[size_t(i)]);
        fin.push_back(std::uint32_t(s.size()));
    }
}

int ModeloGrilla::Busca(const QStringList& campos, const QVariantList& valores) const {
    std::vector<int> c;
    for (const QString& n : campos)
        c.push_back(CampoPorNombre(n));
    for (int i = 0; i < Filas(); ++i) {
        const int f = FilaOrigen(i);
        bool igual = true;
        for (size_t k = 0; k < c.size() && igual; ++k) {
            const QVariant& buscado = valores[qsizetype(k)];
            igual = buscado.metaType().id() == QMetaType::QString
                        ? Valor(f, c[k]).toString().compare(buscado.toString(),
                                                            Qt::CaseInsensitive) == 0
                        : Entero(f, c[k]) == buscado.toLongLong();
        }
        if (igual)
            return i;
    }
    return -1;
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

void ModeloGrilla::Ordena(int columna, bool ascendente) {
    const int campo = campoDeColumna_[size_t(columna)];
    if (campo < 0)
        return;
    const Datos& d = datos_[size_t(campo)];
    beginResetModel();
    // NULLs first when ascending, last when descending; equal rows keep their current order in
    // both directions (the comparison is reversed, never the result).
    auto ordena = [&](auto& filas, auto nulo, auto menor) {
        std::stable_sort(filas.begin(), filas.end(), [&](const auto& a, const auto& b) {
            const bool na = nulo(a), nb = nulo(b);
            if (na || nb)
                return ascendente ? (na && !nb) : (nb && !na);
            return ascendente ? menor(a, b) : menor(b, a);
        });
    };
    if (d.tipo == TipoCampo::Texto) {
        // Keys in one pool, with their first eight bytes beside the row for a quick decision.
        std::string claves;
        claves.reserve(d.texto.size() + d.texto.size() / 8);
        std::vector<std::uint64_t> fin(d.nulo.size());
        for (size_t i = 0; i < fin.size(); ++i) {
            if (!d.nulo[i])
                AgregaClaveOrden(claves, d.Cadena(int(i)));
            fin[i] = claves.size();
        }
        auto clave = [&](int fila) {
            const std::uint64_t inicio = fila == 0 ? 0 : fin[size_t(fila) - 1];
            return std::string_view(claves).substr(inicio, fin[size_t(fila)] - inicio);
        };
        struct Fila {
            std::uint64_t prefijo;
            int fila;
        };
        std::vector<Fila> filas(orden_.size());
        for (size_t i = 0; i < orden_.size(); ++i)
            filas[i] = {Prefijo(clave(orden_[i])), orden_[i]};
        ordena(
            filas, [&](const Fila& f) { return d.nulo[size_t(f.fila)] != 0; },
            [&](const Fila& a, const Fila& b) {
                if (a.prefijo != b.prefijo)
                    return a.prefijo < b.prefijo;
                return clave(a.fila) < clave(b.fila);
            });
        for (size_t i = 0; i < filas.size(); ++i)
            orden_[i] = filas[i].fila;
    } else if (d.tipo == TipoCampo::Real) {
        ordena(
            orden_, [&](int f) { return d.nulo[size_t(f)] != 0; },
            [&](int a, int b) { return d.reales[size_t(a)] < d.reales[size_t(b)]; });
    } else {
        ordena(
            orden_, [&](int f) { return d.nulo[size_t(f)] != 0; },
            [&](int a, int b) { return d.enteros[size_t(a)] < d.enteros[size_t(b)]; });
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
        const QVariant color = colorFila_.Color(*this, FilaOrigen(indice.row()));
        if (color.isValid())
            return color;
        return c.fondo.isValid() ? QVariant(c.fondo) : QVariant();
    }
    case Qt::ForegroundRole: {
        const QVariant color = colorTextoFila_.Color(*this, FilaOrigen(indice.row()));
        if (color.isValid())
            return color;
        return c.texto.isValid() ? QVariant(c.texto) : QVariant();
    }
    case Qt::FontRole: {
        if (!c.negrita)
            return {};
        QFont negrita;
        negrita.setBold(true);
        return negrita;
    }
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

DefColumna Columna(const char* campo, const char* titulo, int ancho, Qt::Alignment alineacion) {
    DefColumna d;
    d.campo = QString::fromLatin1(campo);
    d.titulo = QString::fromUtf8(titulo);
    d.ancho = ancho;
    d.alineacion = alineacion;
    return d;
}

DefColumna ColumnaOculta(const char* campo) {
    DefColumna d = Columna(campo);
    d.visible = false;
    return d;
}
