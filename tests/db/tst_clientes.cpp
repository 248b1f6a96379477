// The TDS test server proved by clients no one here wrote: FreeTDS's own tsql and Python's
// pymssql run a fixed script (login, accents, NULL, dates, a parameterised query, a
// transaction, the server's errors by number, a cancel, a refused database) and their output
// is compared with what SQL Server answers.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "apoyo/ServidorTds.h"

#include <QProcess>

namespace {

// Debian's interpreter, where python3-pymssql is installed (not any other on the PATH).
const QString kPython = QStringLiteral("/usr/bin/python3");

QString Corre(const QString& programa, const QStringList& argumentos, const QByteArray& entrada,
              int& codigo) {
    QProcess p;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(entorno);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programa, argumentos);
    if (!p.waitForStarted(10000))
        return QStringLiteral("no arrancó %1").arg(programa);
    p.write(entrada);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    codigo = p.exitCode();
    return QString::fromUtf8(p.readAll());
}

} // namespace

class TstClientes : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    ServidorTds* servidor_ = nullptr;

private Q_SLOTS:
    void initTestCase() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_Lee")});
        // Enough questions that four of them joined take minutes: the statement to cancel.
        for (int i = 1; i <= 300; ++i)
            base_->Sql(QStringLiteral("INSERT INTO Foros (IdPregunta, Pregunta, Categoria, "
                                      "PreguntadaPor, FechaPregunta) VALUES (?, 'p', 'A', 'x', "
                                      "'2026-01-01 00:00:00.000')"),
                       {i + 100});
        servidor_ = new ServidorTds(base_->Carpeta());
    }
    void cleanupTestCase() {
        delete servidor_;
        delete base_;
    }

    void pymssql() {
        int codigo = -1;
        const QString salida =
            Corre(kPython,
                  {QFINDTESTDATA("clientes_tds.py"), QString::number(servidor_->Puerto()),
                   QStringLiteral("operador"), QStringLiteral("x")},
                  {}, codigo);
        if (salida.contains(QStringLiteral("No module named 'pymssql'")))
            QFAIL("falta python3-pymssql (scripts/dependencias.sh lo instala)");
        QVERIFY2(codigo == 0, qPrintable(salida));
        const QStringList esperadas = {
            QString::fromUtf8("acentos Andrés Ibáñez"),
            QStringLiteral("nulo None"),
            QStringLiteral("fecha sin formato 2024-03-04"), // a login in English: month first
            QStringLiteral("fecha dmy 2024-04-03"),
            QStringLiteral("fecha iso 2026-01-01 10:30:00"),
            QStringLiteral("tipos ['date', 'bool', 'Decimal']"),
            QStringLiteral("parametro Santa Cruz"),
            QStringLiteral("transaccion 0"),
            QStringLiteral("lote 3"),
            QStringLiteral("trancount 1"), // pymssql keeps a transaction open
            QStringLiteral("error objeto 208"),
            QStringLiteral("error columna 207"),
            QStringLiteral("error sintaxis 102"),
            QStringLiteral("error funcion 195"),
            QStringLiteral("error raiserror 50000"),
            QStringLiteral("error base 911"),
            QStringLiteral("cancelada con error"),
            QStringLiteral("tras cancelar 3"),
            QStringLiteral("base inexistente 18456"),
        };
        const QStringList lineas = salida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lineas, esperadas);
    }

    void tsql() {
        int codigo = -1;
        const QByteArray guion = "SELECT NombreProvincia FROM Provincias WHERE IdProvincia = '01' "
                                 "AND IdDistrital = 'SCZ'\ngo\n"
                                 "SELECT * FROM NoExiste\ngo\n"
                                 "BEGIN TRANSACTION\nSELECT @@TRANCOUNT AS Abiertas\ngo\n"
                                 "ROLLBACK\ngo\n"
                                 "SELECT 'a' || 'b'\ngo\n"
                                 "exit\n";
        const QString salida = Corre(
            QStringLiteral("tsql"),
            {QStringLiteral("-H"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
             QString::number(servidor_->Puerto()), QStringLiteral("-U"), QStringLiteral("operador"),
             QStringLiteral("-P"), QStringLiteral("x"), QStringLiteral("-D"),
             QStringLiteral("Moravel"), QStringLiteral("-o"), QStringLiteral("q")},
            guion, codigo);
        QVERIFY2(!salida.startsWith(QStringLiteral("no arrancó")),
                 "falta tsql (freetds-bin; scripts/dependencias.sh lo instala)");
        QVERIFY2(salida.contains(QString::fromUtf8("Andrés Ibáñez")), qPrintable(salida));
        QVERIFY2(salida.contains(QStringLiteral("Msg 208")), qPrintable(salida));
        QVERIFY2(salida.contains(QStringLiteral("El nombre de objeto 'NoExiste' no es válido")),
                 qPrintable(salida));
        QVERIFY2(salida.contains(QStringLiteral("Abiertas\n1")), qPrintable(salida));
        QVERIFY2(salida.contains(QStringLiteral("Msg 102")), qPrintable(salida));
    }
};

TARVELION_PRUEBA_MAIN(TstClientes)
#include "tst_clientes.moc"
