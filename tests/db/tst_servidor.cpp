// The embedded server: logins and their passwords, locked accounts, roles, and the procedures
// LogEntrada;1 and sp_password, through the program's connection and query objects.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "common/Errores.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "db/DialectoSqlite.h"
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
