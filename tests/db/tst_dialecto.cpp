// The program's T-SQL on the embedded database gives SQL Server's results: text and number
// "+", NULL propagation, sums, day numbers, dates, roles, case-insensitive codes.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "common/Errores.h"
#include "db/Colacion.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "db/DialectoSqlite.h"
#include "db/LoteTsql.h"
#include "db/ServidorEmbebido.h"

class TstDialecto : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    Conexion* conexion_ = nullptr;
    QDateTime reloj_;

    // The first value of the answer; of several rows, their first values joined by "|".
    QVariant Uno(const QString& sql) {
        Consulta q(conexion_);
        q.Agrega(sql);
        q.Abre();
        if (q.Registros() <= 1)
            return q.Campo(q.Campos().first());
        QStringList valores;
        for (; !q.Eof(); q.Siguiente())
            valores << q.Campo(q.Campos().first()).toString();
        return valores.join(QLatin1Char('|'));
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
                                  "'2026-03-04 23:59:59.997', 0, 'c')"));
        base_->Sql(QString::fromUtf8(
            "INSERT INTO Provincias VALUES ('SCZ', '01', 'Warnes'), ('SCZ', '02', 'Ángel "
            "Sandóval'), "
            "('SCZ', '03', 'Obispo Santistevan'), ('SCZ', '04', 'Ñuflo de Chávez'), "
            "('SCZ', '05', 'Andrés Ibáñez'), ('SCZ', '06', 'Velasco'), ('BEN', '01', 'Cercado')"));
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
    // What SQL Server answers with the registry's case-insensitive, accent-sensitive Spanish
    // collation and its T-SQL forms.
    void comoSqlServer_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariant>("esperado");
        const QString orden = QString::fromUtf8(
            "Andrés Ibáñez|Ángel Sandóval|Ñuflo de Chávez|Obispo Santistevan|Velasco|Warnes");
        auto fila = [](const char* nombre, const char* sql, const QVariant& v) {
            QTest::newRow(nombre) << QString::fromUtf8(sql) << v;
        };
        fila("LIKE con ñ y sin mayúsculas",
             "SELECT COUNT(*) FROM Vacunaciones WHERE Paterno LIKE '%peña%'", 1);
        fila("LIKE: la ñ no es n", "SELECT COUNT(*) FROM Vacunaciones WHERE Paterno LIKE '%pena%'",
             0);
        fila("= sin mayúsculas con acentos",
             "SELECT COUNT(*) FROM Provincias WHERE NombreProvincia = 'ángel sandóval'", 1);
        fila("= con los acentos distintos",
             "SELECT COUNT(*) FROM Provincias WHERE NombreProvincia = 'angel sandoval'", 0);
        fila("= sin los blancos finales",
             "SELECT COUNT(*) FROM Provincias WHERE IdDistrital = 'SCZ '", 6);
        fila("<> sin los blancos finales",
             "SELECT COUNT(*) FROM Provincias WHERE IdDistrital <> 'scz  '", 1);
        fila("LIKE [SL]", "SELECT COUNT(*) FROM Vacunaciones WHERE NombreCabana LIKE '[LE]%'", 2);
        fila("LIKE [^a]", "SELECT COUNT(*) FROM Vacunaciones WHERE NombreCabana LIKE '[^l]%'", 1);
        fila("LIKE [a-f]", "SELECT COUNT(*) FROM Vacunaciones WHERE NombreCabana LIKE '[a-f]%'", 1);
        fila("LIKE _ sobre ñ",
             "SELECT COUNT(*) FROM Vacunaciones WHERE NombreCabana LIKE 'la ca_ada'", 1);
        // A pattern that changes row by row is read again for each row, never a kept one.
        fila("LIKE con el patrón de cada fila",
             "SELECT COUNT(*) FROM Provincias WHERE 'X' + NombreProvincia LIKE 'X' + "
             "LEFT(NombreProvincia, 2) + '%'",
             7);
        fila("LIKE ESCAPE", "SELECT CASE WHEN '50%' LIKE '50!%' ESCAPE '!' THEN 1 ELSE 0 END", 1);
        fila("LIKE ESCAPE literal",
             "SELECT CASE WHEN '500' LIKE '50!%' ESCAPE '!' THEN 1 ELSE 0 END", 0);
        fila("ORDER BY en orden español",
             "SELECT NombreProvincia FROM Provincias WHERE IdDistrital = 'SCZ' ORDER BY "
             "NombreProvincia",
             orden);
        fila("ORDER BY de una expresión",
             "SELECT NombreProvincia + '' AS N FROM Provincias WHERE IdDistrital = 'SCZ' ORDER "
             "BY N",
             orden);
        fila("UPPER con ñ y acentos", "SELECT UPPER('ñandú')", QString::fromUtf8("ÑANDÚ"));
        fila("LOWER", "SELECT LOWER('ÁRBOL Ñ')", QString::fromUtf8("árbol ñ"));
        fila("TOP", "SELECT COUNT(*) FROM (SELECT TOP 3 * FROM Provincias ORDER BY IdProvincia)",
             3);
        fila("TOP con ORDER BY DESC",
             "SELECT TOP 1 NombreProvincia FROM Provincias WHERE IdDistrital = 'SCZ' "
             "ORDER BY NombreProvincia DESC",
             "Warnes");
        fila("CONVERT de fecha, estilo 103",
             "SELECT CONVERT(varchar(10), FechaImpresion, 103) FROM Impresiones WHERE "
             "IdImpresion = 'B'",
             "05/03/2026");
        fila("CONVERT a int", "SELECT CONVERT(int, '42') + 1", 43);
        fila("DATEADD de días", "SELECT DATEADD(day, 7, '2026-02-25')", "2026-03-04 00:00:00.000");
        fila("DATEADD de un mes al 31", "SELECT DATEADD(month, 1, '2026-01-31')",
             "2026-02-28 00:00:00.000");
        fila("DATEDIFF cuenta los cambios de día",
             "SELECT DATEDIFF(day, '2026-03-01 23:00', '2026-03-02 01:00')", 1);
        fila("DATEDIFF de meses", "SELECT DATEDIFF(month, '2025-12-31', '2026-01-01')", 1);
        fila("DATEPART", "SELECT DATEPART(month, '2026-12-08')", 12);
        fila("DATEPART: el lunes es el día 1", "SELECT DATEPART(weekday, '2026-12-07')", 1);
        fila("RIGHT", "SELECT RIGHT('SCZ-1234', 4)", "1234");
        fila("CHARINDEX sin mayúsculas", "SELECT CHARINDEX('taji', 'EL TAJIBO')", 4);
        fila("REPLICATE", "SELECT REPLICATE('0', 3) + '7'", "0007");
        fila("N'...'", "SELECT COUNT(*) FROM Vacunaciones WHERE Paterno = N'peña'", 1);
        fila("fecha - número da una fecha", "SELECT GETDATE() - 7", "2026-12-01 11:59:59.997");
        fila("fecha + número da una fecha", "SELECT GETDATE() + 1", "2026-12-09 11:59:59.997");
        fila("CAST de una columna de fecha a INT",
             "SELECT CAST(FechaImpresion AS INT) FROM Impresiones WHERE IdImpresion = 'C'", 46084);
        fila("CAST de un texto a datetime", "SELECT CAST('2026-01-01' AS datetime)",
             "2026-01-01 00:00:00.000");
        fila("fecha literal 'AAAAMMDD'",
             "SELECT COUNT(*) FROM Impresiones WHERE FechaImpresion >= '20260305'", 2);
        fila("fecha literal 'AAAAMMDD' y hora",
             "SELECT COUNT(*) FROM Impresiones WHERE FechaImpresion < '20260305 10:00'", 2);
        fila("fecha literal ISO con T",
             "SELECT COUNT(*) FROM Impresiones WHERE FechaImpresion = '2026-03-05T10:00:00'", 1);
        fila("división entera", "SELECT 7 / 2", 3);
        fila("división con decimales", "SELECT 7.0 / 2", 3.5);
        fila("división y producto de izquierda a derecha", "SELECT 12 / 3 * 2", 8);
    }
    void comoSqlServer() {
        QFETCH(QString, sql);
        QFETCH(QVariant, esperado);
        QCOMPARE(Uno(sql).toString(), esperado.toString());
    }

    // The collation itself: case folds for every letter of the code page, accents stay
    // distinct beside their letter, "ñ" is a letter between "n" and "o", blanks at the end
    // do not count.
    void colacion_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("signo");
        auto fila = [](const char* a, const char* b, int signo) {
            QTest::addRow("%s | %s", a, b) << QString::fromUtf8(a) << QString::fromUtf8(b) << signo;
        };
        fila("Ñandú", "ñANDÚ", 0);
        fila("ÁRBOL", "árbol", 0);
        fila("ŠŽŒŸ", "šžœÿ", 0);
        fila("SCZ", "scz   ", 0);
        fila("arbol", "árbol", -1);
        fila("árbol", "arco", -1);
        fila("nube", "ñandú", -1);
        fila("ñandú", "oso", -1);
        fila("Núñez", "Nuñez", 1);
        fila("cama", "chico", -1);
        fila("9", "a", -1);
        fila("a b", "ab", -1);
        fila("", " ", 0);
    }
    void colacion() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, signo);
        const QByteArray x = a.toUtf8(), y = b.toUtf8();
        const int r = Colacion::Compara(std::string_view(x.constData(), size_t(x.size())),
                                        std::string_view(y.constData(), size_t(y.size())));
        QCOMPARE((r > 0) - (r < 0), signo);
        const int inverso = Colacion::Compara(std::string_view(y.constData(), size_t(y.size())),
                                              std::string_view(x.constData(), size_t(x.size())));
        QCOMPARE((inverso > 0) - (inverso < 0), -signo);
    }

    // What SQL Server refuses, refused with its message.
    void errores_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("1/0") << "SELECT 1/0" << QString::fromUtf8("división entre cero");
        QTest::newRow("módulo 0") << "SELECT 7 % 0" << QString::fromUtf8("división entre cero");
        QTest::newRow("0.0 en una expresión")
            << "SELECT Terneros / (Terneros - Terneros) FROM Vacunaciones WHERE CertificadoNro = 1"
            << QString::fromUtf8("división entre cero");
        QTest::newRow("texto - número") << "SELECT 'a' - 1"
                                        << "varchar 'a'";
        QTest::newRow("fecha inválida") << "SELECT CAST('2026-13-01' AS datetime)"
                                        << "fecha";
        QTest::newRow("CONVERT a int de un texto") << "SELECT CONVERT(int, 'abc')"
                                                   << "'abc'";
    }
    void errores() {
        QFETCH(QString, sql);
        QFETCH(QString, mensaje);
        try {
            Uno(sql);
            QFAIL("no error");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(mensaje), qPrintable(e.Texto()));
        }
    }

    // A value of the wrong type or size is refused naming its column; a good one is stored.
    void tiposYTamanos_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("11 caracteres en varchar(10)")
            << "INSERT INTO Impresiones VALUES ('12345678901', 'x', 'CGMA', 'S', '2026-01-01', 0, "
               "'e')"
            << "columna 'IdImpresion'";
        QTest::newRow("40000 en smallint")
            << "UPDATE Vacunaciones SET Terneros = 40000 WHERE CertificadoNro = 1"
            << "smallint, valor = 40000 (tabla 'Vacunaciones', columna 'Terneros')";
        QTest::newRow("5 en bit") << "UPDATE Usuarios SET Bloqueada = 5"
                                  << "(tabla 'Usuarios', columna 'Bloqueada')";
        QTest::newRow("'abc' en int")
            << "UPDATE Vacunaciones SET CantidadDosis = 'abc' WHERE CertificadoNro = 1"
            << "'abc' al tipo de datos int (tabla 'Vacunaciones', columna 'CantidadDosis')";
        QTest::newRow("2.5 en int")
            << "UPDATE Vacunaciones SET CantidadDosis = 2.5 WHERE CertificadoNro = 1"
            << "columna 'CantidadDosis'";
        QTest::newRow("fecha inválida")
            << "UPDATE Impresiones SET FechaImpresion = '32/13/2026' WHERE IdImpresion = 'A'"
            << "columna 'FechaImpresion'";
        QTest::newRow("número en una fecha")
            << "UPDATE Impresiones SET FechaImpresion = 46000 WHERE IdImpresion = 'A'"
            << "columna 'FechaImpresion'";
        QTest::newRow("clave repetida")
            << "INSERT INTO Provincias VALUES ('scz ', '01', 'Otra')"
            << "PRIMARY KEY en la tabla 'Provincias': no se puede insertar una clave duplicada "
               "(IdDistrital, IdProvincia)";
        QTest::newRow("NULL donde no se admite")
            << "UPDATE Provincias SET NombreProvincia = NULL WHERE IdDistrital = 'BEN'"
            << "el valor NULL en la columna 'NombreProvincia', tabla 'Provincias'";
        QTest::newRow("texto numérico en smallint")
            << "UPDATE Vacunaciones SET Terneros = '3' WHERE CertificadoNro = 1" << QString();
        QTest::newRow("60 caracteres en varchar(60)")
            << "UPDATE Impresiones SET Empresa = REPLICATE('x', 60) WHERE IdImpresion = 'A'"
            << QString();
        QTest::newRow("bit 1") << "UPDATE Usuarios SET Bloqueada = 1 WHERE 1 = 0" << QString();
    }
    void tiposYTamanos() {
        QFETCH(QString, sql);
        QFETCH(QString, mensaje);
        Consulta q({sql}, conexion_);
        if (mensaje.isEmpty()) {
            q.Ejecuta();
            return;
        }
        try {
            q.Ejecuta();
            QFAIL("stored");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(mensaje), qPrintable(e.Texto()));
        }
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
        QTest::newRow("sugerencias de bloqueo")
            << "SELECT A FROM T WITH (UPDLOCK, HOLDLOCK) WHERE B = 1"
            << "SELECT A FROM T WHERE B = 1";
        QTest::newRow("signo") << "SELECT -A + 1 FROM T"
                               << "SELECT MS_SUMA(- A, 1) FROM T";
    }
    void traduccion() {
        QFETCH(QString, tsql);
        QFETCH(QString, sqlite);
        QCOMPARE(DialectoSqlite::Traduce(tsql), sqlite);
    }
    // A batch's statements as the server reads them, with or without ";" between them; the
    // keywords that continue a statement do not cut it.
    void lote_data() {
        QTest::addColumn<QString>("tsql");
        QTest::addColumn<QStringList>("partes");
        QTest::newRow("una") << "SELECT 1" << QStringList{"SELECT 1"};
        QTest::newRow("punto y coma final")
            << "UPDATE T SET A = 1;" << QStringList{"UPDATE T SET A = 1"};
        QTest::newRow("dos con punto y coma")
            << "UPDATE T SET A = 1; UPDATE U SET B = 2"
            << QStringList{"UPDATE T SET A = 1", "UPDATE U SET B = 2"};
        QTest::newRow("dos líneas sin separador")
            << "UPDATE T SET A = 1\nUPDATE U SET B = 2"
            << QStringList{"UPDATE T SET A = 1", "UPDATE U SET B = 2"};
        QTest::newRow("SET y consulta")
            << "SET NOCOUNT ON\nSELECT 1" << QStringList{"SET NOCOUNT ON", "SELECT 1"};
        QTest::newRow("transacción e inserción")
            << "BEGIN TRANSACTION\nINSERT INTO T VALUES (1)"
            << QStringList{"BEGIN TRANSACTION", "INSERT INTO T VALUES (1)"};
        QTest::newRow("consulta y borrado") << "SELECT 1 AS a DELETE FROM Guias"
                                            << QStringList{"SELECT 1 AS a", "DELETE FROM Guias"};
        QTest::newRow("insert de un select")
            << "INSERT INTO T (A) SELECT A FROM U UNION ALL SELECT 2 SELECT 3"
            << QStringList{"INSERT INTO T (A) SELECT A FROM U UNION ALL SELECT 2", "SELECT 3"};
        QTest::newRow("insert de valores y un select")
            << "INSERT INTO T VALUES (1) SELECT 2"
            << QStringList{"INSERT INTO T VALUES (1)", "SELECT 2"};
        QTest::newRow("subconsultas") << "UPDATE T SET A = (SELECT MAX(B) FROM U) WHERE C IN "
                                         "(SELECT C FROM V)"
                                      << QStringList{"UPDATE T SET A = (SELECT MAX(B) FROM U) "
                                                     "WHERE C IN (SELECT C FROM V)"};
        QTest::newRow("textos y comentarios")
            << "SELECT 'DELETE; UPDATE' AS x -- ; SELECT\nFROM T"
            << QStringList{"SELECT 'DELETE; UPDATE' AS x -- ; SELECT\nFROM T"};
        QTest::newRow("procedimiento numerado")
            << "EXEC LogEntrada;1 'a', 'b'" << QStringList{"EXEC LogEntrada;1 'a', 'b'"};
        QTest::newRow("transacción") << "BEGIN TRAN DELETE FROM T COMMIT"
                                     << QStringList{"BEGIN TRAN", "DELETE FROM T", "COMMIT"};
        QTest::newRow("clave foránea")
            << "ALTER TABLE T ADD CONSTRAINT F FOREIGN KEY (A) REFERENCES U (A) ON DELETE SET "
               "NULL ON UPDATE CASCADE"
            << QStringList{"ALTER TABLE T ADD CONSTRAINT F FOREIGN KEY (A) REFERENCES U (A) ON "
                           "DELETE SET NULL ON UPDATE CASCADE"};
        QTest::newRow("permiso") << "GRANT SELECT, INSERT, UPDATE ON T TO lector"
                                 << QStringList{"GRANT SELECT, INSERT, UPDATE ON T TO lector"};
        QTest::newRow("expresión común")
            << ";WITH c AS (SELECT 1 AS a) SELECT a FROM c"
            << QStringList{"WITH c AS (SELECT 1 AS a) SELECT a FROM c"};
        QTest::newRow("sugerencia de tabla")
            << "SELECT * FROM T WITH (NOLOCK) SELECT 2"
            << QStringList{"SELECT * FROM T WITH (NOLOCK)", "SELECT 2"};
        QTest::newRow("bloque") << "IF 1 = 1 SELECT 1 ELSE SELECT 2"
                                << QStringList{"IF 1 = 1 SELECT 1 ELSE SELECT 2"};
        QTest::newRow("vacías") << " ; ;\n" << QStringList{};
    }
    void lote() {
        QFETCH(QString, tsql);
        QFETCH(QStringList, partes);
        QCOMPARE(DialectoSqlite::PartesLote(tsql), partes);
    }

    // The write forms of SQLite alone are syntax errors, as SQL Server's parser says them.
    void formasSqlite_data() {
        QTest::addColumn<QString>("tsql");
        QTest::addColumn<QString>("error");
        const QString clave = QStringLiteral("Sintaxis incorrecta cerca de la palabra clave '%1'.");
        QTest::newRow("insert or replace")
            << "INSERT OR REPLACE INTO Foro VALUES (1)" << clave.arg("OR");
        QTest::newRow("insert or ignore")
            << "insert or ignore into Foro values (1)" << clave.arg("OR");
        QTest::newRow("update or") << "UPDATE OR ROLLBACK Foro SET A = 1" << clave.arg("OR");
        QTest::newRow("replace into") << "REPLACE INTO Foro VALUES (1)" << clave.arg("INTO");
        QTest::newRow("on conflict")
            << "INSERT INTO Foro VALUES (1) ON CONFLICT (IdPregunta) DO UPDATE SET A = 2"
            << clave.arg("ON");
        QTest::newRow("returning") << "DELETE FROM Foro RETURNING *"
                                   << QStringLiteral("Sintaxis incorrecta cerca de 'RETURNING'.");
        QTest::newRow("en un lote")
            << "SELECT 1;\nREPLACE INTO Foro VALUES (1)" << clave.arg("INTO");
        QTest::newRow("REPLACE como función") << "UPDATE T SET A = REPLACE(A, 'x', 'y')"
                                              << "";
        QTest::newRow("OR en el WHERE") << "UPDATE T SET A = 1 WHERE B = 1 OR C = 2"
                                        << "";
    }
    void formasSqlite() {
        QFETCH(QString, tsql);
        QFETCH(QString, error);
        QString visto;
        try {
            DialectoSqlite::Traduce(tsql);
        } catch (const ErrorBaseDatos& e) {
            visto = e.Texto();
        }
        QCOMPARE(visto, error);
    }
};

TARVELION_PRUEBA_MAIN(TstDialecto)
#include "tst_dialecto.moc"
