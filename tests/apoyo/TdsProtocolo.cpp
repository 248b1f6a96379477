// TDS wire pieces of the test server.
#include "apoyo/TdsProtocolo.h"

#include <cmath>

#include "common/Texto1252.h"

#include <QDateTime>
#include <cstring>

namespace Tds {

namespace {

// Latin1_General_CI_AS (code page 1252), the collation the server announces for its texts.
// Modern_Spanish_CI_AS: locale 0x0C0A (Spanish, modern sort), case, width and kana ignored,
// accents kept; Windows-1252 texts.
const char kColacion[5] = {0x0A, 0x0C, char(0xD0), 0x00, 0x00};

} // namespace

void Escritor::U16(int v) {
    U8(v & 0xff);
    U8((v >> 8) & 0xff);
}
void Escritor::U32(quint32 v) {
    U16(int(v & 0xffff));
    U16(int(v >> 16));
}
void Escritor::U64(quint64 v) {
    U32(quint32(v));
    U32(quint32(v >> 32));
}
void Escritor::BVarchar(const QString& t) {
    U8(int(t.size()));
    b += Ucs2(t);
}
void Escritor::UsVarchar(const QString& t) {
    U16(int(t.size()));
    b += Ucs2(t);
}
void Escritor::ConLargo(quint8 token, const QByteArray& cuerpo) {
    U8(token);
    U16(int(cuerpo.size()));
    b += cuerpo;
}

QByteArray Ucs2(const QString& t) {
    return QByteArray(reinterpret_cast<const char*>(t.utf16()), t.size() * 2);
}

bool Lector::Hay(qint64 n) {
    if (n < 0 || i + n > d.size())
        ok = false;
    return ok;
}
quint8 Lector::U8() {
    if (!Hay(1))
        return 0;
    return quint8(d[i++]);
}
quint16 Lector::U16() {
    const quint16 bajo = U8();
    return quint16(bajo | (U8() << 8));
}
quint32 Lector::U32() {
    const quint32 bajo = U16();
    return bajo | (quint32(U16()) << 16);
}
quint64 Lector::U64() {
    const quint64 bajo = U32();
    return bajo | (quint64(U32()) << 32);
}
QByteArray Lector::Bytes(qint64 n) {
    if (!Hay(n))
        return {};
    const QByteArray r = d.mid(i, n);
    i += int(n);
    return r;
}
QString Lector::Ucs2(int caracteres) {
    const QByteArray b = Bytes(qint64(caracteres) * 2);
    return QString(reinterpret_cast<const QChar*>(b.constData()), b.size() / 2);
}

void Hecho(Escritor& e, quint8 token, int estado, quint64 filas, int comando) {
    e.U8(token);
    e.U16(estado);
    e.U16(comando);
    e.U64(filas);
}

namespace {

void Mensaje(Escritor& e, quint8 token, int numero, int clase, const QString& texto, int estado) {
    Escritor c;
    c.U32(quint32(numero));
    c.U8(estado);
    c.U8(clase);
    c.UsVarchar(texto);
    c.BVarchar(QStringLiteral("PRUEBA"));
    c.BVarchar(QString());
    c.U32(1);
    e.ConLargo(token, c.b);
}

} // namespace

void Error(Escritor& e, int numero, int clase, const QString& texto, int estado) {
    Mensaje(e, kError, numero, clase, texto, estado);
}

void Aviso(Escritor& e, int numero, int clase, const QString& texto, int estado) {
    Mensaje(e, kInformacion, numero, clase, texto, estado);
}

void CambioEntorno(Escritor& e, int tipo, const QString& nuevo, const QString& viejo) {
    Escritor c;
    c.U8(tipo);
    c.BVarchar(nuevo);
    c.BVarchar(viejo);
    e.ConLargo(kCambioEntorno, c.b);
}

void CambioTransaccion(Escritor& e, int tipo, quint64 descriptor) {
    Escritor c;
    c.U8(tipo);
    Escritor d;
    d.U64(descriptor);
    // A transaction begun carries its new descriptor; one ended names the old one.
    c.U8(tipo == 8 ? 8 : 0);
    if (tipo == 8)
        c.b += d.b;
    c.U8(tipo == 8 ? 0 : 8);
    if (tipo != 8)
        c.b += d.b;
    e.ConLargo(kCambioEntorno, c.b);
}

QByteArray RespuestaPrelogin() {
    // VERSION, ENCRYPTION (not supported), INSTOPT, THREADID, MARS; then their data.
    const int opciones = 5, cabecera = opciones * 5 + 1;
    const int largos[opciones] = {6, 1, 1, 0, 1};
    Escritor f;
    int desplazamiento = cabecera;
    for (int i = 0; i < opciones; ++i) {
        f.U8(i);
        f.U8(desplazamiento >> 8);
        f.U8(desplazamiento & 0xff);
        f.U8(0);
        f.U8(largos[i]);
        desplazamiento += largos[i];
    }
    f.U8(0xFF);
    f.b += QByteArray("\x0f\x00\x07\xd0\x00\x00", 6); // 15.0.2000
    f.U8(0x02);                                       // ENCRYPT_NOT_SUP
    f.U8(0);
    f.U8(0);
    return f.b;
}

Login LeeLogin(const QByteArray& d) {
    auto campo = [&](int posicion) {
        Lector l(d, posicion);
        const int desde = l.U16(), largo = l.U16();
        Lector texto(d, desde);
        return texto.Ucs2(largo);
    };
    Login l;
    l.estacion = campo(36);
    l.usuario = campo(40);
    // The password travels with each byte's halves swapped and XORed with 0xA5.
    Lector posicion(d, 44);
    const int desde = posicion.U16(), largo = posicion.U16();
    QByteArray clave = d.mid(desde, largo * 2);
    for (char& c : clave) {
        const quint8 x = quint8(c) ^ 0xA5;
        c = char(((x << 4) & 0xF0) | ((x >> 4) & 0x0F));
    }
    l.clave = QString(reinterpret_cast<const QChar*>(clave.constData()), clave.size() / 2);
    l.base = campo(68);
    return l;
}

QByteArray RespuestaLogin(const QString& base) {
    Escritor f;
    CambioEntorno(f, 1, base.isEmpty() ? QStringLiteral("Moravel") : base,
                  QStringLiteral("master"));
    {
        Escritor c;
        c.U8(7);
        c.U8(5);
        c.b += QByteArray(kColacion, 5);
        c.U8(0);
        f.ConLargo(kCambioEntorno, c.b);
    }
    CambioEntorno(f, 2, QStringLiteral("us_english"), QString());
    CambioEntorno(f, 4, QStringLiteral("4096"), QStringLiteral("4096"));
    Escritor a;
    a.U8(1);
    a.b += QByteArray("\x73\x0b\x00\x03", 4); // TDS 7.3B
    a.BVarchar(QStringLiteral("Microsoft SQL Server"));
    a.b += QByteArray("\x0f\x00\x07\xd0", 4);
    f.ConLargo(kAceptaLogin, a.b);
    Hecho(f, kHecho, 0, 0, 0);
    return f.b;
}

int FinCabeceras(const QByteArray& d) {
    Lector l(d);
    const quint32 largo = l.U32();
    return l.ok && largo >= 4 && largo <= quint32(d.size()) ? int(largo) : 0;
}

namespace {

QString Texto(const QByteArray& bytes, bool unicode) {
    if (unicode)
        return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
    return Texto1252::Decodifica(bytes);
}

quint8 Primero(const QByteArray& b) {
    return b.isEmpty() ? 0 : quint8(b[0]);
}

qint64 EnteroLe(const QByteArray& b) {
    quint64 v = 0;
    for (qsizetype k = b.size() - 1; k >= 0; --k)
        v = (v << 8) | quint8(b[k]);
    // Sign-extend from the value's own width.
    const int bits = int(b.size()) * 8;
    if (bits > 0 && bits < 64 && (v >> (bits - 1)) & 1)
        v |= ~quint64(0) << bits;
    return qint64(v);
}

double RealLe(const QByteArray& b) {
    if (b.size() == 4) {
        float f;
        memcpy(&f, b.constData(), 4);
        return f;
    }
    double x = 0;
    if (b.size() == 8)
        memcpy(&x, b.constData(), 8);
    return x;
}

// DATETIME: days since 1900-01-01 and 1/300 s since midnight; SMALLDATETIME: days and minutes.
QDateTime FechaDatetime(const QByteArray& b) {
    Lector l(b);
    if (b.size() == 4) {
        const int dias = l.U16(), minutos = l.U16();
        return QDateTime(QDate(1900, 1, 1).addDays(dias), QTime(0, 0).addSecs(minutos * 60));
    }
    const qint32 dias = qint32(l.U32());
    const quint32 tics = l.U32();
    return QDateTime(QDate(1900, 1, 1).addDays(dias),
                     QTime::fromMSecsSinceStartOfDay(int((quint64(tics) * 10 + 1) / 3)));
}

// DATE / TIME / DATETIME2: the time in 10^-scale s, then days since 0001-01-01.
QDateTime FechaDatetime2(const QByteArray& b, int escala, bool conHora, bool conFecha) {
    const int largoHora = conHora ? (escala <= 2 ? 3 : escala <= 4 ? 4 : 5) : 0;
    qint64 unidades = 0;
    for (int k = largoHora - 1; k >= 0; --k)
        unidades = (unidades << 8) | quint8(b[k]);
    qint64 ms = unidades;
    for (int k = escala; k > 3; --k)
        ms /= 10;
    for (int k = escala; k < 3; ++k)
        ms *= 10;
    QDate fecha(1900, 1, 1);
    if (conFecha && b.size() >= largoHora + 3) {
        const qint64 dias = quint8(b[largoHora]) | (quint8(b[largoHora + 1]) << 8) |
                            (quint8(b[largoHora + 2]) << 16);
        fecha = QDate(1, 1, 1).addDays(dias);
    }
    return QDateTime(fecha, QTime::fromMSecsSinceStartOfDay(int(ms)));
}

// TYPE_INFO and value of one parameter.
bool LeeValor(Lector& l, ValorRpc& v, QString& motivo) {
    const quint8 tipo = l.U8();
    auto nulo = [&] { v.valor = QVariant(); };
    switch (tipo) {
    case 0x1F: // NULL
        nulo();
        return l.ok;
    case 0x30:
    case 0x32:
    case 0x34:
    case 0x38:
    case 0x7F: { // fixed INT1 / BIT / INT2 / INT4 / INT8
        const int n = tipo == 0x30 || tipo == 0x32 ? 1 : tipo == 0x34 ? 2 : tipo == 0x38 ? 4 : 8;
        v.clase = tipo == 0x32 ? ClaseValor::Bit : ClaseValor::Entero;
        const QByteArray b = l.Bytes(n);
        v.valor = tipo == 0x30 ? qint64(Primero(b)) : EnteroLe(b);
        return l.ok;
    }
    case 0x3B:
    case 0x3E: // fixed FLT4 / FLT8
        v.clase = ClaseValor::Real;
        v.valor = RealLe(l.Bytes(tipo == 0x3B ? 4 : 8));
        return l.ok;
    case 0x3A:
    case 0x3D: // fixed SMALLDATETIME / DATETIME
        v.clase = ClaseValor::Fecha;
        v.valor = FechaDatetime(l.Bytes(tipo == 0x3A ? 4 : 8));
        return l.ok;
    case 0x26:
    case 0x68:
    case 0x6D:
    case 0x6F: { // INTN, BITN, FLTN, DATETIMN
        l.U8();  // the type's largest length
        const int n = l.U8();
        v.clase = tipo == 0x26   ? ClaseValor::Entero
                  : tipo == 0x68 ? ClaseValor::Bit
                  : tipo == 0x6D ? ClaseValor::Real
                                 : ClaseValor::Fecha;
        if (n == 0) {
            nulo();
            return l.ok;
        }
        const QByteArray b = l.Bytes(n);
        if (tipo == 0x26)
            v.valor = n == 1 ? qint64(Primero(b)) : EnteroLe(b);
        else if (tipo == 0x68)
            v.valor = qint64(Primero(b) != 0);
        else if (tipo == 0x6D)
            v.valor = RealLe(b);
        else
            v.valor = FechaDatetime(b);
        return l.ok;
    }
    case 0x28:
    case 0x29:
    case 0x2A: { // DATEN, TIMEN, DATETIME2N
        const int escala = tipo == 0x28 ? 0 : l.U8();
        const int n = l.U8();
        v.clase = ClaseValor::Fecha;
        if (n == 0)
            nulo();
        else
            v.valor = FechaDatetime2(l.Bytes(n), escala, tipo != 0x28, tipo != 0x29);
        return l.ok;
    }
    case 0x6A:
    case 0x6C: { // DECIMALN, NUMERICN: bound as a real number
        l.U8();
        l.U8();
        const int escala = l.U8();
        const int n = l.U8();
        v.clase = ClaseValor::Real;
        if (n == 0) {
            nulo();
            return l.ok;
        }
        const bool positivo = l.U8() == 1;
        const QByteArray b = l.Bytes(n - 1);
        double x = 0;
        for (qsizetype k = b.size() - 1; k >= 0; --k)
            x = x * 256 + quint8(b[k]);
        for (int k = 0; k < escala; ++k)
            x /= 10;
        v.valor = positivo ? x : -x;
        return l.ok;
    }
    case 0xA7:
    case 0xAF:
    case 0xE7:
    case 0xEF: { // BIGVARCHAR, BIGCHAR, NVARCHAR, NCHAR
        const bool unicode = tipo == 0xE7 || tipo == 0xEF;
        const quint16 maximo = l.U16();
        l.Bytes(5); // collation
        v.clase = ClaseValor::Texto;
        if (maximo == 0xFFFF) { // (MAX): partially length-prefixed chunks
            const quint64 total = l.U64();
            if (total == ~quint64(0)) {
                nulo();
                return l.ok;
            }
            QByteArray b;
            for (quint32 trozo = l.U32(); l.ok && trozo != 0; trozo = l.U32())
                b += l.Bytes(trozo);
            v.valor = Texto(b, unicode);
            return l.ok;
        }
        const quint16 n = l.U16();
        if (n == 0xFFFF)
            nulo();
        else
            v.valor = Texto(l.Bytes(n), unicode);
        return l.ok;
    }
    case 0x23:
    case 0x63: { // TEXT, NTEXT
        l.U32();
        l.Bytes(5);
        const quint32 n = l.U32();
        v.clase = ClaseValor::Texto;
        if (n == 0xFFFFFFFF)
            nulo();
        else
            v.valor = Texto(l.Bytes(n), tipo == 0x63);
        return l.ok;
    }
    default:
        motivo = QStringLiteral("tipo de dato 0x%1 sin atender").arg(tipo, 2, 16, QLatin1Char('0'));
        return false;
    }
}

} // namespace

bool LeeRpc(const QByteArray& d, Rpc& rpc, QString& motivo) {
    Lector l(d, FinCabeceras(d));
    const quint16 largoNombre = l.U16();
    if (largoNombre == 0xFFFF)
        rpc.procedimiento = l.U16();
    else
        rpc.nombre = l.Ucs2(largoNombre);
    l.U16(); // option flags
    while (l.ok && l.i < d.size()) {
        const quint8 siguiente = quint8(d[l.i]);
        if (siguiente == 0x80 || siguiente == 0xFF) {
            motivo = QStringLiteral("varias llamadas en un mensaje");
            return false;
        }
        ValorRpc v;
        v.nombre = l.BVarchar();
        if (v.nombre.startsWith(QLatin1Char('@')))
            v.nombre.remove(0, 1);
        v.salida = (l.U8() & 0x01) != 0;
        if (!LeeValor(l, v, motivo))
            return false;
        rpc.valores.push_back(std::move(v));
    }
    if (!l.ok)
        motivo = QStringLiteral("llamada cortada");
    return l.ok;
}

void Metadatos(Escritor& e, const QStringList& nombres, const std::vector<TipoColumna>& tipos,
               const std::vector<int>& escalas) {
    e.U8(kMetadatos);
    e.U16(int(nombres.size()));
    for (qsizetype c = 0; c < nombres.size(); ++c) {
        e.U32(0);
        e.U16(0x0001); // nullable
        switch (tipos[size_t(c)]) {
        case TipoColumna::Bit:
            e.U8(0x68);
            e.U8(1);
            break;
        case TipoColumna::Entero1:
        case TipoColumna::Entero2:
        case TipoColumna::Entero4:
        case TipoColumna::Entero8:
            e.U8(0x26);
            e.U8(tipos[size_t(c)] == TipoColumna::Entero1   ? 1
                 : tipos[size_t(c)] == TipoColumna::Entero2 ? 2
                 : tipos[size_t(c)] == TipoColumna::Entero4 ? 4
                                                            : 8);
            break;
        case TipoColumna::Real:
            e.U8(0x6D);
            e.U8(8);
            break;
        case TipoColumna::Fecha:
            e.U8(0x6F);
            e.U8(8);
            break;
        case TipoColumna::FechaSola:
            e.U8(0x28);
            break;
        case TipoColumna::Decimal:
            e.U8(0x6A);
            e.U8(17);
            e.U8(38);
            e.U8(size_t(c) < escalas.size() ? escalas[size_t(c)] : 0);
            break;
        case TipoColumna::Varchar:
            e.U8(0xA7);
            e.U16(8000);
            e.b += QByteArray(kColacion, 5);
            break;
        case TipoColumna::NVarchar:
            e.U8(0xE7);
            e.U16(8000);
            e.b += QByteArray(kColacion, 5);
            break;
        case TipoColumna::Texto:
            e.U8(0x23);
            e.U32(0x7FFFFFFF);
            e.b += QByteArray(kColacion, 5);
            e.U8(1); // the table's name in one part
            e.UsVarchar(QStringLiteral("t"));
            break;
        }
        e.BVarchar(nombres[c]);
    }
}

void Valor(Escritor& e, TipoColumna tipo, const QVariant& v, int escala) {
    const bool texto = tipo == TipoColumna::Varchar || tipo == TipoColumna::NVarchar;
    if (v.isNull()) {
        if (texto)
            e.U16(0xFFFF);
        else
            e.U8(0); // one-byte length 0, or no text pointer for TEXT
        return;
    }
    switch (tipo) {
    case TipoColumna::Bit:
        e.U8(1);
        e.U8(v.toLongLong() != 0 ? 1 : 0);
        break;
    case TipoColumna::Entero1:
        e.U8(1);
        e.U8(int(v.toLongLong()));
        break;
    case TipoColumna::Entero2:
        e.U8(2);
        e.U16(int(v.toLongLong()));
        break;
    case TipoColumna::Entero4:
        e.U8(4);
        e.U32(quint32(v.toLongLong()));
        break;
    case TipoColumna::Entero8:
        e.U8(8);
        e.U64(quint64(v.toLongLong()));
        break;
    case TipoColumna::Real: {
        const double d = v.toDouble();
        quint64 bits;
        memcpy(&bits, &d, 8);
        e.U8(8);
        e.U64(bits);
        break;
    }
    case TipoColumna::Fecha: {
        // Days since 1900-01-01 and 1/300 s since midnight, rounded as the server rounds.
        const QDateTime t = v.toDateTime();
        e.U8(8);
        e.U32(quint32(qint32(QDate(1900, 1, 1).daysTo(t.date()))));
        e.U32(quint32((qint64(t.time().msecsSinceStartOfDay()) * 3 + 5) / 10));
        break;
    }
    case TipoColumna::FechaSola: {
        // Days since 0001-01-01 in three bytes.
        const qint64 dias = QDate(1, 1, 1).daysTo(v.toDateTime().date());
        e.U8(3);
        e.U8(int(dias & 0xFF));
        e.U8(int((dias >> 8) & 0xFF));
        e.U8(int((dias >> 16) & 0xFF));
        break;
    }
    case TipoColumna::Decimal: {
        // Sign, then the value times 10^scale as a 16-byte whole number.
        const double d = v.toDouble() * std::pow(10.0, escala);
        const quint64 magnitud = quint64(std::llround(std::fabs(d)));
        e.U8(17);
        e.U8(d < 0 ? 0 : 1);
        e.U64(magnitud);
        e.U64(0);
        break;
    }
    case TipoColumna::Varchar: {
        const QByteArray b = Texto1252::Codifica(v.toString()).left(8000);
        e.U16(int(b.size()));
        e.b += b;
        break;
    }
    case TipoColumna::NVarchar: {
        const QByteArray b = Ucs2(v.toString().left(4000));
        e.U16(int(b.size()));
        e.b += b;
        break;
    }
    case TipoColumna::Texto: {
        const QByteArray b = Texto1252::Codifica(v.toString());
        e.U8(16);
        e.b += QByteArray(16, char(0x11)); // text pointer
        e.b += QByteArray(8, char(0));     // timestamp
        e.U32(quint32(b.size()));
        e.b += b;
        break;
    }
    }
}

void ValorRetornoEntero(Escritor& e, int ordinal, const QString& nombre, qint32 valor) {
    e.U8(kValorRetorno);
    e.U16(ordinal);
    e.BVarchar(nombre);
    e.U8(0x01); // output parameter
    e.U32(0);   // user type
    e.U16(0x0001);
    e.U8(0x26);
    e.U8(4);
    e.U8(4);
    e.U32(quint32(valor));
}

} // namespace Tds
