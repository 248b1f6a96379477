// The program's T-SQL on the embedded database gives SQL Server's results: text and number
// "+", NULL propagation, sums, day numbers, dates, roles, case-insensitive codes.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "db/DialectoSqlite.h"
#include "db/ServidorEmbebido.h"

class TstDialecto : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    Conexion* conexion_ = nullptr;
    QDateTime reloj_;

    QVariant Uno(const QString& sql) {
        Consulta q(conexion_);
        q.Agrega(sql);
        q.Abre();
        return q.Campo(q.Campos().first());
    }

private Q_SLOTS:
    void initTestCase() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("Operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_GMA_Escribe")});
        base_->Sql(QStringLiteral(
            "INSERT INTO Vacunaciones (IdCiclo, CertificadoNro, NombreCabana, IdDistrital, "
            "IdProvincia, IdMunicipio, IdProveedor, IdVacunador, CantidadDosis, Laboratorio, "
            "Partida, Procedencia, Expiracion, FechaVacunacion, FechaCertificacion, Paterno, "
            "Materno, Nombres, Terneros, Vaquillas, Torillos) VALUES "
            "('20', 1, 'LA CAÑADA', 'SCZ', '01', '01', 'ABC', '1', 1, 'L', 'P', 'X', 'E', "
            "'2020-01-01', '2020-01-01', 'ROCA', NULL, 'ANA', 3, NULL, NULL), "
            "('20', 2, 'EL TAJIBO', 'BEN', '01', '01', 'ABC', '1', 1, 'L', 'P', 'X', 'E', "
            "'2020-01-01', '2020-01-01', 'PEÑA', 'VACA', 'LUIS', 4, 5, NULL)"));
        base_->Sql(QStringLiteral("INSERT INTO Impresiones VALUES ('A', 'x', 'CGMA', 'SCZ-1', "
                                  "'2026-03-05 00:00:00.000', 0, 'a'), ('B', 'x', 'CGMA', 'SCZ-2', "
                                  "'2026-03-05 10:00:00.000', 0, 'b'), ('C', 'x', 'CGMA', 'SCZ-3', "
                                  "'2026-03-04 23:59:59.999', 0, 'c')"));
        conexion_ = new Conexion(QStringLiteral("dialecto"));
        conexion_->AbreConfiable(base_->Ruta(), QStringLiteral("OPERADOR"),
                                 QStringLiteral("EQUIPO1"), QStringLiteral("Moravel"));
        conexion_->Servidor()->FijaReloj([this] { return reloj_; });
        reloj_ = QDateTime(QDate(2026, 12, 8), QTime(11, 59, 59, 997));
    }
    void cleanupTestCase() {
        delete conexion_;
        delete base_;
    }

    void semantica_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariant>("esperado");
        const QVariant nulo;
        QTest::newRow("texto + con ISNULL de NULL: dos blancos")
            << "SELECT (V.Paterno+' '+ISNULL(V.Materno,'')+' '+V.Nombres) AS N FROM "
               "Vacunaciones V WHERE CertificadoNro = 1"
            << QVariant("ROCA  ANA");
        QTest::newRow("texto + con materno")
            << "SELECT (V.Paterno+' '+ISNULL(V.Materno,'')+' '+V.Nombres) AS N FROM "
               "Vacunaciones V WHERE CertificadoNro = 2"
            << QVariant(QString::fromUtf8("PEÑA VACA LUIS"));
        QTest::newRow("numeros + con un NULL da NULL")
            << "SELECT (V.Terneros + V.Vaquillas) AS T FROM Vacunaciones V WHERE CertificadoNro = 1"
            << nulo;
        QTest::newRow("numeros +") << "SELECT (V.Terneros + V.Vaquillas) AS T FROM Vacunaciones V "
                                      "WHERE CertificadoNro = 2"
                                   << QVariant(9);
        QTest::newRow("texto + NULL da NULL") << "SELECT 'A' + NULL AS T" << nulo;
        QTest::newRow("texto numerico + numero suma") << "SELECT '5' + 3 AS T" << QVariant(8);
        QTest::newRow("precedencia") << "SELECT 2 + 3 * 4 - 1 AS T" << QVariant(13);
        QTest::newRow("resta no es suma") << "SELECT 10 - 2 - 3 AS T" << QVariant(5);
        QTest::newRow("cadena mixta") << "SELECT 1 + 2 + '3' + 4.5 AS T" << QVariant(10.5);
        QTest::newRow("texto y numero en cadena")
            << "SELECT 'a' + 'b' + NULL + 'c' AS T" << QVariant();
        QTest::newRow("+ dentro de un literal") << "SELECT 'a+b' + 'c' AS T" << QVariant("a+bc");
        QTest::newRow("SUM de solo NULL") << "SELECT SUM(Torillos) AS S FROM Vacunaciones" << nulo;
        QTest::newRow("SUM") << "SELECT SUM(Terneros) AS S FROM Vacunaciones" << QVariant(7);
        QTest::newRow("ISNULL de SUM")
            << "SELECT ISNULL(SUM(Torillos), 0) AS S FROM Vacunaciones" << QVariant(0);
        QTest::newRow("dia antes del mediodia")
            << "SELECT CAST(GETDATE() AS INT) AS D" << QVariant(46362);
        QTest::newRow("dia + 30") << "SELECT CAST(GETDATE() AS INT)+30 AS D" << QVariant(46392);
        QTest::newRow("YEAR") << "SELECT YEAR(GETDATE()) AS anio" << QVariant(2026);
        QTest::newRow("IS_MEMBER miembro")
            << "SELECT IS_MEMBER('PSi_GMA_Escribe') AS R" << QVariant(1);
        QTest::newRow("IS_MEMBER sin serlo")
            << "SELECT IS_MEMBER('PSi_GMA_MiraOtras') AS R" << QVariant(0);
        QTest::newRow("IS_MEMBER rol inexistente") << "SELECT IS_MEMBER('NoExiste') AS R" << nulo;
        QTest::newRow("codigos sin mayusculas")
            << "SELECT COUNT(*) AS N FROM Vacunaciones WHERE IdDistrital = 'scz'" << QVariant(1);
        QTest::newRow("login sin mayusculas")
            << "SELECT COUNT(*) AS N FROM Usuarios WHERE IdUsuario = SUSER_SNAME()" << QVariant(1);
        QTest::newRow("SUSER_SNAME normalizado")
            << "SELECT LOWER(LTRIM(RTRIM(SUSER_SNAME()))) AS U" << QVariant("operador");
        QTest::newRow("SUSER_SNAME como lo guarda el servidor")
            << "SELECT SUSER_SNAME() AS U" << QVariant("Operador");
        QTest::newRow("DB_NAME") << "SELECT DB_NAME() AS B" << QVariant("Moravel");
        QTest::newRow("LIKE sin mayusculas")
            << "SELECT COUNT(*) AS N FROM Vacunaciones WHERE NombreCabana LIKE '%taji%'"
            << QVariant(1);
        QTest::newRow("CASE con +")
            << "SELECT CASE WHEN Terneros > 3 THEN Terneros + 1 ELSE 0 END AS C FROM "
               "Vacunaciones WHERE CertificadoNro = 2"
            << QVariant(5);
    }
    void semantica() {
        QFETCH(QString, sql);
        QFETCH(QVariant, esperado);
        const QVariant obtenido = Uno(sql);
        if (esperado.isNull()) {
            QVERIFY2(obtenido.isNull(), qPrintable(obtenido.toString()));
        } else {
            QCOMPARE(obtenido.toString(), esperado.toString());
        }
    }

    // From noon on, SQL Server's conversion rounds to the next day.
    void diaDespuesDelMediodia() {
        reloj_ = QDateTime(QDate(2026, 12, 8), QTime(12, 0));
        QCOMPARE(Uno(QStringLiteral("SELECT CAST(GETDATE() AS INT) AS D")).toInt(), 46363);
        QCOMPARE(DialectoSqlite::DiaSqlServer(QDateTime(QDate(1900, 1, 1), QTime(0, 0))), 0);
        reloj_ = QDateTime(QDate(2026, 12, 8), QTime(11, 59, 59, 997));
    }

    // A range from a day at 00:00 to the same day at 00:00 holds that day's 00:00 row only.
    void rangoDeFechas() {
        Consulta q(conexion_);
        q.FijaSql({QStringLiteral("SELECT Solicitud FROM Impresiones"),
                   QStringLiteral("WHERE FechaImpresion >= :Desde AND FechaImpresion <= :Hasta"),
                   QStringLiteral("ORDER BY Solicitud")});
        const QDateTime dia(QDate(2026, 3, 5), QTime(0, 0));
        q.FechaHora(QStringLiteral("Desde"), dia);
        q.FechaHora(QStringLiteral("Hasta"), dia);
        q.Abre();
        QCOMPARE(q.Registros(), 1);
        QCOMPARE(q.TextoCampo(QStringLiteral("Solicitud")), QStringLiteral("SCZ-1"));
    }

    // Typed values are bound, never spliced: a quote in a value is just a character.
    void valoresEnlazados() {
        Consulta q(conexion_);
        q.FijaSql({QStringLiteral("SELECT COUNT(*) AS N FROM Vacunaciones WHERE Paterno = :P")});
        q.Texto(QStringLiteral("P"), QStringLiteral("x' OR '1'='1"), 70);
        q.Abre();
        QCOMPARE(q.EnteroCampo(QStringLiteral("N")), 0);
    }

    void traduccion_data() {
        QTest::addColumn<QString>("tsql");
        QTest::addColumn<QString>("sqlite");
        QTest::newRow("sin +") << "SELECT * FROM Guias WHERE NroGuia = :N"
                               << "SELECT * FROM Guias WHERE NroGuia = :N";
        QTest::newRow("cadena con :") << "SELECT 'a:b' + X FROM T"
                                      << "SELECT MS_SUMA('a:b', X) FROM T";
        QTest::newRow("anidado") << "SELECT (A + (B + C)) * 2 FROM T"
                                 << "SELECT (MS_SUMA(A, (MS_SUMA(B, C)))) * 2 FROM T";
        QTest::newRow("cadena plana") << "SELECT A + B + C FROM T"
                                      << "SELECT MS_SUMA(A, B, C) FROM T";
        QTest::newRow("con resta") << "SELECT A + B - C + D FROM T"
                                   << "SELECT MS_SUMA(MS_RESTA(MS_SUMA(A, B), C), D) FROM T";
        QTest::newRow("ISNULL") << "SELECT ISNULL(A, 0) FROM T"
                                << "SELECT MS_ISNULL(A , 0) FROM T";
        QTest::newRow("signo") << "SELECT -A + 1 FROM T"
                               << "SELECT MS_SUMA(- A, 1) FROM T";
    }
    void traduccion() {
        QFETCH(QString, tsql);
        QFETCH(QString, sqlite);
        QCOMPARE(DialectoSqlite::Traduce(tsql), sqlite);
    }
};

TARVELION_PRUEBA_MAIN(TstDialecto)
#include "tst_dialecto.moc"
