// The session's database connection. It realises the connection string that the data module
// builds: a Data Source naming a database file opens the embedded database (SQLite, with the
// embedded server playing the server's part); anything else is a SQL Server reached through
// ODBC with the FreeTDS driver.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <map>
#include <memory>

class ServidorEmbebido;
namespace RevisionArchivo {
class EnCurso;
}

class Conexion {
public:
    explicit Conexion(const QString& nombre = QStringLiteral("MORAVEL"));
    ~Conexion();
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    QString Nombre() const { return nombre_; }

    // Called every time the connection is about to open; returns the connection string.
    std::function<QString()> antesDeConectar;
    // Shows the login prompt (user name pre-filled, empty password); false when cancelled.
    std::function<bool(QString& usuario, QString& clave)> pideCredenciales;
    // Whether the login prompt is shown when opening.
    bool pideLogin = false;
    // The workstation as the server will know it.
    QString estacion;
    // The folder that relative database files are taken from.
    QString carpetaBase;

    // Opens the connection now when it is not open (a failed first opening is retried by the
    // next query). Raises ErrorBaseDatos with the driver's or server's own text.
    void AseguraAbierta();
    // Opens with an explicit connection string.
    void Abre(const QString& cadena);
    // Opens an embedded database as a trusted session of `login` (the admin tool, tests).
    void AbreConfiable(const QString& ruta, const QString& login, const QString& estacion,
                       const QString& baseDatos);
    void Cierra();
    bool Abierta() const;
    // SQL Server's connection was lost: the next query closes it and connects again.
    void MarcaPerdida() { perdida_ = true; }
    bool Perdida() const { return perdida_; }
    bool Embebida() const { return embebida_; }
    // The embedded database's file (empty on SQL Server).
    QString RutaArchivo() const { return ruta_; }
    // Before a write on the embedded database: the file the session opened must still be the
    // one at its path. A removed or replaced file would take the writes with it unseen, so the
    // write is refused with ErrorBaseDatos.
    void VerificaArchivo() const;
    // The check for damage SQLite does not report, started when the embedded file opens: a
    // list for the grid and a write wait for it, and raise ErrorBaseDatos on damage (nothing
    // on SQL Server). The sign-in's own small reads and its entry log do not wait.
    void EsperaRevision() const;
    // The SQLite handle of the embedded database (null on SQL Server).
    struct sqlite3* Manejador() const;

    // A statement of the embedded database prepared once and kept while the connection stays
    // open, reset and with its values cleared; null when SQLite refuses it (the reason is in
    // the handle's error). Statements run row after row (an import) skip the parse this way.
    struct sqlite3_stmt* Preparada(const QByteArray& sql);

    QSqlDatabase Bd() const;
    ServidorEmbebido* Servidor() const { return servidor_.get(); }

    // The pieces "Key=Value;..." of a connection string, keys in upper case.
    static std::map<QString, QString> Partes(const QString& cadena);
    // A value as it goes into a connection string: in double quotes (its own doubled) when it
    // holds ";", starts with a quote or has blanks at its ends; otherwise as it is.
    static QString ValorCadena(const QString& valor);
    // True when a Data Source names a database file rather than a server.
    static bool EsArchivo(const QString& origen);
    // The ODBC connection string for a SQL Server Data Source.
    static QString CadenaOdbc(const std::map<QString, QString>& partes, const QString& usuario,
                              const QString& clave);

    // The session's connection, used by queries that name none (set by the data module).
    static Conexion* Principal();
    static void FijaPrincipal(Conexion* conexion);

    // Seconds the SQL Server login may take before it fails.
    static constexpr int kEsperaLogin = 15;
    // Seconds a statement may wait for SQL Server's answer before it is cancelled. The
    // largest lists (two years of a department's guides) answer in a few seconds; a server
    // that says nothing for two minutes is not going to.
    static constexpr int kEsperaConsulta = 120;
    // This connection's limit (0: none); the embedded database does not use it.
    int esperaConsulta = kEsperaConsulta;

private:
    // Opens the SQLite file and checks it is a registry database.
    QSqlDatabase AbreArchivo(const QString& ruta);

    QString nombre_;
    QString ruta_;
    bool embebida_ = false;
    bool perdida_ = false;
    std::unique_ptr<ServidorEmbebido> servidor_;
    std::unique_ptr<RevisionArchivo::EnCurso> revision_;
    std::map<QByteArray, struct sqlite3_stmt*> preparadas_;
    void OlvidaPreparadas();
};
