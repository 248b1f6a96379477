// TDS test server.
#include "apoyo/ServidorTds.h"

#include "common/Errores.h"
#include "db/Conexion.h"
#include "db/Consulta.h"

#include <QByteArray>
#include <QDateTime>
#include <QVariant>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

enum : quint8 {
    kLote = 0x01,
    kRespuesta = 0x04,
    kAtencion = 0x06,
    kLogin7 = 0x10,
    kPrelogin = 0x12
};

bool LeeTodo(int s, char* destino, size_t n) {
    while (n > 0) {
        const ssize_t r = ::recv(s, destino, n, 0);
        if (r <= 0)
            return false;
        destino += r;
        n -= size_t(r);
    }
    return true;
}

// One message: the packets up to the one marked end-of-message, joined.
bool LeeMensaje(int s, quint8& tipo, QByteArray& datos) {
    datos.clear();
    for (;;) {
        unsigned char h[8];
        if (!LeeTodo(s, reinterpret_cast<char*>(h), 8))
            return false;
        tipo = h[0];
        const int largo = (h[2] << 8) | h[3];
        if (largo < 8)
            return false;
        QByteArray parte(largo - 8, Qt::Uninitialized);
        if (!LeeTodo(s, parte.data(), size_t(parte.size())))
            return false;
        datos += parte;
        if (h[1] & 0x01)
            return true;
    }
}

void EnviaMensaje(int s, quint8 tipo, const QByteArray& datos) {
    const int maximo = 4096 - 8;
    quint8 numero = 1;
    for (qsizetype i = 0; i == 0 || i < datos.size(); i += maximo) {
        const QByteArray parte = datos.mid(i, maximo);
        const bool ultimo = i + maximo >= datos.size();
        const int largo = int(parte.size()) + 8;
        const char h[8] = {char(tipo),
                           char(ultimo ? 1 : 0),
                           char(largo >> 8),
                           char(largo & 0xff),
                           0,
                           0,
                           char(numero++),
                           0};
        QByteArray paquete(h, 8);
        paquete += parte;
        ::send(s, paquete.constData(), size_t(paquete.size()), MSG_NOSIGNAL);
    }
}

// Little-endian writers and the protocol's string forms.
struct Flujo {
    QByteArray b;
    void U8(int v) { b += char(v); }
    void U16(int v) {
        U8(v & 0xff);
        U8((v >> 8) & 0xff);
    }
    void U32(quint32 v) {
        U16(int(v & 0xffff));
        U16(int(v >> 16));
    }
    void U64(quint64 v) {
        U32(quint32(v));
        U32(quint32(v >> 32));
    }
    static QByteArray Ucs2(const QString& t) {
        return QByteArray(reinterpret_cast<const char*>(t.utf16()), t.size() * 2);
    }
    void BVarchar(const QString& t) {
        U8(int(t.size()));
        b += Ucs2(t);
    }
    void UsVarchar(const QString& t) {
        U16(int(t.size()));
        b += Ucs2(t);
    }
};

QString LeeUcs2(const QByteArray& d, int desde, int caracteres) {
    if (desde < 0 || desde + caracteres * 2 > d.size())
        return {};
    return QString(reinterpret_cast<const QChar*>(d.constData() + desde), caracteres);
}

int U16En(const QByteArray& d, int i) {
    return quint8(d[i]) | (quint8(d[i + 1]) << 8);
}

void Hecho(Flujo& f, int estado, quint64 filas, int comando = 0xC1) {
    f.U8(0xFD);
    f.U16(estado);
    f.U16(comando);
    f.U64(filas);
}

void Error(Flujo& f, int numero, int clase, const QString& texto) {
    Flujo e;
    e.U32(quint32(numero));
    e.U8(1);
    e.U8(clase);
    e.UsVarchar(texto);
    e.BVarchar(QStringLiteral("PRUEBA"));
    e.BVarchar(QString());
    e.U32(1);
    f.U8(0xAA);
    f.U16(int(e.b.size()));
    f.b += e.b;
}

void CambioEntorno(Flujo& f, int tipo, const QString& nuevo, const QString& viejo) {
    Flujo e;
    e.U8(tipo);
    e.BVarchar(nuevo);
    e.BVarchar(viejo);
    f.U8(0xE3);
    f.U16(int(e.b.size()));
    f.b += e.b;
}

// Latin1_General_CI_AS, the collation the server announces for its texts.
const char kColacion[5] = {0x09, 0x04, char(0xD0), 0x00, 0x34};

