// Embedded server: logins, roles, grants, procedures.
#include "db/ServidorEmbebido.h"

#include "common/Errores.h"
#include "db/PermisosSesion.h"
#include "db/TextoErrores.h"

#include <QRandomGenerator>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <openssl/evp.h>
#include <sqlite3.h>

namespace {

std::atomic<qint64> iteracionesCalculadas{0};

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
    const QByteArray c = clave.toUtf8();
    QByteArray clave32(32, '\0');
    PKCS5_PBKDF2_HMAC(c.constData(), int(c.size()),
                      reinterpret_cast<const unsigned char*>(sal.constData()), int(sal.size()),
                      iteraciones, EVP_sha256(), 32,
                      reinterpret_cast<unsigned char*>(clave32.data()));
    iteracionesCalculadas += iteraciones;
    return clave32;
}

QByteArray SalNueva() {
    QByteArray sal(16, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(sal.data()), 4);
    return sal;
}

// Comparison in constant time.
bool Iguales(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return false;
    unsigned char diferencia = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diferencia |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diferencia == 0;
}

QString FalloDeInicio(const QString& login) {
    return QStringLiteral("Error de inicio de sesión del usuario '%1'.").arg(login);
}

} // namespace

ServidorEmbebido::ServidorEmbebido(QSqlDatabase bd) : bd_(std::move(bd)) {}

ServidorEmbebido::~ServidorEmbebido() {
    if (permisos_ && bd_.isOpen()) {
        const QVariant manejador = bd_.driver()->handle();
        if (auto* h = *static_cast<sqlite3* const*>(manejador.constData()))
            sqlite3_set_authorizer(h, nullptr, nullptr);
    }
}

qint64 ServidorEmbebido::IteracionesCalculadas() {
    return iteracionesCalculadas.load();
}

bool ServidorEmbebido::VerificaClave(QSqlDatabase bd, const QString& login, const QString& clave) {
    QSqlQuery q = Ejecuta(bd,
                          QStringLiteral("SELECT Sal, Hash, Iteraciones FROM SrvLogins "
                                         "WHERE Login = ?"),
                          {login});
    if (!q.next())
        return false;
    return Iguales(Deriva(clave, q.value(0).toByteArray(), q.value(2).toInt()),
                   q.value(1).toByteArray());
}

QDateTime ServidorEmbebido::Ahora() const {
    return sesion_.reloj ? sesion_.reloj() : QDateTime::currentDateTime();
}

