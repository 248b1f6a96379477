// The support mail to the development team: its settings ([CORREO] of Tarvelion.ini, with the
// defaults below), the message (the machine and session facts ahead of the user's text, UTF-8
// MIME) and the SMTP send through libcurl, with authentication when the server asks for it and
// STARTTLS when it offers it.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

// The defaults of [CORREO]; the account's password has none and is never in the code.
namespace CorreoPorDefecto {
inline constexpr char kServidor[] = "correo.moravel.gob.bo";
inline constexpr int kPuerto = 25;
inline constexpr char kCuenta[] = "tarvelion";
inline constexpr char kRemitente[] = "tarvelion@moravel.gob.bo";
inline constexpr char kEquipo[] = "soporte.telmaro@moravel.gob.bo";
inline constexpr int kSegundos = 30;
} // namespace CorreoPorDefecto

struct AjustesCorreo {
    QString servidor = QString::fromLatin1(CorreoPorDefecto::kServidor);
    int puerto = CorreoPorDefecto::kPuerto;
    QString cuenta = QString::fromLatin1(CorreoPorDefecto::kCuenta);
    QString clave; // [CORREO] Clave
    QString remitente = QString::fromLatin1(CorreoPorDefecto::kRemitente);
    QString equipo = QString::fromLatin1(CorreoPorDefecto::kEquipo);
    int segundos = CorreoPorDefecto::kSegundos; // connection and whole-exchange limit
    QString certificadoCA; // a CA file for the server's certificate (empty: the system's)
};
// Server, Puerto, Cuenta, Clave, Remitente, Equipo, Segundos, CertificadoCA.
AjustesCorreo LeeAjustesCorreo();

// The body: the seven lines of facts, the rule, then the user's text with its own breaks.
QStringList LineasCuerpo(const QString& comentario);

struct MensajeCorreo {
    QString responderA, asunto;
    QStringList cuerpo;
    QDateTime fecha;
};
// The whole message as it goes on the wire: CRLF lines, the subject as a UTF-8 encoded word,
// the body in base64. Line breaks in the header texts are dropped (they would start new
// headers).
QByteArray ArmaMensaje(const AjustesCorreo& a, const MensajeCorreo& m);

// The steps of a send, as the status line names them.
enum class PasoCorreo { Conectando, Autenticando, Enviando };

// Sends one message; each step is told to `paso` as it starts. Raises ErrorCorreo with a
// Spanish text (the server's own words added) when the server cannot be reached, refuses the
// account or the recipient, or does not answer in time.
void EnviaCorreo(const AjustesCorreo& a, const MensajeCorreo& m,
                 const std::function<void(PasoCorreo)>& paso = {});
