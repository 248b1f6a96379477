// Fresh embedded databases for tests.
#include "apoyo/BaseDePrueba.h"

#include "apoyo/ServidorTds.h"
#include "app/Configuracion.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Utilidades.h"
#include "db/Conexion.h"
#include "db/Esquema.h"
#include "db/ServidorEmbebido.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QUuid>

BaseDePrueba::BaseDePrueba() : nombre_(QStringLiteral("prueba-") + QUuid::createUuid().toString()) {
    Esquema::CreaBaseEmbebida(Ruta());
    QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre_);
    bd.setDatabaseName(Ruta());
    bd.open();
    Esquema::PreparaConexion(bd);
    // The program's own version is published, so a session start opens no update window.
    Sql(QStringLiteral("INSERT INTO Actualizacion VALUES ('Tarvelion', ?, '', '')"),
        {VersionModulo()});
}

BaseDePrueba::~BaseDePrueba() {
    tds_.reset();
    QSqlDatabase::database(nombre_, false).close();
    QSqlDatabase::removeDatabase(nombre_);
}

QString BaseDePrueba::Ruta() const {
    return QDir(carpeta_.path()).filePath(QStringLiteral("Moravel.db"));
}

void BaseDePrueba::Sql(const QString& sentencia, const QVariantList& valores) {
    QSqlQuery q(QSqlDatabase::database(nombre_, false));
    if (!q.prepare(sentencia))
        qFatal("%s: %s", qPrintable(sentencia), qPrintable(q.lastError().text()));
    for (const QVariant& v : valores)
        q.addBindValue(v);
    if (!q.exec())
        qFatal("%s: %s", qPrintable(sentencia), qPrintable(q.lastError().text()));
}

QVariant BaseDePrueba::Valor(const QString& consulta, const QVariantList& valores) {
    QSqlQuery q(QSqlDatabase::database(nombre_, false));
    q.prepare(consulta);
    for (const QVariant& v : valores)
        q.addBindValue(v);
    if (!q.exec())
        qFatal("%s: %s", qPrintable(consulta), qPrintable(q.lastError().text()));
    return q.next() ? q.value(0) : QVariant();
}

QVariantList BaseDePrueba::Fila(const QString& consulta) {
    QSqlQuery q(QSqlDatabase::database(nombre_, false));
    if (!q.exec(consulta))
        qFatal("%s: %s", qPrintable(consulta), qPrintable(q.lastError().text()));
    QVariantList fila;
    if (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            fila << q.value(i);
    return fila;
}

void BaseDePrueba::Login(const QString& login, const QString& clave, const QString& distrital,
                         const QStringList& roles, int iteraciones) {
    QSqlDatabase bd = QSqlDatabase::database(nombre_, false);
    ServidorEmbebido::CreaLogin(bd, login, clave, iteraciones);
    if (!distrital.isEmpty())
        Sql(QStringLiteral(
                "INSERT INTO Usuarios (IdUsuario, Paterno, Materno, Nombres, IdDistrital, "
                "Localidad, Bloqueada) VALUES (?, 'PEREZ', NULL, 'ANA', ?, 'CENTRO', 0)"),
            {login, distrital});
    for (const QString& rol : roles)
        ServidorEmbebido::AsignaRol(bd, login, rol);
}

void BaseDePrueba::Geografia() {
    Sql(QStringLiteral("INSERT INTO Distritales VALUES ('SCZ','Santa Cruz'), ('BEN','Beni'), "
                       "('PDO','Pando')"));
    Sql(QStringLiteral("INSERT INTO Provincias VALUES ('SCZ','01','Andrés Ibáñez'), "
                       "('SCZ','02','Warnes'), ('BEN','01','Cercado'), ('BEN','02','Vaca Díez')"));
    Sql(QStringLiteral("INSERT INTO Municipios VALUES ('SCZ','01','01','Santa Cruz de la Sierra'), "
                       "('SCZ','01','02','Cotoca'), ('SCZ','02','01','Warnes'), "
                       "('BEN','01','01','Trinidad'), ('BEN','02','01','Riberalta'), "
                       "('BEN','02','02','Guayaramerín')"));
}

bool BaseDePrueba::PorOdbc() {
    return qEnvironmentVariable("TARVELION_MOTOR") == QLatin1String("odbc");
}

ServidorTds* BaseDePrueba::Tds() {
    if (!tds_ && PorOdbc())
        tds_ = std::make_unique<ServidorTds>(carpeta_.path());
    return tds_.get();
}

QString BaseDePrueba::Origen() {
    if (ServidorTds* s = Tds())
        return QStringLiteral("127.0.0.1,%1").arg(s->Puerto());
    return QStringLiteral("Moravel.db");
}

QString BaseDePrueba::Cadena(const QString& usuario, const QString& clave) {
    return QStringLiteral("Data Source=%1;Initial Catalog=Moravel;User ID=%2;Password=%3")
        .arg(Origen(), Conexion::ValorCadena(usuario), Conexion::ValorCadena(clave));
}

void BaseDePrueba::AbreConexion(Conexion& conexion, const QString& usuario, const QString& clave) {
    conexion.carpetaBase = carpeta_.path();
    conexion.Abre(Cadena(usuario, clave));
}

void BaseDePrueba::Configura(const QString& usuario, const QString& clave, int dialogo) {
    CarpetaSistema = carpeta_.path();
    ArchivoIni = QDir(carpeta_.path()).filePath(QStringLiteral("Tarvelion.ini"));
    QFile ini(ArchivoIni);
    ini.open(QIODevice::WriteOnly | QIODevice::Truncate);
    // Marked as UTF-8, so logins and passwords beyond Windows-1252's plain letters arrive as
    // typed (an unmarked file is read as Windows-1252).
    ini.write("\xEF\xBB\xBF");
    // The INI keeps the server's address with its digits swapped, as the program reads it.
    ini.write(QStringLiteral("[CONECTIVIDAD]\r\nServidor=%4\r\nBaseDatos=Moravel\r\n"
                             "Usuario=%1\r\nPassword=%2\r\nDialogo=%3\r\n")
                  .arg(usuario, clave)
                  .arg(dialogo)
                  .arg(EncryptIP(Origen()))
                  .toUtf8());
}

void BaseDePrueba::AbreSesion(const QString& usuario, const QString& clave) {
    Configura(usuario, clave);
    LeeConfiguracion();
    TdmDatos::Instancia()->MORAVEL().Cierra();
    TdmDatos::Instancia()->MORAVEL().AseguraAbierta();
}