QByteArray RespuestaPrelogin() {
    // VERSION, ENCRYPTION (not supported), INSTOPT, THREADID, MARS; then their data.
    const int opciones = 5, cabecera = opciones * 5 + 1;
    const int largos[opciones] = {6, 1, 1, 0, 1};
    Flujo f;
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

struct Login {
    QString usuario, clave, base, estacion;
};

Login LeeLogin(const QByteArray& d) {
    auto campo = [&](int posicion) {
        return LeeUcs2(d, U16En(d, posicion), U16En(d, posicion + 2));
    };
    Login l;
    l.estacion = campo(36);
    l.usuario = campo(40);
    // The password travels with each byte's halves swapped and XORed with 0xA5.
    const int desde = U16En(d, 44), largo = U16En(d, 46);
    QByteArray clave = d.mid(desde, largo * 2);
    for (char& c : clave) {
        const quint8 x = quint8(c) ^ 0xA5;
        c = char(((x << 4) & 0xF0) | ((x >> 4) & 0x0F));
    }
    l.clave = LeeUcs2(clave, 0, largo);
    l.base = campo(68);
    return l;
}

QByteArray RespuestaLogin(const Login& l) {
    Flujo f;
    CambioEntorno(f, 1, l.base.isEmpty() ? QStringLiteral("Moravel") : l.base,
                  QStringLiteral("master"));
    {
        Flujo e;
        e.U8(7);
        e.U8(5);
        e.b += QByteArray(kColacion, 5);
        e.U8(0);
        f.U8(0xE3);
        f.U16(int(e.b.size()));
        f.b += e.b;
    }
    CambioEntorno(f, 2, QStringLiteral("us_english"), QString());
    CambioEntorno(f, 4, QStringLiteral("4096"), QStringLiteral("4096"));
    Flujo a;
    a.U8(1);
    a.b += QByteArray("\x73\x0b\x00\x03", 4); // TDS 7.3B
    a.BVarchar(QStringLiteral("Microsoft SQL Server"));
    a.b += QByteArray("\x0f\x00\x07\xd0", 4);
    f.U8(0xAD);
    f.U16(int(a.b.size()));
    f.b += a.b;
    Hecho(f, 0, 0, 0);
    return f.b;
}

// A column's wire type, from the first value that is not NULL.
enum class TipoTds { Entero, Real, Fecha, Texto };

TipoTds TipoDe(Consulta& q, int columna) {
    for (int r = 0; r < q.Registros(); ++r) {
        q.IrA(r);
        const QVariant v = q.Campo(q.Campos()[columna]);
        if (v.isNull())
            continue;
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Bool:
            return TipoTds::Entero;
        case QMetaType::Double:
            return TipoTds::Real;
        case QMetaType::QDateTime:
            return TipoTds::Fecha;
        default:
            return TipoTds::Texto;
        }
    }
    return TipoTds::Texto;
}

QByteArray Resultado(Consulta& q) {
    Flujo f;
    const QStringList campos = q.Campos();
    std::vector<TipoTds> tipos;
    f.U8(0x81);
    f.U16(int(campos.size()));
    for (int c = 0; c < campos.size(); ++c) {
        tipos.push_back(TipoDe(q, c));
        f.U32(0);
        f.U16(0x0001); // nullable
        switch (tipos.back()) {
        case TipoTds::Entero:
            f.U8(0x26);
            f.U8(8);
            break;
        case TipoTds::Real:
            f.U8(0x6D);
            f.U8(8);
            break;
        case TipoTds::Fecha:
            f.U8(0x6F);
            f.U8(8);
            break;
        case TipoTds::Texto:
            f.U8(0xE7);
            f.U16(8000);
            f.b += QByteArray(kColacion, 5);
            break;
        }
        f.BVarchar(campos[c]);
    }
    for (q.Primero(); !q.Eof(); q.Siguiente()) {
        f.U8(0xD1);
        for (int c = 0; c < campos.size(); ++c) {
            const QVariant v = q.Campo(campos[c]);
            switch (tipos[size_t(c)]) {
            case TipoTds::Entero:
                if (v.isNull()) {
                    f.U8(0);
                } else {
                    f.U8(8);
                    f.U64(quint64(v.toLongLong()));
                }
                break;
            case TipoTds::Real:
                if (v.isNull()) {
                    f.U8(0);
                } else {
                    f.U8(8);
                    const double d = v.toDouble();
                    quint64 bits;
                    memcpy(&bits, &d, 8);
                    f.U64(bits);
                }
                break;
            case TipoTds::Fecha:
                if (v.isNull()) {
                    f.U8(0);
                } else {
                    // Days since 1900-01-01 and three-hundredths of a second since midnight.
                    const QDateTime t = v.toDateTime();
                    f.U8(8);
                    f.U32(quint32(QDate(1900, 1, 1).daysTo(t.date())));
                    f.U32(quint32((t.time().msecsSinceStartOfDay() * 3 + 5) / 10));
                }
                break;
            case TipoTds::Texto:
                if (v.isNull()) {
                    f.U16(0xFFFF);
                } else {
                    const QByteArray u = Flujo::Ucs2(v.toString().left(4000));
                    f.U16(int(u.size()));
                    f.b += u;
                }
                break;
            }
        }
    }
    Hecho(f, 0x10, quint64(q.Registros()));
    return f.b;
}

} // namespace

