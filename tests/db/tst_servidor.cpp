// The embedded server: logins and their passwords, locked accounts, roles, and the procedures
// LogEntrada;1 and sp_password, through the program's connection and query objects.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "common/Errores.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "db/DialectoSqlite.h"
#include "db/Esquema.h"
#include "db/ServidorEmbebido.h"

namespace {
QString Cadena(const QString& usuario, const QString& clave) {
    return QStringLiteral("Provider=SQLOLEDB.1;Password=%2;Persist Security Info=False;User ID=%1;"
                          "Initial Catalog=Moravel;Data Source=Moravel.db;Workstation ID=PC-01")
        .arg(usuario, clave);
}
} // namespace

class TstServidor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void inicioDeSesion_data() {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("error"); // empty: accepted
        QTest::newRow("correcto") << "ana"
                                  << "Clave-1"
                                  << "";
        QTest::newRow("login sin mayusculas") << "ANA"
                                              << "Clave-1"
                                              << "";
        QTest::newRow("clave equivocada")
            << "ana"
            << "clave-1" << QString::fromUtf8("Error de inicio de sesión del usuario 'ana'.");
        QTest::newRow("login desconocido")
            << "nadie"
            << "x" << QString::fromUtf8("Error de inicio de sesión del usuario 'nadie'.");
        QTest::newRow("cuenta bloqueada")
            << "bloqueado"
            << "b"
            << QString::fromUtf8(
                   "Error de inicio de sesión del usuario 'bloqueado'. La cuenta está bloqueada.");
    }
    void inicioDeSesion() {
        QFETCH(QString, usuario);
        QFETCH(QString, clave);
        QFETCH(QString, error);
        BaseDePrueba base;
        base.Login(QStringLiteral("ana"), QStringLiteral("Clave-1"), QStringLiteral("SCZ"));
        base.Login(QStringLiteral("bloqueado"), QStringLiteral("b"), QStringLiteral("SCZ"));
        base.Sql(QStringLiteral("UPDATE Usuarios SET Bloqueada = 1 WHERE IdUsuario = 'bloqueado'"));
        Conexion c(QStringLiteral("s"));
        c.carpetaBase = base.Carpeta();
        try {
            c.Abre(Cadena(usuario, clave));
            QVERIFY2(error.isEmpty(), "aceptado sin deber");
            QVERIFY(c.Abierta());
            QCOMPARE(c.Servidor()->Sesion().login, QStringLiteral("ana"));
        } catch (const ErrorBaseDatos& e) {
            QCOMPARE(e.Texto(), error);
            QVERIFY(!c.Abierta());
        }
        // The hash is salted: the same password of two logins gives two different hashes.
        base.Login(QStringLiteral("otra"), QStringLiteral("Clave-1"), QString());
        QVERIFY(base.Valor(QStringLiteral("SELECT COUNT(DISTINCT Hash) FROM SrvLogins WHERE Login "
                                          "IN ('ana', 'otra')"))
                    .toInt() == 2);
        QVERIFY(base.Valor(QStringLiteral("SELECT COUNT(*) FROM SrvLogins WHERE Hash LIKE "
                                          "'%Clave%'"))
                    .toInt() == 0);
    }

    void archivosQueNoSonBases() {
        QTemporaryDir carpeta;
        Conexion c(QStringLiteral("a"));
        c.carpetaBase = carpeta.path();
        try {
            c.Abre(Cadena(QStringLiteral("a"), QStringLiteral("b")));
            QFAIL("sin error");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().startsWith(QStringLiteral("No existe la base de datos ")),
                     qPrintable(e.Texto()));
        }
        QFile basura(carpeta.filePath(QStringLiteral("Moravel.db")));
        basura.open(QIODevice::WriteOnly);
        basura.write(QByteArray(4096, 'x'));
        basura.close();
        try {
            c.Abre(Cadena(QStringLiteral("a"), QStringLiteral("b")));
            QFAIL("sin error");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("no es una base de datos del registro")),
                     qPrintable(e.Texto()));
        }
        QVERIFY(!c.Abierta());
    }

    // LogEntrada;1 writes login, workstation and time; sp_password checks the old password.
    void procedimientos() {
        BaseDePrueba base;
        base.Login(QStringLiteral("Ana"), QStringLiteral("vieja"), QStringLiteral("SCZ"));
        Conexion c(QStringLiteral("p"));
        c.carpetaBase = base.Carpeta();
        c.estacion = QStringLiteral("PC-01");
        c.Abre(Cadena(QStringLiteral("ana"), QStringLiteral("vieja")));
        const QDateTime antes = QDateTime::currentDateTime().addSecs(-1);
        Consulta log({QStringLiteral("EXEC LogEntrada;1")}, &c);
        log.Ejecuta();
        // The log is the server's: written through the procedure, read by the administrator.
        QCOMPARE(base.Valor(QStringLiteral("SELECT COUNT(*) FROM LogEntradas")).toInt(), 1);
        QCOMPARE(base.Valor(QStringLiteral("SELECT Login FROM LogEntradas")).toString(),
                 QStringLiteral("Ana"));
        QCOMPARE(base.Valor(QStringLiteral("SELECT Estacion FROM LogEntradas")).toString(),
                 QStringLiteral("PC-01"));
        QVERIFY(
            DialectoSqlite::FechaDeTexto(
                base.Valor(QStringLiteral("SELECT FechaEntrada FROM LogEntradas")).toString()) >=
            antes);

        Consulta clave({QStringLiteral("EXEC sp_password :Vieja, :Nueva")}, &c);
        clave.Texto(QStringLiteral("Vieja"), QStringLiteral("equivocada"), 128);
        clave.Texto(QStringLiteral("Nueva"), QStringLiteral("nueva"), 128);
        QVERIFY_THROWS_EXCEPTION(ErrorBaseDatos, clave.Ejecuta());
        try {
            clave.Ejecuta();
        } catch (const ErrorBaseDatos& e) {
            QCOMPARE(e.Texto(), QString::fromUtf8("La contraseña anterior (actual) no es correcta "
                                                  "para el usuario. No se cambió la contraseña."));
        }
        clave.Texto(QStringLiteral("Vieja"), QStringLiteral("vieja"), 128);
        clave.Ejecuta();
        c.Cierra();
        QVERIFY_THROWS_EXCEPTION(ErrorBaseDatos,
                                 c.Abre(Cadena(QStringLiteral("ana"), QStringLiteral("vieja"))));
        c.Abre(Cadena(QStringLiteral("ana"), QStringLiteral("nueva")));
        QVERIFY(c.Abierta());
    }

    // The grants are the database's: what each login may do through the program's own query
    // layer, whatever the menus show. A refusal is the server's "Se denegó el permiso ...".
    void permisos_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("permitidos");
        const QStringList todos{"nadie", "operador", "ciclos", "administra", "duena"};
        QTest::newRow("geografía") << "SELECT * FROM Provincias" << todos;
        QTest::newRow("perfil propio")
            << "SELECT * FROM Usuarios WHERE IdUsuario = SUSER_SNAME()" << todos;
        QTest::newRow("guías") << "SELECT COUNT(*) FROM Guias"
                               << QStringList{"operador", "ciclos", "duena"};
        QTest::newRow("certificados") << "SELECT NombreCabana FROM Vacunaciones"
                                      << QStringList{"operador", "ciclos", "duena"};
        QTest::newRow("editar guías") << "UPDATE Guias SET NroTalonario = 1 WHERE NroGuia = -1"
                                      << QStringList{"operador", "duena"};
        QTest::newRow("borrar guías")
            << "DELETE FROM Guias WHERE NroGuia = -1" << QStringList{"duena"};
        QTest::newRow("escribir certificados")
            << "DELETE FROM Vacunaciones WHERE CertificadoNro = -1"
            << QStringList{"ciclos", "duena"};
        QTest::newRow("registro de impresiones")
            << "SELECT * FROM Impresiones" << QStringList{"duena"};
        QTest::newRow("vencimiento de la clave propia")
            << "UPDATE Usuarios SET NuevoPassword = CAST(GETDATE() AS INT)+30 WHERE IdUsuario = "
               "SUSER_SNAME()"
            << todos;
        QTest::newRow("bloquear a otro")
            << "UPDATE Usuarios SET Bloqueada = 1 WHERE IdUsuario = 'otro'"
            << QStringList{"administra", "duena"};
        QTest::newRow("cambiar su departamento")
            << "UPDATE Usuarios SET IdDistrital = 'BEN' WHERE IdUsuario = SUSER_SNAME()"
            << QStringList{"administra", "duena"};
        QTest::newRow("darse una función")
            << "INSERT INTO SrvMiembros VALUES ('db_owner', SUSER_SNAME())" << QStringList();
        QTest::newRow("leer las claves") << "SELECT Hash FROM SrvLogins" << QStringList();
        QTest::newRow("registro de entradas")
            << "SELECT * FROM LogEntradas" << QStringList{"duena"};
        QTest::newRow("unir otra base") << "ATTACH DATABASE 'otra.db' AS otra" << QStringList();
        QTest::newRow("crear una tabla") << "CREATE TABLE T (A INT)" << QStringList();
        QTest::newRow("tabla temporal propia") << "CREATE TEMP TABLE Mia (A INT)" << todos;
    }
    void permisos() {
        QFETCH(QString, sql);
        QFETCH(QStringList, permitidos);
        BaseDePrueba base;
        const std::pair<const char*, QStringList> logins[] = {
            {"nadie", {}},
            {"operador", {QStringLiteral("PSi_GMA_Escribe")}},
            {"ciclos", {QStringLiteral("PSi_Ciclos_Escribe")}},
            {"administra", {QStringLiteral("Sis_AdministraUsuarios")}},
            {"duena", {QStringLiteral("db_owner")}}};
        for (const auto& [login, roles] : logins)
            base.Login(QString::fromLatin1(login), QStringLiteral("x"), QStringLiteral("SCZ"),
                       roles);
        base.Login(QStringLiteral("otro"), QStringLiteral("x"), QStringLiteral("SCZ"));
        for (const auto& [nombre, roles] : logins) {
            const QString login = QString::fromLatin1(nombre);
            Conexion c(QStringLiteral("permisos-") + login);
            c.carpetaBase = base.Carpeta();
            c.Abre(Cadena(login, QStringLiteral("x")));
            Consulta q({sql}, &c);
            QString error;
            try {
                q.Ejecuta();
            } catch (const ErrorBaseDatos& e) {
                error = e.Texto();
            }
            const bool permitido = permitidos.contains(login);
            QVERIFY2(error.isEmpty() == permitido, qPrintable(login + QLatin1String(": ") + error));
            if (!permitido)
                QVERIFY2(error.startsWith(QString::fromUtf8("Se denegó el permiso")),
                         qPrintable(error));
        }
        QCOMPARE(base.Valor(QStringLiteral("SELECT COUNT(*) FROM SrvMiembros WHERE Rol = "
                                           "'db_owner'"))
                     .toInt(),
                 1);
    }

    // An unknown login costs the same work as a wrong password; new hashes take at least
    // 600,000 iterations; five failures in a row lock the login for 15 minutes, even for the
    // right password, until the time is over or the administrator lifts it.
    void endurecimiento() {
        BaseDePrueba base;
        {
            QSqlDatabase bd =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("endurece"));
            bd.setDatabaseName(base.Ruta());
            QVERIFY(bd.open());
            Esquema::PreparaConexion(bd);
            ServidorEmbebido::CreaLogin(bd, QStringLiteral("lenta"), QStringLiteral("buena"));
            bd.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("endurece"));
        QVERIFY(ServidorEmbebido::kIteraciones >= 600000);
        QCOMPARE(base.Valor(QStringLiteral("SELECT Iteraciones FROM SrvLogins WHERE Login = "
                                           "'lenta'"))
                     .toInt(),
                 ServidorEmbebido::kIteraciones);
        Conexion c(QStringLiteral("endurece"));
        c.carpetaBase = base.Carpeta();
        // The iterations a refused sign-in computed (-1 when it was not refused).
        auto trabajo = [&](const QString& login, const QString& clave) -> qint64 {
            const qint64 antes = ServidorEmbebido::IteracionesCalculadas();
            try {
                c.Abre(Cadena(login, clave));
            } catch (const ErrorBaseDatos&) {
                return ServidorEmbebido::IteracionesCalculadas() - antes;
            }
            return -1;
        };
        QCOMPARE(trabajo(QStringLiteral("desconocida"), QStringLiteral("x")),
                 qint64(ServidorEmbebido::kIteraciones));
        QCOMPARE(trabajo(QStringLiteral("lenta"), QStringLiteral("mala")),
                 qint64(ServidorEmbebido::kIteraciones));

        base.Login(QStringLiteral("ana"), QStringLiteral("buena"), QStringLiteral("SCZ"));
        for (int i = 1; i < ServidorEmbebido::kFallosParaBloqueo; ++i)
            QCOMPARE(trabajo(QStringLiteral("ana"), QStringLiteral("mala")), 1000);
        c.Abre(Cadena(QStringLiteral("ana"), QStringLiteral("buena"))); // the count starts again
        for (int i = 0; i < ServidorEmbebido::kFallosParaBloqueo; ++i)
            QCOMPARE(trabajo(QStringLiteral("ana"), QStringLiteral("mala")), 1000);
        try {
            c.Abre(Cadena(QStringLiteral("ana"), QStringLiteral("buena")));
            QFAIL("no bloqueado");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("bloqueado hasta las")),
                     qPrintable(e.Texto()));
        }
        const QDateTime hasta = DialectoSqlite::FechaDeTexto(
            base.Valor(QStringLiteral("SELECT BloqueadaHasta FROM SrvLogins WHERE Login = 'ana'"))
                .toString());
        QVERIFY(qAbs(QDateTime::currentDateTime().secsTo(hasta) - 15 * 60) < 60);
        // The time over, the right password opens again.
        base.Sql(QStringLiteral("UPDATE SrvLogins SET BloqueadaHasta = '2020-01-01' WHERE Login "
                                "= 'ana'"));
        c.Abre(Cadena(QStringLiteral("ana"), QStringLiteral("buena")));
        QVERIFY(c.Abierta());
    }

    // sp_password for another login needs the user administrators' role; they may set it
    // without the old one.
    void claveDeOtro() {
        BaseDePrueba base;
        base.Login(QStringLiteral("ana"), QStringLiteral("a"), QStringLiteral("SCZ"));
        base.Login(QStringLiteral("jefe"), QStringLiteral("j"), QStringLiteral("SCZ"),
                   {QStringLiteral("Sis_AdministraUsuarios")});
        base.Login(QStringLiteral("luis"), QStringLiteral("l"), QStringLiteral("SCZ"));
        auto cambia = [&](const QString& quien, const QString& clave) {
            Conexion c(QStringLiteral("clave-") + quien);
            c.carpetaBase = base.Carpeta();
            c.Abre(Cadena(quien, clave));
            Consulta q({QStringLiteral("EXEC sp_password :Vieja, :Nueva, :Login")}, &c);
            q.Nulo(QStringLiteral("Vieja"), TipoParametro::Texto);
            q.Texto(QStringLiteral("Nueva"), QStringLiteral("nueva-de-luis"), 128);
            q.Texto(QStringLiteral("Login"), QStringLiteral("luis"), 128);
            q.Ejecuta();
        };
        try {
            cambia(QStringLiteral("ana"), QStringLiteral("a"));
            QFAIL("cambiada");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("Sis_AdministraUsuarios")),
                     qPrintable(e.Texto()));
        }
        QVERIFY(base.Valor(QStringLiteral("SELECT Iteraciones FROM SrvLogins WHERE Login = 'luis'"))
                    .toInt() < ServidorEmbebido::kIteraciones);
        cambia(QStringLiteral("jefe"), QStringLiteral("j"));
        Conexion c(QStringLiteral("luis"));
        c.carpetaBase = base.Carpeta();
        c.Abre(Cadena(QStringLiteral("luis"), QStringLiteral("nueva-de-luis")));
        QVERIFY(c.Abierta());
    }

    // A text longer than its parameter is refused with a clear message, never cut silently.
    void textoDemasiadoLargo() {
        BaseDePrueba base;
        base.Login(QStringLiteral("ana"), QStringLiteral("x"), QStringLiteral("SCZ"));
        Conexion c(QStringLiteral("t"));
        c.carpetaBase = base.Carpeta();
        c.Abre(Cadena(QStringLiteral("ana"), QStringLiteral("x")));
        Consulta q({QStringLiteral("SELECT :Ref AS R")}, &c);
        q.Texto(QStringLiteral("Ref"), QStringLiteral("SCZ-1234567"), 10);
        try {
            q.Abre();
            QFAIL("sin error");
        } catch (const ErrorBaseDatos& e) {
            QCOMPARE(e.Texto(), QString::fromUtf8("El valor del parámetro Ref (\"SCZ-1234567\") "
                                                  "excede los 10 caracteres permitidos."));
        }
    }
};

TARVELION_PRUEBA_MAIN(TstServidor)
#include "tst_servidor.moc"
