// Embedded server: logins, roles, procedures.
#include "db/ServidorEmbebido.h"

#include "common/Errores.h"
#include "db/TextoErrores.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace {

QSqlQuery Ejecuta(QSqlDatabase bd, const QString& sql, const QVariantList& valores = {}) {
    QSqlQuery q(bd);
    if (!q.prepare(sql))
        throw ErrorBaseDatos(TextoErrorBase(q.lastError()));
    for (const QVariant& v : valores)
        q.addBindValue(v);
    if (!q.exec())
        throw ErrorBaseDatos(TextoErrorBase(q.lastError()));
    return q;
}

QByteArray Deriva(const QString& clave, const QByteArray& sal, int iteraciones) {
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, clave.toUtf8(), sal,
                                              iteraciones, 32);
}

QString FalloDeInicio(const QString& login) {
    return QStringLiteral("Error de inicio de sesión del usuario '%1'.").arg(login);
}

} // namespace

ServidorEmbebido::ServidorEmbebido(QSqlDatabase bd) : bd_(std::move(bd)) {}

bool ServidorEmbebido::VerificaClave(QSqlDatabase bd, const QString& login, const QString& clave) {
    QSqlQuery q = Ejecuta(bd,
                          QStringLiteral("SELECT Sal, Hash, Iteraciones FROM SrvLogins "
                                         "WHERE Login = ?"),
                          {login});
    if (!q.next())
        return false;
    const QByteArray calculado = Deriva(clave, q.value(0).toByteArray(), q.value(2).toInt());
    const QByteArray guardado = q.value(1).toByteArray();
    // Comparison in constant time.
    if (calculado.size() != guardado.size())
        return false;
    unsigned char diferencia = 0;
    for (qsizetype i = 0; i < calculado.size(); ++i)
        diferencia |= static_cast<unsigned char>(calculado[i] ^ guardado[i]);
    return diferencia == 0;
}

void ServidorEmbebido::IniciaSesion(const QString& login, const QString& clave,
                                    const QString& estacion, const QString& baseDatos) {
    if (!VerificaClave(bd_, login, clave))
        throw ErrorBaseDatos(FalloDeInicio(login));
    QSqlQuery bloqueo =
        Ejecuta(bd_, QStringLiteral("SELECT Bloqueada FROM Usuarios WHERE IdUsuario = ?"), {login});
    if (bloqueo.next() && bloqueo.value(0).toInt() == 1)
        throw ErrorBaseDatos(FalloDeInicio(login) + QStringLiteral(" La cuenta está bloqueada."));
    IniciaSesionConfiable(login, estacion, baseDatos);
}

void ServidorEmbebido::IniciaSesionConfiable(const QString& login, const QString& estacion,
                                             const QString& baseDatos) {
    // The login as the server keeps it (its own spelling), or as given for a trusted session.
    QSqlQuery q =
        Ejecuta(bd_, QStringLiteral("SELECT Login FROM SrvLogins WHERE Login = ?"), {login});
    sesion_.login = q.next() ? q.value(0).toString() : login;
    sesion_.estacion = estacion;
    sesion_.baseDatos = baseDatos;
    CargaRoles();
    sesion_.esMiembro = [this](const QString& rol) {
        const auto it = roles_.constFind(rol.trimmed().toLower());
        if (it == roles_.constEnd())
            return -1;
        return it.value() ? 1 : 0;
    };
    RegistraFunciones();
}

void ServidorEmbebido::CargaRoles() {
    roles_.clear();
    QSqlQuery q = Ejecuta(bd_,
                          QStringLiteral("SELECT R.Rol, (SELECT COUNT(*) FROM SrvMiembros M "
                                         "WHERE M.Rol = R.Rol AND M.Login = ?) "
                                         "FROM SrvRoles R"),
                          {sesion_.login});
    while (q.next())
        roles_.insert(q.value(0).toString().toLower(), q.value(1).toInt() > 0);
}

void ServidorEmbebido::RegistraFunciones() {
    const QVariant manejador = bd_.driver()->handle();
    auto* bd = *static_cast<sqlite3* const*>(manejador.constData());
    DialectoSqlite::Registra(bd, &sesion_);
}

void ServidorEmbebido::EjecutaProcedimiento(const QString& nombre, const QVariantList& args) {
    const QString n = nombre.trimmed().toLower();
    if (n == QLatin1String("logentrada;1") || n == QLatin1String("logentrada")) {
        Ejecuta(bd_,
                QStringLiteral("INSERT INTO LogEntradas (Login, Estacion, FechaEntrada) "
                               "VALUES (?, ?, ?)"),
                {sesion_.login, sesion_.estacion,
                 DialectoSqlite::TextoFecha(sesion_.reloj ? sesion_.reloj()
                                                          : QDateTime::currentDateTime())});
        return;
    }
    if (n == QLatin1String("sp_password")) {
        if (args.size() < 2)
            throw ErrorBaseDatos(
                QStringLiteral("El procedimiento sp_password espera la contraseña anterior y la "
                               "nueva."));
        const QString login =
            args.size() > 2 && !args[2].toString().isEmpty() ? args[2].toString() : sesion_.login;
        if (!VerificaClave(bd_, login, args[0].toString()))
            throw ErrorBaseDatos(QStringLiteral("La contraseña anterior (actual) no es correcta "
                                                "para el usuario. No se cambió la contraseña."));
        CambiaClave(bd_, login, args[1].toString());
        return;
    }
    throw ErrorBaseDatos(
        QStringLiteral("No se encontró el procedimiento almacenado '%1'.").arg(nombre));
}

void ServidorEmbebido::CreaLogin(QSqlDatabase bd, const QString& login, const QString& clave,
                                 int iteraciones) {
    QByteArray sal(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(sal.data()), 4);
    Ejecuta(
        bd,
        QStringLiteral("INSERT INTO SrvLogins (Login, Sal, Hash, Iteraciones) VALUES (?, ?, ?, ?)"),
        {login, sal, Deriva(clave, sal, iteraciones), iteraciones});
}

void ServidorEmbebido::CambiaClave(QSqlDatabase bd, const QString& login, const QString& clave) {
    QByteArray sal(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(sal.data()), 4);
    QSqlQuery q = Ejecuta(bd,
                          QStringLiteral("UPDATE SrvLogins SET Sal = ?, Hash = ?, Iteraciones = ? "
                                         "WHERE Login = ?"),
                          {sal, Deriva(clave, sal, kIteraciones), kIteraciones, login});
    if (q.numRowsAffected() != 1)
        throw ErrorBaseDatos(QStringLiteral("No existe el inicio de sesión '%1'.").arg(login));
}

void ServidorEmbebido::AsignaRol(QSqlDatabase bd, const QString& login, const QString& rol) {
    QSqlQuery existe = Ejecuta(bd, QStringLiteral("SELECT 1 FROM SrvRoles WHERE Rol = ?"), {rol});
    if (!existe.next())
        throw ErrorBaseDatos(
            QStringLiteral("No existe la función de base de datos '%1'.").arg(rol));
    Ejecuta(bd, QStringLiteral("INSERT OR IGNORE INTO SrvMiembros (Rol, Login) VALUES (?, ?)"),
            {rol, login});
}

void ServidorEmbebido::Desbloquea(QSqlDatabase bd, const QString& login) {
    Ejecuta(bd, QStringLiteral("UPDATE Usuarios SET Bloqueada = 0 WHERE IdUsuario = ?"), {login});
}
