// Test support: a fresh embedded registry database in a temporary folder, built from the
// schema plus the few rows a test needs, and the session globals pointed at it. With
// TARVELION_MOTOR=odbc the program reaches that database as it reaches SQL Server: through
// QODBC, unixODBC and FreeTDS to the TDS test server serving the file.
#pragma once

#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>
#include <memory>

class Conexion;
class ServidorTds;

class BaseDePrueba {
public:
    BaseDePrueba();
    ~BaseDePrueba();

    // Whether this run reaches the database through ODBC and the TDS test server.
    static bool PorOdbc();

    QString Carpeta() const { return carpeta_.path(); }
    QString Ruta() const;

    // A login with its registry user (when `distrital` is not empty) and its roles; its
    // password hashed with few iterations unless asked (sign-ins at the same moment overlap
    // only when working out the password takes a while).
    void Login(const QString& login, const QString& clave, const QString& distrital,
               const QStringList& roles = {}, int iteraciones = 1000);
    // Runs a statement directly on the file (fixture rows), with "?" values.
    void Sql(const QString& sentencia, const QVariantList& valores = {});
    QVariant Valor(const QString& consulta, const QVariantList& valores = {});
    // The first row of `consulta` as the file holds it (empty when there is none).
    QVariantList Fila(const QString& consulta);
    // The department, province and municipality rows most tests need.
    void Geografia();

    // Points the session globals at this database: CarpetaSistema, ArchivoIni and an INI file
    // with the given login (Dialogo 0 unless asked).
    void Configura(const QString& usuario, const QString& clave, int dialogo = 0);
    // Starts a session as the data module does, without the start-up's error box.
    void AbreSesion(const QString& usuario, const QString& clave);
    // Opens `conexion` as a session of `usuario` on this run's backend.
    void AbreConexion(Conexion& conexion, const QString& usuario, const QString& clave);
    // The Data Source of this run's backend, as a connection string names it.
    QString Origen();
    // A connection string for `usuario` on this run's backend.
    QString Cadena(const QString& usuario, const QString& clave);
    // The TDS test server (started with the first use on the ODBC run; null otherwise).
    ServidorTds* Tds();

private:
    QTemporaryDir carpeta_;
    QString nombre_;
    std::unique_ptr<ServidorTds> tds_;
};
