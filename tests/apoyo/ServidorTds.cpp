// TDS test server: sockets, sessions and the messages of a session.
#include "apoyo/ServidorTds.h"

#include "apoyo/TdsEjecucion.h"
#include "apoyo/TdsProtocolo.h"
#include "common/Errores.h"
#include "db/Conexion.h"
#include "db/ServidorEmbebido.h"

#include <QByteArray>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Tds;

namespace {

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

} // namespace

namespace Tds {

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

} // namespace Tds

ServidorTds::ServidorTds(const QString& carpeta) : carpeta_(carpeta) {
    escucha_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(escucha_, reinterpret_cast<sockaddr*>(&dir), sizeof dir);
    ::listen(escucha_, 16);
    socklen_t largo = sizeof dir;
    ::getsockname(escucha_, reinterpret_cast<sockaddr*>(&dir), &largo);
    puerto_ = ntohs(dir.sin_port);
    hilo_ = std::thread([this] { Atiende(); });
}

ServidorTds::~ServidorTds() {
    fin_ = true;
    hilo_.join();
    {
        // Sessions still connected are woken from their reads.
        const std::lock_guard<std::mutex> g(cerrojo_);
        for (int s : sockets_)
            ::shutdown(s, SHUT_RDWR);
    }
    for (std::thread& t : sesiones_)
        t.join();
    ::close(escucha_);
}

ServidorTds::DatosLogin ServidorTds::UltimoLogin() const {
    const std::lock_guard<std::mutex> g(cerrojo_);
    return ultimo_;
}

void ServidorTds::FijaFalla(const Falla& falla) {
    const std::lock_guard<std::mutex> g(cerrojo_);
    falla_ = falla;
    marcadas_ = 0;
}

ServidorTds::Falla ServidorTds::FallaPara(const QString& sql) const {
    const std::lock_guard<std::mutex> g(cerrojo_);
    if (!falla_.marca.isEmpty() && sql.contains(falla_.marca))
        return falla_;
    return {};
}

void ServidorTds::Atiende() {
    while (!fin_) {
        pollfd p{escucha_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int s = ::accept(escucha_, nullptr, nullptr);
        if (s < 0)
            continue;
        const std::lock_guard<std::mutex> g(cerrojo_);
        sockets_.push_back(s);
        sesiones_.emplace_back([this, s] {
            Sesion(s);
            const std::lock_guard<std::mutex> g2(cerrojo_);
            sockets_.remove(s);
            ::close(s);
        });
    }
}

void ServidorTds::Sesion(int s) {
    // Each client its own session on the embedded database, in its own thread.
    Conexion conexion(QStringLiteral("tds%1").arg(s));
    conexion.carpetaBase = carpeta_;
    SalidaTds salida(s);
    EjecutorTds ejecutor(conexion, salida);
    ejecutor.antesDeEjecutar = [&](const QString& sql) {
        ++sentencias_;
        const Falla f = FallaPara(sql);
        salida.filasHastaCorte = f.cortaTrasFilas;
        salida.cortaSinResponder =
            f.cortaSinResponder && !f.marca.isEmpty() && marcadas_++ >= f.despuesDe;
        if (f.demoraMs <= 0)
            return false;
        // Slow to answer: an attention meanwhile cancels the statement.
        pollfd p{s, POLLIN, 0};
        if (::poll(&p, 1, f.demoraMs) > 0) {
            quint8 tipo = 0;
            QByteArray datos;
            if (LeeMensaje(s, tipo, datos) && tipo == kAtencion)
                return true;
        }
        return false;
    };
    quint8 tipo = 0;
    QByteArray datos;
    try {
        while (!fin_ && LeeMensaje(s, tipo, datos)) {
            if (tipo == kPrelogin) {
                salida.e.b = RespuestaPrelogin();
            } else if (tipo == kLogin7) {
                const Login l = LeeLogin(datos);
                {
                    const std::lock_guard<std::mutex> g(cerrojo_);
                    ultimo_ = {l.usuario, l.base, l.estacion};
                }
                // The registry's database is the only one this server has.
                if (!l.base.isEmpty() &&
                    l.base.compare(QStringLiteral("Moravel"), Qt::CaseInsensitive) != 0) {
                    Error(salida.e, 4060, 11,
                          QString::fromUtf8("No se puede abrir la base de datos \"%1\" solicitada "
                                            "por el inicio de sesión. Error de inicio de sesión.")
                              .arg(l.base));
                    Error(salida.e, 18456, 14,
                          QString::fromUtf8("Error de inicio de sesión del usuario '%1'.")
                              .arg(l.usuario));
                    Hecho(salida.e, kHecho, kConError, 0, 0);
                    salida.Envia(true);
                    return;
                }
                try {
                    conexion.estacion = l.estacion;
                    conexion.Abre(QStringLiteral("Data Source=Moravel.db;User ID=%1;Password=%2;"
                                                 "Initial Catalog=%3")
                                      .arg(Conexion::ValorCadena(l.usuario),
                                           Conexion::ValorCadena(l.clave),
                                           Conexion::ValorCadena(l.base)));
                    // A server in English until the session says otherwise: month first.
                    conexion.Servidor()->FijaOrdenFecha(FechasTexto::Orden::Mdy);
                    conexion.Servidor()->FijaProceso(50 + s);
                    salida.e.b = RespuestaLogin(l.base);
                } catch (const ErrorTarvelion& e) {
                    // The embedded server's refusal, in its words (a server in Spanish).
                    Error(salida.e, 18456, 14, e.Texto());
                    Hecho(salida.e, kHecho, kConError, 0, 0);
                    salida.Envia(true);
                    return;
                }
            } else if (tipo == kLote) {
                const int desde = FinCabeceras(datos);
                ejecutor.Lote(QString(reinterpret_cast<const QChar*>(datos.constData() + desde),
                                      (datos.size() - desde) / 2));
            } else if (tipo == kRpc) {
                Rpc rpc;
                QString motivo;
                if (LeeRpc(datos, rpc, motivo)) {
                    ejecutor.Llamada(rpc);
                } else {
                    Error(salida.e, 8009, 16,
                          QStringLiteral("El servidor de prueba no pudo leer la llamada: %1.")
                              .arg(motivo));
                    Hecho(salida.e, kHechoProc, kConError, 0);
                }
            } else if (tipo == kTransaccion) {
                ejecutor.Transaccion(datos);
            } else if (tipo == kAtencion) {
                Hecho(salida.e, kHecho, kAtendida, 0);
            } else {
                Error(salida.e, 50000, 16,
                      QStringLiteral("El servidor de prueba no atiende este mensaje."));
                Hecho(salida.e, kHecho, kConError, 0);
            }
            salida.Envia(true);
        }
    } catch (const CorteTds&) {
        // The connection was dropped on purpose mid-result.
    }
}
