// Opening the session's connection on either backend.
#include "db/Conexion.h"

#include "common/ArchivosDeLaBase.h"
#include "common/Errores.h"
#include "db/Esquema.h"
#include "db/RevisionArchivo.h"
#include "db/ServidorEmbebido.h"
#include "db/TextoErrores.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace {
QString TextoError(const QSqlError& e) {
    const QString texto = TextoErrorBase(e);
    return texto.isEmpty() ? QStringLiteral("Error de conexión con la base de datos") : texto;
}
} // namespace

namespace {
Conexion* principal = nullptr;

// Why a database file that would not open cannot be written, ahead of SQLite's own text: the
// embedded database keeps its working files (-wal, -shm) beside the file, so a read-only folder
// stops it as surely as a read-only file.
QString SinEscritura(const QString& ruta) {
    const QFileInfo archivo(ruta);
    const QFileInfo carpeta(archivo.absolutePath());
    if (!carpeta.isWritable())
        return QString::fromUtf8("La carpeta %1 de la base de datos es de solo lectura para este "
                                 "usuario, y la base de datos necesita escribir allí sus archivos "
                                 "de trabajo. Pida al administrador permiso de escritura en la "
                                 "carpeta.\n")
            .arg(QDir::toNativeSeparators(carpeta.absoluteFilePath()));
    if (!archivo.isWritable())
        return QString::fromUtf8("El archivo %1 de la base de datos es de solo lectura para este "
                                 "usuario. Pida al administrador permiso de escritura.\n")
            .arg(QDir::toNativeSeparators(archivo.absoluteFilePath()));
    return {};
}
} // namespace

Conexion::Conexion(const QString& nombre) : nombre_(nombre) {}

Conexion::~Conexion() {
    Cierra();
    if (principal == this)
        principal = nullptr;
}

Conexion* Conexion::Principal() {
    return principal;
}
void Conexion::FijaPrincipal(Conexion* conexion) {
    principal = conexion;
}

