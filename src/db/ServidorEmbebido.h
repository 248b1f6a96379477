// The server's part for the embedded database: logins with salted PBKDF2 password hashes,
// sign-ins refused for locked accounts and locked for a while after repeated failures, database
// roles answered to IS_MEMBER, the grants enforced on every statement of a session, and the
// procedures the program calls (LogEntrada;1, sp_password). Its tables live in the same file.
#pragma once

#include "db/DialectoSqlite.h"

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QVariantList>
#include <memory>

class ServidorEmbebido {
public:
    explicit ServidorEmbebido(QSqlDatabase bd);
    ~ServidorEmbebido();

    // Starts the session of `login`: refuses an unknown login, a wrong password, a login locked
    // by failed sign-ins and a locked registry account (Usuarios.Bloqueada = 1) with the
    // server's messages; then registers the server functions and the session's grants.
    void IniciaSesion(const QString& login, const QString& clave, const QString& estacion,
                      const QString& baseDatos);
    // The administrator's session (the admin tool, tests): the login need not exist and no
    // grant is checked.
    void IniciaSesionConfiable(const QString& login, const QString& estacion,
                               const QString& baseDatos);
    const DialectoSqlite::Sesion& Sesion() const { return sesion_; }
    // Fixes the server's clock (tests of dates and day numbers).
    void FijaReloj(std::function<QDateTime()> reloj) { sesion_.reloj = std::move(reloj); }
    // SET DATEFORMAT and the session's number (@@SPID), for a server that serves sessions.
    void FijaOrdenFecha(FechasTexto::Orden orden) { sesion_.ordenFecha = orden; }
    void FijaProceso(int proceso) { sesion_.proceso = proceso; }

    // EXEC of a procedure by name ("LogEntrada;1", "sp_password") with its arguments.
    void EjecutaProcedimiento(const QString& nombre, const QVariantList& argumentos);

    // The server's text for the last statement its grants refused, once; empty when none was.
    QString TomaDenegacion();

    // Administration of logins and roles (the admin tool).
    static void CreaLogin(QSqlDatabase bd, const QString& login, const QString& clave,
                          int iteraciones = kIteraciones);
    static void CambiaClave(QSqlDatabase bd, const QString& login, const QString& clave);
    static void AsignaRol(QSqlDatabase bd, const QString& login, const QString& rol);
    // Lifts both locks: the registry account's and the one of failed sign-ins.
    static void Desbloquea(QSqlDatabase bd, const QString& login);
    static bool VerificaClave(QSqlDatabase bd, const QString& login, const QString& clave);

    // PBKDF2-SHA256 iterations of new hashes; each hash keeps its own count.
    static constexpr int kIteraciones = 600000;
    static constexpr int kFallosParaBloqueo = 5;
    static constexpr int kMinutosBloqueo = 15;
    // Iterations computed by this process so far (tests compare the work of sign-ins).
    static qint64 IteracionesCalculadas();

    struct Permisos;

private:
    // Writes the failed-attempt count in a short immediate transaction.
    void EscribeCuenta(const QString& sql, const QVariantList& valores);
    void CargaRoles();
    void CargaPermisos();
    void RegistraFunciones();
    QDateTime Ahora() const;
    bool EsMiembro(const QString& rol) const;

    QSqlDatabase bd_;
    DialectoSqlite::Sesion sesion_;
    QHash<QString, bool> roles_; // role (lower case) -> member
    std::unique_ptr<Permisos> permisos_;
};
