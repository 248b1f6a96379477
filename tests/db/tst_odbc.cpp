// The program's SQL Server path (QODBC, unixODBC, FreeTDS) against the TDS test server on
// 127.0.0.1: the connection string reaches it with the login, database and workstation, the
// login is checked against the registry's logins, and a refused login ends with the server's
// error.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "apoyo/ServidorTds.h"
#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "common/ModeloGrilla.h"
#include "common/Utilidades.h"
#include "db/Conexion.h"
#include "db/Consulta.h"

#include <QElapsedTimer>
#include <QTest>

class TstOdbc : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void conexion() {
        BaseDePrueba base;
        base.Login(QStringLiteral("ana"), QString::fromUtf8("cl;a've ñ1"), QStringLiteral("BEN"),
                   {QStringLiteral("PSi_Lee")});
        ServidorTds servidor(base.Carpeta());
        Conexion c(QStringLiteral("odbc"));
        try {
            c.Abre(QString::fromUtf8("Data Source=127.0.0.1,%1;User ID=ana;Password=\"cl;a've "
                                     "ñ1\";Initial Catalog=Moravel;Workstation ID=PC-PRUEBA")
                       .arg(servidor.Puerto()));
        } catch (const ErrorTarvelion& e) {
            QFAIL(qPrintable(e.Texto()));
        }
        QVERIFY(c.Abierta());
        const ServidorTds::DatosLogin l = servidor.UltimoLogin();
        QCOMPARE(l.usuario, QStringLiteral("ana"));
        QCOMPARE(l.base, QStringLiteral("Moravel"));
        QCOMPARE(l.estacion, QStringLiteral("PC-PRUEBA"));
        c.Cierra();

        Conexion mala(QStringLiteral("mala"));
        try {
            mala.Abre(QStringLiteral("Data Source=127.0.0.1,%1;User ID=ana;Password=otra")
                          .arg(servidor.Puerto()));
            QFAIL("entró con una contraseña mala");
        } catch (const ErrorBaseDatos& e) {
            // The server's words alone, without the driver's tags or its generic line.
            QCOMPARE(e.Texto(), QString::fromUtf8("Error de inicio de sesión del usuario 'ana'."));
        }
        QVERIFY(!mala.Abierta());
    }

    // The session as the program starts it from the INI: its login, its database and this
    // workstation's name reach the server, and the session's facts come back from it.
    void sesionDelIni() {
        GrabadoraInstalada grabadora;
        BaseDePrueba base;
        base.Login(QStringLiteral("operador"), QString::fromUtf8("clavé'1"), QStringLiteral("BEN"),
                   {QStringLiteral("PSi_GMA_Escribe")});
        base.Configura(QStringLiteral("operador"), QString::fromUtf8("clavé'1"));
        auto modulo = Arranque::CreaModuloDatos();
        QCOMPARE(grabadora->Textos(), QStringList());
        QVERIFY(modulo->MORAVEL().Abierta());
        QVERIFY(!modulo->MORAVEL().Embebida());
        const ServidorTds::DatosLogin l = base.Tds()->UltimoLogin();
        QCOMPARE(l.usuario, QStringLiteral("operador"));
        QCOMPARE(l.base, QStringLiteral("Moravel"));
        QCOMPARE(l.estacion, NombreComputadora());
        QCOMPARE(UsuarioBase, QStringLiteral("operador"));
        QCOMPARE(IdDistrital, QStringLiteral("BEN"));
    }

    // A server that drops the connection after part of a result: an error that says the
    // connection was lost, never the rows that came as if they were all, in a query and in a
    // grid alike; the next query connects again.
    void conexionCortadaAMitad() {
        BaseDePrueba base;
        base.Login(QStringLiteral("ana"), QStringLiteral("x"), QStringLiteral("BEN"));
        LlenaForo(base, 3000);
        ServidorTds* servidor = base.Tds();
        QVERIFY(servidor);
        for (const bool grilla : {false, true}) {
            Conexion c(QStringLiteral("corte"));
            c.antesDeConectar = [&] {
                return base.Cadena(QStringLiteral("ana"), QStringLiteral("x"));
            };
            c.AseguraAbierta();
            servidor->FijaFalla({QStringLiteral("FROM Foros"), 0, 1000});
            Consulta q({QStringLiteral("SELECT * FROM Foros ORDER BY IdPregunta")}, &c);
            ModeloGrilla modelo;
            try {
                if (grilla)
                    q.AbreEn(modelo);
                else
                    q.Abre();
                QFAIL("un resultado cortado terminó como si estuviera completo");
            } catch (const ErrorBaseDatos& e) {
                QVERIFY2(e.Texto().startsWith(QString::fromUtf8("Se perdió o no se pudo establecer "
                                                                "la conexión con el servidor")),
                         qPrintable(e.Texto()));
            }
            QCOMPARE(q.Registros(), 0);
            QCOMPARE(modelo.rowCount(), 0);
            servidor->FijaFalla({});
            q.Abre();
            QCOMPARE(q.Registros(), 3000);
        }
    }

    // A statement the server does not answer within the connection's limit is cancelled:
    // a clear error after about that time, and the connection answers the next statement.
    void esperaAgotada() {
        BaseDePrueba base;
        base.Login(QStringLiteral("ana"), QStringLiteral("x"), QStringLiteral("BEN"));
        LlenaForo(base, 10);
        Conexion c(QStringLiteral("espera"));
        c.esperaConsulta = 1;
        base.AbreConexion(c, QStringLiteral("ana"), QStringLiteral("x"));
        base.Tds()->FijaFalla({QStringLiteral("FROM Foros"), 20000, -1});
        QElapsedTimer reloj;
        reloj.start();
        try {
            Consulta q({QStringLiteral("SELECT * FROM Foros")}, &c);
            q.Abre();
            QFAIL("la consulta no se canceló");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().startsWith(QString::fromUtf8(
                         "El servidor de la base de datos no respondió a tiempo")),
                     qPrintable(e.Texto()));
        }
        QVERIFY2(reloj.elapsed() < 10000, qPrintable(QString::number(reloj.elapsed())));
        base.Tds()->FijaFalla({});
        Consulta q({QStringLiteral("SELECT COUNT(*) AS n FROM Foros")}, &c);
        q.Abre();
        QCOMPARE(q.EnteroCampo(QStringLiteral("n")), 10);
    }

private:
    static void LlenaForo(BaseDePrueba& base, int preguntas) {
        base.Sql(QStringLiteral(
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                     "INSERT INTO Foros SELECT i, 'Pregunta ' || i, NULL, 'T', NULL, 'ana', "
                     "'2026-01-01 00:00:00.000', NULL, NULL FROM n"),
                 {preguntas});
    }
};

TARVELION_PRUEBA_MAIN(TstOdbc)
#include "tst_odbc.moc"