std::map<QString, QString> Conexion::Partes(const QString& cadena) {
    // "Clave=Valor;" pairs; a value in double or single quotes may hold ";" and its own quote
    // doubled, as the provider's connection strings allow.
    std::map<QString, QString> partes;
    qsizetype i = 0;
    const qsizetype n = cadena.size();
    while (i < n) {
        const qsizetype igual = cadena.indexOf(QLatin1Char('='), i);
        const qsizetype puntoYComa = cadena.indexOf(QLatin1Char(';'), i);
        if (igual < 0 || (puntoYComa >= 0 && puntoYComa < igual)) {
            if (puntoYComa < 0)
                break;
            i = puntoYComa + 1;
            continue;
        }
        const QString clave = cadena.mid(i, igual - i).trimmed().toUpper();
        qsizetype j = igual + 1;
        while (j < n && cadena[j] == QLatin1Char(' '))
            ++j;
        QString valor;
        if (j < n && (cadena[j] == QLatin1Char('"') || cadena[j] == QLatin1Char('\''))) {
            const QChar comilla = cadena[j++];
            while (j < n) {
                if (cadena[j] == comilla) {
                    if (j + 1 < n && cadena[j + 1] == comilla) {
                        valor += comilla;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                valor += cadena[j++];
            }
            const qsizetype fin = cadena.indexOf(QLatin1Char(';'), j);
            i = fin < 0 ? n : fin + 1;
        } else {
            const qsizetype fin = cadena.indexOf(QLatin1Char(';'), igual + 1);
            valor = cadena.mid(igual + 1, (fin < 0 ? n : fin) - igual - 1);
            i = fin < 0 ? n : fin + 1;
        }
        if (!clave.isEmpty())
            partes[clave] = valor;
    }
    return partes;
}

QString Conexion::ValorCadena(const QString& valor) {
    const bool cita = valor.contains(QLatin1Char(';')) || valor.startsWith(QLatin1Char('"')) ||
                      valor.startsWith(QLatin1Char('\'')) || valor != valor.trimmed();
    if (!cita)
        return valor;
    return QLatin1Char('"') + QString(valor).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

bool Conexion::EsArchivo(const QString& origen) {
    const QString o = origen.trimmed().toLower();
    // "SERVIDOR\INSTANCIA" names a SQL Server instance; a file has an extension of its own, a
    // "/" or a drive letter.
    return o.endsWith(QLatin1String(".db")) || o.endsWith(QLatin1String(".sqlite")) ||
           o.contains(QLatin1Char('/')) ||
           (o.size() > 2 && o[1] == QLatin1Char(':') && o[2] == QLatin1Char('\\'));
}

QString Conexion::CadenaOdbc(const std::map<QString, QString>& p, const QString& usuario,
                             const QString& clave) {
    auto valor = [&](const char* k) {
        const auto it = p.find(QString::fromLatin1(k));
        return it == p.end() ? QString() : it->second;
    };
    // The FreeTDS driver by its file where the package puts it, else by its registered name.
    const QString libreria = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so");
    const QString driver = QFileInfo::exists(libreria) ? libreria : QStringLiteral("{FreeTDS}");
    QString servidor = valor("DATA SOURCE");
    QString puerto = QStringLiteral("1433");
    if (const qsizetype coma = servidor.indexOf(QLatin1Char(',')); coma > 0) {
        puerto = servidor.mid(coma + 1).trimmed();
        servidor = servidor.left(coma).trimmed();
    }
    // Values are wrapped in braces so that ";" inside a password cannot split the string.
    auto llave = [](const QString& v) {
        return QLatin1Char('{') + QString(v).replace(QLatin1Char('}'), QStringLiteral("}}")) +
               QLatin1Char('}');
    };
    return QStringLiteral("DRIVER=%1;SERVER=%2;PORT=%3;DATABASE=%4;UID=%5;PWD=%6;WSID=%7;"
                          "ClientCharset=UTF-8;TDS_Version=7.3")
        .arg(driver, servidor, puerto, llave(valor("INITIAL CATALOG")), llave(usuario),
             llave(clave), llave(valor("WORKSTATION ID")));
}

void Conexion::AseguraAbierta() {
    if (perdida_)
        Cierra();
    if (Abierta())
        return;
    if (!antesDeConectar)
        throw ErrorBaseDatos(
            QStringLiteral("La conexión con la base de datos no está configurada."));
    Abre(antesDeConectar());
}

void Conexion::Abre(const QString& cadena) {
    Cierra();
    const auto partes = Partes(cadena);
    auto valor = [&](const char* k) {
        const auto it = partes.find(QString::fromLatin1(k));
        return it == partes.end() ? QString() : it->second;
    };
    QString usuario = valor("USER ID");
    QString clave = valor("PASSWORD");
    if (pideLogin) {
        if (!pideCredenciales || !pideCredenciales(usuario, clave))
            throw ErrorBaseDatos(QStringLiteral("Se canceló la conexión con la base de datos."));
    }
    const QString origen = valor("DATA SOURCE");
    if (EsArchivo(origen)) {
        const QString ruta = QDir(carpetaBase.isEmpty() ? QDir::currentPath() : carpetaBase)
                                 .absoluteFilePath(origen.trimmed());
        QSqlDatabase bd = AbreArchivo(ruta);
        try {
            servidor_ = std::make_unique<ServidorEmbebido>(bd);
            servidor_->IniciaSesion(usuario, clave, estacion, valor("INITIAL CATALOG"));
        } catch (...) {
            bd = QSqlDatabase();
            Cierra();
            throw;
        }
        return;
    }
    QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre_);
    bd.setDatabaseName(CadenaOdbc(partes, usuario, clave));
    bd.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1")
                             .arg(kEsperaLogin));
    QString texto;
    if (!bd.open()) {
        texto = TextoError(bd.lastError());
    } else {
        // Text dates are read day first, as the offices write them, whatever the login's
        // language.
        QSqlQuery formato(bd);
        formato.setForwardOnly(true);
        if (!formato.exec(QStringLiteral("SET DATEFORMAT dmy")))
            texto = TextoError(formato.lastError());
    }
    if (!texto.isEmpty()) {
        bd.close();
        bd = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombre_);
        throw ErrorBaseDatos(texto);
    }
}

