// One behaviour on both backends: the same statements give the same values and the same errors
// (SQL Server's numbers and texts) on the embedded file and through ODBC to the TDS test server
// — text dates in the session's order and in the forms every server accepts, the DATETIME's
// precision, the collation of literals, SQLite's forms refused, T-SQL's forms accepted.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "common/Errores.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "db/TextoErrores.h"

class TstComoServidor : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    Conexion* conexion_ = nullptr;

    // The first value of the answer; of several rows, their first values joined by "|".
    QString Lee(const QString& sql) {
        Consulta q(conexion_);
        q.Agrega(sql);
        q.Abre();
        QStringList valores;
        for (; !q.Eof(); q.Siguiente()) {
            const QVariant v = q.Campo(q.Campos().first());
            valores << (v.isNull() ? QStringLiteral("NULL") : v.toString());
        }
        return valores.join(QLatin1Char('|'));
    }

private Q_SLOTS:
    void initTestCase() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_Lee"), QStringLiteral("PSi_GMA_Escribe")});
        base_->Sql(QStringLiteral(
            "INSERT INTO Vacunaciones (IdCiclo, CertificadoNro, NombreCabana, IdDistrital, "
            "IdProvincia, IdMunicipio, IdProveedor, IdVacunador, CantidadDosis, Laboratorio, "
            "Partida, Procedencia, Expiracion, FechaVacunacion, FechaCertificacion, Paterno, "
            "Materno, Nombres, Terneros, Vaquillas, Torillos) VALUES "
            "('20', 1, 'LA CAÑADA', 'SCZ', '01', '01', 'ABC', '1', 1, 'L', 'P', 'X', 'E', "
            "'2020-01-01', '2020-01-01', 'ROCA', NULL, 'ANA', 20000, 20000, 3)"));
        conexion_ = new Conexion(QStringLiteral("como_servidor"));
        base_->AbreConexion(*conexion_, QStringLiteral("operador"), QStringLiteral("x"));
    }
    void cleanupTestCase() {
        delete conexion_;
        delete base_;
    }

    // Each statement's answer: its value (rows joined by "|"), or "error N: text" where N is
    // SQL Server's number and text a part of its Spanish message. `antes` runs first.
    void casos_data() {
        QTest::addColumn<QString>("antes");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("esperado");
        auto caso = [](const char* nombre, const char* antes, const char* sql, const char* e) {
            QTest::newRow(nombre) << QString::fromUtf8(antes) << QString::fromUtf8(sql)
                                  << QString::fromUtf8(e);
        };
        // Dates: day first in the session, the forms every language accepts, 1/300 s.
        caso("dd/mm/aaaa es día y mes", "",
             "SELECT CONVERT(varchar(10), CAST('03/04/2024' AS "
             "DATETIME), 103)",
             "03/04/2024");
        caso("dd/mm/aaaa: el mes es el segundo", "", "SELECT MONTH(CAST('03/04/2024' AS DATETIME))",
             "4");
        caso("'AAAAMMDD' en una columna",
             "INSERT INTO Foros (IdPregunta, Pregunta, Categoria, PreguntadaPor, FechaPregunta) "
             "VALUES (1, 'p', 'A', 'x', '20260101')",
             "SELECT CONVERT(varchar(23), FechaPregunta, 21) FROM Foros WHERE IdPregunta = 1",
             "2026-01-01 00:00:00.000");
        caso("ISO con T en una columna",
             "INSERT INTO Foros (IdPregunta, Pregunta, Categoria, PreguntadaPor, FechaPregunta) "
             "VALUES (2, 'p', 'A', 'x', '2026-01-01T10:00:00')",
             "SELECT CONVERT(varchar(23), FechaPregunta, 21) FROM Foros WHERE IdPregunta = 2",
             "2026-01-01 10:00:00.000");
        caso("dd/mm/aaaa en una columna",
             "INSERT INTO Foros (IdPregunta, Pregunta, Categoria, PreguntadaPor, FechaPregunta) "
             "VALUES (3, 'p', 'A', 'x', '15/03/2019 08:30')",
             "SELECT CONVERT(varchar(23), FechaPregunta, 21) FROM Foros WHERE IdPregunta = 3",
             "2019-03-15 08:30:00.000");
        caso(".998 se guarda .997",
             "INSERT INTO Foros (IdPregunta, Pregunta, Categoria, PreguntadaPor, FechaPregunta) "
             "VALUES (4, 'p', 'A', 'x', '2026-01-01 10:00:00.998')",
             "SELECT CONVERT(varchar(23), FechaPregunta, 21) FROM Foros WHERE IdPregunta = 4",
             "2026-01-01 10:00:00.997");
        caso(".999 es el segundo siguiente",
             "INSERT INTO Foros (IdPregunta, Pregunta, Categoria, PreguntadaPor, FechaPregunta) "
             "VALUES (5, 'p', 'A', 'x', '20261231 23:59:59.999')",
             "SELECT CONVERT(varchar(23), FechaPregunta, 21) FROM Foros WHERE IdPregunta = 5",
             "2027-01-01 00:00:00.000");
        caso("igualdad con la hora guardada", "",
             "SELECT COUNT(*) FROM Foros WHERE FechaPregunta = '2026-01-01 10:00:00.998'", "1");
        caso("fecha imposible", "",
             "INSERT INTO Foros (IdPregunta, Pregunta, Categoria, PreguntadaPor, FechaPregunta) "
             "VALUES (6, 'p', 'A', 'x', '32/13/2026')",
             "error 241: Error de conversión al convertir la fecha");
        // Texts compare in the database's collation, literals too.
        caso("'ñ' = 'Ñ'", "", "SELECT CASE WHEN 'ñ' = 'Ñ' THEN 1 ELSE 0 END", "1");
        caso("'24 ' = '24'", "", "SELECT CASE WHEN '24 ' = '24' THEN 1 ELSE 0 END", "1");
        caso("LEFT(...) = literal", "",
             "SELECT COUNT(*) FROM Vacunaciones WHERE LEFT(Paterno, 1) = 'r'", "1");
        caso("'n' < 'ñ'", "", "SELECT CASE WHEN 'nz' < 'ña' THEN 1 ELSE 0 END", "1");
        // T-SQL the embedded server answers.
        caso("OFFSET … FETCH", "",
             "SELECT IdDistrital FROM Distritales ORDER BY IdDistrital OFFSET 1 ROWS FETCH NEXT 1 "
             "ROWS ONLY",
             "PDO");
        caso("OFFSET sin ORDER BY", "", "SELECT IdDistrital FROM Distritales OFFSET 1 ROWS",
             "error 102: Sintaxis incorrecta cerca de 'OFFSET'");
        caso("USER_NAME()", "", "SELECT USER_NAME()", "operador");
        caso("@@TRANCOUNT", "", "SELECT @@TRANCOUNT", "0");
        caso("CURRENT_USER", "", "SELECT CURRENT_USER", "operador");
        caso("@@SPID", "", "SELECT CASE WHEN @@SPID > 0 THEN 'sí' END", "sí");
        caso("CONVERT con estilo 101", "", "SELECT DAY(CONVERT(datetime, '03/04/2024', 101))", "4");
        caso("==", "", "SELECT CASE WHEN 1 == 1 THEN 1 END",
             "error 102: Sintaxis incorrecta cerca de '='");
        caso("GLOB", "", "SELECT COUNT(*) FROM Distritales WHERE IdDistrital GLOB 'S*'",
             "error 102: Sintaxis incorrecta cerca de 'GLOB'");
        caso("PRAGMA", "", "PRAGMA table_info(Distritales)",
             "error 2812: No se encontró el procedimiento almacenado 'PRAGMA'");
        caso("variable no declarada", "", "SELECT @@NOEXISTE",
             "error 137: Debe declarar la variable escalar");
        caso("RAISERROR", "", "RAISERROR('Falta el predio %s', 16, 1, 'X-1')",
             "error 50000: Falta el predio X-1");
        caso("SET NOCOUNT", "", "SET NOCOUNT ON; SELECT COUNT(*) FROM Distritales", "3");
        // SQLite's forms are refused with the server's errors.
        caso("LIMIT", "", "SELECT IdDistrital FROM Distritales LIMIT 1",
             "error 102: Sintaxis incorrecta cerca de '1'");
        caso("||", "", "SELECT 'a' || 'b'", "error 102: Sintaxis incorrecta cerca de '|'");
        caso("IFNULL", "", "SELECT IFNULL(NULL, 1)",
             "error 195: 'IFNULL' no es un nombre de función integrada reconocido");
        caso("SUBSTR", "", "SELECT SUBSTR('abc', 1, 1)",
             "error 195: 'SUBSTR' no es un nombre de función integrada reconocido");
        caso("texto entre comillas dobles", "", "SELECT \"abc\" FROM Distritales",
             "error 207: El nombre de columna 'abc' no es válido");
        caso("TRUE", "", "SELECT TRUE", "error 207: El nombre de columna 'TRUE' no es válido");
        caso("tabla desconocida", "", "SELECT * FROM NoExiste",
             "error 208: El nombre de objeto 'NoExiste' no es válido");
        caso("columna desconocida", "", "SELECT NoExiste FROM Distritales",
             "error 207: El nombre de columna 'NoExiste' no es válido");
        caso("suma de SMALLINT desborda", "",
             "SELECT Terneros + Vaquillas FROM Vacunaciones WHERE CertificadoNro = 1",
             "error 8115: Error de desbordamiento aritmético");
        caso("SMALLINT más un entero no desborda", "",
             "SELECT Terneros + 20000 FROM Vacunaciones WHERE CertificadoNro = 1", "40000");
        caso("suma de SMALLINT que cabe", "",
             "SELECT Terneros + Torillos FROM Vacunaciones WHERE CertificadoNro = 1", "20003");
    }
    void casos() {
        QFETCH(QString, antes);
        QFETCH(QString, sql);
        QFETCH(QString, esperado);
        QString obtenido;
        try {
            if (!antes.isEmpty()) {
                Consulta q({antes}, conexion_);
                q.Ejecuta();
            }
            obtenido = Lee(sql);
        } catch (const ErrorBaseDatos& e) {
            const QString texto = e.Texto().section(QLatin1Char('\n'), 0, 0);
            obtenido = QStringLiteral("error %1: %2").arg(NumeroErrorServidor(texto)).arg(texto);
        }
        QVERIFY2(obtenido.startsWith(esperado), qPrintable(obtenido));
    }

    // A filter's text with characters beyond Windows-1252 would find nothing on SQL Server
    // (the server reads them as "?"): it is said there; the file holds Unicode and answers.
    void textoFueraDeLaPagina() {
        const QString sql = QString::fromUtf8(
            "SELECT COUNT(*) FROM Distritales WHERE NombreDistrital = 'Ciudad 漢'");
        if (!BaseDePrueba::PorOdbc()) {
            QCOMPARE(Lee(sql), QStringLiteral("0"));
            return;
        }
        try {
            Lee(sql);
            QFAIL("el texto pasó");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(QString::fromUtf8("no puede guardar ni buscar: 漢")),
                     qPrintable(e.Texto()));
        }
    }
};

TARVELION_PRUEBA_MAIN(TstComoServidor)
#include "tst_como_servidor.moc"
