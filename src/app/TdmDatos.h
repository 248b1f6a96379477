// The data module: owner of the session's only database connection (MORAVEL) and of the
// session start (configuration, version check, profile and rights, refusal of unregistered
// logins, entry log, install-folder advice); it also keeps the print log, gives the server's
// year and sets the main window's caption.
#pragma once

#include "db/Conexion.h"

#include <QObject>

class TdmDatos : public QObject {
    Q_OBJECT
public:
    explicit TdmDatos(QObject* padre = nullptr);
    ~TdmDatos() override;

    // The data module of the running session (null before it is created).
    static TdmDatos* Instancia();

    Conexion& MORAVEL() { return moravel_; }

    // Runs every time the connection is about to open: the login-prompt switch and the
    // connection string, built piece by piece.
    void MORAVELBeforeConnect();
    QString CadenaConexion() const { return cadena_; }

    // The session start, run once right after creation. Errors propagate to the start-up,
    // which shows them and leaves the profile empty and every right false.
    virtual void DataModuleCreate();

    // The version check: compares the published version with the program's.
    void RevisarDetalles();
    // The session's user profile and rights (UsuarioBase, IdDistrital, Localidad, ...).
    void LeePerfil();
    // The entry log, for the event "ENTRADA" only.
    void RegistraLogs(const QString& evento);
    // Appends one row to the print log.
    void InsertaTablaImpresiones(const QString& xTipo, const QString& xSolicitud,
                                 const QString& xEmpresa);
    // The database server's current year.
    int qGestion();
    // Main-window caption: "GRAN MORAVEL - " and the module's full title.
    void RefrescaCaptionPrincipal();
    static QString TituloCompleto();

private:
    bool PideCredenciales(QString& usuario, QString& clave);

    Conexion moravel_;
    QString cadena_;
};

// Address scrambling of the INI's server value: 3<->9, 4<->8, 5<->7; the mapping is its own
// inverse.
QString DecryptIP(const QString& texto);
QString EncryptIP(const QString& texto);

// The install-folder advice for a program folder; empty when the folder is the expected one.
QString ConsejoCarpeta(const QString& carpetaSistema);
