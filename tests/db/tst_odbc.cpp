// The program's SQL Server path (QODBC, unixODBC, FreeTDS) against the TDS test server on
// 127.0.0.1: the connection string reaches it with the login, database and workstation, the
// login is checked against the registry's logins, and a refused login ends with the server's
// error.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "apoyo/ServidorTds.h"
#include "common/Errores.h"
#include "db/Conexion.h"

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
};

TARVELION_PRUEBA_MAIN(TstOdbc)
#include "tst_odbc.moc"