void ServidorEmbebido::IniciaSesion(const QString& login, const QString& clave,
                                    const QString& estacion, const QString& baseDatos) {
    QSqlQuery q = Ejecuta(bd_,
                          QStringLiteral("SELECT Sal, Hash, Iteraciones, Fallos, BloqueadaHasta "
                                         "FROM SrvLogins WHERE Login = ?"),
                          {login});
    if (!q.next()) {
        // An unknown login costs what a wrong password costs, so that timing tells nothing.
        Deriva(clave, QByteArray(16, '\x5A'), kIteraciones);
        throw ErrorBaseDatos(FalloDeInicio(login));
    }
    const QByteArray sal = q.value(0).toByteArray();
    const QByteArray hash = q.value(1).toByteArray();
    const int iteraciones = q.value(2).toInt();
    const int fallos = q.value(3).toInt();
    const bool conLimite = !q.value(4).isNull();
    const QDateTime hasta = DialectoSqlite::FechaDeTexto(q.value(4).toString());
    // The read ends before the password is worked out and before any write: a read left open
    // would keep this connection from taking the writer's lock while other stations sign in.
    q.finish();
    const bool correcta = Iguales(Deriva(clave, sal, iteraciones), hash);
    const QDateTime ahora = Ahora();
    if (hasta.isValid() && hasta > ahora)
        throw ErrorBaseDatos(FalloDeInicio(login) +
                             QStringLiteral(" El inicio de sesión está bloqueado hasta las %1 por "
                                            "%2 intentos fallidos seguidos; espere o pida al "
                                            "administrador que lo desbloquee.")
                                 .arg(hasta.toString(QStringLiteral("HH:mm")))
                                 .arg(kFallosParaBloqueo));
    const QString textoAhora = DialectoSqlite::TextoFecha(ahora);
    if (!correcta) {
        // Failures in a row lock the login for a while; the count starts again after it. Counted
        // by the database in one statement, so failures at the same moment all count; a login
        // locked meanwhile keeps its lock.
        EscribeCuenta(
            QStringLiteral("UPDATE SrvLogins SET "
                           "BloqueadaHasta = CASE WHEN Fallos + 1 >= ? THEN ? "
                           "ELSE BloqueadaHasta END, "
                           "Fallos = CASE WHEN Fallos + 1 >= ? THEN 0 ELSE Fallos + 1 END "
                           "WHERE Login = ? AND (BloqueadaHasta IS NULL OR "
                           "BloqueadaHasta <= ?)"),
            {kFallosParaBloqueo, DialectoSqlite::TextoFecha(ahora.addSecs(kMinutosBloqueo * 60)),
             kFallosParaBloqueo, login, textoAhora});
        throw ErrorBaseDatos(FalloDeInicio(login));
    }
    if (fallos != 0 || conLimite)
        EscribeCuenta(QStringLiteral("UPDATE SrvLogins SET Fallos = 0, BloqueadaHasta = NULL "
                                     "WHERE Login = ? AND (BloqueadaHasta IS NULL OR "
                                     "BloqueadaHasta <= ?)"),
                      {login, textoAhora});
    QSqlQuery bloqueo =
        Ejecuta(bd_, QStringLiteral("SELECT Bloqueada FROM Usuarios WHERE IdUsuario = ?"), {login});
    if (bloqueo.next() && bloqueo.value(0).toInt() == 1)
        throw ErrorBaseDatos(FalloDeInicio(login) + QStringLiteral(" La cuenta está bloqueada."));
    bloqueo.finish();
    permisos_ = std::make_unique<Permisos>(); // a checked session: no owner's rights by default
    IniciaSesionConfiable(login, estacion, baseDatos);
    CargaPermisos();
}

