// The server's part for the embedded database: logins with salted PBKDF2 password hashes,
// locked accounts refused at login, database roles answered to IS_MEMBER, and the procedures
// the program calls (LogEntrada;1, sp_password). Its tables live in the same database file.
#pragma once

#include "db/DialectoSqlite.h"

#include <QHash>
#include <QSqlDatabase>
#include <QVariantList>

class ServidorEmbebido {
public:
    explicit ServidorEmbebido(QSqlDatabase bd);

    // Starts the session of `login`: refuses an unknown login, a wrong password and a locked
    // account (Usuarios.Bloqueada = 1) with the server's messages; then registers the server
    // functions on the connection.
    void IniciaSesion(const QString& login, const QString& clave, const QString& estacion,
                      const QString& baseDatos);
    // The administrator's session (the admin tool, tests): the login need not exist.
    void IniciaSesionConfiable(const QString& login, const QString& estacion,
                               const QString& baseDatos);
    const DialectoSqlite::Sesion& Sesion() const { return sesion_; }
    // Fixes the server's clock (tests of dates and day numbers).
    void FijaReloj(std::function<QDateTime()> reloj) { sesion_.reloj = std::move(reloj); }

    // EXEC of a procedure by name ("LogEntrada;1", "sp_password") with its arguments.
    void EjecutaProcedimiento(const QString& nombre, const QVariantList& argumentos);

    // Administration of logins and roles (the admin tool).
    static void CreaLogin(QSqlDatabase bd, const QString& login, const QString& clave,
                          int iteraciones = kIteraciones);
    static void CambiaClave(QSqlDatabase bd, const QString& login, const QString& clave);
    static void AsignaRol(QSqlDatabase bd, const QString& login, const QString& rol);
    static void Desbloquea(QSqlDatabase bd, const QString& login);
    static bool VerificaClave(QSqlDatabase bd, const QString& login, const QString& clave);

    static constexpr int kIteraciones = 20000;

private:
    void CargaRoles();
    void RegistraFunciones();

    QSqlDatabase bd_;
    DialectoSqlite::Sesion sesion_;
    QHash<QString, bool> roles_; // role (lower case) -> member
};
