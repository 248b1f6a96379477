// Test support: a fresh embedded registry database in a temporary folder, built from the
// schema plus the few rows a test needs, and the session globals pointed at it.
#pragma once

#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>

class BaseDePrueba {
public:
    BaseDePrueba();
    ~BaseDePrueba();

    QString Carpeta() const { return carpeta_.path(); }
    QString Ruta() const;

    // A login with its registry user (when `distrital` is not empty) and its roles.
    void Login(const QString& login, const QString& clave, const QString& distrital,
               const QStringList& roles = {});
    // Runs a statement directly on the file (fixture rows), with "?" values.
    void Sql(const QString& sentencia, const QVariantList& valores = {});
    QVariant Valor(const QString& consulta, const QVariantList& valores = {});
    // The department, province and municipality rows most tests need.
    void Geografia();

    // Points the session globals at this database: CarpetaSistema, ArchivoIni and an INI file
    // with the given login (Dialogo 0 unless asked).
    void Configura(const QString& usuario, const QString& clave, int dialogo = 0);
    // Starts a session as the data module does, without the start-up's error box.
    void AbreSesion(const QString& usuario, const QString& clave);

private:
    QTemporaryDir carpeta_;
    QString nombre_;
};
