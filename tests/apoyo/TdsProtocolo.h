// Test equipment: the pieces of SQL Server's wire protocol (TDS 7.3) the test server speaks —
// little-endian writers and a bounds-checked reader, the tokens of a reply, pre-login and
// LOGIN7, the RPC requests FreeTDS sends for parameterised statements with their typed values,
// and the column types of a result set.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <vector>

namespace Tds {

// Message types of a packet's header.
enum : quint8 {
    kLote = 0x01,
    kRpc = 0x03,
    kRespuesta = 0x04,
    kAtencion = 0x06,
    kTransaccion = 0x0E,
    kLogin7 = 0x10,
    kPrelogin = 0x12
};

// Tokens of a reply.
enum : quint8 {
    kRetornoEstado = 0x79,
    kMetadatos = 0x81,
    kError = 0xAA,
    kInformacion = 0xAB,
    kValorRetorno = 0xAC,
    kAceptaLogin = 0xAD,
    kFila = 0xD1,
    kCambioEntorno = 0xE3,
    kHecho = 0xFD,
    kHechoProc = 0xFE,
    kHechoEnProc = 0xFF
};

// DONE status bits.
enum : quint16 { kMas = 0x01, kConError = 0x02, kConCuenta = 0x10, kAtendida = 0x20 };

struct Escritor {
    QByteArray b;
    void U8(int v) { b += char(v); }
    void U16(int v);
    void U32(quint32 v);
    void U64(quint64 v);
    void BVarchar(const QString& t);
    void UsVarchar(const QString& t);
    // A token with a 2-byte length before its body.
    void ConLargo(quint8 token, const QByteArray& cuerpo);
};

QByteArray Ucs2(const QString& t);

// Reads past the end are marked and yield zeros, so a malformed request is refused whole.
struct Lector {
    const QByteArray& d;
    int i = 0;
    bool ok = true;
    explicit Lector(const QByteArray& datos, int desde = 0) : d(datos), i(desde) {}
    bool Hay(qint64 n);
    quint8 U8();
    quint16 U16();
    quint32 U32();
    quint64 U64();
    QByteArray Bytes(qint64 n);
    QString Ucs2(int caracteres);
    QString BVarchar() { return Ucs2(U8()); }
};

void Hecho(Escritor& e, quint8 token, int estado, quint64 filas, int comando = 0xC1);
void Error(Escritor& e, int numero, int clase, const QString& texto, int estado = 1);
// INFO: a notice (PRINT, RAISERROR of severity up to 10).
void Aviso(Escritor& e, int numero, int clase, const QString& texto, int estado = 1);
void CambioEntorno(Escritor& e, int tipo, const QString& nuevo, const QString& viejo);
// ENVCHANGE of a transaction begun (8), committed (9) or rolled back (10).
void CambioTransaccion(Escritor& e, int tipo, quint64 descriptor);

QByteArray RespuestaPrelogin();

struct Login {
    QString usuario, clave, base, estacion;
};
Login LeeLogin(const QByteArray& d);
QByteArray RespuestaLogin(const QString& base);

// Where ALL_HEADERS ends in a batch, RPC or transaction request.
int FinCabeceras(const QByteArray& d);

// One value of an RPC: its name (without "@", may be empty), whether it is an output, its
// value (null for NULL) and the kind our query binds it as.
enum class ClaseValor { Texto, Entero, Real, Fecha, Bit };
struct ValorRpc {
    QString nombre;
    bool salida = false;
    ClaseValor clase = ClaseValor::Texto;
    QVariant valor;
};
struct Rpc {
    int procedimiento = 0; // sp_executesql 10, sp_prepare 11, sp_execute 12, sp_prepexec 13 …
    QString nombre;        // when named instead of numbered
    std::vector<ValorRpc> valores;
};
// False (with the reason) for a request it cannot read.
bool LeeRpc(const QByteArray& d, Rpc& rpc, QString& motivo);

// A result column's type on the wire.
enum class TipoColumna {
    Bit,
    Entero1,
    Entero2,
    Entero4,
    Entero8,
    Real,
    Fecha,
    FechaSola, // DATE
    Decimal,   // DECIMAL(38, scale)
    Varchar,
    NVarchar,
    Texto // the legacy TEXT type, sent with its text pointer
};
// `escalas` holds each DECIMAL column's scale (none: 0).
void Metadatos(Escritor& e, const QStringList& nombres, const std::vector<TipoColumna>& tipos,
               const std::vector<int>& escalas = {});
// One value of a row in its column's type (QString, qint64, double or QDateTime; null NULL).
void Valor(Escritor& e, TipoColumna tipo, const QVariant& v, int escala = 0);
// RETURNVALUE of an int output parameter (the prepared statement's handle).
void ValorRetornoEntero(Escritor& e, int ordinal, const QString& nombre, qint32 valor);

// One message from a client: its packets up to the one marked end-of-message, joined.
bool LeeMensaje(int socket, quint8& tipo, QByteArray& datos);

} // namespace Tds