ServidorTds::ServidorTds(const QString& carpeta) : carpeta_(carpeta) {
    escucha_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(escucha_, reinterpret_cast<sockaddr*>(&dir), sizeof dir);
    ::listen(escucha_, 4);
    socklen_t largo = sizeof dir;
    ::getsockname(escucha_, reinterpret_cast<sockaddr*>(&dir), &largo);
    puerto_ = ntohs(dir.sin_port);
    hilo_ = std::thread([this] { Atiende(); });
}

ServidorTds::~ServidorTds() {
    fin_ = true;
    hilo_.join();
    ::close(escucha_);
}

ServidorTds::DatosLogin ServidorTds::UltimoLogin() const {
    const std::lock_guard<std::mutex> g(cerrojo_);
    return ultimo_;
}

void ServidorTds::Atiende() {
    while (!fin_) {
        pollfd p{escucha_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int s = ::accept(escucha_, nullptr, nullptr);
        if (s < 0)
            continue;
        Sesion(s);
        ::close(s);
    }
}

void ServidorTds::Sesion(int s) {
    // Each client its own session on the embedded database, in this thread.
    Conexion conexion(QStringLiteral("tds%1").arg(s));
    conexion.carpetaBase = carpeta_;
    quint8 tipo = 0;
    QByteArray datos;
    while (!fin_ && LeeMensaje(s, tipo, datos)) {
        if (tipo == kPrelogin) {
            EnviaMensaje(s, kRespuesta, RespuestaPrelogin());
        } else if (tipo == kLogin7) {
            const Login l = LeeLogin(datos);
            {
                const std::lock_guard<std::mutex> g(cerrojo_);
                ultimo_ = {l.usuario, l.base, l.estacion};
            }
            try {
                conexion.estacion = l.estacion;
                conexion.Abre(
                    QStringLiteral("Data Source=Moravel.db;User ID=%1;Password=%2")
                        .arg(Conexion::ValorCadena(l.usuario), Conexion::ValorCadena(l.clave)));
                EnviaMensaje(s, kRespuesta, RespuestaLogin(l));
            } catch (const ErrorTarvelion&) {
                Flujo f;
                Error(f, 18456, 14, QStringLiteral("Login failed for user '%1'.").arg(l.usuario));
                Hecho(f, 0x02, 0, 0);
                EnviaMensaje(s, kRespuesta, f.b);
                return;
            }
        } else if (tipo == kLote) {
            // ALL_HEADERS first (TDS 7.2 on), then the statement in UCS-2.
            const int cabeceras =
                datos.size() >= 4
                    ? int(quint32(quint8(datos[0])) | quint32(quint8(datos[1])) << 8 |
                          quint32(quint8(datos[2])) << 16 | quint32(quint8(datos[3])) << 24)
                    : 0;
            const QString sql =
                LeeUcs2(datos, cabeceras, int((datos.size() - cabeceras) / 2)).trimmed();
            Flujo f;
            if (sql.startsWith(QLatin1String("SET "), Qt::CaseInsensitive)) {
                Hecho(f, 0, 0);
            } else {
                try {
                    Consulta q({sql}, &conexion);
                    if (sql.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)) {
                        q.Abre();
                        f.b = Resultado(q);
                    } else {
                        Hecho(f, 0x10, quint64(q.Ejecuta()));
                    }
                } catch (const ErrorTarvelion& e) {
                    f.b.clear();
                    Error(f, 50000, 16, e.Texto());
                    Hecho(f, 0x02, 0);
                }
            }
            EnviaMensaje(s, kRespuesta, f.b);
        } else if (tipo == kAtencion) {
            Flujo f;
            Hecho(f, 0x20, 0);
            EnviaMensaje(s, kRespuesta, f.b);
        } else {
            Flujo f;
            Error(f, 50000, 16, QStringLiteral("El servidor de prueba no atiende este mensaje."));
            Hecho(f, 0x02, 0);
            EnviaMensaje(s, kRespuesta, f.b);
        }
    }
}