void ServidorEmbebido::EscribeCuenta(const QString& sql, const QVariantList& valores) {
    // A short transaction that takes the writer's lock at once, waiting its turn behind the
    // other stations (the connection's busy wait) instead of failing as busy.
    Ejecuta(bd_, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        Ejecuta(bd_, sql, valores);
        Ejecuta(bd_, QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery(bd_).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

void ServidorEmbebido::IniciaSesionConfiable(const QString& login, const QString& estacion,
                                             const QString& baseDatos) {
    // The login as the server keeps it (its own spelling), or as given for a trusted session.
    QSqlQuery q =
        Ejecuta(bd_, QStringLiteral("SELECT Login FROM SrvLogins WHERE Login = ?"), {login});
    sesion_.login = q.next() ? q.value(0).toString() : login;
    q.finish();
    sesion_.estacion = estacion;
    sesion_.baseDatos = baseDatos;
    CargaRoles();
    // The administrator's session is the database owner's, as the server's administrator is.
    if (!permisos_)
        roles_.insert(QStringLiteral("db_owner"), true);
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
    roles_.insert(QStringLiteral("public"), true);
}

bool ServidorEmbebido::EsMiembro(const QString& rol) const {
    return roles_.value(rol.toLower(), false);
}

void ServidorEmbebido::CargaPermisos() {
    auto p = std::make_unique<Permisos>();
    p->baseDatos = sesion_.baseDatos;
    p->duena = EsMiembro(QStringLiteral("db_owner"));
    QSqlQuery q = Ejecuta(bd_, QStringLiteral("SELECT Rol, Permiso, Objeto, Columnas FROM "
                                              "SrvPermisos"));
    while (q.next()) {
        if (!EsMiembro(q.value(0).toString()))
            continue;
        const QString clave =
            q.value(1).toString().toUpper() + QLatin1Char(' ') + q.value(2).toString().toLower();
        const QStringList columnas =
            q.value(3).toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
        // A grant on the whole table outweighs one limited to some columns.
        const auto it = p->concedidos.constFind(clave);
        if (it == p->concedidos.constEnd())
            p->concedidos.insert(clave, columnas);
        else if (!it->isEmpty())
            p->concedidos[clave] = columnas.isEmpty() ? QStringList() : *it + columnas;
    }
    permisos_ = std::move(p);
    const QVariant manejador = bd_.driver()->handle();
    sqlite3_set_authorizer(*static_cast<sqlite3* const*>(manejador.constData()),
                           &Permisos::Autoriza, permisos_.get());
}

QString ServidorEmbebido::TomaDenegacion() {
    if (!permisos_)
        return {};
    return std::exchange(permisos_->denegacion, QString());
}

void ServidorEmbebido::RegistraFunciones() {
    const QVariant manejador = bd_.driver()->handle();
    auto* bd = *static_cast<sqlite3* const*>(manejador.constData());
    if (!DialectoSqlite::Registra(bd, &sesion_))
        throw ErrorBaseDatos(QStringLiteral("No se pudieron registrar las funciones del servidor "
                                            "en la sesión: %1")
                                 .arg(QString::fromUtf8(sqlite3_errmsg(bd))));
}

void ServidorEmbebido::EjecutaProcedimiento(const QString& nombre, const QVariantList& args) {
    const QString n = nombre.trimmed().toLower();
    if (permisos_)
        permisos_->denegacion.clear();
    SentenciaInterna interna(permisos_.get());
    if (n == QLatin1String("logentrada;1") || n == QLatin1String("logentrada")) {
        Ejecuta(bd_,
                QStringLiteral("INSERT INTO LogEntradas (Login, Estacion, FechaEntrada) "
                               "VALUES (?, ?, ?)"),
                {sesion_.login, sesion_.estacion, DialectoSqlite::TextoFecha(Ahora())});
        return;
    }
    if (n == QLatin1String("sp_password")) {
        if (args.size() < 2)
            throw ErrorBaseDatos(
                QStringLiteral("El procedimiento sp_password espera la contraseña anterior y la "
                               "nueva."));
        const QString login =
            args.size() > 2 && !args[2].toString().isEmpty() ? args[2].toString() : sesion_.login;
        const bool otro = login.compare(sesion_.login, Qt::CaseInsensitive) != 0;
        const bool administra = EsMiembro(QStringLiteral("Sis_AdministraUsuarios")) ||
                                EsMiembro(QStringLiteral("db_owner"));
        if (otro && !administra)
            throw ErrorBaseDatos(QStringLiteral("Se denegó el permiso para cambiar la contraseña "
                                                "del inicio de sesión '%1': se necesita la "
                                                "función Sis_AdministraUsuarios.")
                                     .arg(login));
        // An administrator may set another login's password without knowing the old one.
        if (!(otro && args[0].isNull()) && !VerificaClave(bd_, login, args[0].toString()))
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
    const QByteArray sal = SalNueva();
    Ejecuta(
        bd,
        QStringLiteral("INSERT INTO SrvLogins (Login, Sal, Hash, Iteraciones) VALUES (?, ?, ?, ?)"),
        {login, sal, Deriva(clave, sal, iteraciones), iteraciones});
}

void ServidorEmbebido::CambiaClave(QSqlDatabase bd, const QString& login, const QString& clave) {
    const QByteArray sal = SalNueva();
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
    Ejecuta(bd,
            QStringLiteral("UPDATE SrvLogins SET Fallos = 0, BloqueadaHasta = NULL WHERE "
                           "Login = ?"),
            {login});
}
