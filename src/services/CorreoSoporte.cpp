// Support mail: message and SMTP send.
#include "services/CorreoSoporte.h"

#include "app/Configuracion.h"
#include "app/Globales.h"
#include "common/Errores.h"
#include "common/Utilidades.h"

#include <QCoreApplication>
#include <QUuid>
#include <curl/curl.h>
#include <memory>

AjustesCorreo LeeAjustesCorreo() {
    AjustesCorreo a;
    if (ArchivoIni.isEmpty())
        return a;
    const ArchivoConfiguracion ini(ArchivoIni);
    const QString s = QStringLiteral("CORREO");
    a.servidor = ini.Texto(s, QStringLiteral("Servidor"), a.servidor);
    a.puerto = ini.Entero(s, QStringLiteral("Puerto"), a.puerto);
    a.cuenta = ini.Texto(s, QStringLiteral("Cuenta"), a.cuenta);
    a.clave = ini.Texto(s, QStringLiteral("Clave"), a.clave);
    a.remitente = ini.Texto(s, QStringLiteral("Remitente"), a.remitente);
    a.equipo = ini.Texto(s, QStringLiteral("Equipo"), a.equipo);
    a.segundos = ini.Entero(s, QStringLiteral("Segundos"), a.segundos);
    a.certificadoCA = ini.Texto(s, QStringLiteral("CertificadoCA"), a.certificadoCA);
    return a;
}

QStringList LineasCuerpo(const QString& comentario) {
    const int so = IdSistemaOperativo();
    QStringList l{QStringLiteral("PC.....: ") + NombreComputadora(),
                  QStringLiteral("SO.....: ") + NombreSistemaOperativo(so),
                  QStringLiteral("Id SO..: ") + QString::number(so),
                  QStringLiteral("MODULO.: ") + QCoreApplication::applicationName(),
                  QStringLiteral("VERSION: ") + VersionModulo(),
                  QStringLiteral("USUARIO: ") + UsuarioBase,
                  QStringLiteral("DISTRIT: ") + IdDistrital,
                  QStringLiteral("---------------------")};
    // The user's text with its own line breaks, whatever their kind.
    QString texto = comentario;
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    l << texto.split(QLatin1Char('\n'));
    return l;
}

namespace {

// A header text on one line: CR and LF would end the header and start another.
QString UnaLinea(QString t) {
    t.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t.trimmed();
}

// Plain ASCII as it is; anything else as RFC 2047 encoded words of UTF-8 (each under 76
// characters, cut between characters).
QByteArray Encabezado(const QString& texto) {
    bool ascii = true;
    for (QChar c : texto)
        ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
    if (ascii)
        return texto.toLatin1();
    QByteArray salida;
    QByteArray trozo;
    auto cierra = [&] {
        if (trozo.isEmpty())
            return;
        if (!salida.isEmpty())
            salida += "\r\n ";
        salida += "=?UTF-8?B?" + trozo.toBase64() + "?=";
        trozo.clear();
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const qsizetype n = texto[i].isHighSurrogate() && i + 1 < texto.size() ? 2 : 1;
        const QByteArray c = texto.mid(i, n).toUtf8();
        if ((trozo.size() + c.size() + 2) / 3 * 4 > 44)
            cierra();
        trozo += c;
        i += n - 1;
    }
    cierra();
    return salida;
}

QByteArray Direccion(const QString& d) {
    return "<" + UnaLinea(d).toUtf8() + ">";
}

} // namespace

QByteArray ArmaMensaje(const AjustesCorreo& a, const MensajeCorreo& m) {
    QByteArray s;
    auto h = [&](const char* nombre, const QByteArray& valor) {
        s += nombre;
        s += ": ";
        s += valor;
        s += "\r\n";
    };
    h("Date", m.fecha.toString(Qt::RFC2822Date).toLatin1());
    h("From", "\"GRAN MORAVEL\" " + Direccion(a.remitente));
    h("Sender", Direccion(a.remitente));
    h("To", Direccion(a.equipo));
    h("Reply-To", Direccion(m.responderA));
    h("Subject", Encabezado(UnaLinea(m.asunto)));
    h("Message-ID", "<" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "@" +
                        UnaLinea(a.remitente).section(QLatin1Char('@'), 1).toUtf8() + ">");
    h("MIME-Version", "1.0");
    h("Content-Type", "text/plain; charset=UTF-8");
    h("Content-Transfer-Encoding", "base64");
    s += "\r\n";
    const QByteArray cuerpo = m.cuerpo.join(QStringLiteral("\r\n")).toUtf8().toBase64();
    for (qsizetype i = 0; i < cuerpo.size(); i += 76)
        s += cuerpo.mid(i, 76) + "\r\n";
    return s;
}