QSqlDatabase Conexion::AbreArchivo(const QString& ruta) {
    if (!QFileInfo::exists(ruta))
        throw ErrorBaseDatos(
            QStringLiteral("No existe la base de datos %1.").arg(QDir::toNativeSeparators(ruta)));
    QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre_);
    bd.setDatabaseName(ruta);
    bd.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    QString error;
    QSqlError falla; // of the test read, when the file opened but could not be read
    if (!bd.open()) {
        error = TextoError(bd.lastError());
    } else {
        Esquema::PreparaConexion(bd);
        // A file that is not a registry database (or not a database at all) fails here.
        QSqlQuery prueba(bd);
        // Large lists read the file through memory mapping and a generous page cache.
        prueba.exec(QStringLiteral("PRAGMA mmap_size=1073741824"));
        prueba.exec(QStringLiteral("PRAGMA cache_size=-65536"));
        if (!prueba.exec(QStringLiteral("SELECT COUNT(*) FROM SrvLogins"))) {
            falla = prueba.lastError();
            error = QStringLiteral("El archivo %1 no es una base de datos del registro: %2")
                        .arg(QDir::toNativeSeparators(ruta), TextoError(falla));
        } else {
            prueba.finish();
            try {
                const QVariant manejador = bd.driver()->handle();
                Esquema::Actualiza(*static_cast<sqlite3* const*>(manejador.constData()));
            } catch (const ErrorBaseDatos& e) {
                error = e.Texto();
            }
        }
    }
    if (!error.isEmpty()) {
        bd = QSqlDatabase();
        Cierra();
        // A folder or file that cannot be written is said first, and then it is not called a
        // file that is no registry database.
        const QString sinEscritura = SinEscritura(ruta);
        if (!sinEscritura.isEmpty() && falla.isValid())
            error = falla.databaseText();
        throw ErrorBaseDatos(sinEscritura + error);
    }
    embebida_ = true;
    ruta_ = ruta;
    ArchivosDeLaBase::Registra(ruta_);
    revision_ = std::make_unique<RevisionArchivo::EnCurso>(ruta_);
    return bd;
}

void Conexion::AbreConfiable(const QString& ruta, const QString& login, const QString& estacion,
                             const QString& baseDatos) {
    Cierra();
    QSqlDatabase bd = AbreArchivo(ruta);
    servidor_ = std::make_unique<ServidorEmbebido>(bd);
    servidor_->IniciaSesionConfiable(login, estacion, baseDatos);
}

void Conexion::OlvidaPreparadas() {
    for (auto& [sql, st] : preparadas_)
        sqlite3_finalize(st);
    preparadas_.clear();
}

sqlite3_stmt* Conexion::Preparada(const QByteArray& sql) {
    sqlite3* bd = Manejador();
    if (!bd)
        return nullptr;
    if (const auto it = preparadas_.find(sql); it != preparadas_.end()) {
        sqlite3_reset(it->second);
        sqlite3_clear_bindings(it->second);
        return it->second;
    }
    if (preparadas_.size() >= 64) // a session's statements are few; a flood is not kept
        OlvidaPreparadas();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(bd, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK ||
        !st) {
        sqlite3_finalize(st);
        return nullptr;
    }
    preparadas_.emplace(sql, st);
    return st;
}

void Conexion::EsperaRevision() const {
    if (revision_)
        revision_->Espera();
}

void Conexion::Cierra() {
    revision_.reset();
    // Kept statements go before the file closes: an open statement would keep it open.
    OlvidaPreparadas();
    servidor_.reset();
    if (QSqlDatabase::contains(nombre_)) {
        {
            QSqlDatabase bd = QSqlDatabase::database(nombre_, false);
            bd.close();
        }
        QSqlDatabase::removeDatabase(nombre_);
    }
    if (!ruta_.isEmpty())
        ArchivosDeLaBase::Retira(ruta_);
    embebida_ = false;
    perdida_ = false;
    ruta_.clear();
}

sqlite3* Conexion::Manejador() const {
    if (!embebida_ || !Abierta())
        return nullptr;
    const QVariant manejador = Bd().driver()->handle();
    return *static_cast<sqlite3* const*>(manejador.constData());
}

void Conexion::VerificaArchivo() const {
    sqlite3* bd = Manejador();
    if (!bd)
        return;
    int movido = 0;
    if (sqlite3_file_control(bd, "main", SQLITE_FCNTL_HAS_MOVED, &movido) == SQLITE_OK &&
        movido != 0)
        throw ErrorBaseDatos(
            QStringLiteral("El archivo de la base de datos %1 fue borrado o reemplazado mientras "
                           "el programa lo usaba: lo que se guarde ahora se perdería. Cierre el "
                           "programa y vuelva a abrirlo.")
                .arg(QDir::toNativeSeparators(ruta_)));
}

bool Conexion::Abierta() const {
    return QSqlDatabase::contains(nombre_) && QSqlDatabase::database(nombre_, false).isOpen();
}

QSqlDatabase Conexion::Bd() const {
    return QSqlDatabase::database(nombre_, false);
}