namespace {

struct Lectura {
    QByteArray datos;
    qsizetype hecho = 0;
};

size_t LeeMensaje(char* destino, size_t tamano, size_t n, void* datos) {
    auto* l = static_cast<Lectura*>(datos);
    const size_t queda = size_t(l->datos.size() - l->hecho);
    const size_t copia = std::min(queda, tamano * n);
    memcpy(destino, l->datos.constData() + l->hecho, copia);
    l->hecho += qsizetype(copia);
    return copia;
}

// The commands the client sends tell which step has begun.
struct Seguimiento {
    const std::function<void(PasoCorreo)>* paso;
    bool autenticando = false, enviando = false;
};

int Observa(CURL*, curl_infotype tipo, char* datos, size_t n, void* usuario) {
    auto* s = static_cast<Seguimiento*>(usuario);
    if (tipo != CURLINFO_HEADER_OUT || !*s->paso)
        return 0;
    const QByteArray linea = QByteArray(datos, qsizetype(n)).toUpper();
    if (!s->autenticando && linea.startsWith("AUTH")) {
        s->autenticando = true;
        (*s->paso)(PasoCorreo::Autenticando);
    } else if (!s->enviando && linea.startsWith("MAIL FROM")) {
        s->enviando = true;
        if (!s->autenticando) // a server that asks for no login: the step is passed all the same
            (*s->paso)(PasoCorreo::Autenticando);
        (*s->paso)(PasoCorreo::Enviando);
    }
    return 0;
}

void IniciaCurl() {
    static const bool listo = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!listo)
        throw ErrorCorreo(QString::fromUtf8("No se pudo preparar el envío de correo."));
}

} // namespace

void EnviaCorreo(const AjustesCorreo& a, const MensajeCorreo& m,
                 const std::function<void(PasoCorreo)>& paso) {
    IniciaCurl();
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        throw ErrorCorreo(QString::fromUtf8("No se pudo preparar el envío de correo."));
    CURL* c = curl.get();
    char error[CURL_ERROR_SIZE] = {};
    Lectura lectura{ArmaMensaje(a, m)};
    Seguimiento seguimiento{&paso};
    const QByteArray url = "smtp://" + a.servidor.toUtf8() + ":" + QByteArray::number(a.puerto);
    const QByteArray de = Direccion(a.remitente);
    const QByteArray para = Direccion(a.equipo);
    const QByteArray cuenta = a.cuenta.toUtf8(), clave = a.clave.toUtf8();
    const QByteArray ca = a.certificadoCA.toLocal8Bit();
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> destinos(
        curl_slist_append(nullptr, para.constData()), curl_slist_free_all);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, de.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, destinos.get());
    // The account is offered only when the server asks for a login; STARTTLS when it offers it.
    if (!cuenta.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, cuenta.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, clave.constData());
    }
    curl_easy_setopt(c, CURLOPT_USE_SSL, long(CURLUSESSL_TRY));
    if (!ca.isEmpty())
        curl_easy_setopt(c, CURLOPT_CAINFO, ca.constData());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(a.segundos));
    curl_easy_setopt(c, CURLOPT_TIMEOUT, long(a.segundos));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, LeeMensaje);
    curl_easy_setopt(c, CURLOPT_READDATA, &lectura);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, curl_off_t(lectura.datos.size()));
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, Observa);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &seguimiento);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
    if (paso)
        paso(PasoCorreo::Conectando);
    const CURLcode r = curl_easy_perform(c);
    if (r == CURLE_OK)
        return;
    long codigo = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &codigo);
    const QString servidor = QStringLiteral("%1:%2").arg(a.servidor).arg(a.puerto);
    const QString detalle = QString::fromUtf8(error[0] ? error : curl_easy_strerror(r));
    QString texto;
    switch (r) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
        texto =
            QString::fromUtf8("No se pudo conectar con el servidor de correo %1.").arg(servidor);
        break;
    case CURLE_OPERATION_TIMEDOUT:
        texto = QString::fromUtf8("El servidor de correo %1 no respondió en %2 segundos.")
                    .arg(servidor)
                    .arg(a.segundos);
        break;
    case CURLE_LOGIN_DENIED:
        texto = QString::fromUtf8("El servidor de correo rechazó la cuenta %1 o su contraseña.")
                    .arg(a.cuenta);
        break;
    default:
        if (detalle.contains(QLatin1String("RCPT"), Qt::CaseInsensitive))
            texto = QString::fromUtf8("El servidor de correo rechazó la dirección del equipo de "
                                      "desarrollo %1.")
                        .arg(a.equipo);
        else
            texto =
                QString::fromUtf8("No se pudo enviar el mail por el servidor %1.").arg(servidor);
    }
    throw ErrorCorreo(texto + QStringLiteral("\n(") + detalle +
                      (codigo ? QStringLiteral(", respuesta %1").arg(codigo) : QString()) +
                      QLatin1Char(')'));
}
